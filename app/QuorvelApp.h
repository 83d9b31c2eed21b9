// The application: start-up (profile, language, splash, start choice, main
// window), the values other windows read from it, and the clean-up at exit.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/bitmap.h>

#include "app/RecentFiles.h"
#include "app/WindowPlacement.h"
#include "document/QuorvelDoc.h"
#include "resources/ResourceModule.h"

namespace qv {

class CMainFrame;

// It is also the document's recent-file sink: every file opened or saved
// goes to the top of the list, kept in the profile at once.
class CQuorvelApp : public wxApp, public RecentFileSink {
public:
    void AddRecentFile(const std::string& path) override;
    bool Initialize(int& argc, wxChar** argv) override;
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;

    // The start-up sequence for these command-line arguments (program name
    // left out); false ends the program.
    bool StartUp(const std::vector<std::string>& args);
    // Start-up ended because the user cancelled the start-up chooser: the
    // program ends without an error.
    bool EndedByUser() const { return endedByUser_; }
    // Stores the main window's placement and every list's column widths.
    void StoreWindowState(const WindowPlacement& placement);
    // The main window is going away.
    void MainFrameClosed() { frame_ = nullptr; }
    // Drops everything start-up made, so it can run again (tests).
    void Reset();
    // A settings-tree selection: the view shows the page of that item.
    void SelectSettingsPage(int itemData);
    // Opens entry index of the recent-file list.
    void OpenRecentFile(size_t index);

    ProfileStore& Profile() { return *profile_; }
    ResourceModule* Module() const { return module_.get(); }
    RecentFiles& Recent() { return recent_; }
    CQuorvelDoc* Document() { return doc_.get(); }
    CMainFrame* MainFrame() { return frame_; }
    void SetOpenFilePath(const std::string& path) { openFilePath_ = path; }
    const std::string& OpenFilePath() const { return openFilePath_; }

    int languageIndex = 0;
    uint32_t codePage = 932;
    ColumnWidthTable columnWidths{};
    int startChoice = 0;
    bool quitRequested = false;
    wxString ownerText;
    wxString organizationText;

private:
    std::unique_ptr<ProfileStore> profile_;
    std::unique_ptr<ResourceModule> module_;
    std::unique_ptr<CQuorvelDoc> doc_;
    RecentFiles recent_;
    CMainFrame* frame_ = nullptr;
    std::string openFilePath_;
    bool endedByUser_ = false;
};

// A bitmap of the loaded language module by number; invalid when it has none.
wxBitmap ResourceBitmap(unsigned id);

} // namespace qv

wxDECLARE_APP(qv::CQuorvelApp);
