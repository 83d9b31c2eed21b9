#include "editors/PortSettingsModel.h"

#include <cerrno>
#include <cstdlib>

#include "document/PortRemoval.h"

namespace qv {

namespace {

// A list index for a stored value, or -1 when the list has no such item.
int IndexIn(int value, int count) {
    return value >= 0 && value < count ? value : -1;
}

std::optional<long> ParseWhole(const std::string& text) {
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos)
        return std::nullopt;
    const std::string core = text.substr(b, e - b + 1);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(core.c_str(), &end, 10);
    if (errno != 0 || end == core.c_str() || *end != '\0')
        return std::nullopt;
    return v;
}

} // namespace

PortPageValues LoadPortValues(const UnitBlock& unit, int port) {
    using namespace portrec;
    const size_t r = unit::PortRecordOffset(port);
    const uint8_t format = unit.U8(r + kFormat);
    PortPageValues v;
    v.role = IndexIn(unit.U8(r + kRole), 2);
    v.protocol = IndexIn(unit.U8(r + kProtocol), 2);
    v.numberIndex = IndexIn(unit.U8(r + kNumber) - 1, kPortNumberCount);
    v.baud = IndexIn(unit.U8(r + kBaud), 6);
    v.dataLength = DataLength(format);
    v.parity = IndexIn(Parity(format), 3);
    v.stopBits = StopBits(format);
    const int n2 = unit.U8(r + kNumber2);
    v.number2Index = n2 == 0 ? 0 : IndexIn(n2 - 1, kNumber2Count);
    v.choiceOne = unit.U8(unit::kPortChoice + port) != 0;
    v.valueText = std::to_string(
        static_cast<int16_t>(unit.U16(unit::kPortValue + 2 * static_cast<size_t>(port))));
    const uint8_t options = unit.U8(unit::kPortOptions);
    v.option = IndexIn(port == 0 ? options & 0x0F : options >> 4, 2);
    return v;
}

std::optional<int16_t> ParsePortValue(const std::string& text) {
    const auto v = ParseWhole(text);
    if (!v || *v < kPortValueMin || *v > kPortValueMax)
        return std::nullopt;
    return static_cast<int16_t>(*v);
}

bool StorePortValues(const PortPageValues& v, int port, UnitBlock& unit) {
    using namespace portrec;
    const auto value = ParsePortValue(v.valueText);
    if (!value)
        return false;
    const size_t r = unit::PortRecordOffset(port);
    auto set = [&](size_t off, int index, int plus = 0) {
        if (index >= 0)
            unit.SetU8(off, static_cast<uint8_t>(index + plus));
    };
    const uint8_t oldFormat = unit.U8(r + kFormat);
    set(r + kRole, v.role);
    set(r + kProtocol, v.protocol);
    set(r + kBaud, v.baud);
    if (v.role == 0)
        unit.SetU8(r + kNumber, 1);
    else
        set(r + kNumber, v.numberIndex, 1);
    const int len = v.dataLength >= 0 ? v.dataLength : DataLength(oldFormat);
    const int parity = v.parity >= 0 ? v.parity : Parity(oldFormat);
    const int stop = v.stopBits >= 0 ? v.stopBits : StopBits(oldFormat);
    unit.SetU8(r + kFormat, static_cast<uint8_t>(len | parity << 1 | stop << 3));
    set(r + kNumber2, v.number2Index, 1);
    unit.SetU8(unit::kPortChoice + port, v.choiceOne ? 1 : 0);
    unit.SetU16(unit::kPortValue + 2 * static_cast<size_t>(port), static_cast<uint16_t>(*value));
    if (v.option >= 0) {
        const uint8_t options = unit.U8(unit::kPortOptions);
        unit.SetU8(unit::kPortOptions,
                   static_cast<uint8_t>(port == 0 ? (options & 0xF0) | v.option
                                                  : (options & 0x0F) | v.option << 4));
    }
    return true;
}

PortControlsEnabled EnabledForRole(int role) {
    return {role == 1, role != 1};
}

ProtocolChanges CompareProtocols(const UnitBlock& edited, const UnitBlock& document) {
    ProtocolChanges c;
    for (int p = 0; p < kPortCount; ++p) {
        const size_t at = unit::PortRecordOffset(p) + portrec::kProtocol;
        c.port[p] = edited.U8(at) != document.U8(at);
    }
    return c;
}

void ApplyPortSettings(ImageBlocks& blocks, const UnitBlock& edited) {
    const ProtocolChanges c = CompareProtocols(edited, blocks.unit);
    for (int p = 0; p < kPortCount; ++p)
        if (c.port[p])
            RemovePortItems(blocks, p + 1);
    blocks.unit = edited;
}

AdvancedPortValues LoadAdvancedValues(const PortNumberBlock& block) {
    AdvancedPortValues v;
    auto take = [&](size_t off, uint8_t& to) {
        const uint8_t b = block.U8(off);
        if (b >= kAdvancedMin && b <= kAdvancedMax)
            to = b;
    };
    take(kAdvancedFirst, v.first);
    take(kAdvancedSecond, v.second);
    return v;
}

void StoreAdvancedValues(const AdvancedPortValues& v, PortNumberBlock& block) {
    block.SetU8(kAdvancedFirst, v.first);
    block.SetU8(kAdvancedSecond, v.second);
}

int CheckAdvancedValues(const std::string& first, const std::string& second,
                        AdvancedPortValues& values) {
    const std::string* texts[2] = {&first, &second};
    uint8_t* to[2] = {&values.first, &values.second};
    for (int i = 0; i < 2; ++i) {
        const auto v = ParseWhole(*texts[i]);
        if (!v || *v < kAdvancedMin || *v > kAdvancedMax)
            return i;
        *to[i] = static_cast<uint8_t>(*v);
    }
    return -1;
}

} // namespace qv
