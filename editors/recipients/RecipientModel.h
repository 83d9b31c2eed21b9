// Load, check and store of one mail recipient and of one send group, on the
// owner's copies of the user and group tables.
#pragma once
#include <cstdint>
#include <string>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

// Field numbers the windows put the focus on.
constexpr int kRecipientName = 1032;
constexpr int kRecipientAddress = 1033;
constexpr int kSendGroupName = 1027;

constexpr unsigned kMsgRecipientTextTooLongWide = 20018; // bytes and double-byte characters
constexpr unsigned kMsgRecipientTextTooLong = 20002;     // bytes alone
constexpr unsigned kMsgBadMailAddress = 20270;

namespace sgroup {
constexpr size_t kName = 0x00, kNameWidth = 32;
constexpr size_t kMembers = 0x22; // u16
} // namespace sgroup

struct RecipientForm {
    std::wstring name;
    std::wstring address;
};

struct SendGroupForm {
    std::wstring name;
    uint16_t members = 0;
};

// doubleByteUi: the interface is Japanese or Chinese, whose length message
// also counts double-byte characters.
class RecipientModel {
public:
    explicit RecipientModel(uint32_t codePage) : codePage_(codePage) {}

    RecipientForm Load(const UserTable& users, int index) const;
    Refusal Check(const RecipientForm& form, bool doubleByteUi) const;
    // Writes the name and the address; the rest of the record is kept.
    void Store(const RecipientForm& form, UserTable& users, int index) const;

private:
    uint32_t codePage_;
};

class SendGroupModel {
public:
    explicit SendGroupModel(uint32_t codePage) : codePage_(codePage) {}

    SendGroupForm Load(const GroupTable& groups, int index) const;
    Refusal Check(const SendGroupForm& form, bool doubleByteUi) const;
    // Writes the name and the member mask; the reserved bytes are kept.
    void Store(const SendGroupForm& form, GroupTable& groups, int index) const;

private:
    uint32_t codePage_;
};

} // namespace qv
