// The unit file service of the session form against the simulated unit's
// storage, over the pseudo-terminal (the road the file browser takes) and
// over TCP, with every form in which the unit may acknowledge a frame.
#include "SimFixture.h"

#include <cerrno>
#include <cstdio>
#include <functional>
#include <random>

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::Fault;
using unitsim::FaultKind;

const std::string kLog = "\x83\x8D\x83\x4F";        // a folder name in code page 932
const std::string kTable = "\x95\x5C.CSV";          // its second byte is '\'
const std::string kBlankName = "DATA 01 final.CSV"; // blanks in a name

std::string Hex(const std::string& bytes) {
    return CUnitSession::BytesToHex(bytes);
}

struct Entry {
    bool folder;
    std::string name;
    bool operator==(const Entry& o) const { return folder == o.folder && name == o.name; }
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << (e.folder ? "[D]" : "") << e.name;
}

// A listing as the file browser reads it: lines at CR LF, empty ones
// dropped; fields at blanks, the name from the seventh field on.
std::vector<Entry> Entries(const std::string& listing) {
    std::vector<Entry> out;
    size_t from = 0;
    while (from < listing.size()) {
        size_t end = listing.find("\r\n", from);
        if (end == std::string::npos)
            end = listing.size();
        const std::string line = listing.substr(from, end - from);
        from = end + 2;
        if (line.empty())
            continue;
        size_t at = 0;
        int blanks = 0;
        while (blanks < 6 && (at = line.find(' ', at)) != std::string::npos) {
            ++at;
            ++blanks;
        }
        out.push_back({line[0] == 'd', blanks == 6 ? line.substr(at) : std::string()});
    }
    return out;
}

class UnitFilesTest : public SimLinkTest {
protected:
    void SetUp() override {
        SimLinkTest::SetUp();
        sim->SetFileUser("admin", "pass");
        sim->AddUnitFile("/SD/LOG/LOG0001.CSV", "t,v\r\n1,2\r\n");
        sim->AddUnitFile("/SD/LOG/" + kBlankName, std::string("\xAB\xCD\x00", 3));
        sim->AddUnitFolder("/SD/EMPTY");
        sim->AddUnitFile("/SD/" + kLog + "/" + kTable, "x");
        sim->AddUnitFolder("/RAM");
        std::mt19937 gen(5);
        big.resize(5000);
        for (char& c : big)
            c = static_cast<char>(gen());
        sim->AddUnitFile("/SD/BIG.BIN", big);
        session = Session();
        session->NoTimeoutIdleMs = 3000; // a fault in a test ends soon
    }

    LinkResult Login() { return session->FileLogin(Hex("admin"), Hex("pass")); }
    LinkResult Cd(const std::string& path) { return session->ChangeFolder(Hex(path), "01"); }
    std::vector<Entry> List() {
        std::string listing, field;
        EXPECT_EQ(session->ListFolder(listing, field), kOk) << session->LastError;
        EXPECT_EQ(field, "01");
        return Entries(listing);
    }

    std::string big;
    std::unique_ptr<CUnitSession> session;
};

TEST_P(UnitFilesTest, LoginBrowseReadAndLogout) {
    ASSERT_EQ(Login(), kOk) << session->LastError;
    EXPECT_TRUE(sim->FileLoggedIn());
    EXPECT_EQ(Requests()[0], Sent("<EE#5V" + Hex("admin") + "0A" + Hex("pass")));

    ASSERT_EQ(Cd("/SD/LOG"), kOk);
    EXPECT_EQ(sim->CurrentUnitFolder(), "/SD/LOG");
    EXPECT_EQ(List(), (std::vector<Entry>{{false, kBlankName}, {false, "LOG0001.CSV"}}));

    std::vector<uint8_t> data;
    ASSERT_EQ(session->ReadUnitFile("01", Hex(kBlankName), data), kOk) << session->LastError;
    EXPECT_EQ(data, (std::vector<uint8_t>{0xAB, 0xCD, 0x00})); // the zero byte too
    EXPECT_EQ(Requests().back(), Sent("<EE#6D01" + Hex(kBlankName)));

    std::string folder, field;
    ASSERT_EQ(session->GetCurrentFolder(folder, field), kOk);
    EXPECT_EQ(folder, "/SD/LOG");
    EXPECT_EQ(field, "01");

    EXPECT_EQ(session->MakeCurrentFile(), kOk);
    EXPECT_EQ(sim->MakeCurrentFileCount(), 1);
    EXPECT_EQ(session->FolderUp(), kOk);
    EXPECT_EQ(sim->CurrentUnitFolder(), "/SD");
    EXPECT_EQ(List(), (std::vector<Entry>{
                          {false, "BIG.BIN"}, {true, "EMPTY"}, {true, "LOG"}, {true, kLog}}));
    EXPECT_EQ(session->FolderUp(), kOk);
    ASSERT_EQ(session->GetCurrentFolder(folder, field), kOk);
    EXPECT_EQ(folder, "/");
    EXPECT_EQ(session->FileLogout(), kOk);
    EXPECT_FALSE(sim->FileLoggedIn());

    // One link from the first command to the last.
    EXPECT_TRUE(session->LinkIsOpen());
    if (Tcp()) {
        EXPECT_EQ(sim->ConnectionCount(), 1);
    }
    session->CloseSession();
    EXPECT_FALSE(session->LinkIsOpen());
}

