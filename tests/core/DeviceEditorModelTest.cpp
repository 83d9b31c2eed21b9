// The device editor's model: numbers and their limits, the station text,
// and what OK and Insert write for one or several stations.
#include <gtest/gtest.h>

#include <cstring>

#include "editors/devices/DeviceEditorModel.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;

// Port 1 with the area protocol, port 2 with function codes.
UnitBlock Ports(bool port1FuncCodes = false, bool port2ReadsNoDevices = false) {
    UnitBlock unit;
    unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, port1FuncCodes ? 1 : 0);
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kRole, port2ReadsNoDevices ? 1 : 0);
    return unit;
}

// A device whose bytes the editor never writes are patterned, so a stale
// byte shows in a comparison.
DeviceRecord Device(int file, int number) {
    DeviceRecord r;
    for (size_t at = 0; at < DeviceRecord::kSize; ++at)
        r.SetU8(at, static_cast<uint8_t>(0x40 + at));
    r.SetAscii(dev::kName, 32, ("D" + std::to_string(file) + "-" + std::to_string(number)).c_str());
    r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    r.SetU8(dev::kFile, static_cast<uint8_t>(file));
    return r;
}

// Records in table order: (file, number) pairs.
std::unique_ptr<DeviceTable> Table(std::initializer_list<std::pair<int, int>> devices) {
    auto t = std::make_unique<DeviceTable>();
    size_t i = 0;
    for (auto [file, number] : devices)
        (*t)[i++] = Device(file, number);
    return t;
}

std::unique_ptr<DeviceTable> FileRun(int file, int from, int to,
                                     std::unique_ptr<DeviceTable> t = {}, size_t at = 0) {
    if (!t)
        t = std::make_unique<DeviceTable>();
    for (int n = from; n <= to; ++n)
        (*t)[at++] = Device(file, n);
    return t;
}

std::string Name(const DeviceRecord& r) {
    return std::string(reinterpret_cast<const char*>(r.data()),
                       strnlen(reinterpret_cast<const char*>(r.data()), 32));
}

// (file, number) of records 0..count-1.
std::vector<std::pair<int, int>> Order(const DeviceTable& t, size_t count) {
    std::vector<std::pair<int, int>> out;
    for (size_t i = 0; i < count; ++i)
        out.emplace_back(t[i].U8(dev::kFile), t[i].U16(dev::kNumber));
    return out;
}

