// The main window: the ribbon with the application menu and quick-access
// tools, the caption bar, the docked settings tree, the settings view and the
// status bar. Its close is the program's shut-down sequence.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <wx/aui/framemanager.h>
#include <wx/colour.h>
#include <wx/filehistory.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include "app/KeyTipBadges.h"
#include "app/KeyTips.h"
#include "app/WindowPlacement.h"

class wxButton;
class wxColour;
class wxKeyEvent;
class wxRibbonBar;
class wxRibbonButtonBar;
class wxWindow;
class wxMenu;
class wxPanel;

namespace qv {

class CQuorvelDoc;
class CQuorvelView;
class CFileView;
class CCaptionBar;
class CDeviceSetPage;
class CRibbonBar;

struct CommandState {
    bool enabled = false;
    bool checked = false;
};

class CMainFrame : public wxFrame {
public:
    explicit CMainFrame(CQuorvelDoc& doc);
    ~CMainFrame() override;

    CQuorvelView& View() const { return *view_; }
    CFileView& TreePane() const { return *treePane_; }
    wxRibbonBar& Ribbon() const;
    void UpdateTitle();
    void SetCaptionText(const wxString& text);
    wxString CaptionText() const;
    bool CaptionBarShown() const;
    bool TreePaneShown() const;

    void ApplyPlacement(const WindowPlacement& placement);
    WindowPlacement CurrentPlacement() const;

    // The Escape filter: the tree pane takes again the visibility it had
    // when the window was made or the last print preview began.
    void RestoreTreePane();
    // Print preview hides the tree pane and gives it back when it ends.
    void BeginPreview();
    void EndPreview();
    // Every key of this window passes here first: the accelerators and the
    // ribbon's key tips; true when the key is used up.
    bool FilterKey(const wxKeyEvent& event);
    void PutKeyTipsAway();
    // The key tips on the screen now.
    std::vector<CKeyTipBadges::Shown> KeyTipBadges() const { return badges_.ShownBadges(); }
    // The element a key tip stands on, in screen coordinates.
    wxRect KeyTipTarget(const KeyTip& tip) const;
    void OpenApplicationMenu();
    void OpenStyleMenu();
    // The quick-access tool of a command, or null.
    wxWindow* QuickAccessTool(int id) const;

    // Runs a command as the ribbon, the menus and the quick-access tools do.
    void RunCommand(int id);
    CommandState StateOf(int id) const;
    // Every command the ribbon, the application menu and the tools offer.
    std::vector<int> AllCommands() const;
    bool IsCommand(int id) const;
    // The application menu as it drops down (rebuilt each time).
    std::unique_ptr<wxMenu> BuildApplicationMenu();
    std::unique_ptr<wxMenu> BuildStyleMenu();
    int appLook;
    bool inPreview = false;
    bool treePaneWasVisible = true;

private:
    void BuildRibbon();
    void BuildToolStrip(wxPanel* strip);
    void ApplyLook(int id);
    // Gives the ribbon the art of a style; returns the colour the disabled
    // icons fade into.
    wxColour SetRibbonArt(int id);
    void UpdateRibbonIcons(const wxColour& ribbon);
    void FadeRibbonIcons(int id);
    void ShowKeyTips();
    void RunFromKeyboard(int id);
    void KeepRestoredSize();
    void MendRestoredSize();
    void UpdateRibbonStates();
    CDeviceSetPage* ShownDeviceList() const;
    void RunEditCommand(int id);
    void OnCommand(wxCommandEvent& event);
    void OnUpdateUi(wxUpdateUIEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    void NoteNormalRect();
    void ToggleCaptionBar();
    void ToggleTreePane();

    CQuorvelDoc& doc_;
    wxAuiManager aui_;
    CRibbonBar* ribbon_ = nullptr;
    wxButton* appButton_ = nullptr;
    wxButton* styleButton_ = nullptr;
    std::map<int, wxWindow*> tools_;
    CCaptionBar* captionBar_ = nullptr;
    CFileView* treePane_ = nullptr;
    CQuorvelView* view_ = nullptr;
    wxPanel* centre_ = nullptr;
    std::map<int, wxRibbonButtonBar*> ribbonButtons_;
    // The colour disabled icons fade into, and the buttons that have their
    // faded icons (made the first time a button is disabled).
    wxColour iconBack_;
    std::set<int> fadedIcons_;
    wxFileHistory history_;
    wxRect normalRect_;
    bool wasMaximized_ = false;
    // Back from maximised, waiting for the window manager's own restoring
    // size, which may come after the state change.
    bool restorePending_ = false;
    wxSize maximizedSize_;
    KeyTips keyTips_;
    CKeyTipBadges badges_;
    wxString keyTipText_; // what the status bar says of the tips
    bool keyCommandPending_ = false; // a command from the keyboard waits to run
    wxWeakRef<wxWindow> focusBeforePreview_;
};

} // namespace qv
