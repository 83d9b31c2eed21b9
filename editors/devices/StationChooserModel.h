// The station chooser: the bus stations of a serial port for which an editor
// makes one record each, on up to three tabs of a hundred, with row toggles
// and, on port 1 with the area protocol, the choice of all stations. The
// document's flags change only on OK.
#pragma once
#include <array>
#include <string>

#include "document/QuorvelDoc.h"
#include "document/Refusal.h"

namespace qv {

constexpr unsigned kMsgNoStationChosen = 20360;
constexpr unsigned kStrStationTab = 4059;
constexpr int kStationTabs = 3;
constexpr int kStationsPerTab = 100;
constexpr int kStationRows = 10;
constexpr int kHighestStation = 247;
constexpr int kHighestAreaStation = 99;

class StationChooser {
public:
    // The opener's port (0 the unit, 1 and 2 the serial ports) and the
    // document's flags when the chooser opens.
    StationChooser(int port, const UnitBlock& unit, const StationList& flags);

    int TabCount() const { return tabCount_; }
    // The tab's caption: the station text, then the range.
    std::wstring TabCaption(int tab) const;

    // Station of box k (0..99) on a tab; 0 for a box that is hidden.
    static int StationOf(int tab, int box);
    // The row button r (0..9) of a tab: its caption, empty when hidden.
    static std::wstring RowCaption(int tab, int row);

    bool AllEnabled() const { return allEnabled_; } // the "all stations" choice
    bool All() const { return all_; }
    void SetAll(bool all);
    // Boxes, row buttons and tabs are enabled only for single stations.
    bool StationsEnabled() const { return !all_; }

    bool Chosen(int station) const;
    void SetChosen(int station, bool chosen);
    // Flips the row's toggle and sets every box of the row to it.
    void ToggleRow(int tab, int row);

    // OK: the flags to write into the document, or the refusal when single
    // stations are chosen but none is.
    Refusal Ok(StationList& flags) const;

private:
    int tabCount_ = 1;
    bool allEnabled_ = false;
    bool all_ = false;
    StationList flags_{};
    std::array<std::array<bool, kStationRows>, kStationTabs> toggles_{};
};

} // namespace qv
