// The main window's ribbon, its application menu, quick-access tools and style menu.
#include <algorithm>
#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
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
#include "ui/Messages.h"

namespace qv {

namespace {

struct RibbonCommand {
    int id;
    unsigned label;
    wxArtID art;
    bool toggle;
};
struct RibbonPanel {
    unsigned label;
    std::vector<RibbonCommand> commands;
};
struct RibbonCategory {
    unsigned label;
    std::vector<RibbonPanel> panels;
};

const std::vector<RibbonCategory>& Categories() {
    static const std::vector<RibbonCategory> kCategories = {
        {274,
         {
             {3201, {{cmd::kPowerMeterWizard, 3201, wxART_TIP, false},
                     {cmd::kSettingsWizard, 3202, wxART_EXECUTABLE_FILE, false}}},
             {3203, {{cmd::kReadFromUnit, 3204, wxART_GO_DOWN, false},
                     {cmd::kWriteToUnit, 3205, wxART_GO_UP, false},
                     {cmd::kUnitPassword, 3206, wxART_WARNING, false}}},
             {275, {{cmd::kEditPaste, 276, wxART_PASTE, false},
                    {cmd::kEditCut, 277, wxART_CUT, false},
                    {cmd::kEditCopy, 278, wxART_COPY, false},
                    {cmd::kEditSelectAll, 279, wxART_TICK_MARK, false}}},
             {290, {{cmd::kViewStatusBar, 289, wxART_LIST_VIEW, true},
                    {cmd::kViewCaptionBar, 295, wxART_INFORMATION, true},
                    {cmd::kViewTreePane, 3207, wxART_REPORT_VIEW, true}}},
             {3208, {{cmd::kLanSettings, 3209, wxART_HARDDISK, false},
                     {cmd::kPortSettings, 3210, wxART_HELP_SETTINGS, false}}},
             {3211, {{cmd::kTriggerSelect, 3212, wxART_FIND, false},
                     {cmd::kConfigSettings, 3213, wxART_HELP_BOOK, false}}},
         }},
        {3216,
         {
             {3217, {{cmd::kRunProgramMode, 3219, wxART_REDO, false},
                     {cmd::kClearUnit, 3220, wxART_DELETE, false},
                     {cmd::kFirmwareUpdate, 3221, wxART_GOTO_LAST, false}}},
             {3222, {{cmd::kUnitStatus, 3223, wxART_INFORMATION, false},
                     {cmd::kMonitor, 3224, wxART_LIST_VIEW, false},
                     {cmd::kFtpClient, 3225, wxART_FOLDER_OPEN, false}}},
         }},
    };
    return kCategories;
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

// The label with its key tip as a menu mnemonic: the letter underlined where
// the label has it, else "(&X)" after it as Japanese and Chinese menus do.
wxString WithKeyTip(const wxString& label, wxChar key) {
    wxString text = label;
    text.Replace("&", "&&");
    const size_t at = text.Lower().find(wxString(key).Lower());
    if (at != wxString::npos)
        return text.substr(0, at) + "&" + text.substr(at);
    return text + "(&" + wxString(key).Upper() + ")";
}

} // namespace

void CMainFrame::BuildRibbon() {
    ribbon_ = new RibbonWindow<wxRibbonBar>(
        this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
        wxRIBBON_BAR_FLOW_HORIZONTAL | wxRIBBON_BAR_SHOW_PAGE_LABELS |
            wxRIBBON_BAR_SHOW_PANEL_EXT_BUTTONS | wxRIBBON_BAR_SHOW_HELP_BUTTON);
    // The style's art first, so that the buttons get their icons once and the
    // ribbon is laid out once.
    iconBack_ = SetRibbonArt(appLook);
    for (const RibbonCategory& category : Categories()) {
        auto* page = new RibbonWindow<wxRibbonPage>(ribbon_, wxID_ANY, Res(category.label));
        for (const RibbonPanel& p : category.panels) {
            auto* panel = new RibbonWindow<wxRibbonPanel>(page, wxID_ANY, Res(p.label), wxNullBitmap,
                                                          wxDefaultPosition, wxDefaultSize,
                                                          wxRIBBON_PANEL_NO_AUTO_MINIMISE);
            auto* buttons = new LabelWideButtonBar(panel);
            // The faded icons of a disabled button are made when it is first
            // disabled; until then the bar holds the plain ones in their place.
            for (const RibbonCommand& c : p.commands) {
                const wxBitmap large = Art(c.art, 32), small = Art(c.art, 16);
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
    appButton_ =
        new wxButton(strip, wxID_ANY, Res(260), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    appButton_->SetBitmap(Art(wxART_EXECUTABLE_FILE, 16));
    appButton_->SetToolTip(Res(260));
    appButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenApplicationMenu(); });
    row->Add(appButton_, 0, wxALL, 2);
    const std::pair<int, wxArtID> tools[] = {{cmd::kFileNew, wxART_NEW},
                                             {cmd::kFileOpen, wxART_FILE_OPEN},
                                             {cmd::kFileSave, wxART_FILE_SAVE},
                                             {cmd::kFilePrint, wxART_PRINT}};
    for (const auto& [id, art] : tools) {
        auto* b = new wxBitmapButton(strip, wxID_ANY, Art(art, 16), wxDefaultPosition, wxDefaultSize,
                                     wxBORDER_NONE);
        b->SetToolTip(Res(id == cmd::kFileNew    ? 262
                          : id == cmd::kFileOpen ? 263
                          : id == cmd::kFileSave ? 264
                                                 : 266));
        b->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { RunCommand(id); });
        b->Bind(wxEVT_UPDATE_UI, [this, id](wxUpdateUIEvent& e) { e.Enable(StateOf(id).enabled); });
        row->Add(b, 0, wxALL, 2);
    }
    row->AddStretchSpacer();
    auto* style = new wxButton(strip, wxID_ANY, Res(286), wxDefaultPosition, wxDefaultSize,
                               wxBU_EXACTFIT);
    style->SetToolTip(Res(287) + "\n" + Res(288));
    style->Bind(wxEVT_BUTTON, [this, style](wxCommandEvent&) {
        std::unique_ptr<wxMenu> menu = BuildStyleMenu();
        PopupMenu(menu.get(), style->GetPosition() + wxPoint(0, style->GetSize().y));
    });
    row->Add(style, 0, wxALL, 2);
    strip->SetSizer(row);
}

std::unique_ptr<wxMenu> CMainFrame::BuildApplicationMenu() {
    auto menu = std::make_unique<wxMenu>();
    auto item = [&](wxMenu* m, int id, unsigned label, const wxArtID& art) {
        auto* it = new wxMenuItem(m, cmd::MenuId(id), Res(label));
        if (!art.empty())
            it->SetBitmap(Art(art, 16));
        m->Append(it);
    };
    item(menu.get(), cmd::kFileNew, 262, wxART_NEW);
    item(menu.get(), cmd::kFileOpen, 263, wxART_FILE_OPEN);
    item(menu.get(), cmd::kFileSave, 264, wxART_FILE_SAVE);
    item(menu.get(), cmd::kFileSaveAs, 265, wxART_FILE_SAVE_AS);
    // Print runs from its own entry (key tip p); its menu of the other print
    // commands opens from the next (key tip w).
    auto* printItem =
        new wxMenuItem(menu.get(), cmd::MenuId(cmd::kFilePrint), WithKeyTip(Res(266), 'p'));
    printItem->SetBitmap(Art(wxART_PRINT, 16));
    menu->Append(printItem);
    auto* print = new wxMenu;
    item(print, cmd::kFilePrintDirect, 268, wxART_PRINT);
    item(print, cmd::kFilePrintPreview, 269, wxART_FIND);
    item(print, cmd::kFilePrintSetup, 270, "");
    menu->AppendSubMenu(print, WithKeyTip(Res(267), 'w'));
    menu->AppendSeparator();
    item(menu.get(), cmd::kFileClose, 271, wxART_CLOSE);
    menu->AppendSeparator();
    auto* recent = new wxMenu;
    while (history_.GetCount())
        history_.RemoveFileFromHistory(0);
    const auto& paths = wxGetApp().Recent().Paths();
    for (auto it = paths.rbegin(); it != paths.rend(); ++it)
        history_.AddFileToHistory(wxString::FromUTF8(*it));
    history_.AddFilesToMenu(recent);
    menu->AppendSubMenu(recent, Res(272))->Enable(!paths.empty());
    menu->AppendSeparator();
    item(menu.get(), cmd::kAppExit, 273, wxART_QUIT);
    return menu;
}

void CMainFrame::OpenApplicationMenu() {
    std::unique_ptr<wxMenu> menu = BuildApplicationMenu();
    PopupMenu(menu.get(), ScreenToClient(appButton_->GetScreenRect().GetBottomLeft()));
}

// Key tips: f the application menu, a the About box; p and w are the
// mnemonics of the application menu's print entries.
bool CMainFrame::FilterKeyTip(const wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    const int key = code == WXK_ALT ? KeyTips::kAlt : code == WXK_ESCAPE ? KeyTips::kEscape : code;
    const bool other = event.ControlDown() || event.ShiftDown() || event.MetaDown();
    KeyTips::Result r;
    if (event.GetEventType() == wxEVT_KEY_DOWN)
        r = keyTips_.KeyDown(key, event.AltDown(), other);
    else
        keyTips_.KeyUp(key);
    ShowKeyTips(keyTips_.Shown());
    // Run after the key's own handling has ended.
    if (r.run == 'F')
        CallAfter([this] { OpenApplicationMenu(); });
    else if (r.run == 'A')
        CallAfter([this] { RunCommand(cmd::kAppAbout); });
    return r.consumed;
}

void CMainFrame::PutKeyTipsAway() {
    keyTips_.Reset();
    ShowKeyTips(false);
}

// While the tips are up the status bar names them.
void CMainFrame::ShowKeyTips(bool shown) {
    if (shown == keyTipsShown_)
        return;
    keyTipsShown_ = shown;
    if (wxStatusBar* bar = GetStatusBar())
        bar->SetStatusText(shown ? "[F] " + Res(260) + "    [A] " + Res(29110) : wxString());
}

void CMainFrame::UpdateRibbonIcons(const wxColour& ribbon) {
    iconBack_ = ribbon;
    fadedIcons_.clear();
    for (const RibbonCategory& category : Categories())
        for (const RibbonPanel& p : category.panels)
            for (const RibbonCommand& c : p.commands) {
                const wxBitmap large = Art(c.art, 32), small = Art(c.art, 16);
                ribbonButtons_.at(c.id)->SetButtonIcon(c.id, large, small, large, small);
                if (!StateOf(c.id).enabled)
                    FadeRibbonIcons(c.id);
            }
}

// A disabled icon fades into the ribbon's colour of the style in use.
void CMainFrame::FadeRibbonIcons(int id) {
    if (!fadedIcons_.insert(id).second)
        return;
    for (const RibbonCategory& category : Categories())
        for (const RibbonPanel& p : category.panels)
            for (const RibbonCommand& c : p.commands)
                if (c.id == id)
                    ribbonButtons_.at(id)->SetButtonIcon(id, Art(c.art, 32), Art(c.art, 16),
                                                         DisabledArt(c.art, 32, iconBack_),
                                                         DisabledArt(c.art, 16, iconBack_));
}

std::unique_ptr<wxMenu> CMainFrame::BuildStyleMenu() {
    auto menu = std::make_unique<wxMenu>();
    for (int id = cmd::kLookFirst; id <= cmd::kLookLast; ++id)
        menu->AppendRadioItem(id, Res(static_cast<unsigned>(29200 + id - cmd::kLookFirst)))
            ->Check(id == appLook);
    return menu;
}

} // namespace qv
