// The file browser's walk of the unit's storage over the unit's file
// commands, against the simulated unit on both wires: version check, login
// refusals, mirrored downloads, tree deletes of names with blanks, a unit
// that ends the file session, and a cancel between the frames of a file.
#include "SimFixture.h"

#include <fstream>
#include <sstream>

#include "document/StringTable.h"
#include "link/SerialStorage.h"
#include "online/FileBrowserModel.h"
#include "tools/unitsim/SimFiles.h"

namespace qv::test {
namespace {

namespace fs = std::filesystem;
using namespace link_result;

const std::string kKanaFolder = "\x83\x8D\x83\x4F"; // "ログ" in code page 932
const std::string kTable = "\x95\x5C.CSV";          // "表.CSV": its second byte is '\'

// The wait dialog's file line.
class FileLineStrings : public StringTable {
public:
    const char* FindUtf8(unsigned id) const override {
        return id == kStrFileReceived ? "%s: %s KB" : nullptr;
    }
};

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FileBrowserSerialTest : public SimLinkTest {
protected:
    void SetUp() override {
        SimLinkTest::SetUp();
        sim->SetFileUser("admin", "wqe");
        // Files and folders alternate; names with blanks and in code page 932.
        sim->AddUnitFile("/SD/LOG/A first.csv", "a");
        sim->AddUnitFile("/SD/LOG/B sub/inner data.csv", std::string("z\0z", 3));
        sim->AddUnitFile("/SD/LOG/C third.csv", "c");
        sim->AddUnitFolder("/SD/LOG/D empty");
        sim->AddUnitFile("/SD/LOG/" + kKanaFolder + "/" + kTable, "kana");
        sim->AddUnitFolder("/CF");
        sim->AddUnitFolder("/RAM");
        session = Session();
        session->NoTimeoutIdleMs = 3000;
        storage = std::make_unique<SerialStorage>(*session);
        model = std::make_unique<FileBrowserModel>(*storage, sleeper);
        char name[] = "/tmp/qv-local-XXXXXX";
        local = ::mkdtemp(name);
    }
    void TearDown() override {
        model.reset();
        storage.reset();
        session.reset();
        fs::remove_all(local);
        SimLinkTest::TearDown();
    }
    bool Exists(const std::string& path) const { return sim->UnitPathExists(path); }
    size_t Row(const std::string& name) const {
        for (size_t i = 0; i < model->Entries().size(); ++i)
            if (model->Entries()[i].name == name)
                return i;
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    void Enter(const std::string& name) {
        ASSERT_TRUE(model->Open(Row(name)));
        ASSERT_TRUE(model->Refresh(false));
    }
    void Connect() {
        ASSERT_EQ(storage->Connect("admin", "wqe"), kOk) << storage->UnitCode();
        ASSERT_TRUE(model->Refresh(false));
    }

    std::unique_ptr<CUnitSession> session;
    std::unique_ptr<SerialStorage> storage;
    std::unique_ptr<FileBrowserModel> model;
    fs::path local;
};

TEST_P(FileBrowserSerialTest, TheVersionAndTheLoginAreCheckedFirst) {
    struct Case {
        uint16_t word;
        VersionCheck check;
    };
    for (const Case& c : {Case{0x0227, VersionCheck::TooOld}, Case{0x0228, VersionCheck::Ok},
                          Case{0x0300, VersionCheck::Ok}, Case{0x0100, VersionCheck::TooOld}}) {
        sim->SetDataRegister(90153, c.word);
        auto link = Link();
        LinkResult result = -2;
        EXPECT_EQ(CheckFileServiceVersion(*link, result), c.check) << std::hex << c.word;
        EXPECT_EQ(result, kOk);
    }
    EXPECT_EQ(storage->Connect("admin", "wrong"), kUnitError);
    EXPECT_EQ(storage->UnitCode(), unitsim::kErrWrongPassword);
    EXPECT_EQ(storage->Connect("nobody", "wqe"), kUnitError);
    EXPECT_EQ(storage->UnitCode(), unitsim::kErrUnknownUser);
    EXPECT_FALSE(storage->Connected());
    std::vector<FtpEntry> entries;
    EXPECT_FALSE(storage->List(entries)); // nothing is sent while logged out
    EXPECT_EQ(storage->LastResult(), kNotLoggedIn);

    Connect();
    EXPECT_EQ(storage->Folder(), "/");
    EXPECT_TRUE(model->IsProtected(Row("SD")));
    Enter("SD");
    Enter("LOG");
    EXPECT_EQ(storage->Folder(), "/SD/LOG");
    EXPECT_EQ(model->ItemText(Row("A first.csv")), L"A first.csv");
    EXPECT_EQ(storage->FolderUp(), kOk);
    EXPECT_EQ(storage->Folder(), "/SD");
    EXPECT_EQ(sim->CurrentUnitFolder(), "/SD");
}

TEST_P(FileBrowserSerialTest, ADownloadMirrorsTheTreeByteForByte) {
    Connect();
    Enter("SD");
    FakeProgress progress;
    const auto outcome = model->Download({Row("LOG")}, local.string(), progress);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_EQ(storage->Folder(), "/SD");
    EXPECT_EQ(ReadText(local / "LOG" / "A first.csv"), "a");
    EXPECT_EQ(ReadText(local / "LOG" / "B sub" / "inner data.csv"), std::string("z\0z", 3));
    EXPECT_EQ(ReadText(local / "LOG" / "C third.csv"), "c");
    EXPECT_TRUE(fs::is_directory(local / "LOG" / "D empty"));
    EXPECT_EQ(ReadText(local / "LOG" / "ログ" / "表.CSV"), "kana");
}

TEST_P(FileBrowserSerialTest, AFailedReadLeavesTheOldCopy) {
    Connect();
    Enter("SD");
    Enter("LOG");
    std::ofstream(local / "A first.csv") << "old copy";
    const size_t row = Row("A first.csv");
    // The file goes away on the unit after the listing.
    ASSERT_TRUE(storage->DeleteFile("A first.csv"));
    FakeProgress progress;
    const auto outcome = model->Download({row}, local.string(), progress);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"A first.csv"});
    EXPECT_EQ(ReadText(local / "A first.csv"), "old copy");
}

TEST_P(FileBrowserSerialTest, ATreeDeleteTakesNamesWithBlanksAndThenTheFolder) {
    Connect();
    Enter("SD");
    FakeProgress progress;
    const auto outcome = model->Delete({Row("LOG")}, progress);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_FALSE(Exists("/SD/LOG"));
    EXPECT_EQ(storage->Folder(), "/SD");
}

TEST_P(FileBrowserSerialTest, AnEndedFileSessionStopsTheWalkAndEveryRequest) {
    Connect();
    Enter("SD");
    Enter("LOG");
    sim->EndFileSession();
    const size_t before = Requests().size();
    FakeProgress progress;
    const auto outcome =
        model->Download({Row("A first.csv"), Row("C third.csv")}, local.string(), progress);
    EXPECT_TRUE(outcome.sessionLost);
    EXPECT_EQ(outcome.failed, std::vector<std::string>{"A first.csv"});
    EXPECT_TRUE(storage->SessionLost());
    EXPECT_EQ(Requests().size(), before + 1); // the one read the unit refused
    EXPECT_FALSE(storage->DeleteFile("C third.csv"));
    EXPECT_EQ(Requests().size(), before + 1);
    EXPECT_TRUE(Exists("/SD/LOG/C third.csv"));
}

TEST_P(FileBrowserSerialTest, ACancelStopsAFileBetweenItsFramesAndTheLinkGoesOn) {
    const std::string big(20000, 'b'); // twenty frames of the unit's reply
    sim->AddUnitFile("/SD/big.csv", big);
    Connect();
    Enter("SD");
    const std::string next = Sent("<EE", true);
    const auto continuations = [&] {
        const auto r = Requests();
        return std::count(r.begin(), r.end(), next);
    };
    const auto before = continuations();
    FileLineStrings strings;
    SetActiveStringTable(&strings);
    // The first pump is the item's; the next ones come between frames.
    FakeProgress progress(3);
    const auto outcome = model->Download({Row("big.csv")}, local.string(), progress);
    SetActiveStringTable(nullptr);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(outcome.failed.empty());
    EXPECT_TRUE(fs::is_empty(local));
    EXPECT_EQ(continuations() - before, 1);
    // The wait box named the file and counted what arrived of it.
    EXPECT_EQ(progress.details,
              (std::vector<std::wstring>{L"/SD/big.csv: 0 KB", L"/SD/big.csv: 1 KB"}));

    // The next request is answered as its own, and the whole file comes.
    ASSERT_TRUE(model->Refresh(false));
    EXPECT_EQ(model->Entries().size(), 2u);
    FakeProgress whole;
    EXPECT_TRUE(model->Download({Row("big.csv")}, local.string(), whole).failed.empty());
    EXPECT_EQ(ReadText(local / "big.csv"), big);
    // 0 KB, then each further KB seen before the last frame.
    EXPECT_EQ(whole.details.size(), 19u);
}

INSTANTIATE_TEST_SUITE_P(Wires, FileBrowserSerialTest,
                         ::testing::Values(SimCase(Wire::Tcp), SimCase(Wire::Pty)), WireName);

TEST(UnitListingLine, FieldsAndNamesAsTheUnitWritesThem) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(SplitListingLine("abc"), Fields{});
    EXPECT_EQ(SplitListingLine("a b"), (Fields{"a", "b"}));
    EXPECT_EQ(SplitListingLine(" a  b "), (Fields{"", "a", "", "b", ""}));
    EXPECT_EQ(SplitListingLine("a  b"), (Fields{"a", "b"}));

    struct Case {
        const char* line;
        bool parsed;
        const char* name;
        bool folder;
    };
    const Case cases[] = {
        {"drwxrwxrwx 1 unit 0 2024/06/15 09:30 LOG", true, "LOG", true},
        {"-rw-rw-rw- 1 unit 12 2024/06/15 09:30 DATA 01  final.CSV", true, "DATA 01  final.CSV",
         false},
        {"-rw-rw-rw- 12 2024/06/15 09:30 SHORT.CSV", true, "SHORT.CSV", false},
        {"d 1 2 3", false, "", false},
        // A CR inside a line is no part of a name.
        {"-rw-rw-rw- 1 unit 12 2024/06/15 09:30 keep\rDELE other", false, "", false},
        {"-rw-rw-rw- 1 unit 12 2024/06/15 09:30 name\r", false, "", false},
    };
    for (const Case& c : cases) {
        FtpEntry e;
        ASSERT_EQ(ParseUnitListingLine(c.line, e), c.parsed) << c.line;
        if (c.parsed) {
            EXPECT_EQ(e.name, c.name);
            EXPECT_EQ(e.isFolder, c.folder);
        }
    }
}

} // namespace
} // namespace qv::test
