// Which profile file start-up reads, and where one too large to read goes:
// aside under a name of its own, never over another file, never deleted.
#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/ProfileFile.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/FolderEntries.h"

namespace qv {
namespace {

constexpr size_t kLimit = 64; // the limit these cases use, small for speed
constexpr uid_t kNobody = 65534;

std::vector<uint8_t> Bytes(size_t n, uint8_t fill) {
    return std::vector<uint8_t>(n, fill);
}

TEST(ProfileFile, WhatStartUpFindsAtTheProfilesPath) {
    test::TempDir dir;
    const std::string path = dir.File("profile.ini");
    struct Row {
        const char* what;
        std::function<void()> make;
        ProfileFileState state;
        bool writable;
    } rows[] = {
        {"no file", [] {}, ProfileFileState::Missing, true},
        {"an empty file", [&] { test::WriteBytes(path, {}); }, ProfileFileState::Regular, true},
        {"exactly the limit", [&] { test::WriteBytes(path, Bytes(kLimit, 'a')); },
         ProfileFileState::Regular, true},
        {"a dangling link", [&] { ASSERT_EQ(symlink("gone.ini", path.c_str()), 0); },
         ProfileFileState::Missing, true},
        {"a link loop", [&] { ASSERT_EQ(symlink("profile.ini", path.c_str()), 0); },
         ProfileFileState::Unreadable, false},
        {"a folder", [&] { ASSERT_EQ(mkdir(path.c_str(), 0755), 0); }, ProfileFileState::NotAFile,
         false},
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }, ProfileFileState::NotAFile,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::system(("rm -rf '" + path + "' '" + dir.File("gone.ini") + "'").c_str());
        row.make();
        const ProfileFileCheck check = CheckProfileFile(path, kLimit);
        EXPECT_EQ(check.state, row.state);
        EXPECT_EQ(check.Writable(), row.writable);
        EXPECT_FALSE(check.TooLarge());
        EXPECT_TRUE(check.keptAs.empty());
    }
    // A file this user may not read is never written over either (root
    // reads anything: checked as nobody).
    std::system(("rm -rf '" + path + "'").c_str());
    test::WriteBytes(path, Bytes(10, 'a'));
    ASSERT_EQ(chmod(path.c_str(), 0200), 0);
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const bool root = geteuid() == 0;
    if (root)
        ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    const test::ChildEnd end = test::RunInChild([&] {
        if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            return 99;
        const ProfileFileCheck check = CheckProfileFile(path, kLimit);
        return check.state == ProfileFileState::Unreadable && !check.Writable() ? 0 : 1;
    });
    ASSERT_TRUE(end.finished);
    EXPECT_EQ(end.exitCode, 0);
}

// Each profile over the limit goes aside under the next free name; what lay
// there already stays as it was.
TEST(ProfileFile, AProfileOverTheLimitGoesAsideUnderAFreeName) {
    test::TempDir dir;
    const std::string path = dir.File("profile.ini");
    const std::string aside = path + kTooLargeSuffix;
    const std::vector<std::string> expected = {aside, aside + ".2", aside + ".3"};
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<uint8_t> big = Bytes(kLimit + 1 + i, static_cast<uint8_t>('a' + i));
        test::WriteBytes(path, big);
        const ProfileFileCheck check = CheckProfileFile(path, kLimit);
        EXPECT_EQ(check.state, ProfileFileState::SetAside);
        EXPECT_TRUE(check.TooLarge());
        EXPECT_TRUE(check.Writable());
        EXPECT_EQ(check.keptAs, expected[i]);
        EXPECT_EQ(test::ReadBytes(check.keptAs), big);
        EXPECT_EQ(access(path.c_str(), F_OK), -1);
    }
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(test::ReadBytes(expected[i]),
                  Bytes(kLimit + 1 + i, static_cast<uint8_t>('a' + i)));
    EXPECT_EQ(test::FolderEntries(dir.path()).size(), expected.size());
}

