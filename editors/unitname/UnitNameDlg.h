// The small dialog that changes the unit's name.
#pragma once
#include <string>

#include "ui/DlgBase.h"

class wxTextCtrl;

namespace qv {

constexpr unsigned kDlgUnitName = 383;

class CQVNameSetDlg : public CDlgBase {
public:
    CQVNameSetDlg(wxWindow* parent, const std::wstring& name);

    std::wstring Name; // the accepted name after OK
    wxTextCtrl* NameEdit = nullptr;

private:
    void OnBnClickedOk();
};

// Runs the dialog on `name`; true (and the new name in it) on OK.
bool RunUnitNameDialog(wxWindow* parent, std::wstring& name);

} // namespace qv
