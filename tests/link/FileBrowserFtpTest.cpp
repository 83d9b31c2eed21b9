// The file browser's walk of the unit's storage over FTP, against a real FTP
// server on loopback: the protected top folders, downloads of whole trees
// into a mirror, deletes of trees, one collected failure list, and the
// return to the folder after a lost connection; and where the server
// misbehaves: names that would meet in one local name, a folder inside
// itself, a listing that never ends, names with a lone CR.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "LinkFakes.h"
#include "document/StringTable.h"
#include "link/FtpStorage.h"
#include "online/FileBrowserModel.h"
#include "tests/link/FtpServer.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string kKanaName = "\x83\x65\x83\x58\x83\x67.txt"; // "テスト.txt" in code page 932

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every string as "{number}", the wait dialog's file line with its values.
class NumberStrings : public StringTable {
public:
    const char* FindUtf8(unsigned id) const override {
        texts_[id] = id == kStrFileReceived     ? "%s: %s KB"
                     : id == kStrFileReceivedOf ? "%s: %s of %s KB"
                                                : "{" + std::to_string(id) + "}";
        return texts_[id].c_str();
    }

private:
    mutable std::map<unsigned, std::string> texts_;
};

class FileBrowserFtpTest : public ::testing::Test {
protected:
    fs::path root, local;
    std::unique_ptr<test::FtpServer> server;
    FtpStorage storage;
    test::FakeSleeper sleeper;
    FileBrowserModel model{storage, sleeper};
    NumberStrings strings;

    void SetUp() override {
        SetActiveStringTable(&strings);
        char rootName[] = "/tmp/qv-ftp-XXXXXX";
        char localName[] = "/tmp/qv-local-XXXXXX";
        root = ::mkdtemp(rootName);
        local = ::mkdtemp(localName);
        // Files and folders alternate, an empty folder, blanks and code page 932.
        fs::create_directories(root / "CF" / "LOG" / "B sub");
        fs::create_directories(root / "CF" / "LOG" / "D empty");
        fs::create_directories(root / "SD");
        fs::create_directories(root / "RAM");
        fs::create_directories(root / "CF" / "SD");
        WriteText(root / "CF" / "LOG" / "A first.csv", "a");
        WriteText(root / "CF" / "LOG" / "B sub" / "inner.csv", std::string("z\0z", 3));
        WriteText(root / "CF" / "LOG" / "C third.csv", "c");
        WriteText(root / "CF" / "LOG" / kKanaName, "kana");
        WriteText(root / "CF" / "top.txt", "top");
        // Only entries of these names misbehave; the tests that want them make them.
        server = std::make_unique<test::FtpServer>(
            root.string(), 0,
            std::vector<std::string>{"--endless", "endless", "--self-child", "loop"});
        ASSERT_GT(server->Port(), 0);
        storage.Client().timeoutSeconds = 10;
        ASSERT_TRUE(storage.Connect("127.0.0.1", server->Port(), "admin", "wqe"))
            << storage.LastError();
        ASSERT_TRUE(model.Refresh(false));
    }
    void TearDown() override {
        storage.Disconnect();
        server.reset();
        fs::remove_all(root);
        fs::remove_all(local);
        SetActiveStringTable(nullptr);
    }
    size_t Row(const std::string& name) const {
        for (size_t i = 0; i < model.Entries().size(); ++i)
            if (model.Entries()[i].name == name)
                return i;
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    void Enter(const std::string& name) {
        ASSERT_TRUE(model.Open(Row(name)));
        ASSERT_TRUE(model.Refresh(false));
    }
};

TEST_F(FileBrowserFtpTest, TheTopFoldersAreProtectedOnlyAtTheRoot) {
    for (const char* top : {"CF", "SD", "RAM"}) {
        EXPECT_TRUE(model.IsProtected(Row(top))) << top;
        EXPECT_EQ(model.ItemText(Row(top)), L"[D]" + std::wstring(top, top + strlen(top)));
    }
    test::FakeProgress progress;
    const auto outcome = model.Delete({Row("SD")}, progress);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"SD"});
    EXPECT_TRUE(fs::exists(root / "SD"));

    Enter("CF");
    EXPECT_FALSE(model.IsProtected(Row("SD")));
    EXPECT_EQ(model.ItemText(Row("top.txt")), L"top.txt");
}

