// The unit type of one station of the power-meter wizard: the kind of
// measuring unit and the points or channels it logs. It edits a copy of the
// station's record; the wizard takes it only on OK.
#pragma once
#include <array>

#include "editors/pmwizard/PowerMeterWizardModel.h"
#include "ui/DlgBase.h"

class wxCheckBox;
class wxChoice;
class wxStaticText;

namespace qv {

class CKestrandDlg;

constexpr unsigned kDlgUnitType = 385;

class CUnitTypeDlg : public CDlgBase {
public:
    CUnitTypeDlg(wxWindow* parent, PowerMeterWizard& wizard, int station);

    const UnitTypeRecord& Edited() const { return edited_; }

    // Public for the tests.
    wxChoice* TypeBox = nullptr;
    CKestrandDlg* ChannelsPage = nullptr;
    wxStaticText* PointsLabel = nullptr;
    std::array<wxCheckBox*, kPointCount> Points{};
    std::array<wxStaticText*, kGroupCount> GroupLabels{};
    std::array<wxChoice*, kGroupCount> Ranges{};
    std::array<wxCheckBox*, kGroupedPointCount> GroupedPoints{};

private:
    void OnUnitTypeChange();
    void OnOk();

    PowerMeterWizard& wizard_;
    int station_;
    UnitTypeRecord edited_;
    wxWindow* pointsPanel_ = nullptr;
};

} // namespace qv
