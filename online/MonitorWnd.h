// The monitor window: live values of one log file's devices or of the unit's
// system registers, read once a second over the window's own session.
#pragma once
#include <vector>
#include <wx/listctrl.h>
#include <wx/timer.h>

#include "link/UnitSession.h"
#include "online/MonitorModel.h"
#include "ui/DlgBase.h"

class wxButton;

namespace qv {

constexpr unsigned kDlgMonitor = 335;
constexpr int kMonitorPollMs = 1000;

// The item list: its rows are the model's, drawn on demand.
class CMonitorItemList : public wxListCtrl {
public:
    CMonitorItemList(wxWindow* parent, const MonitorModel& model);
    wxString OnGetItemText(long item, long column) const override;
    wxItemAttr* OnGetItemColumnAttr(long item, long column) const override;

private:
    const MonitorModel& model_;
    mutable wxItemAttr attr_;
};

class CMonitorWnd : public wxDialog {
public:
    CMonitorWnd(wxWindow* parent, CQuorvelDoc& doc);
    ~CMonitorWnd() override;

    // Shows group 0..16 (the group list's selection follows).
    void SelectGroup(int group);
    // One poll, shown at once.
    void PollValues();
    const MonitorModel& Model() const { return model_; }
    CUnitSession& Link() { return link_; }
    int ColumnMode() const { return columnMode_; }

    wxListCtrl* GroupList;
    CMonitorItemList* ItemList;
    wxButton* CloseButton;

private:
    void OnGroupChanged(int group);
    void SetColumns(bool system);
    // The widths of a layout's columns: stored for its list slot, or the defaults.
    std::vector<int> ColumnWidths(bool system);
    // Where the value column of a layout ends.
    int WidthToValueEnd(bool system);
    void SaveColumnWidths();
    void OnTimer();

    CQuorvelDoc& doc_;
    MonitorModel model_;
    CUnitSession link_;
    SessionMonitorLink monitorLink_;
    wxTimer timer_;
    int currentGroup_ = -1;
    int columnMode_ = 0; // 1 item columns, 2 system-register columns
    bool pollBusy_ = false;
};

// The monitor command: the connection dialog in its link-only form, then
// the window, modally.
void RunMonitorWindow(wxWindow* parent, CQuorvelDoc& doc);

} // namespace qv
