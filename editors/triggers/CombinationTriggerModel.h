// The combination page: two triggers of the same table joined by AND or OR.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

enum CombinationField { kCombiFieldFirst = 1, kCombiFieldOperator, kCombiFieldSecond };

constexpr unsigned kMsgBadCombination = 20255;

// What the boxes show: operand positions are record indexes. A position of
// -1 is "no item": the stored byte lies outside the list and storing keeps it.
struct CombinationForm {
    int first = 0;
    int second = 0;
    int op = 0; // 0 AND, 1 OR
};

// The operand boxes' items: the 128 triggers without a "none" item, an
// excluded one marked; and the operator box's two items.
std::vector<TriggerChoice> CombinationOperandItems(const TriggerTable& table, uint32_t codePage);
std::vector<std::wstring> CombinationOperatorItems();

// Takes over the record at `index` of the page's copy when it held another
// kind (trigger 1 AND trigger 1) and shows it.
CombinationForm LoadCombinationForm(TriggerTable& table, int index);

// A new selection in an operand box. An excluded trigger is refused and the
// form keeps the box's previous selection, which the window shows again.
Refusal ChooseCombinationOperand(const TriggerTable& table, CombinationField box, int position,
                                 CombinationForm& form);

// Neither operand newly excluded (one the record holds stays as it is), not
// two cycles, not the edited trigger itself.
Refusal CheckCombinationForm(const CombinationForm& form, const TriggerTable& table, int index);

// Writes kind, operands and operator of a checked form into the record at
// `index`; bytes 0x25 on stay as they are.
void StoreCombinationForm(const CombinationForm& form, TriggerTable& table, int index);

} // namespace qv
