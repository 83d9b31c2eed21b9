// The standard dialog buttons (OK, Cancel, Yes, No) with their texts from the
// language module: the toolkit's own labels follow the system's locale, not
// the interface language the user chose. Dialogs and message boxes build
// their rows here, so both show the buttons in the same order.
#pragma once
#include <functional>
#include <wx/string.h>

class wxDialog;
class wxMessageDialogBase;
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

// A row of the buttons named by flags (wxOK, wxCANCEL, wxYES, wxNO) in the
// order GTK programs show them: No, Cancel, and the affirmative button (OK
// or Yes) rightmost; Tab goes through them in that order. Each has its
// standard id so that Enter and Escape work as usual. The default is OK or
// Yes, or No with wxNO_DEFAULT, or Cancel with wxCANCEL_DEFAULT. Escape
// (and the close box) is Cancel, or No in a row without Cancel. separated
// puts a line above the row.
wxSizer* CreateStdButtons(wxDialog* dialog, long flags, bool separated = true);
// The same with the label labelOf gives for each button id.
wxSizer* CreateStdButtons(wxDialog* dialog, long flags, bool separated,
                          const std::function<wxString(int id)>& labelOf);

// Gives a message box built with these wx button flags the module's labels.
void LabelMessageButtons(wxMessageDialogBase& box, long flags);

} // namespace qv
