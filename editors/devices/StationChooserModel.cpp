#include "editors/devices/StationChooserModel.h"

#include <cstdio>

#include "document/CodeText.h"
#include "document/StringTable.h"

namespace qv {

StationChooser::StationChooser(int port, const UnitBlock& unit, const StationList& flags) {
    const bool funcCodes = PortUsesFuncCodes(port, unit);
    if (port == kPortSerial2 || port == kPortSerial1) {
        // Above 99 only function codes address a station.
        const int highest = funcCodes ? kHighestStation : kHighestAreaStation;
        for (int n = 1; n <= highest; ++n)
            flags_[static_cast<size_t>(n)] = flags[static_cast<size_t>(n)] != 0 ? 1 : 0;
        if (port == kPortSerial1 && !funcCodes) {
            allEnabled_ = true;
            all_ = flags[0] != 0;
        } else {
            bool any = false;
            for (int n = 1; n <= kHighestStation; ++n)
                any = any || flags_[static_cast<size_t>(n)] != 0;
            if (!any)
                flags_[1] = 1;
        }
    }
    tabCount_ = funcCodes ? kStationTabs : 1;
}

std::wstring StationChooser::TabCaption(int tab) const {
    static const wchar_t* const kRanges[kStationTabs] = {L"  01- 99", L" 100-199", L" 200-247"};
    return ResString(kStrStationTab) + kRanges[tab];
}

int StationChooser::StationOf(int tab, int box) {
    const int n = tab * kStationsPerTab + box;
    return n == 0 || n > kHighestStation ? 0 : n;
}

std::wstring StationChooser::RowCaption(int tab, int row) {
    const int s = tab * kStationsPerTab + 10 * row;
    if (s > kHighestStation)
        return {};
    wchar_t text[32];
    if (s == 0)
        std::swprintf(text, 32, L"%02d - %02d", 1, 9);
    else
        std::swprintf(text, 32, L"%02d - %02d", s,
                      s + 10 < kHighestStation ? s + 9 : kHighestStation);
    return text;
}

void StationChooser::SetAll(bool all) {
    all_ = all && allEnabled_;
}

bool StationChooser::Chosen(int station) const {
    return station >= 1 && station <= kHighestStation && flags_[static_cast<size_t>(station)] != 0;
}

void StationChooser::SetChosen(int station, bool chosen) {
    if (station >= 1 && station <= kHighestStation)
        flags_[static_cast<size_t>(station)] = chosen ? 1 : 0;
}

void StationChooser::ToggleRow(int tab, int row) {
    bool& state = toggles_[static_cast<size_t>(tab)][static_cast<size_t>(row)];
    state = !state;
    for (int k = 10 * row; k < 10 * row + 10; ++k)
        SetChosen(StationOf(tab, k), state);
}

Refusal StationChooser::Ok(StationList& flags) const {
    StationList out{};
    if (all_) {
        out[0] = 1;
    } else {
        int count = 0;
        for (int n = 1; n <= kHighestStation; ++n) {
            out[static_cast<size_t>(n)] = flags_[static_cast<size_t>(n)];
            count += out[static_cast<size_t>(n)] != 0;
        }
        if (count == 0)
            return Refuse(kMsgNoStationChosen, 1); // the focus goes to the tab's first box
    }
    flags = out;
    return {};
}

} // namespace qv
