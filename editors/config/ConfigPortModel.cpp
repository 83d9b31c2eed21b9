#include "editors/config/ConfigPortModel.h"

#include <string>

namespace qv {

namespace {
// The order the unit checks its numbers in (0-based port numbers).
constexpr int kCheckOrder[portnum::kPortCount] = {0, 1, 2, 5, 6, 3, 4, 7};
} // namespace

ConfigPortForm LoadConfigPorts(const PortNumberBlock& block) {
    ConfigPortForm form;
    for (size_t i = 0; i < portnum::kPortCount; ++i)
        form.numbers[i] = std::to_wstring(block.U16(2 * i));
    form.advanced[0] = block.U8(portnum::kAdvanced1);
    form.advanced[1] = block.U8(portnum::kAdvanced2);
    return form;
}

int ReadPortNumberText(const std::wstring& text) {
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            break;
        value = value * 10 + (c - L'0');
        if (value > kPortNumberMax) // no overflow on a long paste
            return kPortNumberMax + 1;
    }
    return static_cast<int>(value);
}

Refusal CheckConfigPorts(const ConfigPortForm& form) {
    int values[portnum::kPortCount] = {};
    for (int i : kCheckOrder) {
        const int v = ReadPortNumberText(form.numbers[static_cast<size_t>(i)]);
        if (v < kPortNumberMin || v > kPortNumberMax)
            return Refuse(kMsgPortNumberRange, i + 1, {kPortNumberMin, kPortNumberMax});
        if (v == kUnitSearchPort)
            return Refuse(kMsgPortNumberSearch, i + 1);
        values[i] = v;
    }
    for (size_t a = 0; a < portnum::kPortCount; ++a) {
        for (size_t b = a + 1; b < portnum::kPortCount; ++b) {
            const int i = kCheckOrder[a], j = kCheckOrder[b];
            const bool shared = (i == kSharedPortFirst && j == kSharedPortSecond) ||
                                (i == kSharedPortSecond && j == kSharedPortFirst);
            if (!shared && values[i] == values[j])
                return Refuse(kMsgPortNumberTwice, i + 1);
        }
    }
    return {};
}

void StoreConfigPorts(const ConfigPortForm& form, PortNumberBlock& block) {
    for (size_t i = 0; i < portnum::kPortCount; ++i)
        block.SetU16(2 * i, static_cast<uint16_t>(ReadPortNumberText(form.numbers[i])));
    block.SetU8(portnum::kAdvanced1, form.advanced[0]);
    block.SetU8(portnum::kAdvanced2, form.advanced[1]);
}

} // namespace qv
