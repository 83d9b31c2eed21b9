#include "online/PasswordModel.h"

#include <cstring>
#include <optional>

#include "document/CodePageText.h"
#include "document/MessageType.h"
#include "document/Scramble.h"
#include "document/TextChecks.h"
#include "link/UnitComm.h"

namespace qv {

using namespace link_result;

namespace {

constexpr unsigned kOkExclamation = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInformation = kMbOk | kMbIconInformation;
constexpr unsigned kOkQuestion = kMbOk | kMbIconQuestion;
constexpr unsigned kYesNoExclamation = kMbYesNo | kMbIconExclamation;

bool PasswordCharacters(const std::wstring& text) {
    return IsPasswordText(text, text.size());
}

PasswordCheck Refused(unsigned id, PasswordField focus) {
    PasswordCheck check;
    check.MessageId = id;
    check.Focus = focus;
    return check;
}

// The wait cursor for one scope.
class BusyScope {
public:
    explicit BusyScope(PasswordUser& user) : user_(user) { user_.SetBusyCursor(true); }
    ~BusyScope() { user_.SetBusyCursor(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    PasswordUser& user_;
};

} // namespace

PasswordCheck CheckPasswordForm(const PasswordForm& form, uint32_t codePage) {
    if (!form.Current.empty() && !PasswordCharacters(form.Current))
        return Refused(kMsgPasswordCharacters, PasswordField::Current);
    const std::optional<std::string> current = WideToMulti(form.Current, codePage);
    if (!current || current->size() > kPasswordChars)
        return Refused(kMsgPasswordCharacters, PasswordField::Current);

    PasswordCheck check;
    check.Current = *current;
    if (form.Action == PasswordAction::Remove)
        return check;
    if (form.New != form.Repeated)
        return Refused(kMsgPasswordsDiffer, PasswordField::New);
    if (form.New.empty())
        return Refused(kMsgNewPasswordEmpty, PasswordField::New);
    if (!PasswordCharacters(form.New))
        return Refused(kMsgPasswordCharacters, PasswordField::New);
    const std::optional<std::string> fresh = WideToMulti(form.New, codePage);
    if (!fresh || fresh->size() > kPasswordChars)
        return Refused(kMsgPasswordCharacters, PasswordField::New);
    check.ScrambledNew = *fresh;
    ScrambleBytes(reinterpret_cast<uint8_t*>(check.ScrambledNew.data()),
                  static_cast<int16_t>(check.ScrambledNew.size()));
    return check;
}

PasswordModel::PasswordModel(ProfileStore& profile, uint32_t codePage, PasswordUser& user,
                             Sleeper& sleeper)
    : profile_(profile), codePage_(codePage), user_(user), sleeper_(sleeper) {}

ConnectionEnd PasswordModel::Accept(const PasswordForm& form, PasswordField* focus) {
    const PasswordCheck check = CheckPasswordForm(form, codePage_);
    if (focus)
        *focus = check.Focus;
    if (!check.Passed()) {
        Tell(check.MessageId, kOkExclamation);
        return ConnectionEnd::StayOpen;
    }
    if (!user_.Connect())
        return ConnectionEnd::StayOpen;
    return SetOrRemove(form.Action, check, focus);
}

ConnectionEnd PasswordModel::SetOrRemove(PasswordAction action, const PasswordCheck& check,
                                         PasswordField* focus) {
    CUnitComm link(profile_, codePage_, nullptr, nullptr, sleeper_);
    if (focus)
        *focus = PasswordField::New;
    const LinkResult login = link.Login(check.Current);
    if (login != kOk) {
        Tell(login == kUnitError ? kMsgCurrentPasswordRefused : kMsgPasswordLinkFailed,
             kOkExclamation);
        return ConnectionEnd::StayOpen;
    }

    const bool set = action == PasswordAction::SetOrChange;
    const LinkResult result = set ? link.PasswordCommand(kPasswordSet, check.ScrambledNew)
                                  : link.PasswordCommand(kPasswordRemove);
    if (result == kOk) {
        if (set)
            link.PasswordCommand(kPasswordLogout);
        if (focus)
            *focus = PasswordField::None;
        Tell(set ? kMsgPasswordSet : kMsgPasswordRemoved, kOkInformation);
        return ConnectionEnd::Ok;
    }
    // Leave the unit free for the next one; what it answers changes nothing.
    link.PasswordCommand(kPasswordLogout);
    if (result == kUnitError) {
        Tell(set ? kMsgSetRefused : kMsgRemoveRefused, kOkExclamation);
        return ConnectionEnd::Ok;
    }
    Tell(set ? kMsgPasswordLinkFailed : kMsgRemoveFailed, kOkExclamation);
    return ConnectionEnd::StayOpen;
}

ConnectionEnd PasswordModel::Clear() {
    // The clear cannot be undone: No is the default.
    if (user_.Ask({{kMsgPasswordClearAsk}, kYesNoExclamation | kMbDefButton2, {},
                   DetailJoin::None}) != kIdYes)
        return ConnectionEnd::StayOpen;
    if (!user_.Connect())
        return ConnectionEnd::StayOpen;
    LinkResult result;
    {
        CUnitComm link(profile_, codePage_, nullptr, nullptr, sleeper_);
        BusyScope busy(user_);
        result = link.ClearUnit();
    }
    if (result == kOk)
        Tell(kMsgPasswordClearDone, kOkQuestion);
    else
        Tell(kMsgPasswordClearFailed, kOkExclamation);
    return ConnectionEnd::Ok;
}

void PasswordModel::Tell(unsigned id, unsigned type) {
    user_.Tell({{id}, type, {}, DetailJoin::None});
}

unsigned AcceptPromptPassword(const std::wstring& typed, uint32_t codePage, CUnitComm& link) {
    if (!typed.empty() && !PasswordCharacters(typed))
        return kMsgPasswordCharacters;
    const std::optional<std::string> bytes = WideToMulti(typed, codePage);
    if (!bytes)
        return kMsgPasswordCharacters;
    // The link keeps 8 bytes and would cut a longer text without a word.
    if (bytes->size() > sizeof link.LoginPassword - 1)
        return kMsgPasswordTooLong;
    link.SetLoginPassword(*bytes);
    return 0;
}

void CancelPromptPassword(CUnitComm& link) {
    std::memset(link.LoginPassword, 0, sizeof link.LoginPassword);
}

} // namespace qv
