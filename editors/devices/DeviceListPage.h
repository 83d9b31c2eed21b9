// The settings view's list of the devices of one log file: one row per device
// number, check marks as the selection, copy, cut, paste and delete, and the
// device editor on a double click or Enter.
#pragma once
#include <memory>
#include <vector>
#include <wx/panel.h>

#include "editors/devices/DeviceEditorOwner.h"
#include "editors/devices/DeviceListModel.h"
#include "view/ViewPage.h"

class wxButton;
class wxStaticText;

namespace qv {

class CQVListCtrl;
class CQuorvelDoc;
class CQuorvelView;

constexpr int kDeviceListSlot = 1; // its column widths in the profile

class CDeviceSetPage : public wxPanel, public ViewPage, public DeviceEditorOwner {
public:
    static constexpr int kIdList = 1108;
    static constexpr int kIdDelete = 3;

    CDeviceSetPage(wxWindow* parent, CQuorvelDoc& doc, CQuorvelView& view);
    ~CDeviceSetPage() override;

    // The view shows the list of file `item` (1..16).
    void Reload(uint32_t item) override;

    // DeviceEditorOwner
    const DeviceTable& DeviceTableCopy() const override { return *table_; }
    void SetDeviceTableCopy(const DeviceTable& table) override;
    void RefreshList() override;
    void MarkCurrentDevice(int previousNumber, int number) override;

    void ShowFileSummary();
    void UncheckAllRows();
    void SelectAllRows();
    void CopyRows(bool cut);
    void CutRows() { CopyRows(true); }
    void PasteRows();
    void DeleteRows();
    // Escape, or another page shown: the cut rows stay where they are.
    void ClearCutMarks();
    // Opens the device editor on a row.
    void EditRow(long row);

    size_t CopiedCount() const { return model_.CopiedCount(); }
    bool CutPending() const { return model_.CutPending(); }
    int FileNumber() const { return fileNo_; }
    int CurrentDevice() const { return currentNumber_; }
    std::vector<int> CheckedNumbers() const;

    CQVListCtrl* List = nullptr;
    wxButton* DeleteButton = nullptr;
    wxStaticText* SummaryFields[4] = {};

private:
    void FillRow(long row, int index);
    void RepaintRows();
    void OnListKey(wxKeyEvent& event);
    void OnContextMenu();
    void SaveColumnWidths();

    CQuorvelDoc& doc_;
    CQuorvelView& view_;
    uint32_t codePage_;
    std::unique_ptr<DeviceTable> table_;
    DeviceListModel model_;
    int fileNo_ = 1;
    int currentNumber_ = 0;
    // What each row shows, so a refresh only touches the cells that changed.
    std::vector<DeviceRowText> shown_;
};

} // namespace qv
