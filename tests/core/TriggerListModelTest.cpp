// The trigger list without its window: rows, deletion, the chooser's OK and
// the stored window size.
#include <gtest/gtest.h>

#include "tests/core/ScriptedQuestions.h"

#include <vector>

#include "document/CodePageText.h"
#include "editors/triggers/TriggerListModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;

using test::ScriptedQuestions;

TriggerRecord Record(const char* name, uint8_t kind, uint8_t flag = 0) {
    TriggerRecord r;
    for (size_t i = 0; name[i]; ++i)
        r.SetU8(i, static_cast<uint8_t>(name[i]));
    r.SetU8(trig::kKind, kind);
    r.SetU8(trig::kFlag, flag);
    return r;
}

std::vector<bool> Checked(std::initializer_list<size_t> rows, size_t size = 128) {
    std::vector<bool> v(size, false);
    for (size_t r : rows)
        v[r] = true;
    return v;
}

TEST(TriggerList, RowsShowNameKindAndFlag) {
    test::ScopedLanguage lang(test::kEnglish);
    struct Case {
        const char* what;
        TriggerRecord record;
        TriggerRow row; // for row 6
        bool formatted; // the condition hook ran
    } cases[] = {
        {"empty record", Record("", 0), {L"7", L"", L"", L"", L""}, false},
        {"name with kind 0", Record("Idle", 0), {L"7", L"Idle", L"None", L"cond", L"-"}, true},
        {"no name, flagged contact",
         Record("", 3, 1),
         {L"7", L"", L"Contact", L"cond", L"On"},
         true},
        {"one character is a name",
         Record("\x82\xA0", 1),
         {L"7", L"\x3042", L"Cycle", L"cond", L"-"},
         true},
        {"unknown kind", Record("X", 9), {L"7", L"X", L"", L"cond", L"-"}, true},
    };
    for (const Case& c : cases) {
        TriggerTable t;
        t[6] = c.record;
        bool ran = false;
        const TriggerRow row = TriggerListRow(t, 6, kCp, [&](const TriggerTable&, size_t i) {
            ran = true;
            EXPECT_EQ(i, 6u);
            return std::wstring(L"cond");
        });
        EXPECT_EQ(row.number, c.row.number) << c.what;
        EXPECT_EQ(row.name, c.row.name) << c.what;
        EXPECT_EQ(row.kind, c.row.kind) << c.what;
        EXPECT_EQ(row.condition, c.row.condition) << c.what;
        EXPECT_EQ(row.flag, c.row.flag) << c.what;
        EXPECT_EQ(ran, c.formatted) << c.what;
    }
    TriggerTable t;
    t[200] = Record("Hidden", 1);
    const auto rows = TriggerListRows(t, kCp);
    ASSERT_EQ(rows.size(), 128u);
    EXPECT_EQ(rows[127].number, L"128");
}

TEST(TriggerList, DeletionEmptiesOnlyTheCheckedRecords) {
    struct Case {
        const char* what;
        std::vector<bool> checked;
        std::vector<bool> answers;
        unsigned refusal;
        std::vector<size_t> emptied;
    } cases[] = {
        {"nothing checked", Checked({}), {}, kMsgDeleteNoneChecked, {}},
        {"cancelled", Checked({4}), {false}, 0, {}},
        {"two rows", Checked({4, 127}), {true}, 0, {4, 127}},
        {"a flag past the list counts for nothing",
         Checked({130}, 256),
         {},
         kMsgDeleteNoneChecked,
         {}},
    };
    for (const Case& c : cases) {
        TriggerTable t;
        for (size_t i = 0; i < 256; ++i)
            t[i] = Record("T", 1 + i % 5);
        const TriggerTable before = t;
        ScriptedQuestions q(c.answers);
        const TriggerDeletion d = DeleteCheckedTriggers(t, c.checked, q);
        EXPECT_EQ(d.refusal.messageId, c.refusal) << c.what;
        EXPECT_EQ(q.asked, std::vector<unsigned>(c.answers.size(), kMsgDeleteTriggers)) << c.what;
        EXPECT_EQ(d.rows, c.emptied) << c.what;
        EXPECT_EQ(d.deleted, !c.emptied.empty()) << c.what;
        for (size_t i = 0; i < 256; ++i) {
            bool gone = false;
            for (size_t e : c.emptied)
                gone |= e == i;
            EXPECT_EQ(t[i], gone ? TriggerRecord{} : before[i]) << c.what << " " << i;
        }
    }
}

