#include "view/QuorvelView.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <wx/filename.h>
#include <wx/notebook.h>
#include <wx/sizer.h>

#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "document/StartChoice.h"
#include "editors/devices/DeviceListPage.h"
#include "editors/unitname/UnitNamePanel.h"
#include "ui/FileDialogs.h"
#include "ui/Messages.h"
#include "view/ViewPage.h"

namespace qv {

namespace {

constexpr unsigned kStrUntitled = 61443;
constexpr unsigned kStrSaveChanges = 20380; // "%s" = the file name
constexpr unsigned kStrReplaceFile = 9091;
constexpr unsigned kStrSaveFailed = 29003; // "%s" file name, "%s" the reason

struct ModeRow {
    int mode;
    int slot;
    unsigned tab;
    unsigned caption;
};
const ModeRow kModes[] = {
    {kPageUnitName, 0, 3005, 3011},       {kPageLogFiles, 1, 3001, 3012},
    {kPageSystemHistory, 2, 3002, 3018}, {kPageTriggerHistory, 3, 3003, 3019},
    {kPageDeviceOverview, 4, 3004, 3013}, {kPageDeviceList, 5, 3004, 3014},
    {kPageDataSets, 6, 3008, 3015},       {kPageDataSets2, 6, 3008, 3016},
    {kPageMailSend, 7, 3009, 3017},
};

const ModeRow* FindMode(int mode) {
    for (const ModeRow& r : kModes)
        if (r.mode == mode)
            return &r;
    return nullptr;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

wxString DocumentFileName(const CQuorvelDoc& doc) {
    return doc.IsUntitled() ? Res(kStrUntitled) + ".qv"
                            : wxFileName(wxString::FromUTF8(doc.PathName())).GetFullName();
}

CQuorvelView::CQuorvelView(wxWindow* parent, CQuorvelDoc& doc, CMainFrame& frame)
    : wxPanel(parent, wxID_ANY), doc_(doc), frame_(frame) {
    tabs_ = new wxNotebook(this, 1000);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tabs_, 1, wxEXPAND);
    SetSizer(sizer);
}

// Each page is built once, when it is first shown: start-up builds only the
// page it shows.
wxWindow* CQuorvelView::Page(size_t slot) {
    wxWindow*& page = pages_[slot];
    if (page)
        return page;
    switch (slot) {
    case kUnitName:
        page = new CMainSetDlg(tabs_, doc_);
        break;
    case kFiles:
        page = CreateFileListPage(tabs_, doc_, *this);
        break;
    case kHistory1:
        page = CreateHistoryFilePage(tabs_, doc_, *this, kPageSystemHistory, 64);
        break;
    case kHistory2:
        page = CreateHistoryFilePage(tabs_, doc_, *this, kPageTriggerHistory, 32);
        break;
    case kDeviceInfo:
        page = CreateDeviceOverviewPage(tabs_, doc_, *this);
        break;
    case kDeviceList:
        page = CreateDeviceListPage(tabs_, doc_, *this);
        break;
    case kDataSets:
        page = CreateDataSetPage(tabs_, doc_, *this);
        break;
    case kMailSend:
        page = CreateMailSendPage(tabs_, doc_, *this);
        break;
    default:
        page = new wxPanel(tabs_);
        break;
    }
    page->Hide();
    return page;
}

wxWindow* CQuorvelView::ShownPage() const {
    const ModeRow* row = FindMode(pageMode_);
    return row ? pages_[static_cast<size_t>(row->slot)] : nullptr;
}

wxString CQuorvelView::TabText() const {
    return tabs_->GetPageCount() ? tabs_->GetPageText(0) : wxString();
}

int CQuorvelView::GetCurrentTab() const {
    const int sel = tabs_->GetSelection();
    return sel == wxNOT_FOUND ? 0 : sel;
}

void CQuorvelView::ShowPage(int mode) {
    // The notebook takes the focus when a page goes in; a control outside the
    // view (the settings tree walked by the arrow keys) keeps it.
    wxWindow* focus = wxWindow::FindFocus();
    if (focus && IsDescendant(focus))
        focus = nullptr;
    pageMode_ = mode;
    while (tabs_->GetPageCount())
        tabs_->RemovePage(0);
    for (wxWindow* page : pages_)
        if (page)
            page->Hide();
    caption_.clear();
    if (const ModeRow* row = FindMode(mode)) {
        wxWindow* page = Page(static_cast<size_t>(row->slot));
        tabs_->InsertPage(0, page, Res(row->tab), true);
        page->Show();
        caption_ = Res(row->caption);
    }
    frame_.SetCaptionText(caption_);
    if (focus && wxWindow::FindFocus() != focus)
        focus->SetFocus();
}

void CQuorvelView::SelectTreeItem(int itemData) {
    if (itemData > kPageDeviceList && itemData <= kPageDeviceList + 16)
        SelectDevicePage(itemData);
    else
        SelectPage(itemData);
}

void CQuorvelView::SelectPage(int mode) {
    ShowPage(mode);
    pagesReady_ = true;
    Layout();
    RefreshPage(1);
}

void CQuorvelView::SelectDevicePage(int itemData) {
    ShowPage(kPageDeviceList);
    pagesReady_ = true;
    Layout();
    RefreshPage(itemData > 31 ? static_cast<uint32_t>(itemData - 31) : 1);
}

void CQuorvelView::RefreshPage(uint32_t item) {
    doc_.currentItem = item;
    // The editors' pages reload themselves from the document here.
    if (auto* page = dynamic_cast<ViewPage*>(ShownPage()))
        page->Reload(item);
    else if (ShownPage())
        ShownPage()->Refresh();
    // A cut waits for its paste only while the device list stays shown.
    if (pageMode_ != kPageDeviceList)
        if (auto* list = dynamic_cast<CDeviceSetPage*>(pages_[kDeviceList]))
            list->ClearCutMarks();
}

void CQuorvelView::StoreUnitNamePage() {
    if (auto* page = dynamic_cast<CMainSetDlg*>(pages_[kUnitName]))
        page->SaveToDoc();
}

bool CQuorvelView::AskSaveChanges() {
    if (doc_.IsUnmodified())
        return true;
    const int answer =
        ShowMessage(kMbYesNoCancel, wxString::Format(Res(kStrSaveChanges), DocumentFileName(doc_)));
    if (answer == kIdCancel)
        return false;
    if (answer == kIdNo)
        return true;
    if (doc_.IsUntitled())
        OnFileSaveAs();
    else
        OnFileSave();
    return lastSaveOk;
}

void CQuorvelView::OnFileNew() {
    StoreUnitNamePage();
    if (!AskSaveChanges())
        return;
    doc_.SetDefaultSettings();
    doc_.SetPathName("", false);
    frame_.UpdateTitle();
    RefreshPage(doc_.currentItem);
}

void CQuorvelView::OnFileOpen() {
    // Unsaved changes are never dropped without the question.
    StoreUnitNamePage();
    if (!AskSaveChanges())
        return;
    const std::string path = BrowseSettingsFile(true, wxGetApp().Recent().Newest(), this);
    if (!path.empty())
        LoadFile(path);
}

void CQuorvelView::OpenRecentFile(const std::string& path) {
    StoreUnitNamePage();
    if (!AskSaveChanges())
        return;
    LoadFile(path);
}

void CQuorvelView::LoadFile(const std::string& path) {
    const int rc = doc_.LoadSettingsFile(path);
    if (rc != kFileOk) {
        ShowMessageId(LoadFailureMessage(rc), kMbOk);
        return;
    }
    frame_.UpdateTitle();
    RefreshPage(doc_.currentItem);
}

bool CQuorvelView::SaveTo(const std::string& path) {
    const int rc = doc_.SaveSettingsFile(path);
    lastSaveOk = rc == kFileOk;
    if (lastSaveOk) {
        frame_.UpdateTitle();
        return true;
    }
    const int err = rc > 0 ? rc : doc_.LastFileErrno();
    ShowMessage(kMbOk, wxString::Format(Res(kStrSaveFailed), wxString::FromUTF8(path),
                                        wxString::FromUTF8(std::strerror(err ? err : EIO))));
    return false;
}

void CQuorvelView::OnFileSave() {
    StoreUnitNamePage();
    if (doc_.IsUntitled()) {
        OnFileSaveAs();
        return;
    }
    SaveTo(doc_.PathName());
}

void CQuorvelView::OnFileSaveAs() {
    StoreUnitNamePage();
    const std::string initial =
        doc_.IsUntitled() ? DocumentFileName(doc_).utf8_string() : doc_.PathName();
    const std::string path = BrowseSettingsFile(false, initial, this);
    lastSaveOk = false;
    if (path.empty())
        return;
    // The replaced file cannot be brought back: No is the default.
    if (FileExists(path) && ShowMessage(kMbYesNo | kMbDefButton2, Res(kStrReplaceFile)) != kIdYes)
        return;
    SaveTo(path);
}

} // namespace qv
