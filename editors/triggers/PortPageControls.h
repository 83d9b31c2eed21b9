// What the contact and register pages' windows share: the port, station and
// code boxes, the white code label and the edits that let through only the
// characters the model accepts.
#pragma once
#include <functional>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/triggers/PortTriggerModel.h"

namespace qv {

// The three ports by name.
void FillPortBox(wxChoice* box);
// Stations and codes of `choices`; selects the form's entries (none for -1).
void FillStationBox(wxChoice* box, const PortChoices& choices, int station);
void FillCodeBox(wxChoice* box, const PortChoices& choices, int code);

// The code label: black on white whatever the page's colours.
wxStaticText* CreateCodeLabel(wxWindow* parent);
// Shown with its text only while there is one; lays the page out again.
void ShowCodeLabel(wxStaticText* label, const std::wstring& text);

// Typed and pasted characters go through the class the model names then.
void FilterEdit(wxTextCtrl* edit, std::function<CharClass()> classOf);

// The selection of a box, -1 for none.
inline int Selected(const wxChoice* box) {
    return box->GetSelection();
}
inline void Select(wxChoice* box, int index) {
    box->SetSelection(index >= 0 && index < static_cast<int>(box->GetCount()) ? index
                                                                              : wxNOT_FOUND);
}

} // namespace qv
