// The unit search's reply parsing on its own: raw datagrams in, records out.
// No socket here; the search itself runs in tests/link/netns.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "link/UnitSearch.h"

namespace qv::test {
namespace {

// A reply as a unit builds it: 32 bytes of head, the name, four trailer bytes.
std::vector<uint8_t> Reply(const std::string& name, int declaredLength = -1) {
    std::vector<uint8_t> d = {0x88, 0xC0, 0x03, 0x01,             // mark, status, flag
                              192,  168,  1,    5,                // address
                              255,  255,  255,  0,                // mask
                              192,  168,  1,    1,                // gateway
                              0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, // MAC
                              0x02, 0x1E,                         // version 2.1E
                              0x23, 0x86,                         // TCP port 9094
                              0x01, 0x2C,                         // running, model
                              0,    0,    0,                      // unused
                              0};
    d[31] = static_cast<uint8_t>(declaredLength >= 0 ? declaredLength : name.size());
    for (char c : name)
        d.push_back(static_cast<uint8_t>(c));
    for (uint8_t t : {0xA1, 0xA2, 0xA3, 0xA4})
        d.push_back(t);
    return d;
}

TEST(SearchReply, EveryFieldOfAWholeReply) {
    const std::string name = "\x83\x8D\x83\x4F-UNIT"; // code page 932 bytes
    const std::vector<uint8_t> d = Reply(name);
    UnitData r;
    ParseSearchReply(d.data(), d.size(), r);
    EXPECT_EQ(r.OnOffFlag, 1);
    EXPECT_STREQ(r.IPAddress, "192.168.1.5");
    EXPECT_STREQ(r.SubnetMask, "255.255.255.0");
    EXPECT_STREQ(r.Gateway, "192.168.1.1");
    EXPECT_STREQ(r.MacAddress, "00:1A:2B:3C:4D:5E");
    EXPECT_EQ(r.VersionMajor, 2);
    EXPECT_EQ(r.VersionMinor, 0x1E);
    EXPECT_EQ(r.TcpPort, 9094u);
    EXPECT_EQ(r.RunFlag, 1);
    EXPECT_EQ(r.ModelCode, 0x2C);
    EXPECT_EQ(r.NameLength, name.size());
    EXPECT_EQ(std::string(r.Name), name);
    EXPECT_EQ(r.Trailer0, 0xA1);
    EXPECT_EQ(r.Trailer1, 0xA2);
    EXPECT_EQ(r.Trailer2, 0xA3);
    EXPECT_EQ(r.Trailer3, 0xA4);
}

// The name is taken as long as its length byte says, never beyond its
// 32-byte field nor beyond the datagram; the trailer stands where the
// length byte puts it and reads 0 past the end. Every datagram lies in a
// buffer of exactly its size, so a read past it is caught by the sanitizer.
TEST(SearchReply, NameLengthIsCheckedAgainstFieldAndDatagram) {
    const std::string n32(32, 'N');
    const std::string n40 = std::string(32, 'L') + "OVERFLOW";
    struct Case {
        const char* what;
        std::vector<uint8_t> datagram;
        std::string name;
        uint8_t trailer[4];
    };
    std::vector<uint8_t> cutInName = Reply("ABCDEFGHIJ", 20);
    // Six of the twenty name bytes came.
    cutInName.resize(32 + 6);
    std::vector<uint8_t> lyingLength = Reply("SHORT", 9); // the trailer is read as name
    std::vector<uint8_t> maxLength = Reply("X", 255);
    std::vector<uint8_t> headOnly = Reply("NAME");
    headOnly.resize(31); // not even the length byte
    const Case cases[] = {
        {"no name", Reply(""), "", {0xA1, 0xA2, 0xA3, 0xA4}},
        {"name fills its field", Reply(n32), n32, {0xA1, 0xA2, 0xA3, 0xA4}},
        {"name longer than its field", Reply(n40), n40.substr(0, 32), {0xA1, 0xA2, 0xA3, 0xA4}},
        {"datagram ends inside the name", cutInName, "ABCDEF", {0, 0, 0, 0}},
        {"length says more than came", lyingLength, "SHORT\xA1\xA2\xA3\xA4", {0, 0, 0, 0}},
        {"length 255", maxLength, "X\xA1\xA2\xA3\xA4", {0, 0, 0, 0}},
        {"no length byte", headOnly, "", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> exact(c.datagram); // a heap block of exactly its size
        exact.shrink_to_fit();
        UnitData r;
        std::memset(r.Name, 'Z', sizeof r.Name); // the parse clears what it does not fill
        ParseSearchReply(exact.data(), exact.size(), r);
        EXPECT_EQ(std::string(r.Name, strnlen(r.Name, sizeof r.Name)), c.name);
        EXPECT_EQ(r.Name[sizeof r.Name - 1], '\0');
        EXPECT_EQ(r.NameLength, c.name.size());
        EXPECT_EQ(r.Trailer0, c.trailer[0]);
        EXPECT_EQ(r.Trailer1, c.trailer[1]);
        EXPECT_EQ(r.Trailer2, c.trailer[2]);
        EXPECT_EQ(r.Trailer3, c.trailer[3]);
    }
}

TEST(SearchReply, ShortDatagramReadsZeroWhereItEnds) {
    const std::vector<uint8_t> full = Reply("NAME");
    std::vector<uint8_t> d(full.begin(), full.begin() + 10); // ends inside the mask
    d.shrink_to_fit();
    UnitData r;
    ParseSearchReply(d.data(), d.size(), r);
    EXPECT_STREQ(r.IPAddress, "192.168.1.5");
    EXPECT_STREQ(r.SubnetMask, "255.255.0.0");
    EXPECT_STREQ(r.Gateway, "0.0.0.0");
    EXPECT_STREQ(r.MacAddress, "00:00:00:00:00:00");
    EXPECT_EQ(r.TcpPort, 0u);
    EXPECT_EQ(r.ModelCode, 0);
    EXPECT_EQ(r.NameLength, 0);
}

TEST(SearchReply, FormatIPv4) {
    const struct {
        uint32_t address;
        const char* text;
    } cases[] = {{0, "0.0.0.0"},
                 {0xFFFFFFFF, "255.255.255.255"},
                 {0xC0A80105, "192.168.1.5"},
                 {0x0A000001, "10.0.0.1"},
                 {0x01020304, "1.2.3.4"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatIPv4(c.address), c.text);
}

TEST(SearchReply, IsNewUnitLooksAtTheFirstCountRecords) {
    std::vector<UnitData> units(3);
    std::strcpy(units[0].MacAddress, "00:1A:2B:3C:4D:5E");
    std::strcpy(units[1].MacAddress, "00:1A:2B:3C:4D:5F");
    std::strcpy(units[2].MacAddress, "00:1A:2B:3C:4D:60");
    const struct {
        const char* mac;
        size_t count;
        bool isNew;
    } cases[] = {
        {"00:1A:2B:3C:4D:5E", 0, true},  // no records yet
        {"00:1A:2B:3C:4D:5E", 1, false}, // the first
        {"00:1A:2B:3C:4D:60", 2, true},  // only beyond count
        {"00:1A:2B:3C:4D:60", 3, false},
        {"00:1A:2B:3C:4D:60", 99, false}, // a count beyond the records stops at them
        {"00:1A:2B:3C:4D:61", 99, true},
        {"00:1a:2b:3c:4d:5e", 3, true}, // texts, compared as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNewUnit(c.mac, units, c.count), c.isNew) << c.mac << " " << c.count;
}

} // namespace
} // namespace qv::test
