#include "app/MainFrame.h"

#include <algorithm>
#include <wx/ribbon/bar.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

#include "app/CaptionBar.h"
#include "app/CommandIds.h"
#include "app/QuorvelApp.h"
#include "app/RibbonBar.h"
#include "app/SettingsTree.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"

namespace qv {

namespace {
constexpr unsigned kStrTreePaneCaption = 3207;
} // namespace

CMainFrame::CMainFrame(CQuorvelDoc& doc)
    : wxFrame(nullptr, wxID_ANY, kProductName, wxDefaultPosition, wxSize(1100, 760)), doc_(doc),
      history_(cmd::kRecentFileCount, cmd::MenuId(cmd::kRecentFile1)),
      keyTips_(MainWindowKeyTips(), [this](int id) { return StateOf(id).enabled; }),
      badges_(this) {
    const auto look = wxGetApp().Profile().ReadNumber("Workspace", "ApplicationLook");
    appLook = look ? static_cast<int>(*look) : cmd::kLookDefault;

    auto* strip = new wxPanel(this);
    BuildToolStrip(strip);
    BuildRibbon();

    // Below the ribbon: the docked tree and, in the centre, the caption bar
    // over the settings view.
    auto* body = new wxPanel(this);
    aui_.SetManagedWindow(body);
    centre_ = new wxPanel(body);
    captionBar_ = new CCaptionBar(centre_);
    view_ = new CQuorvelView(centre_, doc_, *this);
    auto* centreSizer = new wxBoxSizer(wxVERTICAL);
    centreSizer->Add(captionBar_, 0, wxEXPAND);
    centreSizer->Add(view_, 1, wxEXPAND);
    centre_->SetSizer(centreSizer);
    treePane_ = new CFileView(body);
    // The pane opens at its least width: that holds the longest label (the
    // Japanese ones are long) with room for a scroll bar.
    const int labels =
        treePane_->GetBestSize().x + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, treePane_);
    aui_.AddPane(treePane_, wxAuiPaneInfo()
                                .Name("settings-tree")
                                .Caption(Res(kStrTreePaneCaption))
                                .Left()
                                .BestSize(wxSize(std::max(FromDIP(220), labels), FromDIP(400)))
                                .MinSize(wxSize(std::max(FromDIP(200), labels), FromDIP(100)))
                                .CloseButton(true)
                                .Floatable(true));
    aui_.AddPane(centre_, wxAuiPaneInfo().Name("view").CenterPane());
    aui_.Update();
    treePaneWasVisible = TreePaneShown();

    auto* frameSizer = new wxBoxSizer(wxVERTICAL);
    frameSizer->Add(strip, 0, wxEXPAND);
    frameSizer->Add(ribbon_, 0, wxEXPAND);
    frameSizer->Add(body, 1, wxEXPAND);
    SetSizer(frameSizer);
    CreateStatusBar();
    wxGetApp().Profile().WriteNumber("Workspace", "ApplicationLook",
                                     static_cast<uint32_t>(appLook));

    normalRect_ = GetRect();
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnSize, this);
    Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
        NoteNormalRect();
        e.Skip();
    });
    Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUi, this);
    Bind(wxEVT_IDLE, [this](wxIdleEvent& e) {
        UpdateRibbonStates();
        KeepRestoredSize();
        e.Skip();
    });
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
        if (!e.GetActive())
            PutKeyTipsAway();
        e.Skip();
    });
    UpdateTitle();
    UpdateRibbonStates();
}

CMainFrame::~CMainFrame() { aui_.UnInit(); }

wxRibbonBar& CMainFrame::Ribbon() const { return *ribbon_; }

void CMainFrame::UpdateTitle() {
    SetTitle(DocumentFileName(doc_) + " - " + kProductName);
}

void CMainFrame::SetCaptionText(const wxString& text) { captionBar_->SetText(text); }
wxString CMainFrame::CaptionText() const { return captionBar_->Text(); }
bool CMainFrame::CaptionBarShown() const { return captionBar_->IsShown(); }
bool CMainFrame::TreePaneShown() const {
    return const_cast<wxAuiManager&>(aui_).GetPane(treePane_).IsShown();
}

