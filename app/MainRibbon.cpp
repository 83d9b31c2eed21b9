// The main window's ribbon, its application menu, quick-access tools and style menu.
#include <algorithm>
#include <map>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/RibbonBar.h"
#include "app/RibbonLayout.h"
#include "ui/Messages.h"
#include "ui/ToolButton.h"

namespace qv {

namespace {

// The icon of each ribbon command.
wxArtID ArtOf(int id) {
    static const std::map<int, wxArtID> kArt = {
        {cmd::kPowerMeterWizard, wxART_TIP},   {cmd::kSettingsWizard, wxART_EXECUTABLE_FILE},
        {cmd::kReadFromUnit, wxART_GO_DOWN},   {cmd::kWriteToUnit, wxART_GO_UP},
        {cmd::kUnitPassword, wxART_WARNING},   {cmd::kEditPaste, wxART_PASTE},
        {cmd::kEditCut, wxART_CUT},            {cmd::kEditCopy, wxART_COPY},
        {cmd::kEditSelectAll, wxART_TICK_MARK}, {cmd::kViewStatusBar, wxART_LIST_VIEW},
        {cmd::kViewCaptionBar, wxART_INFORMATION}, {cmd::kViewTreePane, wxART_REPORT_VIEW},
        {cmd::kLanSettings, wxART_HARDDISK},   {cmd::kPortSettings, wxART_HELP_SETTINGS},
        {cmd::kTriggerSelect, wxART_FIND},     {cmd::kConfigSettings, wxART_HELP_BOOK},
        {cmd::kRunProgramMode, wxART_REDO},    {cmd::kClearUnit, wxART_DELETE},
        {cmd::kFirmwareUpdate, wxART_GOTO_LAST}, {cmd::kUnitStatus, wxART_INFORMATION},
        {cmd::kMonitor, wxART_LIST_VIEW},      {cmd::kFtpClient, wxART_FOLDER_OPEN},
        {cmd::kFileNew, wxART_NEW},            {cmd::kFileOpen, wxART_FILE_OPEN},
        {cmd::kFileSave, wxART_FILE_SAVE},     {cmd::kFileSaveAs, wxART_FILE_SAVE_AS},
        {cmd::kFilePrint, wxART_PRINT},        {cmd::kFilePrintDirect, wxART_PRINT},
        {cmd::kFilePrintPreview, wxART_FIND},  {cmd::kFileClose, wxART_CLOSE},
        {cmd::kAppExit, wxART_QUIT},
    };
    const auto it = kArt.find(id);
    return it == kArt.end() ? wxArtID() : it->second;
}

// The ribbon's windows draw themselves in their art's colours and fonts. A
// device context made on a window asks the toolkit for the window's default
// look, and the ribbon makes one at every size it works out: the look, the
// same for every window of a class, is asked once (a theme changed while the
// program runs reaches these windows at its next start).
template <class Base>
class RibbonWindow : public Base {
public:
    using Base::Base;
    wxVisualAttributes GetDefaultAttributes() const override {
        static const wxVisualAttributes look = Base::GetDefaultAttributes();
        return look;
    }
};

// A panel is only as wide as its button bar: a bar never narrower than the
// panel's label, whichever of its layouts the page picks, keeps the label whole.
class LabelWideButtonBar : public RibbonWindow<wxRibbonButtonBar> {
public:
    explicit LabelWideButtonBar(wxRibbonPanel* panel) : RibbonWindow(panel) {}
    wxSize GetMinSize() const override { return Widened(wxRibbonButtonBar::GetMinSize()); }

protected:
    wxSize DoGetBestSize() const override { return Widened(wxRibbonButtonBar::DoGetBestSize()); }
    wxSize DoGetNextSmallerSize(wxOrientation direction, wxSize relativeTo) const override {
        return Widened(wxRibbonButtonBar::DoGetNextSmallerSize(direction, relativeTo));
    }
    wxSize DoGetNextLargerSize(wxOrientation direction, wxSize relativeTo) const override {
        return Widened(wxRibbonButtonBar::DoGetNextLargerSize(direction, relativeTo));
    }

private:
    // The label is measured again only when it or the art's font changed.
    wxSize Widened(wxSize size) const {
        if (wxRibbonArtProvider* art = GetArtProvider()) {
            const wxFont font = art->GetFont(wxRIBBON_ART_PANEL_LABEL_FONT);
            const wxString label = GetParent()->GetLabel();
            if (!measuredFont_.IsOk() || font != measuredFont_ || label != measuredLabel_) {
                wxClientDC dc(const_cast<LabelWideButtonBar*>(this));
                dc.SetFont(font);
                labelWidth_ = dc.GetTextExtent(label).x;
                measuredFont_ = font;
                measuredLabel_ = label;
            }
            size.x = std::max(size.x, labelWidth_);
        }
        return size;
    }
    mutable wxFont measuredFont_;
    mutable wxString measuredLabel_;
    mutable int labelWidth_ = 0;
};

wxBitmap Art(const wxArtID& id, int size) {
    return wxArtProvider::GetBitmap(id, wxART_TOOLBAR, wxSize(size, size));
}

// A disabled icon is grey, three quarters faded into the ribbon's colour.
wxBitmap DisabledArt(const wxArtID& id, int size, const wxColour& ribbon) {
    wxImage image = Art(id, size).ConvertToImage();
    if (image.HasMask())
        image.InitAlpha(); // the fade would move the mask colour
    image = image.ConvertToGreyscale();
    const int target = static_cast<int>(ribbon.GetLuminance() * 255);
    unsigned char* p = image.GetData();
    for (int i = 0, n = image.GetWidth() * image.GetHeight() * 3; i < n; ++i)
        p[i] = static_cast<unsigned char>(target + (p[i] - target) / 4);
    return wxBitmap(image);
}

} // namespace

void CMainFrame::BuildRibbon() {
    ribbon_ = new RibbonWindow<CRibbonBar>(this, wxRIBBON_BAR_FLOW_HORIZONTAL |
                                                     wxRIBBON_BAR_SHOW_PAGE_LABELS |
                                                     wxRIBBON_BAR_SHOW_PANEL_EXT_BUTTONS |
                                                     wxRIBBON_BAR_SHOW_HELP_BUTTON);
    // The style's art first, so that the buttons get their icons once and the
    // ribbon is laid out once.
    iconBack_ = SetRibbonArt(appLook);
    for (const RibbonCategory& category : RibbonCategories()) {
        auto* page = new RibbonWindow<wxRibbonPage>(ribbon_, wxID_ANY, Res(category.label));
        for (const RibbonPanel& p : category.panels) {
            auto* panel = new RibbonWindow<wxRibbonPanel>(page, wxID_ANY, Res(p.label), wxNullBitmap,
                                                          wxDefaultPosition, wxDefaultSize,
                                                          wxRIBBON_PANEL_NO_AUTO_MINIMISE);
            auto* buttons = new LabelWideButtonBar(panel);
            // The faded icons of a disabled button are made when it is first
            // disabled; until then the bar holds the plain ones in their place.
            for (const RibbonCommand& c : p.commands) {
                const wxArtID art = ArtOf(c.id);
                const wxBitmap large = Art(art, 32), small = Art(art, 16);
                buttons->AddButton(c.id, Res(c.label), large, small, large, small,
                                   c.toggle ? wxRIBBON_BUTTON_TOGGLE : wxRIBBON_BUTTON_NORMAL);
                ribbonButtons_[c.id] = buttons;
            }
            buttons->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED,
                          [this](wxRibbonButtonBarEvent& e) { RunCommand(e.GetId()); });
        }
    }
    ribbon_->Bind(wxEVT_RIBBONBAR_HELP_CLICK,
                  [this](wxRibbonBarEvent&) { RunCommand(cmd::kAppAbout); });
    ribbon_->Realize();
}

