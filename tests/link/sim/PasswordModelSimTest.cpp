// The unit password tool without its window: the checks of its OK, the set,
// change and remove roads and the clear against the simulated unit, and what
// the login prompt hands to the link.
#include <cstring>
#include <deque>

#include "FakeUserDialogs.h"
#include "SentCommands.h"
#include "document/Scramble.h"
#include "online/PasswordModel.h"

namespace qv::test {
namespace {

using unitsim::FaultKind;

// Eight double-byte characters: 16 bytes in either code page.
const std::wstring kEightWide(8, L'\u5BC6');

std::string Scrambled(std::string text) {
    ScrambleBytes(reinterpret_cast<uint8_t*>(text.data()), static_cast<int16_t>(text.size()));
    return text;
}

TEST(PasswordForm, OkChecksInOrderAndConvertsThePasswords) {
    const auto set = PasswordAction::SetOrChange;
    const auto remove = PasswordAction::Remove;
    struct Case {
        const char* name;
        PasswordForm form;
        unsigned message;
        PasswordField focus;
    };
    const Case cases[] = {
        {"set", {set, L"old", L"new(1)=", L"new(1)="}, 0, PasswordField::None},
        {"set on an open unit", {set, L"", L"a", L"a"}, 0, PasswordField::None},
        {"eight characters", {set, L"12345678", L"abcdefgh", L"abcdefgh"}, 0, PasswordField::None},
        {"current with a blank",
         {set, L"o d", L"a", L"a"},
         kMsgPasswordCharacters,
         PasswordField::Current},
        {"current checked first",
         {set, L"o d", L"a", L"b"},
         kMsgPasswordCharacters,
         PasswordField::Current},
        {"current wide",
         {remove, kEightWide, L"", L""},
         kMsgPasswordCharacters,
         PasswordField::Current},
        {"differ", {set, L"", L"abc", L"abd"}, kMsgPasswordsDiffer, PasswordField::New},
        {"differ before bad", {set, L"", L"a b", L"a c"}, kMsgPasswordsDiffer, PasswordField::New},
        {"new empty", {set, L"old", L"", L""}, kMsgNewPasswordEmpty, PasswordField::New},
        {"new with a colon",
         {set, L"", L"a:b", L"a:b"},
         kMsgPasswordCharacters,
         PasswordField::New},
        {"new wide",
         {set, L"", kEightWide, kEightWide},
         kMsgPasswordCharacters,
         PasswordField::New},
        {"new too long",
         {set, L"", L"abcdefghi", L"abcdefghi"},
         kMsgPasswordCharacters,
         PasswordField::New},
        {"remove reads no new password", {remove, L"old", L"a b", L"x"}, 0, PasswordField::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (uint32_t codePage : {kCodePageJapanese, kCodePageChinese}) {
            const PasswordCheck check = CheckPasswordForm(c.form, codePage);
            EXPECT_EQ(check.MessageId, c.message);
            EXPECT_EQ(check.Focus, c.focus);
            if (!check.Passed())
                continue;
            EXPECT_EQ(check.Current, std::string(c.form.Current.begin(), c.form.Current.end()));
            const std::string fresh(c.form.New.begin(), c.form.New.end());
            EXPECT_EQ(check.ScrambledNew, c.form.Action == set ? Scrambled(fresh) : std::string());
        }
    }
}

TEST(PasswordPrompt, OkRefusesWhatTheLinkCannotHoldWhole) {
    struct Case {
        const char* name;
        std::wstring typed;
        unsigned message;
        const char* stored; // the link's password afterwards
    };
    const Case cases[] = {
        {"plain", L"secret", 0, "secret"},
        {"eight characters", L"a(1)=%&#", 0, "a(1)=%&#"},
        {"empty", L"", 0, ""},
        {"blank", L"se cret", kMsgPasswordCharacters, "before"},
        {"eight wide characters", kEightWide, kMsgPasswordCharacters, "before"},
        {"nine characters", L"abcdefghi", kMsgPasswordTooLong, "before"},
    };
    MemoryProfile profile;
    FakeSleeper sleeper;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUnitComm link(profile, kCodePageJapanese, nullptr, nullptr, sleeper);
        link.SetLoginPassword(std::string("before"));
        EXPECT_EQ(AcceptPromptPassword(c.typed, kCodePageJapanese, link), c.message);
        EXPECT_STREQ(link.LoginPassword, c.stored);
        CancelPromptPassword(link);
        EXPECT_STREQ(link.LoginPassword, "");
    }
}

struct Shown {
    bool question;
    unsigned id;
    unsigned type;
    bool operator==(const Shown& o) const {
        return question == o.question && id == o.id && type == o.type;
    }
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << (s.question ? "Ask(" : "Tell(") << s.id << ", 0x" << std::hex << s.type << std::dec
        << ")";
}

Shown Said(unsigned id, unsigned type = kOkExcl) {
    return {false, id, type};
}

class ScriptedPasswordUser : public PasswordUser {
public:
    int Ask(const ConnectionMessage& m) override {
        Record(true, m);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question " << m.Ids.front();
            return kIdNo;
        }
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void Tell(const ConnectionMessage& m) override { Record(false, m); }
    bool Connect() override {
        ++connects;
        return connectOk;
    }
    void SetBusyCursor(bool busy) override {
        busyDepth += busy ? 1 : -1;
        everBusy = everBusy || busy;
    }

