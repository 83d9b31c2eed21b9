// A damaged profile never stops the program: no toolkit assertion (the test
// program fails on any), no log box, and what cannot be read takes its default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <wx/log.h>

#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/Utf8.h"
#include "tests/core/ChildProcess.h"
#include "tests/gui/GuiTestSupport.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

const std::string kGroup = "[Software/Zorvek Control/Quorvelis/Settings]\n";
const std::string kLanguages =
    "Language=English\nLang1=English\nLang2=Japanese\nLang3=Chinese_s\nLangMax=3\n";

std::string RandomBytes(size_t n) {
    std::string s(n, '\0');
    uint32_t x = 12345;
    for (char& c : s) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return s;
}

struct Damaged {
    const char* what;
    std::string text;
    const char* language; // "Language" as read; nullptr: not there
    int64_t langMax;      // -1: not there
    int startLanguage;    // the language start-up goes on with
};

const Damaged kDamaged[] = {
    {"an entry with an empty name", kGroup + "=x\n" + kLanguages, "English", 3, kLangEnglish},
    {"a repeated group", kGroup + "Language=English\nLang1=English\n" + kGroup + "LangMax=1\n",
     "English", 1, kLangEnglish},
    {"a repeated entry", kGroup + kLanguages + "LangMax=3\nLang1=English\n", "English", 3,
     kLangEnglish},
    {"a line without a value and an open group", kGroup + kLanguages + "Language\n[Software/Zo\n",
     "English", 3, kLangEnglish},
    {"a number with blanks", kGroup + "Language=English\nLang1=English\nLangMax=\"  1 \"\n",
     "English", 1, kLangEnglish},
    {"empty group names and a path with \"..\"",
     "[]\n=\n==\n[/]\nx\n[Software/../../x]\ny=1\n" + kGroup + kLanguages, "English", 3,
     kLangEnglish},
    {"a value that is no UTF-8", kGroup + kLanguages + "Owner=\xC3\x28\xFF\n", "English", 3,
     kLangEnglish},
    {"a language count that is no number",
     kGroup + "Language=Chinese_s\nLang1=English\nLang3=Chinese_s\nLangMax=three\n", "Chinese_s",
     -1, kLangChinese},
    {"no language count", kGroup + "Language=Japanese\n", "Japanese", -1, kLangJapanese},
    {"random bytes", RandomBytes(4096), nullptr, -1, kLangJapanese}, // as at the first run
};

// Everything logged while it lives; a log box would show it.
class LogRecorder : public wxLog {
public:
    LogRecorder() : old_(wxLog::SetActiveTarget(this)) {}
    ~LogRecorder() override { wxLog::SetActiveTarget(old_); }
    std::vector<std::string> texts;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override {
        texts.push_back(msg.utf8_string());
    }

private:
    wxLog* old_;
};