TEST_P(UnitFilesTest, EmptyFolderAndEmptyFileGiveNothing) {
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD/EMPTY"), kOk);
    std::string listing = "stale", field = "xx";
    ASSERT_EQ(session->ListFolder(listing, field), kOk);
    EXPECT_EQ(listing, ""); // no phantom entry
    EXPECT_EQ(field, "01");
    EXPECT_TRUE(Entries(listing).empty());

    sim->AddUnitFile("/SD/EMPTY/NOTHING.TXT", "");
    std::vector<uint8_t> data{1, 2, 3};
    ASSERT_EQ(session->ReadUnitFile("", Hex("NOTHING.TXT"), data), kOk) << session->LastError;
    EXPECT_TRUE(data.empty());
}

TEST_P(UnitFilesTest, NamesInCodePage932) {
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD/" + kLog), kOk) << session->LastError;
    EXPECT_EQ(sim->CurrentUnitFolder(), "/SD/" + kLog);
    EXPECT_EQ(List(), (std::vector<Entry>{{false, kTable}}));
    std::vector<uint8_t> data;
    ASSERT_EQ(session->ReadUnitFile("01", Hex(kTable), data), kOk);
    EXPECT_EQ(data, std::vector<uint8_t>{'x'});
    std::string folder, field;
    ASSERT_EQ(session->GetCurrentFolder(folder, field), kOk);
    EXPECT_EQ(folder, "/SD/" + kLog);
    ASSERT_EQ(session->DeleteUnitFile(Hex(kTable), "01"), kOk);
    EXPECT_FALSE(sim->UnitPathExists("/SD/" + kLog + "/" + kTable));
}

TEST_P(UnitFilesTest, ListingAndFileOfSeveralFrames) {
    sim->SetReplyChunk(300, 64);
    std::vector<Entry> expected;
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "LOG%04d.CSV", i);
        sim->AddUnitFile(std::string("/SD/MANY/") + name, std::string(static_cast<size_t>(i), 'x'));
        expected.push_back({false, name});
    }
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD/MANY"), kOk);
    sim->ClearTranscript();
    EXPECT_EQ(List(), expected); // about 1.8 KiB of text
    EXPECT_GE(CountRequests("<EE3C&"), 10u);

    ASSERT_EQ(Cd("/SD"), kOk);
    sim->ClearTranscript();
    std::vector<uint8_t> data;
    ASSERT_EQ(session->ReadUnitFile("01", Hex("BIG.BIN"), data), kOk) << session->LastError;
    EXPECT_EQ(std::string(data.begin(), data.end()), big);
    EXPECT_EQ(CountRequests("<EE3C&"), 10000u / 300);
}

TEST_P(UnitFilesTest, AFileBeyondTheReadLimitIsAFailure) {
    sim->SetReplyChunk(1000, 64);
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD"), kOk);
    std::vector<uint8_t> data{7};
    session->MaxFileReadBytes = big.size() - 1;
    EXPECT_EQ(session->ReadUnitFile("01", Hex("BIG.BIN"), data), kReplyMalformed);
    EXPECT_TRUE(data.empty());
    EXPECT_FALSE(session->LinkIsOpen()); // the rest of the reply is not waited for
    session->MaxFileReadBytes = big.size();
    ASSERT_EQ(session->ReadUnitFile("01", Hex("BIG.BIN"), data), kOk);
    EXPECT_EQ(data.size(), big.size());
}

