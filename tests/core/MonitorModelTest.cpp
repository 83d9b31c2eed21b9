// The monitor's rows and polls over a scripted link: one bounded block read
// per file group, values cut by device number, "---" where nothing was read.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "document/StringTable.h"
#include "online/MonitorModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

TEST(MonitorModelTest, ValueTexts) {
    auto words = [](uint64_t v) {
        return std::array<uint16_t, 4>{static_cast<uint16_t>(v), static_cast<uint16_t>(v >> 16),
                                       static_cast<uint16_t>(v >> 32),
                                       static_cast<uint16_t>(v >> 48)};
    };
    auto floatWords = [&](float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        return words(bits);
    };
    const struct {
        std::array<uint16_t, 4> w;
        int type;
        const wchar_t* text;
    } cases[] = {
        {words(0xFFFF), 0, L"-1"},
        {words(0xFFFF), 1, L"65535"},
        {words(0x00AB), 2, L"00AB"},
        {words(0xFFFFFFFE), 3, L"-2"},
        {words(0xFFFFFFFE), 4, L"4294967294"},
        {words(0x1234ABCD), 5, L"1234ABCD"},
        {words(0xFFFFFFFFFFFFFFFF), 7, L"-1"},
        {words(0xFFFFFFFFFFFFFFFF), 8, L"18446744073709551615"},
        {words(0x100000000), 126, L"4294967296"},
        {words(0), 127, L"OFF"},
        {words(2), 127, L"ON"},
        {words(5), 9, L""},
        {floatWords(12345678.9f), 6, L"1.234568e+07"},
        {floatWords(10000000.0f), 6, L"10000000.00"},
        {floatWords(1234.5f), 6, L"1234.50"},
    };
    for (const auto& c : cases) {
        const uint16_t w[4] = {c.w[0], c.w[1], c.w[2], c.w[3]};
        EXPECT_EQ(MonitorValueText(w, c.type, 2), c.text) << c.type;
    }
    // A damaged number of decimals gives a bounded text.
    const uint16_t w[4] = {0, 0x3F80, 0, 0}; // 1.0f
    EXPECT_LE(MonitorValueText(w, 6, 255).size(), 20u);
}

TEST(MonitorModelTest, ContactBits) {
    uint16_t w[16] = {};
    w[0] = 1 << 3;
    w[15] = 0x8000;
    EXPECT_TRUE(TestContactBit(w, 3));
    EXPECT_FALSE(TestContactBit(w, 4));
    EXPECT_TRUE(TestContactBit(w, 255));
    EXPECT_FALSE(TestContactBit(w, 256));
    EXPECT_FALSE(TestContactBit(w, -1));
}

// A unit whose data registers and station bits the test sets.
class ScriptedLink : public MonitorLink {
public:
    std::vector<uint16_t> dt = std::vector<uint16_t>(100000, 0);
    uint16_t r0[16] = {}, r20[16] = {};
    bool dataFails = false, contactsFail = false, systemFails = false;
    MonitorRegisters system;
    std::vector<std::pair<int, int>> reads;
    int closes = 0;

    LinkResult ReadContactWords(int first, uint16_t (&words)[16]) override {
        if (contactsFail)
            return 0x8000;
        std::memcpy(words, first == 0 ? r0 : r20, sizeof words);
        return 0;
    }
    LinkResult ReadDataWords(int first, int count, uint16_t* words) override {
        reads.emplace_back(first, count);
        EXPECT_LE(count, 1024);
        if (dataFails)
            return 312;
        std::copy_n(dt.begin() + first, count, words);
        return 0;
    }
    int ReadMonitorValues(MonitorRegisters& out) override {
        out = system;
        return systemFails ? -1 : 0;
    }
    void CloseSession() override { ++closes; }
};

class MonitorPollTest : public ::testing::Test {
protected:
    test::ScopedLanguage language{test::kEnglish};
    std::unique_ptr<ImageBlocks> blocks = std::make_unique<ImageBlocks>();
    ScriptedLink link;
    size_t next = 0;

    // A device record of file `file` (1-based).
    DeviceRecord& AddDevice(int file, int number, bool isRegister = true, int port = 0,
                            int station = 0) {
        DeviceRecord& r = blocks->devices[next++];
        r.SetU8(dev::kFile, static_cast<uint8_t>(file));
        r.SetU16(dev::kNumber, static_cast<uint16_t>(number));
        r.SetU8(dev::kIsRegister, isRegister ? 1 : 0);
        r.SetU8(dev::kPort, static_cast<uint8_t>(port));
        r.SetU8(dev::kStation, static_cast<uint8_t>(station));
        r.SetU8(dev::kDataType, 4);
        return r;
    }
    std::vector<std::wstring> Poll(int group) {
        MonitorModel model(blocks->files, 932);
        model.FillGroup(group, *blocks);
        model.Poll(link);
        std::vector<std::wstring> values;
        for (const MonitorRow& row : model.Rows())
            values.push_back(row.cells[kMonitorValueColumn]);
        return values;
    }
};

