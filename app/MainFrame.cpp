#include "app/MainFrame.h"

#include <wx/filename.h>
#include <wx/panel.h>

#include "app/QuorvelApp.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrUntitled = 61443;
}

CMainFrame::CMainFrame(CQuorvelDoc& doc)
    : wxFrame(nullptr, wxID_ANY, kProductName, wxDefaultPosition, wxSize(1024, 720)), doc_(doc) {
    new wxPanel(this);
    CreateStatusBar();
    normalRect_ = GetRect();
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnSize, this);
    Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
        if (!IsMaximized() && !IsIconized())
            normalRect_ = GetRect();
        e.Skip();
    });
    UpdateTitle();
}

void CMainFrame::UpdateTitle() {
    const wxString name = doc_.IsUntitled()
                              ? Res(kStrUntitled) + ".qv"
                              : wxFileName(wxString::FromUTF8(doc_.PathName())).GetFullName();
    SetTitle(name + " - " + kProductName);
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

void CMainFrame::OnSize(wxSizeEvent& event) {
    if (!IsMaximized() && !IsIconized())
        normalRect_ = GetRect();
    event.Skip();
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    wxGetApp().StoreWindowState(CurrentPlacement());
    wxGetApp().MainFrameClosed();
    event.Skip(); // destroys the window
}

} // namespace qv
