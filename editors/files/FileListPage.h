// The log-file list page (mode 20) and the history-file pages (modes 21 and
// 22): rows of the file table, the reset of checked log files, and the file
// record editor on a double click.
#pragma once
#include <memory>

#include "ui/PageBase.h"
#include "view/ViewPage.h"

namespace qv {

constexpr int kFileListSlot = 0;        // column widths in the profile
constexpr int kSystemHistorySlot = 11;  // mode 21
constexpr int kTriggerHistorySlot = 12; // mode 22
constexpr unsigned kStrResetFiles = 39601;

class CFileSetPage : public CPageBase, public ViewPage {
public:
    CFileSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
    void Reload(uint32_t item) override;
    void RefreshList();
    void ResetChecked();
    void EditRow(long row);
    void SaveColumnWidths();

private:
    CQuorvelView& view_;
};

class CHistoryFileSetPage : public CPageBase, public ViewPage {
public:
    CHistoryFileSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view, int mode,
                        int recordIndex);
    void Reload(uint32_t item) override;
    void RefreshList();
    void EditRecord();
    void SaveColumnWidths();

    int PageMode;
    int RecordIndex;

private:
    CQuorvelView& view_;
};

} // namespace qv
