#include <gtest/gtest.h>

#include <algorithm>

#include "tests/core/LanguageFixture.h"
#include "tests/core/ReportFixtures.h"
#include "view/report/ReportLayout.h"
#include "view/report/ReportText.h"

namespace qv::test {
namespace {

using namespace report;

class ReportLayoutTest : public ::testing::Test {
protected:
    ReportLayoutTest() { doc.SetDefaultSettings(); }
    ImageBlocks& Blocks() { return doc.Blocks(); }
    void UseTriggers(int n) {
        for (int i = 0; i < n; ++i)
            Blocks().triggers[static_cast<size_t>(i)].SetU8(trig::kKind, 1);
    }
    ScopedNumberTable strings;
    CQuorvelDoc doc{kCodePageJapanese};
};

TEST_F(ReportLayoutTest, FactoryDefaultsPrintFourPagesWithTheirHeading) {
    const Report report(Blocks(), kCodePageJapanese, L"Untitled.qv");
    EXPECT_EQ(report.Layout().linesPerPage, 49);
    ASSERT_EQ(report.TotalPages(), 4);
    for (int p = 1; p <= 4; ++p) {
        const ReportPage page = report.BuildPage(p);
        const auto& records = page.Records();
        ASSERT_GE(records.size(), 3u);
        EXPECT_EQ(DumpRecord(records[0]), "heading x0..9500 y0 \"Untitled.qv\"");
        EXPECT_EQ(DumpRecord(records[1]),
                  "heading x9500..10500 y0 \"Page " + std::to_string(p) + "/4\"");
        EXPECT_EQ(DumpRecord(records[2]), "rule 0..10500 y-429");
    }
}

bool HasLatinLetter(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) {
        return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
    });
}

// The heading's page number is worded in the interface language.
TEST(ReportHeading, PageNumberIsInTheInterfaceLanguage) {
    CQuorvelDoc doc{kCodePageJapanese};
    doc.SetDefaultSettings();
    for (const Language& lang : kAllLanguages) {
        ScopedLanguage language(lang);
        const Report report(doc.Blocks(), lang.codePage, L"t");
        const std::wstring page = report.BuildPage(2).Records().at(1).text;
        EXPECT_EQ(page, FormatText(ResString(46520), {2, 4})) << lang.module;
        EXPECT_NE(page.find(L"2/4"), std::wstring::npos) << lang.module;
        EXPECT_EQ(HasLatinLetter(page), std::string(lang.module) == kEnglish.module) << lang.module;
    }
}

TEST_F(ReportLayoutTest, TablePagesHoldTwoLinesLessThanAPage) {
    UseTriggers(47);
    EXPECT_EQ(CountTriggerPages(Blocks(), 49), 1);
    UseTriggers(48);
    EXPECT_EQ(CountTriggerPages(Blocks(), 49), 2);
    // Only the first 128 triggers count.
    Blocks().triggers[200].SetU8(trig::kKind, 1);
    EXPECT_EQ(CountTriggerPages(Blocks(), 49), 2);
    EXPECT_EQ(Report(Blocks(), kCodePageJapanese, L"t").TotalPages(), 6);
}

TEST_F(ReportLayoutTest, DevicesStartANewPageForEachFile) {
    for (size_t i = 0; i < 50; ++i)
        Blocks().devices[i].SetU8(dev::kFile, 1);
    Blocks().devices[60].SetU8(dev::kFile, 3);
    Blocks().devices[400].SetU8(dev::kFile, 2); // past the 300 that count
    const PageLayout layout = ComputePrintLayout(Blocks(), 49);
    const std::array<int, 16> expected{2, 0, 1};
    EXPECT_EQ(layout.filePages, expected);
    EXPECT_EQ(layout.devicePages, 3);
}

