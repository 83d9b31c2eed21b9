// The file browser's walk when the storage misbehaves: a folder it cannot go
// back to stops the walk before anything more is deleted, and names the
// server should never give ("..", "a/b", control characters) are refused.
#include <gtest/gtest.h>

#include <map>

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
    std::string folder = "/";

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
    bool Download(const std::string&, const std::string&, const std::function<bool()>&) override {
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

} // namespace
} // namespace qv
