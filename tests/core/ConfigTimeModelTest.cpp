// The clock pane: its modes and what each stores, the server name and
// address rules, the station ranges of the two ports, stored values outside
// their boxes, and the clock words and texts of the unit commands.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "editors/config/ConfigTimeClockModel.h"
#include "editors/config/ConfigTimeModel.h"

namespace qv {
namespace {

class ConfigTimeModelTest : public ::testing::Test {
protected:
    TimeBlock time;
    UnitBlock unit; // port 1 on the area protocol, port 2 on function codes

    void SetUp() override {
        for (size_t i = 0; i < TimeBlock::kSize; ++i)
            time.SetU8(i, static_cast<uint8_t>(0x40 + i)); // every byte marked
        time.SetU8(timeblk::kMode, kSyncNone);
        time.SetU8(timeblk::kTimeZone, 9);
        time.SetU16(timeblk::kTrigger, 0x0105); // beyond the table
        unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
    }
    // The stored block after a load, an edit and a store that passed the check.
    TimeBlock Stored(const std::function<void(ConfigTimeForm&)>& edit) {
        ConfigTimeForm form = LoadConfigTime(time, unit, 932);
        edit(form);
        EXPECT_FALSE(CheckConfigTime(form).Refused());
        TimeBlock out = time;
        StoreConfigTime(form, 932, out);
        return out;
    }
    // Bytes of `out` that differ from the block loaded.
    std::vector<size_t> Changed(const TimeBlock& out) const {
        std::vector<size_t> at;
        for (size_t i = 0; i < TimeBlock::kSize; ++i)
            if (out.U8(i) != time.U8(i))
                at.push_back(i);
        return at;
    }
};

std::vector<size_t> Range(size_t from, size_t to) {
    std::vector<size_t> r;
    for (size_t i = from; i <= to; ++i)
        r.push_back(i);
    return r;
}

TEST_F(ConfigTimeModelTest, EachModeWritesItsOwnBytesOnly) {
    // Mode 0: server and trigger cleared, the zone chosen, 67 and 69.. kept.
    TimeBlock out = Stored([](ConfigTimeForm& f) { f.zone = 0; });
    std::vector<size_t> expected = Range(0, 65);
    expected.push_back(timeblk::kTimeZone);
    EXPECT_EQ(Changed(out), expected);
    EXPECT_EQ(static_cast<int8_t>(out.U8(timeblk::kTimeZone)), -12);
    for (size_t i = 0; i <= 65; ++i)
        EXPECT_EQ(out.U8(i), 0) << i;

    // Mode 2 on port 1 with station 42: 69 and 72..74 besides the server and trigger.
    out = Stored([](ConfigTimeForm& f) {
        f.mode = kSyncDevice;
        f.port = 1;
        f.station = 42;
        f.trigger = 7;
    });
    expected = Range(0, 66);
    for (size_t i : {size_t{69}, size_t{72}, size_t{73}, size_t{74}})
        expected.push_back(i);
    EXPECT_EQ(Changed(out), expected);
    EXPECT_EQ(out.U16(timeblk::kTrigger), 7);
    EXPECT_EQ(out.U8(69), 1);
    EXPECT_EQ(out.U8(72), 1);
    EXPECT_EQ(out.U8(73), 2);
    EXPECT_EQ(out.U8(74), 42);

    // Mode 1 by address: 67 and 69 besides; the address first octet first.
    out = Stored([](ConfigTimeForm& f) {
        f.mode = kSyncServer;
        f.byAddress = true;
        f.address = std::array<uint8_t, 4>{223, 255, 255, 255};
        f.trigger = 128;
    });
    expected = Range(0, 67);
    expected.push_back(69);
    EXPECT_EQ(Changed(out), expected);
    EXPECT_EQ(out.U8(0), 223);
    EXPECT_EQ(out.U8(3), 255);
    EXPECT_EQ(out.U8(4), 0);
    EXPECT_EQ(out.U8(timeblk::kServerIsIp), 1);
    EXPECT_EQ(out.U8(timeblk::kSourcePort), 0);
}

TEST_F(ConfigTimeModelTest, ServerNameFillsItsFieldWithOrWithoutTerminator) {
    const std::wstring full(64, L'a');
    TimeBlock out = Stored([&](ConfigTimeForm& f) {
        f.mode = kSyncServer;
        f.byAddress = false;
        f.host = full;
        f.trigger = 1;
    });
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data()), 64), std::string(64, 'a'));
    EXPECT_EQ(out.U8(timeblk::kServerIsIp), 0);
    out = Stored([](ConfigTimeForm& f) {
        f.mode = kSyncServer;
        f.byAddress = false;
        f.host = L"ntp.example.org";
        f.trigger = 1;
    });
    EXPECT_STREQ(reinterpret_cast<const char*>(out.data()), "ntp.example.org");
    EXPECT_EQ(out.U8(20), 0);
    // Loaded back, the name shows again; 64 characters without a NUL too.
    time = out;
    EXPECT_EQ(LoadConfigTime(time, unit, 932).host, L"ntp.example.org");
    std::memset(time.data(), 'b', 64);
    EXPECT_EQ(LoadConfigTime(time, unit, 932).host, std::wstring(64, L'b'));
}