TEST_F(ReportLayoutTest, DataSetsAndMailSendingsCountByAnyByte) {
    Blocks().dataSets[70].SetU8(63, 1);
    Blocks().mailSends[5].SetU8(287, 1);
    const PageLayout layout = ComputePrintLayout(Blocks(), 49);
    EXPECT_EQ(layout.dataSetPages, 1);
    EXPECT_EQ(layout.mailPages, 1);
    EXPECT_EQ(layout.TotalPages(), 6);
}

TEST_F(ReportLayoutTest, LinesComeFromTheA4SheetAndTheMargins) {
    struct Case {
        Margins margins;
        int lines;
    };
    const Case cases[] = {
        {{2000, 2000, 2000, 2000}, 49},
        {{2000, 3000, 2000, 3000}, 45},
        {{0, 0, 0, 0}, 57},
        {{2000, 14000, 2000, 14000}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LinesFor(kPaperHeight, c.margins), c.lines) << c.margins.top;
}

TEST_F(ReportLayoutTest, MarginsThatLeaveTooFewLinesOrRunOffTheSheetAreRefused) {
    struct Case {
        Margins margins;
        unsigned message;
        int field;
    };
    const Case cases[] = {
        {{2000, 2000, 2000, 2000}, 0, 0},
        {{2480, 3000, 9000, 3000}, 0, 0}, // the right margin is not used
        {{2000, 14000, 2000, 14000}, kMsgMarginsTooFewLines, kMarginTop},
        {{2000, 1000, 2000, 27000}, kMsgMarginsTooFewLines, kMarginBottom},
        {{2600, 2000, 2000, 2000}, kMsgMarginsTooWide, kMarginLeft},
        {{2000, -1, 2000, 2000}, kMsgMarginNegative, kMarginTop},
    };
    for (const Case& c : cases) {
        const Refusal r = CheckMargins(c.margins);
        EXPECT_EQ(r.messageId, c.message) << c.margins.left << "/" << c.margins.top;
        EXPECT_EQ(r.field, c.field) << c.margins.left << "/" << c.margins.top;
    }
    EXPECT_EQ(CheckMargins({2000, 14000, 2000, 14000}).args, std::vector<std::wstring>{L"2"});
}

TEST_F(ReportLayoutTest, TooFewLinesNeverDivideByZero) {
    UseTriggers(10);
    const Report report(Blocks(), kCodePageJapanese, L"t", {2000, 14500, 2000, 14500});
    EXPECT_EQ(report.Layout().linesPerPage, kMinLinesPerPage);
    EXPECT_EQ(report.Layout().triggerPages, 10);
}

TEST_F(ReportLayoutTest, PrintsTheSnapshotAndNeverTheWriteStamp) {
    const std::string before = DumpPage(Report(Blocks(), 932, L"t").BuildPage(1));
    const Report report(Blocks(), kCodePageJapanese, L"t");
    // Edits after the job began do not reach it; the write stamp never does.
    Blocks().unit.SetU8(unit::kName, 'X');
    for (auto& b : Blocks().writeStamp.bytes)
        b = 0x41;
    EXPECT_EQ(DumpPage(report.BuildPage(1)), before);
    EXPECT_EQ(DumpPage(Report(Blocks(), 932, L"t").BuildPage(3)), DumpPage(report.BuildPage(3)));
}

TEST(ReportFormatText, TakesNumbersOnlyForIntegerConversions) {
    struct Case {
        const wchar_t* format;
        std::vector<long long> numbers;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"%3d.%3d", {192, 5}, L"192.  5"},
        {L"GMT%+d:00", {-5}, L"GMT-5:00"},
        {L"GMT%+d:00", {0}, L"GMT+0:00"},
        {L"100%% %d", {7}, L"100% 7"},
        // A translated text with a wrong or missing conversion is harmless.
        {L"%s and %n %d", {4}, L"%s and %n 4"},
        {L"%d %d", {1}, L"1 "},
        {L"no number", {1, 2}, L"no number"},
        {L"%", {}, L"%"},
        {L"%ld %02x", {12, 10}, L"12 0a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(c.format, c.numbers), c.text) << WideToUtf8(c.format);
}

} // namespace
} // namespace qv::test
