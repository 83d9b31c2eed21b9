// What the three pages of the unit's LAN settings dialog share: the dialog's
// copies of the four blocks, address entries, and the length check and
// store of the fixed-width text fields.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgLanTextTooLongWide = 20018; // bytes and double-byte characters
constexpr unsigned kMsgLanTextTooLong = 20002;     // bytes alone
constexpr unsigned kMsgBadServerAddress = 20370;   // first octet outside 1..223, or 127

// The dialog's copies, in image order. OK writes all four into the document.
struct LanCopies {
    IpBlock ip;
    MailBlock mail;
    FtpBlock ftp;
    FtpAccountBlock account;
};
LanCopies LoadLanCopies(const ImageBlocks& blocks);
void StoreLanCopies(const LanCopies& copies, ImageBlocks& blocks);

// An address as the four-field entry holds it; not valid when a field is
// empty or not an octet.
struct IpEntry {
    std::array<uint8_t, 4> octets{};
    bool valid = true;

    bool IsZero() const { return valid && octets == std::array<uint8_t, 4>{}; }
};
IpEntry ReadIpEntry(const uint8_t* field);
void WriteIpEntry(const IpEntry& entry, uint8_t* field);
IpEntry MakeIpEntry(uint8_t a, uint8_t b, uint8_t c, uint8_t d);

// A valid address whose first octet lies in 1..223 and is not 127.
bool IsUnicastAddress(const IpEntry& entry);
// A server address that may also be 0.0.0.0 (none).
bool IsServerAddressOrNone(const IpEntry& entry);

// A text that must fit `width` bytes of the code page, refused rather than
// cut; the message counts double-byte characters too in a double-byte
// interface.
Refusal CheckTextFits(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                      int field);
// Writes the text NUL-padded over the whole field; an unchanged text keeps
// its stored bytes. Call only after CheckTextFits passed.
void StoreTextField(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage);

// A number of a fixed choice list: the index of `value`, -1 when the list
// does not hold it.
int IndexOfValue(const std::vector<int>& values, int value);

} // namespace qv
