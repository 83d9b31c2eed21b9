// The start-up chooser: five picture buttons that decide how the program starts.
#pragma once
#include <wx/dialog.h>

class wxButton;

namespace qv {

enum StartUpControl {
    kIdStartNew = 1013,
    kIdStartOpenFile = 1014,
    kIdStartReadUnit = 1015,
    kIdStartWizard = 1018,
    kIdStartPowerMeterWizard = 1019,
};

class CStartUpDlg : public wxDialog {
public:
    // The choices whose dialogs this build does not have yet stay visible and disabled.
    CStartUpDlg(wxWindow* parent, int& startChoice, bool wizardsAvailable, bool unitAvailable);
    wxButton* ButtonFor(int controlId) const;

private:
    void Choose(int choice);
    int& startChoice_;
};

} // namespace qv
