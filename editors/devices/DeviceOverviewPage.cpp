#include "editors/devices/DeviceOverviewPage.h"

#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "app/WindowPlacement.h"
#include "document/QuorvelDoc.h"
#include "editors/devices/DeviceOverviewModel.h"
#include "ui/Messages.h"

namespace qv {

wxWindow* CreateDeviceOverviewPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view) {
    return new CDeviceInfoPage(parent, doc, view);
}

namespace {
wxColour ShadeColour(OverviewShade shade) {
    auto rgb = [](uint32_t v) { return wxColour((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); };
    switch (shade) {
    case OverviewShade::Alternate:
        return rgb(kOverviewAlternateRgb);
    case OverviewShade::Total:
        return rgb(kOverviewTotalRgb);
    case OverviewShade::Plain:
        break;
    }
    return wxNullColour;
}
} // namespace

CDeviceInfoPage::CDeviceInfoPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView&)
    : wxPanel(parent, wxID_ANY), doc_(doc), codePage_(wxGetApp().codePage) {
    List = new wxListCtrl(this, kIdList, wxDefaultPosition, wxDefaultSize,
                          wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES);

    // The widths are read, never written back: the overview keeps what was stored.
    ColumnWidthTable& widths = wxGetApp().columnWidths;
    LoadListState(wxGetApp().Profile(), widths, kDeviceOverviewSlot);
    const auto cols = DeviceOverviewColumns(widths[kDeviceOverviewSlot]);
    for (size_t c = 0; c < cols.size(); ++c)
        List->AppendColumn(kStrOverviewHeadings[c] ? Res(kStrOverviewHeadings[c]) : wxString(),
                           cols[c].centred ? wxLIST_FORMAT_CENTRE : wxLIST_FORMAT_LEFT,
                           cols[c].width);
    for (long r = 0; r < static_cast<long>(kOverviewRowCount); ++r) {
        List->InsertItem(r, wxString());
        const wxColour shade = ShadeColour(OverviewRowShade(static_cast<size_t>(r)));
        if (shade.IsOk()) {
            List->SetItemBackgroundColour(r, shade);
            // Dark themes draw light text; the shades are light.
            List->SetItemTextColour(r, *wxBLACK);
        }
    }
    List->Bind(wxEVT_LIST_COL_BEGIN_DRAG, &CDeviceInfoPage::OnColumnDrag, this);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(List, 1, wxEXPAND | wxTOP, 5);
    SetSizer(sizer);
    FillFileCounts();
}

void CDeviceInfoPage::FillFileCounts() {
    const ImageBlocks& blocks = doc_.Blocks();
    const std::vector<OverviewRow> rows =
        DeviceOverviewRows(blocks.files, blocks.devices, codePage_);
    for (size_t r = 0; r < rows.size(); ++r) {
        const long item = static_cast<long>(r);
        List->SetItem(item, 0, wxString(rows[r].hidden));
        List->SetItem(item, 1, wxString(rows[r].number));
        List->SetItem(item, 2, wxString(rows[r].name));
        List->SetItem(item, 3, wxString(rows[r].count));
    }
}

void CDeviceInfoPage::ResizeList() {
    Layout();
}

void CDeviceInfoPage::Reload(uint32_t) {
    FillFileCounts();
}

void CDeviceInfoPage::OnColumnDrag(wxListEvent& event) {
    // The first column carries no text of its own and stays hidden.
    if (event.GetColumn() == 0)
        event.Veto();
    else
        event.Skip();
}

} // namespace qv
