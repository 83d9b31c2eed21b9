// Which profile file start-up reads, and where one too large to read goes:
// aside under a name of its own, never over another file, never deleted.
#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "document/ProfileFile.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

constexpr size_t kLimit = 64; // the limit these cases use, small for speed

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

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
    if (geteuid() != 0) { // root reads it anyway
        std::remove(path.c_str());
        test::WriteBytes(path, Bytes(10, 'a'));
        ASSERT_EQ(chmod(path.c_str(), 0), 0);
        EXPECT_EQ(CheckProfileFile(path, kLimit).state, ProfileFileState::Unreadable);
    }
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
        EXPECT_EQ(test::ReadBytes(expected[i]), Bytes(kLimit + 1 + i, static_cast<uint8_t>('a' + i)));
    EXPECT_EQ(Entries(dir.path()).size(), expected.size());
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

// Where it cannot be renamed, it stays where it is and is never written.
TEST(ProfileFile, AProfileOverTheLimitThatCannotMoveIsKeptInPlace) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root renames in a read-only folder";
    test::TempDir dir;
    ASSERT_EQ(mkdir(dir.File("locked").c_str(), 0755), 0);
    const std::string path = dir.File("locked/profile.ini");
    test::WriteBytes(path, Bytes(kLimit + 1, 'c'));
    ASSERT_EQ(chmod(dir.File("locked").c_str(), 0555), 0);
    const ProfileFileCheck check = CheckProfileFile(path, kLimit);
    chmod(dir.File("locked").c_str(), 0755);
    EXPECT_EQ(check.state, ProfileFileState::KeptInPlace);
    EXPECT_TRUE(check.TooLarge());
    EXPECT_FALSE(check.Writable());
    EXPECT_EQ(check.keptAs, path);
    EXPECT_EQ(test::ReadBytes(path), Bytes(kLimit + 1, 'c'));
}

TEST(ProfileFile, TheFirstWriteCreatesTheProfilesFolders) {
    test::TempDir dir;
    const std::string path = dir.File("config/quorvelis/profile.ini");
    ASSERT_EQ(WriteProfileFile(path, "a=1\n"), 0);
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'a', '=', '1', '\n'}));
    ASSERT_EQ(WriteProfileFile(path, "a=2\n"), 0);
    EXPECT_EQ(test::ReadBytes(path), (std::vector<uint8_t>{'a', '=', '2', '\n'}));
    EXPECT_EQ(Entries(dir.File("config/quorvelis")), std::vector<std::string>{"profile.ini"});
}

} // namespace
} // namespace qv
