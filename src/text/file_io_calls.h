#pragma once
// The operating-system calls behind writeFileAtomically and writeFileSet, one table for the
// whole process, so that a test can make any of them fail, or do something just before the
// real call.
#include <functional>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace lumor {

#ifndef _WIN32
/// The POSIX calls a save makes. Each behaves as the call of that name: -1 and errno on failure.
struct SaveCalls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd, mode_t mode)> fchmod;
    std::function<int(int fd, uid_t owner, gid_t group)> fchown;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
    std::function<int(const char* path)> unlink;
    std::function<int(const char* from, const char* to)> link;  ///< a hard link, never following `from`
    std::function<int(int fd, int operation)> flock;            ///< the folder's lock (LOCK_EX | LOCK_NB)
    /// Waits that long before the folder's lock is tried again.
    std::function<void(unsigned long milliseconds)> sleep;
};
#else
/// The Windows calls a save makes (a file is a HANDLE, here void*). Each does what the call it
/// stands for does and returns 0, or the Windows error code (GetLastError()) of its failure.
struct SaveCalls {
    std::function<unsigned long(const wchar_t* path, void** file)> createNew;  ///< CreateFileW, CREATE_NEW
    std::function<unsigned long(void* file, const void* data, unsigned long size, unsigned long* written)> write;
    std::function<unsigned long(void* file)> flush;                               ///< FlushFileBuffers
    std::function<unsigned long(void* file)> close;                               ///< CloseHandle
    std::function<unsigned long(const wchar_t* from, const wchar_t* to)> rename;  ///< MoveFileExW, replacing
    std::function<unsigned long(const wchar_t* path)> unlink;                     ///< DeleteFileW
    std::function<unsigned long(const wchar_t* from, const wchar_t* to)> link;    ///< CreateHardLinkW(to, from)
    /// The folder's lock: LockFileEx, exclusive, failing at once (ERROR_LOCK_VIOLATION) when held.
    std::function<unsigned long(void* file)> lock;
    /// Waits that long (Sleep) before a rename or the folder's lock is tried again.
    std::function<void(unsigned long milliseconds)> sleep;
};
/// Windows error codes the tests make the calls fail with (winerror.h).
enum WindowsError : unsigned long {
    kErrorAccessDenied = 5,
    kErrorWriteFault = 29,
    kErrorSharingViolation = 32,
    kErrorLockViolation = 33,
    kErrorDiskFull = 112,
    kErrorInvalidName = 123,
};
#endif

/// The operating system's own calls.
SaveCalls systemSaveCalls();

/// Makes every save of this process use `calls` while it lives, and the calls before it
/// afterwards. For tests; not for use while another thread saves.
class ScopedSaveCalls {
public:
    explicit ScopedSaveCalls(SaveCalls calls);
    ~ScopedSaveCalls();
    ScopedSaveCalls(const ScopedSaveCalls&) = delete;
    ScopedSaveCalls& operator=(const ScopedSaveCalls&) = delete;

private:
    SaveCalls previous_;
};

}  // namespace lumor
