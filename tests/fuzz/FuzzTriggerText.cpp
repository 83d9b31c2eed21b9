// Trigger condition texts of arbitrary records. Input: a byte choosing the
// code page and the tested record's index, the 64-byte unit block, the
// tested 80-byte record, then the bytes of records 0, 1, ... (their names
// are the operands' names of a combination).
#include "document/CodePageText.h"
#include "document/TriggerText.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

template <size_t N> void Take(fuzz::InputReader& in, ByteBlock<N>& block) {
    for (size_t i = 0; i < N; ++i)
        block.bytes[i] = in.Byte();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    const uint32_t codePage = choice & 0x80 ? kCodePageChinese : kCodePageJapanese;
    const int index = choice & 0x7F;

    static TriggerTable table; // 20 KB: kept off the stack
    table.Clear();
    UnitBlock unit;
    Take(in, unit);
    Take(in, table[static_cast<size_t>(index)]);
    for (size_t i = 0; i < TriggerTable::kCount && !in.Rest().empty(); ++i)
        if (i != static_cast<size_t>(index))
            Take(in, table[i]);

    const std::wstring list = TriggerConditionText(table, index, unit, codePage, kTriggerListStyle);
    const std::wstring report =
        TriggerConditionText(table, index, unit, codePage, kTriggerReportStyle);
    fuzz::Expect(list.find(L'\0') == std::wstring::npos, "a text holds no NUL");
    fuzz::Expect(list.size() < 512 && report.size() < 512, "a text stays one short line");
    const int kind = table[static_cast<size_t>(index)].U8(trig::kKind);
    const TriggerRecord& r = table[static_cast<size_t>(index)];
    const bool unnamedOperand = r.U8(trig::kCombiFirst) >= kReportTriggerCount ||
                                r.U8(trig::kCombiSecond) >= kReportTriggerCount;
    fuzz::Expect(kind == kTriggerContact || kind == kTriggerRegister || list == report ||
                     (kind == kTriggerCombination && unnamedOperand),
                 "only contacts, registers and combinations naming an operand past the "
                 "report's triggers differ between list and report");
    fuzz::Expect((kind >= kTriggerCycle && kind <= kTriggerCombination) || list.empty(),
                 "a record without a kind has no condition");
    return 0;
}
