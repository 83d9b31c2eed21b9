// The PC-side LAN settings: what the dialog shows, what OK refuses and what
// it stores, and the PC address stored before the dialog opens.
#include <gtest/gtest.h>

#include <cstring>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "online/LanLinkModel.h"

namespace qv {
namespace {

CommSettings Stored() {
    CommSettings s;
    std::strcpy(s.PCIPAddr, "10.0.0.7");
    std::strcpy(s.TcpIPAddr, "192.168.10.20");
    std::strcpy(s.ComName, "ttyUSB0");
    s.CommType = kCommSerial;
    s.TcpPort = 9094;
    s.TcpSendTimeout = 3500;
    s.TcpRecvTimeout = 1000;
    s.TcpConnectTimeout = 60000;
    s.ComBaudRate = 38400;
    return s;
}

// Field by field: the record has padding.
::testing::AssertionResult Same(const CommSettings& a, const CommSettings& b) {
    auto text = [](const char* x, const char* y, size_t n) { return std::memcmp(x, y, n) == 0; };
    if (a.CommType == b.CommType && a.Station == b.Station && a.Cmd2K == b.Cmd2K &&
        text(a.PCIPAddr, b.PCIPAddr, kAddressField) &&
        text(a.TcpIPAddr, b.TcpIPAddr, kAddressField) && a.TcpPort == b.TcpPort &&
        a.TcpSendTimeout == b.TcpSendTimeout && a.TcpRecvTimeout == b.TcpRecvTimeout &&
        a.TcpConnectTimeout == b.TcpConnectTimeout && text(a.ComName, b.ComName, kComNameField) &&
        a.HandShake == b.HandShake && a.ComBaudRate == b.ComBaudRate &&
        a.ComByteSize == b.ComByteSize && a.ComParity == b.ComParity &&
        a.ComStopBits == b.ComStopBits && a.ComSendTimeout == b.ComSendTimeout &&
        a.ComRecvTimeout == b.ComRecvTimeout)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the link settings differ";
}

int Index(int seconds) {
    const auto& list = LanTimeoutSeconds();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == seconds)
            return static_cast<int>(i);
    return -1;
}

TEST(LanLinkModel, LoadShowsTheStoredSettings) {
    const LanLinkForm form = LoadLanLinkForm(Stored(), kCodePageJapanese);
    EXPECT_EQ(form.PcAddress, L"10.0.0.7");
    EXPECT_EQ(form.UnitAddress, L"192.168.10.20");
    EXPECT_EQ(form.Port, L"9094");
    EXPECT_EQ(form.SendTimeout, Index(3)); // 3500 ms: integer division
    EXPECT_EQ(form.ConnectTimeout, Index(60));
    EXPECT_EQ(LanTimeoutSeconds().size(), 20u);

    struct Case {
        uint16_t ms;
        int index;
    };
    for (const Case c :
         {Case{999, -1}, Case{1000, Index(1)}, Case{10999, Index(10)}, Case{11000, -1},
          Case{14000, -1}, Case{15000, Index(15)}, Case{61000, -1}}) {
        CommSettings s = Stored();
        s.TcpConnectTimeout = c.ms;
        EXPECT_EQ(LoadLanLinkForm(s, kCodePageJapanese).ConnectTimeout, c.index) << c.ms;
    }
    // An address that is not four numbers shows what of it reads as numbers.
    CommSettings s = Stored();
    std::strcpy(s.TcpIPAddr, "10.1");
    EXPECT_EQ(LoadLanLinkForm(s, kCodePageJapanese).UnitAddress, L"10.1.0.0");
    s.TcpIPAddr[0] = 0;
    EXPECT_EQ(LoadLanLinkForm(s, kCodePageJapanese).UnitAddress, L"0.0.0.0");
}

TEST(LanLinkModel, DefaultsOnlyTheFourValues) {
    CommSettings s = Stored();
    ApplyLanDefaults(s);
    const LanLinkForm form = LoadLanLinkForm(s, kCodePageJapanese);
    EXPECT_EQ(form.UnitAddress, L"192.168.1.5");
    EXPECT_EQ(form.Port, L"9094");
    EXPECT_EQ(form.SendTimeout, Index(3));
    EXPECT_EQ(form.ConnectTimeout, Index(3));
    EXPECT_EQ(form.PcAddress, L"10.0.0.7");
    EXPECT_EQ(s.TcpRecvTimeout, 1000); // taken from the send list only on OK
}

TEST(LanLinkModel, CheckRefusesWhatNoUnitCanUse) {
    struct Case {
        const wchar_t* address;
        const wchar_t* port;
        unsigned message;
        LanField focus;
    };
    const Case cases[] = {
        {L"192.168.1.5", L"1", 0, LanField::None},
        {L"192.168.1.5", L"49151", 0, LanField::None},
        {L" 10.0.0.1 ", L"9094", 0, LanField::None},
        {L"255.255.255.255", L"9094", 0, LanField::None},
        {L"192.168.1.5", L"0", kMsgPortRange, LanField::Port},
        {L"192.168.1.5", L"49152", kMsgPortRange, LanField::Port},
        {L"192.168.1.5", L"", kMsgPortRange, LanField::Port},
        {L"192.168.1.5", L"99999", kMsgPortRange, LanField::Port},
        {L"192.168.1.5", L"9090", kMsgSearchPortTaken, LanField::Port},
        {L"0.0.0.0", L"9094", kMsgUnitAddressZero, LanField::UnitAddress},
        {L"0.0.0.0", L"0", kMsgUnitAddressZero, LanField::UnitAddress}, // address first
        {L"256.1.1.1", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
        {L"10.1.1", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
        {L"10.1.1.1.1", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
        {L"10..1.1", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
        {L"10.1.1.0001", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
        {L"", L"9094", kMsgUnitAddressForm, LanField::UnitAddress},
    };
    for (const Case& c : cases) {
        LanLinkForm form = LoadLanLinkForm(Stored(), kCodePageJapanese);
        form.UnitAddress = c.address;
        form.Port = c.port;
        const LanCheck check = CheckLanLinkForm(form);
        EXPECT_EQ(check.MessageId, c.message) << c.address << " " << c.port;
        EXPECT_EQ(check.Focus, c.focus) << c.address << " " << c.port;
        if (c.message == kMsgPortRange)
            EXPECT_EQ(check.Args, (std::vector<int>{1, 49151}));
    }
}

TEST(LanLinkModel, StoreWritesTheFiveFieldsAndKeepsTheRest) {
    struct Case {
        const char* what;
        int send, connect; // -1: the list shows no selection
        uint16_t sendMs, recvMs, connectMs;
    };
    const Case cases[] = {
        {"both chosen", Index(5), Index(45), 5000, 5000, 45000},
        // 3500 ms shows as 3 s; OK with it stores the 3 s the user sees.
        {"as loaded", Index(3), Index(60), 3000, 3000, 60000},
        // A time-out the lists do not hold keeps its value; receive follows send.
        {"neither listed", -1, -1, 3500, 3500, 60000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommSettings s = Stored();
        LanLinkForm form = LoadLanLinkForm(s, kCodePageJapanese);
        form.UnitAddress = L"10.20.30.40";
        form.Port = L"49151";
        form.SendTimeout = c.send;
        form.ConnectTimeout = c.connect;
        ASSERT_TRUE(CheckLanLinkForm(form).Passed());
        StoreLanLinkForm(form, s);
        EXPECT_STREQ(s.TcpIPAddr, "10.20.30.40");
        EXPECT_EQ(s.TcpPort, 49151u);
        EXPECT_EQ(s.TcpSendTimeout, c.sendMs);
        EXPECT_EQ(s.TcpRecvTimeout, c.recvMs);
        EXPECT_EQ(s.TcpConnectTimeout, c.connectMs);

        CommSettings expected = Stored();
        std::memcpy(expected.TcpIPAddr, s.TcpIPAddr, sizeof s.TcpIPAddr);
        expected.TcpPort = s.TcpPort;
        expected.TcpSendTimeout = s.TcpSendTimeout;
        expected.TcpRecvTimeout = s.TcpRecvTimeout;
        expected.TcpConnectTimeout = s.TcpConnectTimeout;
        EXPECT_TRUE(Same(expected, s)) << "a field beyond the five changed";
    }
}

TEST(LanLinkModel, SavePcAddressKeepsEveryOtherStoredValue) {
    MemoryProfile profile;
    SaveCommSettings(profile, kCodePageJapanese, Stored());
    SavePcAddress(profile, kCodePageJapanese, "10.77.0.1");
    CommSettings loaded;
    LoadCommSettings(profile, kCodePageJapanese, loaded);
    CommSettings expected = Stored();
    std::memset(expected.PCIPAddr, 0, sizeof expected.PCIPAddr);
    std::strcpy(expected.PCIPAddr, "10.77.0.1");
    EXPECT_TRUE(Same(expected, loaded));
}

} // namespace
} // namespace qv
