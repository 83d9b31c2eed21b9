// The standard dialog buttons (OK, Cancel, Yes, No) with their texts from the
// language module: the toolkit's own labels follow the system's locale, not
// the interface language the user chose.
#pragma once
#include <wx/string.h>

class wxDialog;
class wxMessageDialog;
class wxSizer;
class wxWindow;

namespace qv {

constexpr unsigned kStrCancel = 29155;
constexpr unsigned kStrOk = 29156;
constexpr unsigned kStrYes = 29157;
constexpr unsigned kStrNo = 29158;
constexpr unsigned kStrAbort = 29159;
constexpr unsigned kStrRetry = 29160;
constexpr unsigned kStrIgnore = 29161;

// The label of wxID_OK, wxID_CANCEL, wxID_YES or wxID_NO; empty for any other id.
wxString StdButtonLabel(int id);

// A row of the buttons named by flags (wxOK, wxCANCEL, wxYES, wxNO), in the
// platform's order, each with its standard id so that Enter and Escape work
// as usual; separated puts a line above it.
wxSizer* CreateStdButtons(wxDialog* dialog, long flags, bool separated = true);

// Gives a message box built with these wx button flags the module's labels.
void LabelMessageButtons(wxMessageDialog& box, long flags);

} // namespace qv
