// The prompt the link shows when the unit asks for its password.
#pragma once
#include "link/LinkServices.h"
#include "ui/DlgBase.h"

class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgPasswordInput = 436;

class CPasswordInput : public CDlgBase {
public:
    explicit CPasswordInput(CUnitComm& link);

    wxTextCtrl* PasswordText;

private:
    void OnOk();
    void OnCancel();

    CUnitComm& link_;
};

// The link's password prompt: CPasswordInput, run modally.
class PasswordInputPrompt : public PasswordPrompt {
public:
    bool AskPassword(CUnitComm& link) override;
};

} // namespace qv