TEST_F(ConfigTimeModelTest, RefusesServerAndTriggerEntries) {
    using Octets = std::array<uint8_t, 4>;
    struct Case {
        const char* what;
        std::function<void(ConfigTimeForm&)> edit;
        unsigned message;
        int field;
    };
    auto server = [](std::function<void(ConfigTimeForm&)> more) {
        return [more](ConfigTimeForm& f) {
            f.mode = kSyncServer;
            f.byAddress = false;
            f.trigger = 3;
            more(f);
        };
    };
    auto address = [&](Octets o) {
        return server([o](ConfigTimeForm& f) {
            f.byAddress = true;
            f.address = o;
        });
    };
    const Case cases[] = {
        {"empty name", server([](ConfigTimeForm& f) { f.host.clear(); }), kMsgNoTimeServerName,
         kTimeFieldHost},
        {"blank in the name", server([](ConfigTimeForm& f) { f.host = L"ntp server"; }),
         kMsgTimeServerNameChars, kTimeFieldHost},
        {"wide character", server([](ConfigTimeForm& f) { f.host = L"\u6642\u8a08"; }),
         kMsgTimeServerNameChars, kTimeFieldHost},
        {"name allowed", server([](ConfigTimeForm& f) { f.host = L"a_b.c-d@e"; }), 0, 0},
        {"loopback", address({127, 0, 0, 1}), kMsgTimeServerAddress, kTimeFieldAddress},
        {"first octet 0", address({0, 1, 2, 3}), kMsgTimeServerAddress, kTimeFieldAddress},
        {"multicast", address({224, 0, 0, 1}), kMsgTimeServerAddress, kTimeFieldAddress},
        {"highest allowed", address({223, 255, 255, 255}), 0, 0},
        {"incomplete address", server([](ConfigTimeForm& f) {
             f.byAddress = true;
             f.address.reset();
         }),
         kMsgTimeServerAddress, kTimeFieldAddress},
        {"server without trigger", server([](ConfigTimeForm& f) {
             f.host = L"ntp";
             f.trigger = 0;
         }),
         kMsgNoSyncTrigger, kTimeFieldTrigger},
        {"device without trigger",
         [](ConfigTimeForm& f) {
             f.mode = kSyncDevice;
             f.trigger = 0;
         },
         kMsgNoSyncTrigger, kTimeFieldTrigger},
        {"none needs no trigger", [](ConfigTimeForm& f) { f.trigger = 0; }, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigTimeForm form = LoadConfigTime(time, unit, 932);
        c.edit(form);
        const Refusal r = CheckConfigTime(form);
        EXPECT_EQ(r.messageId, c.message);
        EXPECT_EQ(r.field, c.field);
    }
}

TEST_F(ConfigTimeModelTest, StationsFollowThePortsProtocol) {
    EXPECT_EQ(HighestStation(unit, 1), 99);
    EXPECT_EQ(HighestStation(unit, 2), 247);
    struct Case {
        int mode, port;
        uint8_t station1, station2;
        int shownPort, shownStation;
    };
    const Case cases[] = {
        {kSyncDevice, 1, 99, 0, 1, 99},   {kSyncDevice, 1, 100, 0, 1, 1},
        {kSyncDevice, 2, 0, 247, 2, 247}, {kSyncDevice, 2, 0, 248, 2, 1},
        {kSyncDevice, 2, 0, 0, 2, 1},     {kSyncServer, 1, 5, 6, 2, 6}, // port 2 unless mode 2 on 1
    };
    for (const Case& c : cases) {
        time.SetU8(timeblk::kMode, static_cast<uint8_t>(c.mode));
        time.SetU8(timeblk::kSourcePort, static_cast<uint8_t>(c.port));
        time.SetU8(74, c.station1);
        time.SetU8(78, c.station2);
        const ConfigTimeForm form = LoadConfigTime(time, unit, 932);
        EXPECT_EQ(form.port, c.shownPort);
        EXPECT_EQ(form.station, c.shownStation);
    }
    // Port 2 on the area protocol: a stored 200 shows as station 1.
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 0);
    time.SetU8(timeblk::kMode, kSyncDevice);
    time.SetU8(timeblk::kSourcePort, 2);
    time.SetU8(78, 200);
    EXPECT_EQ(LoadConfigTime(time, unit, 932).station, 1);
    // From a 247-station port to a 99-station port.
    EXPECT_EQ(StationForPort(150, unit, 1), 1);
    EXPECT_EQ(StationForPort(99, unit, 1), 99);
}

