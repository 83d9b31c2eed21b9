// The number edits of the cycle and date pages: typed and pasted text keeps
// only the characters the digit model takes.
#pragma once
#include <wx/textctrl.h>

namespace qv {

void TakeDigitsOnly(wxTextCtrl* edit);

} // namespace qv
