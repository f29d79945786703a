#pragma once
// System calls for saves that fail midway, on POSIX and on Windows alike, and whether
// permissions stop this process.
#include "io/save_calls.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace lumor {

/// Whether a folder without write permission stops this process from creating files in it:
/// not for root, and not on Windows, where a folder's read-only attribute stops no one.
inline bool folderPermissionsHold() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

#ifdef _WIN32
/// The Windows error code that stands for an errno value in these calls.
inline unsigned long windowsErrorFor(int error) {
    switch (error) {
        case ENOSPC: return kErrorDiskFull;
        case EACCES: return kErrorAccessDenied;
        default: return kErrorWriteFault;
    }
}
#endif

/// Calls under which a save's first write gets 100 bytes through and the next fails with
/// `error` (an errno value), as when the disk fills up midway.
inline SaveCalls writeFailing(int error) {
    SaveCalls calls = systemSaveCalls();
#ifndef _WIN32
    calls.write = [error, real = calls.write, writes = 0](int fd, const void* data, size_t size) mutable -> ssize_t {
        if (++writes == 1) return real(fd, data, std::min<size_t>(size, 100));
        errno = error;
        return -1;
    };
#else
    calls.write = [error, real = calls.write, writes = 0](void* file, const void* data, unsigned long size,
                                                          unsigned long* written) mutable -> unsigned long {
        if (++writes == 1) return real(file, data, std::min<unsigned long>(size, 100), written);
        *written = 0;
        return windowsErrorFor(error);
    };
#endif
    return calls;
}

/// Calls under which syncing the new file to the disk fails with `error` (an errno value).
inline SaveCalls syncFailing(int error) {
    SaveCalls calls = systemSaveCalls();
#ifndef _WIN32
    calls.fsync = [error](int) {
        errno = error;
        return -1;
    };
#else
    calls.flush = [error](void*) { return windowsErrorFor(error); };
#endif
    return calls;
}

}  // namespace lumor
