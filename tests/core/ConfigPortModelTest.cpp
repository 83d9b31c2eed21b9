// The port-number pane: range, the search port, distinct numbers except 6
// and 7, the order of the checks, and what a store writes.
#include <gtest/gtest.h>

#include "document/QuorvelDoc.h"
#include "editors/config/ConfigPortModel.h"

namespace qv {
namespace {

PortNumberBlock Defaults() {
    CQuorvelDoc doc(932);
    return doc.Blocks().portNumbers;
}

struct CheckCase {
    const char* what;
    std::vector<std::pair<int, const wchar_t*>> typed; // field (1..8), text
    unsigned message;                                  // 0: accepted
    int field;
};

TEST(ConfigPortModel, ChecksRangeSearchPortAndPairsInTheUnitsOrder) {
    const CheckCase cases[] = {
        {"factory defaults, 6 and 7 both 21", {}, 0, 0},
        {"highest number", {{1, L"49151"}}, 0, 0},
        {"one above", {{1, L"49152"}}, kMsgPortNumberRange, 1},
        {"zero", {{3, L"0"}}, kMsgPortNumberRange, 3},
        {"empty", {{4, L""}}, kMsgPortNumberRange, 4},
        {"letters", {{5, L"ab"}}, kMsgPortNumberRange, 5},
        {"search port", {{8, L"9090"}}, kMsgPortNumberSearch, 8},
        {"2 and 8 equal: the first of the pair", {{2, L"123"}}, kMsgPortNumberTwice, 2},
        {"4 equal to 6 and 7: 6 comes first", {{4, L"21"}}, kMsgPortNumberTwice, 6},
        {"range of 6 before the pair 1 and 2", {{2, L"9094"}, {6, L"0"}}, kMsgPortNumberRange, 6},
        {"range of 6 before the range of 4", {{4, L"0"}, {6, L"0"}}, kMsgPortNumberRange, 6},
        {"leading digits count", {{3, L"8080x"}}, 0, 0},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigPortForm form = LoadConfigPorts(Defaults());
        for (const auto& [field, text] : c.typed)
            form.numbers[static_cast<size_t>(field - 1)] = text;
        const Refusal r = CheckConfigPorts(form);
        EXPECT_EQ(r.messageId, c.message);
        EXPECT_EQ(r.field, c.field);
        if (c.message == kMsgPortNumberRange) {
            EXPECT_EQ(r.args, (std::vector<std::wstring>{L"1", L"49151"}));
        }
    }
}

TEST(ConfigPortModel, StoreWritesTheNumbersAndAdvancedBytesOnly) {
    PortNumberBlock block = Defaults();
    for (size_t i = 18; i < PortNumberBlock::kSize; ++i)
        block.SetU8(i, static_cast<uint8_t>(0xA0 + i));
    block.SetU8(portnum::kAdvanced1, 3); // outside 5..60: kept as stored
    const PortNumberBlock before = block;
    ConfigPortForm form = LoadConfigPorts(block);
    StoreConfigPorts(form, block);
    EXPECT_EQ(block, before);

    form.numbers[2] = L"8080";
    form.advanced[1] = 30;
    StoreConfigPorts(form, block);
    EXPECT_EQ(block.U16(4), 8080);
    EXPECT_EQ(block.U8(portnum::kAdvanced1), 3);
    EXPECT_EQ(block.U8(portnum::kAdvanced2), 30);
    for (size_t i = 18; i < PortNumberBlock::kSize; ++i)
        EXPECT_EQ(block.U8(i), before.U8(i));
}

} // namespace
} // namespace qv
