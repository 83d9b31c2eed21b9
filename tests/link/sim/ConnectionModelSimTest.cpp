// The connection dialog's OK without its window: the form check, and the
// settings read and write against the simulated unit on every wire and
// acknowledgement form, with a scripted user.
#include <cstring>
#include <deque>

#include "DocFixtures.h"
#include "SentCommands.h"
#include "document/MessageType.h"
#include "document/Records.h"
#include "online/ConnectionModel.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::FaultKind;

struct Shown {
    bool question;
    std::vector<unsigned> ids;
    unsigned type;
    DetailJoin join;
    bool operator==(const Shown& o) const {
        return question == o.question && ids == o.ids && type == o.type && join == o.join;
    }
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << (s.question ? "Ask(" : "Tell(");
    for (unsigned id : s.ids)
        *os << id << " ";
    *os << "type 0x" << std::hex << s.type << std::dec << " join " << static_cast<int>(s.join)
        << ")";
}

constexpr unsigned kOkExcl = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInfo = kMbOk | kMbIconInformation;
// Both questions lead to a write over the unit's settings: No is the default.
constexpr unsigned kYesNoExcl = kMbYesNo | kMbIconExclamation | kMbDefButton2;

Shown Told(unsigned id, unsigned type = kOkExcl, DetailJoin join = DetailJoin::None) {
    return {false, {id}, type, join};
}
Shown Asked(std::vector<unsigned> ids) {
    return {true, std::move(ids), kYesNoExcl, DetailJoin::None};
}

class ScriptedUser : public ConnectionUser {
public:
    int Ask(const ConnectionMessage& m) override {
        shown.push_back({true, m.Ids, m.Type, m.Join});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question " << m.Ids.front();
            return kIdNo;
        }
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Tell(const ConnectionMessage& m) override {
        shown.push_back({false, m.Ids, m.Type, m.Join});
        details.push_back(m.Detail);
    }
    std::deque<int> answers;
    std::vector<Shown> shown;
    std::vector<std::wstring> details;
};

// ---- the form ----

TEST(ConnectionForm, CheckRefusesAMissingPortOrUnitAddress) {
    struct Case {
        uint32_t linkType;
        const char* port;
        const char* storedAddress;
        unsigned message;
        FormField focus;
    };
    const Case cases[] = {
        {kCommSerial, "", "192.168.1.5", kMsgNoSerialPort, FormField::SerialPort},
        {kCommSerial, "ttyS0", "", 0, FormField::None}, // the address does not matter
        {kCommTcp, "", "", kMsgNoUnitAddress, FormField::UnitAddress},
        {kCommTcp, "ttyS0", "0.0.0.0", kMsgNoUnitAddress, FormField::UnitAddress},
        {kCommTcp, "", "unit.local", kMsgNoUnitAddress, FormField::UnitAddress},
        {kCommTcp, "", "192.168.1.300", kMsgNoUnitAddress, FormField::UnitAddress},
        {kCommTcp, "", "192.168.1.5", 0, FormField::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.linkType << " '" << c.port << "' '" << c.storedAddress << "'");
        CommSettings stored;
        std::strcpy(stored.TcpIPAddr, c.storedAddress);
        ConnectionForm form;
        form.LinkType = c.linkType;
        form.SerialPort = c.port;
        form.UnitAddress = "10.0.0.1"; // shown only: the stored address counts
        const FormCheck check = CheckConnectionForm(form, stored);
        EXPECT_EQ(check.MessageId, c.message);
        EXPECT_EQ(check.Focus, c.focus);
    }
}

