#include "ui/WaitDlg.h"

#include "app/QuorvelApp.h"
#include "document/CodePageText.h"

#include <algorithm>
#include <vector>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

// Keeps the timer ticks of every window while the dialog is up: on this
// platform a yield runs due timers whatever it is told, and a tick must not
// start a poll in the middle of a transfer. Each timer keeps at most one tick,
// handed to its owner at End, so a one-shot timer is late, never lost.
class CWaitDlg::TimerHold : public wxEventFilter {
public:
    TimerHold() { wxEvtHandler::AddFilter(this); }
    ~TimerHold() override { Release(); }

    int FilterEvent(wxEvent& event) override {
        if (event.GetEventType() != wxEVT_TIMER)
            return Event_Skip;
        wxTimer& timer = static_cast<wxTimerEvent&>(event).GetTimer();
        for (const Held& held : held_)
            if (held.timer == &timer)
                return Event_Ignore;
        held_.push_back({timer.GetOwner(), &timer, std::unique_ptr<wxEvent>(event.Clone())});
        return Event_Ignore;
    }

    void Release() {
        if (!active_)
            return;
        active_ = false;
        wxEvtHandler::RemoveFilter(this);
        for (Held& held : held_)
            if (held.owner)
                held.owner->QueueEvent(held.tick.release());
        held_.clear();
    }

private:
    struct Held {
        wxWeakRef<wxEvtHandler> owner;
        const wxTimer* timer;
        std::unique_ptr<wxEvent> tick;
    };
    std::vector<Held> held_;
    bool active_ = true;
};

CWaitDlg::CWaitDlg(wxWindow* parent) : parent_(parent) {}

CWaitDlg::~CWaitDlg() = default;

bool CWaitDlg::Create(wxWindow* parent) {
    if (!Build(parent))
        return false;
    CentreOnParent();
    Show();
    return true;
}

bool CWaitDlg::Build(wxWindow* parent) {
    ParentWnd = parent;
    if (!wxDialog::Create(parent, wxID_ANY, kProductName, wxDefaultPosition, wxDefaultSize,
                          wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX))
        return false;
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* message = new wxStaticText(this, kIdMessage, wxString());
    column->Add(message, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, FromDIP(12));
    // One line however long the name: the window keeps its width.
    auto* detail = new wxStaticText(this, kIdDetail, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    detail->SetMinSize(wxSize(-1, detail->GetCharHeight()));
    detail->Hide();
    column->Add(detail, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, FromDIP(6));
    ProgressBar = new wxGauge(this, kIdProgress, 1, wxDefaultPosition, wxSize(FromDIP(320), -1));
    column->Add(ProgressBar, 0, wxEXPAND | wxALL, FromDIP(12));
    auto* cancel = new wxButton(this, wxID_CANCEL, StdButtonLabel(wxID_CANCEL));
    column->Add(cancel, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(column);

    // Bound on the button itself: the dialog's own Cancel handling would hide it.
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE)
            OnCancel();
        else
            event.Skip();
    });
    // The operation owns the window: closing it only asks the operation to stop.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        OnCancel();
        if (event.CanVeto())
            event.Veto();
    });
    return true;
}

void CWaitDlg::Begin(unsigned messageId, int rangeMax) {
    BeginWithMessage(Res(messageId), rangeMax);
}

void CWaitDlg::BeginText(const std::string& text, int rangeMax) {
    BeginWithMessage(wxString(MultiToWide(text, wxGetApp().codePage)), rangeMax);
}

void CWaitDlg::BeginWithMessage(const wxString& message, int rangeMax) {
    // The text goes in before the window shows: a shown window that grows
    // waits for the window manager, its buttons squeezed meanwhile.
    if (!GetHandle() && !Build(parent_))
        return;
    SetTitle(kProductName);
    FindWindow(kIdMessage)->SetLabel(message);
    detail_.clear();
    FindWindow(kIdDetail)->SetLabel(wxString());
    FindWindow(kIdDetail)->Hide();
    GetSizer()->Fit(this);
    CentreOnParent();
    CancelFlag = 0;
    ProgressBar->SetRange(std::max(rangeMax, 1));
    ProgressBar->SetValue(0);
    Show();
    Raise();
    FindWindow(wxID_CANCEL)->SetFocus();
    if (!timerHold_)
        timerHold_ = std::make_unique<TimerHold>();
    if (!disabler_)
        disabler_ = std::make_unique<wxWindowDisabler>(this);
    Update();
    lastPump_ = std::chrono::steady_clock::now(); // drawn just now
}

