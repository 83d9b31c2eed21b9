// Page 3: port numbers, clock synchronisation and the recipients.
#include <algorithm>

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "resources/SystemSettingsTexts.h"
#include "view/report/ReportRecipients.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

constexpr Columns kValue{750, 2500, 2750};
constexpr int kLastIndex = 37;
constexpr size_t kTriggerNames = 128;

// The trigger a setting names: string 9280 for none, else its number and name.
std::wstring TriggerText(const ReportSource& s, int number) {
    if (number == 0)
        return ResString(9280);
    std::wstring name;
    // Only triggers 1 to 128 have a name here; any other number prints none.
    if (number >= 1 && static_cast<size_t>(number) <= kTriggerNames)
        name = ReadTextField(s.image.triggers[static_cast<size_t>(number - 1)].data() + trig::kName,
                             kNameWidth, s.codePage);
    return FormatText(L"No.%d( ", {number}) + name + L" )";
}

} // namespace

void PrintSettingsPage3(const ReportSource& s, ReportPage& page) {
    const int first = 2 * s.layout.linesPerPage;
    const int last = std::min(kLastIndex, s.layout.linesPerPage - 1);
    const std::wstring separator = ResString(9269);
    const auto text = [&](int k, const std::wstring& t, int x, int right = kReportWidth) {
        if (k <= last)
            PrintBlack(page, first + k, t, x, right);
    };
    const auto value = [&](int k, unsigned label, const std::wstring& v) {
        if (k <= last)
            PrintValueLine(page, first + k, kValue, ResString(label), separator, v);
    };

    const PortNumberBlock& ports = s.image.portNumbers;
    text(0, ResString(systemtext::kCaption), 0);
    text(1, ResString(9264), 250);
    text(2, ResString(9265), 450);
    const std::pair<unsigned, size_t> portLines[] = {{9266, 0}, {9267, 2}, {9270, 10}, {9271, 12},
                                                     {9272, 6}, {9273, 8}, {9274, 14}};
    int k = 3;
    for (const auto& [label, offset] : portLines)
        value(k++, label, FormatText(L"%4d", {ports.U16(offset)}));

    using namespace timeblk;
    const TimeBlock& t = s.image.time;
    const int mode = t.U8(kMode);
    const int trigger = t.U16(kTrigger);
    text(12, ResString(9275), 250);
    text(13, ResString(9276), 450);
    constexpr int kModeX = 1000;
    if (mode != 0)
        text(14, ResString(9283), 750, kModeX);
    text(14, ResString(mode == 2 ? 9292 : 9277), kModeX);
    if (mode == 1) {
        value(15, 9278, HostText(t.data() + kServer, 64, t.U8(kServerIsIp) != 0, s.codePage));
        value(16, 9279, TriggerText(s, trigger));
        value(17, 9281, FormatText(L"GMT%+d:00", {static_cast<int8_t>(t.U8(kTimeZone))}));
    } else if (mode == 2) {
        const int port = t.U8(kSourcePort);
        std::wstring portText, station;
        if (port == 1 || port == 2) {
            portText = ResString(port == 1 ? 9295 : 9296);
            const size_t entry = port == 1 ? kSourcePort1 : kSourcePort2;
            station = FormatText(L"%d", {t.U8(entry + 2)});
        }
        value(15, 9293, portText);
        value(16, 9294, station);
        value(17, 9279, TriggerText(s, trigger));
    }

    text(20, ResString(9282), 250);
    PrintRecipientTable(s, page, {-1, 650, 950, 2950, 7950}, first + 21, first + last, 0);
}

} // namespace qv::report
