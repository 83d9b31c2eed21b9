#include "editors/lan/LanIpModel.h"

namespace qv {

namespace {

uint32_t AsNumber(const IpEntry& e) {
    return uint32_t{e.octets[0]} << 24 | uint32_t{e.octets[1]} << 16 | uint32_t{e.octets[2]} << 8 |
           e.octets[3];
}

int LeadingOnes(uint32_t v) {
    int n = 0;
    while (n < 32 && (v & (0x80000000u >> n)))
        ++n;
    return n;
}

} // namespace

IpForm LoadIpForm(const IpBlock& block) {
    IpForm form;
    form.autoAddress = block.U8(ip::kAutoAddress) != 0;
    form.address = ReadIpEntry(block.data() + ip::kAddress);
    form.mask = ReadIpEntry(block.data() + ip::kMask);
    form.gateway = ReadIpEntry(block.data() + ip::kGateway);
    form.autoDns = form.autoAddress && block.U8(ip::kAutoDns) != 0;
    form.dns1 = ReadIpEntry(block.data() + ip::kDns1);
    form.dns2 = ReadIpEntry(block.data() + ip::kDns2);
    return form;
}

bool IsValidSubnetMask(const IpEntry& mask) {
    if (!mask.valid)
        return false;
    const uint32_t v = AsNumber(mask);
    const int n = LeadingOnes(v);
    const uint32_t ones = n == 0 ? 0 : 0xFFFFFFFFu << (32 - n);
    return n >= 3 && v == ones;
}

bool IsValidHostAddress(const IpEntry& address, const IpEntry& mask) {
    const int n = LeadingOnes(AsNumber(mask));
    if (n >= 31)
        return false;
    const uint32_t hostMask = 0xFFFFFFFFu >> n;
    const uint32_t host = AsNumber(address) & hostMask;
    return host != 0 && host != hostMask;
}

Refusal CheckIpForm(const IpForm& form) {
    if (!form.autoAddress) {
        if (!IsUnicastAddress(form.address))
            return Refuse(kMsgBadServerAddress, kIpAddressField);
        if (!IsValidSubnetMask(form.mask))
            return Refuse(kMsgBadSubnetMask, kIpMaskField);
        if (!IsValidHostAddress(form.address, form.mask))
            return Refuse(kMsgBadHostAddress, kIpAddressField);
        if (!IsServerAddressOrNone(form.gateway))
            return Refuse(kMsgBadServerAddress, kIpGatewayField);
    }
    if (!form.autoDns || !form.autoAddress) {
        // Unlike the unit's own address and its gateway, a DNS server may be 127.x.
        auto dnsOk = [](const IpEntry& e) {
            return e.IsZero() || (e.valid && e.octets[0] >= 1 && e.octets[0] <= 223);
        };
        if (!dnsOk(form.dns1))
            return Refuse(kMsgBadDnsAddress, kIpDns1Field);
        if (!dnsOk(form.dns2))
            return Refuse(kMsgBadDnsAddress, kIpDns2Field);
    }
    return {};
}

void StoreIpForm(const IpForm& form, IpBlock& block) {
    const bool autoDns = form.autoAddress && form.autoDns;
    block.SetU8(ip::kAutoAddress, form.autoAddress ? 1 : 0);
    const IpEntry none;
    WriteIpEntry(form.autoAddress ? none : form.address, block.data() + ip::kAddress);
    WriteIpEntry(form.autoAddress ? none : form.mask, block.data() + ip::kMask);
    WriteIpEntry(form.autoAddress ? none : form.gateway, block.data() + ip::kGateway);
    block.SetU8(ip::kAutoDns, autoDns ? 1 : 0);
    WriteIpEntry(autoDns ? none : form.dns1, block.data() + ip::kDns1);
    WriteIpEntry(autoDns ? none : form.dns2, block.data() + ip::kDns2);
}

} // namespace qv
