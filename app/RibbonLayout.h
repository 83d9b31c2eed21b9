// What the main window offers and how the keyboard reaches it: the ribbon's
// categories, panels and commands, the tools above the ribbon, the
// application menu and the accelerators. The window builds itself from these
// tables and the key tips follow the same ones, so no command is left out.
#pragma once
#include <string>
#include <vector>

namespace qv {

// Texts are string numbers of the language module; keyTip and mnemonic name
// the text that holds the letters typed to reach the item.
struct RibbonCommand {
    int id;
    unsigned label;
    unsigned keyTip;
    bool toggle;
};
struct RibbonPanel {
    unsigned label;
    std::vector<RibbonCommand> commands;
};
struct RibbonCategory {
    unsigned label;
    unsigned keyTip;
    std::vector<RibbonPanel> panels;
};
const std::vector<RibbonCategory>& RibbonCategories();

// The strip above the ribbon: the application button, the quick-access
// tools, the style button; and the About button on the ribbon's tab row.
struct StripItem {
    int id; // a command, or one of the two buttons below that open a menu
    unsigned label;
    unsigned keyTip;
};
constexpr int kApplicationMenuButton = -1;
constexpr int kStyleMenuButton = -2;
const std::vector<StripItem>& QuickAccessTools();
const StripItem& ApplicationButton();
const StripItem& StyleButton();
const StripItem& AboutButton();

// The application menu: its entries in order, with the print menu's entries
// below their heading. A heading (kPrintMenu, kRecentMenu) opens a sub-menu.
constexpr int kPrintMenu = -10;
constexpr int kRecentMenu = -11;
constexpr int kMenuSeparator = 0;
struct MenuEntry {
    int id;
    unsigned label;
    unsigned mnemonic; // 0 for a separator
    int parent;        // 0 in the menu itself, kPrintMenu in the print menu
};
const std::vector<MenuEntry>& ApplicationMenuEntries();

// The letter of a text that holds a mnemonic or a key tip: its upper-case
// ASCII letters and digits as the active language module has them.
std::string KeysOfText(unsigned id);

// A menu label with its mnemonic: the letter underlined where the label has
// it (at the start of a word when it can), else "(&X)" after the label (before
// its ellipsis) as Japanese and Chinese menus show it. An ampersand of the
// label stays one.
std::wstring MnemonicLabel(const std::wstring& label, char key);

// The common accelerators: Ctrl with a letter runs a file command. The
// command for a key (upper-case letter) with its modifiers, or 0.
int AcceleratorCommand(int key, bool ctrl, bool alt, bool shiftOrOther);
// How a menu shows a command's accelerator ("Ctrl+N"), or empty.
std::string AcceleratorText(int command);

} // namespace qv