TEST_F(MonitorPollTest, OneReadCutByDeviceNumber) {
    for (int n : {1, 2, 5})
        AddDevice(1, n);
    link.dt[8] = 7;
    link.dt[9] = 1; // device 5: words 8-9
    EXPECT_EQ(Poll(0), (std::vector<std::wstring>{L"0", L"0", L"65543"}));
    ASSERT_EQ(link.reads.size(), 1u);
    EXPECT_EQ(link.reads[0], std::make_pair(0, 10));

    // The same devices in file 3 in 64-bit mode: 4 words each from DT2000.
    for (size_t i = 0; i < 3; ++i)
        blocks->devices[i].SetU8(dev::kFile, 3);
    blocks->files[2].SetU8(file::kWide64, 1);
    link.reads.clear();
    link.dt[2016] = 42;
    EXPECT_EQ(Poll(2)[2], L"42");
    EXPECT_EQ(link.reads[0], std::make_pair(2000, 20));
}

TEST_F(MonitorPollTest, EmptyFileReadsNothing) {
    EXPECT_TRUE(Poll(4).empty());
    EXPECT_TRUE(link.reads.empty());
}

TEST_F(MonitorPollTest, StationBitsDecideWhatShows) {
    AddDevice(1, 1, true, 1, 3);
    AddDevice(1, 2, true, 0, 0);
    AddDevice(1, 3, true, 2, 17);
    link.dt[0] = link.dt[2] = link.dt[4] = 9;
    EXPECT_EQ(Poll(0), (std::vector<std::wstring>{L"---", L"9", L"---"}));
    link.r0[0] = 1 << 3;
    link.r20[1] = 1 << 1; // station 17
    EXPECT_EQ(Poll(0), (std::vector<std::wstring>{L"9", L"9", L"9"}));
    // Station bits that could not be read show nothing for their ports.
    link.contactsFail = true;
    EXPECT_EQ(Poll(0), (std::vector<std::wstring>{L"---", L"9", L"---"}));
}

TEST_F(MonitorPollTest, FailedReadShowsDashesAndClosesTheLink) {
    AddDevice(1, 1);
    AddDevice(1, 2, false).SetU8(dev::kMode, 0);
    MonitorModel model(blocks->files, 932);
    model.FillGroup(0, *blocks);
    link.dt[2] = 1;
    model.Poll(link);
    EXPECT_EQ(model.Rows()[1].cells[kMonitorValueColumn], L"ON");
    EXPECT_TRUE(model.Rows()[1].on);
    link.dataFails = true;
    model.Poll(link);
    for (const MonitorRow& row : model.Rows()) {
        EXPECT_EQ(row.cells[kMonitorValueColumn], kNoValue);
        EXPECT_FALSE(row.on);
    }
    EXPECT_EQ(link.closes, 1);
    link.dataFails = false;
    model.Poll(link);
    EXPECT_EQ(model.Rows()[1].cells[kMonitorValueColumn], L"ON");
    EXPECT_EQ(link.reads.size(), 3u);
}

TEST_F(MonitorPollTest, DamagedNumbersStayInsideTheRead) {
    // Numbers no file may hold, in 64-bit mode, and a 64-bit type in a
    // 2-word file at the end of the read.
    AddDevice(1, 65535);
    AddDevice(1, 0);
    blocks->files[0].SetU8(file::kWide64, 1);
    EXPECT_EQ(Poll(0), (std::vector<std::wstring>{L"---", L"---"}));
    EXPECT_EQ(link.reads[0], std::make_pair(0, kMonitorMaxWords));

    blocks->files[0].SetU8(file::kWide64, 0);
    blocks->devices[0].SetU16(dev::kNumber, 1);
    blocks->devices[0].SetU8(dev::kDataType, 8);
    link.dt[0] = 5;
    link.dt[2] = link.dt[3] = 0xFFFF; // past the item's own two words
    link.reads.clear();
    EXPECT_EQ(Poll(0)[0], L"5");
    EXPECT_EQ(link.reads[0], std::make_pair(0, 2));
}

TEST_F(MonitorPollTest, SystemRegisters) {
    link.system.Dt90150 = 0x1A2B0011;
    link.system.Dt90200 = 1;
    link.system.Dt90202 = 2;
    MonitorModel model(blocks->files, 932);
    model.FillGroup(kMonitorSystemGroup, *blocks);
    ASSERT_EQ(model.Rows().size(), 48u);
    model.Poll(link);
    auto valueOf = [&](int number) {
        for (const MonitorRow& row : model.Rows())
            if (row.number == number)
                return row.cells[kMonitorValueColumn];
        return std::wstring(L"no row");
    };
    EXPECT_EQ(valueOf(90150), L"0011");
    EXPECT_EQ(valueOf(90151), L"1A2B");
    EXPECT_EQ(valueOf(90200), L"8589934593");
    EXPECT_EQ(model.Rows()[33].cells[1], ResString(60150));
    EXPECT_TRUE(link.reads.empty());
    link.systemFails = true;
    model.Poll(link);
    EXPECT_EQ(valueOf(90150), kNoValue);
    EXPECT_EQ(link.closes, 1);
}

} // namespace
} // namespace qv
