#include "editors/mail/MailSendModel.h"

#include <algorithm>
#include <optional>

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"

namespace qv {

MailSendForm LoadMailSendForm(const MailSendRecord& record, uint32_t codePage) {
    MailSendForm form;
    form.shortText = ReadTextField(record.data() + msend::kText, msend::kTextWidth, codePage);
    form.longText = ReadTextField(record.data() + msend::kLongText, msend::kLongTextWidth, codePage);
    const int trigger = record.U8(msend::kTrigger);
    form.trigger = trigger <= kMailTriggerCount ? trigger : -1;
    form.userMask = record.U16(msend::kRecipients);
    const int choice = record.U8(msend::kChoice16);
    form.choiceOn = choice != 0;
    form.choiceIndex = choice == 0 ? 0 : choice <= msend::kChoice16Max ? choice - 1 : -1;
    return form;
}

namespace {
// The field's new bytes, or the refusal; a text shown unchanged keeps its bytes.
Refusal TextBytes(const uint8_t* field, size_t width, const std::wstring& shown, uint32_t codePage,
                  int fieldId, std::string& out) {
    const std::optional<std::string> bytes = ShownTextToMulti(FieldBytes(field, width), shown, codePage);
    if (!bytes)
        return Refuse(kMsgTextNotInCodePage, fieldId);
    if (bytes->size() > width)
        return Refuse(kMsgTextLimit, fieldId,
                      {static_cast<long long>(width / 2), static_cast<long long>(width)});
    out = *bytes;
    return {};
}
} // namespace

Refusal StoreMailSendForm(const MailSendForm& form, MailSendRecord& record, uint32_t codePage) {
    std::string shortBytes, longBytes;
    Refusal r = TextBytes(record.data() + msend::kText, msend::kTextWidth, form.shortText, codePage,
                          kMailEdShortText, shortBytes);
    if (r.Refused())
        return r;
    r = TextBytes(record.data() + msend::kLongText, msend::kLongTextWidth, form.longText, codePage,
                  kMailEdLongText, longBytes);
    if (r.Refused())
        return r;
    if (form.trigger >= 0)
        record.SetU8(msend::kTrigger, static_cast<uint8_t>(form.trigger));
    record.SetU16(msend::kRecipients, form.userMask);
    std::fill_n(record.data() + msend::kText, msend::kTextWidth, 0);
    std::copy(shortBytes.begin(), shortBytes.end(), record.data() + msend::kText);
    std::fill_n(record.data() + msend::kLongText, msend::kLongTextWidth, 0);
    std::copy(longBytes.begin(), longBytes.end(), record.data() + msend::kLongText);
    if (!form.choiceOn)
        record.SetU8(msend::kChoice16, 0);
    else if (form.choiceIndex >= 0 && form.choiceIndex < msend::kChoice16Max)
        record.SetU8(msend::kChoice16, static_cast<uint8_t>(form.choiceIndex + 1));
    return {};
}

bool IsMailSendSetUp(const MailSendRecord& r) {
    return r.U8(msend::kText) || r.U8(msend::kLongText) || r.U8(msend::kChoice16) ||
           r.U8(msend::kReserved119) || r.U8(msend::kChoice24) || r.U8(msend::kTrigger) ||
           r.U16(msend::kRecipients);
}

MailSendRowText FormatMailSendRow(const MailSendTable& mails, const TriggerTable& triggers,
                                  const UserTable& users, int index, uint32_t codePage) {
    MailSendRowText row;
    row.number = std::to_wstring(index + 1);
    if (index < 0 || index >= kMailSendCount)
        return row;
    const MailSendRecord& r = mails[static_cast<size_t>(index)];
    if (!IsMailSendSetUp(r))
        return row;
    const int trigger = r.U8(msend::kTrigger);
    if (trigger == 0)
        row.trigger = ResString(kStrNoTrigger);
    else if (static_cast<size_t>(trigger) <= TriggerTable::kCount)
        row.trigger = std::to_wstring(trigger) + L"(" +
                      ReadTextField(triggers[static_cast<size_t>(trigger - 1)].data() + trig::kName,
                                    32, codePage) +
                      L")";
    else
        row.trigger = std::to_wstring(trigger);
    const uint16_t mask = r.U16(msend::kRecipients);
    for (size_t u = 0; u < UserTable::kCount; ++u)
        if ((mask >> u) & 1)
            row.recipients += ReadTextField(users[u].data() + user::kName, user::kNameWidth, codePage) + L", ";
    row.shortText = ReadTextField(r.data() + msend::kText, msend::kTextWidth, codePage);
    return row;
}

void ClearMailSends(MailSendTable& mails, const std::vector<int>& rows) {
    for (int row : rows)
        if (row >= 0 && row < kMailSendCount)
            mails[static_cast<size_t>(row)] = MailSendRecord{};
}

} // namespace qv