TEST_P(UnitFilesTest, ChunkedRequestsFollowTheFrameSizes) {
    const std::string longName(750, 'A'); // 1500 hex characters
    sim->AddUnitFolder("/" + longName);
    for (uint32_t cmd2K : {1u, 0u}) {
        SCOPED_TRACE(cmd2K);
        profile.WriteNumber(kCommSection, "2KCmd", cmd2K);
        session = Session();
        ASSERT_EQ(Login(), kOk);
        sim->ClearTranscript();
        ASSERT_EQ(Cd("/" + longName), kOk) << session->LastError;
        EXPECT_EQ(sim->CurrentUnitFolder(), "/" + longName);
        const std::string hex = Hex("/" + longName); // 1502 characters
        const auto r = Requests();
        if (cmd2K) {
            ASSERT_EQ(r.size(), 2u);
            EXPECT_EQ(r[0], Sent("<EE#6B01" + hex.substr(0, 1010), true));
            EXPECT_EQ(r[1], Sent("<EE" + hex.substr(1010)));
        } else {
            ASSERT_EQ(r.size(), 1 + (1502 - 30 + 31) / 32);
            EXPECT_EQ(r[0], Sent("%EE#6B01" + hex.substr(0, 30), true));
            EXPECT_EQ(r[1], Sent("%EE" + hex.substr(30, 32), true));
            EXPECT_EQ(r.back(), Sent("%EE" + hex.substr(30 + 32 * (r.size() - 2))));
        }
    }
}

TEST_P(UnitFilesTest, DeleteFilesAndFolders) {
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD"), kOk);
    struct Case {
        bool folder;
        std::string name;
        LinkResult result;
        uint32_t unitError;
        std::string gone; // the path that no longer exists
    };
    const Case cases[] = {
        {false, "LOG/LOG0001.CSV", kOk, 0, "/SD/LOG/LOG0001.CSV"},
        {true, "LOG", kUnitError, 0x67, ""},    // not empty yet
        {false, "EMPTY", kUnitError, 0x66, ""}, // a folder is no file
        {true, "NOSUCH", kUnitError, 0x66, ""},
        {false, "LOG/" + kBlankName, kOk, 0, "/SD/LOG/" + kBlankName},
        {true, "LOG", kOk, 0, "/SD/LOG"},
        {true, "EMPTY", kOk, 0, "/SD/EMPTY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LinkResult r = c.folder ? session->DeleteUnitFolder(Hex(c.name), "01")
                                      : session->DeleteUnitFile(Hex(c.name), "01");
        EXPECT_EQ(r, c.result);
        EXPECT_EQ(session->LastError, c.unitError);
        if (!c.gone.empty()) {
            EXPECT_FALSE(sim->UnitPathExists(c.gone));
        }
    }
    EXPECT_EQ(List(), (std::vector<Entry>{{false, "BIG.BIN"}, {true, kLog}}));
}

TEST_P(UnitFilesTest, LoginRefusalsAndTheEndOfTheSession) {
    const struct {
        std::string user, password;
        uint32_t unitError;
    } refusals[] = {
        {"nobody", "pass", 0xA6}, // user unknown
        {"admin", "wrong", 0xA7}, // password wrong
        {"", "pass", 0x02},       // no user name
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.user + "/" + c.password);
        EXPECT_EQ(session->FileLogin(Hex(c.user), Hex(c.password)), kUnitError);
        EXPECT_EQ(session->LastError, c.unitError);
        EXPECT_FALSE(sim->FileLoggedIn());
    }
    // Outside a file session, and after the unit ended it: 0x62.
    std::string listing, field;
    EXPECT_EQ(session->ListFolder(listing, field), kUnitError);
    EXPECT_EQ(session->LastError, 0x62u);
    ASSERT_EQ(Login(), kOk);
    sim->EndFileSession();
    EXPECT_EQ(Cd("/SD"), kUnitError);
    EXPECT_EQ(session->LastError, 0x62u);
    // Error replies leave the link open.
    EXPECT_TRUE(session->LinkIsOpen());
}