TEST_F(FileBrowserFtpTest, ADownloadMirrorsEachFolderAndReturnsWhereItWas) {
    Enter("CF");
    // An existing copy is overwritten, an existing folder used as it is.
    fs::create_directories(local / "LOG");
    WriteText(local / "LOG" / "A first.csv", "old");
    WriteText(local / "top.txt", "old");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("LOG"), Row("top.txt")}, local.string(), progress);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(storage.Folder(), "/CF");
    EXPECT_EQ(ReadText(local / "top.txt"), "top");
    EXPECT_EQ(ReadText(local / "LOG" / "A first.csv"), "a");
    EXPECT_EQ(ReadText(local / "LOG" / "B sub" / "inner.csv"), std::string("z\0z", 3));
    EXPECT_EQ(ReadText(local / "LOG" / "C third.csv"), "c");
    EXPECT_EQ(ReadText(local / "LOG" / "テスト.txt"), "kana"); // the local name in UTF-8
    EXPECT_TRUE(fs::is_directory(local / "LOG" / "D empty"));
    EXPECT_EQ(progress.messageId, kStrDownloading);
    EXPECT_EQ(progress.rangeMax, 2);
    EXPECT_EQ(progress.positions, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(sleeper.sleeps, (std::vector<int>{100, 100}));
}

TEST_F(FileBrowserFtpTest, ALinkedLocalFolderIsNeverWrittenThrough) {
    Enter("CF");
    const fs::path elsewhere = local / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(local / "target");
    fs::create_directory_symlink(elsewhere, local / "target" / "LOG");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("LOG")}, (local / "target").string(), progress);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"LOG"});
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(storage.Folder(), "/CF");
}

TEST_F(FileBrowserFtpTest, ADeleteTakesWholeTreesAndListsWhatFailedOnce) {
    Enter("CF");
    const size_t log = Row("LOG"), top = Row("top.txt");
    // Gone before the delete comes to it.
    fs::remove(root / "CF" / "top.txt");
    test::FakeProgress progress;
    const auto outcome = model.Delete({log, top}, progress);
    EXPECT_FALSE(fs::exists(root / "CF" / "LOG"));
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"top.txt"});
    EXPECT_EQ(model.FailureText(outcome, kStrDeleteFailed), L"top.txt{9094}");
    EXPECT_EQ(storage.Folder(), "/CF");
    EXPECT_EQ(progress.messageId, kStrDeleting);
}

TEST_F(FileBrowserFtpTest, ACancelStopsBeforeTheNextItem) {
    Enter("CF");
    test::FakeProgress progress(1);
    const auto outcome = model.Download({Row("LOG"), Row("top.txt")}, local.string(), progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(fs::is_empty(local));
    EXPECT_EQ(progress.ends, 1);
    EXPECT_FALSE(model.Download({}, local.string(), progress).ran);
}

TEST_F(FileBrowserFtpTest, NamesThatWouldMeetLocallyStayApart) {
    // Bytes that are no character of code page 932 would both read as U+FFFD.
    const fs::path folder = root / "CF" / "CLASH";
    fs::create_directories(folder / "sub\x81");
    WriteText(folder / "col\x81", "first");
    WriteText(folder / "col\x82", "second");
    WriteText(folder / "col%81", "third");
    WriteText(folder / "sub\x81" / "in.csv", "inner");
    fs::create_directories(folder / "sub\x82");
    WriteText(folder / "sub\x82" / "in.csv", "other inner");
    Enter("CF");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("CLASH")}, local.string(), progress);
    EXPECT_TRUE(outcome.failed.empty()) << storage.LastError();
    const fs::path copy = local / "CLASH";
    EXPECT_EQ(ReadText(copy / "col%81"), "first");
    EXPECT_EQ(ReadText(copy / "col%82"), "second");
    EXPECT_EQ(ReadText(copy / "col%2581"), "third");
    EXPECT_EQ(ReadText(copy / "sub%81" / "in.csv"), "inner");
    EXPECT_EQ(ReadText(copy / "sub%82" / "in.csv"), "other inner");
    EXPECT_EQ(std::distance(fs::directory_iterator(copy), fs::directory_iterator()), 5);
}

TEST_F(FileBrowserFtpTest, AFolderInsideItselfIsWalkedNoDeeperThanTheLimit) {
    // The server lists "loop" inside "loop", at any depth.
    fs::create_directories(root / "CF" / "loop" / "loop");
    WriteText(root / "CF" / "loop" / "data.csv", "d");
    Enter("CF");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("loop"), Row("top.txt")}, local.string(), progress);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"loop"});
    EXPECT_EQ(outcome.notes, std::vector<unsigned>{kStrTreeTooDeep});
    EXPECT_EQ(model.FailureText(outcome, kStrDownloadFailed), L"loop{9092}\n\n{46831}");
    EXPECT_EQ(ReadText(local / "top.txt"), "top");
    EXPECT_EQ(storage.Folder(), "/CF");
    // The chain of local folders ends at the limit.
    fs::path deepest = local;
    int depth = 0;
    while (fs::is_directory(deepest / "loop")) {
        deepest /= "loop";
        ++depth;
        EXPECT_EQ(ReadText(deepest / "data.csv"), "d") << depth;
    }
    EXPECT_EQ(depth, kMaxWalkDepth);
}

