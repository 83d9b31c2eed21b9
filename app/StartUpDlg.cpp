#include "app/StartUpDlg.h"

#include <wx/button.h>
#include <wx/mstream.h>
#include <wx/sizer.h>

#include "app/QuorvelApp.h"
#include "document/StartChoice.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

constexpr unsigned kStrChooserCaption = 29100;

struct ButtonRow {
    int control;
    unsigned bitmap;
    unsigned tip;
    unsigned label;
    int choice;
};
// Shown in this order, top to bottom.
const ButtonRow kButtons[] = {
    {kIdStartNew, 433, 32802, 29101, kStartNewSettings},
    {kIdStartWizard, 429, 32804, 29102, kStartSettingsWizard},
    {kIdStartOpenFile, 432, 32805, 29103, kStartOpenFile},
    {kIdStartReadUnit, 431, 32806, 29104, kStartReadFromUnit},
    {kIdStartPowerMeterWizard, 430, 32803, 29105, kStartPowerMeterWizard},
};

} // namespace

CStartUpDlg::CStartUpDlg(wxWindow* parent, int& startChoice, bool wizardsAvailable,
                         bool unitAvailable)
    : wxDialog(parent, wxID_ANY, Res(kStrChooserCaption)), startChoice_(startChoice) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    for (const ButtonRow& row : kButtons) {
        auto* button = new wxButton(this, row.control, Res(row.label), wxDefaultPosition,
                                    wxDefaultSize, wxBU_LEFT);
        const wxBitmap picture = ResourceBitmap(row.bitmap);
        if (picture.IsOk()) {
            button->SetBitmap(picture, wxLEFT);
            button->SetBitmapMargins(12, 4);
        }
        button->SetToolTip(Res(row.tip));
        const bool wizard = row.choice == kStartSettingsWizard || row.choice == kStartPowerMeterWizard;
        button->Enable(wizard ? wizardsAvailable
                              : row.choice == kStartReadFromUnit ? unitAvailable : true);
        const int choice = row.choice;
        button->Bind(wxEVT_BUTTON, [this, choice](wxCommandEvent&) { Choose(choice); });
        column->Add(button, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    }
    column->Add(CreateStdButtons(this, wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(column);
    SetMinSize(wxSize(FromDIP(380), -1));
    Fit();
    CentreOnScreen();
    // Its final size comes only once it is on screen, and the first time the
    // window manager places it itself: centre it at each size it takes (the
    // user cannot resize it).
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        CentreOnScreen();
        event.Skip();
    });
}

wxButton* CStartUpDlg::ButtonFor(int controlId) const {
    return wxDynamicCast(FindWindow(controlId), wxButton);
}

void CStartUpDlg::Choose(int choice) {
    startChoice_ = choice;
    EndModal(wxID_OK);
}

} // namespace qv