TEST(ConnectionForm, StoreChangesOnlyTheFormsFields) {
    CommSettings s;
    s.CommType = kCommTcp;
    std::strcpy(s.TcpIPAddr, "192.168.1.5");
    std::strcpy(s.ComName, "ttyUSB1");
    s.TcpPort = 9094;
    s.TcpRecvTimeout = 12345; // a time-out no list offers
    s.ComBaudRate = 19200;
    s.Cmd2K = 1;
    ConnectionForm form = LoadConnectionForm(s);
    EXPECT_EQ(form.UnitAddress, "192.168.1.5");
    EXPECT_EQ(form.SerialPort, "ttyUSB1");

    form.LinkType = kCommSerial;
    form.SerialPort = "ttyS2";
    form.PcAddress = "192.168.1.20";
    CommSettings out = s;
    StoreConnectionForm(form, out);
    EXPECT_EQ(out.CommType, kCommSerial);
    EXPECT_STREQ(out.ComName, "ttyS2");
    EXPECT_STREQ(out.PCIPAddr, "192.168.1.20");
    EXPECT_STREQ(out.TcpIPAddr, "192.168.1.5");
    EXPECT_EQ(out.TcpPort, 9094u);
    EXPECT_EQ(out.TcpRecvTimeout, 12345);
    EXPECT_EQ(out.ComBaudRate, 19200u);
    EXPECT_EQ(out.Cmd2K, 1u);
}

TEST(ConnectionForm, AFormFaultStoresNothingAndKeepsTheDialogOpen) {
    MemoryProfile profile;
    WriteTcpProfile(profile, 9094);
    profile.WriteText(kCommSection, "TCP IPAddr", L"0.0.0.0");
    CommSettings before;
    LoadCommSettings(profile, kCodePageJapanese, before);
    FixedClock clock;
    FixedUser userName;
    CQuorvelDoc doc(kCodePageJapanese, clock, userName);
    ScriptedUser user;
    FakeSleeper sleeper;
    ConnectionModel model(profile, kCodePageJapanese, doc, user, nullptr, nullptr, sleeper);
    ConnectionForm form = LoadConnectionForm(before);
    form.PcAddress = "192.168.1.20";
    FormField focus = FormField::None;
    EXPECT_EQ(model.Accept(ConnectionAction::Tool, form, &focus), ConnectionEnd::StayOpen);
    EXPECT_EQ(focus, FormField::UnitAddress);
    EXPECT_EQ(user.shown, std::vector<Shown>{Told(kMsgNoUnitAddress)});
    CommSettings after;
    LoadCommSettings(profile, kCodePageJapanese, after);
    EXPECT_STREQ(after.PCIPAddr, before.PCIPAddr);
    EXPECT_EQ(profile.Flushes(), 0);
}

// OK writes the link settings to the profile once, before any transfer.
TEST(ConnectionForm, OkWritesTheLinkSettingsOnce) {
    MemoryProfile profile;
    WriteTcpProfile(profile, 9094);
    profile.Flush();
    CommSettings before;
    LoadCommSettings(profile, kCodePageJapanese, before);
    FixedClock clock;
    FixedUser userName;
    CQuorvelDoc doc(kCodePageJapanese, clock, userName);
    ScriptedUser user;
    FakeSleeper sleeper;
    ConnectionModel model(profile, kCodePageJapanese, doc, user, nullptr, nullptr, sleeper);
    ConnectionForm form = LoadConnectionForm(before);
    form.PcAddress = "192.168.1.20";
    EXPECT_EQ(model.Accept(ConnectionAction::Tool, form), ConnectionEnd::Ok);
    EXPECT_EQ(profile.Flushes(), 2);
    EXPECT_EQ(profile.Pending(), 0);
    CommSettings after;
    LoadCommSettings(profile, kCodePageJapanese, after);
    EXPECT_STREQ(after.PCIPAddr, "192.168.1.20");
}

// ---- against the simulated unit ----

class ConnectionModelTest : public SentCommandsTest {
protected:
    void SetUp() override {
        SentCommandsTest::SetUp();
        if (HasFatalFailure())
            return;
        sim->SetDataRegister(kFirmwareVersionWord, 0x0250);
        doc = std::make_unique<CQuorvelDoc>(kCodePageJapanese, clock, userName);
    }