// What the ribbon lacks: the application button with its menu, the
// quick-access tools and the style button.
void CMainFrame::BuildToolStrip(wxPanel* strip) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    appButton_ = new wxButton(strip, wxID_ANY, Res(ApplicationButton().label), wxDefaultPosition,
                              wxDefaultSize, wxBU_EXACTFIT);
    appButton_->SetBitmap(Art(wxART_EXECUTABLE_FILE, 16));
    appButton_->SetToolTip(Res(ApplicationButton().label));
    appButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenApplicationMenu(); });
    row->Add(appButton_, 0, wxALL, 2);
    for (const StripItem& tool : QuickAccessTools()) {
        const int id = tool.id;
        auto* b = new CToolButton(strip, wxID_ANY, Art(ArtOf(id), 16));
        b->SetToolTip(Res(tool.label));
        b->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { RunCommand(id); });
        b->Bind(wxEVT_UPDATE_UI, [this, id](wxUpdateUIEvent& e) { e.Enable(StateOf(id).enabled); });
        row->Add(b, 0, wxALL, 2);
        tools_[id] = b;
    }
    row->AddStretchSpacer();
    styleButton_ = new wxButton(strip, wxID_ANY, Res(StyleButton().label), wxDefaultPosition,
                                wxDefaultSize, wxBU_EXACTFIT);
    styleButton_->SetToolTip(Res(287) + "\n" + Res(288));
    styleButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenStyleMenu(); });
    row->Add(styleButton_, 0, wxALL, 2);
    strip->SetSizer(row);
}

