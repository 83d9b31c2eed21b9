// The error balloon on a field whose text was refused: a title and a text
// under the field for a few seconds. It never takes the focus, so typing goes
// on in the field (the toolkit's rich tooltip focuses itself under GTK).
#pragma once
#include <wx/string.h>

class wxWindow;

namespace qv {

void ShowEditBalloon(wxWindow* field, const wxString& title, const wxString& text);

} // namespace qv
