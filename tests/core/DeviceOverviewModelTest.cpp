// The log-file overview: counts per file, the total, names and the columns.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "LanguageFixture.h"
#include "editors/devices/DeviceOverviewModel.h"

namespace qv::test {
namespace {

class DeviceOverviewModelTest : public ::testing::Test {
protected:
    std::unique_ptr<FileTable> files = std::make_unique<FileTable>();
    std::unique_ptr<DeviceTable> devices = std::make_unique<DeviceTable>();

    void Put(size_t index, int fileNo, int number) {
        (*devices)[index].SetU8(dev::kFile, static_cast<uint8_t>(fileNo));
        (*devices)[index].SetU16(dev::kNumber, static_cast<uint16_t>(number));
    }
    std::vector<OverviewRow> Rows() {
        return DeviceOverviewRows(*files, *devices, kCodePageJapanese);
    }
};

TEST_F(DeviceOverviewModelTest, NoDevicesShowsZerosAndTheNamesAsStored) {
    ScopedLanguage english(kEnglish);
    files->records[0].SetAscii(file::kName, kNameWidth, "Boiler");
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 17u);
    for (size_t r = 0; r < 16; ++r) {
        EXPECT_EQ(rows[r].hidden, L"");
        EXPECT_EQ(rows[r].number, std::to_wstring(r + 1));
        EXPECT_EQ(rows[r].count, L"0") << r;
    }
    EXPECT_EQ(rows[0].name, L"Boiler");
    EXPECT_EQ(rows[1].name, L"");
    EXPECT_EQ(rows[16].count, L"0");
    EXPECT_EQ(rows[16].name, L"");
    EXPECT_EQ(rows[16].number, L"Total");
    EXPECT_EQ(rows[16].hidden, rows[16].number);
}

TEST_F(DeviceOverviewModelTest, CountsOnlyLogFilesAmongTheFirst300Records) {
    struct Case {
        size_t index;
        int fileNo;
        int number;
    };
    const Case cases[] = {
        {0, 1, 1},    {1, 1, 2},    {2, 1, 2},               // the same number twice counts twice
        {3, 3, 0},                                           // a number of 0 still names file 3
        {4, 16, 300}, {5, 0, 7},    {6, 17, 1}, {7, 255, 1}, // no log file
        {299, 2, 5},                                         // the last record that counts
        {300, 2, 6},  {499, 16, 1},                          // never counted
    };
    for (const Case& c : cases)
        Put(c.index, c.fileNo, c.number);
    const auto rows = Rows();
    const wchar_t* expected[16] = {L"3", L"1", L"1", L"0", L"0", L"0", L"0", L"0",
                                   L"0", L"0", L"0", L"0", L"0", L"0", L"0", L"1"};
    for (size_t r = 0; r < 16; ++r)
        EXPECT_EQ(rows[r].count, expected[r]) << "file " << r + 1;
    EXPECT_EQ(rows[16].count, L"6");
}

TEST_F(DeviceOverviewModelTest, FullWidthAndDoubleByteNames) {
    std::memset(files->records[15].data(), 'N', kNameWidth); // no terminator
    files->records[16].SetAscii(file::kName, kNameWidth, "not a log file");
    const char sjis[] = "\x83\x8d\x83\x4f"; // katakana "rogu" in code page 932
    std::memcpy(files->records[4].data(), sjis, sizeof sjis);
    const auto rows = Rows();
    EXPECT_EQ(rows[15].name, std::wstring(32, L'N'));
    EXPECT_EQ(rows[4].name, L"\u30ed\u30b0");
    EXPECT_EQ(rows[16].name, L"");
}

TEST(DeviceOverviewLayout, ShadesAndColumnWidths) {
    for (size_t r = 0; r < 16; ++r)
        EXPECT_EQ(OverviewRowShade(r), r % 2 ? OverviewShade::Alternate : OverviewShade::Plain)
            << r;
    EXPECT_EQ(OverviewRowShade(16), OverviewShade::Total);

    struct Case {
        std::array<int32_t, 10> stored;
        int widths[4];
    };
    const Case cases[] = {
        {{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, {0, 70, 200, 70}},
        {{0, 0, 0, 0}, {0, 70, 200, 70}},       // 0 stored: the default
        {{500, 40, 321, 90}, {0, 40, 321, 90}}, // the hidden column stays hidden
    };
    for (const Case& c : cases) {
        const auto cols = DeviceOverviewColumns(c.stored);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(cols[i].width, c.widths[i]) << i;
        EXPECT_TRUE(cols[0].centred);
        EXPECT_TRUE(cols[1].centred);
        EXPECT_FALSE(cols[2].centred);
        EXPECT_FALSE(cols[3].centred);
    }
}

} // namespace
} // namespace qv::test
