// The log-file options: which bytes each box shows and rebuilds, the decimals
// byte of the file records, and the example file name.
#include <gtest/gtest.h>

#include <functional>

#include "document/StringTable.h"
#include "editors/config/ConfigFileModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

struct ShownCase {
    size_t offset;
    uint8_t stored;
    std::function<bool(const ConfigFileForm&)> shown; // what the pane must show
    uint8_t rebuilt;                                  // the byte after a store
};

TEST(ConfigFileModel, EachByteIsShownAndRebuiltAndTheOthersStay) {
    const ShownCase cases[] = {
        {0, 0, [](const ConfigFileForm& f) { return f.titleRow; }, 0},
        {0, 7, [](const ConfigFileForm& f) { return !f.titleRow; }, 1},
        {1, 9, [](const ConfigFileForm& f) { return !f.unitRow; }, 1},
        {2, 0x02, [](const ConfigFileForm& f) { return f.storage == 0 && f.whenFull == 1; }, 0x02},
        {2, 0xFD, [](const ConfigFileForm& f) { return f.storage == 1 && f.whenFull == 0; }, 0x01},
        {3, 5, [](const ConfigFileForm& f) { return f.separator == 1; }, 1},
        {4, 0x81, [](const ConfigFileForm& f) { return !f.columns[0] && f.columns[6]; }, 0x01},
        {4, 0xFF, [](const ConfigFileForm& f) { return !f.columns[3] && !f.columns[6]; }, 0x7F},
        {5, 2, [](const ConfigFileForm& f) { return f.dateOrder == 1; }, 1},
        {6, 3, [](const ConfigFileForm& f) { return f.lineEnd == 1; }, 1},
        {7, 0xE4, [](const ConfigFileForm& f) { return !f.nameParts[kNameTime] && f.nameParts[0]; },
         0x04},
        {14, 3, [](const ConfigFileForm& f) { return f.closeAtMidnight; }, 1},
        {20, 0, [](const ConfigFileForm& f) { return !f.systemHistory; }, 0},
        {20, 6, [](const ConfigFileForm& f) { return f.systemHistory; }, 1},
        {21, 4, [](const ConfigFileForm& f) { return f.triggerHistory; }, 1},
    };
    for (const ShownCase& c : cases) {
        ErrorNotifyBlock errors;
        for (size_t i = 0; i < ErrorNotifyBlock::kSize; ++i)
            errors.SetU8(i, 0xA0); // the bytes no option of this pane owns
        for (size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 14, 20, 21})
            errors.SetU8(i, 0);
        errors.SetU8(c.offset, c.stored);
        FileTable files;
        const ConfigFileForm form = LoadConfigFile(errors, files);
        EXPECT_TRUE(c.shown(form)) << "byte " << c.offset << " = " << int(c.stored);
        ErrorNotifyBlock after = errors;
        StoreConfigFile(form, after, files);
        EXPECT_EQ(after.U8(c.offset), c.rebuilt) << "byte " << c.offset << " = " << int(c.stored);
        for (size_t i : {8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 22, 31})
            EXPECT_EQ(after.U8(i), 0xA0) << "byte " << i;
    }
}

struct EditCase {
    std::function<void(ConfigFileForm&)> edit;
    size_t offset;
    uint8_t expected;
};

