// The system settings dialog: a category list and, beside it, the one pane of
// the chosen category. The dialog holds the copies the panes edit; only OK
// puts them into the document.
#pragma once
#include "editors/config/ConfigCopies.h"
#include "ui/DlgBase.h"

class wxListBox;
class wxSizer;

namespace qv {

class CConfigPane;

constexpr unsigned kDlgConfigSet = 333;

enum ConfigCategory {
    kCategoryFile = 0,
    kCategoryErr,
    kCategoryPort,
    kCategoryTime,
    kCategoryUser,
    kCategoryLanguage,
    kCategoryCount
};

class CConfigSetDlg : public CDlgBase {
public:
    CConfigSetDlg(wxWindow* parent, CQuorvelDoc& doc);
    ~CConfigSetDlg() override;

    // Asks the pane on show to write into the copies: 0 accepted, else refused.
    int CollectChildData();
    void CopyFileSettingsToParent(const FileTable& files) { Copies.files = files; }
    // Shows the category the list has selected, once the pane on show let go.
    void OnSelchangeCategory();
    // The OK road: false when a pane refused and nothing was written.
    bool StoreSettings();

    ConfigCopies Copies;
    wxListBox* CategoryList;
    CConfigPane* Pane = nullptr;
    int CurrentCategory = kCategoryFile;

protected:
    // A new pane of the category, built from the copies.
    virtual CConfigPane* CreatePane(int category);

private:
    void OnOk();

    CQuorvelDoc& doc_;
    ConfigCopies opened_; // the copies as taken, against which OK finds the edits
    wxSizer* paneSizer_;
};

// Runs the dialog on the document; true when it ended with OK.
bool RunConfigSettingsDialog(wxWindow* parent, CQuorvelDoc& doc);

} // namespace qv
