#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "app/CommandIds.h"
#include "app/KeyTips.h"
#include "app/RibbonLayout.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

// One key stroke: down (with the modifiers held) or up.
struct Stroke {
    int key;
    bool down;
    bool alt = false;
    bool other = false;
};
Stroke Down(int key, bool alt = false, bool other = false) {
    return {key, true, alt, other};
}
Stroke Up(int key) {
    return {key, false};
}
constexpr int A = KeyTips::kAlt;
constexpr int Esc = KeyTips::kEscape;
constexpr int kTop = KeyTips::kTopLevel;

// A small window: F the application menu, 1 a tool, A About, S and O two
// categories; in S the commands R, PM and PW, and X which is disabled.
constexpr int kTool = 101, kAbout = 102, kRead = 201, kMeter = 202, kPassword = 203,
              kDisabled = 204, kClear = 301;
KeyTipLevels Levels() {
    KeyTipLevels l;
    l.top = {
        {"F", KeyTipAction::ApplicationMenu, 0, 0}, {"1", KeyTipAction::RunCommand, kTool, 0},
        {"S", KeyTipAction::ShowCategory, 0, 0},    {"O", KeyTipAction::ShowCategory, 1, 0},
        {"Y", KeyTipAction::StyleMenu, 0, 0},       {"A", KeyTipAction::RunCommand, kAbout, 0}};
    l.categories = {{{"R", KeyTipAction::RunCommand, kRead, 0},
                     {"PM", KeyTipAction::RunCommand, kMeter, 0},
                     {"PW", KeyTipAction::RunCommand, kPassword, 0},
                     {"X", KeyTipAction::RunCommand, kDisabled, 0}},
                    {{"C", KeyTipAction::RunCommand, kClear, 0}}};
    return l;
}

std::string Keys(const std::vector<KeyTip>& tips) {
    std::string s;
    for (const KeyTip& t : tips)
        s += (s.empty() ? "" : " ") + t.keys;
    return s;
}

