// What the link asks of the user and of the machine while it talks to the
// unit: the wait dialog (progress with cancel), the password prompt, and
// sleeping. The window layer implements them; tests hand in fakes.
#pragma once

namespace qv {

class CUnitComm;

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows the wait dialog with the product name as caption and text messageId.
    virtual void Begin(unsigned messageId, int rangeMax) = 0;
    virtual void SetPosition(int position) = 0;
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

} // namespace qv
