// The mail-send list page without windows: the texts of its 64 rows and the
// clearing of the checked entries.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "editors/EditorQuestions.h"
#include "editors/mail/MailSendModel.h"

namespace qv {

// True unless every byte the list looks at is zero.
bool IsMailSendSetUp(const MailSendRecord& record);

struct MailSendRowText {
    std::wstring number, trigger, recipients, shortText;
};
MailSendRowText FormatMailSendRow(const MailSendTable& mails, const TriggerTable& triggers,
                                  const UserTable& users, int index, uint32_t codePage);

// Zeroes the records of the given 0-based rows; rows out of range are ignored.
void ClearMailSends(MailSendTable& mails, const std::vector<int>& rows);

} // namespace qv
