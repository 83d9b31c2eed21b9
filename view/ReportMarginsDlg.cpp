#include "view/ReportMarginsDlg.h"

#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 46510, kStrMargins = 46511, kStrLeft = 46512, kStrTop = 46513,
                   kStrRight = 46514, kStrBottom = 46515, kStrPaper = 46516;
constexpr int kMaxMm = 297;

// Hundredths of a millimetre kept as they are when the shown millimetres
// did not change.
int ToHundredths(int shownMm, int stored) {
    return (stored + 50) / 100 == shownMm ? stored : shownMm * 100;
}

} // namespace

CReportMarginsDlg::CReportMarginsDlg(wxWindow* parent, const report::Margins& margins)
    : CDlgBase(0, nullptr, parent, Res(kStrTitle)), margins_(margins) {
    auto* box = NewFrameSizer(wxVERTICAL, this, Res(kStrMargins));
    auto* grid = new wxFlexGridSizer(4, FromDIP(8), FromDIP(8));
    // Tab order: left, top, right, bottom.
    const unsigned labels[] = {kStrLeft, kStrTop, kStrRight, kStrBottom};
    for (size_t i = 0; i < 4; ++i) {
        grid->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, Res(labels[i])), 0,
                  wxALIGN_CENTER_VERTICAL);
        fields_[i] = new wxSpinCtrl(box->GetStaticBox(), wxID_ANY, wxEmptyString, wxDefaultPosition,
                                    wxDefaultSize, wxSP_ARROW_KEYS, 0, kMaxMm);
        grid->Add(fields_[i], 0, wxALIGN_CENTER_VERTICAL);
    }
    box->Add(grid, 0, wxALL, FromDIP(8));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(box, 0, wxEXPAND | wxALL, FromDIP(10));
    top->Add(new wxStaticText(this, wxID_ANY, Res(kStrPaper)), 0, wxLEFT | wxRIGHT, FromDIP(10));
    top->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, FromDIP(10));
    SetSizer(top);
    GetSizer()->SetSizeHints(this);
    fields_[0]->SetFocus();
}

wxSpinCtrl* CReportMarginsDlg::Field(int marginField) const {
    return marginField >= report::kMarginLeft && marginField <= report::kMarginBottom
               ? fields_[static_cast<size_t>(marginField - report::kMarginLeft)]
               : nullptr;
}

bool CReportMarginsDlg::TransferDataToWindow() {
    const int values[] = {margins_.left, margins_.top, margins_.right, margins_.bottom};
    for (size_t i = 0; i < 4; ++i)
        fields_[i]->SetValue((values[i] + 50) / 100);
    return true;
}

bool CReportMarginsDlg::TransferDataFromWindow() {
    report::Margins m;
    m.left = ToHundredths(fields_[0]->GetValue(), margins_.left);
    m.top = ToHundredths(fields_[1]->GetValue(), margins_.top);
    m.right = ToHundredths(fields_[2]->GetValue(), margins_.right);
    m.bottom = ToHundredths(fields_[3]->GetValue(), margins_.bottom);
    const Refusal refusal = report::CheckMargins(m);
    if (refusal.Refused()) {
        ShowMessageFocus(RefusalText(refusal), Field(refusal.field));
        return false;
    }
    margins_ = m;
    return true;
}

} // namespace qv
