// The settings view: one tab control that shows the page of the chosen
// settings category, and the file commands New, Open, Save and Save As.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <wx/panel.h>

#include "view/report/ReportLayout.h"

class wxNotebook;
class wxPrintData;

namespace qv {

class CQuorvelDoc;
class CMainFrame;

// Page modes: the settings tree's item data.
enum PageMode {
    kPageNone = 0,
    kPageUnitName = 10,
    kPageLogFiles = 20,
    kPageSystemHistory = 21,
    kPageTriggerHistory = 22,
    kPageDeviceOverview = 30,
    kPageDeviceList = 31,
    kPageDataSets = 50,
    kPageDataSets2 = 51,
    kPageMailSend = 52,
};

// The document's file name as the title and the questions show it: the
// untitled name until it has a file.
wxString DocumentFileName(const CQuorvelDoc& doc);

class CQuorvelView : public wxPanel {
public:
    CQuorvelView(wxWindow* parent, CQuorvelDoc& doc, CMainFrame& frame);

    // A settings-tree item's data: a page mode, or 32..47 for the device
    // list of file 1..16.
    void SelectTreeItem(int itemData);
    // Tree selection: show the page of a mode (10..52), or the device list of
    // the file named by the item data 32..47.
    void SelectPage(int mode);
    void SelectDevicePage(int itemData);
    // Reloads the shown page from the document, for this item.
    void RefreshPage(uint32_t item);
    void ShowPage(int mode);

    int PageMode() const { return pageMode_; }
    wxWindow* ShownPage() const;
    wxString TabText() const;
    wxString Caption() const { return caption_; }
    int GetCurrentTab() const;

    // File commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    // Opens a settings file from the recent-file list.
    void OpenRecentFile(const std::string& path);
    // The save question of New, Open and Close: false when the command must stop.
    bool AskSaveChanges();
    // Stores what the unit-name page holds into the document (before a save,
    // a print or the change test).
    void StoreUnitNamePage();

    // The printed report: print (with the print dialog or straight to the
    // printer), preview with the tree pane hidden, and the margins.
    void OnFilePrint(bool withDialog);
    void OnFilePrintPreview();
    void OnFilePageSetup();
    // The report as it would print now.
    std::shared_ptr<const report::Report> MakeReport();
    // Kept for the life of the view, not saved.
    report::Margins printMargins;

    bool lastSaveOk = false;
    int copiedRowCount = 0;

private:
    enum PageSlot { kUnitName, kFiles, kHistory1, kHistory2, kDeviceInfo, kDeviceList, kDataSets, kMailSend, kSlotCount };
    wxWindow* Page(size_t slot);
    bool SaveTo(const std::string& path);
    void LoadFile(const std::string& path);

    CQuorvelDoc& doc_;
    CMainFrame& frame_;
    wxNotebook* tabs_;
    std::array<wxWindow*, kSlotCount> pages_{};
    int pageMode_ = kPageNone;
    bool pagesReady_ = false;
    wxString caption_;
    std::shared_ptr<wxPrintData> printData_;
};

} // namespace qv
