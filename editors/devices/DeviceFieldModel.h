// What the PLC type pages share: the unit text of a device and the messages
// that refuse a page's fields.
#pragma once
#include <cstdint>
#include <string>

#include "document/AddressText.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgBadAddress = 20160;
constexpr unsigned kMsgUnitTextTooLongWide = 20018; // with bytes and characters
constexpr unsigned kMsgUnitTextTooLong = 20002;     // with bytes

// The stored unit text as the page shows it.
std::wstring LoadUnitText(const DeviceRecord& record, uint32_t codePage);

// doubleByteUi: the interface is Japanese or Chinese, whose message names
// characters as well as bytes. `field` is the page's field to focus.
Refusal CheckUnitText(const std::wstring& text, uint32_t codePage, bool doubleByteUi, int field);

// Only after CheckUnitText passed. A text the user left as it was keeps its
// stored bytes.
void StoreUnitText(const std::wstring& text, DeviceRecord& record, uint32_t codePage);

} // namespace qv
