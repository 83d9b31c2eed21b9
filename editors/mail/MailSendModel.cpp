#include "editors/mail/MailSendModel.h"

#include <algorithm>
#include <optional>

#include "document/CodePageText.h"

namespace qv {

MailSendForm LoadMailSendForm(const MailSendRecord& record, uint32_t codePage) {
    MailSendForm form;
    form.shortText = ReadTextField(record.data() + msend::kText, msend::kTextWidth, codePage);
    form.longText =
        ReadTextField(record.data() + msend::kLongText, msend::kLongTextWidth, codePage);
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
    const std::optional<std::string> bytes =
        ShownTextToMulti(FieldBytes(field, width), shown, codePage);
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

} // namespace qv
