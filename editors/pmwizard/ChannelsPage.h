// The page of the 8-channel unit inside the unit-type dialog: whether the
// station logs single channel values, and which of them.
#pragma once
#include <array>
#include <vector>
#include <wx/panel.h>

#include "editors/pmwizard/UnitTypeModel.h"

class wxCheckBox;

namespace qv {

class CKestrandDlg : public wxPanel {
public:
    // Edits `record` (the unit-type dialog's copy) control by control.
    CKestrandDlg(wxWindow* parent, UnitTypeRecord& record);

    // Public for the tests.
    wxCheckBox* ChannelsOn = nullptr;
    // First values of channels 1..8, then their second values.
    std::array<wxCheckBox*, 2 * kChannelCount> Values{};

private:
    void EnableValues();

    UnitTypeRecord& record_;
    std::vector<wxWindow*> valueLabels_;
};

} // namespace qv