class DamagedProfileTest : public ::testing::Test {
protected:
    std::string dir;
    std::string savedProfile;
    void SetUp() override {
        char tmpl[] = "/tmp/qvprofile.XXXXXX";
        dir = mkdtemp(tmpl);
        savedProfile = std::getenv("QV_PROFILE");
    }
    void TearDown() override {
        wxGetApp().Reset();
        test::RunPendingEvents();
        setenv("QV_PROFILE", savedProfile.c_str(), 1);
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    std::string Profile(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(DamagedProfileTest, TheStoreReadsWhatItCanWithoutAssertionOrLog) {
    for (const Damaged& d : kDamaged) {
        SCOPED_TRACE(d.what);
        const std::string path = Profile("store.ini", d.text);
        LogRecorder log;
        {
            WxProfileStore store(path);
            const auto language = store.ReadText(kSettingsSection, "Language");
            EXPECT_EQ(language.value_or(L"-"), d.language ? Utf8ToWide(d.language) : L"-");
            const auto langMax = store.ReadNumber(kSettingsSection, "LangMax");
            EXPECT_EQ(langMax ? static_cast<int64_t>(*langMax) : -1, d.langMax);
            EXPECT_TRUE(store.WriteText(kSettingsSection, "Language", L"Japanese"));
        }
        EXPECT_TRUE(log.texts.empty()) << log.texts.front();
        WxProfileStore again(path); // what it wrote reads back
        EXPECT_EQ(again.ReadText(kSettingsSection, "Language").value_or(L""), L"Japanese");
    }
}

TEST_F(DamagedProfileTest, NumbersAreReadWithBlanksAroundAndOnlyWithinThirtyTwoBits) {
    const struct {
        const char* stored;
        int64_t read; // -1: unreadable, the default is taken
    } rows[] = {
        {"42", 42},
        {"  42 ", 42},
        {"\"  42 \"", 42},
        {"\"\t42\t\"", 42},
        {"-1", 0xFFFFFFFF}, // widths store -1 this way
        {"4294967295", 0xFFFFFFFF},
        {"4294967296", -1},
        {"-2147483649", -1},
        {"99999999999999999999", -1},
        {"4 2", -1},
        {"42abc", -1},
        {"\"\"", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        const std::string path =
            Profile("numbers.ini", kGroup + "Width=" + std::string(row.stored) + "\n");
        WxProfileStore store(path);
        const auto value = store.ReadNumber(kSettingsSection, "Width");
        EXPECT_EQ(value ? static_cast<int64_t>(*value) : -1, row.read);
    }
}

// A folder or a FIFO where the profile file should be: the open must not
// block, and the profile lives in memory for the run.
TEST_F(DamagedProfileTest, AProfileThatIsNoFileServesFromMemory) {
    const std::string folder = dir + "/folder.ini";
    const std::string fifo = dir + "/fifo.ini";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const std::string& path : {folder, fifo}) {
        SCOPED_TRACE(path);
        const test::ChildEnd end = test::RunInChild([&] {
            LogRecorder log;
            WxProfileStore store(path);
            if (GetLanguage(store) != kLangJapanese) // the first-run values, held in memory
                return 1;
            if (store.ReadNumber(kSettingsSection, "LangMax") != 3u)
                return 2;
            return log.texts.empty() ? 0 : 3;
        });
        ASSERT_TRUE(end.finished) << "the profile open blocked";
        EXPECT_EQ(end.exitCode, 0);
    }
    struct stat st {};
    ASSERT_EQ(stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(DamagedProfileTest, StartUpReachesTheMainWindowWithEveryDamagedProfile) {
    CQuorvelDoc doc(932);
    const std::string file = dir + "/plant.qv";
    ASSERT_EQ(doc.SaveSettingsFile(file), 0);
    std::vector<Damaged> rows(std::begin(kDamaged), std::end(kDamaged));
    rows.push_back({"a folder", "", nullptr, -1, kLangJapanese});
    for (const Damaged& d : rows) {
        SCOPED_TRACE(d.what);
        std::string path = dir + "/start.ini";
        std::system(("rm -rf '" + path + "'").c_str());
        if (d.text.empty())
            ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
        else
            Profile("start.ini", d.text);
        setenv("QV_PROFILE", path.c_str(), 1);
        test::DialogScript script; // any dialog fails the test
        {
            LogRecorder log;
            ASSERT_TRUE(wxGetApp().StartUp({file}));
            test::RunPendingEvents();
            EXPECT_TRUE(log.texts.empty()) << log.texts.front();
        }
        ASSERT_NE(wxGetApp().MainFrame(), nullptr);
        EXPECT_TRUE(wxGetApp().MainFrame()->IsShown());
        EXPECT_EQ(wxGetApp().languageIndex, d.startLanguage);
        EXPECT_TRUE(script.seen.empty());
        wxGetApp().Reset();
        test::RunPendingEvents();
    }
}

} // namespace
} // namespace qv
