#include "ui/ListFillers.h"

#include <cstdint>
#include <wx/arrstr.h>
#include <wx/ctrlsub.h>
#include <wx/listctrl.h>

#include "app/QuorvelApp.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"

namespace qv {

void FillTriggerCombo(std::vector<uint32_t>& flags, wxItemContainer& box,
                      const TriggerTable& triggers, wxItemContainer* second, bool leadingNone) {
    const std::vector<TriggerChoice> choices =
        TriggerChoices(triggers, wxGetApp().codePage, leadingNone);
    wxArrayString texts;
    std::vector<void*> data;
    flags.clear();
    for (const TriggerChoice& c : choices) {
        texts.Add(wxString(c.text));
        data.push_back(reinterpret_cast<void*>(static_cast<intptr_t>(c.itemData)));
        flags.push_back(c.flag);
    }
    box.Set(texts, data.data());
    if (second)
        second->Set(texts, data.data());
}

int TriggerNumberOf(const wxItemContainer& box, int entry) {
    if (entry < 0 || static_cast<unsigned>(entry) >= box.GetCount())
        return 0;
    return static_cast<int>(reinterpret_cast<intptr_t>(box.GetClientData(entry)));
}

void FillUserList(const UserTable& users, uint16_t mask, wxListCtrl& list, uint32_t codePage,
                  int listNumber) {
    list.ClearAll();
    std::vector<int32_t> saved;
    const ColumnWidthTable& widths = wxGetApp().columnWidths;
    if (listNumber >= 0 && listNumber < kListCount)
        saved.assign(widths[listNumber].begin(), widths[listNumber].end());
    const std::vector<ColumnLayout> cols = RecipientColumns(listNumber, saved);
    for (size_t c = 0; c < cols.size(); ++c)
        list.AppendColumn(wxString(ResString(kStrRecipientColumns[c])),
                          cols[c].centred ? wxLIST_FORMAT_CENTRE : wxLIST_FORMAT_LEFT,
                          cols[c].width);
    list.SetWindowStyleFlag(list.GetWindowStyleFlag() | wxLC_HRULES | wxLC_VRULES);
    list.EnableCheckBoxes(true);

    const std::vector<RecipientRow> rows = RecipientRows(users, mask, codePage);
    for (size_t i = 0; i < rows.size(); ++i) {
        const long item = list.InsertItem(static_cast<long>(i), wxString());
        list.SetItem(item, 1, wxString(rows[i].number));
        list.SetItem(item, 2, wxString(rows[i].name));
        list.SetItem(item, 3, wxString(rows[i].address));
        list.CheckItem(item, rows[i].checked);
    }
}

uint16_t GetCheckedMask(const wxListCtrl& list) {
    std::vector<bool> checked;
    for (long i = 0; i < list.GetItemCount(); ++i)
        checked.push_back(list.IsItemChecked(i));
    return MaskOfChecked(checked);
}

} // namespace qv
