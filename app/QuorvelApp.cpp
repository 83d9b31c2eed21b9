#include "app/QuorvelApp.h"

#include <iterator>
#include <sstream>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/msgdlg.h>

#include "app/AppStartHost.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "document/MessageType.h"
#include "app/ProgramFolder.h"
#include "app/RegisteredInfo.h"
#include "app/SplashWindow.h"
#include "app/StartUpDlg.h"
#include "document/StringTable.h"
#include "ui/Messages.h"
#include "ui/WxProfileStore.h"
#include "view/QuorvelView.h"
#include "app/SettingsTree.h"
#include <algorithm>

namespace qv {

namespace {

// Milliseconds since the process was started, from the kernel's records.
long long MsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const size_t close = text.rfind(')'); // the name may hold blanks
    std::istringstream fields(close == std::string::npos ? "" : text.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22)
            startTicks = std::stoull(field);
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    const double startSeconds = static_cast<double>(startTicks) / sysconf(_SC_CLK_TCK);
    return static_cast<long long>((uptime - startSeconds) * 1000.0);
}

void FixedMessage(const char* text) {
    wxMessageBox(text, kProductName, wxOK | wxICON_EXCLAMATION);
}

std::vector<Rect> Screens() {
    std::vector<Rect> screens;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxRect r = wxDisplay(i).GetGeometry();
        screens.push_back({r.GetLeft(), r.GetTop(), r.GetRight() + 1, r.GetBottom() + 1});
    }
    return screens;
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

std::string AbsolutePath(const std::string& path) {
    wxFileName name(wxString::FromUTF8(path));
    name.MakeAbsolute();
    return name.GetFullPath().utf8_string();
}

} // namespace

wxBitmap ResourceBitmap(unsigned id) {
    const ResourceModule* module = wxGetApp().Module();
    if (!module)
        return wxNullBitmap;
    const auto [data, size] = module->FindBitmap(id);
    if (!data)
        return wxNullBitmap;
    wxMemoryInputStream stream(data, size);
    wxImage image(stream, wxBITMAP_TYPE_BMP);
    return image.IsOk() ? wxBitmap(image) : wxNullBitmap;
}

bool CQuorvelApp::Initialize(int& argc, wxChar** argv) {
    // Nothing here draws with OpenGL, yet GTK sets it up as it opens the
    // display, loading the driver: a third of the start-up time. A GDK_GL of
    // the user's own stands, and programs started from here get the
    // environment as it was.
    const bool ours = !std::getenv("GDK_GL") && setenv("GDK_GL", "disable", 0) == 0;
    const bool initialized = wxApp::Initialize(argc, argv);
    if (ours)
        unsetenv("GDK_GL");
    return initialized;
}

bool CQuorvelApp::OnInit() {
    // A release build shows no toolkit assertion boxes: they would ask the
    // user about the toolkit's own consistency checks.
    wxDISABLE_ASSERTS_IN_RELEASE_BUILD();
    wxInitAllImageHandlers();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i].utf8_string());
    // A cancelled start-up chooser ends the program from OnRun with status 0;
    // a false here would end it as a failure.
    return StartUp(args) || endedByUser_;
}

int CQuorvelApp::OnRun() {
    if (endedByUser_)
        return 0;
    return wxApp::OnRun();
}

