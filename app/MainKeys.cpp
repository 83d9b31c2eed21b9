// The main window from the keyboard: the accelerators and the ribbon's key
// tips. What a key does is decided by the key-tip and accelerator tables;
// here the keys are passed in and the choice is carried out and shown.
#include <wx/ribbon/buttonbar.h>
#include <wx/statusbr.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/RibbonBar.h"
#include "app/RibbonLayout.h"
#include "ui/Messages.h"

namespace qv {

namespace {

int KeyOf(const wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    if (code == WXK_ALT)
        return KeyTips::kAlt;
    if (code == WXK_ESCAPE)
        return KeyTips::kEscape;
    if (code >= 'a' && code <= 'z')
        return code - 'a' + 'A';
    return code;
}

} // namespace

bool CMainFrame::FilterKey(const wxKeyEvent& event) {
    const int key = KeyOf(event);
    const bool other = event.ControlDown() || event.ShiftDown() || event.MetaDown();
    if (event.GetEventType() != wxEVT_KEY_DOWN) {
        keyTips_.KeyUp(key);
        ShowKeyTips();
        return false;
    }
    if (const int id = AcceleratorCommand(key, event.ControlDown(), event.AltDown(),
                                          event.ShiftDown() || event.MetaDown())) {
        PutKeyTipsAway();
        RunFromKeyboard(id);
        return true;
    }
    const KeyTips::Result r = keyTips_.KeyDown(key, event.AltDown(), other);
    if (r.chosen) {
        switch (r.chosen->action) {
        case KeyTipAction::ShowCategory:
            ribbon_->SetActivePage(static_cast<size_t>(r.chosen->value));
            break;
        case KeyTipAction::RunCommand:
            RunFromKeyboard(r.chosen->value);
            break;
        case KeyTipAction::ApplicationMenu:
            RunFromKeyboard(kApplicationMenuButton);
            break;
        case KeyTipAction::StyleMenu:
            RunFromKeyboard(kStyleMenuButton);
            break;
        }
    }
    ShowKeyTips();
    return r.consumed;
}

// Runs after the key's own handling has ended; keys that repeat while a
// command waits start no second one.
void CMainFrame::RunFromKeyboard(int id) {
    if (keyCommandPending_)
        return;
    keyCommandPending_ = true;
    CallAfter([this, id] {
        keyCommandPending_ = false;
        if (id == kApplicationMenuButton)
            OpenApplicationMenu();
        else if (id == kStyleMenuButton)
            OpenStyleMenu();
        else
            RunCommand(id);
    });
}

void CMainFrame::PutKeyTipsAway() {
    keyTips_.Reset();
    ShowKeyTips();
}

wxRect CMainFrame::KeyTipTarget(const KeyTip& tip) const {
    switch (tip.action) {
    case KeyTipAction::ApplicationMenu:
        return appButton_->GetScreenRect();
    case KeyTipAction::StyleMenu:
        return styleButton_->GetScreenRect();
    case KeyTipAction::ShowCategory: {
        const wxRect tab = ribbon_->TabRect(static_cast<size_t>(tip.value));
        return wxRect(ribbon_->ClientToScreen(tab.GetPosition()), tab.GetSize());
    }
    case KeyTipAction::RunCommand:
        break;
    }
    if (wxWindow* tool = QuickAccessTool(tip.value))
        return tool->GetScreenRect();
    if (tip.value == cmd::kAppAbout) {
        const wxRect help = ribbon_->HelpButtonRect();
        return wxRect(ribbon_->ClientToScreen(help.GetPosition()), help.GetSize());
    }
    const auto bar = ribbonButtons_.find(tip.value);
    if (bar == ribbonButtons_.end())
        return wxRect();
    const wxRect button = bar->second->GetItemRect(tip.value);
    return wxRect(bar->second->ClientToScreen(button.GetPosition()), button.GetSize());
}

wxWindow* CMainFrame::QuickAccessTool(int id) const {
    const auto it = tools_.find(id);
    return it == tools_.end() ? nullptr : it->second;
}

// The tips stand on their elements; the status bar names them as well.
void CMainFrame::ShowKeyTips() {
    std::vector<KeyTipBadge> badges;
    wxString names;
    for (const KeyTip& tip : keyTips_.Visible()) {
        const bool enabled = tip.action != KeyTipAction::RunCommand || StateOf(tip.value).enabled;
        const wxRect target = KeyTipTarget(tip);
        // A ribbon button of one line, stacked with others.
        const bool overIcon = tip.action == KeyTipAction::RunCommand &&
                              ribbonButtons_.count(tip.value) && target.height < FromDIP(40);
        badges.push_back({wxString(tip.keys), target, enabled, overIcon});
        names += (names.empty() ? "" : "    ") + wxString("[" + tip.keys + "] ") + Res(tip.label);
    }
    if (badges.empty())
        badges_.Hide();
    else
        badges_.Show(badges);
    if (names == keyTipText_)
        return;
    keyTipText_ = names;
    if (wxStatusBar* bar = GetStatusBar())
        bar->SetStatusText(names);
}

} // namespace qv
