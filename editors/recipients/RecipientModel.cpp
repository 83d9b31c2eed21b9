#include "editors/recipients/RecipientModel.h"

#include <optional>

#include "document/CodePageText.h"
#include "document/TextChecks.h"

namespace qv {

namespace {

Refusal CheckFits(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                  int field) {
    return CheckFieldText(text, width, codePage, doubleByteUi, field, kMsgRecipientTextTooLong,
                          kMsgRecipientTextTooLongWide);
}

} // namespace

RecipientForm RecipientModel::Load(const UserTable& users, int index) const {
    const UserRecord& r = users.records.at(static_cast<size_t>(index));
    return {ReadTextField(r.data() + user::kName, user::kNameWidth, codePage_),
            ReadTextField(r.data() + user::kAddress, user::kAddressWidth, codePage_)};
}

Refusal RecipientModel::Check(const RecipientForm& form, bool doubleByteUi) const {
    if (Refusal r = CheckFits(form.name, user::kNameWidth, codePage_, doubleByteUi, kRecipientName);
        r.Refused())
        return r;
    if (!IsMailAddressText(form.address, form.address.size()))
        return Refuse(kMsgBadMailAddress, kRecipientAddress);
    // Only single-byte characters pass the address check, so one byte each.
    if (form.address.size() > user::kAddressWidth)
        return Refuse(kMsgRecipientTextTooLong, kRecipientAddress,
                      {static_cast<long long>(user::kAddressWidth)});
    return {};
}

void RecipientModel::Store(const RecipientForm& form, UserTable& users, int index) const {
    UserRecord& r = users.records.at(static_cast<size_t>(index));
    StoreFieldText(r.data() + user::kName, user::kNameWidth, form.name, codePage_);
    StoreFieldText(r.data() + user::kAddress, user::kAddressWidth, form.address, codePage_);
}

SendGroupForm SendGroupModel::Load(const GroupTable& groups, int index) const {
    const SendGroupRecord& r = groups.records.at(static_cast<size_t>(index));
    return {ReadTextField(r.data() + sgroup::kName, sgroup::kNameWidth, codePage_),
            r.U16(sgroup::kMembers)};
}

Refusal SendGroupModel::Check(const SendGroupForm& form, bool doubleByteUi) const {
    return CheckFits(form.name, sgroup::kNameWidth, codePage_, doubleByteUi, kSendGroupName);
}

void SendGroupModel::Store(const SendGroupForm& form, GroupTable& groups, int index) const {
    SendGroupRecord& r = groups.records.at(static_cast<size_t>(index));
    StoreFieldText(r.data() + sgroup::kName, sgroup::kNameWidth, form.name, codePage_);
    r.SetU16(sgroup::kMembers, form.members);
}

} // namespace qv
