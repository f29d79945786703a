# Reading and writing files: the bounded readers, the atomic and set writers with the folder's
# lock and the journal of a set's renames, and the table of system calls behind them.
target_sources(lumor_core PRIVATE
  src/io/read_file.cpp
  src/io/write_file.cpp)