bool CQuorvelApp::StartUp(const std::vector<std::string>& args) {
    endedByUser_ = false;
    auto store = std::make_unique<WxProfileStore>(WxProfileStore::DefaultPath());
    const ProfileFileCheck opened = store->Opened();
    profile_ = std::move(store);
    // Whatever start-up stores, and however it ends, is written once.
    const FlushProfileAtEnd flush(*profile_);

    LanguageChoice language = ChooseLanguage(*profile_, LoadModuleBesideProgram);
    if (!language.module) {
        FixedMessage(kTextNoResourceFile);
        return false;
    }
    languageIndex = language.index;
    codePage = language.codePage;
    module_ = std::move(language.module);
    SetActiveStringTable(module_.get());
    if (language.otherThanChosen)
        FixedMessage(kTextOtherLanguage);
    if (opened.TooLarge())
        ShowMessage(kMbOk | kMbIconExclamation,
                    wxString::Format(Res(kMsgProfileTooLarge),
                                     wxString::FromUTF8(WxProfileStore::DefaultPath()),
                                     wxString::FromUTF8(opened.keptAs)));

    std::string file;
    for (const std::string& a : args)
        if (!a.empty() && a[0] != '-') {
            file = a;
            break;
        }
    const RegisteredInfo registered = GetRegisteredInfo();
    ownerText = registered.owner;
    organizationText = registered.organization;
    if (file.empty()) {
        CSplashWnd::Show(ProgramFolder(), ownerText, organizationText);
        CSplashWnd::Wait();
    }

    recent_.Load(*profile_);
    if (!file.empty()) {
        openFilePath_ = AbsolutePath(file);
        startChoice = kStartCommandLineFile;
    } else {
        CStartUpDlg chooser(nullptr, startChoice, true, true);
        if (chooser.ShowModal() != wxID_OK) {
            endedByUser_ = true;
            return false;
        }
    }
    LoadListState(*profile_, columnWidths, -1);

    doc_ = std::make_unique<CQuorvelDoc>(codePage);
    doc_->SetRecentFileSink(this);
    frame_ = new CMainFrame(*doc_);
    SetTopWindow(frame_);
    AppStartHost host(*this);
    if (!RunStartChoice(*doc_, host) || quitRequested) {
        endedByUser_ = quitRequested; // the chooser shown again was cancelled
        frame_->Destroy();
        frame_ = nullptr;
        return false;
    }

    const WindowPlacement stored = LoadWindowPlacement(*profile_);
    if (stored.NothingStored())
        frame_->Maximize(true);
    else
        frame_->ApplyPlacement(UsablePlacement(stored, Screens()));
    frame_->UpdateTitle();
    // The tree's root is chosen and the unit-name page in place before the
    // window shows, so that it is laid out once.
    CQVTreeCtrl* tree = frame_->TreePane().Tree();
    tree->SelectItem(tree->RootItem());
    frame_->View().SelectPage(10);
    frame_->Show();
    frame_->Raise();
    // The tree takes the focus.
    tree->SetFocus();
    frame_->Update();

    if (std::getenv("QV_STARTUP_PROBE")) {
        // Measurement run: report when the window is up, then leave.
        CallAfter([this] {
            std::printf("startup-probe title=\"%s\" ms=%lld rss_kb=%ld\n",
                        frame_->GetTitle().utf8_str().data(), MsSinceProcessStart(),
                        ResidentKb());
            std::fflush(stdout);
            frame_->Close();
        });
    }
    return true;
}

void CQuorvelApp::SelectSettingsPage(int itemData) {
    if (frame_)
        frame_->View().SelectTreeItem(itemData);
}

void CQuorvelApp::OpenRecentFile(size_t index) {
    if (!frame_ || index >= recent_.Paths().size())
        return;
    const std::string path = recent_.Paths()[index];
    if (!wxFileName::FileExists(wxString::FromUTF8(path))) {
        recent_.Remove(index); // gone: leaves the list without a word
        recent_.Save(*profile_);
        profile_->Flush();
        return;
    }
    frame_->View().OpenRecentFile(path);
}

void CQuorvelApp::AddRecentFile(const std::string& path) {
    recent_.AddRecentFile(path);
    recent_.Save(*profile_);
    profile_->Flush();
}

// Written with the rest of the exit, once (OnExit).
void CQuorvelApp::StoreWindowState(const WindowPlacement& placement) {
    SaveWindowPlacement(*profile_, placement);
    SaveListState(*profile_, columnWidths, -1);
}

int CQuorvelApp::FilterEvent(wxEvent& event) {
    if (CSplashWnd::FilterAppEvent(event))
        return Event_Processed;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN)
        NoteKeyForPump(static_cast<wxKeyEvent&>(event));
    if (!frame_)
        return Event_Skip;
    if (type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP) {
        auto& key = static_cast<wxKeyEvent&>(event);
        wxWindow* window = wxDynamicCast(event.GetEventObject(), wxWindow);
        wxWindow* active = window ? wxGetTopLevelParent(window) : nullptr;
        // Escape in a frame window brings back the tree pane that print
        // preview hid; the key goes on.
        if (type == wxEVT_KEY_DOWN && key.GetKeyCode() == WXK_ESCAPE &&
            wxDynamicCast(active, wxFrame))
            frame_->RestoreTreePane();
        if (active == frame_ && frame_->FilterKey(key))
            return Event_Processed;
    } else if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN) {
        frame_->PutKeyTipsAway();
    }
    return Event_Skip;
}

void CQuorvelApp::Reset() {
    if (frame_)
        frame_->Destroy();
    frame_ = nullptr;
    doc_.reset();
    SetActiveStringTable(nullptr);
    module_.reset();
    profile_.reset();
    recent_ = RecentFiles();
    openFilePath_.clear();
    startChoice = 0;
    quitRequested = false;
    endedByUser_ = false;
}

int CQuorvelApp::OnExit() {
    if (profile_) {
        profile_->DeleteValue(kPlacementSection, "ShowCmd");
        profile_->Flush();
    }
    SetActiveStringTable(nullptr);
    return wxApp::OnExit();
}

} // namespace qv
