// Button and icon codes of the program's message boxes, and their answers.
#pragma once

namespace qv {

enum MessageButtons : unsigned {
    kMbOk = 0x0,
    kMbOkCancel = 0x1,
    kMbAbortRetryIgnore = 0x2,
    kMbYesNoCancel = 0x3,
    kMbYesNo = 0x4,
    kMbRetryCancel = 0x5,
};
enum MessageIcons : unsigned {
    kMbIconError = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconInformation = 0x40,
};
// The default button, counted from the first of the type's buttons in the
// order OK or Yes, then No, then Cancel: a question whose Yes cannot be taken
// back makes its No (or Cancel) the default, so Enter changes nothing.
enum MessageDefault : unsigned {
    kMbDefButton1 = 0x000,
    kMbDefButton2 = 0x100,
    kMbDefButton3 = 0x200,
};
constexpr unsigned kMbButtonMask = 0x0F;
constexpr unsigned kMbIconMask = 0xF0;
constexpr unsigned kMbDefaultMask = 0xF00;

enum MessageAnswer : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdAbort = 3,
    kIdRetry = 4,
    kIdIgnore = 5,
    kIdYes = 6,
    kIdNo = 7,
};

// A type without an icon gets the exclamation icon when its buttons are OK,
// OK/Cancel, Yes/No/Cancel or Yes/No.
inline unsigned EffectiveMessageType(unsigned type) {
    const unsigned buttons = type & kMbButtonMask;
    if ((type & kMbIconMask) == 0 &&
        (buttons == kMbOk || buttons == kMbOkCancel || buttons == kMbYesNoCancel ||
         buttons == kMbYesNo))
        return type | kMbIconExclamation;
    return type;
}

} // namespace qv
