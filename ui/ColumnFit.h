// First widths of report-list columns that show their heading and the texts
// they usually hold whole: a list opened with the widths the layout names
// cut "Port, station and address" and most trigger conditions short.
#pragma once
#include <string>
#include <vector>
#include <wx/string.h>

class wxListCtrl;

namespace qv {

// At least `width`, and wide enough for the heading in the header and for
// each text in a cell, as the list draws them.
int FitColumnWidth(const wxListCtrl& list, int width, const wxString& heading,
                   const std::vector<std::wstring>& texts);

} // namespace qv