TEST_F(ConfigTimeModelTest, StoredValuesOutsideTheBoxesAreNotWrittenAsGarbage) {
    // A zone outside -12..12 shows no item and is kept as stored.
    time.SetU8(timeblk::kTimeZone, 0x7F);
    ConfigTimeForm form = LoadConfigTime(time, unit, 932);
    EXPECT_EQ(form.zone, -1);
    TimeBlock out = time;
    StoreConfigTime(form, 932, out);
    EXPECT_EQ(out.U8(timeblk::kTimeZone), 0x7F);
    // The factory zone 9 is item 21 (string 9021).
    time.SetU8(timeblk::kTimeZone, 9);
    EXPECT_EQ(kStrTimeZoneFirst + LoadConfigTime(time, unit, 932).zone, 9021u);

    // A trigger number beyond the table is none: the store refuses it.
    time.SetU8(timeblk::kMode, kSyncDevice);
    time.SetU16(timeblk::kTrigger, 300);
    form = LoadConfigTime(time, unit, 932);
    EXPECT_EQ(form.trigger, 0);
    EXPECT_EQ(CheckConfigTime(form).messageId, kMsgNoSyncTrigger);

    // An unknown mode shows as none.
    time.SetU8(timeblk::kMode, 9);
    EXPECT_EQ(LoadConfigTime(time, unit, 932).mode, kSyncNone);
}

TEST(ConfigTimeClock, ChecksTheTypedDate) {
    struct Case {
        const wchar_t* year;
        int month, day;
        unsigned message;
    };
    const Case cases[] = {
        {L"2024", 2, 29, 0},
        {L"2023", 2, 29, kMsgClockDate},
        {L"2100", 1, 1, kMsgClockYear},
        {L"1999", 12, 31, kMsgClockYear},
        {L"2099", 12, 31, 0},
        {L"2024", 4, 31, kMsgClockDate},
        {L"", 1, 1, kMsgClockYear},
        {L"20a4", 1, 1, kMsgClockYear},
        {L"2000", 2, 29, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.year, c.year + std::wcslen(c.year)) << "-"
                                        << c.month << "-" << c.day);
        LocalTime t;
        const Refusal r = CheckClockEntry({c.year, c.month - 1, c.day - 1, 1, 2, 3}, t);
        EXPECT_EQ(r.messageId, c.message);
    }
}

TEST(ConfigTimeClock, WordsAndTextAreTwoDigitsAByte) {
    LocalTime t;
    ASSERT_FALSE(CheckClockEntry({L"2019", 2, 13, 9, 30, 0}, t).Refused());
    EXPECT_EQ(t.weekday, 4); // 2019-03-14 was a Thursday
    const ClockWords w = ClockWordsOf(t);
    EXPECT_EQ(w, (ClockWords{0x3000, 0x1409, 0x1903, 0x0004}));
    EXPECT_EQ(ClockTextOf(w), L"2019/03/14 09:30:00");
    EXPECT_EQ(ClockTextOf({0x5958, 0x3123, 0x8512, 0}), L"2085/12/31 23:59:58");
    EXPECT_EQ(WeekdayOf(2000, 1, 1), 6);
    EXPECT_EQ(WeekdayOf(2024, 2, 29), 4);
}

} // namespace
} // namespace qv
