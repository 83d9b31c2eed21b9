#include "app/AboutDlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrAboutCaption = 29110;
constexpr unsigned kStrAboutProduct = 29111;
constexpr unsigned kStrAboutRegisteredTo = 29112;
} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, const wxString& owner, const wxString& organization)
    : wxDialog(parent, wxID_ANY, Res(kStrAboutCaption)) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* product = new wxStaticText(this, wxID_ANY, Res(kStrAboutProduct));
    product->SetFont(product->GetFont().Bold().Scaled(1.2f));
    column->Add(product, 0, wxALL, 12);
    column->Add(new wxStaticText(this, wxID_ANY, Res(kStrAboutRegisteredTo)), 0,
                wxLEFT | wxRIGHT, 12);
    column->Add(new wxStaticText(this, kIdAboutOwnerText, owner + "\n" + organization), 0,
                wxALL, 12);
    column->Add(CreateSeparatedButtonSizer(wxOK), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(column);
    CentreOnParent();
}

} // namespace qv
