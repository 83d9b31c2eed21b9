// The ribbon's key tips: pressing and releasing Alt shows a tip on the
// application button, the quick-access tools, each category, the style and
// About buttons; a category's letter shows that category with the tips of
// its commands, and a command's letters (one or two) run it. Alt held down
// with a letter of the first level acts at once. Escape steps back a level;
// any other key, a click or a second Alt puts the tips away.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class KeyTipAction { RunCommand, ShowCategory, ApplicationMenu, StyleMenu };

struct KeyTip {
    std::string keys; // one or two upper-case letters or digits
    KeyTipAction action;
    int value;      // the command, or the category's index
    unsigned label; // the string number of what the tip stands for
};

struct KeyTipLevels {
    std::vector<KeyTip> top;
    std::vector<std::vector<KeyTip>> categories; // by the ribbon's category index
};

// The tips of the main window, their letters from the active language module.
KeyTipLevels MainWindowKeyTips();
// What breaks the rules in the levels: keys that are not one or two capitals
// or digits, two tips of a level with the same keys, or a tip whose keys
// begin another's of its level. One line per fault; empty when all is well.
std::vector<std::string> KeyTipProblems(const KeyTipLevels& levels);

class KeyTips {
public:
    // Keys as the window passes them: a letter as its upper-case ASCII code,
    // a digit as its ASCII code, Alt and Escape as these, anything else as
    // any other number.
    static constexpr int kAlt = -1;
    static constexpr int kEscape = -2;
    static constexpr int kTopLevel = -1;

    // enabled tells whether a command runs now; a disabled command's tip
    // stays shown and its keys do nothing.
    explicit KeyTips(KeyTipLevels levels, std::function<bool(int)> enabled = nullptr);

    struct Result {
        std::optional<KeyTip> chosen; // the tip whose keys were typed
        bool consumed = false;        // the key goes no further
    };
    // A key went down; alt and other tell which modifiers were held with it
    // (other: Ctrl, Shift or Meta).
    Result KeyDown(int key, bool alt, bool other);
    void KeyUp(int key);
    // A mouse click, or the window lost the keyboard.
    void Reset();

    bool Shown() const { return shown_; }
    // kTopLevel or the index of the category whose commands show tips.
    int Level() const { return level_; }
    // The tips shown now: those of the level that begin with what was typed.
    std::vector<KeyTip> Visible() const;

private:
    const std::vector<KeyTip>& LevelTips() const;
    Result Type(char key);

    KeyTipLevels levels_;
    std::function<bool(int)> enabled_;
    bool altAlone_ = false; // Alt is down and nothing else was pressed since
    bool shown_ = false;
    int level_ = kTopLevel;
    std::string typed_; // the first key of a two-key tip
};

} // namespace qv
