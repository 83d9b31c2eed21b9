// The unit search dialog's rows, what taking a unit stores, and which
// search results are told as failures.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "link/CommSettings.h"
#include "online/UnitSearchModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

UnitData Unit(const char* name, const char* address, uint32_t port) {
    UnitData u;
    std::strcpy(u.Name, name);
    std::strcpy(u.IPAddress, address);
    std::strcpy(u.MacAddress, "00:1A:2B:3C:4D:5E");
    u.TcpPort = port;
    return u;
}

TEST(UnitSearchModel, RowsShowEachRecord) {
    struct Case {
        uint8_t onOff, run, major, minor;
        const wchar_t *power, *version, *state;
    };
    const Case cases[] = {
        {1, 1, 2, 0x1E, L"ON", L"2.1E", L"RUN"},
        {0, 0, 0x1A, 0x05, L"OFF", L"1A.05", L"STOP"},
        {0x80, 0xFF, 0, 0, L"ON", L"0.00", L"RUN"},
    };
    for (const Case& c : cases) {
        UnitData u = Unit("PLANT-1", "10.77.0.33", 9094);
        u.OnOffFlag = c.onOff;
        u.RunFlag = c.run;
        u.VersionMajor = c.major;
        u.VersionMinor = c.minor;
        const auto rows = UnitRows({u}, 1, kCodePageJapanese);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0], (UnitRow{L"PLANT-1", L"10.77.0.33", c.power, L"00:1A:2B:3C:4D:5E",
                                    c.version, c.state}));
    }
}

TEST(UnitSearchModel, NamesAreTextOfTheCodePageAndRowsFollowTheCount) {
    const std::vector<UnitData> units = {Unit("\x83\x8D\x83\x4F", "10.0.0.1", 1),
                                         Unit("\xCA\xFD\xBE\xDD", "10.0.0.2", 2)};
    EXPECT_EQ(UnitRows(units, 2, kCodePageJapanese)[0][0], L"\x30ED\x30B0");
    EXPECT_EQ(UnitRows(units, 2, kCodePageChinese)[1][0], L"\x6570\x636E");
    EXPECT_EQ(UnitRows(units, 1, kCodePageJapanese).size(), 1u);
    EXPECT_EQ(UnitRows(units, 5, kCodePageJapanese).size(), 2u);
    EXPECT_TRUE(UnitRows(units, -1, kCodePageJapanese).empty());
}

TEST(UnitSearchModel, OkStoresAddressAndPortDoubleClickTheAddressOnly) {
    struct Case {
        UnitPick pick;
        uint32_t port;
    };
    for (const Case c : {Case{UnitPick::Ok, 9095}, Case{UnitPick::DoubleClick, 20000}}) {
        MemoryProfile profile;
        CommSettings before;
        std::strcpy(before.PCIPAddr, "10.77.0.1");
        std::strcpy(before.TcpIPAddr, "192.168.100.200");
        before.TcpPort = 20000;
        before.TcpSendTimeout = 7000;
        SaveCommSettings(profile, kCodePageJapanese, before);

        TakeUnit(profile, kCodePageJapanese, Unit("U", "10.77.0.33", 9095), c.pick);
        CommSettings after;
        LoadCommSettings(profile, kCodePageJapanese, after);
        EXPECT_STREQ(after.TcpIPAddr, "10.77.0.33"); // no tail of the longer address
        EXPECT_EQ(after.TcpPort, c.port);
        EXPECT_STREQ(after.PCIPAddr, "10.77.0.1");
        EXPECT_EQ(after.TcpSendTimeout, 7000);
    }
}

TEST(UnitSearchModel, OnlyASocketThatFailedIsTold) {
    using namespace link_result;
    test::ScopedLanguage language(test::kEnglish);
    struct Case {
        LinkResult result;
        uint32_t lastError;
        bool told;
    };
    const Case cases[] = {
        {kSocketBind, EADDRNOTAVAIL, true},
        {kUdpNoSocket, EMFILE, true},
        {kUdpSend, ENETUNREACH, true},
        {kUdpRecv, EBADF, true},
        {0, 0, false},
        {kSearchStatusNoMark, 0, false},
        {kSearchNotAReply, 0, false},
        {kCancelled, 0, false},
        // A unit's status byte may hold the number of a socket failure.
        {kSocketBind, 0, false},
    };
    for (const Case& c : cases) {
        const auto text = SearchFailureText(c.result, c.lastError);
        EXPECT_EQ(text.has_value(), c.told) << c.result;
        if (text) {
            EXPECT_EQ(text->rfind(ResString(kMsgSearchFailed), 0), 0u);
            EXPECT_NE(text->find(GetCommErrorText(c.result, c.lastError)), std::wstring::npos);
        }
    }
}

} // namespace
} // namespace qv
