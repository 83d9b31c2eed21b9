// The unit search dialog without its window: the rows of the units found,
// what OK and a double click store, and how a search that could not run is
// told.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/LinkResult.h"
#include "link/UnitSearch.h"

namespace qv {

class ProfileStore;

constexpr unsigned kDlgUnitSearch = 355;
constexpr unsigned kMsgNoUnitChosen = 20290;
constexpr unsigned kMsgSearchingUnits = 20291;
constexpr unsigned kMsgSearchFailed = 35510;
// Row of the list-state table that keeps the list's column widths.
constexpr int kUnitSearchList = 9;

struct UnitColumn {
    unsigned Heading; // string number
    int Width;        // used when no width is stored
};
constexpr UnitColumn kUnitColumns[] = {{5111, 100}, {5112, 95}, {5114, 45},
                                       {5115, 105}, {5116, 95}, {5117, 70}};
constexpr int kUnitColumnCount = 6;

// One list row: name, address, ON/OFF, MAC, version, RUN/STOP.
using UnitRow = std::vector<std::wstring>;

// The rows of the first `count` units (never more than there are). The
// record's texts are multibyte in the link's code page.
std::vector<UnitRow> UnitRows(const std::vector<UnitData>& units, int count, uint32_t codePage);

enum class UnitPick {
    Ok,          // address and the unit's TCP port
    DoubleClick, // address only
};

// Stores the unit's address (and with Ok its TCP port) over the link
// settings as they are in the profile now. The address goes in as the
// record holds it.
void TakeUnit(ProfileStore& profile, uint32_t codePage, const UnitData& unit, UnitPick pick);

// The text to tell when the search could not run (its socket could not be
// opened, could not broadcast or could not receive); nullopt for a search
// that ran, whatever it found, and for one the user cancelled.
std::optional<std::wstring> SearchFailureText(LinkResult result, uint32_t lastError);

} // namespace qv
