// Windows only: what saves meet there and not on POSIX systems. Czech names, each system call
// failing in turn, read-only files, names Windows refuses, targets another program holds open,
// and links resolved by the system. Under Wine, what Wine does differently is skipped, named.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "io/read_file.h"
#include "io/save_calls.h"
#include "io/write_file.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

bool underWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

class WindowsSave : public ::testing::Test {
protected:
    /// UTF-8 path of a name in the scratch folder.
    std::string file(const std::string& name) const { return utf8FromPath(scratch.path() / pathFromUtf8(name)); }
    static std::string save(const std::string& path, const std::string& bytes) {
        const auto error = writeFileAtomically(path, bytes);
        return error ? *error : "saved";
    }
    /// The names in the scratch folder, UTF-8.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(scratch.path())) out.push_back(utf8FromPath(e.path().filename()));
        return out;
    }
    static std::string bytes(const std::string& path) {
        auto read = readFileBytes(path);
        return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : "unreadable";
    }

    ScratchFolder scratch{"windows_save"};
};

}  // namespace

TEST_F(WindowsSave, CzechNamesAndEveryByteRoundTrip) {
    std::string all = "a\r\nb\nc\r";
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);  // NUL and ^Z among them
    fs::create_directories(pathFromUtf8(file("žluťoučký kůň")));
    const std::string path = file("žluťoučký kůň\\Novák.trasa");
    EXPECT_EQ(save(path, all), "saved");
    EXPECT_EQ(bytes(path), all);
    EXPECT_EQ(save(path, "nové"), "saved");
    EXPECT_EQ(bytes(path), "nové");
    std::vector<std::string> inside;
    for (const auto& e : fs::directory_iterator(pathFromUtf8(file("žluťoučký kůň"))))
        inside.push_back(utf8FromPath(e.path().filename()));
    EXPECT_EQ(inside, std::vector<std::string>{"Novák.trasa"});
}

TEST_F(WindowsSave, ACallFailingLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* name;
        std::function<void(SaveCalls&)> breakIt;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"create",
         [](SaveCalls& c) {
             c.createNew = [](const wchar_t*, void**) -> unsigned long { return ERROR_ACCESS_DENIED; };
         },
         "přístup odepřen"},
        {"second write",
         [](SaveCalls& c) {
             c.write = [real = c.write, calls = 0](void* f, const void* d, unsigned long n,
                                                   unsigned long* w) mutable -> unsigned long {
                 if (++calls == 1) return real(f, d, n < 1000 ? n : 1000, w);
                 return ERROR_DISK_FULL;
             };
         },
         "na disku není místo"},
        {"flush", [](SaveCalls& c) { c.flush = [](void*) -> unsigned long { return ERROR_WRITE_FAULT; }; },
         "disk ohlásil chybu čtení nebo zápisu"},
        {"close",
         [](SaveCalls& c) {
             c.close = [real = c.close](void* f) -> unsigned long {
                 real(f);
                 return ERROR_HANDLE_DISK_FULL;
             };
         },
         "na disku není místo"},
        {"rename",
         [](SaveCalls& c) {
             c.rename = [](const wchar_t*, const wchar_t*) -> unsigned long { return ERROR_WRITE_PROTECT; };
         },
         "disk je jen pro čtení"},
    };
    const std::string old(5000, 'o');
    writeBytes(pathFromUtf8(file("keep.komp")), old);
    for (const Case& c : cases) {
        SaveCalls calls = systemSaveCalls();
        c.breakIt(calls);
        {
            ScopedSaveCalls scoped(calls);
            EXPECT_EQ(save(file("keep.komp"), std::string(3000, 'n')), c.reason) << c.name;
        }
        EXPECT_EQ(bytes(file("keep.komp")), old) << c.name;
        EXPECT_EQ(names(), std::vector<std::string>{"keep.komp"}) << c.name;
    }
}

TEST_F(WindowsSave, InvalidNamesAreCalledSo) {
    for (const char* name : {"Novák?.trasa", "a<b>.komp", "c|d.html", "e*.trasa"}) {
        EXPECT_EQ(save(file(name), "x"), "neplatné jméno souboru") << name;
    }
    EXPECT_TRUE(names().empty());
}

