// The file browser's walk when the storage misbehaves: a folder it cannot go
// back to stops the walk before anything more is deleted, names the server
// should never give ("..", "a/b", control characters) are refused, a folder
// that holds itself is walked no deeper than the limit, unit names never meet
// in one local name, and a cancel is never a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "document/ProfileStore.h"
#include "link/LinkServices.h"
#include "online/FileBrowserModel.h"
#include "tests/link/LinkFakes.h"

namespace qv {
namespace {

// A storage of folders by path, each with its entries; every delete is
// recorded with the folder it was sent in.
class FakeStorage : public UnitStorage {
public:
    std::map<std::string, std::vector<FtpEntry>> tree;
    std::vector<std::string> deletes;
    std::vector<std::string> downloads; // local paths
    std::string folder = "/";
    int blocks = 3; // the watch is asked this often per file

    bool Connected() const override { return true; }
    const std::string& Folder() const override { return folder; }
    bool SetFolder(const std::string& path) override {
        if (!tree.count(path))
            return false;
        folder = path;
        return true;
    }
    bool List(std::vector<FtpEntry>& entries) override {
        entries = tree[folder];
        return true;
    }
    bool ListingTooLong() const override { return false; }
    bool Download(const std::string&, const std::string& local,
                  const DownloadWatch& watch) override {
        for (int b = 1; b <= blocks; ++b)
            if (watch(static_cast<uint64_t>(b) * 1024, blocks * 1024))
                return false;
        downloads.push_back(local);
        return true;
    }
    bool DeleteFile(const std::string& name) override {
        deletes.push_back(JoinUnitPath(folder, name));
        return true;
    }
    bool RemoveFolder(const std::string& name) override {
        deletes.push_back(JoinUnitPath(folder, name) + "/");
        return true;
    }
};

// The fake, except that leaving SUB cannot go back into LOG.
class LostWayBack : public FakeStorage {
public:
    bool SetFolder(const std::string& path) override {
        if (folder == "/SD/LOG/SUB" && path == "/SD/LOG")
            return false;
        return FakeStorage::SetFolder(path);
    }
};

TEST(FileBrowserModelTest, AFolderThatCannotBeReenteredStopsTheDeletes) {
    LostWayBack storage;
    storage.tree["/SD"] = {{"LOG", true}, {"after.csv", false}};
    storage.tree["/SD/LOG"] = {{"SUB", true}, {"late.csv", false}};
    storage.tree["/SD/LOG/SUB"] = {{"a.csv", false}};
    storage.folder = "/SD";
    test::FakeSleeper waits;
    FileBrowserModel model(storage, waits);
    ASSERT_TRUE(model.Refresh(false));
    test::FakeProgress progress;
    const auto outcome = model.Delete({0, 1}, progress);
    // SUB's file went; then nothing more: not LOG's file, not SUB or LOG
    // themselves, and not the next checked file either.
    EXPECT_EQ(storage.deletes, std::vector<std::string>{"/SD/LOG/SUB/a.csv"});
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"LOG"});
}

TEST(FileBrowserModelTest, NamesThatLeaveTheirFolderAreNeitherWalkedNorWritten) {
    FakeStorage storage;
    storage.tree["/"] = {{"..", true}, {"a/b", false}, {"x\r\nDELE y", false}, {"ok.csv", false}};
    test::FakeSleeper waits;
    FileBrowserModel model(storage, waits);
    ASSERT_TRUE(model.Refresh(false));
    test::FakeProgress progress;
    const auto outcome = model.Delete({0, 1, 2, 3}, progress);
    EXPECT_EQ(storage.deletes, std::vector<std::string>{"/ok.csv"});
    EXPECT_EQ(outcome.failed.size(), 3u);
    for (const char* name : {"..", "a/b", "x\r\nDELE y"})
        EXPECT_EQ(model.LocalName(name), "") << name;
    EXPECT_FALSE(model.Open(0)); // ".." as a folder row opens nothing
}

// A folder "loop" that lists itself (and a file) at any depth below /SD.
class SelfChild : public FakeStorage {
public:
    int deepest = 0;
    bool SetFolder(const std::string& path) override {
        if (path != "/SD" && path.rfind("/SD/loop", 0) != 0)
            return false;
        folder = path;
        deepest =
            std::max(deepest, static_cast<int>(std::count(path.begin(), path.end(), '/')) - 1);
        return true;
    }
    bool List(std::vector<FtpEntry>& entries) override {
        entries = {{"loop", true}, {"f.csv", false}};
        if (folder == "/SD")
            entries = {{"loop", true}};
        return true;
    }
};