TEST(KeyTipsTest, WhichStrokesChooseATipAndWhichKeysAreUsedUp) {
    struct Case {
        const char* what;
        std::vector<Stroke> strokes;
        const char* chosen;  // the keys of the tip the last stroke chose, or ""
        bool consumed;       // whether the last stroke goes no further
        bool shown;          // the tips after the last stroke
        int level;           // the level shown then
        const char* visible; // the tips shown then
    };
    const Case cases[] = {
        {"Alt released alone shows the first level",
         {Down(A), Up(A)},
         "",
         false,
         true,
         kTop,
         "F 1 S O Y A"},
        {"then the letter chooses its tip",
         {Down(A), Up(A), Down('F')},
         "F",
         true,
         false,
         kTop,
         ""},
        {"a digit is a tip too", {Down(A), Up(A), Down('1')}, "1", true, false, kTop, ""},
        {"Alt held with the letter", {Down(A), Down('A', true)}, "A", true, false, kTop, ""},
        {"a letter without a tip", {Down(A), Up(A), Down('Q')}, "", false, false, kTop, ""},
        {"a letter alone does nothing", {Down('F')}, "", false, false, kTop, ""},
        {"Escape puts the first level away",
         {Down(A), Up(A), Down(Esc)},
         "",
         true,
         false,
         kTop,
         ""},
        {"Escape without tips goes on", {Down(Esc)}, "", false, false, kTop, ""},
        {"a second Alt puts them away",
         {Down(A), Up(A), Down(A), Up(A)},
         "",
         false,
         false,
         kTop,
         ""},
        {"Alt used with another key shows nothing",
         {Down(A), Down('X', true), Up(A)},
         "",
         false,
         false,
         kTop,
         ""},
        {"Ctrl+Alt is no key tip",
         {Down(A, false, true), Down('F', true, true), Up(A)},
         "",
         false,
         false,
         kTop,
         ""},
        {"tips then Ctrl with the letter",
         {Down(A), Up(A), Down('F', false, true)},
         "",
         false,
         false,
         kTop,
         ""},
        {"the tip is used once",
         {Down(A), Up(A), Down('F'), Down('F')},
         "",
         false,
         false,
         kTop,
         ""},
        {"an arrow key puts the tips away and goes on",
         {Down(A), Up(A), Down(1000)},
         "",
         false,
         false,
         kTop,
         ""},
        // The second level: a category's commands.
        {"a category's letter shows its commands",
         {Down(A), Up(A), Down('S')},
         "S",
         true,
         true,
         0,
         "R PM PW X"},
        {"Alt held with a category's letter shows it too",
         {Down(A), Down('O', true), Up(A)},
         "",
         false,
         true,
         1,
         "C"},
        {"a command's letter", {Down(A), Up(A), Down('S'), Down('R')}, "R", true, false, kTop, ""},
        {"the first of two letters narrows the tips",
         {Down(A), Up(A), Down('S'), Down('P')},
         "",
         true,
         true,
         0,
         "PM PW"},
        {"the second letter chooses",
         {Down(A), Up(A), Down('S'), Down('P'), Down('W')},
         "PW",
         true,
         false,
         kTop,
         ""},
        {"Escape after the first letter takes it back",
         {Down(A), Up(A), Down('S'), Down('P'), Down(Esc)},
         "",
         true,
         true,
         0,
         "R PM PW X"},
        {"Escape in a category steps back to the first level",
         {Down(A), Up(A), Down('S'), Down(Esc)},
         "",
         true,
         true,
         kTop,
         "F 1 S O Y A"},
        {"and a second Escape puts the tips away",
         {Down(A), Up(A), Down('S'), Down(Esc), Down(Esc)},
         "",
         true,
         false,
         kTop,
         ""},
        {"a first-level letter means nothing in a category",
         {Down(A), Up(A), Down('S'), Down('F')},
         "",
         false,
         false,
         kTop,
         ""},
        {"a wrong second letter puts the tips away",
         {Down(A), Up(A), Down('S'), Down('P'), Down('Q')},
         "",
         false,
         false,
         kTop,
         ""},
        {"a disabled command's tip does nothing and the tips stay",
         {Down(A), Up(A), Down('S'), Down('X')},
         "",
         true,
         true,
         0,
         "R PM PW X"},
        {"Alt again in a category puts the tips away",
         {Down(A), Up(A), Down('S'), Down(A), Up(A)},
         "",
         false,
         false,
         kTop,
         ""},
    };
    for (const Case& c : cases) {
        KeyTips tips(Levels(), [](int id) { return id != kDisabled; });
        KeyTips::Result last;
        for (const Stroke& s : c.strokes) {
            last = {};
            if (s.down)
                last = tips.KeyDown(s.key, s.alt, s.other);
            else
                tips.KeyUp(s.key);
        }
        EXPECT_EQ(last.chosen ? last.chosen->keys : "", c.chosen) << c.what;
        EXPECT_EQ(last.consumed, c.consumed) << c.what;
        EXPECT_EQ(tips.Shown(), c.shown) << c.what;
        EXPECT_EQ(tips.Level(), c.level) << c.what;
        EXPECT_EQ(Keys(tips.Visible()), c.visible) << c.what;
    }
}

TEST(KeyTipsTest, AClickPutsTheTipsAway) {
    KeyTips tips(Levels());
    tips.KeyDown(KeyTips::kAlt, false, false);
    tips.KeyUp(KeyTips::kAlt);
    tips.KeyDown('S', false, false);
    ASSERT_TRUE(tips.Shown());
    tips.Reset();
    EXPECT_FALSE(tips.Shown());
    EXPECT_EQ(tips.Level(), kTop);
    EXPECT_FALSE(tips.KeyDown('R', false, false).chosen);
}

TEST(KeyTipsTest, ProblemsOfALevel) {
    KeyTipLevels l = Levels();
    EXPECT_TRUE(KeyTipProblems(l).empty());
    l.top.push_back({"s", KeyTipAction::RunCommand, 1, 0});
    l.top.push_back({"XYZ", KeyTipAction::RunCommand, 2, 0});
    l.top.push_back({"", KeyTipAction::RunCommand, 3, 0});
    l.categories[0].push_back({"P", KeyTipAction::RunCommand, 4, 0});
    l.categories[1].push_back({"C", KeyTipAction::RunCommand, 5, 0});
    const std::vector<std::string> expected = {
        "first level: \"s\" is no key tip", "first level: \"XYZ\" is no key tip",
        "first level: \"\" is no key tip",  "category 0: \"P\" begins \"PM\"",
        "category 0: \"P\" begins \"PW\"",  "category 1: \"C\" twice"};
    EXPECT_EQ(KeyTipProblems(l), expected);
}

