#include "editors/mail/MailSendListModel.h"

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"

namespace qv {

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
    row.recipients = RecipientNames(users, r.U16(msend::kRecipients), codePage);
    row.shortText = ReadTextField(r.data() + msend::kText, msend::kTextWidth, codePage);
    return row;
}

void ClearMailSends(MailSendTable& mails, const std::vector<int>& rows) {
    for (int row : rows)
        if (row >= 0 && row < kMailSendCount)
            mails[static_cast<size_t>(row)] = MailSendRecord{};
}

} // namespace qv
