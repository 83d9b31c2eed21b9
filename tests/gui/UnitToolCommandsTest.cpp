// The ribbon's unit tools against the simulated unit: the RUN/PROGRAM
// switch both ways and refused, the clear, the firmware write, and the
// file that is no firmware image.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <wx/eventfilter.h>
#include <wx/filedlg.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "link/CommSettings.h"
#include "link/Firmware.h"
#include "link/UnitTools.h"
#include "online/UnitToolUser.h"
#include "tests/gui/GuiTestSupport.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/Messages.h"
#include "ui/WaitDlg.h"

namespace qv {
namespace {

constexpr unsigned kStrFirmwareFileTitle = 57672;

// Notes whether a wait dialog was shown and whether one is still up.
class WaitDlgWatch : public wxEventFilter {
public:
    WaitDlgWatch() { wxEvtHandler::AddFilter(this); }
    ~WaitDlgWatch() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override {
        if (event.GetEventType() == wxEVT_SHOW && dynamic_cast<CWaitDlg*>(event.GetEventObject())) {
            const bool show = static_cast<wxShowEvent&>(event).IsShown();
            shown = shown || show;
            up += show ? 1 : -1;
        }
        return Event_Skip;
    }
    bool shown = false;
    int up = 0;
};

class UnitToolCommandsTest : public test::StartedProgramTest {
protected:
    unitsim::UnitSimulator sim;

    void SetUp() override {
        test::StartedProgramTest::SetUp();
        const uint16_t port = sim.StartTcp();
        ASSERT_NE(port, 0);
        ProfileStore& p = app.Profile();
        p.WriteNumber(kCommSection, "CommType", kCommTcp);
        p.WriteText(kCommSection, "TCP IPAddr", L"127.0.0.1");
        p.WriteNumber(kCommSection, "TCP Port", port);
        for (const char* key : {"TCP SendTimeout", "TCP RecvTimeout", "TCP ConnectTimeout"})
            p.WriteNumber(kCommSection, key, 1000);
    }
    void TearDown() override {
        SetFirmwareFileAnswer(nullptr);
        test::StartedProgramTest::TearDown();
    }

    // Runs the command with the connection dialog's OK, then the answers.
    std::vector<wxString> Run(int command, std::initializer_list<int> answers) {
        test::DialogScript script;
        script.ThenClick(wxID_OK);
        for (int answer : answers)
            script.ThenEnd(answer);
        EXPECT_TRUE(app.MainFrame()->StateOf(command).enabled);
        app.MainFrame()->RunCommand(command);
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(script.seen.size(), answers.size() + 1);
        std::vector<wxString> texts;
        for (const std::string& m : script.messages)
            texts.push_back(wxString::FromUTF8(m));
        return texts;
    }

