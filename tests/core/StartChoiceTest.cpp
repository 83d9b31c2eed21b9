#include <gtest/gtest.h>

#include <deque>

#include "document/StartChoice.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

// Plays the user: answers each dialog from a script and records what was shown.
class ScriptedHost : public StartChoiceHost {
public:
    int choice = kStartNewSettings;
    std::string openFilePath;
    bool quit = false;
    std::deque<bool> wizardAnswers, meterAnswers, connectAnswers;
    std::deque<std::string> browseAnswers;
    std::deque<int> chooserAnswers; // -1: Cancel, else the new start choice
    bool wizardRequestsWrite = false;
    std::vector<std::string> log;

    int StartChoice() const override { return choice; }
    std::string OpenFilePath() const override { return openFilePath; }
    void SetOpenFilePath(const std::string& p) override { openFilePath = p; }
    void RequestQuit() override { quit = true; }
    bool RunSettingsWizard(CQuorvelDoc& doc) override {
        log.push_back("wizard");
        doc.SetDefaultSettings();
        doc.writeRequested = wizardRequestsWrite;
        return Next(wizardAnswers);
    }
    bool RunPowerMeterWizard(CQuorvelDoc& doc) override {
        log.push_back("meter");
        const bool ok = Next(meterAnswers);
        if (ok) {
            const IpBlock keep = doc.Blocks().ip;
            doc.SetDefaultSettings();
            doc.SetIpBlock(keep);
            doc.writeRequested = wizardRequestsWrite;
        }
        return ok;
    }
    bool RunConnectionDialog(CQuorvelDoc&, ConnectionMode mode) override {
        log.push_back(mode == kConnectRead ? "read" : "write");
        return Next(connectAnswers);
    }
    bool RunStartUpChooser() override {
        log.push_back("chooser");
        const int next = chooserAnswers.empty() ? -1 : chooserAnswers.front();
        if (!chooserAnswers.empty())
            chooserAnswers.pop_front();
        if (next < 0)
            return false;
        choice = next;
        return true;
    }
    std::string BrowseSettingsFile() override {
        log.push_back("browse");
        std::string p = browseAnswers.empty() ? "" : browseAnswers.front();
        if (!browseAnswers.empty())
            browseAnswers.pop_front();
        return p;
    }
    void ShowMessageId(unsigned id) override { log.push_back("msg " + std::to_string(id)); }

private:
    static bool Next(std::deque<bool>& q) {
        const bool v = !q.empty() && q.front();
        if (!q.empty())
            q.pop_front();
        return v;
    }
};

using Log = std::vector<std::string>;

class StartChoiceTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::string goodFile;
    void SetUp() override {
        CQuorvelDoc d(kCodePageJapanese);
        d.Blocks().unit.SetU8(0, 'G');
        goodFile = dir.File("good.qv");
        ASSERT_EQ(d.SaveSettingsFile(goodFile), 0);
        test::WriteBytes(dir.File("short.qv"), std::vector<uint8_t>(100));
    }
};

