#include "view/report/ReportAddress.h"

namespace qv::report {

namespace {

// A code that names no condition, data type or comparison: its part of a
// condition text stays empty.
constexpr uint8_t kNoCode = 0xFF;

} // namespace

std::wstring PlaceText(int port, int station, int area, uint32_t address, bool contact,
                       const UnitBlock& unit) {
    // The condition of a trigger that watches the place and names nothing
    // else is the place alone: the one wording of the trigger pages.
    TriggerRecord watch;
    watch.SetU8(trig::kKind, contact ? kTriggerContact : kTriggerRegister);
    watch.SetU8(trig::kPort, static_cast<uint8_t>(port));
    watch.SetU8(trig::kStation, static_cast<uint8_t>(station));
    watch.SetU8(trig::kArea, static_cast<uint8_t>(area));
    watch.SetU32(trig::kAddress, address);
    watch.SetU8(trig::kContactCondition, kNoCode); // the same byte as the comparison
    watch.SetU8(trig::kRegDataType, kNoCode);
    std::wstring text = contact ? ContactTriggerText(watch, unit, kReportConditionStyle)
                                : RegisterTriggerText(watch, unit, kReportConditionStyle);
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

} // namespace qv::report
