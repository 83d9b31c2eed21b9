#include "editors/triggers/TimePageEdits.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "editors/triggers/DigitEditModel.h"

namespace qv {

void TakeDigitsOnly(wxTextCtrl* edit) {
    edit->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
        const wxChar c = event.GetUnicodeKey();
        // Editing and moving keys carry no printable character.
        if (c == WXK_NONE || c < WXK_SPACE || c == WXK_DELETE || event.ControlDown() ||
            AcceptsDigitChar(static_cast<wchar_t>(c)))
            event.Skip();
    });
    edit->Bind(wxEVT_TEXT_PASTE, [edit](wxClipboardTextEvent&) {
        wxString text;
        if (wxTheClipboard->Open()) {
            wxTextDataObject data;
            if (wxTheClipboard->GetData(data))
                text = data.GetText();
            wxTheClipboard->Close();
        }
        edit->WriteText(KeepDigitChars(text.ToStdWstring()));
    });
}

} // namespace qv