TEST_F(StartChoiceTest, ChoicesAndTheirDialogs) {
    struct Case {
        const char* what;
        int choice;
        bool requestWrite;
        std::deque<bool> wizard, meter, connect;
        std::deque<std::string> browse;
        std::deque<int> chooser;
        std::string cmdLine;
        bool result;
        Log log;
        char unitNameFirst; // first byte of the unit name afterwards
    };
    const std::string good = goodFile, bad = dir.File("short.qv"), gone = dir.File("gone.qv");
    const Case cases[] = {
        {"new settings", kStartNewSettings, false, {}, {}, {}, {}, {}, "", true, {}, 'B'},
        {"unknown choice acts as new", 4, false, {}, {}, {}, {}, {}, "", true, {}, 'B'},
        {"wizard finished", kStartSettingsWizard, false, {true}, {}, {}, {}, {}, "", true,
         {"wizard"}, 'B'},
        {"wizard then write", kStartSettingsWizard, true, {true}, {}, {true}, {}, {}, "", true,
         {"wizard", "write"}, 'B'},
        {"wizard write cancelled, then cancel", kStartSettingsWizard, true, {true}, {}, {false},
         {}, {-1}, "", false, {"wizard", "write", "chooser"}, 'B'},
        {"wizard cancelled, chooser opens a file", kStartSettingsWizard, false, {false}, {}, {},
         {good}, {kStartOpenFile}, "", true, {"wizard", "chooser", "browse"}, 'G'},
        {"open file", kStartOpenFile, false, {}, {}, {}, {good}, {}, "", true, {"browse"}, 'G'},
        {"open: empty answer shows no message", kStartOpenFile, false, {}, {}, {}, {""}, {-1}, "",
         false, {"browse", "chooser"}, 'B'},
        {"open: unreadable file", kStartOpenFile, false, {}, {}, {}, {gone}, {-1}, "", false,
         {"browse", "msg 20283", "chooser"}, 'B'},
        {"open: not a settings file", kStartOpenFile, false, {}, {}, {}, {bad}, {-1}, "", false,
         {"browse", "msg 20281", "chooser"}, 'B'},
        {"read from unit", kStartReadFromUnit, false, {}, {}, {true}, {}, {}, "", true, {"read"}, 'B'},
        {"read cancelled twice", kStartReadFromUnit, false, {}, {}, {false, false}, {},
         {kStartReadFromUnit, -1}, "", false, {"read", "chooser", "read", "chooser"}, 'B'},
        {"power meter", kStartPowerMeterWizard, false, {}, {true}, {}, {}, {}, "", true, {"meter"}, 'B'},
        {"power meter then write", kStartPowerMeterWizard, true, {}, {true}, {true}, {}, {}, "",
         true, {"meter", "write"}, 'B'},
        {"power meter cancelled", kStartPowerMeterWizard, false, {}, {false}, {}, {}, {-1}, "",
         false, {"meter", "chooser"}, 'B'},
        {"command-line file", kStartCommandLineFile, false, {}, {}, {}, {}, {}, good, true, {}, 'G'},
        {"command-line file missing", kStartCommandLineFile, false, {}, {}, {}, {}, {kStartNewSettings},
         gone, true, {"msg 20283", "chooser"}, 'B'},
    };
    for (const Case& c : cases) {
        ScriptedHost host;
        host.choice = c.choice;
        host.wizardRequestsWrite = c.requestWrite;
        host.wizardAnswers = c.wizard;
        host.meterAnswers = c.meter;
        host.connectAnswers = c.connect;
        host.browseAnswers = c.browse;
        host.chooserAnswers = c.chooser;
        host.openFilePath = c.cmdLine;
        CQuorvelDoc doc(kCodePageJapanese);
        EXPECT_EQ(RunStartChoice(doc, host), c.result) << c.what;
        EXPECT_EQ(host.quit, !c.result) << c.what;
        EXPECT_EQ(host.log, c.log) << c.what;
        EXPECT_EQ(doc.Blocks().unit.U8(0), c.unitNameFirst) << c.what;
        if (c.unitNameFirst == 'G') {
            EXPECT_EQ(doc.PathName(), good) << c.what;
            EXPECT_EQ(host.openFilePath, good) << c.what;
        } else {
            EXPECT_TRUE(doc.IsUntitled()) << c.what; // a failed file never becomes the path
        }
    }
}

// The power-meter wizard keeps the LAN block it finds: it must hold the
// defaults, never uninitialised bytes.
TEST_F(StartChoiceTest, DocumentHoldsDefaultsBeforeTheChoiceRuns) {
    CQuorvelDoc fresh(kCodePageJapanese);
    ScriptedHost host;
    host.choice = kStartPowerMeterWizard;
    host.meterAnswers = {true};
    CQuorvelDoc doc(kCodePageJapanese);
    ASSERT_TRUE(RunStartChoice(doc, host));
    EXPECT_EQ(doc.Blocks().ip, fresh.Blocks().ip);
    EXPECT_EQ(doc.Blocks().ip.U8(0), 192);
}

} // namespace
} // namespace qv
