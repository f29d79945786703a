// Windows only: every core header compiles after <windows.h>, and the library's loadLibrary
// works beside the system's LoadLibrary macro and its kin. The program's own files keep
// <windows.h> away from the library (the layer check says so); this file is the exception
// that shows both meet safely.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "io/read_file.h"
#include "io/write_file.h"
#include "library/component_library.h"
#include "library/library_csv.h"
#include "route/route_list.h"
#include "test_files.h"
#include "test_messages.h"
#include "text/command_line.h"

#include <gtest/gtest.h>

using namespace lumor;

TEST(WindowsHeader, LibraryAndSystemLoadLibraryBothWork) {
    ScratchFolder scratch("windows_h");
    const auto path = utf8FromPath(scratch / "jedna.komp");
    auto entries = parseLibraryCsv(libraryCsvText(std::vector<LibraryEntry>{}) + "Zdroj;LED;850;-;-;-;-;-;-;-;\n");
    ASSERT_FALSE(writeFileAtomically(path, libraryFileBytes(entries)));
    RecordingMessages messages;
    ComponentLibrary library(messages);
    EXPECT_TRUE(library.loadLibrary(path));
    EXPECT_EQ(library.count(), 1);

    HMODULE kernel = ::LoadLibraryW(L"kernel32.dll");
    EXPECT_NE(kernel, nullptr);
    if (kernel != nullptr) ::FreeLibrary(kernel);
}
