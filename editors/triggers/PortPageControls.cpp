#include "editors/triggers/PortPageControls.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "document/CodeText.h"

namespace qv {

void FillPortBox(wxChoice* box) {
    box->Clear();
    for (int port = 0; port < kTriggerPortCount; ++port)
        box->Append(wxString(GetPortName(port)));
}

void FillStationBox(wxChoice* box, const PortChoices& choices, int station) {
    box->Clear();
    for (int i = 1; i <= choices.stationCount; ++i)
        box->Append(wxString::Format("%d", i));
    Select(box, station);
    box->Enable(choices.stationEnabled);
}

void FillCodeBox(wxChoice* box, const PortChoices& choices, int code) {
    box->Clear();
    for (const AreaItem& item : choices.codes)
        box->Append(wxString(item.text));
    Select(box, code);
}

wxStaticText* CreateCodeLabel(wxWindow* parent) {
    // Wide enough for two digits in any font.
    auto* label = new wxStaticText(parent, wxID_ANY, "00", wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    label->SetMinSize(label->GetBestSize() + wxSize(6, 0));
    label->SetForegroundColour(wxColour(4, 0, 0));
    label->SetBackgroundColour(*wxWHITE);
    label->SetLabel("");
    label->Hide();
    return label;
}

void ShowCodeLabel(wxStaticText* label, const std::wstring& text) {
    label->SetLabel(wxString(text));
    if (label->IsShown() != !text.empty()) {
        label->Show(!text.empty());
        label->GetParent()->Layout();
    }
}

void FilterEdit(wxTextCtrl* edit, std::function<CharClass()> classOf) {
    edit->Bind(wxEVT_CHAR, [classOf](wxKeyEvent& event) {
        const wxChar c = event.GetUnicodeKey();
        // Control keys (editing, moving, shortcuts) pass untouched.
        if (c == WXK_NONE || c < 32 || c == WXK_DELETE || event.ControlDown() || event.AltDown() ||
            AcceptsChar(classOf(), static_cast<wchar_t>(c)))
            event.Skip();
    });
    edit->Bind(wxEVT_TEXT_PASTE, [edit, classOf](wxClipboardTextEvent&) {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        const std::wstring kept = FilterPasted(classOf(), data.GetText().ToStdWstring());
        if (!kept.empty())
            edit->WriteText(wxString(kept));
    });
}

} // namespace qv
