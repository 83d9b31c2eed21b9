// A page of the unit's LAN settings dialog: a child panel that shows its
// part of the dialog's copies and writes it back when the user leaves it or
// presses OK. Also the helpers the three pages' windows share.
#pragma once
#include <cstdint>
#include <vector>
#include <wx/panel.h>

#include "editors/lan/LanFieldsModel.h"

class wxChoice;
class wxSizer;
class wxStaticText;

namespace qv {

class IpAddressCtrl;

class CLanPage : public wxPanel {
public:
    CLanPage(wxWindow* parent, LanCopies& copies, uint32_t codePage);

    // Fills the controls from the dialog's copies.
    virtual void LoadFromParent() = 0;
    // Checks the controls and writes them into the copies: 0 when stored,
    // -1 when refused (the page has shown why and focused the failing control).
    virtual int SaveToParent() = 0;

protected:
    // The refusal's message, then the focus on the control whose id is its field.
    void ShowRefusal(const Refusal& refusal);
    // Keeps room for every control, whichever of them a choice hides later.
    void FreezeMinSize();

    LanCopies& Copies;
    uint32_t CodePage;
};

// The interface is Japanese or Chinese: length messages count double-byte characters.
bool LanDoubleByteUi();

// A drop-down list of the numbers' decimal texts.
wxChoice* CreateValueChoice(wxWindow* parent, int id, const std::vector<int>& values);
// Selects the entry of `value`; no selection for a number the list does not hold.
void SelectValue(wxChoice* list, const std::vector<int>& values, int value);
// The chosen number, -1 when nothing is chosen.
int ChosenValue(const wxChoice* list, const std::vector<int>& values);

// An empty entry is no address (0.0.0.0); a partly filled one is not valid.
IpEntry ReadIpCtrl(const IpAddressCtrl* ctrl);
void ShowIpEntry(IpAddressCtrl* ctrl, const IpEntry& entry);

// A label that belongs to the control after it: "Label:" on the left, the control growing.
wxStaticText* AddRow(wxSizer* grid, wxWindow* parent, unsigned labelId, wxWindow* control);
// The same for a row of several controls.
void AddLabelledRow(wxSizer* grid, wxWindow* parent, unsigned labelId, wxSizer* row);
// A list and the unit text after it.
wxSizer* ListWithUnit(wxWindow* parent, wxWindow* list, unsigned unitId);

} // namespace qv