TEST_F(FileBrowserFtpTest, AListingThatNeverEndsIsToldAndTheRestGoesOn) {
    fs::create_directories(root / "CF" / "endless");
    Enter("CF");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("endless"), Row("top.txt")}, local.string(), progress);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"endless"});
    EXPECT_EQ(outcome.notes, std::vector<unsigned>{kStrListingTooLong});
    EXPECT_EQ(ReadText(local / "top.txt"), "top");
    // Opened, it is told rather than shown empty without a word.
    EXPECT_TRUE(model.RefreshRefusal().empty());
    ASSERT_TRUE(model.Open(Row("endless")));
    EXPECT_FALSE(model.Refresh(false));
    EXPECT_EQ(model.RefreshRefusal(), L"{46830}");
    EXPECT_TRUE(model.Entries().empty());
}

TEST_F(FileBrowserFtpTest, TheWaitBoxNamesTheFileAndHowMuchOfItArrived) {
    WriteText(root / "CF" / "big.bin", std::string(300 * 1024, 'b'));
    Enter("CF");
    test::FakeProgress progress;
    const auto outcome = model.Download({Row("big.bin")}, local.string(), progress);
    EXPECT_TRUE(outcome.failed.empty());
    ASSERT_GE(progress.details.size(), 2u);
    EXPECT_EQ(progress.details.front(), L"/CF/big.bin: 0 KB");
    EXPECT_EQ(progress.details.back(), L"/CF/big.bin: 300 of 300 KB");
}

// Wherever a cancel lands, the walk ends as cancelled, with nothing counted
// as failed: the dialog then shows no message.
TEST_F(FileBrowserFtpTest, ACancelDuringTheLastFileIsNoFailure) {
    WriteText(root / "CF" / "big.bin", std::string(4 << 20, 'b'));
    Enter("CF");
    for (int cancelAt : {2, 3, 5}) {
        SCOPED_TRACE(cancelAt);
        test::FakeProgress progress(cancelAt);
        const auto outcome = model.Download({Row("big.bin")}, local.string(), progress);
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_TRUE(outcome.failed.empty());
        EXPECT_TRUE(fs::is_empty(local));
        EXPECT_EQ(progress.ends, 1);
    }
    test::FakeProgress progress(4);
    const auto outcome = model.Download({Row("top.txt"), Row("LOG")}, local.string(), progress);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(outcome.failed.empty());
}

TEST_F(FileBrowserFtpTest, ANameWithALoneCarriageReturnIsNotListed) {
    WriteText(root / "CF" / "victim", "v");
    WriteText(root / "CF" / "victim\r", "not listed");
    Enter("CF");
    size_t victims = 0;
    for (const FtpEntry& e : model.Entries()) {
        victims += e.name.compare(0, 6, "victim") == 0;
        EXPECT_EQ(e.name.find('\r'), std::string::npos);
    }
    EXPECT_EQ(victims, 1u);
    test::FakeProgress progress;
    const auto outcome = model.Delete({Row("victim")}, progress);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_FALSE(fs::exists(root / "CF" / "victim"));
    EXPECT_EQ(ReadText(root / "CF" / "victim\r"), "not listed");
}

TEST_F(FileBrowserFtpTest, ALostConnectionIsMadeAgainInTheSameFolder) {
    Enter("CF");
    Enter("LOG");
    const int port = server->Port();
    server.reset();
    server = std::make_unique<test::FtpServer>(root.string(), port);
    ASSERT_EQ(server->Port(), port);
    EXPECT_EQ(storage.EnsureConnected(), 0);
    EXPECT_EQ(storage.Folder(), "/CF/LOG");
    // The folder went away meanwhile: connected, at the root.
    fs::remove_all(root / "CF" / "LOG");
    server.reset();
    server = std::make_unique<test::FtpServer>(root.string(), port);
    EXPECT_EQ(storage.EnsureConnected(), 2);
    server.reset();
    EXPECT_EQ(storage.EnsureConnected(), 1);
}

} // namespace
} // namespace qv