TEST_P(UnitFilesTest, RequestsThatCannotGoOutAreRefusedWhole) {
    // "<EE#6D", the field, the name and the check code in 127 characters
    // with the CR: 116 hex characters of name with the field, 118 without.
    const std::string fits(116, 'A');
    const struct {
        const char* what;
        std::function<LinkResult()> call;
    } refused[] = {
        {"#6D one character too long",
         [&] {
             std::vector<uint8_t> d;
             return session->ReadUnitFile("01", fits + "AA", d);
         }},
        {"#6D odd hex",
         [&] {
             std::vector<uint8_t> d;
             return session->ReadUnitFile("01", "ABC", d);
         }},
        {"#6D field of one character",
         [&] {
             std::vector<uint8_t> d;
             return session->ReadUnitFile("1", "41", d);
         }},
        {"#6B no hex", [&] { return session->ChangeFolder("2F5G", "01"); }},
        {"#6B no field", [&] { return session->ChangeFolder("2F", ""); }},
        {"#5X name too long",
         [&] {
             return session->DeleteUnitFile(std::string(CUnitSession::kMaxFileTextChars + 2, 'A'),
                                            "01");
         }},
        {"#5V odd password", [&] { return session->FileLogin(Hex("admin"), "ABC"); }},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), kBadRequest);
        EXPECT_TRUE(Requests().empty());
    }
    // At the limit it goes out, in one frame.
    ASSERT_EQ(Login(), kOk);
    sim->ClearTranscript();
    std::vector<uint8_t> d;
    EXPECT_EQ(session->ReadUnitFile("01", fits, d), kUnitError); // no such file
    EXPECT_EQ(session->LastError, 0x66u);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(Requests()[0].size() + 1, CUnitSession::kReadFileRequestChars);
    EXPECT_EQ(session->ReadUnitFile("", fits + "AA", d), kUnitError);
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_P(UnitFilesTest, TheUnitIsWaitedForButNotForEver) {
    session->NoTimeoutIdleMs = 600;
    ASSERT_EQ(Login(), kOk);
    // Slower than the link's receive time-out (200 ms): still answered.
    sim->InjectFault(Fault{FaultKind::LateReply, "6E", 0, 1, 0, std::chrono::milliseconds(350)});
    std::string listing, field;
    EXPECT_EQ(session->ListFolder(listing, field), kOk) << session->LastError;
    // Never answered: a failure after the idle time, and the link closed.
    sim->InjectFault(Fault{FaultKind::NoReply, "6E"});
    EXPECT_EQ(session->ListFolder(listing, field), TimeoutCode());
    EXPECT_EQ(session->LastError, static_cast<uint32_t>(ETIMEDOUT));
    EXPECT_FALSE(session->LinkIsOpen());
    EXPECT_TRUE(listing.empty());
    // The next command opens it again.
    EXPECT_EQ(session->ListFolder(listing, field), kOk);
    EXPECT_TRUE(session->LinkIsOpen());
}

TEST_P(UnitFilesTest, UnitThatEndsAChunkedRequestEarly) {
    profile.WriteNumber(kCommSection, "2KCmd", 0); // several frames for the login
    session = Session();
    sim->InjectFault(Fault{FaultKind::EndEarly, "5V"});
    EXPECT_EQ(session->FileLogin(Hex("admin"), Hex("password-of-some-length")), kEndedEarly);
    EXPECT_EQ(Requests().size(), 1u); // the rest of the text never went out
    EXPECT_FALSE(sim->FileLoggedIn());
}

TEST_P(UnitFilesTest, CancelBetweenTheFramesOfAFile) {
    sim->SetReplyChunk(1000, 64);
    FakeProgress progress(2);
    session = Session(&progress);
    ASSERT_EQ(Login(), kOk);
    ASSERT_EQ(Cd("/SD"), kOk);
    std::vector<uint8_t> data;
    EXPECT_EQ(session->ReadUnitFile("01", Hex("BIG.BIN"), data), kCancelled);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(CountRequests("<EE3C&"), 1u);
    // The link stays open, and the next request starts afresh.
    EXPECT_TRUE(session->LinkIsOpen());
    progress.cancelAt = 0;
    ASSERT_EQ(session->ReadUnitFile("01", Hex("BIG.BIN"), data), kOk);
    EXPECT_EQ(std::string(data.begin(), data.end()), big);
}

TEST_P(UnitFilesTest, NoLinkNoCommand) {
    profile.WriteNumber(kCommSection, "CommType", 5);
    session = Session();
    std::string listing, field;
    EXPECT_EQ(session->ListFolder(listing, field), kSerialOpen);
    EXPECT_EQ(Login(), kSerialOpen);
    EXPECT_TRUE(Requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Wires, UnitFilesTest, ::testing::ValuesIn(EveryWireAndAckForm()),
                         WireName);

} // namespace
} // namespace qv::test
