#include "editors/devices/StationDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>

#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 39210;
constexpr unsigned kStrAll = 39211;
constexpr unsigned kStrChosen = 39212;
} // namespace

CStationDlg::CStationDlg(wxWindow* parent, CQuorvelDoc& doc, int port)
    : CDlgBase(kDlgStations, &doc, parent, Res(kStrTitle)), doc_(doc),
      chooser_(port, doc.Blocks().unit, doc.stationFlags) {
    AllRadio = new wxRadioButton(this, wxID_ANY, Res(kStrAll), wxDefaultPosition, wxDefaultSize,
                                 wxRB_GROUP);
    ChosenRadio = new wxRadioButton(this, wxID_ANY, Res(kStrChosen));
    AllRadio->SetValue(chooser_.All());
    ChosenRadio->SetValue(!chooser_.All());
    AllRadio->Enable(chooser_.AllEnabled());
    auto* radios = new wxBoxSizer(wxHORIZONTAL);
    radios->Add(AllRadio, 0, wxRIGHT, 20);
    radios->Add(ChosenRadio, 0);

    Tabs = new wxNotebook(this, wxID_ANY);
    for (int t = 0; t < chooser_.TabCount(); ++t) {
        auto* page = new wxPanel(Tabs);
        auto* grid = new wxFlexGridSizer(11, wxSize(6, 4));
        for (int r = 0; r < kStationRows; ++r) {
            const std::wstring caption = StationChooser::RowCaption(t, r);
            if (caption.empty())
                break;
            auto* button = new wxButton(page, wxID_ANY, wxString(caption), wxDefaultPosition,
                                        wxDefaultSize, wxBU_EXACTFIT);
            RowButtons[t][r] = button;
            grid->Add(button, 0, wxEXPAND);
            button->Bind(wxEVT_BUTTON, [this, t, r](wxCommandEvent&) {
                chooser_.ToggleRow(t, r);
                ShowRow(t, r);
            });
            for (int k = 10 * r; k < 10 * r + 10; ++k) {
                const int station = StationChooser::StationOf(t, k);
                if (station == 0) {
                    grid->AddSpacer(0);
                    continue;
                }
                auto* box = new wxCheckBox(page, wxID_ANY, wxString::Format("%02d", station));
                box->SetValue(chooser_.Chosen(station));
                box->Bind(wxEVT_CHECKBOX, [this, box, station](wxCommandEvent&) {
                    chooser_.SetChosen(station, box->GetValue());
                });
                Boxes[t][k] = box;
                grid->Add(box, 0, wxALIGN_CENTER_VERTICAL);
            }
        }
        auto* outer = new wxBoxSizer(wxVERTICAL);
        outer->Add(grid, 0, wxALL, 8);
        page->SetSizer(outer);
        Tabs->AddPage(page, wxString(chooser_.TabCaption(t)));
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(radios, 0, wxALL, 10);
    column->Add(Tabs, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    for (wxRadioButton* radio : {AllRadio, ChosenRadio})
        radio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
            chooser_.SetAll(AllRadio->GetValue());
            EnableStationControls();
        });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    EnableStationControls();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

void CStationDlg::EnableStationControls() {
    Tabs->Enable(chooser_.StationsEnabled());
}

void CStationDlg::ShowRow(int tab, int row) {
    for (int k = 10 * row; k < 10 * row + 10; ++k)
        if (wxCheckBox* box = Boxes[tab][k])
            box->SetValue(chooser_.Chosen(StationChooser::StationOf(tab, k)));
}

void CStationDlg::OnOk() {
    StationList flags{};
    const Refusal refusal = chooser_.Ok(flags);
    if (refusal.Refused()) {
        // The first box of the shown tab.
        const int tab = std::max(0, Tabs->GetSelection());
        wxWindow* first = Boxes[tab][tab == 0 ? 1 : 0];
        ShowMessageFocus(RefusalText(refusal), first);
        return;
    }
    doc_.stationFlags = flags;
    EndModal(wxID_OK);
}

} // namespace qv
