// What the link asks of the user and of the machine while it talks to the
// unit: the wait dialog (progress with cancel), the password prompt, and
// sleeping. The window layer implements them; tests hand in fakes.
#pragma once
#include <string>

#include "document/MessageType.h"

namespace qv {

class CUnitComm;

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows the wait dialog with the product name as caption and text messageId.
    virtual void Begin(unsigned messageId, int rangeMax) = 0;
    // The same with the caller's own text (multibyte, the interface code
    // page) in place of a string number. A sink that shows no text may keep
    // this default.
    virtual void BeginText(const std::string& text, int rangeMax) {
        (void)text;
        Begin(0, rangeMax);
    }
    virtual void SetPosition(int position) = 0;
    // A second line under the message (the item at work and how far it
    // got); a sink that shows no text may keep this default.
    virtual void SetDetail(const std::wstring& text) { (void)text; }
    // Redraws, handles at most one pending message; true once the user cancelled.
    virtual bool PumpAndCancelled() = 0;
    // Removes the dialog and brings its owner to the top.
    virtual void End() = 0;
};

class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // Asks for the unit password and stores it with link.SetLoginPassword();
    // false when the user closed the prompt without OK.
    virtual bool AskPassword(CUnitComm& link) = 0;
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(int milliseconds) = 0;
};

Sleeper& SystemSleeper();

// What the unit tools (mode switch, clear, firmware write) ask of the user.
// Messages are resource string numbers; the type and the answer are those
// of app/MessageType.h.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A question; returns kIdYes, kIdNo, ...
    virtual int Ask(unsigned messageId, unsigned type) = 0;
    virtual void Tell(unsigned messageId, unsigned type) = 0;
    // The file-open dialog for a firmware image (filter string 57667, the
    // file must exist); the full path, or empty when cancelled.
    virtual std::string ChooseFirmwareFile() = 0;
    // Shows (true) or removes (false) the wait cursor; calls come in pairs.
    virtual void SetBusyCursor(bool busy) = 0;
};

// The wait cursor for one scope.
class BusyCursor {
public:
    explicit BusyCursor(UserDialogs& user) : user_(user) { user_.SetBusyCursor(true); }
    ~BusyCursor() { user_.SetBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserDialogs& user_;
};

} // namespace qv
