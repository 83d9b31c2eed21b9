// Message boxes with the product name as caption, texts by number, and the
// message pump the splash and the wait dialog use.
#pragma once
#include <memory>
#include <wx/string.h>

#include "ui/MessageBox.h"

class wxWindow;
class wxKeyEvent;

namespace qv {

constexpr const char* kProductName = "Quorvelis";

// A text of the active language module.
wxString Res(unsigned id);

// Type: buttons, icon and default button as in app/MessageType.h; returns
// the answer (kIdOk, kIdYes, ...). Escape and the close box answer Cancel,
// or No in a Yes/No box, OK in an OK box.
int ShowMessage(unsigned type, const wxString& text);
int ShowMessageId(unsigned id, unsigned type = 0);
// The box ShowMessage shows, built but not shown yet.
std::unique_ptr<CMessageBox> BuildMessageBox(unsigned type, const wxString& text);
// OK box, then the focus goes to the control that failed its check.
void ShowMessageFocus(const wxString& text, wxWindow* control);

// Handles every pending event; 1 when Enter was pressed meanwhile, 2 for
// Escape (the last one wins), 0 otherwise.
int PumpMessages();
// Called by the application's event filter for every key press.
void NoteKeyForPump(const wxKeyEvent& event);

} // namespace qv
