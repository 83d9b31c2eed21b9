// The settings wizard: four pages under Back, Next (Finish on the last page),
// Add and Cancel. It works on copies; only Finish writes the document.
#pragma once
#include <memory>
#include <wx/string.h>

#include "ui/DlgBase.h"

class wxButton;
class wxWindow;

namespace qv {

class CQuorvelDoc;
class CWizardPage;
class WizardModel;

constexpr int kWizardAtStartUp = 0;
constexpr int kWizardOnOpenDocument = 1;

class CWizardDlg : public CDlgBase {
public:
    CWizardDlg(CQuorvelDoc& doc, int mode, wxWindow* parent);
    ~CWizardDlg() override;

    int PageIndex() const { return pageIndex_; }
    CWizardPage* Page() const { return page_; }
    const WizardModel& Model() const { return *model_; }

    void OnNext();
    void OnBack();
    void OnAddDevice();
    void OnCancelClicked();

    wxButton* BackButton = nullptr;
    wxButton* NextButton = nullptr;
    wxButton* AddButton = nullptr;
    wxButton* CancelButton = nullptr;

private:
    void ShowPage(int index);
    // The shown page's check (when asked) and save; false when refused.
    bool SavePage(bool check);

    CQuorvelDoc& doc_;
    int mode_;
    int pageIndex_ = 0;
    std::unique_ptr<WizardModel> model_;
    CWizardPage* page_ = nullptr;
    wxSizer* pageSizer_ = nullptr;
};

// Runs the wizard on the document; true when it ended with Finish.
bool RunSettingsWizard(wxWindow* parent, CQuorvelDoc& doc, int mode);

} // namespace qv