// The file a link names goes aside beside itself; the link stays, so the
// next write creates a fresh file through it.
TEST(ProfileFile, ALinkToAProfileOverTheLimitKeepsTheLink) {
    test::TempDir dir;
    ASSERT_EQ(mkdir(dir.File("real").c_str(), 0755), 0);
    const std::string link = dir.File("profile.ini");
    const std::string target = dir.File("real/p.ini");
    test::WriteBytes(target, Bytes(kLimit + 1, 'b'));
    ASSERT_EQ(symlink("real/p.ini", link.c_str()), 0);
    const ProfileFileCheck check = CheckProfileFile(link, kLimit);
    EXPECT_EQ(check.state, ProfileFileState::SetAside);
    EXPECT_EQ(check.keptAs, target + kTooLargeSuffix);
    EXPECT_EQ(test::ReadBytes(check.keptAs), Bytes(kLimit + 1, 'b'));
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    ASSERT_EQ(WriteProfileFile(link, "[x]\n"), 0);
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(test::ReadBytes(target), (std::vector<uint8_t>{'[', 'x', ']', '\n'}));
}

// Where it cannot be renamed (a folder this user may not write), it stays
// where it is and is never written.
TEST(ProfileFile, AProfileOverTheLimitThatCannotMoveIsKeptInPlace) {
    test::TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string folder = dir.File("locked");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/profile.ini";
    test::WriteBytes(path, Bytes(kLimit + 1, 'c'));
    const bool root = geteuid() == 0; // root writes anywhere: check as nobody
    if (!root)
        ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    const test::ChildEnd end = test::RunInChild([&] {
        if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            return 99;
        const ProfileFileCheck check = CheckProfileFile(path, kLimit);
        if (check.state != ProfileFileState::KeptInPlace)
            return 1;
        if (!check.TooLarge() || check.Writable())
            return 2;
        return check.keptAs == path ? 0 : 3;
    });
    chmod(folder.c_str(), 0755);
    ASSERT_TRUE(end.finished);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(test::ReadBytes(path), Bytes(kLimit + 1, 'c'));
    EXPECT_EQ(test::FolderEntries(folder), std::vector<std::string>{"profile.ini"});
}

// What a killed write left beside the profile goes when the profile is
// next opened, also beside the file a link names; nothing goes beside a
// profile that is never written.
TEST(ProfileFile, OpeningRemovesTheTemporaryFileOfAKilledWrite) {
    test::TempDir dir;
    ASSERT_EQ(mkdir(dir.File("real").c_str(), 0755), 0);
    const struct {
        const char* what;
        const char* profile;
        const char* target; // the file the profile is
        bool removed;
    } rows[] = {
        {"a file", "profile.ini", "profile.ini", true},
        {"a link", "link.ini", "real/p.ini", true},
        {"a folder", "folder.ini", "folder.ini", false},
    };
    ASSERT_EQ(symlink("real/p.ini", dir.File("link.ini").c_str()), 0);
    test::WriteBytes(dir.File("profile.ini"), {'a'});
    test::WriteBytes(dir.File("real/p.ini"), {'a'});
    ASSERT_EQ(mkdir(dir.File("folder.ini").c_str(), 0755), 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string target = dir.File(row.target);
        const std::string leftover =
            target.substr(0, target.rfind('/') + 1) + TemporaryNameFor(target);
        test::WriteBytes(leftover, {'n', 'e', 'w'});
        CheckProfileFile(dir.File(row.profile), kLimit);
        EXPECT_EQ(access(leftover.c_str(), F_OK) != 0, row.removed);
        if (row.removed)
            EXPECT_EQ(test::ReadBytes(target), std::vector<uint8_t>{'a'});
    }
}

TEST(ProfileFile, TheFirstWriteCreatesTheProfilesFolders) {
    test::TempDir dir;
    const std::string path = dir.File("config/quorvelis/profile.ini");
    ASSERT_EQ(WriteProfileFile(path, "a=1\n"), 0);
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'a', '=', '1', '\n'}));
    ASSERT_EQ(WriteProfileFile(path, "a=2\n"), 0);
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'a', '=', '2', '\n'}));
    EXPECT_EQ(test::FolderEntries(dir.File("config/quorvelis")),
              std::vector<std::string>{"profile.ini"});
}

} // namespace
} // namespace qv
