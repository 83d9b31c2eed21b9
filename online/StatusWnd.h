// The status window: the unit's state, read once a second over the window's
// own session, which stays open between polls and closes with the window.
#pragma once
#include <memory>
#include <wx/timer.h>

#include "link/UnitSession.h"
#include "online/StatusModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxStaticText;

namespace qv {

class CGaugeView;

constexpr unsigned kDlgStatus = 334;
constexpr int kStatusPollMs = 1000;

class CStatusWnd : public CDlgBase {
public:
    CStatusWnd(wxWindow* parent, CQuorvelDoc* doc);
    ~CStatusWnd() override;

    // One poll, shown at once (also the Refresh button).
    void RefreshStatus();
    const StatusPoll& Poll() const { return poll_; }
    CUnitSession& Link() { return link_; }
    // 0 no timer, 1 running, 2 stopped for a poll.
    int TimerState() const { return timerState_; }

    wxStaticText *ErrorText, *ClockText, *ModeText, *VersionText, *NameText, *WriteDateText,
        *WriteUserText, *MacText;
    wxStaticText* AddressTexts[5];
    wxStaticText* RowTexts[5];
    wxStaticText* CounterTexts[3];
    wxStaticText* GaugeTexts[2][3]; // free, used, capacity
    CGaugeView* Gauges[2];
    wxButton *RefreshButton, *AckButton, *CloseButton;

private:
    void ShowTexts(const StatusTexts& t);
    void SetValue(wxStaticText* text, const std::wstring& value);
    void OnTimer();

    CUnitSession link_;
    StatusPoll poll_;
    wxTimer timer_;
    int timerState_ = 0;
    bool grown_ = false;
};

// The status command: the connection dialog in its link-only form, then the
// window, modally.
void RunStatusWindow(wxWindow* parent, CQuorvelDoc& doc);

} // namespace qv
