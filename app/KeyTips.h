// The ribbon's key tips: pressing and releasing Alt shows them and the next
// letter runs the element it names; Alt held down with the letter runs it at
// once. Any other key, a click or a second Alt puts them away.
#pragma once
#include <string>

namespace qv {

class KeyTips {
public:
    // Keys as the window passes them: a letter as its upper-case ASCII code,
    // Alt and Escape as these, anything else as any other number.
    static constexpr int kAlt = -1;
    static constexpr int kEscape = -2;

    // The letters that have a tip, upper case.
    explicit KeyTips(std::string letters) : letters_(std::move(letters)) {}

    struct Result {
        char run = 0;          // the tip to run, or 0
        bool consumed = false; // the key goes no further
    };
    // A key went down; alt and other tell which modifiers were held with it.
    Result KeyDown(int key, bool alt, bool other);
    void KeyUp(int key);
    // A mouse click, or the window lost the keyboard.
    void Reset();
    bool Shown() const { return shown_; }

private:
    bool HasTip(int key) const;

    std::string letters_;
    bool altAlone_ = false; // Alt is down and nothing else was pressed since
    bool shown_ = false;
};

} // namespace qv
