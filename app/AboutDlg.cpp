#include "app/AboutDlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/Messages.h"
#include "ui/StdButtons.h"
#include "ui/TitleWidth.h"

namespace qv {

namespace {
constexpr unsigned kStrAboutCaption = 29110;
constexpr unsigned kStrAboutProduct = 29111;
constexpr unsigned kStrAboutRegisteredTo = 29112;
} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, const wxString& owner, const wxString& organization)
    : wxDialog(parent, wxID_ANY, Res(kStrAboutCaption)) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    // Markup, not a font of its own: the toolkit applies a control's font only
    // once the window is shown, after the layout measured the plain text.
    auto* product = new wxStaticText(this, wxID_ANY, wxString());
    wxString name = Res(kStrAboutProduct);
    name.Replace("&", "&amp;");
    name.Replace("<", "&lt;");
    name.Replace(">", "&gt;");
    product->SetLabelMarkup("<big><b>" + name + "</b></big>");
    column->Add(product, 0, wxALL, 12);
    // Without a registration there is no one to name, and no heading either.
    wxString registered;
    for (const wxString& line : {owner, organization}) {
        if (line.empty())
            continue;
        registered += (registered.empty() ? "" : "\n") + line;
    }
    if (!registered.empty()) {
        column->Add(new wxStaticText(this, wxID_ANY, Res(kStrAboutRegisteredTo)), 0,
                    wxLEFT | wxRIGHT, 12);
        column->Add(new wxStaticText(this, kIdAboutOwnerText, registered), 0, wxALL, 12);
    }
    column->Add(CreateStdButtons(this, wxOK), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(column);
    MakeRoomForTitle(this);
    CentreOnParent();
}

} // namespace qv