    std::deque<int> answers;
    std::vector<Shown> shown;
    bool connectOk = true;
    int connects = 0;
    int busyDepth = 0;
    bool everBusy = false;

private:
    void Record(bool question, const ConnectionMessage& m) {
        EXPECT_EQ(busyDepth, 0) << "message under the wait cursor";
        ASSERT_EQ(m.Ids.size(), 1u);
        shown.push_back({question, m.Ids[0], m.Type});
    }
};

class PasswordToolTest : public SentCommandsTest {
protected:
    ConnectionEnd Accept(const PasswordForm& form, PasswordField* focus = nullptr) {
        PasswordModel model(profile, kCodePageJapanese, user, sleeper);
        return model.Accept(form, focus);
    }
    ConnectionEnd Clear() {
        PasswordModel model(profile, kCodePageJapanese, user, sleeper);
        return model.Clear();
    }
    size_t Count(const std::string& command) const {
        size_t n = 0;
        for (const auto& c : SentCommands())
            n += c == command;
        return n;
    }

    ScriptedPasswordUser user;
};

class PasswordRoadTest : public PasswordToolTest {};
class PasswordWireTest : public PasswordToolTest {};

TEST_P(PasswordRoadTest, SetChangeAndRemoveTellTheOutcomeAndEndTheUnitsSession) {
    const auto set = PasswordAction::SetOrChange;
    const auto remove = PasswordAction::Remove;
    enum Fault { None, Silent, RefuseCommand, SilentCommand };
    constexpr auto kNew = PasswordField::New, kNone = PasswordField::None;
    const auto stay = ConnectionEnd::StayOpen, close = ConnectionEnd::Ok;
    struct Case {
        const char* name;
        const char* unitPassword;
        PasswordForm form;
        Fault fault;
        bool connects;
        ConnectionEnd end;
        PasswordField focus;
        std::vector<Shown> shown;
        const char* afterwards;  // the unit's password
        const char* lastCommand; // nullptr: not checked
        bool changeSent;         // the set (158) or the remove (159)
    };
    const Case cases[] = {
        {"set on an open unit",
         "",
         {set, L"", L"secret", L"secret"},
         None,
         true,
         close,
         kNone,
         {Said(kMsgPasswordSet, kOkInfo)},
         "secret",
         "15B",
         true},
        {"change",
         "old",
         {set, L"old", L"fresh", L"fresh"},
         None,
         true,
         close,
         kNone,
         {Said(kMsgPasswordSet, kOkInfo)},
         "fresh",
         "15B",
         true},
        {"remove",
         "old",
         {remove, L"old", L"", L""},
         None,
         true,
         close,
         kNone,
         {Said(kMsgPasswordRemoved, kOkInfo)},
         "",
         "159",
         true},
        {"wrong current password",
         "old",
         {set, L"guess", L"x", L"x"},
         None,
         true,
         stay,
         kNew,
         {Said(kMsgCurrentPasswordRefused)},
         "old",
         "15A",
         false},
        {"current password left empty",
         "old",
         {remove, L"", L"", L""},
         None,
         true,
         stay,
         kNew,
         {Said(kMsgCurrentPasswordRefused)},
         "old",
         "15A",
         false},
        {"unit silent",
         "old",
         {set, L"old", L"x", L"x"},
         Silent,
         true,
         stay,
         kNew,
         {Said(kMsgPasswordLinkFailed)},
         "old",
         nullptr,
         false},
        {"set refused",
         "old",
         {set, L"old", L"x", L"x"},
         RefuseCommand,
         true,
         close,
         kNew,
         {Said(kMsgSetRefused)},
         "old",
         "15B",
         true},
        {"set unanswered",
         "old",
         {set, L"old", L"x", L"x"},
         SilentCommand,
         true,
         stay,
         kNew,
         {Said(kMsgPasswordLinkFailed)},
         "old",
         "15B",
         true},
        {"remove refused",
         "old",
         {remove, L"old", L"", L""},
         RefuseCommand,
         true,
         close,
         kNew,
         {Said(kMsgRemoveRefused)},
         "old",
         "15B",
         true},
        {"remove unanswered",
         "old",
         {remove, L"old", L"", L""},
         SilentCommand,
         true,
         stay,
         kNew,
         {Said(kMsgRemoveFailed)},
         "old",
         "15B",
         true},
        {"connection dialog cancelled",
         "old",
         {remove, L"old", L"", L""},
         None,
         false,
         stay,
         kNone,
         {},
         "old",
         nullptr,
         false},
        {"form refused",
         "old",
         {set, L"old", L"", L""},
         None,
         true,
         stay,
         kNew,
         {Said(kMsgNewPasswordEmpty)},
         "old",
         nullptr,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearFaults();
        sim->SetPassword(c.unitPassword);
        sim->ClearTranscript();
        if (c.fault == Silent)
            sim->InjectFault({FaultKind::NoReply, "", 0, -1});
        else if (c.fault == RefuseCommand)
            sim->InjectFault({FaultKind::ErrorFrame, "15", 1, 1, 0x61});
        else if (c.fault == SilentCommand)
            sim->InjectFault({FaultKind::NoReply, "15", 1, 1});
        user = ScriptedPasswordUser();
        user.connectOk = c.connects;

        PasswordField focus = PasswordField::None;
        EXPECT_EQ(Accept(c.form, &focus), c.end);
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(focus, c.focus);
        EXPECT_EQ(user.connects, c.form.New.empty() && c.form.Action == set ? 0 : 1);
        EXPECT_EQ(sim->Password(), c.afterwards);
        const auto sent = SentCommands();
        // Only a removed password leaves the session as it is: nothing is left to guard.
        EXPECT_EQ(sim->LoggedIn(), !sent.empty() && sent.back() == "159");
        if (c.lastCommand) {
            ASSERT_FALSE(sent.empty());
            EXPECT_EQ(sent.back(), c.lastCommand);
        }
        if (!c.connects) {
            EXPECT_TRUE(sent.empty());
        }
        EXPECT_EQ(Count("158") + Count("159"), c.changeSent ? 1u : 0u);
    }
}

TEST_P(PasswordRoadTest, ClearAsksConnectsAndTellsTheOutcome) {
    struct Case {
        const char* name;
        int answer;
        bool connects;
        bool silent;
        ConnectionEnd end;
        std::vector<Shown> shown;
    };
    const Shown ask{true, kMsgPasswordClearAsk, kYesNoExcl | kMbDefButton2}; // No the default
    const Case cases[] = {
        {"not wanted", kIdNo, true, false, ConnectionEnd::StayOpen, {ask}},
        {"connection dialog cancelled", kIdYes, false, false, ConnectionEnd::StayOpen, {ask}},
        {"cleared",
         kIdYes,
         true,
         false,
         ConnectionEnd::Ok,
         {ask, Said(kMsgPasswordClearDone, kMbOk | kMbIconQuestion)}},
        {"unit silent",
         kIdYes,
         true,
         true,
         ConnectionEnd::Ok,
         {ask, Said(kMsgPasswordClearFailed)}},
    };
    sim->SetPassword("old"); // the clear needs no login
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim->ClearFaults();
        sim->ClearTranscript();
        if (c.silent)
            sim->InjectFault({FaultKind::NoReply, "", 0, -1});
        const int before = sim->ClearCount();
        user = ScriptedPasswordUser();
        user.answers = {c.answer};
        user.connectOk = c.connects;
        EXPECT_EQ(Clear(), c.end);
        EXPECT_EQ(user.shown, c.shown);
        const bool sent = c.end == ConnectionEnd::Ok;
        EXPECT_EQ(user.everBusy, sent);
        EXPECT_EQ(user.busyDepth, 0);
        EXPECT_EQ(Count("0F"), sent ? 1u : 0u);
        EXPECT_EQ(sim->ClearCount() - before, sent && !c.silent ? 1 : 0);
        EXPECT_EQ(Count("15A"), 0u);
    }
}

TEST_P(PasswordWireTest, ChangeTheUnitsPassword) {
    sim->SetPassword("old");
    EXPECT_EQ(Accept({PasswordAction::SetOrChange, L"old", L"new", L"new"}), ConnectionEnd::Ok);
    EXPECT_EQ(user.shown, std::vector<Shown>{Said(kMsgPasswordSet, kOkInfo)});
    EXPECT_EQ(sim->Password(), "new");
    EXPECT_EQ(SentCommands(), (std::vector<std::string>{"3A", "15A", "158", "15B"}));
}

INSTANTIATE_TEST_SUITE_P(Tcp, PasswordRoadTest, ::testing::Values(SimCase(Wire::Tcp)), WireName);
INSTANTIATE_TEST_SUITE_P(Pty, PasswordWireTest, ::testing::Values(SimCase(Wire::Pty)), WireName);

} // namespace
} // namespace qv::test
