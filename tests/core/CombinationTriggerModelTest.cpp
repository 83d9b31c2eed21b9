// The combination page: which operands it takes, and the bytes a store writes.
#include <gtest/gtest.h>

#include <ostream>

#include "document/CodePageText.h"
#include "editors/triggers/CombinationTriggerModel.h"

namespace qv {
namespace {

// Records by index: 1 and 2 cycles, 3 a date, 4 empty, 5 a combination,
// 6 an excluded contact, 7 an excluded register comparison, 200 (beyond the
// list) a cycle; 10 the edited combination.
constexpr int kEdited = 10, kCycleA = 1, kCycleB = 2, kDate = 3, kEmpty = 4, kOther = 5,
              kExcludedContact = 6, kExcludedRegister = 7, kBeyond = 200;

TriggerTable Table() {
    TriggerTable t;
    t[kCycleA].SetU8(trig::kKind, kTriggerCycle);
    t[kCycleB].SetU8(trig::kKind, kTriggerCycle);
    t[kDate].SetU8(trig::kKind, kTriggerDate);
    t[kOther].SetU8(trig::kKind, kTriggerCombination);
    t[kExcludedContact].SetU8(trig::kKind, kTriggerContact);
    t[kExcludedContact].SetU8(trig::kContactCondition, 5);
    t[kExcludedRegister].SetU8(trig::kKind, kTriggerRegister);
    t[kExcludedRegister].SetU8(trig::kRegExcluded, 1);
    t[kBeyond].SetU8(trig::kKind, kTriggerCycle);
    TriggerRecord& edited = t[kEdited];
    for (size_t i = 0; i < TriggerRecord::kSize; ++i)
        edited.SetU8(i, static_cast<uint8_t>(0x80 + i));
    edited.SetU8(trig::kKind, kTriggerCombination);
    return t;
}

struct CheckCase {
    const char* name;
    int edited;
    CombinationForm form;
    unsigned message; // 0: accepted
    int field;
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

class CombinationCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CombinationCheck, RefusesWithMessageAndFocus) {
    const CheckCase& c = GetParam();
    TriggerTable table = Table();
    table[kEdited].SetU8(trig::kCombiFirst, kBeyond);
    table[kEdited].SetU8(trig::kCombiSecond, kCycleA);
    const Refusal r = CheckCombinationForm(c.form, table, c.edited);
    EXPECT_EQ(r.messageId, c.message);
    if (c.message != 0) {
        EXPECT_EQ(r.field, c.field);
    }
}

constexpr int kFirst = kCombiFieldFirst, kSecond = kCombiFieldSecond;
INSTANTIATE_TEST_SUITE_P(
    Operands, CombinationCheck,
    ::testing::Values(
        CheckCase{"NewCombinationOfTriggerOne", 0, {0, 0, 0}, kMsgBadCombination, kSecond},
        CheckCase{"ItselfAsSecond", kEdited, {kDate, kEdited, 1}, kMsgBadCombination, kSecond},
        CheckCase{"SameDateTwice", kEdited, {kDate, kDate, 0}, 0, 0},
        CheckCase{"EmptyAndCombination", kEdited, {kEmpty, kOther, 1}, 0, 0},
        CheckCase{"CycleAndDate", kEdited, {kCycleA, kDate, 0}, 0, 0},
        CheckCase{"TwoCycles", kEdited, {kCycleA, kCycleB, 0}, kMsgBadCombination, kFirst},
        CheckCase{"SameCycleTwice", kEdited, {kCycleB, kCycleB, 1}, kMsgBadCombination, kFirst},
        // an operand that has become excluded since it was chosen
        CheckCase{"ExcludedContactFirst",
                  kEdited,
                  {kExcludedContact, kDate, 0},
                  kMsgExcludedTrigger,
                  kFirst},
        CheckCase{"ExcludedRegisterSecond",
                  kEdited,
                  {kDate, kExcludedRegister, 0},
                  kMsgExcludedTrigger,
                  kSecond},
        // a stored operand beyond the list still counts as the record it names
        CheckCase{"StoredBeyondListAndCycle", kEdited, {-1, -1, 0}, kMsgBadCombination, kFirst},
        CheckCase{"StoredBeyondListAndDate", kEdited, {-1, kDate, -1}, 0, 0},
        // the edited trigger counts as the combination it becomes: the fault
        // is naming itself, not two cycles
        CheckCase{"CycleBecomingCombinationNamesItself",
                  kCycleB,
                  {kCycleA, kCycleB, 0},
                  kMsgBadCombination,
                  kSecond},
        CheckCase{"CycleBecomingCombinationNamesItselfFirst",
                  kCycleB,
                  {kCycleB, kCycleA, 0},
                  kMsgBadCombination,
                  kSecond}),
    [](const auto& info) { return std::string(info.param.name); });

// Trigger 4 has become an excluded contact since trigger 11 combined it with
// trigger 3: trigger 11 opens and saves again as it was, a rename included.
TEST(CombinationStoredOperand, ThatBecameExcludedIsSavedAgain) {
    constexpr int kCombined = 10, kNowExcluded = 3, kOther3 = 2;
    TriggerTable table;
    table[kNowExcluded].SetU8(trig::kKind, kTriggerContact);
    table[kNowExcluded].SetU8(trig::kContactCondition, 5);
    table[kOther3].SetU8(trig::kKind, kTriggerDate);
    table[kCombined].SetU8(trig::kKind, kTriggerCombination);
    table[kCombined].SetU8(trig::kCombiFirst, kNowExcluded);
    table[kCombined].SetU8(trig::kCombiSecond, kOther3);
    table[kCombined].SetU8(trig::kCombiOperator, 1);
    const TriggerTable before = table;

    const CombinationForm form = LoadCombinationForm(table, kCombined);
    EXPECT_EQ(form.first, kNowExcluded);
    EXPECT_FALSE(CheckCombinationForm(form, table, kCombined).Refused());
    StoreCombinationForm(form, table, kCombined);
    EXPECT_TRUE(table == before);

    // Kept in either box; a box changed to an excluded trigger is refused.
    const CombinationForm swapped{kOther3, kNowExcluded, 0};
    EXPECT_EQ(CheckCombinationForm(swapped, table, kCombined).messageId, kMsgExcludedTrigger);
    EXPECT_EQ(CheckCombinationForm(swapped, table, kCombined).field, kCombiFieldSecond);
    CombinationForm chosen = form;
    EXPECT_EQ(ChooseCombinationOperand(table, kCombiFieldSecond, kNowExcluded, chosen).messageId,
              kMsgExcludedTrigger);
    EXPECT_EQ(chosen.second, kOther3);

    // A trigger that becomes a combination holds no operand yet: the first
    // trigger it starts with must not be excluded.
    TriggerTable fresh = before;
    fresh[0] = before[kNowExcluded];
    fresh[kCombined].SetU8(trig::kKind, kTriggerDate);
    const CombinationForm started = LoadCombinationForm(fresh, kCombined);
    const Refusal r = CheckCombinationForm(started, fresh, kCombined);
    EXPECT_EQ(r.messageId, kMsgExcludedTrigger);
    EXPECT_EQ(r.field, kCombiFieldFirst);
}

TEST(CombinationChoose, AnExcludedTriggerKeepsThePreviousSelection) {
    const TriggerTable table = Table();
    const struct {
        CombinationField box;
        int position;
        unsigned message;
        CombinationForm after;
    } cases[] = {
        {kCombiFieldSecond, kExcludedContact, kMsgExcludedTrigger, {kDate, kEmpty, 1}},
        {kCombiFieldFirst, kExcludedRegister, kMsgExcludedTrigger, {kDate, kEmpty, 1}},
        {kCombiFieldSecond, kCycleA, 0, {kDate, kCycleA, 1}},
        {kCombiFieldFirst, kOther, 0, {kOther, kEmpty, 1}},
    };
    for (const auto& c : cases) {
        CombinationForm form{kDate, kEmpty, 1};
        const Refusal r = ChooseCombinationOperand(table, c.box, c.position, form);
        EXPECT_EQ(r.messageId, c.message) << c.position;
        if (r.Refused()) {
            EXPECT_EQ(r.field, c.box);
        }
        EXPECT_EQ(form.first, c.after.first) << c.position;
        EXPECT_EQ(form.second, c.after.second) << c.position;
    }
}

TEST(CombinationStore, WritesOperandsAndOperatorAndNothingElse) {
    TriggerTable table = Table();
    const TriggerTable before = table;
    const CombinationForm form{kCycleA, kDate, 1};
    ASSERT_FALSE(CheckCombinationForm(form, table, kEdited).Refused());
    TriggerTable expected = table;
    expected[kEdited].SetU8(trig::kCombiFirst, kCycleA);
    expected[kEdited].SetU8(trig::kCombiSecond, kDate);
    expected[kEdited].SetU8(trig::kCombiOperator, 1);
    StoreCombinationForm(form, table, kEdited);
    EXPECT_EQ(table[kEdited].bytes, expected[kEdited].bytes);
    table[kEdited] = before[kEdited];
    EXPECT_TRUE(table == before) << "another record changed";
}

TEST(CombinationStore, StoredCodesWithoutAnItemAreKept) {
    TriggerTable table = Table();
    table[kEdited].SetU8(trig::kCombiFirst, kBeyond);
    table[kEdited].SetU8(trig::kCombiSecond, 0xFF);
    table[kEdited].SetU8(trig::kCombiOperator, 7);
    const TriggerTable before = table;
    const CombinationForm form = LoadCombinationForm(table, kEdited);
    EXPECT_EQ(form.first, -1);
    EXPECT_EQ(form.second, -1);
    EXPECT_EQ(form.op, -1);
    StoreCombinationForm(form, table, kEdited);
    EXPECT_TRUE(table == before);
}

TEST(CombinationLoad, AnotherKindStartsAsTriggerOneAndTriggerOne) {
    TriggerTable table = Table();
    table[kEdited].SetU8(trig::kKind, kTriggerRegister);
    TriggerTable expected = table;
    for (size_t at = 0x22; at < 0x2A; ++at)
        expected[kEdited].SetU8(at, 0);
    const CombinationForm form = LoadCombinationForm(table, kEdited);
    EXPECT_TRUE(table == expected);
    EXPECT_EQ(form.first, 0);
    EXPECT_EQ(form.second, 0);
    EXPECT_EQ(form.op, 0);
}

TEST(CombinationLists, OperandsAreTheEditableTriggersWithExcludedOnesMarked) {
    const std::vector<TriggerChoice> items = CombinationOperandItems(Table(), kCodePageJapanese);
    ASSERT_EQ(items.size(), 128u);
    for (size_t p = 0; p < items.size(); ++p) {
        EXPECT_EQ(items[p].itemData, static_cast<int>(p + 1));
        EXPECT_EQ(items[p].flag != 0, p == kExcludedContact || p == kExcludedRegister) << p;
    }
    EXPECT_EQ(CombinationOperatorItems(), (std::vector<std::wstring>{L"AND", L"OR"}));
}

} // namespace
} // namespace qv
