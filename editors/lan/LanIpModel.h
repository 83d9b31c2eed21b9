// The IP page of the unit's LAN settings: the unit's address, mask and
// gateway, fixed or obtained automatically, and its DNS servers.
#pragma once
#include "editors/lan/LanFieldsModel.h"

namespace qv {

// Field numbers the page puts the focus on.
constexpr int kIpAutoAddressField = 1017;
constexpr int kIpFixedAddressField = 1018;
constexpr int kIpAddressField = 1038;
constexpr int kIpMaskField = 1039;
constexpr int kIpGatewayField = 1040;
constexpr int kIpDns1Field = 1041;
constexpr int kIpDns2Field = 1042;
constexpr int kIpAutoDnsField = 1043;
constexpr int kIpGivenDnsField = 1044;

constexpr unsigned kMsgBadDnsAddress = 20371;  // first octet outside 1..223
constexpr unsigned kMsgBadSubnetMask = 20372;  // not contiguous, or fewer than 3 one-bits
constexpr unsigned kMsgBadHostAddress = 20373; // host part all zeros or all ones

struct IpForm {
    bool autoAddress = false;
    IpEntry address, mask, gateway;
    // A fixed address always goes with given DNS servers.
    bool autoDns = false;
    IpEntry dns1, dns2;
};

IpForm LoadIpForm(const IpBlock& block);
Refusal CheckIpForm(const IpForm& form);
// Writes the page's fields; bytes 0x16 to 0x1F are kept.
void StoreIpForm(const IpForm& form, IpBlock& block);

// n one-bits followed only by zero-bits, n from 3 to 32.
bool IsValidSubnetMask(const IpEntry& mask);
// The host part under the mask has a one-bit and a zero-bit: neither the
// network's own address nor its broadcast address.
bool IsValidHostAddress(const IpEntry& address, const IpEntry& mask);

} // namespace qv
