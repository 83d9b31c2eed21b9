// The wait dialog shown while a long exchange with the unit runs on the
// user-interface thread: a progress bar, one line of text and Cancel. It does
// no work of its own; the operation moves the bar, pumps it once per frame
// and stops itself once the cancel flag is up.
#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <wx/dialog.h>
#include <wx/weakref.h>

#include "link/LinkServices.h"

class wxGauge;
class wxWindowDisabler;

namespace qv {

class CWaitDlg : public wxDialog, public ProgressSink {
public:
    static constexpr int kIdProgress = 1089;
    static constexpr int kIdMessage = 1090;
    static constexpr int kIdDetail = 1091;

    // The window itself is made by Create, or by Begin over this parent.
    explicit CWaitDlg(wxWindow* parent = nullptr);
    ~CWaitDlg() override;

    // Creates the window centred over parent and shows it.
    bool Create(wxWindow* parent);
    // Cancel, Enter and closing the window all come here: only the flag rises.
    void OnCancel() { CancelFlag = 1; }

    // While it is up, every other window of the program is disabled and the
    // ticks of their timers wait until End.
    void Begin(unsigned messageId, int rangeMax) override;
    // The caller's own text (multibyte, the interface code page).
    void BeginText(const std::string& text, int rangeMax) override;
    using wxDialog::SetPosition;
    void SetPosition(int position) override;
    // The line under the message, shown from its first text until the next
    // Begin; later texts are drawn with the next pump.
    void SetDetail(const std::wstring& text) override;
    bool PumpAndCancelled() override;
    // Hides the window and brings its parent back to the top, active.
    void End() override;

    uint16_t CancelFlag = 0;
    wxWindow* ParentWnd = nullptr;
    wxGauge* ProgressBar = nullptr;

private:
    class TimerHold;
    // The window and its controls, not shown yet.
    bool Build(wxWindow* parent);
    void BeginWithMessage(const wxString& message, int rangeMax);

    wxWindow* parent_;
    std::unique_ptr<wxWindowDisabler> disabler_;
    std::unique_ptr<TimerHold> timerHold_;
    // When the dialog last drew itself and took input.
    std::chrono::steady_clock::time_point lastPump_{};
    wxString detail_; // the detail line's text, drawn or waiting to be
};

// The wait dialog as the link sees it: a new dialog for every Begin, removed
// at its End. Without a parent it opens over the window the user works in.
class CWaitProgress : public ProgressSink {
public:
    explicit CWaitProgress(wxWindow* parent = nullptr) : parent_(parent) {}
    ~CWaitProgress() override;
    CWaitProgress(const CWaitProgress&) = delete;
    CWaitProgress& operator=(const CWaitProgress&) = delete;

    void Begin(unsigned messageId, int rangeMax) override;
    void BeginText(const std::string& text, int rangeMax) override;
    void SetPosition(int position) override;
    void SetDetail(const std::wstring& text) override;
    bool PumpAndCancelled() override;
    void End() override;

    // The dialog between Begin and End, else null.
    CWaitDlg* Dialog() const { return dialog_; }

private:
    CWaitDlg* Take();

    wxWindow* parent_;
    wxWeakRef<CWaitDlg> dialog_;
    // The hidden dialog of the last run: a login's short probe and the
    // transfer that follows share one window instead of building two.
    wxWeakRef<CWaitDlg> idle_;
};

// The window a new pop-up of the program belongs over: the modal dialog on
// show, else the active window, else the main window.
wxWindow* SafeOwnerWindow();

} // namespace qv
