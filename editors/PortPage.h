// The page of the port settings dialog: every setting of one serial port.
// One page serves both tabs; it is a panel because a toolkit dialog cannot
// sit inside another window.
#pragma once
#include <wx/panel.h>

#include "editors/PortSettingsModel.h"

class wxChoice;
class wxRadioButton;
class wxTextCtrl;

namespace qv {

class CQuorvelDoc;

constexpr unsigned kDlgPortPage = 364;

class CComDlg : public wxPanel {
public:
    // hostCopy is the dialog's working copy: each store hands the page's back.
    CComDlg(wxWindow* parent, CQuorvelDoc* document, UnitBlock* hostCopy);

    // Shows port (0 or 1) of UnitCopy.
    void LoadPort(int port);
    // Writes the controls into UnitCopy and the host's copy; false (after the
    // message, focus on the value edit) when the per-port value is not a number.
    bool StorePort(int port);

    CQuorvelDoc* Document;
    UnitBlock UnitCopy;

    wxChoice* RoleList;
    wxChoice* ProtocolList;
    wxChoice* NumberList;
    wxChoice* BaudList;
    wxChoice* DataLengthList;
    wxChoice* ParityList;
    wxChoice* StopBitsList;
    wxChoice* Number2List;
    wxRadioButton* ChoiceZero;
    wxRadioButton* ChoiceOne;
    wxTextCtrl* ValueEdit;
    wxChoice* OptionList;

private:
    void OnRoleChanged();
    UnitBlock* hostCopy_;
};

} // namespace qv
