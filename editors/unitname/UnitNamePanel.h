// The settings view's unit-name page: the unit's name, changed through the
// name dialog, and its option. It has no OK: the name is written when the
// name dialog ends with OK, the option as soon as it is chosen and whenever
// the view stores the page.
#pragma once
#include <cstdint>
#include <wx/panel.h>

#include "view/ViewPage.h"

class wxButton;
class wxChoice;
class wxTextCtrl;

namespace qv {

class CQuorvelDoc;

class CMainSetDlg : public wxPanel, public ViewPage {
public:
    CMainSetDlg(wxWindow* parent, CQuorvelDoc& doc);

    void Reload(uint32_t) override { LoadFromDoc(); }
    void LoadFromDoc();
    // Writes the chosen option into the document's current unit block.
    void SaveToDoc();
    void OnNameSet();

    wxTextCtrl* NameText = nullptr;
    wxButton* NameButton = nullptr;
    wxChoice* OptionList = nullptr;

private:
    CQuorvelDoc& doc_;
};

} // namespace qv