TEST(TriggerList, ChooserTakesExactlyOneUsableCheckedTrigger) {
    TriggerTable t;
    t[2] = Record("Cycle", 1);
    t[5] = Record("Door", 3);
    t[5].SetU8(trig::kContactCondition, 5);
    t[6] = Record("Level", 4);
    t[6].SetU8(trig::kRegExcluded, 1);
    t[7] = Record("Level2", 4);
    t[7].SetU8(trig::kRegExcluded, 2);
    struct Case {
        const char* what;
        std::vector<bool> checked;
        unsigned refusal;
        int chosen;
    } cases[] = {
        {"none checked", Checked({}), kMsgChooseNone, -1},
        {"two checked", Checked({2, 7}), kMsgChooseOnlyOne, -1},
        {"all checked (select all)", std::vector<bool>(128, true), kMsgChooseOnlyOne, -1},
        {"excluded contact", Checked({5}), kMsgExcludedTrigger, -1},
        {"excluded register", Checked({6}), kMsgExcludedTrigger, -1},
        {"usable register", Checked({7}), 0, 8},
        {"an empty record", Checked({100}), 0, 101},
        {"first row", Checked({2}), 0, 3},
    };
    for (const Case& c : cases) {
        const TriggerChooserOk ok = ChooseCheckedTrigger(t, c.checked);
        EXPECT_EQ(ok.refusal.messageId, c.refusal) << c.what;
        EXPECT_EQ(ok.chosen, c.chosen) << c.what;
    }
}

TEST(TriggerList, StoredWindowSizeAppliesOnlyWhenSane) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, uint32_t>> stored;
        std::optional<WindowRect> rect;
    } cases[] = {
        {"nothing stored", {}, std::nullopt},
        {"height 0", {{"TrigSel Width", 600}, {"TrigSel Height", 0}}, std::nullopt},
        {"600 x 400",
         {{"TrigSel Left", 10},
          {"TrigSel Top", 20},
          {"TrigSel Width", 600},
          {"TrigSel Height", 400}},
         WindowRect{10, 20, 600, 400}},
        {"left of the screen",
         {{"TrigSel Left", 0xFFFFFF9C}, {"TrigSel Width", 600}, {"TrigSel Height", 400}},
         WindowRect{-100, 0, 600, 400}},
        {"negative width", {{"TrigSel Width", 0xFFFFFFFF}, {"TrigSel Height", 400}}, std::nullopt},
        {"absurd height", {{"TrigSel Width", 600}, {"TrigSel Height", 100000}}, std::nullopt},
    };
    for (const Case& c : cases) {
        MemoryProfile profile;
        for (const auto& [name, value] : c.stored)
            profile.WriteNumber("Settings\\Config", name, value);
        const std::optional<WindowRect> r = LoadTriggerListRect(profile);
        ASSERT_EQ(r.has_value(), c.rect.has_value()) << c.what;
        if (r) {
            EXPECT_EQ(r->left, c.rect->left) << c.what;
            EXPECT_EQ(r->top, c.rect->top) << c.what;
            EXPECT_EQ(r->width, c.rect->width) << c.what;
            EXPECT_EQ(r->height, c.rect->height) << c.what;
        }
    }
    MemoryProfile profile;
    SaveTriggerListRect(profile, {-8, 30, 640, 480});
    const auto back = LoadTriggerListRect(profile);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->left, -8);
    EXPECT_EQ(back->height, 480);
}

} // namespace
} // namespace qv