// The application menu; each entry has its mnemonic, and the file commands
// with an accelerator show it.
std::unique_ptr<wxMenu> CMainFrame::BuildApplicationMenu() {
    auto menu = std::make_unique<wxMenu>();
    wxMenu* print = new wxMenu;
    for (const MenuEntry& e : ApplicationMenuEntries()) {
        wxMenu* into = e.parent == kPrintMenu ? print : menu.get();
        if (e.id == kMenuSeparator) {
            into->AppendSeparator();
            continue;
        }
        const std::string key = KeysOfText(e.mnemonic);
        wxString label(MnemonicLabel(Res(e.label).ToStdWstring(), key.empty() ? '?' : key[0]));
        if (e.id == kPrintMenu) {
            into->AppendSubMenu(print, label);
        } else if (e.id == kRecentMenu) {
            auto* recent = new wxMenu;
            while (history_.GetCount())
                history_.RemoveFileFromHistory(0);
            const auto& paths = wxGetApp().Recent().Paths();
            for (auto it = paths.rbegin(); it != paths.rend(); ++it)
                history_.AddFileToHistory(wxString::FromUTF8(*it));
            history_.AddFilesToMenu(recent);
            into->AppendSubMenu(recent, label)->Enable(!paths.empty());
        } else {
            const std::string accelerator = AcceleratorText(e.id);
            if (!accelerator.empty())
                label += "\t" + accelerator;
            auto* item = new wxMenuItem(into, cmd::MenuId(e.id), label);
            if (!ArtOf(e.id).empty())
                item->SetBitmap(Art(ArtOf(e.id), 16));
            into->Append(item);
        }
    }
    return menu;
}

void CMainFrame::OpenApplicationMenu() {
    std::unique_ptr<wxMenu> menu = BuildApplicationMenu();
    PopupMenu(menu.get(), ScreenToClient(appButton_->GetScreenRect().GetBottomLeft()));
}

void CMainFrame::OpenStyleMenu() {
    std::unique_ptr<wxMenu> menu = BuildStyleMenu();
    PopupMenu(menu.get(), ScreenToClient(styleButton_->GetScreenRect().GetBottomLeft()));
}

void CMainFrame::UpdateRibbonIcons(const wxColour& ribbon) {
    iconBack_ = ribbon;
    fadedIcons_.clear();
    for (const RibbonCategory& category : RibbonCategories())
        for (const RibbonPanel& p : category.panels)
            for (const RibbonCommand& c : p.commands) {
                const wxArtID art = ArtOf(c.id);
                const wxBitmap large = Art(art, 32), small = Art(art, 16);
                ribbonButtons_.at(c.id)->SetButtonIcon(c.id, large, small, large, small);
                if (!StateOf(c.id).enabled)
                    FadeRibbonIcons(c.id);
            }
}

// A disabled icon fades into the ribbon's colour of the style in use.
void CMainFrame::FadeRibbonIcons(int id) {
    if (!fadedIcons_.insert(id).second)
        return;
    const wxArtID art = ArtOf(id);
    ribbonButtons_.at(id)->SetButtonIcon(id, Art(art, 32), Art(art, 16),
                                         DisabledArt(art, 32, iconBack_),
                                         DisabledArt(art, 16, iconBack_));
}

std::unique_ptr<wxMenu> CMainFrame::BuildStyleMenu() {
    auto menu = std::make_unique<wxMenu>();
    for (int id = cmd::kLookFirst; id <= cmd::kLookLast; ++id)
        menu->AppendRadioItem(id, Res(static_cast<unsigned>(29200 + id - cmd::kLookFirst)))
            ->Check(id == appLook);
    return menu;
}

} // namespace qv