    ConnectionEnd Run(ConnectionAction mode, ProgressSink* progress = nullptr,
                      PasswordPrompt* prompt = nullptr) {
        CommSettings stored;
        LoadCommSettings(profile, kCodePageJapanese, stored);
        ConnectionModel model(profile, kCodePageJapanese, *doc, user, progress, prompt, sleeper);
        return model.Accept(mode, LoadConnectionForm(stored));
    }

    std::vector<uint8_t> DocImage() const {
        auto image = std::make_unique<TransferImage>();
        doc->DocToImage(*image);
        return std::vector<uint8_t>(image->begin(), image->begin() + kBlocksSize);
    }
    std::vector<uint8_t> UnitImage() const {
        const auto image = sim->Image();
        return std::vector<uint8_t>(image.begin(), image.begin() + kBlocksSize);
    }
    // Commands sent that begin with `prefix`.
    size_t Count(const std::string& prefix) const {
        size_t n = 0;
        for (const auto& c : SentCommands())
            n += c.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    bool SessionEnded() const {
        const auto sent = SentCommands();
        return !sent.empty() && sent.back() == "15B";
    }

    FixedClock clock;
    FixedUser userName;
    std::unique_ptr<CQuorvelDoc> doc;
    ScriptedUser user;
};

class ConnectionReadTest : public ConnectionModelTest {};
class ConnectionWriteTest : public ConnectionModelTest {};

TEST_P(ConnectionReadTest, ReadTakesTheUnitsImageOnlyWhenAllWentWell) {
    struct Case {
        const char* name;
        const char* unitPassword;
        const char* typed; // nullptr: the prompt is cancelled
        bool breaks;       // the unit stops answering during the read
        ConnectionEnd end;
        std::vector<Shown> shown;
    };
    const Case cases[] = {
        {"open unit", "", nullptr, false, ConnectionEnd::Ok, {Told(kMsgReadDone, kOkInfo)}},
        {"right password",
         "secret",
         "secret",
         false,
         ConnectionEnd::Ok,
         {Told(kMsgReadDone, kOkInfo)}},
        {"prompt cancelled", "secret", nullptr, false, ConnectionEnd::Cancel, {}},
        {"wrong password",
         "secret",
         "guess",
         false,
         ConnectionEnd::Cancel,
         {Told(kMsgWrongPassword)}},
        {"unit falls silent",
         "",
         nullptr,
         true,
         ConnectionEnd::Cancel,
         {Told(kMsgReadFailed, kOkExcl, DetailJoin::BlankLine)}},
    };
    const std::vector<uint8_t> unitImage = RandomImage(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc = std::make_unique<CQuorvelDoc>(kCodePageJapanese, clock, userName);
        const std::vector<uint8_t> before = DocImage();
        user.shown.clear();
        sim->ClearFaults();
        sim->ClearTranscript();
        sim->SetImage(unitImage);
        sim->SetPassword(c.unitPassword);
        if (c.breaks)
            sim->InjectFault({FaultKind::NoReply, "", 3, -1});
        FakePrompt prompt(c.typed ? c.typed : "", c.typed != nullptr);
        FakeProgress progress;

        EXPECT_EQ(Run(ConnectionAction::Read, &progress, &prompt), c.end);
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(DocImage(), c.end == ConnectionEnd::Ok ? UnitImage() : before);
        EXPECT_EQ(progress.begins, progress.ends);
        EXPECT_FALSE(sim->LoggedIn());
        if (c.end == ConnectionEnd::Ok) {
            EXPECT_TRUE(SessionEnded());
        }
    }
}

TEST_P(ConnectionReadTest, ACancelledWaitLeavesTheDocumentAndEndsTheSession) {
    sim->SetImage(RandomImage(3));
    const std::vector<uint8_t> before = DocImage();
    FakeProgress progress(3);
    EXPECT_EQ(Run(ConnectionAction::Read, &progress), ConnectionEnd::Cancel);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_EQ(DocImage(), before);
    EXPECT_TRUE(SessionEnded());
}

TEST_P(ConnectionWriteTest, WriteSendsTheStampedTransferImage) {
    sim->SetImage(RandomImage(5));
    clock.now = {2026, 12, 10, 17, 30, 15, 4};
    FakeProgress progress;
    EXPECT_EQ(Run(ConnectionAction::Write, &progress), ConnectionEnd::Ok);
    EXPECT_EQ(user.shown, std::vector<Shown>{Told(kMsgWriteDone, kOkInfo)});
    const WriteStampBlock& stamp = doc->Blocks().writeStamp;
    EXPECT_EQ(stamp.U8(stamp::kTime), 26);
    EXPECT_EQ(stamp.U8(stamp::kTime + 3), 17);
    EXPECT_STREQ(reinterpret_cast<const char*>(stamp.data() + stamp::kUserName), "operator");
    EXPECT_EQ(UnitImage(), DocImage());
    EXPECT_EQ(progress.messageId, kMsgWritingSettings);
    EXPECT_TRUE(SessionEnded());
}

TEST_P(ConnectionWriteTest, TheUnitsVersionAndModeDecideWhatIsAskedAndWritten) {
    struct Case {
        const char* name;
        uint16_t version;
        bool running;
        std::function<void(ImageBlocks&)> edit;
        std::deque<int> answers;
        ConnectionEnd end;
        std::vector<Shown> shown;
        bool written;
    };
    const auto plainPorts = [](ImageBlocks& b) {
        b.unit.SetU8(unit::kPortChoice, 0);
        b.unit.SetU8(unit::kPortChoice + 1, 0);
        b.portNumbers.SetU8(portnum::kAdvanced1, 60);
        b.portNumbers.SetU8(portnum::kAdvanced2, 60);
    };
    const auto wideFile = [](ImageBlocks& b) { b.files[3].SetU8(file::kWide64, 1); };
    const Case cases[] = {
        {"64-bit on 2.30",
         0x021E,
         false,
         wideFile,
         {},
         ConnectionEnd::Ok,
         {Told(kMsgFirmwareNo64Bit)},
         false},
        {"64-bit on 2.40",
         0x0228,
         false,
         wideFile,
         {},
         ConnectionEnd::Ok,
         {Told(kMsgWriteDone, kOkInfo)},
         true},
        {"clock mode 2 on 2.40",
         0x0228,
         false,
         [](ImageBlocks& b) { b.time.SetU8(timeblk::kMode, 2); },
         {},
         ConnectionEnd::Ok,
         {Told(kMsgFirmwareNoClockMode2)},
         false},
        {"2.30, new document, No",
         0x021E,
         false,
         nullptr,
         {kIdNo},
         ConnectionEnd::Ok,
         {Asked({kMsgOldFirmwareAsk, kMsgOldFirmwarePortChoice})},
         false},
        {"2.30, port numbers changed, Yes",
         0x021E,
         false,
         [&](ImageBlocks& b) {
             plainPorts(b);
             b.portNumbers.SetU8(portnum::kAdvanced2, 61);
         },
         {kIdYes},
         ConnectionEnd::Ok,
         {Asked({kMsgOldFirmwareAsk, kMsgOldFirmwarePortNumbers}), Told(kMsgWriteDone, kOkInfo)},
         true},
        {"2.30, nothing it lacks",
         0x021E,
         false,
         plainPorts,
         {},
         ConnectionEnd::Ok,
         {Told(kMsgWriteDone, kOkInfo)},
         true},
        {"RUN, No",
         0x0250,
         true,
         nullptr,
         {kIdNo},
         ConnectionEnd::Cancel,
         {Asked({kMsgUnitRunsAskProgram})},
         false},
        {"RUN, Yes",
         0x0250,
         true,
         nullptr,
         {kIdYes},
         ConnectionEnd::Ok,
         {Asked({kMsgUnitRunsAskProgram}), Told(kMsgWriteDone, kOkInfo)},
         true},
    };
    const std::vector<uint8_t> unitImage = RandomImage(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc = std::make_unique<CQuorvelDoc>(kCodePageJapanese, clock, userName);
        if (c.edit)
            c.edit(doc->Blocks());
        user.shown.clear();
        user.answers = c.answers;
        sim->ClearTranscript();
        sim->SetImage(unitImage);
        sim->SetRunMode(c.running);
        sim->SetDataRegister(kFirmwareVersionWord, c.version);

        EXPECT_EQ(Run(ConnectionAction::Write), c.end);
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(Count("3B") > 0, c.written);
        EXPECT_EQ(UnitImage(), c.written ? DocImage()
                                         : std::vector<uint8_t>(unitImage.begin(),
                                                                unitImage.begin() + kBlocksSize));
        EXPECT_EQ(sim->RunMode(), c.running && !c.written);
    }
}

TEST_P(ConnectionWriteTest, AStoppedOrCancelledWriteNeverReportsSuccess) {
    // Early stop: the unit ends the write before all data came.
    sim->InjectFault({FaultKind::EndEarly, "3B", 2, 1});
    EXPECT_EQ(Run(ConnectionAction::Write), ConnectionEnd::Cancel);
    ASSERT_EQ(user.shown,
              std::vector<Shown>{Told(kMsgWriteFailed, kOkExcl, DetailJoin::Parenthesised)});
    const LinkResult timeout = Tcp() ? kTcpSendWait : kSerialSetTimeouts;
    EXPECT_EQ(user.details.back(), GetCommErrorText(timeout, static_cast<uint32_t>(timeout)));
    EXPECT_TRUE(SessionEnded());

    // Cancelled in the wait dialog: no message at all.
    sim->ClearFaults();
    sim->ClearTranscript();
    user.shown.clear();
    FakeProgress progress(2);
    EXPECT_EQ(Run(ConnectionAction::Write, &progress), ConnectionEnd::Cancel);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_TRUE(SessionEnded());
}

TEST_P(ConnectionWriteTest, AFailedWriteNamesTheRelayTheUnitSet) {
    sim->InjectFault({FaultKind::ErrorFrame, "3B", 1, 1, 0x60});
    sim->SetContact("R999F", true);
    EXPECT_EQ(Run(ConnectionAction::Write), ConnectionEnd::Cancel);
    EXPECT_EQ(user.shown, std::vector<Shown>{Told(kMsgWriteFirmwareUpdating)});
    EXPECT_EQ(Count("RCS"), 1u) << "R999E is not asked once R999F answered";
    EXPECT_EQ(Count("RCSR999E"), 0u);
}

TEST_P(ConnectionWriteTest, ABusyUnitIsWaitedFor) {
    sim->InjectFault({FaultKind::Busy, "3B", 1, 2});
    EXPECT_EQ(Run(ConnectionAction::Write), ConnectionEnd::Ok);
    EXPECT_EQ(user.shown, std::vector<Shown>{Told(kMsgWriteDone, kOkInfo)});
    EXPECT_EQ(UnitImage(), DocImage());
    EXPECT_EQ(sleeper.sleeps, (std::vector<int>{kBusyRetryMs, kBusyRetryMs}));
}

INSTANTIATE_TEST_SUITE_P(Wires, ConnectionReadTest,
                         testing::Values(SimCase(Wire::Tcp), SimCase(Wire::Pty)), WireName);
INSTANTIATE_TEST_SUITE_P(Wires, ConnectionWriteTest, testing::ValuesIn(EveryWireAndAckForm()),
                         WireName);

} // namespace
} // namespace qv::test