void CMainFrame::ToggleCaptionBar() {
    captionBar_->Show(!captionBar_->IsShown());
    centre_->Layout();
}

void CMainFrame::ToggleTreePane() {
    wxAuiPaneInfo& pane = aui_.GetPane(treePane_);
    if (pane.IsShown())
        pane.Hide();
    else
        pane.Show().Dock().Left();
    aui_.Update();
}

void CMainFrame::RestoreTreePane() {
    wxAuiPaneInfo& pane = aui_.GetPane(treePane_);
    if (pane.IsShown() == treePaneWasVisible)
        return;
    if (treePaneWasVisible)
        pane.Show().Dock().Left();
    else
        pane.Hide();
    aui_.Update();
}

void CMainFrame::BeginPreview() {
    wxWindow* focus = wxWindow::FindFocus();
    focusBeforePreview_ = focus && focus != this && IsDescendant(focus) ? focus : nullptr;
    treePaneWasVisible = TreePaneShown();
    inPreview = true;
    aui_.GetPane(treePane_).Hide();
    aui_.Update();
}

void CMainFrame::EndPreview() {
    inPreview = false;
    RestoreTreePane();
    // The preview disabled this window, which took the focus from it: the
    // keys go where they went before, once the preview has gone.
    CallAfter([this] {
        wxWindow* focus = focusBeforePreview_;
        if (!focus || !focus->IsShownOnScreen())
            focus = treePane_->Tree();
        if (focus->IsShownOnScreen())
            focus->SetFocus();
    });
}

void CMainFrame::ApplyPlacement(const WindowPlacement& p) {
    if (!p.NothingStored()) {
        normalRect_ = wxRect(p.normal.left, p.normal.top, p.normal.Width(), p.normal.Height());
        SetSize(normalRect_);
    }
    if (p.showCmd == kShowMaximized)
        Maximize(true);
}

WindowPlacement CMainFrame::CurrentPlacement() const {
    WindowPlacement p;
    p.showCmd = IsMaximized() ? kShowMaximized : kShowNormal;
    p.flags = IsMaximized() ? kPlacementRestoreToMaximized : 0;
    p.normal = {normalRect_.GetLeft(), normalRect_.GetTop(), normalRect_.GetRight() + 1,
                normalRect_.GetBottom() + 1};
    return p;
}

// The placement keeps the last rectangle the window had while neither
// maximised nor minimised.
void CMainFrame::NoteNormalRect() {
    if (!IsMaximized() && !IsIconized() && !wasMaximized_ && !restorePending_)
        normalRect_ = GetRect();
}

// A window shown maximised before the window manager told its frame size
// comes back from maximised by that frame larger than its normal rectangle;
// it gets its own size back. The manager may tell the state before it gives
// the restoring size: then the size is mended once that size has come.
void CMainFrame::KeepRestoredSize() {
    const bool maximized = IsMaximized();
    if (maximized == wasMaximized_ || IsIconized())
        return;
    wasMaximized_ = maximized;
    if (maximized) {
        maximizedSize_ = GetSize();
        restorePending_ = false;
        return;
    }
    restorePending_ = GetSize() == maximizedSize_;
    if (!restorePending_)
        MendRestoredSize();
}

void CMainFrame::MendRestoredSize() {
    if (GetSize() != normalRect_.GetSize())
        SetSize(normalRect_.GetSize());
    NoteNormalRect();
}

void CMainFrame::OnSize(wxSizeEvent& event) {
    if (IsMaximized())
        maximizedSize_ = GetSize();
    else if (restorePending_ && GetSize() != maximizedSize_) {
        restorePending_ = false;
        MendRestoredSize();
    }
    NoteNormalRect();
    // Shown tips move with their elements once the new layout stands.
    if (keyTips_.Shown())
        CallAfter([this] { ShowKeyTips(); });
    event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    if (!inPreview)
        view_->StoreUnitNamePage();
    if (!view_->AskSaveChanges() && event.CanVeto()) {
        event.Veto(); // Cancel, or a save that did not happen: stay open
        return;
    }
    wxGetApp().StoreWindowState(CurrentPlacement());
    wxGetApp().MainFrameClosed();
    Destroy();
}

} // namespace qv
