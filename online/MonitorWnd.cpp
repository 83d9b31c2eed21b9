#include "online/MonitorWnd.h"

#include <algorithm>
#include <vector>
#include <wx/button.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "online/ConnectionDlg.h"
#include "ui/Messages.h"
#include "ui/OnScreen.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 46728;
constexpr unsigned kStrGroupHeading = 43001;
constexpr unsigned kStrFileGroup = 3006;
constexpr unsigned kStrSystemGroup = 43002;
constexpr unsigned kStrClose = 271;

const wxColour kValueOn(255, 100, 23);
const wxColour kValueOff(23, 100, 255);

} // namespace

CMonitorItemList::CMonitorItemList(wxWindow* parent, const MonitorModel& model)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES),
      model_(model) {}

wxString CMonitorItemList::OnGetItemText(long item, long column) const {
    const auto& rows = model_.Rows();
    if (item < 0 || static_cast<size_t>(item) >= rows.size() || column < 0 ||
        column >= kMonitorColumns)
        return {};
    return wxString(rows[static_cast<size_t>(item)].cells[column]);
}

wxItemAttr* CMonitorItemList::OnGetItemColumnAttr(long item, long column) const {
    const auto& rows = model_.Rows();
    if (item < 0 || static_cast<size_t>(item) >= rows.size())
        return nullptr;
    attr_.SetTextColour(column != kMonitorValueColumn        ? *wxBLACK
                        : rows[static_cast<size_t>(item)].on ? kValueOn
                                                             : kValueOff);
    return &attr_;
}

CMonitorWnd::CMonitorWnd(wxWindow* parent, CQuorvelDoc& doc)
    : wxDialog(parent, wxID_ANY, Res(kStrTitle), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
      doc_(doc), model_(doc.Blocks().files, wxGetApp().codePage),
      link_(wxGetApp().Profile(), wxGetApp().codePage, nullptr, nullptr, SystemSleeper()),
      monitorLink_(link_) {
    const int gap = FromDIP(6);
    GroupList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxLC_REPORT | wxLC_SINGLE_SEL);
    GroupList->AppendColumn(Res(kStrGroupHeading), wxLIST_FORMAT_CENTRE, FromDIP(131));
    for (int g = 0; g < kMonitorFileGroups; ++g)
        GroupList->InsertItem(g, wxString::Format(Res(kStrFileGroup), g + 1));
    GroupList->InsertItem(kMonitorSystemGroup, Res(kStrSystemGroup));
    // Tall enough for all 17 rows: a list that almost fits can keep adding
    // and removing its scroll bar, redrawing without end.
    const int line = GroupList->GetCharHeight() + FromDIP(8);
    GroupList->SetMinSize(
        wxSize(FromDIP(131) + gap * 4, std::max(FromDIP(300), line * (kMonitorGroupCount + 2))));
    ItemList = new CMonitorItemList(this, model_);
    ItemList->SetMinSize(FromDIP(wxSize(500, 300)));
    CloseButton = new wxButton(this, wxID_CLOSE, Res(kStrClose));

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    lists->Add(GroupList, 0, wxEXPAND | wxRIGHT, 1);
    lists->Add(ItemList, 1, wxEXPAND);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(lists, 1, wxEXPAND | wxALL, gap * 2);
    column->Add(CloseButton, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizer(column);
    GetSizer()->SetSizeHints(this);

    // Enter and Esc end the window.
    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    CloseButton->SetDefault();
    CloseButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    GroupList->Bind(wxEVT_LIST_ITEM_SELECTED,
                    [this](wxListEvent& e) { OnGroupChanged(static_cast<int>(e.GetIndex())); });
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTimer(); });

    // Of the stored rectangle only the size is used: the window opens centred,
    // and at least wide enough for the item list to show its value column.
    const MonitorRect rect = LoadMonitorRect(wxGetApp().Profile());
    wxSize size = GetSize();
    if (rect.width > 0 && rect.height > 0)
        size = wxSize(rect.width, rect.height);
    const int listNeeds = std::max(WidthToValueEnd(false), WidthToValueEnd(true)) +
                          wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this) + gap;
    size.x = std::max(size.x, GetSize().x + listNeeds - ItemList->GetMinSize().x);
    const wxRect area = WorkAreaOf(parent ? parent : this);
    SetSize(wxSize(std::min(size.x, area.width), std::min(size.y, area.height)));
    CentreOnParent();

    SelectGroup(0);
    GroupList->SetFocus();
    timer_.StartOnce(kMonitorPollMs);
}

