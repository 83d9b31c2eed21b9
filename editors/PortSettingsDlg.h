// The port settings dialog: a tab per serial port over one shared page, and
// on OK the unit block back into the document, after asking when a protocol
// changed (that removes what used the port).
#pragma once
#include "editors/PortSettingsModel.h"
#include "ui/DlgBase.h"

class wxNotebook;
class wxPanel;

namespace qv {

class CComDlg;

constexpr unsigned kDlgPortSettings = 329;
constexpr unsigned kStrProtocolChangeQuestion = 20318;

class CComSetDlg : public CDlgBase {
public:
    CComSetDlg(wxWindow* parent, CQuorvelDoc& doc);

    UnitBlock UnitCopy;
    CComDlg* Page = nullptr;
    int PortIndex = 0;
    wxNotebook* PortTabs = nullptr;

private:
    void ShowPortPage();
    void OnOk();

    CQuorvelDoc& doc_;
    wxPanel* tabHolders_[kPortCount] = {};
};

// Runs the dialog modally; true when it ended with OK (the document changed).
bool RunPortSettingsDialog(wxWindow* parent, CQuorvelDoc& doc);

} // namespace qv