TEST(FileBrowserModelTest, AFolderInsideItselfIsWalkedNoDeeperThanTheLimit) {
    SelfChild storage;
    storage.folder = "/SD";
    test::FakeSleeper waits;
    FileBrowserModel model(storage, waits);
    ASSERT_TRUE(model.Refresh(false));
    const std::filesystem::path local =
        std::filesystem::temp_directory_path() / ("qv-loop-" + std::to_string(::getpid()));
    std::filesystem::create_directories(local);
    test::FakeProgress progress;
    const auto down = model.Download({0}, local.string(), progress);
    EXPECT_EQ(down.failed, std::vector<std::string>{"loop"});
    EXPECT_EQ(down.notes, std::vector<unsigned>{kStrTreeTooDeep});
    EXPECT_EQ(storage.deepest, kMaxWalkDepth);
    EXPECT_EQ(storage.downloads.size(), static_cast<size_t>(kMaxWalkDepth));
    EXPECT_EQ(storage.folder, "/SD");
    std::filesystem::remove_all(local);

    storage.deepest = 0;
    const auto gone = model.Delete({0}, progress);
    EXPECT_EQ(gone.failed, std::vector<std::string>{"loop"});
    EXPECT_EQ(gone.notes, std::vector<unsigned>{kStrTreeTooDeep});
    EXPECT_EQ(storage.deepest, kMaxWalkDepth);
    // Nothing at the limit's depth was removed, and no folder: they were not emptied.
    for (const std::string& d : storage.deletes)
        EXPECT_NE(d.back(), '/') << d;
}

// Wherever a cancel lands, the walk ends as cancelled and nothing it cut
// short is counted as failed (the dialog shows no message then).
TEST(FileBrowserModelTest, ACancelIsNeverAFailure) {
    struct Landing {
        const char* where;
        std::vector<size_t> rows;
        int cancelAtPump;
    } landings[] = {
        {"in the only file", {1}, 2},
        {"in the last file", {1, 2}, 6},
        {"in a file inside the last folder", {0}, 4},
        {"between two items", {1, 2}, 5},
    };
    const std::filesystem::path local =
        std::filesystem::temp_directory_path() / ("qv-cancel-" + std::to_string(::getpid()));
    for (const Landing& l : landings) {
        SCOPED_TRACE(l.where);
        std::filesystem::create_directories(local);
        FakeStorage storage;
        storage.tree["/"] = {{"LOG", true}, {"a.csv", false}, {"b.csv", false}};
        storage.tree["/LOG"] = {{"x.csv", false}, {"y.csv", false}};
        test::FakeSleeper waits;
        FileBrowserModel model(storage, waits);
        ASSERT_TRUE(model.Refresh(false));
        test::FakeProgress progress(l.cancelAtPump);
        const auto outcome = model.Download(l.rows, local.string(), progress);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_TRUE(outcome.failed.empty());
        EXPECT_EQ(progress.ends, 1);
        std::filesystem::remove_all(local);
    }
}

TEST(FileBrowserModelTest, UnitNamesNeverMeetInOneLocalName) {
    struct Case {
        const char* unit;
        const char* local;
    } cases[] = {
        {"plain.csv", "plain.csv"},
        {"100%.csv", "100%.csv"},
        {"col\x81", "col%81"}, // a lead byte with nothing after it
        {"col\x82", "col%82"},
        {"col%81", "col%2581"}, // reads as an escape: escaped itself
        {"\x83\x65\x83\x58\x83\x67.txt", "テスト.txt"},
        {"\x95\x5C.CSV", "表.CSV"}, // its second byte is '\\'
        {"a\xA0"
         "b",
         "a%A0b"},                // no character of code page 932
        {"\x81\x20x", "%81%20x"}, // a lead byte before a blank
        {"\x87\x54", nullptr},    // NEC and IBM forms of one character
        {"\xFA\x4A", nullptr},
        {"\xED\x40", nullptr},
    };
    test::FakeSleeper waits;
    FakeStorage storage;
    FileBrowserModel model(storage, waits);
    std::set<std::string> seen;
    for (const Case& c : cases) {
        const std::string local = model.LocalName(c.unit);
        if (c.local) {
            EXPECT_EQ(local, c.local) << c.unit;
        }
        EXPECT_FALSE(local.empty()) << c.unit;
        EXPECT_TRUE(seen.insert(local).second) << c.unit << " meets another as " << local;
    }
}

TEST(FileBrowserModelTest, TheChooserStartsInTheLastDownloadFolder) {
    MemoryProfile profile;
    const std::string home = "/home/someone";
    EXPECT_EQ(DownloadStartFolder(profile, home), home);
    const std::filesystem::path last =
        std::filesystem::temp_directory_path() / ("qv-last-" + std::to_string(::getpid()));
    std::filesystem::create_directories(last);
    RememberDownloadFolder(profile, last.string());
    EXPECT_EQ(DownloadStartFolder(profile, home), last.string());
    std::filesystem::remove_all(last); // gone since
    EXPECT_EQ(DownloadStartFolder(profile, home), home);
}

} // namespace
} // namespace qv
