// What a save must never do: replace a file the user may not write, fail on
// a long name, replace a symbolic link, or leave partial files behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/FileReplace.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/FolderEntries.h"

namespace qv {
namespace {

constexpr uid_t kNobody = 65534;
constexpr uid_t kStranger = 12345; // owns files, never runs anything

class SettingsSave : public ::testing::Test {
protected:
    test::FixedClock clock;
    test::FixedUser user;
    test::TempDir dir;
    CQuorvelDoc doc{kCodePageJapanese, clock, user};

    void SetUp() override { doc.Blocks().unit.SetU8(0, 'N'); }
    // The saved files differ from the old one at byte 64.
    static std::vector<uint8_t> OldBytes() { return std::vector<uint8_t>(kImageSize, 'o'); }
};

struct PermissionRow {
    const char* what;
    bool asNobody; // save as an unprivileged user (only when the test runs as root)
    uid_t owner;   // of the old file; 0 stands for the user saving
    gid_t group;   // likewise
    mode_t mode;
    int result; // 0 or the creation error
};

TEST_F(SettingsSave, AFileWhosePermissionsDenyWritingIsNotReplaced) {
    const bool root = geteuid() == 0;
    const PermissionRow rows[] = {
        {"own file, read-only", false, 0, 0, 0444, EACCES},
        {"own file, writable by the owner only", false, 0, 0, 0200, 0},
        {"own file, writable", false, 0, 0, 0644, 0},
        // Root may write another's file, so only a file without a write bit is protected.
        {"root: another's file without write permission for others", false, kStranger, kStranger,
         0644, 0},
        {"root: another's read-only file", false, kStranger, kStranger, 0444, EACCES},
        {"another's file, others may not write", true, kStranger, kStranger, 0644, EACCES},
        {"another's file, others may write", true, kStranger, kStranger, 0666, 0},
        {"another's file, our group may write", true, kStranger, kNobody, 0664, 0},
        {"another's file, our group may not write", true, kStranger, kNobody, 0644, EACCES},
        {"own file, read-only", true, kNobody, kNobody, 0444, EACCES},
        {"own file, writable", true, kNobody, kNobody, 0600, 0},
    };
    // A folder everyone may write in: the rename alone would succeed.
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string folder = dir.File("shared");
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
    int n = 0;
    for (const PermissionRow& row : rows) {
        const bool needsRoot = row.asNobody || row.owner != 0;
        if (needsRoot && !root)
            continue;
        SCOPED_TRACE(std::string(row.asNobody ? "as nobody: " : "") + row.what);
        const std::string path = folder + "/f" + std::to_string(n++) + ".qv";
        test::WriteBytes(path, OldBytes());
        ASSERT_EQ(chown(path.c_str(), row.owner ? row.owner : geteuid(),
                        row.group ? row.group : getegid()),
                  0);
        ASSERT_EQ(chmod(path.c_str(), row.mode), 0);

        const test::ChildEnd end = test::RunInChild([&] {
            if (row.asNobody &&
                (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
                return 99;
            const int rc = doc.SaveSettingsFile(path);
            // The document keeps its unsaved state after a refusal.
            if (rc != 0 && (doc.IsUnmodified() || !doc.IsUntitled()))
                return 98;
            return rc >= 0 ? rc : 97;
        });
        ASSERT_TRUE(end.finished);
        EXPECT_EQ(end.exitCode, row.result);
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        if (row.result != 0) {
            EXPECT_EQ(test::ReadBytes(path), OldBytes());
            EXPECT_EQ(st.st_uid, row.owner ? row.owner : geteuid());
        } else {
            EXPECT_EQ(test::ReadBytes(path).at(64), 'N');
        }
        EXPECT_EQ(st.st_mode & 07777, row.mode); // kept either way
    }
    // Nothing but the files themselves is left in the folder.
    EXPECT_EQ(test::FolderEntries(folder).size(), static_cast<size_t>(n));
}

TEST_F(SettingsSave, TheLongestNameTheFileSystemTakesCanBeSaved) {
    const long nameMax = pathconf(dir.path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 3);
    const std::string name = std::string(static_cast<size_t>(nameMax) - 3, 'n') + ".qv";
    const std::string path = dir.File(name);
    ASSERT_EQ(doc.SaveSettingsFile(path), 0);
    EXPECT_EQ(doc.PathName(), path);
    // And again over the existing file.
    doc.Blocks().unit.SetU8(0, 'M');
    ASSERT_EQ(doc.SaveSettingsFile(path), 0);
    EXPECT_EQ(test::ReadBytes(path).at(64), 'M');
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{name});
}

// The downloads' replacement, written in pieces: the longest name the file
// system takes, with either temporary, new and over a copy; a symbolic link
// at the name is replaced, not written through; nothing else is left.
TEST_F(SettingsSave, APieceWiseReplacementTakesTheLongestNameAndReplacesALink) {
    const long nameMax = pathconf(dir.path().c_str(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 4);
    const std::string name(static_cast<size_t>(nameMax), 'n');
    const std::string target = dir.File(name);
    const std::string elsewhere = dir.File("elsewhere");
    for (bool unnamed : {true, false}) {
        for (bool overLink : {false, true}) {
            SCOPED_TRACE(std::string(unnamed ? "unnamed" : "named") + (overLink ? ", link" : ""));
            test::WriteBytes(elsewhere, {1, 2, 3});
            if (overLink) {
                unlink(target.c_str());
                ASSERT_EQ(symlink(elsewhere.c_str(), target.c_str()), 0);
            }
            ReplaceOptions options;
            options.unnamedTemporary = unnamed;
            options.sync = false;
            FileReplacement file(target, options);
            ASSERT_EQ(file.Create(), 0);
            ASSERT_EQ(file.Write("ab", 2), 0);
            ASSERT_EQ(file.Write("cd", 2), 0);
            ASSERT_EQ(file.Commit(), 0);
            EXPECT_EQ(test::ReadBytes(target), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
            EXPECT_EQ(test::ReadBytes(elsewhere), (std::vector<uint8_t>{1, 2, 3}));
            EXPECT_EQ(test::FolderEntries(dir.path()),
                      (std::vector<std::string>{"elsewhere", name}));
        }
    }
    // Dropped before its end, it leaves the copy as it was and nothing else.
    for (bool unnamed : {true, false}) {
        ReplaceOptions options;
        options.unnamedTemporary = unnamed;
        {
            FileReplacement file(target, options);
            ASSERT_EQ(file.Create(), 0);
            ASSERT_EQ(file.Write("x", 1), 0);
        }
        EXPECT_EQ(test::ReadBytes(target), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
        EXPECT_EQ(test::FolderEntries(dir.path()), (std::vector<std::string>{"elsewhere", name}));
    }
}

// The link stays; the save creates the file it names, as when that exists.
TEST_F(SettingsSave, ADanglingSymbolicLinkGetsTheFileItNames) {
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    struct Row {
        const char* link;
        const char* points; // as written in the link
        const char* created;
    } rows[] = {
        {"relative.qv", "made.qv", "made.qv"},
        {"sub/up.qv", "../from-sub.qv", "from-sub.qv"},
        {"chain.qv", "relative2.qv", "end.qv"}, // a link to a dangling link
        {"absolute.qv", nullptr, "sub/absolute-target.qv"},
    };
    ASSERT_EQ(symlink("end.qv", dir.File("relative2.qv").c_str()), 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.link);
        const std::string link = dir.File(row.link);
        const std::string points = row.points ? row.points : dir.File(row.created);
        ASSERT_EQ(symlink(points.c_str(), link.c_str()), 0);
        ASSERT_EQ(doc.SaveSettingsFile(link), 0);
        struct stat st {};
        ASSERT_EQ(lstat(link.c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode));
        ASSERT_EQ(lstat(dir.File(row.created).c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(test::ReadBytes(link).at(64), 'N');
        EXPECT_EQ(doc.PathName(), link);
    }
}

// The process dies in the middle of writing (the file size limit kills it
// there, as it would a kill -9): the old file stays whole and no partial file
// is left, however often it happens.
TEST_F(SettingsSave, ASaveKilledWhileWritingLeavesNothingBehind) {
    const std::string target = dir.File("plant.qv");
    test::WriteBytes(target, OldBytes());
    for (rlim_t limit : {rlim_t{1}, rlim_t{4096}, rlim_t{65537}, rlim_t{kImageSize - 1}}) {
        SCOPED_TRACE(limit);
        const test::ChildEnd end = test::RunInChild([&] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit noCore{0, 0};
            const rlimit size{limit, limit};
            if (setrlimit(RLIMIT_CORE, &noCore) != 0 || setrlimit(RLIMIT_FSIZE, &size) != 0)
                return 99;
            doc.SaveSettingsFile(target);
            return 0;
        });
        ASSERT_TRUE(end.finished);
        EXPECT_EQ(end.signal, SIGXFSZ);
        EXPECT_EQ(test::ReadBytes(target), OldBytes());
        EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"plant.qv"});
    }
    ASSERT_EQ(doc.SaveSettingsFile(target), 0);
    EXPECT_EQ(test::ReadBytes(target).at(64), 'N');
    EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"plant.qv"});
}

// A save killed at any point leaves the old file whole. With an unnamed
// temporary nothing else is left until the new file is complete; the named
// temporary of the fallback is one fixed file at most, which the next save
// removes.
TEST_F(SettingsSave, AKilledSaveLeavesNoPartialFileAndNothingPilesUp) {
    const std::string target = dir.File("plant.qv");
    const std::vector<uint8_t> oldBytes = OldBytes();
    const std::vector<uint8_t> newBytes(kImageSize, 'n');
    const std::string temp = TemporaryNameFor(target);
    struct Row {
        bool unnamed;
        ReplaceStep killAt;
        int occurrence; // the n-th time the step is reached
        bool tempLeft;  // a complete new file under the temporary name
    } rows[] = {
        {true, ReplaceStep::Created, 1, false}, {true, ReplaceStep::Wrote, 1, false},
        {true, ReplaceStep::Synced, 1, false},  {true, ReplaceStep::Named, 1, true},
        {false, ReplaceStep::Created, 1, true}, {false, ReplaceStep::Wrote, 1, true},
        {false, ReplaceStep::Synced, 1, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.unnamed ? "unnamed" : "named") + " temporary, step " +
                     std::to_string(static_cast<int>(row.killAt)));
        test::WriteBytes(target, oldBytes);
        for (int round = 0; round < 3; ++round) { // repeated kills do not pile up
            const test::ChildEnd end = test::RunInChild([&] {
                ReplaceOptions options;
                options.unnamedTemporary = row.unnamed;
                int seen = 0;
                options.onStep = [&](ReplaceStep step) {
                    if (step == row.killAt && ++seen == row.occurrence)
                        std::raise(SIGKILL);
                };
                return ReplaceFileContents(target, newBytes.data(), newBytes.size(), options).error;
            });
            ASSERT_TRUE(end.finished);
            ASSERT_EQ(end.signal, SIGKILL);
            EXPECT_EQ(test::ReadBytes(target), oldBytes);
            const std::vector<std::string> left = test::FolderEntries(dir.path());
            if (row.tempLeft && row.unnamed) {
                EXPECT_EQ(left, (std::vector<std::string>{temp, "plant.qv"}));
                EXPECT_EQ(test::ReadBytes(dir.File(temp)), newBytes);
            } else if (row.tempLeft) {
                EXPECT_EQ(left, (std::vector<std::string>{temp, "plant.qv"}));
            } else {
                EXPECT_EQ(left, std::vector<std::string>{"plant.qv"});
            }
        }
        ReplaceOptions options;
        options.unnamedTemporary = row.unnamed;
        ASSERT_EQ(ReplaceFileContents(target, newBytes.data(), newBytes.size(), options).error, 0);
        EXPECT_EQ(test::ReadBytes(target), newBytes);
        EXPECT_EQ(test::FolderEntries(dir.path()), std::vector<std::string>{"plant.qv"});
    }
}

// Whatever lies at the temporary name is a leftover: either kind of save
// removes it, and never writes through it.
TEST_F(SettingsSave, TheNextSaveRemovesALeftoverTemporary) {
    const std::string target = dir.File("plant.qv");
    const std::string temp = dir.File(TemporaryNameFor(target));
    const std::string elsewhere = dir.File("elsewhere");
    for (bool unnamed : {true, false}) {
        for (bool asLink : {false, true}) {
            SCOPED_TRACE(std::string(unnamed ? "unnamed" : "named") + (asLink ? ", link" : ""));
            test::WriteBytes(elsewhere, {1, 2, 3});
            if (asLink)
                ASSERT_EQ(symlink(elsewhere.c_str(), temp.c_str()), 0);
            else
                test::WriteBytes(temp, {9, 9});
            ReplaceOptions options;
            options.unnamedTemporary = unnamed;
            ASSERT_EQ(ReplaceFileContents(target, OldBytes().data(), kImageSize, options).error, 0);
            EXPECT_EQ(test::ReadBytes(target), OldBytes());
            EXPECT_EQ(test::ReadBytes(elsewhere), (std::vector<uint8_t>{1, 2, 3}));
            EXPECT_EQ(test::FolderEntries(dir.path()),
                      (std::vector<std::string>{"elsewhere", "plant.qv"}));
        }
    }
}

} // namespace
} // namespace qv
