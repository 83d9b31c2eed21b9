// The unit password tool and the login prompt without their windows: the
// checks of the typed passwords, the set, change and remove roads, the
// unit's clear, and what the prompt hands to the link.
#pragma once
#include <cstdint>
#include <string>

#include "online/ConnectionModel.h"

namespace qv {

// Resource strings of the password dialogs.
constexpr unsigned kMsgNewPasswordEmpty = 20190;
constexpr unsigned kMsgPasswordsDiffer = 20191;
constexpr unsigned kMsgPasswordCharacters = 20192;
constexpr unsigned kMsgCurrentPasswordRefused = 20193;
constexpr unsigned kMsgPasswordLinkFailed = 20194;
constexpr unsigned kMsgPasswordClearAsk = 20195;
constexpr unsigned kMsgPasswordClearDone = 20196;
constexpr unsigned kMsgPasswordClearFailed = 20197;
constexpr unsigned kMsgPasswordSet = 20198;
constexpr unsigned kMsgPasswordRemoved = 20199;
constexpr unsigned kMsgRemoveFailed = 20200;
constexpr unsigned kMsgSetRefused = 20202;
constexpr unsigned kMsgRemoveRefused = 20203;
constexpr unsigned kMsgPasswordTooLong = 35472;

// Characters each password edit takes; the unit holds as many bytes.
constexpr size_t kPasswordChars = 8;

enum class PasswordAction { SetOrChange, Remove };
enum class PasswordField { None, Current, New };

// What the password dialog holds when OK is pressed.
struct PasswordForm {
    PasswordAction Action = PasswordAction::SetOrChange;
    std::wstring Current;
    std::wstring New;      // read only for SetOrChange
    std::wstring Repeated; // the same again
};

// The form's check; on success the current password in the code page and the
// new one in the code page, already scrambled (empty for Remove).
struct PasswordCheck {
    unsigned MessageId = 0; // 0: the form passes
    PasswordField Focus = PasswordField::None;
    std::string Current;
    std::string ScrambledNew;
    bool Passed() const { return MessageId == 0; }
};

PasswordCheck CheckPasswordForm(const PasswordForm& form, uint32_t codePage);

// The password dialog's user: its message boxes, the connection dialog in
// tool mode and the wait cursor.
class PasswordUser : public ConnectionUser {
public:
    // Runs the connection dialog in tool mode; false when it was cancelled.
    virtual bool Connect() = 0;
    virtual void SetBusyCursor(bool busy) = 0;
};

class PasswordModel {
public:
    PasswordModel(ProfileStore& profile, uint32_t codePage, PasswordUser& user, Sleeper& sleeper);

    // OK: Ok closes the dialog, StayOpen keeps it with the focus on `focus`.
    ConnectionEnd Accept(const PasswordForm& form, PasswordField* focus = nullptr);
    // The clear button: Ok closes the dialog, StayOpen keeps it as it is.
    ConnectionEnd Clear();

private:
    ConnectionEnd SetOrRemove(PasswordAction action, const PasswordCheck& check,
                              PasswordField* focus);
    void Tell(unsigned id, unsigned type);

    ProfileStore& profile_;
    uint32_t codePage_;
    PasswordUser& user_;
    Sleeper& sleeper_;
};

// The login prompt's OK: stores the typed text in the code page as the link's
// login password and returns 0, or returns the message that refuses it (the
// link's password stays as it was). The empty text is taken as it is.
unsigned AcceptPromptPassword(const std::wstring& typed, uint32_t codePage, CUnitComm& link);
// The prompt's Cancel: the link's login password is emptied.
void CancelPromptPassword(CUnitComm& link);

} // namespace qv
