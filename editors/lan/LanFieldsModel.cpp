#include "editors/lan/LanFieldsModel.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "document/CodePageText.h"

namespace qv {

LanCopies LoadLanCopies(const ImageBlocks& blocks) {
    return {blocks.ip, blocks.mail, blocks.ftp, blocks.ftpAccount};
}

void StoreLanCopies(const LanCopies& copies, ImageBlocks& blocks) {
    blocks.ip = copies.ip;
    blocks.mail = copies.mail;
    blocks.ftp = copies.ftp;
    blocks.ftpAccount = copies.account;
}

IpEntry ReadIpEntry(const uint8_t* field) {
    IpEntry entry;
    std::memcpy(entry.octets.data(), field, 4);
    return entry;
}

void WriteIpEntry(const IpEntry& entry, uint8_t* field) {
    std::memcpy(field, entry.octets.data(), 4);
}

IpEntry MakeIpEntry(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    IpEntry entry;
    entry.octets = {a, b, c, d};
    return entry;
}

bool IsUnicastAddress(const IpEntry& entry) {
    const uint8_t first = entry.octets[0];
    return entry.valid && first >= 1 && first <= 223 && first != 127;
}

bool IsServerAddressOrNone(const IpEntry& entry) {
    return entry.IsZero() || IsUnicastAddress(entry);
}

Refusal CheckTextFits(const std::wstring& text, size_t width, uint32_t codePage, bool doubleByteUi,
                      int field) {
    return CheckFieldText(text, width, codePage, doubleByteUi, field, kMsgLanTextTooLong,
                          kMsgLanTextTooLongWide);
}

void StoreTextField(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage) {
    StoreFieldText(field, width, text, codePage);
}

int IndexOfValue(const std::vector<int>& values, int value) {
    const auto at = std::find(values.begin(), values.end(), value);
    return at == values.end() ? -1 : static_cast<int>(at - values.begin());
}

} // namespace qv
