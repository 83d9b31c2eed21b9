#include "app/CaptionBar.h"

#include <wx/artprov.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace qv {

CCaptionBar::CCaptionBar(wxWindow* parent) : wxPanel(parent, 221) {
    SetBackgroundColour(wxColour(235, 241, 250));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY,
                                wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_OTHER,
                                                         wxSize(16, 16))),
             0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    text_ = new wxStaticText(this, wxID_ANY, wxEmptyString);
    text_->SetFont(text_->GetFont().Bold());
    row->Add(text_, 1, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    SetSizer(row);
}

void CCaptionBar::SetText(const wxString& text) {
    text_->SetLabel(text);
    // Another script can need a taller line: the bar's own height may change.
    if (GetParent())
        GetParent()->Layout();
    Layout();
}

wxString CCaptionBar::Text() const { return text_->GetLabel(); }

} // namespace qv
