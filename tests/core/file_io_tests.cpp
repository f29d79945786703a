// The one helper every save goes through: symbolic links at and around the target, the old
// file's permissions, each system call failing in turn, and saves running at the same time.
#include "test_files.h"
#include "text/file_io.h"
#include "text/file_io_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

/// Whether `name` has the shape of a save's temporary file, ".<name>.<random>.lumor-tmp".
bool isTemporaryName(const std::string& name) {
    return name.size() > 12 && name.front() == '.' && name.ends_with(".lumor-tmp");
}

std::size_t openDescriptors() {
    const auto entries = fs::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

const std::string kAllNamesTaken = "nepodařilo se vytvořit dočasný soubor, všechna zkoušená jména jsou obsazena";

class FileIoTest : public ::testing::Test {
protected:
    fs::path file(const std::string& name) const { return dir / name; }

    /// "saved", or the reason the save gave.
    static std::string save(const fs::path& target, const std::string& bytes) {
        const auto error = writeFileAtomically(target.string(), bytes);
        return error ? *error : "saved";
    }
    /// The names in `folder`, sorted.
    static std::vector<std::string> names(const fs::path& folder) {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }

    ScratchFolder scratch{"file_io"};
    const fs::path dir = scratch.path();
};

/// System calls that plant a symbolic link to `victim` at the temporary name a save is about
/// to create, then make the real call; `plantAll` plants at every attempt, else at the first.
SaveCalls plantingCalls(const fs::path& victim, bool plantAll, std::vector<std::string>& planted) {
    SaveCalls calls = systemSaveCalls();
    calls.open = [victim, plantAll, &planted, realOpen = calls.open](const char* path, int flags, mode_t mode) {
        if ((flags & O_CREAT) != 0 && (plantAll || planted.empty())) {
            fs::create_symlink(victim, path);
            planted.push_back(path);
        }
        return realOpen(path, flags, mode);
    };
    return calls;
}

}  // namespace

TEST_F(FileIoTest, LinksPlantedAtTemporaryNamesAreNeverFollowed) {
    writeBytes(file("victim"), "victim's bytes");
    writeBytes(file("plain.komp"), "old");

    // At the name older versions used for every save of this file.
    fs::create_symlink(file("victim"), file("plain.komp.lumor-tmp"));
    EXPECT_EQ(save(file("plain.komp"), "first"), "saved");
    EXPECT_EQ(bytesOf(file("victim")), "victim's bytes");
    EXPECT_EQ(bytesOf(file("plain.komp")), "first");
    fs::remove(file("plain.komp.lumor-tmp"));

    // At exactly the name the save is creating: it takes another name.
    std::vector<std::string> planted;
    {
        ScopedSaveCalls scoped(plantingCalls(file("victim"), false, planted));
        EXPECT_EQ(save(file("plain.komp"), "second"), "saved");
    }
    ASSERT_EQ(planted.size(), 1u);
    EXPECT_EQ(fs::path(planted[0]).parent_path(), dir);
    EXPECT_TRUE(isTemporaryName(fs::path(planted[0]).filename().string())) << planted[0];
    EXPECT_EQ(bytesOf(file("victim")), "victim's bytes");
    EXPECT_EQ(bytesOf(file("plain.komp")), "second");
    EXPECT_TRUE(fs::is_symlink(planted[0])) << "the save removed an entry that was not its own";
    EXPECT_EQ(names(dir), (std::vector<std::string>{fs::path(planted[0]).filename().string(), "plain.komp", "victim"}));
    fs::remove(planted[0]);

    // At every name it tries: it gives up, with the old file as it was.
    planted.clear();
    {
        ScopedSaveCalls scoped(plantingCalls(file("victim"), true, planted));
        EXPECT_EQ(save(file("plain.komp"), "third"), kAllNamesTaken);
    }
    EXPECT_GT(planted.size(), 1u);
    EXPECT_EQ(std::set<std::string>(planted.begin(), planted.end()).size(), planted.size()) << "a name tried twice";
    EXPECT_EQ(bytesOf(file("victim")), "victim's bytes");
    EXPECT_EQ(bytesOf(file("plain.komp")), "second");
    for (const auto& p : planted) fs::remove(p);
    EXPECT_EQ(names(dir), (std::vector<std::string>{"plain.komp", "victim"}));
}