void CWaitDlg::SetPosition(int position) {
    if (ProgressBar)
        ProgressBar->SetValue(std::clamp(position, 0, ProgressBar->GetRange()));
}

void CWaitDlg::SetDetail(const std::wstring& text) {
    detail_ = wxString(text);
    wxWindow* line = FindWindow(kIdDetail);
    if (!line || line->IsShown())
        return;
    // The first text makes room for the line once; later ones only redraw it.
    line->SetLabel(detail_);
    line->Show();
    GetSizer()->Fit(this);
}

bool CWaitDlg::PumpAndCancelled() {
    // A transfer pumps once a frame, thousands of times; drawing and taking
    // input a few dozen times a second is enough to look alive and to see a
    // Cancel in time, and keeps the dialog from slowing the transfer.
    constexpr auto kPumpInterval = std::chrono::milliseconds(25);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ < kPumpInterval)
        return CancelFlag != 0;
    lastPump_ = now;
    if (wxWindow* line = FindWindow(kIdDetail); line && line->GetLabel() != detail_)
        line->SetLabel(detail_);
    if (IsShown()) {
        Refresh();
        Update();
    }
    // Before the main loop runs (a start-up choice) there is no loop to yield in.
    std::unique_ptr<wxEventLoopBase> ownLoop;
    std::unique_ptr<wxEventLoopActivator> activate;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop) {
        ownLoop = std::make_unique<wxGUIEventLoop>();
        activate = std::make_unique<wxEventLoopActivator>(ownLoop.get());
        loop = ownLoop.get();
    }
    // Input and drawing only; what other windows queued for themselves waits.
    wxTheApp->SuspendProcessingOfPendingEvents();
    loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
    wxTheApp->ResumeProcessingOfPendingEvents();
    if (m_pendingEvents && !m_pendingEvents->IsEmpty())
        ProcessPendingEvents();
    return CancelFlag != 0;
}

void CWaitDlg::End() {
    disabler_.reset();
    if (GetHandle())
        Hide();
    if (wxWindow* parent = ParentWnd ? wxGetTopLevelParent(ParentWnd) : nullptr) {
        if (!parent->IsShown())
            parent->Show();
        parent->Raise();
    }
    if (timerHold_)
        timerHold_->Release();
    timerHold_.reset();
}

CWaitProgress::~CWaitProgress() {
    End();
    if (idle_)
        idle_->Destroy();
}

CWaitDlg* CWaitProgress::Take() {
    End();
    wxWindow* owner = parent_ ? parent_ : SafeOwnerWindow();
    if (idle_ && idle_->ParentWnd == owner) {
        dialog_ = idle_.get();
    } else {
        if (idle_)
            idle_->Destroy();
        dialog_ = new CWaitDlg(owner);
    }
    idle_ = nullptr;
    return dialog_;
}

void CWaitProgress::Begin(unsigned messageId, int rangeMax) {
    Take()->Begin(messageId, rangeMax);
}

void CWaitProgress::BeginText(const std::string& text, int rangeMax) {
    Take()->BeginText(text, rangeMax);
}

void CWaitProgress::SetPosition(int position) {
    if (dialog_)
        dialog_->SetPosition(position);
}

void CWaitProgress::SetDetail(const std::wstring& text) {
    if (dialog_)
        dialog_->SetDetail(text);
}

bool CWaitProgress::PumpAndCancelled() {
    return dialog_ && dialog_->PumpAndCancelled();
}

void CWaitProgress::End() {
    if (!dialog_)
        return;
    dialog_->End();
    idle_ = dialog_.get();
    dialog_ = nullptr;
}

wxWindow* SafeOwnerWindow() {
    // A modal dialog is the one that started the operation.
    for (auto node = wxTopLevelWindows.GetLast(); node; node = node->GetPrevious()) {
        auto* dialog = wxDynamicCast(node->GetData(), wxDialog);
        if (dialog && dialog->IsModal() && dialog->IsShown())
            return dialog;
    }
    if (wxWindow* focus = wxWindow::FindFocus())
        if (wxWindow* top = wxGetTopLevelParent(focus); top && top->IsShown())
            return top;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

} // namespace qv
