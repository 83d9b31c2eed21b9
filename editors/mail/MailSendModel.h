// One mail-send entry's editor, without windows: what its fields show, and
// the check and store of OK.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

namespace msend {
constexpr size_t kLongText = 0x010;
constexpr size_t kLongTextWidth = 256;
constexpr size_t kChoice24 = 0x110;
constexpr size_t kChoice16 = 0x118;
constexpr size_t kReserved119 = 0x119;
constexpr int kChoice16Max = 16;
constexpr int kChoice24Max = 24;
} // namespace msend

constexpr int kMailSendCount = 64;
constexpr int kMailTriggerCount = 128; // the trigger box's entries after "none"
constexpr unsigned kMsgTextLimit = 20000;

// Fields of the editor, for the focus after a refusal.
constexpr int kMailEdShortText = 1118;
constexpr int kMailEdLongText = 1124;

struct MailSendForm {
    std::wstring shortText;
    std::wstring longText;
    int trigger = 0; // -1: the box shows no entry (stored number kept)
    uint16_t userMask = 0;
    bool choiceOn = false; // check box 1197
    int choiceIndex = 0;   // index in combo 1214; -1: no entry shown (stored number kept)
};

// What the editor shows for the record. A stored number the boxes cannot
// show gives -1, so OK keeps it.
MailSendForm LoadMailSendForm(const MailSendRecord& record, uint32_t codePage);

// Checks the form and writes it into record; refused: record untouched.
Refusal StoreMailSendForm(const MailSendForm& form, MailSendRecord& record, uint32_t codePage);

} // namespace qv
