// The station chooser: numbered boxes for the bus stations of a serial port
// on up to three tabs, row buttons, and the all-stations choice of port 1
// with the area protocol. The document's flags change only on OK.
#pragma once
#include <array>

#include "editors/devices/StationChooserModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxCheckBox;
class wxNotebook;
class wxRadioButton;

namespace qv {

constexpr unsigned kDlgStations = 337;

class CStationDlg : public CDlgBase {
public:
    // port: the opener's chosen port (1 or 2).
    CStationDlg(wxWindow* parent, CQuorvelDoc& doc, int port);

    // Public for the tests.
    wxRadioButton* AllRadio = nullptr;
    wxRadioButton* ChosenRadio = nullptr;
    wxNotebook* Tabs = nullptr;
    // Null where a tab has no such station (station 0, above 247).
    std::array<std::array<wxCheckBox*, kStationsPerTab>, kStationTabs> Boxes{};
    std::array<std::array<wxButton*, kStationRows>, kStationTabs> RowButtons{};

private:
    void EnableStationControls();
    void ShowRow(int tab, int row);
    void OnOk();

    CQuorvelDoc& doc_;
    StationChooser chooser_;
};

} // namespace qv