CMonitorWnd::~CMonitorWnd() {
    timer_.Stop();
    SaveColumnWidths();
    const wxRect r = GetScreenRect();
    SaveMonitorRect(wxGetApp().Profile(), {r.x, r.y, r.width, r.height});
}

void CMonitorWnd::SelectGroup(int group) {
    GroupList->SetItemState(group, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    GroupList->EnsureVisible(group);
    OnGroupChanged(group); // the selection event may come later or not at all
}

void CMonitorWnd::OnGroupChanged(int group) {
    if (group < 0 || group >= kMonitorGroupCount || group == currentGroup_)
        return;
    SetColumns(group == kMonitorSystemGroup);
    model_.FillGroup(group, doc_.Blocks());
    ItemList->SetItemCount(static_cast<long>(model_.Rows().size()));
    ItemList->Refresh();
    pollBusy_ = false;
    currentGroup_ = group;
}

std::vector<int> CMonitorWnd::ColumnWidths(bool system) {
    const int slot = system ? kMonitorSystemSlot : kMonitorItemSlot;
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, slot);
    std::vector<int> result;
    const std::vector<MonitorColumn> columns = MonitorColumns(system);
    for (size_t i = 0; i < columns.size(); ++i) {
        const int saved = widths[static_cast<size_t>(slot)][i];
        result.push_back(saved >= 0 ? saved : FromDIP(columns[i].width));
    }
    return result;
}

int CMonitorWnd::WidthToValueEnd(bool system) {
    const std::vector<int> widths = ColumnWidths(system);
    int sum = 0;
    for (size_t i = 0; i <= kMonitorValueColumn && i < widths.size(); ++i)
        sum += widths[i];
    return sum;
}

void CMonitorWnd::SetColumns(bool system) {
    const int mode = system ? 2 : 1;
    if (mode == columnMode_)
        return;
    SaveColumnWidths();
    columnMode_ = mode;
    ItemList->SetItemCount(0);
    ItemList->DeleteAllColumns();
    const std::vector<MonitorColumn> columns = MonitorColumns(system);
    const std::vector<int> widths = ColumnWidths(system);
    for (size_t i = 0; i < columns.size(); ++i)
        ItemList->AppendColumn(Res(columns[i].heading),
                               columns[i].centred ? wxLIST_FORMAT_CENTRE : wxLIST_FORMAT_LEFT,
                               widths[i]);
}

void CMonitorWnd::SaveColumnWidths() {
    if (columnMode_ == 0)
        return;
    const int slot = columnMode_ == 2 ? kMonitorSystemSlot : kMonitorItemSlot;
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int c = 0; c < ItemList->GetColumnCount() && c < kListColumns; ++c)
        widths[static_cast<size_t>(slot)][static_cast<size_t>(c)] = ItemList->GetColumnWidth(c);
    SaveListState(wxGetApp().Profile(), widths, slot);
}

void CMonitorWnd::PollValues() {
    if (pollBusy_)
        return;
    pollBusy_ = true;
    // Only rows whose value changed are drawn again: a still unit costs nothing.
    const auto& rows = model_.Rows();
    std::vector<std::wstring> before;
    before.reserve(rows.size());
    for (const MonitorRow& row : rows)
        before.push_back(row.cells[kMonitorValueColumn]);
    model_.Poll(monitorLink_);
    for (size_t i = 0; i < rows.size() && i < before.size(); ++i)
        if (rows[i].cells[kMonitorValueColumn] != before[i])
            ItemList->RefreshItem(static_cast<long>(i));
    pollBusy_ = false;
}

void CMonitorWnd::OnTimer() {
    // The next poll is timed from the end of this one, so polls never overlap.
    PollValues();
    timer_.StartOnce(kMonitorPollMs);
}

void RunMonitorWindow(wxWindow* parent, CQuorvelDoc& doc) {
    if (!RunConnectionDialog(parent, ConnectionAction::Tool, doc))
        return;
    // Its rectangle and widths are written once, after the window.
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    CMonitorWnd wnd(parent, doc);
    wnd.ShowModal();
}

} // namespace qv