TEST_F(FileIoTest, SaveThroughALinkReplacesItsFinalTargetAndKeepsTheLink) {
    fs::create_directories(file("a"));
    fs::create_directories(file("b"));
    writeBytes(file("b/real.komp"), "old");

    std::vector<std::string> created;  // the temporary files the saves opened
    SaveCalls calls = systemSaveCalls();
    calls.open = [&created, realOpen = calls.open](const char* path, int flags, mode_t mode) {
        if ((flags & O_CREAT) != 0) created.push_back(path);
        return realOpen(path, flags, mode);
    };
    ScopedSaveCalls scoped(calls);

    struct Link {
        fs::path at;
        fs::path to;
    };
    const std::vector<Link> links = {
        {file("absolute.komp"), file("b/real.komp")},
        {file("a/relative.komp"), "../b/real.komp"},  // relative to the link's own folder
        {file("chain1.komp"), "chain2.komp"},         // a chain: relative, then absolute
        {file("chain2.komp"), file("a/relative.komp")},
    };
    for (const Link& l : links) fs::create_symlink(l.to, l.at);

    int n = 0;
    for (const fs::path& start : {file("absolute.komp"), file("a/relative.komp"), file("chain1.komp")}) {
        const std::string content = "content " + std::to_string(++n);
        EXPECT_EQ(save(start, content), "saved") << start;
        EXPECT_EQ(bytesOf(file("b/real.komp")), content) << start;
        for (const Link& l : links) {
            ASSERT_TRUE(fs::is_symlink(l.at)) << l.at << " after saving " << start;
            EXPECT_EQ(fs::read_symlink(l.at), l.to) << l.at;
        }
    }
    // The temporary file sits beside the final target, so the rename stays in its folder.
    ASSERT_EQ(created.size(), 3u);
    for (const auto& c : created) EXPECT_EQ(fs::canonical(fs::path(c).parent_path()), fs::canonical(file("b"))) << c;
    EXPECT_EQ(names(file("a")), std::vector<std::string>{"relative.komp"});
    EXPECT_EQ(names(file("b")), std::vector<std::string>{"real.komp"});
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file("b/real.komp"))));
}

TEST_F(FileIoTest, DanglingLinksLoopsFoldersAndNoName) {
    // A link to nothing yet: the save creates the file it names.
    fs::create_symlink("new.komp", file("dangling.komp"));
    EXPECT_EQ(save(file("dangling.komp"), "made"), "saved");
    EXPECT_TRUE(fs::is_symlink(file("dangling.komp")));
    EXPECT_EQ(bytesOf(file("new.komp")), "made");

    // Links that never end in a file.
    fs::create_symlink("loop2", file("loop1"));
    fs::create_symlink("loop1", file("loop2"));
    fs::create_symlink("self", file("self"));
    for (const char* name : {"loop1", "self"}) {
        EXPECT_EQ(save(file(name), "x"), "symbolické odkazy v cestě tvoří smyčku") << name;
    }
    EXPECT_EQ(save(file("loop1") / "below.komp", "x"), "symbolické odkazy v cestě tvoří smyčku");

    // A folder, a link to one, and a name that ends in a separator.
    fs::create_directories(file("folder"));
    fs::create_symlink(file("folder"), file("folder-link"));
    EXPECT_EQ(save(file("folder"), "x"), "pod tímto jménem je složka");
    EXPECT_EQ(save(file("folder-link"), "x"), "pod tímto jménem je složka");
    EXPECT_EQ(save(dir.string() + "/missing/", "x"), "pod tímto jménem je složka");
    EXPECT_EQ(save("", "x"), "složka neexistuje");  // no name at all
    EXPECT_TRUE(fs::is_empty(file("folder")));
    EXPECT_TRUE(fs::is_symlink(file("folder-link")));
    EXPECT_EQ(names(dir), (std::vector<std::string>{"dangling.komp", "folder", "folder-link", "loop1", "loop2",
                                                    "new.komp", "self"}));
}

