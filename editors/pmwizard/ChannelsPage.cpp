#include "editors/pmwizard/ChannelsPage.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrChannelsOn = 46410;
constexpr unsigned kStrChannel = 46411;
constexpr unsigned kStrFirstValue = 46412;
constexpr unsigned kStrSecondValue = 46413;
} // namespace

CKestrandDlg::CKestrandDlg(wxWindow* parent, UnitTypeRecord& record)
    : wxPanel(parent, wxID_ANY), record_(record) {
    ChannelsOn = new wxCheckBox(this, wxID_ANY, Res(kStrChannelsOn));
    ChannelsOn->SetValue(record_.channelsOn != 0);
    ChannelsOn->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        record_.channelsOn = ChannelsOn->GetValue() ? 1 : 0;
        EnableValues();
    });

    auto* grid = new wxFlexGridSizer(3, wxSize(12, 2));
    grid->AddSpacer(0);
    for (unsigned heading : {kStrFirstValue, kStrSecondValue}) {
        auto* label = new wxStaticText(this, wxID_ANY, Res(heading));
        valueLabels_.push_back(label);
        grid->Add(label, 0, wxALIGN_CENTER_HORIZONTAL);
    }
    // Boxes in tab order channel by channel: first value, then second value.
    for (int c = 0; c < kChannelCount; ++c) {
        auto* label = new wxStaticText(
            this, wxID_ANY, wxString(FormatResText(kStrChannel, {std::to_wstring(c + 1)})));
        valueLabels_.push_back(label);
        grid->Add(label, 0, wxALIGN_CENTER_VERTICAL);
        for (int half = 0; half < 2; ++half) {
            const int k = half * kChannelCount + c;
            auto* box = new wxCheckBox(this, wxID_ANY, wxString());
            box->SetValue(record_.channelFlags[k] != 0);
            box->Bind(wxEVT_CHECKBOX, [this, box, k](wxCommandEvent&) {
                record_.channelFlags[k] = box->GetValue() ? 1 : 0;
            });
            Values[k] = box;
            grid->Add(box, 0, wxALIGN_CENTER);
        }
    }
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(ChannelsOn, 0, wxBOTTOM, 8);
    column->Add(grid, 0, wxLEFT, 16);
    SetSizer(column);
    EnableValues();
}

void CKestrandDlg::EnableValues() {
    const bool on = record_.channelsOn != 0;
    for (wxCheckBox* box : Values)
        box->Enable(on);
    for (wxWindow* label : valueLabels_)
        label->Enable(on);
}

} // namespace qv