TEST(DeviceNumbersTest, InsertPositionFollowsFileAndNumber) {
    const auto t = Table({{1, 1}, {1, 2}, {1, 5}, {3, 1}});
    const struct {
        int file, number, expected;
    } cases[] = {{1, 1, 0}, {1, 3, 2}, {1, 5, 2}, {1, 9, 3}, {2, 4, 3}, {3, 2, 4}, {4, 1, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(FindDeviceInsertPos(*t, c.file, c.number), c.expected)
            << c.file << "/" << c.number;
    DeviceTable full;
    for (size_t i = 0; i < 300; ++i)
        full[i] = Device(1, static_cast<int>(i + 1));
    EXPECT_EQ(FindDeviceInsertPos(full, 2, 1), 300);
    EXPECT_EQ(FirstFreeDevice(full), -1);
    EXPECT_EQ(HighestDeviceNumber(*t, 1), 5);
    EXPECT_EQ(HighestDeviceNumber(*t, 2), 0);
}

TEST(DeviceNumbersTest, TypedNumberIsWholeDigitsAndClamped) {
    const struct {
        const wchar_t* text;
        int maximum, number;
        bool rewrite;
    } cases[] = {
        {L"5", 300, 5, false},    {L"300", 300, 300, false}, {L"0", 300, 1, true},
        {L"abc", 300, 1, true},   {L"", 300, 1, true},       {L"12x", 300, 1, true},
        {L"999", 300, 300, true}, {L"151", 150, 150, true},  {L"150", 150, 150, false},
    };
    for (const auto& c : cases) {
        bool rewrite = !c.rewrite;
        EXPECT_EQ(TypedDeviceNumber(c.text, c.maximum, &rewrite), c.number) << c.text;
        EXPECT_EQ(rewrite, c.rewrite) << c.text;
    }
    FileTable files;
    files[3].SetU8(file::kWide64, 1);
    EXPECT_EQ(MaxDeviceNumber(files, 4), 150);
    EXPECT_EQ(MaxDeviceNumber(files, 3), 300);
}

TEST(DeviceStationsTest, StationTextAndStoredStationFollowThePort) {
    const struct {
        bool port1FuncCodes;
        int port;
        int flag; // the one station flag set, -1 none
        bool hasSlot;
        bool enabled;
        const wchar_t* text;
        int flagAfter; // the lowest flag set afterwards, -1 none
    } cases[] = {
        {false, 0, 0, true, false, L"", 0},    {false, 1, -1, true, true, L"  ", -1},
        {false, 1, 0, true, true, L"  ", 0},   {false, 1, 12, true, true, L"12", 12},
        {false, 2, -1, true, true, L"1", 1},   {false, 2, 0, true, true, L"1", 1},
        {false, 2, 40, true, true, L"40", 40}, {false, 2, 40, false, true, L"1", 40},
        {true, 1, 0, true, true, L"1", 1},     {false, 1, 12, false, true, L"  ", 12},
    };
    for (const auto& c : cases) {
        StationList flags{};
        if (c.flag >= 0)
            flags[static_cast<size_t>(c.flag)] = 1;
        const StationControls s =
            UpdateStationControls(flags, c.port, c.hasSlot, Ports(c.port1FuncCodes));
        const std::string where =
            "port " + std::to_string(c.port) + " flag " + std::to_string(c.flag);
        EXPECT_EQ(s.enabled, c.enabled) << where;
        EXPECT_EQ(s.text, c.text) << where;
        int lowest = -1;
        for (size_t i = 0; i < flags.size() && lowest < 0; ++i)
            if (flags[i])
                lowest = static_cast<int>(i);
        EXPECT_EQ(lowest, c.flagAfter) << where;
    }
    const struct {
        bool port1FuncCodes;
        int port;
        uint32_t entry;
        int stored;
    } stored[] = {{false, 0, 5, 0}, {false, 2, 0, 1}, {false, 2, 9, 9},
                  {false, 1, 0, 0}, {true, 1, 0, 1},  {false, 1, 7, 7}};
    for (const auto& c : stored)
        EXPECT_EQ(StoredStation(c.port, c.entry, Ports(c.port1FuncCodes)), c.stored)
            << c.port << "/" << c.entry;
}

TEST(DeviceNameTest, CommaAndQuoteAreNeverTyped) {
    EXPECT_FALSE(DeviceNameAccepts(L','));
    EXPECT_FALSE(DeviceNameAccepts(L'"'));
    EXPECT_FALSE(DeviceNameAccepts(L'\n'));
    EXPECT_TRUE(DeviceNameAccepts(L'\x30c7'));
    EXPECT_EQ(FilterDeviceNamePaste(L"a,b\"c\td"), L"abcd");
}

TEST(DeviceEditorLoadTest, NewNumberShowsDefaultsAndAStoredOneItsFields) {
    auto t = Table({{1, 1}});
    (*t)[0].SetU8(dev::kPort, 1);
    (*t)[0].SetU8(dev::kDeviceType, kDevicePowerMeter);
    (*t)[0].SetU8(dev::kIsRegister, 0);
    const DeviceEditorForm stored = LoadDeviceEditor(*t, 1, 1, kCp);
    EXPECT_EQ(stored.name, L"D1-1");
    EXPECT_EQ(stored.port, 1);
    EXPECT_EQ(stored.deviceType, kDevicePowerMeter);
    EXPECT_EQ(stored.deviceKind, 0);
    // A stale free slot lends a new number nothing.
    (*t)[1].SetAscii(dev::kName, 32, "stale");
    (*t)[1].SetU8(dev::kPort, 0);
    const DeviceEditorForm fresh = LoadDeviceEditor(*t, 1, 2, kCp);
    EXPECT_EQ(fresh.name, L"");
    EXPECT_EQ(fresh.port, kPortSerial2);
    EXPECT_EQ(fresh.deviceType, kDevicePlc);
    EXPECT_EQ(fresh.deviceKind, 1);
    (*t)[0].SetU8(dev::kPort, 7);
    (*t)[0].SetU8(dev::kDeviceType, 99);
    EXPECT_EQ(LoadDeviceEditor(*t, 1, 1, kCp).port, -1);
    EXPECT_EQ(LoadDeviceEditor(*t, 1, 1, kCp).deviceType, kDevicePlc);
}

class DeviceStoreTest : public ::testing::Test {
protected:
    UnitBlock unit = Ports();
    test::ScriptedQuestions yes{{true}};
    bool pageCalled = false;

    static DeviceStoreRequest Request(int number, std::vector<uint32_t> stations, bool insert,
                                      int port = 1, const wchar_t* name = L"Pump") {
        DeviceStoreRequest r;
        r.form.name = name;
        r.form.port = port;
        r.number = number;
        r.stations = std::move(stations);
        r.insert = insert;
        return r;
    }
    // The page writes its mode byte, as a register page would.
    DevicePageStore Page(Refusal refusal = {}) {
        return [this, refusal](DeviceRecord& r) {
            pageCalled = true;
            if (!refusal.Refused())
                r.SetU8(dev::kMode, 3);
            return refusal;
        };
    }
};

TEST_F(DeviceStoreTest, OkOnOneNewNumberWritesAClearedRecordInItsPlace) {
    auto t = Table({{1, 1}, {1, 2}, {1, 5}, {2, 1}});
    (*t)[4].SetAscii(dev::kName, 32, "stale"); // a free slot with old bytes
    test::ScriptedQuestions none;
    const auto r = StoreDevices(Request(3, {0}, false), *t, unit, kCp, Page(), none);
    ASSERT_TRUE(r.Accepted());
    EXPECT_EQ(Order(*r.devices, 6),
              (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {1, 5}, {2, 1}, {0, 0}}));
    DeviceRecord expected;
    expected.SetAscii(dev::kName, 32, "Pump");
    expected.SetU16(dev::kNumber, 3);
    expected.SetU8(dev::kFile, 1);
    expected.SetU8(dev::kPort, 1);
    expected.SetU8(dev::kStation, 0);
    expected.SetU8(dev::kMode, 3);
    expected.SetU8(dev::kDeviceType, 0);
    expected.SetU8(dev::kIsRegister, 1);
    EXPECT_EQ((*r.devices)[2], expected);
}

TEST_F(DeviceStoreTest, OkWithThreeStationsOverwritesInPlaceAndInsertsTheRest) {
    // File 1 has 1..9, 11 and 13; OK on 10 with stations 3, 5 and 7.
    auto t = FileRun(1, 1, 9);
    (*t)[9] = Device(1, 11);
    (*t)[10] = Device(1, 13);
    (*t)[11] = Device(2, 1);
    const auto r = StoreDevices(Request(10, {3, 5, 7}, false), *t, unit, kCp, Page(), yes);
    ASSERT_TRUE(r.Accepted());
    EXPECT_EQ(yes.asked, std::vector<unsigned>{kMsgOverwriteDevice}) << "asked once";
    const DeviceTable& d = *r.devices;
    EXPECT_EQ(Order(d, 14)[9], (std::pair<int, int>{1, 10}));
    for (int k = 0; k < 3; ++k) {
        const DeviceRecord& rec = d[static_cast<size_t>(9 + k)];
        EXPECT_EQ(rec.U16(dev::kNumber), 10 + k);
        EXPECT_EQ(rec.U8(dev::kStation), 3 + 2 * k);
        EXPECT_EQ(Name(rec), "Pump");
        EXPECT_EQ(rec.U8(dev::kMode), 3);
    }
    EXPECT_EQ(Order(d, 15).at(12), (std::pair<int, int>{1, 13}));
    EXPECT_EQ(Order(d, 15).at(13), (std::pair<int, int>{2, 1}));
    EXPECT_EQ(Order(d, 15).at(14), (std::pair<int, int>{0, 0}));
    // The overwritten device kept the bytes the editor does not write.
    EXPECT_EQ(d[10].U8(0x25), 0x40 + 0x25);
    EXPECT_EQ(d[9].U8(0x25), 0) << "a new slot starts from zero";
}

TEST_F(DeviceStoreTest, NoToTheOverwriteQuestionStoresNothing) {
    auto t = FileRun(1, 1, 3);
    test::ScriptedQuestions no{{false}};
    const auto r = StoreDevices(Request(2, {4, 5}, false), *t, unit, kCp, Page(), no);
    EXPECT_TRUE(r.stay);
    EXPECT_FALSE(r.devices);
    EXPECT_EQ(no.asked, std::vector<unsigned>{kMsgOverwriteDevice});
}

TEST_F(DeviceStoreTest, InsertMovesTheFileUpAndStartsNewSlotsFromZero) {
    auto t = FileRun(1, 1, 8);
    (*t)[8] = Device(2, 5);
    test::ScriptedQuestions none;
    const auto r = StoreDevices(Request(5, {1, 2}, true), *t, unit, kCp, Page(), none);
    ASSERT_TRUE(r.Accepted());
    EXPECT_TRUE(none.asked.empty());
    const DeviceTable& d = *r.devices;
    EXPECT_EQ(Order(d, 12), (std::vector<std::pair<int, int>>{{1, 1},
                                                              {1, 2},
                                                              {1, 3},
                                                              {1, 4},
                                                              {1, 5},
                                                              {1, 6},
                                                              {1, 7},
                                                              {1, 8},
                                                              {1, 9},
                                                              {1, 10},
                                                              {2, 5},
                                                              {0, 0}}));
    EXPECT_EQ(Name(d[6]), "D1-5") << "former 5 is now 7";
    EXPECT_EQ(Name(d[4]), "Pump");
    EXPECT_EQ(d[4].U8(dev::kStation), 1);
    EXPECT_EQ(d[5].U8(dev::kStation), 2);
    for (size_t at : {size_t{0x25}, size_t{0x2f}, size_t{0x3c}, size_t{0x48}})
        EXPECT_EQ(d[4].U8(at), 0) << "new slot byte " << at << " from the former record";
}

TEST_F(DeviceStoreTest, RefusalsComeBeforeAnythingIsWritten) {
    DeviceTable full;
    for (size_t i = 0; i < 300; ++i)
        full[i] = Device(1 + static_cast<int>(i / 200), static_cast<int>(i % 200) + 1);
    const auto eightDevices = FileRun(1, 1, 8);
    auto last = FileRun(1, 1, 299);
    const struct {
        const char* what;
        const DeviceTable* table;
        DeviceStoreRequest request;
        int maximum;
        unsigned message;
        bool balloon;
    } cases[] = {
        {"empty name", eightDevices.get(), Request(2, {0}, false, 1, L""), 300,
         kMsgDeviceNameMissing, true},
        {"comma", eightDevices.get(), Request(2, {0}, false, 1, L"a,b"), 300,
         kMsgDeviceNameCharacter, true},
        {"quote", eightDevices.get(), Request(2, {0}, true, 1, L"a\"b"), 300,
         kMsgDeviceNameCharacter, true},
        {"long name", eightDevices.get(),
         Request(2, {0}, false, 1, std::wstring(17, L'\x30c7').c_str()), 300, kMsgDeviceNameTooLong,
         false},
        {"no room", &full, Request(250, {0}, false), 300, kMsgNoRoomForDevices, false},
        {"past maximum", eightDevices.get(), Request(300, {1, 2}, false), 300, kMsgNoRoomForDevices,
         false},
        {"64-bit file", eightDevices.get(), Request(150, {1, 2}, false), 150, kMsgNoRoomForDevices,
         false},
        {"insert past maximum", eightDevices.get(), Request(5, {1, 2, 3}, true), 10,
         kMsgInsertPastMaximum, false},
        {"insert numbers past", eightDevices.get(), Request(300, {1, 2}, true), 300,
         kMsgNoRoomForDevices, false},
        {"insert full", &full, Request(5, {0}, true), 300, kMsgNoRoomForDevices, false},
        {"insert last slot", last.get(), Request(5, {1, 2}, true), 302, kMsgNoRoomForDevices,
         false},
    };
    for (const auto& c : cases) {
        DeviceStoreRequest request = c.request;
        request.maximum = c.maximum;
        test::ScriptedQuestions none;
        pageCalled = false;
        const auto r = StoreDevices(request, *c.table, unit, kCp, Page(), none);
        EXPECT_EQ(r.refusal.messageId, c.message) << c.what;
        EXPECT_EQ(r.refusal.balloon, c.balloon) << c.what;
        EXPECT_FALSE(r.devices) << c.what;
        EXPECT_FALSE(pageCalled) << c.what;
    }
    const auto longName = StoreDevices(cases[3].request, *eightDevices, unit, kCp, Page(), yes);
    EXPECT_EQ(longName.refusal.args, (std::vector<std::wstring>{L"16", L"32"}));
    // With every slot in use, OK over an existing number with one station works.
    const auto over = StoreDevices(Request(7, {0}, false), full, unit, kCp, Page(), yes);
    EXPECT_TRUE(over.Accepted());
}

TEST_F(DeviceStoreTest, PortCheckAndPageRefusalStoreNothing) {
    const auto t = FileRun(1, 1, 3);
    test::ScriptedQuestions none;
    const auto port =
        StoreDevices(Request(5, {0}, false, 2), *t, Ports(false, true), kCp, Page(), none);
    EXPECT_EQ(port.refusal.messageId, kMsgPortReadsNoDevices);
    EXPECT_EQ(port.refusal.field, kDevEdPort);
    const auto page =
        StoreDevices(Request(2, {0}, false), *t, unit, kCp, Page(Refuse(20160, 2)), none);
    EXPECT_EQ(page.refusal.messageId, 20160u);
    EXPECT_TRUE(page.pageRefused);
    EXPECT_EQ(page.refusal.field, 2);
    EXPECT_FALSE(page.devices);
    EXPECT_TRUE(none.asked.empty()) << "the page refuses before the question";
}

TEST_F(DeviceStoreTest, StationsStoredByPort) {
    const struct {
        int port;
        bool port1FuncCodes;
        std::vector<uint32_t> stations;
        std::vector<int> stored;
    } cases[] = {
        {0, false, {0}, {0}}, {2, false, {0}, {1}},       {1, false, {0}, {0}},
        {1, true, {0}, {1}},  {2, false, {4, 9}, {4, 9}}, {0, false, {4, 9}, {0}},
    };
    for (const auto& c : cases) {
        const auto t = FileRun(1, 1, 1);
        test::ScriptedQuestions none;
        const auto r = StoreDevices(Request(2, c.stations, false, c.port), *t,
                                    Ports(c.port1FuncCodes), kCp, {}, none);
        ASSERT_TRUE(r.Accepted()) << c.port;
        EXPECT_EQ((*r.devices)[1 + c.stored.size()], DeviceRecord{}) << "port " << c.port;
        for (size_t k = 0; k < c.stored.size(); ++k) {
            EXPECT_EQ((*r.devices)[1 + k].U8(dev::kPort), c.port);
            EXPECT_EQ((*r.devices)[1 + k].U8(dev::kStation), c.stored[k])
                << "port " << c.port << " k " << k;
        }
    }
}

} // namespace
} // namespace qv