TEST_F(FileIoTest, AReplacedFileKeepsItsModeAndANewFileGetsTheUsualOne) {
    for (const mode_t mode : {mode_t(0640), mode_t(0600), mode_t(0444), mode_t(0664)}) {
        writeBytes(file("kept.komp"), "old");
        fs::permissions(file("kept.komp"), static_cast<fs::perms>(mode));
        EXPECT_EQ(save(file("kept.komp"), "new"), "saved");
        EXPECT_EQ(bytesOf(file("kept.komp")), "new");
        EXPECT_EQ(modeOf(file("kept.komp")), mode) << std::oct << mode;
        fs::remove(file("kept.komp"));
    }

    // The old mode is in place before the first byte: no other user ever reads a private file.
    std::vector<std::string> log;
    SaveCalls calls = systemSaveCalls();
    calls.fchmod = [&log, real = calls.fchmod](int fd, mode_t mode) {
        log.push_back("fchmod " + std::to_string(mode));
        return real(fd, mode);
    };
    calls.write = [&log, real = calls.write](int fd, const void* data, size_t size) {
        log.push_back("write");
        return real(fd, data, size);
    };
    writeBytes(file("private.komp"), "old");
    fs::permissions(file("private.komp"), fs::perms::owner_read | fs::perms::owner_write);
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(file("private.komp"), "new"), "saved");
    }
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "fchmod " + std::to_string(0600));

    const mode_t before = ::umask(022);
    EXPECT_EQ(save(file("new022.komp"), "x"), "saved");
    ::umask(077);
    EXPECT_EQ(save(file("new077.komp"), "x"), "saved");
    ::umask(before);
    EXPECT_EQ(modeOf(file("new022.komp")), mode_t(0644));
    EXPECT_EQ(modeOf(file("new077.komp")), mode_t(0600));
}

