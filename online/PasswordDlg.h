// The unit password tool: sets, changes or removes the unit's password, or
// clears the unit, each after the connection dialog.
#pragma once
#include "online/PasswordModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxRadioButton;
class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgPassword = 380;

class CPasswordDlg : public CDlgBase {
public:
    CPasswordDlg(wxWindow* parent, CQuorvelDoc& doc);

    PasswordForm Form() const;

    wxTextCtrl* CurrentText;
    wxRadioButton* SetRadio;
    wxRadioButton* RemoveRadio;
    wxTextCtrl* NewText;
    wxTextCtrl* RepeatText;
    wxButton* ClearButton;

private:
    void OnPasswordMode();
    void OnOk();
    void OnClear();

    CQuorvelDoc& doc_;
};

} // namespace qv
