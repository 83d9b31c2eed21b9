#include "online/UnitSearchDlg.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/CodePageText.h"
#include "document/MessageType.h"
#include "link/LinkServices.h"
#include "link/UnitComm.h"
#include "ui/Messages.h"
#include "ui/WaitDlg.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 35501;
}

int CIPSearchDlg::SearchWindowMs = kSearchWindowMs;

CIPSearchDlg::CIPSearchDlg(wxWindow* parent)
    : CDlgBase(kDlgUnitSearch, nullptr, parent, Res(kStrTitle),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    UnitList = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kUnitSearchList);
    int total = 0;
    for (int i = 0; i < kUnitColumnCount; ++i) {
        const int stored = widths[kUnitSearchList][i];
        const int width = stored > 0 ? stored : kUnitColumns[i].Width;
        UnitList->AppendColumn(Res(kUnitColumns[i].Heading), wxLIST_FORMAT_LEFT, width);
        total += width;
    }
    UnitList->SetMinSize(wxSize(total + 8, 200));

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(UnitList, 1, wxEXPAND | wxALL, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    UnitList->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnActivated(); });

    // Sized by its contents' client size: a minimum taken from the outer size
    // counts on a guess of the window manager's frame and can come out short.
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    UnitList->SetFocus();
}

CIPSearchDlg::~CIPSearchDlg() {
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    for (int i = 0; i < UnitList->GetColumnCount() && i < kListColumns; ++i)
        widths[kUnitSearchList][i] = UnitList->GetColumnWidth(i);
    SaveListState(wxGetApp().Profile(), widths, kUnitSearchList);
}

std::optional<std::wstring> CIPSearchDlg::SearchAndFill() {
    Units.clear();
    CWaitProgress progress(GetParent());
    CUnitComm link(wxGetApp().Profile(), CodePage, &progress, nullptr, SystemSleeper());
    link.UdpPort = kSearchPort;
    const std::string message =
        WideToMulti(Res(kMsgSearchingUnits).ToStdWstring(), CodePage).value_or(std::string());
    int count = 0;
    const LinkResult result =
        SearchUnits(Units, link, message, count, SystemTicks(), SearchWindowMs);
    Fill(Units, count);
    return SearchFailureText(result, link.LastError);
}

void CIPSearchDlg::Fill(const std::vector<UnitData>& units, int count) {
    if (&units != &Units)
        Units = units;
    UnitList->DeleteAllItems();
    const std::vector<UnitRow> rows = UnitRows(Units, count, CodePage);
    for (size_t i = 0; i < rows.size(); ++i) {
        const long item = UnitList->InsertItem(static_cast<long>(i), wxString(rows[i][0]));
        for (int c = 1; c < kUnitColumnCount; ++c)
            UnitList->SetItem(item, c, wxString(rows[i][c]));
    }
}

long CIPSearchDlg::Selected() const {
    return UnitList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
}

void CIPSearchDlg::OnOk() {
    const long s = Selected();
    if (s < 0 || s >= static_cast<long>(Units.size())) {
        ShowMessage(kMbOk | kMbIconExclamation, Res(kMsgNoUnitChosen));
        UnitList->SetFocus();
        return;
    }
    TakeUnit(wxGetApp().Profile(), CodePage, Units[s], UnitPick::Ok);
    EndModal(wxID_OK);
}

void CIPSearchDlg::OnActivated() {
    // Enter on a row is the dialog's OK; only a double click takes the address alone.
    if (wxGetKeyState(WXK_RETURN) || wxGetKeyState(WXK_NUMPAD_ENTER)) {
        OnOk();
        return;
    }
    const long s = Selected();
    if (s < 0 || s >= static_cast<long>(Units.size()))
        return;
    TakeUnit(wxGetApp().Profile(), CodePage, Units[s], UnitPick::DoubleClick);
    EndModal(wxID_OK);
}

bool RunUnitSearchDialog(wxWindow* parent) {
    // The chosen unit and the list's widths are written once, after the dialog.
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    CIPSearchDlg dlg(parent);
    if (const auto failure = dlg.SearchAndFill()) {
        ShowMessage(kMbOk | kMbIconExclamation, wxString(*failure));
        return false;
    }
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