// Every language module: the tips reach every ribbon command, each category
// and every item of the strip, with letters that tell each apart.
TEST(KeyTipsTest, TheMainWindowsTipsInEveryLanguage) {
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage language(lang);
        const KeyTipLevels levels = MainWindowKeyTips();
        EXPECT_EQ(KeyTipProblems(levels), std::vector<std::string>()) << lang.module;

        std::multiset<int> top;
        for (const KeyTip& tip : levels.top)
            top.insert(tip.action == KeyTipAction::RunCommand
                           ? tip.value
                           : -100 - static_cast<int>(tip.action));
        const std::multiset<int> expectedTop = {
            cmd::kFileNew,
            cmd::kFileOpen,
            cmd::kFileSave,
            cmd::kFilePrint,
            cmd::kAppAbout,
            -100 - static_cast<int>(KeyTipAction::ApplicationMenu),
            -100 - static_cast<int>(KeyTipAction::StyleMenu),
            -100 - static_cast<int>(KeyTipAction::ShowCategory),
            -100 - static_cast<int>(KeyTipAction::ShowCategory)};
        EXPECT_EQ(top, expectedTop) << lang.module;

        const auto& categories = RibbonCategories();
        ASSERT_EQ(levels.categories.size(), categories.size());
        for (size_t c = 0; c < categories.size(); ++c) {
            EXPECT_TRUE(std::any_of(levels.top.begin(), levels.top.end(),
                                    [&](const KeyTip& t) {
                                        return t.action == KeyTipAction::ShowCategory &&
                                               t.value == static_cast<int>(c);
                                    }))
                << "category " << c;
            std::multiset<int> ribbon, reached;
            for (const RibbonPanel& p : categories[c].panels)
                for (const RibbonCommand& command : p.commands)
                    ribbon.insert(command.id);
            for (const KeyTip& t : levels.categories[c]) {
                EXPECT_EQ(t.action, KeyTipAction::RunCommand);
                reached.insert(t.value);
            }
            EXPECT_EQ(reached, ribbon) << lang.module << ", category " << c;
        }
    }
}

// The application menu's mnemonics: one letter for each entry, distinct in
// the menu and in the print menu, in every language.
TEST(KeyTipsTest, ApplicationMenuMnemonicsInEveryLanguage) {
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage language(lang);
        std::map<int, std::set<std::string>> seen; // by menu
        for (const MenuEntry& e : ApplicationMenuEntries()) {
            if (e.id == kMenuSeparator)
                continue;
            const std::string key = KeysOfText(e.mnemonic);
            EXPECT_TRUE(key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z')
                << lang.module << ": entry " << e.id << " has \"" << key << "\"";
            EXPECT_TRUE(seen[e.parent].insert(key).second)
                << lang.module << ": \"" << key << "\" twice in menu " << e.parent;
        }
        EXPECT_EQ(seen.size(), 2u);
    }
}

TEST(KeyTipsTest, MnemonicLabels) {
    const struct {
        const wchar_t* label;
        char key;
        const wchar_t* expected;
    } cases[] = {
        {L"New", 'N', L"&New"},
        {L"Save As...", 'A', L"Save &As..."}, // a word's start before an earlier letter
        {L"Exit", 'X', L"E&xit"},
        {L"Print Preview", 'V', L"Print Pre&view"},
        {L"Preview and print the settings", 'W', L"Previe&w and print the settings"},
        {L"Recent files", 'f', L"Recent &files"},
        {L"Cats & dogs", 'D', L"Cats && &dogs"},
        {L"新規作成", 'N', L"新規作成(&N)"},
        {L"打开...", 'o', L"打开(&O)..."},
        {L"名前を付けて保存\u2026", 'A', L"名前を付けて保存(&A)\u2026"},
        {L"", 'Q', L"(&Q)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MnemonicLabel(c.label, c.key), c.expected) << c.key;
}

TEST(KeyTipsTest, Accelerators) {
    const struct {
        int key;
        bool ctrl, alt, other;
        int command;
    } cases[] = {
        {'N', true, false, false, cmd::kFileNew},
        {'O', true, false, false, cmd::kFileOpen},
        {'S', true, false, false, cmd::kFileSave},
        {'P', true, false, false, cmd::kFilePrint},
        {'N', false, false, false, 0},
        {'N', true, true, false, 0},
        {'S', true, false, true, 0},
        {'Q', true, false, false, 0},
        {'A', true, false, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceleratorCommand(c.key, c.ctrl, c.alt, c.other), c.command)
            << static_cast<char>(c.key) << " ctrl " << c.ctrl << " alt " << c.alt << " other "
            << c.other;
    EXPECT_EQ(AcceleratorText(cmd::kFileSave), "Ctrl+S");
    EXPECT_EQ(AcceleratorText(cmd::kFileSaveAs), "");
}

} // namespace
} // namespace qv
