// The link settings in the profile: defaults, round trip, and stored values
// that do not fit.
#include <gtest/gtest.h>

#include <cstring>

#include "LinkFakes.h"
#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/CommSettings.h"
#include "link/UnitComm.h"

namespace qv {
namespace {

TEST(CommSettings, DefaultsWithoutTheSection) {
    MemoryProfile profile;
    test::FakeSleeper sleeper;
    CUnitComm link(profile, kCodePageJapanese, nullptr, nullptr, sleeper);
    const CommSettings& s = link.CommSettings;
    EXPECT_EQ(s.CommType, 1u);
    EXPECT_EQ(s.Cmd2K, 1u);
    EXPECT_EQ(s.Station, 0u);
    EXPECT_EQ(s.PCIPAddr[0], 0);
    EXPECT_EQ(s.TcpIPAddr[0], 0);
    EXPECT_EQ(s.ComName[0], 0);
    EXPECT_EQ(s.TcpPort, 9094u);
    EXPECT_EQ(s.TcpSendTimeout, 3000);
    EXPECT_EQ(s.TcpRecvTimeout, 3000);
    EXPECT_EQ(s.TcpConnectTimeout, 3000);
    EXPECT_EQ(s.HandShake, 0);
    EXPECT_EQ(s.ComBaudRate, 115200u);
    EXPECT_EQ(s.ComByteSize, 8);
    EXPECT_EQ(s.ComParity, 1);
    EXPECT_EQ(s.ComStopBits, 0);
    EXPECT_EQ(s.ComSendTimeout, 3000);
    EXPECT_EQ(s.ComRecvTimeout, 3000);
    EXPECT_EQ(link.LastError, 0u);
    EXPECT_FALSE(link.LinkIsOpen());
}

TEST(CommSettings, RoundTripKeepsEveryFieldAndNeverStoresStationOrHandShake) {
    MemoryProfile profile;
    CommSettings a;
    a.CommType = 0;
    a.Cmd2K = 0;
    std::strcpy(a.PCIPAddr, "192.168.10.2");
    std::strcpy(a.TcpIPAddr, "192.168.10.200");
    a.TcpPort = 10001;
    a.TcpSendTimeout = 1500;
    a.TcpRecvTimeout = 3500;
    a.TcpConnectTimeout = 250;
    std::strcpy(a.ComName, "/tmp/qv-pty/unit");
    a.ComBaudRate = 9600;
    a.ComByteSize = 7;
    a.ComParity = 2;
    a.ComStopBits = 2;
    a.ComSendTimeout = 100;
    a.ComRecvTimeout = 200;
    a.Station = 5;
    a.HandShake = 1;
    SaveCommSettings(profile, kCodePageJapanese, a);
    EXPECT_EQ(profile.ReadText(kCommSection, "TCP IPAddr"), std::wstring(L"192.168.10.200"));
    EXPECT_EQ(profile.ReadNumber(kCommSection, "COM ByteSize"), 7u);
    EXPECT_FALSE(profile.ReadNumber(kCommSection, "Station"));
    EXPECT_FALSE(profile.ReadNumber(kCommSection, "HandShake"));

    CommSettings b;
    LoadCommSettings(profile, kCodePageJapanese, b);
    a.Station = 0;
    a.HandShake = 0;
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);

