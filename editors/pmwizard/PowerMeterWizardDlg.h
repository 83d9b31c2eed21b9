// The power-meter wizard: the stations on serial port 2 with their unit
// types and the save interval; OK replaces the document's settings with
// what it builds. The document changes only on OK.
#pragma once
#include <array>

#include "editors/pmwizard/PowerMeterWizardModel.h"
#include "ui/DlgBase.h"

class wxCheckBox;
class wxChoice;
class wxStaticText;
class wxToggleButton;
class wxWindow;

namespace qv {

class CQuorvelDoc;
class CQVChkBox;

constexpr unsigned kDlgPowerMeterWizard = 384;

class CZuzPelmDlg : public CDlgBase {
public:
    // flag 1: opened on an open document, 0: at start-up.
    CZuzPelmDlg(wxWindow* parent, CQuorvelDoc& doc, int flag);

    // The unit-type dialog of a station, run modally.
    int RunUnitType(int station);
    const PowerMeterWizard& Wizard() const { return wizard_; }

    // Public for the tests.
    wxChoice* IntervalBox = nullptr;
    wxStaticText* FreeCount = nullptr;
    wxCheckBox* WriteRequestBox = nullptr;
    std::array<wxToggleButton*, kWizardStationRows> RowButtons{};
    std::array<CQVChkBox*, kWizardStations + 1> Boxes{}; // by station; 0 unused

private:
    void ShowStations();
    void ShowRefusal(const Refusal& refusal, wxWindow* focus);
    void OnOk();

    CQuorvelDoc& doc_;
    int flag_;
    PowerMeterWizard wizard_;
};

// Runs the wizard on the document (flag 1: opened from the main window, 0: at
// start-up); true when it ended with OK.
bool RunPowerMeterWizard(wxWindow* parent, CQuorvelDoc& doc, int flag);

} // namespace qv
