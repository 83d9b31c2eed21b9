// The IP page's model: the mask and host rules, which entries are refused
// with which message and focus, and exactly which bytes a store writes.
#include <gtest/gtest.h>

#include "editors/lan/LanIpModel.h"

namespace qv {
namespace {

IpEntry E(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    return MakeIpEntry(a, b, c, d);
}

IpEntry Invalid() {
    IpEntry e;
    e.valid = false;
    return e;
}

IpForm Fixed(IpEntry address, IpEntry mask = E(255, 255, 255, 0), IpEntry gateway = {}) {
    IpForm f;
    f.address = address;
    f.mask = mask;
    f.gateway = gateway;
    return f;
}

TEST(LanIpModelTest, SubnetMasks) {
    const struct {
        IpEntry mask;
        bool valid;
    } cases[] = {
        {E(0, 0, 0, 0), false},     {E(128, 0, 0, 0), false},    {E(192, 0, 0, 0), false},
        {E(224, 0, 0, 0), true},    {E(255, 255, 255, 0), true}, {E(255, 255, 255, 255), true},
        {E(255, 0, 255, 0), false}, {E(255, 255, 254, 0), true}, {E(255, 255, 255, 1), false},
        {Invalid(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidSubnetMask(c.mask), c.valid)
            << int{c.mask.octets[0]} << "." << int{c.mask.octets[1]} << "." << int{c.mask.octets[2]}
            << "." << int{c.mask.octets[3]};
}

struct IpCase {
    const char* what;
    IpForm form;
    unsigned message; // 0: accepted
    int field;
};

TEST(LanIpModelTest, ChecksInPageOrder) {
    IpForm autoWithBadDns;
    autoWithBadDns.autoAddress = true;
    autoWithBadDns.address = Invalid(); // not read when automatic
    autoWithBadDns.dns2 = E(224, 0, 0, 1);
    IpForm autoBoth = autoWithBadDns;
    autoBoth.autoDns = true;
    IpForm dns127 = Fixed(E(192, 168, 1, 1));
    dns127.dns1 = E(127, 0, 0, 1);
    IpForm dnsBlankField = Fixed(E(192, 168, 1, 1));
    dnsBlankField.dns1 = Invalid();
    // A fixed address goes with given servers, whatever the form says.
    IpForm fixedAutoDns = Fixed(E(192, 168, 1, 1));
    fixedAutoDns.autoDns = true;
    fixedAutoDns.dns1 = E(0, 1, 2, 3);

    const IpCase cases[] = {
        {"factory", Fixed(E(192, 168, 1, 5), E(255, 255, 255, 0), E(192, 168, 1, 1)), 0, 0},
        {"address 0.0.0.0", Fixed(E(0, 0, 0, 0)), 20370, kIpAddressField},
        {"address 127.0.0.1", Fixed(E(127, 0, 0, 1)), 20370, kIpAddressField},
        {"address 224.0.0.1", Fixed(E(224, 0, 0, 1)), 20370, kIpAddressField},
        {"address 223.1.1.1", Fixed(E(223, 1, 1, 1)), 0, 0},
        {"address with an empty field", Fixed(Invalid()), 20370, kIpAddressField},
        {"mask before host", Fixed(E(192, 168, 1, 0), E(255, 0, 255, 0)), 20372, kIpMaskField},
        {"network address", Fixed(E(192, 168, 1, 0)), 20373, kIpAddressField},
        {"broadcast address", Fixed(E(192, 168, 1, 255)), 20373, kIpAddressField},
        {"mask /32", Fixed(E(192, 168, 1, 1), E(255, 255, 255, 255)), 20373, kIpAddressField},
        {"mask /31", Fixed(E(192, 168, 1, 1), E(255, 255, 255, 254)), 20373, kIpAddressField},
        {"gateway none", Fixed(E(192, 168, 1, 1), E(255, 255, 255, 0), E(0, 0, 0, 0)), 0, 0},
        {"gateway 127.0.0.1", Fixed(E(192, 168, 1, 1), E(255, 255, 255, 0), E(127, 0, 0, 1)), 20370,
         kIpGatewayField},
        {"gateway 0.1.2.3", Fixed(E(192, 168, 1, 1), E(255, 255, 255, 0), E(0, 1, 2, 3)), 20370,
         kIpGatewayField},
        {"DNS 127.0.0.1", dns127, 0, 0},
        {"DNS with an empty field", dnsBlankField, 20371, kIpDns1Field},
        {"automatic address, second DNS 224.0.0.1", autoWithBadDns, 20371, kIpDns2Field},
        {"automatic address and DNS", autoBoth, 0, 0},
        {"fixed address checks its DNS", fixedAutoDns, 20371, kIpDns1Field},
    };
    for (const IpCase& c : cases) {
        const Refusal r = CheckIpForm(c.form);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
}

TEST(LanIpModelTest, StoreWritesTheFieldsAndKeepsTheRest) {
    IpBlock block;
    block.bytes.fill(0xA5);
    IpForm form = Fixed(E(10, 1, 2, 3), E(255, 255, 0, 0), E(10, 1, 0, 1));
    form.dns1 = E(8, 8, 8, 8);
    StoreIpForm(form, block);
    const uint8_t fixed[22] = {10, 1, 2, 3, 255, 255, 0, 0, 10, 1, 0,
                               1,  8, 8, 8, 8,   0,   0, 0, 0,  0, 0};
    for (size_t i = 0; i < 22; ++i)
        EXPECT_EQ(block.bytes[i], fixed[i]) << "byte " << i;
    for (size_t i = 22; i < 32; ++i)
        EXPECT_EQ(block.bytes[i], 0xA5) << "byte " << i;

    // Automatic: the address fields are zero whatever the entries hold.
    form.autoAddress = true;
    form.autoDns = true;
    StoreIpForm(form, block);
    for (size_t i = 0; i < 20; ++i)
        EXPECT_EQ(block.bytes[i], 0) << "byte " << i;
    EXPECT_EQ(block.U8(ip::kAutoAddress), 1);
    EXPECT_EQ(block.U8(ip::kAutoDns), 1);
    const IpForm back = LoadIpForm(block);
    EXPECT_TRUE(back.autoAddress);
    EXPECT_TRUE(back.address.IsZero());

    // A stored fixed address with automatic DNS loads as given servers.
    block.SetU8(ip::kAutoAddress, 0);
    EXPECT_FALSE(LoadIpForm(block).autoDns);
}

} // namespace
} // namespace qv