    // The 15 values, named exactly as stored by earlier versions.
    const char* numbers[] = {"CommType",        "2KCmd",           "TCP Port",
                             "TCP SendTimeout", "TCP RecvTimeout", "TCP ConnectTimeout",
                             "COM BaudRate",    "COM ByteSize",    "COM Parity",
                             "COM StopBits",    "COM SendTimeout", "COM RecvTimeout"};
    for (const char* n : numbers)
        EXPECT_TRUE(profile.ReadNumber(kCommSection, n)) << n;
    for (const char* n : {"PCIPAddr", "TCP IPAddr", "COM Name"})
        EXPECT_TRUE(profile.ReadText(kCommSection, n)) << n;
}

TEST(CommSettings, LoadLeavesStationAndHandShakeAlone) {
    MemoryProfile profile;
    profile.WriteNumber(kCommSection, "Station", 7);
    profile.WriteNumber(kCommSection, "HandShake", 1);
    CommSettings s;
    s.Station = 0;
    s.HandShake = 0;
    LoadCommSettings(profile, kCodePageJapanese, s);
    EXPECT_EQ(s.Station, 0u);
    EXPECT_EQ(s.HandShake, 0);
}

TEST(CommSettings, MissingValuesTakeTheirDefaultOthersKeepWhatIsStored) {
    MemoryProfile profile;
    profile.WriteNumber(kCommSection, "TCP Port", 502);
    profile.WriteText(kCommSection, "TCP IPAddr", L"10.0.0.1");
    CommSettings s;
    LoadCommSettings(profile, kCodePageJapanese, s);
    EXPECT_EQ(s.TcpPort, 502u);
    EXPECT_STREQ(s.TcpIPAddr, "10.0.0.1");
    EXPECT_EQ(s.CommType, 1u);
    EXPECT_EQ(s.ComBaudRate, 115200u);
}

TEST(CommSettings, StoredValuesOutOfRangeAreReadSafely) {
    MemoryProfile profile;
    profile.WriteNumber(kCommSection, "2KCmd", 7);               // indexes FrameChunkSizes
    profile.WriteNumber(kCommSection, "TCP RecvTimeout", 70000); // truncated to 16 bits
    profile.WriteNumber(kCommSection, "COM ByteSize", 0x108);    // truncated to 8 bits
    // 20 bytes: one more than an address field holds. Never cut into another address.
    profile.WriteText(kCommSection, "TCP IPAddr", L"192.168.100.200.1234");
    profile.WriteText(kCommSection, "PCIPAddr", L"192.168.100.2001234");
    // A port name of 255 bytes fits, 256 do not.
    profile.WriteText(kCommSection, "COM Name", L"/" + std::wstring(254, L'p'));
    CommSettings s;
    LoadCommSettings(profile, kCodePageJapanese, s);
    EXPECT_EQ(s.Cmd2K, 1u);
    EXPECT_EQ(ChunkSizesFor(s.Cmd2K)[0], 1010);
    EXPECT_EQ(s.TcpRecvTimeout, static_cast<uint16_t>(70000));
    EXPECT_EQ(s.ComByteSize, 8);
    EXPECT_EQ(std::string(s.TcpIPAddr), "");
    EXPECT_EQ(std::string(s.PCIPAddr), "192.168.100.2001234"); // 19 bytes fit
    EXPECT_EQ(std::strlen(s.ComName), 255u);

    profile.WriteText(kCommSection, "COM Name", L"/" + std::wstring(255, L'p'));
    std::memset(s.ComName, 'x', sizeof s.ComName);
    LoadCommSettings(profile, kCodePageJapanese, s);
    for (char c : s.ComName)
        ASSERT_EQ(c, 0);

    // Not representable in the code page: empty, never half.
    profile.WriteText(kCommSection, "TCP IPAddr", L"10.0.0.\x0E01");
    LoadCommSettings(profile, kCodePageJapanese, s);
    EXPECT_EQ(std::string(s.TcpIPAddr), "");
    // An empty text clears the field.
    profile.WriteText(kCommSection, "PCIPAddr", L"");
    LoadCommSettings(profile, kCodePageJapanese, s);
    for (char c : s.PCIPAddr)
        ASSERT_EQ(c, 0);

    EXPECT_EQ(ChunkSizesFor(5)[1], 1020);
    EXPECT_EQ(ChunkSizesFor(0)[1], 32);
}

TEST(CommSettings, TextsGoThroughTheCodePage) {
    MemoryProfile profile;
    // A device path with Japanese in it: stored as CP932 bytes, saved back as the same wide text.
    const std::wstring path = L"/tmp/\x30E6\x30CB\x30C3\x30C8";
    profile.WriteText(kCommSection, "COM Name", path);
    CommSettings s;
    LoadCommSettings(profile, kCodePageJapanese, s);
    EXPECT_EQ(std::strlen(s.ComName), 5u + 8u);
    EXPECT_EQ(SerialDevicePath(s, kCodePageJapanese),
              "/tmp/\xE3\x83\xA6\xE3\x83\x8B\xE3\x83\x83\xE3\x83\x88");
    MemoryProfile again;
    SaveCommSettings(again, kCodePageJapanese, s);
    EXPECT_EQ(again.ReadText(kCommSection, "COM Name"), path);
}

TEST(CommSettings, SerialDevicePath) {
    CommSettings s;
    EXPECT_EQ(SerialDevicePath(s, kCodePageJapanese), "");
    std::strcpy(s.ComName, "ttyUSB0");
    EXPECT_EQ(SerialDevicePath(s, kCodePageJapanese), "/dev/ttyUSB0");
    std::strcpy(s.ComName, "ttyS0");
    EXPECT_EQ(SerialDevicePath(s, kCodePageChinese), "/dev/ttyS0");
    std::strcpy(s.ComName, "/tmp/x/unit");
    EXPECT_EQ(SerialDevicePath(s, kCodePageJapanese), "/tmp/x/unit");
}

TEST(CommSettings, LoginPasswordHoldsAtMostEightBytes) {
    MemoryProfile profile;
    test::FakeSleeper sleeper;
    CUnitComm link(profile, kCodePageJapanese, nullptr, nullptr, sleeper);
    link.SetLoginPassword(std::string("abcdefghij"));
    EXPECT_STREQ(link.LoginPassword, "abcdefgh");
    // Never half a character: 7 ASCII and a double-byte one make 9 bytes.
    EXPECT_TRUE(link.SetLoginPassword(std::wstring(L"abcdefg\x3042")));
    EXPECT_STREQ(link.LoginPassword, "abcdefg");
    EXPECT_TRUE(link.SetLoginPassword(std::wstring(L"\x3042\x3044")));
    EXPECT_EQ(std::strlen(link.LoginPassword), 4u);
    EXPECT_FALSE(link.SetLoginPassword(std::wstring(L"\x0E01")));
    EXPECT_EQ(std::strlen(link.LoginPassword), 4u);
    link.SetLoginPassword(std::string());
    EXPECT_STREQ(link.LoginPassword, "");
}

} // namespace
} // namespace qv
