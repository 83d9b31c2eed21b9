// The main window's commands and their enabled and checked states.
#include <algorithm>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/statusbr.h>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/RibbonBar.h"
#include "app/UnitToolCommands.h"
#include "editors/PortSettingsDlg.h"
#include "editors/config/ConfigSetDlg.h"
#include "editors/devices/DeviceListPage.h"
#include "editors/lan/LanSetDlg.h"
#include "editors/pmwizard/PowerMeterWizardDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "editors/wizard/WizardDlg.h"
#include "online/ConnectionDlg.h"
#include "online/FtpClientDlg.h"
#include "online/MonitorWnd.h"
#include "online/StatusWnd.h"
#include "online/PasswordDlg.h"
#include "ui/PageBase.h"
#include "ui/RibbonContrast.h"
#include "view/QuorvelView.h"

namespace qv {

namespace {

bool IsRecentFile(int id) {
    return id >= cmd::kRecentFile1 && id < cmd::kRecentFile1 + cmd::kRecentFileCount;
}

// The file and application commands of the menus and the tools.
const int kFileCommands[] = {cmd::kFileNew,          cmd::kFileOpen,       cmd::kFileSave,
                             cmd::kFileSaveAs,       cmd::kFilePrint,      cmd::kFilePrintDirect,
                             cmd::kFilePrintPreview, cmd::kFilePrintSetup, cmd::kFileClose,
                             cmd::kAppExit,          cmd::kAppAbout};

} // namespace

std::vector<int> CMainFrame::AllCommands() const {
    std::vector<int> ids(std::begin(kFileCommands), std::end(kFileCommands));
    for (const auto& entry : ribbonButtons_)
        ids.push_back(entry.first);
    for (int id = cmd::kLookFirst; id <= cmd::kLookLast; ++id)
        ids.push_back(id);
    return ids;
}

CommandState CMainFrame::StateOf(int id) const {
    CommandState s;
    s.enabled = true;
    if (id >= cmd::kLookFirst && id <= cmd::kLookLast)
        s.checked = id == appLook;
    else if (id == cmd::kViewCaptionBar)
        s.checked = CaptionBarShown();
    else if (id == cmd::kViewTreePane)
        s.checked = TreePaneShown();
    else if (id == cmd::kViewStatusBar)
        s.checked = GetStatusBar() && GetStatusBar()->IsShown();
    else if (id == cmd::kEditSelectAll)
        s.enabled = view_->GetCurrentTab() == 0;
    else if (id == cmd::kEditCopy || id == cmd::kEditCut)
        s.enabled = ShownDeviceList() != nullptr;
    else if (id == cmd::kEditPaste)
        s.enabled = ShownDeviceList() != nullptr && view_->copiedRowCount > 0;
    else if (IsRecentFile(id))
        s.enabled =
            static_cast<size_t>(id - cmd::kRecentFile1) < wxGetApp().Recent().Paths().size();
    return s;
}

void CMainFrame::RunCommand(int id) {
    if (!StateOf(id).enabled)
        return;
    if (IsRecentFile(id)) {
        wxGetApp().OpenRecentFile(static_cast<size_t>(id - cmd::kRecentFile1));
        return;
    }
    if (id >= cmd::kLookFirst && id <= cmd::kLookLast) {
        ApplyLook(id);
        wxGetApp().Profile().Flush();
        return;
    }
    switch (id) {
    case cmd::kFileNew:
        view_->OnFileNew();
        break;
    case cmd::kFileOpen:
        view_->OnFileOpen();
        break;
    case cmd::kFileSave:
        view_->OnFileSave();
        break;
    case cmd::kFileSaveAs:
        view_->OnFileSaveAs();
        break;
    // Close and Exit both run the shut-down sequence with its save question.
    case cmd::kFileClose:
    case cmd::kAppExit:
        Close();
        break;
    case cmd::kAppAbout: {
        CAboutDlg about(this, wxGetApp().ownerText, wxGetApp().organizationText);
        about.ShowModal();
        break;
    }
    case cmd::kViewCaptionBar:
        ToggleCaptionBar();
        break;
    case cmd::kViewTreePane:
        ToggleTreePane();
        break;
    case cmd::kViewStatusBar:
        GetStatusBar()->Show(!GetStatusBar()->IsShown());
        SendSizeEvent();
        break;
    case cmd::kReadFromUnit:
        // The read replaces the settings without renewing the saved snapshot,
        // so the document counts as changed.
        if (RunConnectionDialog(this, ConnectionAction::Read, *wxGetApp().Document()))
            view_->RefreshPage(wxGetApp().Document()->currentItem);
        break;
    case cmd::kWriteToUnit:
        view_->StoreUnitNamePage();
        RunConnectionDialog(this, ConnectionAction::Write, *wxGetApp().Document());
        break;
    case cmd::kRunProgramMode:
        RunProgramModeCommand(this, *wxGetApp().Document());
        break;
    case cmd::kClearUnit:
        ClearUnitCommand(this, *wxGetApp().Document());
        break;
    case cmd::kFirmwareUpdate:
        FirmwareUpdateCommand(this, *wxGetApp().Document());
        break;
    case cmd::kUnitPassword: {
        CPasswordDlg password(this, *wxGetApp().Document());
        password.ShowModal();
        break;
    }
    case cmd::kPortSettings:
        // The unit block holds the unit's name too: a name typed on its page is
        // stored first so the dialog's copy does not drop it. A changed
        // protocol removes devices, data sets and triggers the page may show.
        view_->StoreUnitNamePage();
        if (RunPortSettingsDialog(this, *wxGetApp().Document()))
            view_->RefreshPage(wxGetApp().Document()->currentItem);
        break;
    case cmd::kConfigSettings:
        RunConfigSettingsDialog(this, *wxGetApp().Document());
        view_->RefreshPage(wxGetApp().Document()->currentItem);
        break;
    case cmd::kLanSettings:
        if (RunLanSettingsDialog(this, *wxGetApp().Document(), kLanPageIp))
            view_->RefreshPage(wxGetApp().Document()->currentItem);
        break;
    case cmd::kSettingsWizard: {
        // The wizard resets the settings: a cancelled run gets them back.
        CQuorvelDoc& doc = *wxGetApp().Document();
        doc.TakeSnapshot(kSnapshotUndo);
        if (RunSettingsWizard(this, doc, kWizardOnOpenDocument)) {
            if (doc.writeRequested)
                RunConnectionDialog(nullptr, ConnectionAction::Write, doc);
            view_->RefreshPage(doc.currentItem);
        } else {
            doc.RestoreSnapshot();
        }
        break;
    }
    case cmd::kPowerMeterWizard: {
        // The wizard changes the document only on its OK.
        CQuorvelDoc& doc = *wxGetApp().Document();
        if (RunPowerMeterWizard(this, doc, 1)) {
            if (doc.writeRequested)
                RunConnectionDialog(nullptr, ConnectionAction::Write, doc);
            view_->RefreshPage(doc.currentItem);
        }
        break;
    }
    case cmd::kFtpClient:
        RunFileBrowserCommand(this);
        break;
    case cmd::kFilePrint:
    case cmd::kFilePrintDirect:
        view_->OnFilePrint(id == cmd::kFilePrint);
        break;
    case cmd::kFilePrintPreview:
        view_->OnFilePrintPreview();
        break;
    case cmd::kFilePrintSetup:
        view_->OnFilePageSetup();
        break;
    case cmd::kUnitStatus:
        RunStatusWindow(this, *wxGetApp().Document());
        break;
    case cmd::kMonitor:
        RunMonitorWindow(this, *wxGetApp().Document());
        break;
    case cmd::kTriggerSelect:
        RunTriggerList(this, *wxGetApp().Document());
        view_->RefreshPage(wxGetApp().Document()->currentItem);
        break;
    case cmd::kEditCopy:
    case cmd::kEditCut:
    case cmd::kEditPaste:
    case cmd::kEditSelectAll:
        RunEditCommand(id);
        break;
    default:
        break;
    }
    UpdateRibbonStates();
}

// The edit commands act on the device list while it is the shown tab.
CDeviceSetPage* CMainFrame::ShownDeviceList() const {
    if (view_->PageMode() != kPageDeviceList || view_->GetCurrentTab() != 0)
        return nullptr;
    return dynamic_cast<CDeviceSetPage*>(view_->ShownPage());
}

void CMainFrame::RunEditCommand(int id) {
    CDeviceSetPage* page = ShownDeviceList();
    if (!page) {
        // The other list pages only check every row.
        if (auto* list = dynamic_cast<CPageBase*>(view_->ShownPage());
            list && id == cmd::kEditSelectAll && view_->GetCurrentTab() == 0)
            list->OnSelectAll();
        return;
    }
    switch (id) {
    case cmd::kEditCopy:
        page->CopyRows(false);
        break;
    case cmd::kEditCut:
        page->CutRows();
        break;
    case cmd::kEditPaste:
        page->PasteRows();
        break;
    case cmd::kEditSelectAll:
        page->SelectAllRows();
        break;
    default:
        break;
    }
}

bool CMainFrame::IsCommand(int id) const {
    return IsRecentFile(id) || ribbonButtons_.count(id) ||
           (id >= cmd::kLookFirst && id <= cmd::kLookLast) ||
           std::find(std::begin(kFileCommands), std::end(kFileCommands), id) !=
               std::end(kFileCommands);
}

void CMainFrame::OnCommand(wxCommandEvent& event) {
    const int id = cmd::CommandOfMenuId(event.GetId());
    if (IsCommand(id))
        RunCommand(id);
    else
        event.Skip();
}

// Only the commands are ours to enable: a sub-menu's own item (the recent
// files) and the menus' headings keep the state they were given.
void CMainFrame::OnUpdateUi(wxUpdateUIEvent& event) {
    const int id = cmd::CommandOfMenuId(event.GetId());
    if (!IsCommand(id)) {
        event.Skip();
        return;
    }
    const CommandState s = StateOf(id);
    event.Enable(s.enabled);
    if (event.GetSetChecked() || (id >= cmd::kLookFirst && id <= cmd::kLookLast))
        event.Check(s.checked);
}

void CMainFrame::UpdateRibbonStates() {
    for (const auto& [id, bar] : ribbonButtons_) {
        const CommandState s = StateOf(id);
        if (!s.enabled)
            FadeRibbonIcons(id);
        bar->EnableButton(id, s.enabled);
        bar->ToggleButton(id, s.checked);
    }
}

// Visual styles: the ribbon's art and colours.
void CMainFrame::ApplyLook(int id) {
    appLook = id;
    const wxColour back = SetRibbonArt(id);
    UpdateRibbonIcons(back);
    ribbon_->Realize();
    Refresh();
    wxGetApp().Profile().WriteNumber("Workspace", "ApplicationLook", static_cast<uint32_t>(id));
}

wxColour CMainFrame::SetRibbonArt(int id) {
    wxRibbonArtProvider* art = nullptr;
    if (id == 211 || id == 213 || id == 214)
        art = new wxRibbonAUIArtProvider;
    else
        art = new wxRibbonMSWArtProvider;
    struct Scheme {
        wxColour primary, secondary, tertiary;
    };
    Scheme scheme{wxColour(194, 216, 241), wxColour(255, 223, 114), wxColour(0, 0, 0)};
    switch (id) {
    case 210:
        scheme = {wxColour(212, 208, 200), wxColour(49, 106, 197), wxColour(0, 0, 0)};
        break;
    case 212:
        scheme = {wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE),
                  wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), *wxBLACK};
        break;
    case 216:
        scheme = {wxColour(83, 83, 83), wxColour(255, 198, 88), wxColour(255, 255, 255)};
        break;
    case 217:
        scheme = {wxColour(208, 212, 221), wxColour(255, 223, 114), wxColour(0, 0, 0)};
        break;
    case 218:
        scheme = {wxColour(170, 220, 226), wxColour(255, 180, 100), wxColour(0, 0, 0)};
        break;
    default:
        break;
    }
    art->SetColourScheme(scheme.primary, scheme.secondary, scheme.tertiary);
    // A little above the 4.5:1 asked of text, for the blends between a
    // gradient's ends.
    KeepButtonLabelsReadable(*art, 4.7);
    // The art draws a disabled label like an enabled one: fade it three
    // quarters into the buttons' background, a little lighter than the page.
    const wxColour label = art->GetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_COLOUR);
    const wxColour back = art->GetColour(wxRIBBON_ART_PAGE_BACKGROUND_COLOUR).ChangeLightness(115);
    art->SetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_DISABLED_COLOUR,
                   wxColour((label.Red() + back.Red() * 3) / 4,
                            (label.Green() + back.Green() * 3) / 4,
                            (label.Blue() + back.Blue() * 3) / 4));
    ribbon_->SetArtProvider(art);
    return back;
}

} // namespace qv
