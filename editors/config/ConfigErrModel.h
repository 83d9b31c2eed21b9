// The error notification: six switches (bytes 8 to 13) and the recipient
// mask (u16 at 16) of the error-notification block.
#pragma once
#include <array>
#include <cstdint>

#include "document/SettingsImage.h"

namespace qv {

constexpr size_t kErrorSwitchCount = 6;

struct ConfigErrForm {
    std::array<bool, kErrorSwitchCount> switches{};
    uint16_t recipients = 0; // bit i: recipient i + 1
};

ConfigErrForm LoadConfigErr(const ErrorNotifyBlock& errors);
// Writes the switches as 0 or 1 and the mask; the other bytes stay.
void StoreConfigErr(const ConfigErrForm& form, ErrorNotifyBlock& errors);

} // namespace qv
