// GTK's file chooser takes the words of its buttons from the desktop's
// language; the program gives them its own, in the interface language.
#pragma once
#include <wx/string.h>

class wxFileDialog;

namespace qv {

constexpr unsigned kStrOpenButton = 29162;
constexpr unsigned kStrSaveButton = 29163;

// Cancel, and Open or Save by the dialog's style; nothing on a toolkit
// without the GTK dialog.
void LabelFileDialogButtons(wxFileDialog& dialog);

// A label with "&" mnemonics written the GTK way ("_" marks, "__" a "_").
wxString GtkMnemonics(const wxString& label);

} // namespace qv