TEST_F(FileIoTest, AReplacedFileKeepsItsGroupWhereTheUserMayGiveIt) {
    writeBytes(file("shared.komp"), "old");
    gid_t other = ::getegid();
    if (::geteuid() == 0) {
        other = 4242;  // root may give any group, even one without a name
    } else {
        std::vector<gid_t> groups(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
        groups.resize(
            static_cast<std::size_t>(std::max(0, ::getgroups(static_cast<int>(groups.size()), groups.data()))));
        for (gid_t g : groups) {
            if (g != ::getegid()) other = g;
        }
    }
    if (other == ::getegid()) GTEST_SKIP() << "the user belongs to one group only";
    ASSERT_EQ(::chown(file("shared.komp").c_str(), static_cast<uid_t>(-1), other), 0);
    ::chmod(file("shared.komp").c_str(), 0660);
    EXPECT_EQ(save(file("shared.komp"), "new"), "saved");
    struct stat st {};
    ASSERT_EQ(::stat(file("shared.komp").c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, other);
    EXPECT_EQ(st.st_mode & 07777, mode_t(0660));
}

TEST_F(FileIoTest, ACallFailingBeforeTheRenameLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* name;
        std::function<void(SaveCalls&)> breakIt;
        std::string reason;
    };
    const auto failWith = [](int error) {
        errno = error;
        return -1;
    };
    const std::vector<Case> cases = {
        {"open", [&](SaveCalls& c) { c.open = [&](const char*, int, mode_t) { return failWith(EACCES); }; },
         "přístup odepřen"},
        {"second write, after part of the bytes",
         [&](SaveCalls& c) {
             c.write = [&, real = c.write, calls = 0](int fd, const void* data, size_t size) mutable -> ssize_t {
                 if (++calls == 1) return real(fd, data, std::min<size_t>(size, 1000));
                 return failWith(ENOSPC);
             };
         },
         "na disku není místo"},
        {"fsync", [&](SaveCalls& c) { c.fsync = [&](int) { return failWith(EIO); }; },
         "disk ohlásil chybu čtení nebo zápisu"},
        {"close, which a network disk uses to report the quota",
         [&](SaveCalls& c) {
             c.close = [&, real = c.close](int fd) {
                 real(fd);
                 return failWith(EDQUOT);
             };
         },
         "byla překročena disková kvóta"},
        {"rename", [&](SaveCalls& c) { c.rename = [&](const char*, const char*) { return failWith(EROFS); }; },
         "disk je jen pro čtení"},
    };
    const std::string old(5000, 'o');
    writeBytes(file("keep.komp"), old);
    const std::size_t descriptors = openDescriptors();
    for (const Case& c : cases) {
        SaveCalls calls = systemSaveCalls();
        c.breakIt(calls);
        {
            ScopedSaveCalls scoped(calls);
            EXPECT_EQ(save(file("keep.komp"), std::string(3000, 'n')), c.reason) << c.name;
        }
        EXPECT_EQ(bytesOf(file("keep.komp")), old) << c.name;
        EXPECT_EQ(names(dir), std::vector<std::string>{"keep.komp"}) << c.name;
        EXPECT_EQ(openDescriptors(), descriptors) << c.name << ": a descriptor left open";
    }
}

TEST_F(FileIoTest, ShortWritesInterruptionsAndDisksWithoutSyncStillSaveEveryByte) {
    std::string bytes;
    for (int i = 0; i < 100000; ++i) bytes += static_cast<char>((i * 7919) & 0xFF);  // NULs included
    SaveCalls calls = systemSaveCalls();
    int writes = 0, fsyncs = 0;
    calls.write = [&, real = calls.write](int fd, const void* data, size_t size) -> ssize_t {
        if (++writes % 2 == 1) {
            errno = EINTR;
            return -1;
        }
        return real(fd, data, std::min<size_t>(size, 777));
    };
    calls.fsync = [&, real = calls.fsync](int fd) {
        if (++fsyncs == 1) {
            errno = EINTR;
            return -1;
        }
        return real(fd);
    };
    calls.close = [real = calls.close](int fd) {  // Linux closes the descriptor all the same
        real(fd);
        errno = EINTR;
        return -1;
    };
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(file("whole.bin"), bytes), "saved");
    }
    EXPECT_EQ(bytesOf(file("whole.bin")), bytes);
    EXPECT_GT(writes, 200);

    // Some network and FUSE file systems cannot sync at all; that refuses no save.
    calls = systemSaveCalls();
    calls.fsync = [](int) {
        errno = EINVAL;
        return -1;
    };
    {
        ScopedSaveCalls scoped(calls);
        EXPECT_EQ(save(file("whole.bin"), "on a disk without sync"), "saved");
    }
    EXPECT_EQ(bytesOf(file("whole.bin")), "on a disk without sync");
    EXPECT_EQ(names(dir), std::vector<std::string>{"whole.bin"});
}

TEST_F(FileIoTest, TheFileIsSyncedBeforeTheRenameAndTheFolderAfterIt) {
    writeBytes(file("order.komp"), "old");
    std::vector<std::string> log;
    int folderFd = -1, fileFd = -1;
    bool failFolderSync = false;
    SaveCalls calls = systemSaveCalls();
    calls.open = [&, real = calls.open](const char* path, int flags, mode_t mode) {
        const int fd = real(path, flags, mode);
        if ((flags & O_DIRECTORY) != 0) {
            folderFd = fd;
            log.push_back(std::string("open folder ") + (fs::equivalent(path, dir) ? "of the file" : "ELSEWHERE"));
        } else {
            fileFd = fd;
            log.push_back("open file");
        }
        return fd;
    };
    calls.write = [&, real = calls.write](int fd, const void* data, size_t size) {
        if (log.back() != "write") log.push_back("write");
        return real(fd, data, size);
    };
    calls.fsync = [&, real = calls.fsync](int fd) {
        log.push_back(fd == fileFd ? "fsync file" : fd == folderFd ? "fsync folder" : "fsync OTHER");
        if (fd == folderFd && failFolderSync) {
            errno = EIO;
            return -1;
        }
        return real(fd);
    };
    calls.close = [&, real = calls.close](int fd) {
        log.push_back(fd == fileFd ? "close file" : fd == folderFd ? "close folder" : "close OTHER");
        if (fd == fileFd) fileFd = -1;  // the folder may get the same number next
        if (fd == folderFd) folderFd = -1;
        return real(fd);
    };
    calls.rename = [&, real = calls.rename](const char* from, const char* to) {
        log.push_back("rename");
        return real(from, to);
    };
    ScopedSaveCalls scoped(calls);
    EXPECT_EQ(save(file("order.komp"), "new"), "saved");
    EXPECT_EQ(log, (std::vector<std::string>{"open file", "write", "fsync file", "close file", "rename",
                                             "open folder of the file", "fsync folder", "close folder"}));

    // A folder that cannot be synced after the rename: the new file is in place and every
    // program reads it, so the save is not reported as failed.
    failFolderSync = true;
    log.clear();
    EXPECT_EQ(save(file("order.komp"), "newer"), "saved");
    EXPECT_EQ(log.back(), "close folder");
    EXPECT_EQ(bytesOf(file("order.komp")), "newer");
    EXPECT_EQ(names(dir), std::vector<std::string>{"order.komp"});
}