    std::string FileOf(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // The file dialog answers `path` and checks what it offers.
    void AnswerFileDialog(const std::string& path) {
        SetFirmwareFileAnswer([this, path](const wxFileDialog& dialog) {
            EXPECT_EQ(dialog.GetWildcard(), FileDialogFilter(Res(kMsgFirmwareFileFilter)));
            EXPECT_TRUE(dialog.HasFlag(wxFD_FILE_MUST_EXIST));
            // Over the main window, titled in the interface language.
            EXPECT_EQ(dialog.GetParent(), app.MainFrame());
            EXPECT_EQ(dialog.GetMessage(), Res(kStrFirmwareFileTitle));
            EXPECT_FALSE(dialog.GetMessage().empty());
            return path;
        });
    }
};

std::vector<uint8_t> FirmwareBytes(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    std::copy(std::begin(FirmwareSignature), std::end(FirmwareSignature),
              image.begin() + kFirmwareSignatureOffset);
    return image;
}

TEST_F(UnitToolCommandsTest, RunProgramSwitchFollowsTheAnswer) {
    struct Case {
        const char* what;
        bool runBefore;
        int answer;
        std::vector<unsigned> messages;
        bool runAfter;
    };
    const Case cases[] = {
        {"RUN to PROGRAM", true, wxID_YES, {kMsgAskToProgram, kMsgNowProgram}, false},
        {"PROGRAM to RUN", false, wxID_YES, {kMsgAskToRun, kMsgNowRun}, true},
        {"No keeps RUN", true, wxID_NO, {kMsgAskToProgram}, true},
        {"No keeps PROGRAM", false, wxID_NO, {kMsgAskToRun}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim.SetRunMode(c.runBefore);
        const std::vector<wxString> shown = c.messages.size() == 2
                                                ? Run(cmd::kRunProgramMode, {c.answer, wxID_OK})
                                                : Run(cmd::kRunProgramMode, {c.answer});
        std::vector<wxString> expected;
        for (unsigned id : c.messages)
            expected.push_back(Res(id));
        EXPECT_EQ(shown, expected);
        EXPECT_EQ(sim.RunMode(), c.runAfter);
    }
}

TEST_F(UnitToolCommandsTest, ClearInProgramModeClearsTheUnit) {
    sim.SetRunMode(false);
    const std::vector<wxString> shown = Run(cmd::kClearUnit, {wxID_YES, wxID_OK});
    EXPECT_EQ(shown, (std::vector<wxString>{Res(kMsgAskClear), Res(kMsgClearDone)}));
    EXPECT_EQ(sim.ClearCount(), 1);
}

// The clear cannot be undone: Enter, Escape and the close box answer No.
TEST_F(UnitToolCommandsTest, EnterOnTheClearQuestionClearsNothing) {
    sim.SetRunMode(false);
    const std::function<void(test::DialogScript&)> answers[] = {
        [](test::DialogScript& s) { s.ThenPress(WXK_RETURN); },
        [](test::DialogScript& s) { s.ThenPress(WXK_ESCAPE); },
        [](test::DialogScript& s) { s.ThenCloseBox(); },
    };
    for (const auto& answer : answers) {
        test::DialogScript script;
        script.ThenClick(wxID_OK); // the connection dialog
        answer(script);
        app.MainFrame()->RunCommand(cmd::kClearUnit);
        EXPECT_EQ(script.Pending(), 0u);
        EXPECT_EQ(script.messages, std::vector<std::string>{Res(kMsgAskClear).utf8_string()});
        EXPECT_EQ(sim.ClearCount(), 0);
        if (!script.focused.empty()) {
            EXPECT_EQ(script.focused, std::vector<int>{wxID_NO});
        }
    }
}

TEST_F(UnitToolCommandsTest, FirmwareImageIsWrittenUnderTheWaitDialog) {
    sim.SetRunMode(false);
    const std::vector<uint8_t> image = FirmwareBytes(12000);
    AnswerFileDialog(FileOf("unit.bin", image));
    WaitDlgWatch wait;
    const std::vector<wxString> shown = Run(cmd::kFirmwareUpdate, {wxID_OK});
    EXPECT_EQ(shown, std::vector<wxString>{Res(kMsgFirmwareDone)});
    EXPECT_TRUE(sim.FirmwareReceived() == image);
    EXPECT_TRUE(wait.shown);
    EXPECT_EQ(wait.up, 0);
}

// A file without the signature is refused before the connection dialog; in
// each language.
TEST_F(UnitToolCommandsTest, FileThatIsNoFirmwareImageIsRefusedAtOnce) {
    for (int language : test::kGuiLanguages) {
        test::ScopedGuiLanguage scoped(language);
        std::vector<uint8_t> other = FirmwareBytes(12000);
        other[kFirmwareSignatureOffset] ^= 1;
        AnswerFileDialog(FileOf("other.bin", other));
        test::DialogScript script;
        script.ThenEnd(wxID_OK);
        app.MainFrame()->RunCommand(cmd::kFirmwareUpdate);
        EXPECT_EQ(script.Pending(), 0u);
        ASSERT_EQ(script.seen.size(), 1u);
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgNotFirmwareImage));
        EXPECT_EQ(sim.ConnectionCount(), 0);
    }
}

} // namespace
} // namespace qv
