#include "editors/pmwizard/UnitTypeDlg.h"

#include <algorithm>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "editors/pmwizard/ChannelsPage.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 46405;
constexpr unsigned kStrStation = 46406;
constexpr unsigned kStrUnitType = 46407;
constexpr unsigned kStrPoints = 46408;
constexpr unsigned kStrGroup = 46409;

wxString Number2(int n) {
    return wxString::Format("%02d", n);
}
} // namespace

CUnitTypeDlg::CUnitTypeDlg(wxWindow* parent, PowerMeterWizard& wizard, int station)
    : CDlgBase(kDlgUnitType, parent, parent, Res(kStrTitle)), wizard_(wizard), station_(station),
      edited_(wizard.Station(station)) {
    auto* head = new wxFlexGridSizer(2, wxSize(8, 6));
    head->Add(new wxStaticText(this, wxID_ANY, Res(kStrStation)), 0, wxALIGN_CENTER_VERTICAL);
    head->Add(new wxStaticText(this, wxID_ANY, wxString::Format("%d", station)), 0,
              wxALIGN_CENTER_VERTICAL);
    head->Add(new wxStaticText(this, wxID_ANY, Res(kStrUnitType)), 0, wxALIGN_CENTER_VERTICAL);
    TypeBox = new wxChoice(this, 7000);
    for (unsigned id : kStrUnitTypeNames)
        TypeBox->Append(Res(id));
    TypeBox->SetSelection(edited_.unitType < kUnitTypeCount ? static_cast<int>(edited_.unitType)
                                                            : 0);
    head->Add(TypeBox, 0);

    // The channel page and the point boxes take turns in one place.
    ChannelsPage = new CKestrandDlg(this, edited_);
    pointsPanel_ = new wxPanel(this);
    PointsLabel = new wxStaticText(pointsPanel_, wxID_ANY, Res(kStrPoints));
    auto* pointGrid = new wxGridSizer(8, wxSize(6, 2));
    for (int p = 0; p < kPointCount; ++p) {
        auto* box = new wxCheckBox(pointsPanel_, wxID_ANY, Number2(p + 1));
        box->SetValue(edited_.points[p] != 0);
        box->Bind(wxEVT_CHECKBOX,
                  [this, box, p](wxCommandEvent&) { edited_.points[p] = box->GetValue(); });
        Points[p] = box;
        pointGrid->Add(box, 0);
    }
    auto* pointColumn = new wxBoxSizer(wxVERTICAL);
    pointColumn->Add(PointsLabel, 0, wxBOTTOM, 4);
    pointColumn->Add(pointGrid, 0, wxLEFT, 16);
    pointsPanel_->SetSizer(pointColumn);
    auto* place = new wxBoxSizer(wxVERTICAL);
    place->Add(ChannelsPage, 0);
    place->Add(pointsPanel_, 0);
    const wxSize page = ChannelsPage->GetBestSize(), points = pointsPanel_->GetBestSize();
    place->SetMinSize(wxSize(std::max(page.x, points.x), std::max(page.y, points.y)));

    auto* groups = new wxFlexGridSizer(6, wxSize(8, 4));
    for (int g = 0; g < kGroupCount; ++g) {
        GroupLabels[g] = new wxStaticText(
            this, wxID_ANY,
            wxString(FormatResText(kStrGroup, {std::to_wstring(g + 1), std::to_wstring(4 * g + 1),
                                               std::to_wstring(4 * g + 4)})));
        groups->Add(GroupLabels[g], 0, wxALIGN_CENTER_VERTICAL);
        Ranges[g] = new wxChoice(this, 7158 + g);
        for (unsigned id : kStrRangeNames)
            Ranges[g]->Append(Res(id));
        Ranges[g]->SetSelection(edited_.ranges[g] < 3 ? static_cast<int>(edited_.ranges[g]) : 0);
        Ranges[g]->Bind(wxEVT_CHOICE, [this, g](wxCommandEvent&) {
            edited_.ranges[g] = static_cast<uint32_t>(std::max(0, Ranges[g]->GetSelection()));
        });
        groups->Add(Ranges[g], 0, wxALIGN_CENTER_VERTICAL);
        for (int k = 4 * g; k < 4 * g + 4; ++k) {
            auto* box = new wxCheckBox(this, wxID_ANY, Number2(k + 1));
            box->SetValue(edited_.groupedPoints[k] != 0);
            box->Bind(wxEVT_CHECKBOX, [this, box, k](wxCommandEvent&) {
                edited_.groupedPoints[k] = box->GetValue();
            });
            GroupedPoints[k] = box;
            groups->Add(box, 0, wxALIGN_CENTER_VERTICAL);
        }
    }

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(head, 0, wxALL, 10);
    column->Add(place, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(groups, 0, wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    TypeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnUnitTypeChange(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    GetSizer()->SetSizeHints(this);
    OnUnitTypeChange();
    CentreOnParent();
}

void CUnitTypeDlg::OnUnitTypeChange() {
    const int type = std::max(0, TypeBox->GetSelection());
    edited_.unitType = static_cast<uint32_t>(type);
    ChannelsPage->Show(type == kUnitChannels);
    pointsPanel_->Show(type != kUnitChannels);
    PointsLabel->Enable(type == kUnit32Points || type == kUnit4Points);
    for (int p = 0; p < kPointCount; ++p)
        Points[p]->Enable(type == kUnit32Points || (type == kUnit4Points && p < 4));
    for (int g = 0; g < kGroupCount; ++g) {
        GroupLabels[g]->Enable(type == kUnitGrouped);
        Ranges[g]->Enable(type == kUnitGrouped);
    }
    for (wxCheckBox* box : GroupedPoints)
        box->Enable(type == kUnitGrouped);
    Layout();
}

void CUnitTypeDlg::OnOk() {
    const Refusal refusal = wizard_.SetUnitType(station_, edited_);
    if (refusal.Refused()) {
        ShowMessageFocus(RefusalText(refusal), TypeBox);
        return;
    }
    EndModal(wxID_OK);
}

} // namespace qv
