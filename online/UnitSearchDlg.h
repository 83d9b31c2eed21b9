// The unit search: finds the units on the LAN as it opens, lists them, and
// stores the chosen unit's address (and on OK its TCP port) in the profile.
#pragma once
#include <optional>
#include <vector>

#include "link/UnitSearch.h"
#include "online/UnitSearchModel.h"
#include "ui/DlgBase.h"

class wxListCtrl;

namespace qv {

class CIPSearchDlg : public CDlgBase {
public:
    explicit CIPSearchDlg(wxWindow* parent);
    ~CIPSearchDlg() override; // keeps the column widths

    // Runs the search with the wait dialog and lists what answered; the
    // text to tell when the search could not run.
    std::optional<std::wstring> SearchAndFill();
    void Fill(const std::vector<UnitData>& units, int count);

    // How long the search listens for replies; tests shorten it.
    static int SearchWindowMs;

    std::vector<UnitData> Units;
    wxListCtrl* UnitList;

private:
    long Selected() const;
    void OnOk();
    void OnActivated();
};

// Runs the search and then the dialog; true when a unit was stored. A search
// that could not run is told and the dialog does not open.
bool RunUnitSearchDialog(wxWindow* parent);

} // namespace qv
