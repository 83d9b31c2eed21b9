#include "editors/pmwizard/PowerMeterWizardDlg.h"

#include <algorithm>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "document/MessageType.h"
#include "editors/devices/StationChooserModel.h"
#include "editors/pmwizard/UnitTypeDlg.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"
#include "ui/QVChkBox.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 46400;
constexpr unsigned kStrIntro = 46401;
constexpr unsigned kStrInterval = 46402;
constexpr unsigned kStrFreeRecords = 46403;
constexpr unsigned kStrWriteRequest = 46404;
constexpr unsigned kStrStations = 46414;
constexpr int kIntroWidth = 520;

// Its one question replaces every setting: a warning rather than a question mark.
class WizardQuestions : public BoxQuestions {
public:
    bool AskYesNo(unsigned messageId) override {
        return ShowMessageId(messageId, kMbYesNo | kMbIconExclamation | kMbDefButton2) == kIdYes;
    }
};
} // namespace

CZuzPelmDlg::CZuzPelmDlg(wxWindow* parent, CQuorvelDoc& doc, int flag)
    : CDlgBase(kDlgPowerMeterWizard, &doc, parent, Res(kStrTitle)), doc_(doc), flag_(flag) {
    auto* intro = new wxStaticText(this, wxID_ANY, Res(kStrIntro));
    intro->Wrap(FromDIP(kIntroWidth));

    auto* stations = NewFrameSizer(wxVERTICAL, this, Res(kStrStations));
    wxWindow* frame = stations->GetStaticBox();
    auto* grid = new wxFlexGridSizer(11, wxSize(6, 4));
    for (int r = 0; r < kWizardStationRows; ++r) {
        auto* row = new wxToggleButton(frame, wxID_ANY, wxString(StationChooser::RowCaption(0, r)),
                                       wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
        row->Bind(wxEVT_TOGGLEBUTTON, [this, row, r](wxCommandEvent&) {
            ShowRefusal(wizard_.SetRow(r, row->GetValue()), row);
            ShowStations();
        });
        RowButtons[r] = row;
        grid->Add(row, 0, wxEXPAND);
        if (r == 0)
            grid->AddSpacer(0); // no station 0
        for (int st = PowerMeterWizard::FirstOfRow(r); st <= PowerMeterWizard::LastOfRow(r); ++st) {
            auto* box = new CQVChkBox(frame, wxID_ANY);
            box->Number = st;
            box->HostDlg = this;
            // Room for the star a unit type adds.
            box->SetNumberLabel(1);
            box->SetMinSize(box->GetBestSize());
            box->Bind(wxEVT_CHECKBOX, [this, box, st](wxCommandEvent&) {
                ShowRefusal(wizard_.SetStation(st, box->GetValue()), box);
                ShowStations();
            });
            box->OnUnitType = [this](CQVChkBox& b) { RunUnitType(b.Number); };
            Boxes[st] = box;
            grid->Add(box, 0, wxALIGN_CENTER_VERTICAL);
        }
    }
    stations->Add(grid, 0, wxALL, 6);

    IntervalBox = new wxChoice(this, 1194);
    for (unsigned id : kStrIntervalItems)
        IntervalBox->Append(Res(id));
    IntervalBox->SetSelection(0);
    FreeCount = new wxStaticText(this, 6022, wxString::Format("%d", kRecordLimit));
    FreeCount->SetToolTip(Res(kStrFreeRecordsTip));
    auto* settings = new wxFlexGridSizer(5, wxSize(8, 6));
    settings->Add(new wxStaticText(this, wxID_ANY, Res(kStrInterval)), 0, wxALIGN_CENTER_VERTICAL);
    settings->Add(IntervalBox, 0, wxRIGHT, 16);
    settings->Add(new wxStaticText(this, wxID_ANY, Res(kStrFreeRecords)), 0,
                  wxALIGN_CENTER_VERTICAL);
    settings->Add(FreeCount, 0, wxALIGN_CENTER_VERTICAL);
    settings->Add(new wxStaticText(this, 1196, wxString::Format("/ %d", kRecordLimit)), 0,
                  wxALIGN_CENTER_VERTICAL);
    WriteRequestBox = new wxCheckBox(this, 1179, Res(kStrWriteRequest));

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(intro, 0, wxALL, 10);
    column->Add(stations, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(settings, 0, wxALL, 10);
    column->Add(WriteRequestBox, 0, wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    ShowStations();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    Boxes[1]->SetFocus();
}

int CZuzPelmDlg::RunUnitType(int station) {
    CUnitTypeDlg dlg(this, wizard_, station);
    const int result = dlg.ShowModal();
    ShowStations();
    return result;
}

void CZuzPelmDlg::ShowStations() {
    for (int st = 1; st <= kWizardStations; ++st) {
        const UnitTypeRecord& r = wizard_.Station(st);
        Boxes[st]->SetValue(r.selected != 0);
        Boxes[st]->SetNumberLabel(r.unitType != kUnitChannels ? 1 : 0);
    }
    for (int r = 0; r < kWizardStationRows; ++r)
        RowButtons[r]->SetValue(wizard_.Form().rowOn[r]);
    FreeCount->SetLabel(wxString::Format("%d", wizard_.FreeRecords()));
    Layout();
}

void CZuzPelmDlg::ShowRefusal(const Refusal& refusal, wxWindow* focus) {
    if (refusal.Refused())
        ShowMessageFocus(RefusalText(refusal), focus);
}

void CZuzPelmDlg::OnOk() {
    wizard_.SetInterval(std::max(0, IntervalBox->GetSelection()));
    wizard_.SetWriteRequest(WriteRequestBox->GetValue());
    WizardQuestions questions;
    Refusal refusal;
    if (FinishPowerMeterWizard(wizard_, doc_, flag_, questions, refusal)) {
        EndModal(wxID_OK);
        return;
    }
    ShowRefusal(refusal, Boxes[1]);
}

bool RunPowerMeterWizard(wxWindow* parent, CQuorvelDoc& doc, int flag) {
    CZuzPelmDlg dlg(parent, doc, flag);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