TEST_F(FileIoTest, NamesNearTheLengthLimitGetATemporaryNameWithinIt) {
    std::vector<std::string> created;
    SaveCalls calls = systemSaveCalls();
    calls.open = [&created, real = calls.open](const char* path, int flags, mode_t mode) {
        if ((flags & O_CREAT) != 0) created.push_back(fs::path(path).filename().string());
        return real(path, flags, mode);
    };
    ScopedSaveCalls scoped(calls);
    const std::string ascii(250, 'a');
    std::string czech;
    for (int i = 0; i < 125; ++i) czech += "č";  // 250 bytes, two to a character
    for (const std::string& name : {ascii, czech}) {
        created.clear();
        EXPECT_EQ(save(file(name), "long"), "saved");
        EXPECT_EQ(bytesOf(file(name)), "long");
        ASSERT_EQ(created.size(), 1u);
        const std::string& temp = created[0];
        EXPECT_LE(temp.size(), 255u);
        EXPECT_TRUE(isTemporaryName(temp)) << temp;
        const std::string stem = temp.substr(1, temp.find('.', 1) - 1);  // the name's kept part
        EXPECT_EQ(name.rfind(stem, 0), 0u) << temp;
        EXPECT_EQ(stem.size() % 2, 0u) << "a character was cut in two";
    }
    EXPECT_EQ(names(dir), (std::vector<std::string>{ascii, czech}));
}

namespace {

/// The content the saves below write: which process and which save, then a fill that makes
/// sizes differ, so that a mix of two contents or a cut one cannot pass for a written one.
std::string concurrentContent(int process, int save) {
    const std::size_t size =
        process == 0 ? 1000 + 397 * static_cast<std::size_t>(save) : 60000 - 211 * static_cast<std::size_t>(save);
    // Built with append: GCC 12 misreads "literal" + std::string&& in Release builds (-Wrestrict).
    std::string head = "P";
    head.append(std::to_string(process)).append(":").append(std::to_string(save)).append(":");
    return head + std::string(size, static_cast<char>('a' + (save + process * 13) % 26));
}

/// Whether `bytes` is exactly one of the contents concurrentContent gives.
bool isAWrittenContent(const std::string& bytes) {
    int process = -1, save = -1;
    if (std::sscanf(bytes.c_str(), "P%d:%d:", &process, &save) != 2) return false;
    return process >= 0 && process <= 1 && save >= 0 && save < 1000 && bytes == concurrentContent(process, save);
}

}  // namespace

