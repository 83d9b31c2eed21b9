#include "editors/recipients/RecipientModel.h"

#include <optional>

#include "document/CodePageText.h"
#include "document/TextChecks.h"

namespace qv {

namespace {

// A text that must fit `width` bytes of the code page: refused rather than
// cut, so a double-byte character is never split.
Refusal CheckFits(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                  int field) {
    const std::optional<std::string> bytes = WideToMulti(text, codePage);
    if (!bytes)
        return Refuse(kMsgTextNotInCodePage, field);
    if (bytes->size() > width) {
        const long long w = static_cast<long long>(width);
        // The English text has no place for the double-byte count.
        return doubleByteUi ? Refuse(kMsgRecipientTextTooLongWide, field, {w, w / 2})
                            : Refuse(kMsgRecipientTextTooLong, field, {w});
    }
    return {};
}

// Keeps the stored bytes when the text was not changed.
void StoreText(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage) {
    if (const auto bytes = ShownTextToMulti(FieldBytes(field, width), text, codePage))
        WriteMultiField(field, width, *bytes, codePage);
}

} // namespace

RecipientForm RecipientModel::Load(const UserTable& users, int index) const {
    const UserRecord& r = users.records.at(static_cast<size_t>(index));
    return {ReadTextField(r.data() + user::kName, user::kNameWidth, codePage_),
            ReadTextField(r.data() + user::kAddress, user::kAddressWidth, codePage_)};
}

Refusal RecipientModel::Check(const RecipientForm& form, bool doubleByteUi) const {
    if (Refusal r = CheckFits(form.name, user::kNameWidth, codePage_, doubleByteUi,
                              kRecipientName);
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
    StoreText(r.data() + user::kName, user::kNameWidth, form.name, codePage_);
    StoreText(r.data() + user::kAddress, user::kAddressWidth, form.address, codePage_);
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
    StoreText(r.data() + sgroup::kName, sgroup::kNameWidth, form.name, codePage_);
    r.SetU16(sgroup::kMembers, form.members);
}

} // namespace qv