TEST(ConfigFileModel, EachBoxWritesItsOwnBitFromTheFactoryState) {
    const EditCase cases[] = {
        {[](ConfigFileForm& f) { f.titleRow = false; }, 0, 1},
        {[](ConfigFileForm& f) { f.unitRow = false; }, 1, 1},
        {[](ConfigFileForm& f) { f.storage = 1; }, 2, 1},
        {[](ConfigFileForm& f) { f.whenFull = 1; }, 2, 2},
        {[](ConfigFileForm& f) { f.separator = 1; }, 3, 1},
        {[](ConfigFileForm& f) { f.columns[3] = false; }, 4, 0x08},
        {[](ConfigFileForm& f) { f.dateOrder = 1; }, 5, 1},
        {[](ConfigFileForm& f) { f.lineEnd = 1; }, 6, 1},
        {[](ConfigFileForm& f) { f.nameParts[kNameShortYear] = false; }, 7, 0x10},
        {[](ConfigFileForm& f) { f.nameParts[kNameFolder] = false; }, 7, 0x01},
        {[](ConfigFileForm& f) { f.closeAtMidnight = true; }, 14, 1},
        {[](ConfigFileForm& f) { f.systemHistory = false; }, 20, 0},
        {[](ConfigFileForm& f) { f.triggerHistory = true; }, 21, 1},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        ErrorNotifyBlock factory;
        factory.SetU8(9, 1);
        factory.SetU8(20, 1);
        FileTable files;
        ConfigFileForm form = LoadConfigFile(factory, files);
        ErrorNotifyBlock unchanged = factory;
        StoreConfigFile(form, unchanged, files);
        EXPECT_EQ(unchanged, factory) << "case " << n;
        cases[n].edit(form);
        ErrorNotifyBlock after = factory;
        StoreConfigFile(form, after, files);
        EXPECT_EQ(after.U8(cases[n].offset), cases[n].expected) << "case " << n;
        for (size_t i = 0; i < ErrorNotifyBlock::kSize; ++i) {
            if (i != cases[n].offset) {
                EXPECT_EQ(after.U8(i), factory.U8(i)) << "case " << n << " byte " << i;
            }
        }
    }
}

TEST(ConfigFileModel, DecimalsShowRecordOneAndGoIntoEveryRecord) {
    FileTable files;
    for (size_t r = 0; r < FileTable::kCount; ++r)
        files[r].SetU8(file::kDecimals, static_cast<uint8_t>(r % 7));
    files[0].SetU8(file::kDecimals, 3);
    ErrorNotifyBlock errors;
    ConfigFileForm form = LoadConfigFile(errors, files);
    EXPECT_EQ(form.decimals, 3);
    form.decimals = 5;
    StoreConfigFile(form, errors, files);
    for (size_t r = 0; r < FileTable::kCount; ++r)
        EXPECT_EQ(files[r].U8(file::kDecimals), 5) << "record " << r;
}

TEST(ConfigFileModel, DecimalsAboveTheBoxLeaveTheRecordsAsTheyWere) {
    FileTable files;
    files[0].SetU8(file::kDecimals, 7);
    files[1].SetU8(file::kDecimals, 200);
    files[2].SetU8(file::kDecimals, 1);
    const FileTable before = files;
    ErrorNotifyBlock errors;
    const ConfigFileForm form = LoadConfigFile(errors, files);
    EXPECT_EQ(form.decimals, -1);
    StoreConfigFile(form, errors, files);
    EXPECT_EQ(files, before);
}

TEST(ConfigFileModel, ExampleFileNameFollowsTheFiveBoxes) {
    struct Case {
        std::array<bool, 5> parts; // folder, brackets, time, trigger, short year
        const wchar_t* name;
    };
    const Case cases[] = {
        {{true, true, true, true, true}, L" [SD or RAM]/TEST/Log/TEST(100801_093000_SET).csv"},
        {{false, false, false, false, false}, L" [SD or RAM]/TEST20100801.csv"},
        {{true, true, true, true, false}, L" [SD or RAM]/TEST/Log/TEST(20100801_093000_SET).csv"},
        {{true, false, true, true, true}, L" [SD or RAM]/TEST/Log/TEST100801_093000_SET.csv"},
        {{false, true, false, true, true}, L" [SD or RAM]/TEST(100801_SET).csv"},
    };
    test::ScopedLanguage english(test::kEnglish);
    for (const Case& c : cases)
        EXPECT_EQ(ExampleLogFileName(c.parts), c.name);
}

// The storage named at the head of the example is worded in the interface
// language; the file name after it is the unit's own.
TEST(ConfigFileModel, ExampleNamesItsStorageInTheInterfaceLanguage) {
    for (const test::Language& lang : test::kAllLanguages) {
        test::ScopedLanguage language(lang);
        const std::wstring storage = ResString(46038);
        ASSERT_FALSE(storage.empty()) << lang.module;
        EXPECT_EQ(ExampleLogFileName({false, false, false, false, false}),
                  L" " + storage + L"/TEST20100801.csv")
            << lang.module;
        if (std::string(lang.module) != test::kEnglish.module) {
            EXPECT_EQ(storage.find(L"or"), std::wstring::npos) << lang.module;
        }
    }
}

} // namespace
} // namespace qv
