#include "editors/triggers/CombinationTriggerModel.h"

#include "editors/triggers/TriggerKindModel.h"

namespace qv {
namespace {

int PositionOf(uint8_t code, int count) {
    return code < count ? code : -1;
}

// The record an operand names: the selected one, or the stored byte's when
// the box has no item for it.
int Operand(int position, const TriggerRecord& record, size_t at) {
    return position >= 0 ? position : record.U8(at);
}

bool IsOperandExcluded(const TriggerTable& table, int operand) {
    return operand >= 0 && operand < static_cast<int>(TriggerTable::kCount) &&
           IsRestrictedTrigger(table.records[operand]);
}

bool IsCycle(const TriggerTable& table, int operand) {
    return table.records[operand].U8(trig::kKind) == kTriggerCycle;
}

} // namespace

std::vector<TriggerChoice> CombinationOperandItems(const TriggerTable& table, uint32_t codePage) {
    return TriggerChoices(table, codePage, false);
}

std::vector<std::wstring> CombinationOperatorItems() {
    return {L"AND", L"OR"};
}

CombinationForm LoadCombinationForm(TriggerTable& table, int index) {
    TriggerRecord& record = table.records[index];
    PrepareKindParameters(record, kTriggerCombination);
    CombinationForm form;
    form.first = PositionOf(record.U8(trig::kCombiFirst), kEditableTriggers);
    form.second = PositionOf(record.U8(trig::kCombiSecond), kEditableTriggers);
    form.op = PositionOf(record.U8(trig::kCombiOperator), 2);
    return form;
}

Refusal ChooseCombinationOperand(const TriggerTable& table, CombinationField box, int position,
                                 CombinationForm& form) {
    if (IsOperandExcluded(table, position))
        return Refuse(kMsgExcludedTrigger, box);
    (box == kCombiFieldFirst ? form.first : form.second) = position;
    return {};
}

Refusal CheckCombinationForm(const CombinationForm& form, const TriggerTable& table, int index) {
    const TriggerRecord& record = table.records[index];
    const int first = Operand(form.first, record, trig::kCombiFirst);
    const int second = Operand(form.second, record, trig::kCombiSecond);
    // An operand the record already holds is saved again as it is, even when
    // it has become excluded since; only a new choice must not be excluded.
    const bool stored = record.U8(trig::kKind) == kTriggerCombination;
    auto newlyExcluded = [&](int operand, size_t at) {
        return IsOperandExcluded(table, operand) && !(stored && operand == record.U8(at));
    };
    if (newlyExcluded(first, trig::kCombiFirst))
        return Refuse(kMsgExcludedTrigger, kCombiFieldFirst);
    if (newlyExcluded(second, trig::kCombiSecond))
        return Refuse(kMsgExcludedTrigger, kCombiFieldSecond);
    // The edited trigger is a combination now, whatever kind it held before.
    auto isCycle = [&](int operand) { return operand != index && IsCycle(table, operand); };
    if (isCycle(first) && isCycle(second))
        return Refuse(kMsgBadCombination, kCombiFieldFirst);
    if (first == index || second == index)
        return Refuse(kMsgBadCombination, kCombiFieldSecond);
    return {};
}

void StoreCombinationForm(const CombinationForm& form, TriggerTable& table, int index) {
    TriggerRecord& record = table.records[index];
    record.SetU8(trig::kKind, kTriggerCombination);
    if (form.first >= 0)
        record.SetU8(trig::kCombiFirst, static_cast<uint8_t>(form.first));
    if (form.second >= 0)
        record.SetU8(trig::kCombiSecond, static_cast<uint8_t>(form.second));
    if (form.op >= 0)
        record.SetU8(trig::kCombiOperator, static_cast<uint8_t>(form.op));
}

} // namespace qv
