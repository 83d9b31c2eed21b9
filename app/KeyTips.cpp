#include "app/KeyTips.h"

namespace qv {

bool KeyTips::HasTip(int key) const {
    return key > 0 && key < 128 && letters_.find(static_cast<char>(key)) != std::string::npos;
}

KeyTips::Result KeyTips::KeyDown(int key, bool alt, bool other) {
    Result r;
    if (key == kAlt) {
        altAlone_ = !other;
        return r;
    }
    altAlone_ = false;
    const bool wasShown = shown_;
    shown_ = false;
    if (other)
        return r;
    if (HasTip(key) && (alt || wasShown)) {
        r.run = static_cast<char>(key);
        r.consumed = true;
    } else if (key == kEscape && wasShown) {
        r.consumed = true; // Escape only puts the tips away
    }
    return r;
}

void KeyTips::KeyUp(int key) {
    if (key == kAlt && altAlone_)
        shown_ = !shown_;
    altAlone_ = false;
}

void KeyTips::Reset() {
    altAlone_ = false;
    shown_ = false;
}

} // namespace qv
