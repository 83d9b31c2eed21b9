#include "ui/EditBalloon.h"

#include <wx/artprov.h>
#include <wx/popupwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/timer.h>

namespace qv {

namespace {

constexpr int kShownMs = 5000;

class Balloon : public wxPopupWindow {
public:
    Balloon(wxWindow* field, const wxString& title, const wxString& text)
        : wxPopupWindow(field, wxBORDER_SIMPLE), timer_(this) {
        SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
        auto* heading = new wxStaticText(this, wxID_ANY, title);
        heading->SetFont(heading->GetFont().Bold());
        auto* body = new wxStaticText(this, wxID_ANY, text);
        for (wxStaticText* t : {heading, body})
            t->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
        body->Wrap(field->FromDIP(320));
        auto* top = new wxBoxSizer(wxHORIZONTAL);
        top->Add(new wxStaticBitmap(this, wxID_ANY,
                                    wxArtProvider::GetBitmap(wxART_ERROR, wxART_MESSAGE_BOX,
                                                             field->FromDIP(wxSize(24, 24)))),
                 0, wxALL, 6);
        auto* texts = new wxBoxSizer(wxVERTICAL);
        texts->Add(heading, 0, wxBOTTOM, 4);
        texts->Add(body, 0);
        top->Add(texts, 0, wxTOP | wxRIGHT | wxBOTTOM, 6);
        SetSizerAndFit(top);
        Position(field->ClientToScreen(wxPoint(0, 0)), wxSize(0, field->GetSize().y));
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Destroy(); });
        timer_.StartOnce(kShownMs);
    }

private:
    wxTimer timer_;
};

} // namespace

void ShowEditBalloon(wxWindow* field, const wxString& title, const wxString& text) {
    // One balloon per field: a new one replaces the last.
    for (wxWindow* child : field->GetChildren())
        if (auto* old = dynamic_cast<Balloon*>(child))
            old->Destroy();
    auto* balloon = new Balloon(field, title, text);
    balloon->Show();
}

} // namespace qv
