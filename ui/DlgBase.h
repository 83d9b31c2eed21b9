// The base of the program's dialogs: what the dialog works on, the code page
// of its multibyte texts and its parent window. Also the pop-up menus that
// the bases and controls load by number.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <wx/dialog.h>

class wxMenu;

namespace qv {

class CQuorvelDoc;

// What a dialog works on: the document, the window that holds it (a pane), or
// nothing at all.
class DlgOwner {
public:
    DlgOwner() = default;
    DlgOwner(std::nullptr_t) {}
    DlgOwner(CQuorvelDoc* document) : document_(document) {}
    DlgOwner(wxWindow* holder) : holder_(holder) {}

    CQuorvelDoc* Document() const { return document_; }
    wxWindow* Holder() const { return holder_; }
    bool IsNone() const { return !document_ && !holder_; }

private:
    CQuorvelDoc* document_ = nullptr;
    wxWindow* holder_ = nullptr;
};

class CDlgBase : public wxDialog {
public:
    // The layout is built by the derived dialog; templateId names it for the record.
    CDlgBase(unsigned templateId, DlgOwner owner, wxWindow* parent, const wxString& title = {},
             long style = wxDEFAULT_DIALOG_STYLE);

    unsigned TemplateId() const { return templateId_; }
    // The dialog's OK, Cancel, Yes or No buttons (flags as for wxDialog),
    // labelled in the interface language.
    wxSizer* CreateButtons(long flags = wxOK | wxCANCEL);
    // Shown at least as wide as its title needs (modal runs come here too).
    bool Show(bool show = true) override;

    DlgOwner Owner;
    uint32_t CodePage; // of the interface language when the dialog was built
    wxWindow* Parent;

private:
    unsigned templateId_;
};

// Menu items in wx take numbers below 0x7FFF: the program's command numbers
// above that (57642 Select All, 33808 Unit type) lose their top bit in a menu.
constexpr int MenuItemId(int command) {
    return command & 0x7FFF;
}

constexpr unsigned kMenuEdit = 119;    // Cut, Copy, Paste, Select All
constexpr unsigned kMenuStation = 922; // Unit type...
constexpr int kCmdUnitType = 33808;

// The first sub-menu of menu menuId, with its texts from the language module;
// null for a menu the program does not have.
std::unique_ptr<wxMenu> LoadPopupMenu(unsigned menuId);

} // namespace qv