TEST_F(WindowsSave, AReadOnlyFileIsRefusedAtOnceAndKept) {
    const std::string path = file("ro.trasa");
    writeBytes(pathFromUtf8(path), "old");
    ASSERT_TRUE(::SetFileAttributesW(pathFromUtf8(path).c_str(), FILE_ATTRIBUTE_READONLY));
    int renames = 0;
    SaveCalls calls = systemSaveCalls();
    calls.rename = [&renames, real = calls.rename](const wchar_t* from, const wchar_t* to) {
        ++renames;
        return real(from, to);
    };
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(path, "new"), "přístup odepřen");
    }
    EXPECT_EQ(renames, 0) << "a read-only file never becomes writable by waiting";
    EXPECT_EQ(bytes(path), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"ro.trasa"});
    ::SetFileAttributesW(pathFromUtf8(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsSave, AFileHeldOpenIsTriedAgainForAboutASecond) {
    const std::string path = file("held.trasa");
    writeBytes(pathFromUtf8(path), "old");
    // Another program reading the file, as a virus scanner does, without sharing its deletion.
    HANDLE held = ::CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    int renames = 0;
    unsigned long waited = 0;
    bool releaseAfterFirst = true;
    SaveCalls calls = systemSaveCalls();
    calls.rename = [&, real = calls.rename](const wchar_t* from, const wchar_t* to) {
        ++renames;
        const unsigned long error = real(from, to);
        if (error != 0 && releaseAfterFirst && held != INVALID_HANDLE_VALUE) {
            ::CloseHandle(held);  // the scanner is done
            held = INVALID_HANDLE_VALUE;
        }
        return error;
    };
    calls.sleep = [&waited](unsigned long ms) { waited += ms; };
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(path, "new"), "saved");
    }
    if (renames == 1) {
        ASSERT_TRUE(underWine()) << "Windows refuses to replace a file held open without FILE_SHARE_DELETE";
        GTEST_SKIP() << "Wine replaces a file that another handle holds open; Windows does not";
    }
    EXPECT_EQ(renames, 2);
    EXPECT_EQ(waited, 100u);
    EXPECT_EQ(bytes(path), "new");

    // Held throughout: about a second of tries, then the old file as it was.
    held = ::CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    releaseAfterFirst = false;
    renames = 0;
    waited = 0;
    {
        ScopedSaveCalls scoped(calls);
        // Windows and Wine give either reason for a file held open.
        const std::string said = save(path, "newer");
        EXPECT_TRUE(said == "soubor nebo složka se právě používá" || said == "přístup odepřen") << said;
    }
    ::CloseHandle(held);
    EXPECT_EQ(renames, 10);
    EXPECT_EQ(waited, 900u);
    EXPECT_EQ(bytes(path), "new");
    EXPECT_EQ(names(), std::vector<std::string>{"held.trasa"});
}

TEST_F(WindowsSave, AFolderAnotherWriterHoldsIsWaitedForAndASetLeavesNoLockOrJournal) {
    // Another writer holds the folder's lock: a save waits about ten seconds (counted, not
    // slept), then gives up.
    const HANDLE other = ::CreateFileW((scratch.path() / kFolderLockName).c_str(), GENERIC_WRITE, 7, nullptr,
                                       OPEN_ALWAYS, 0, nullptr);  // shared for reading, writing and deleting
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    OVERLAPPED at{};
    ASSERT_TRUE(::LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at));
    unsigned long waited = 0;
    SaveCalls calls = systemSaveCalls();
    calls.sleep = [&waited](unsigned long ms) { waited += ms; };
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(file("a.trasa"), "new").rfind("do složky právě zapisuje jiný spuštěný Lumor", 0), 0u);
    }
    EXPECT_EQ(waited, 9950u);
    ::CloseHandle(other);

    // Free again: a set is written whole, its lock file and journal gone with it.
    EXPECT_FALSE(writeFileSet(utf8FromPath(scratch.path()), {{"a.trasa", "page"}, {"b.bmp", "picture"}}).has_value());
    EXPECT_EQ(bytes(file("a.trasa")) + bytes(file("b.bmp")), "pagepicture");
    EXPECT_EQ(names().size(), 2u);

    // A file system without locks (a share, or Wine's host saying EINVAL): saves go on unlocked.
    for (const unsigned long noLocks : {ERROR_NOT_SUPPORTED, ERROR_INVALID_PARAMETER, ERROR_CALL_NOT_IMPLEMENTED}) {
        calls = systemSaveCalls();
        calls.lock = [noLocks](void*) { return noLocks; };
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(file("a.trasa"), "unlocked"), "saved") << noLocks;
    }
    EXPECT_EQ(bytes(file("a.trasa")), "unlocked");
    EXPECT_EQ(names().size(), 2u);
}

TEST_F(WindowsSave, ASaveThroughALinkReplacesItsTargetAndKeepsTheLink) {
    fs::create_directories(scratch.path() / "kurz");
    fs::create_directories(scratch.path() / "moje");
    const std::string target = file("kurz\\trasa.trasa");
    writeBytes(pathFromUtf8(target), "old");
    const fs::path link = pathFromUtf8(file("moje\\trasa.trasa"));
    if (!::CreateSymbolicLinkW(link.c_str(), L"..\\kurz\\trasa.trasa", SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
        GTEST_SKIP() << (underWine() ? "Wine makes no symbolic links"
                                     : "this account may not make symbolic links (developer mode is off)");
    }
    if (underWine()) {
        GTEST_SKIP() << "Wine's symbolic links are not Windows': it "
                     << (::GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES
                             ? "reports one made and makes none"
                             : "does not resolve them");
    }
    EXPECT_EQ(save(utf8FromPath(link), "new"), "saved");
    EXPECT_EQ(bytes(target), "new");
    const DWORD attributes = ::GetFileAttributesW(link.c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "the link was replaced by a file";
}