TEST_F(FileIoTest, SavesInARowAndFromTwoProcessesAtOnceLeaveOneCompleteFile) {
    const fs::path target = file("shared.komp");
    ASSERT_EQ(save(target, concurrentContent(0, 0)), "saved");
    ASSERT_EQ(save(target, concurrentContent(1, 0)), "saved");
    EXPECT_EQ(bytesOf(target), concurrentContent(1, 0));

    constexpr int kSaves = 100;
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
        children[p] = ::fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            int failed = 0;
            for (int i = 1; i <= kSaves; ++i)
                failed += writeFileAtomically(target.string(), concurrentContent(p, i)) ? 1 : 0;
            ::_exit(failed == 0 ? 0 : 1);
        }
    }
    // Meanwhile every read finds one whole content, never a cut or mixed one, never nothing.
    int reads = 0, broken = 0;
    int status[2] = {0, 0};
    bool ended[2] = {false, false};
    while (!ended[0] || !ended[1]) {
        ++reads;
        if (!isAWrittenContent(bytesOf(target))) ++broken;
        for (int p = 0; p < 2; ++p) {
            if (!ended[p]) ended[p] = ::waitpid(children[p], &status[p], WNOHANG) == children[p];
        }
    }
    for (int p = 0; p < 2; ++p) {
        EXPECT_TRUE(WIFEXITED(status[p]) && WEXITSTATUS(status[p]) == 0) << "process " << p << " failed a save";
    }
    EXPECT_EQ(broken, 0) << "of " << reads << " reads";
    const std::string last = bytesOf(target);
    EXPECT_TRUE(last == concurrentContent(0, kSaves) || last == concurrentContent(1, kSaves)) << last.substr(0, 20);
    EXPECT_EQ(names(dir), std::vector<std::string>{"shared.komp"});
}

namespace {

/// Every call of the table counted in `counted`; at call `killAt` (from 1) the process dies
/// before making it, as at a power cut. Renaming onto `failingName` fails with EIO.
SaveCalls dyingAt(int killAt, int& counted, const std::string& failingName = {}) {
    SaveCalls calls = systemSaveCalls();
    const auto tick = [killAt, &counted] { ++counted == killAt&& ::raise(SIGKILL); };
    const auto count = [&tick](auto& call) {
        call = [real = call, tick](auto... args) { return tick(), real(args...); };
    };
    count(calls.open), count(calls.write), count(calls.fsync), count(calls.fchmod), count(calls.fchown);
    count(calls.close), count(calls.unlink), count(calls.link), count(calls.flock), count(calls.sleep);
    calls.rename = [tick, failingName, real = calls.rename](const char* from, const char* to) {
        tick();
        return fs::path(to).filename() != failingName ? real(from, to) : (errno = EIO, -1);
    };
    return calls;
}

}  // namespace

TEST_F(FileIoTest, AWriterKilledAtAnyCallLeavesAWholeSetAndTheNextWriterNothingElse) {
    const std::vector<std::string> set = {"Protokol.html", "Protokol.pdf", "att.bmp", "cd.bmp", "pmd.bmp"};  // sorted
    const auto write = [&](int generation) {
        std::vector<NamedFile> files;
        for (const auto& n : set) files.push_back({n, std::to_string(generation) + ":" + std::string(generation, 'x')});
        return writeFileSet(dir.string(), files).has_value() ? "failed" : "written";
    };
    // The generations the set's files are of: one alone when the set is whole.
    const auto generations = [&] {
        std::set<std::string> out;
        for (const auto& n : set) out.insert(bytesOf(file(n)).substr(0, bytesOf(file(n)).find(':')));
        return out;
    };
    // The calls of a whole write, and of one whose fourth rename fails and which puts the old set back.
    int calls[2] = {0, 0};
    for (int failing = 0; failing < 2; ++failing) {
        ScopedSaveCalls counting(dyingAt(0, calls[failing], failing ? "Protokol.pdf" : ""));
        EXPECT_EQ(write(1), failing ? "failed" : "written");
    }
    std::mt19937 random(28);
    for (int round = 2; round < 32; ++round) {
        const int failing = round % 3 == 0 ? 1 : 0;
        const int killAt = std::uniform_int_distribution<int>(1, calls[failing])(random);
        const pid_t child = ::fork();
        if (child == 0) {
            int counted = 0;
            ScopedSaveCalls dying(dyingAt(killAt, counted, failing ? "Protokol.pdf" : ""));
            ::_exit(write(round) == std::string("written") ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the writer was not killed";
        // Every other kill is settled as the program does at start-up, the others by the next writer.
        if (round % 2 == 0) {
            EXPECT_FALSE(finishInterruptedWrites(dir.string()).has_value());
            EXPECT_EQ(generations().size(), 1u) << "round " << round << ", killed at call " << killAt;
            EXPECT_EQ(names(dir), set);
        }
    }
    EXPECT_EQ(write(40), std::string("written"));
    EXPECT_EQ(generations(), std::set<std::string>{"40"});
    EXPECT_EQ(names(dir), set);
}
