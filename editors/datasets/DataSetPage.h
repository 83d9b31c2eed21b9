// The settings view's list of the 128 data sets: check marks as the
// selection, delete, and the data-set editor on a double click or Enter.
#pragma once
#include <vector>

#include "editors/datasets/DataSetListModel.h"
#include "ui/PageBase.h"
#include "view/ViewPage.h"

namespace qv {

constexpr int kDataSetListSlot = 2; // its column widths in the profile

class CDataSetPage : public CPageBase, public ViewPage {
public:
    CDataSetPage(wxWindow* parent, CQuorvelDoc& doc);

    void Reload(uint32_t item) override;
    // Re-reads the document's tables and re-formats every row.
    void RefreshList();
    void DeleteRows();
    // Opens the editor on a row; true when it stored.
    bool EditRow(long row);

private:
    void FillRow(long row);
    void SaveColumnWidths();

    CQuorvelDoc& doc_;
    std::vector<DataSetRowText> shown_;
};

} // namespace qv
