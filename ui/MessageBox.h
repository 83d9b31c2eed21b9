// The program's message box: a dialog of its own rather than the toolkit's,
// so that its buttons stand in the order, carry the labels and take the
// default and Escape that the program's dialogs do.
#pragma once
#include <wx/msgdlg.h>

namespace qv {

class CMessageBox : public wxMessageDialogBase {
public:
    // style: wx message box flags (wxOK, wxYES_NO, wxCANCEL, wxNO_DEFAULT,
    // wxCANCEL_DEFAULT, an icon). Built on Build() or when shown, after the
    // labels were set.
    CMessageBox(wxWindow* parent, const wxString& text, const wxString& caption, long style);

    // Creates the window with its icon, text and buttons; the default
    // button takes the focus. Once only.
    void Build();
    int ShowModal() override;

private:
    bool built_ = false;
    wxDECLARE_CLASS(CMessageBox);
};

// The text broken into lines of at most `width` pixels in the window's font:
// after spaces, and between the characters of Chinese or Japanese text
// (never before closing punctuation nor after opening punctuation). A word
// wider than a line stays whole; the text's own line breaks stay.
wxString WrapMessageText(const wxWindow& window, const wxString& text, int width);

} // namespace qv
