// The unit's LAN settings dialog: a list of three categories (IP, mail
// server, FTP) beside the page of the chosen one. The pages edit the
// dialog's copies; OK writes all four blocks into the document.
#pragma once
#include "editors/lan/LanFieldsModel.h"
#include "ui/DlgBase.h"

class wxListBox;
class wxSimplebook;
class wxWindow;

namespace qv {

class CQuorvelDoc;
class CLanPage;

constexpr int kLanPageIp = 0;
constexpr int kLanPageMail = 1;
constexpr int kLanPageFtp = 2;
constexpr unsigned kDlgLanSettings = 363;

class CLANSetDlg : public CDlgBase {
public:
    CLANSetDlg(wxWindow* parent, int firstCategory, CQuorvelDoc& doc);

    // Asks the shown page to store: 0 stored, non-zero refused.
    int CollectChildData();
    // The list's change: the shown page stores first; a refusal keeps it.
    void OnSelchangeCategory();
    CLanPage* ShownPage() const;

    LanCopies Copies;
    int CurrentCategory = 0;
    wxListBox* CategoryList = nullptr;
    wxSimplebook* Pages = nullptr;

private:
    void OnBnClickedOk();

    CQuorvelDoc& doc_;
};

// Runs the dialog on the document, opened at the given page; true on OK.
bool RunLanSettingsDialog(wxWindow* parent, CQuorvelDoc& doc, int page);

} // namespace qv
