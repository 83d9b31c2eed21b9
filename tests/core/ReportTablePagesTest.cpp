// The report's file page and table sections, as page records: goldens of the
// factory defaults and of a rich image, pagination, and the values the pages
// must print soundly.
#include <gtest/gtest.h>

#include <memory>

#include "document/QuorvelDoc.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/ReportTableRichImage.h"
#include "view/report/ReportSections.h"

namespace qv::test {
namespace {

using namespace tablepages;

using report::PageLayout;
using report::PrintRecord;
using report::ReportPage;
using report::ReportSource;

// Page 4 and every table page, as the frame chooses their printers.
ReportPage PrintPage(const ReportSource& source, int p) {
    ReportPage page(p);
    const PageLayout& l = source.layout;
    if (p == 4)
        report::PrintFileSettingsPage(source, page);
    else if (p < 5 + l.triggerPages)
        report::PrintTriggerPage(source, page);
    else if (p < 5 + l.triggerPages + l.devicePages)
        report::PrintRegisterPage(source, page);
    else if (p < 5 + l.triggerPages + l.devicePages + l.dataSetPages)
        report::PrintEntryPage(source, page);
    else
        report::PrintMailPage(source, page);
    return page;
}

std::string DumpReport(const ImageBlocks& image, int linesPerPage) {
    const PageLayout layout = LayoutOf(image, linesPerPage);
    const ReportSource source{image, kCodePageJapanese, layout};
    std::string out;
    for (int p = 4; p <= layout.TotalPages(); ++p)
        out += "== page " + std::to_string(p) + "\n" + DumpRecords(PrintPage(source, p));
    return out;
}

std::unique_ptr<CQuorvelDoc> DefaultDoc() {
    static FixedClock clock;
    static FixedUser user;
    auto doc = std::make_unique<CQuorvelDoc>(kCodePageJapanese, clock, user);
    doc->SetDefaultSettings();
    return doc;
}

TEST(ReportTablePages, GoldenOfTheFactoryDefaults) {
    ScopedNumberStrings strings;
    ExpectGolden("defaults_table_pages.txt", DumpReport(DefaultDoc()->Blocks(), 49));
}

TEST(ReportTablePages, GoldenOfARichImage) {
    ScopedNumberStrings strings;
    auto doc = DefaultDoc();
    FillRichReport(doc->Blocks());
    ExpectGolden("rich_table_pages.txt", DumpReport(doc->Blocks(), 49));
}

// Every record stays on its own page's lines, whatever the page length and
// whatever the stored bytes; the file page leaves out what does not fit
// instead of spilling over.
TEST(ReportTablePages, RecordsStayOnTheirPage) {
    ScopedNumberStrings strings;
    auto doc = DefaultDoc();
    std::vector<std::unique_ptr<ImageBlocks>> images;
    FillRichReport(doc->Blocks());
    images.push_back(std::make_unique<ImageBlocks>(doc->Blocks()));
    for (unsigned seed : {1u, 2u, 3u}) {
        FillKitchenSink(*doc, seed);
        images.push_back(std::make_unique<ImageBlocks>(doc->Blocks()));
    }
    for (const auto& image : images) {
        for (int lines : {1, 2, 3, 5, 12, 25, 26, 49}) {
            const PageLayout layout = LayoutOf(*image, lines);
            const ReportSource source{*image, kCodePageJapanese, layout};
            for (int p = 4; p <= layout.TotalPages(); ++p) {
                const ReportPage page = PrintPage(source, p);
                EXPECT_FALSE(page.Records().empty()) << lines << " lines, page " << p;
                for (const PrintRecord& r : page.Records()) {
                    EXPECT_GE(r.line, layout.FirstLine(p)) << lines << " lines, page " << p;
                    EXPECT_LT(r.line, layout.FirstLine(p + 1)) << lines << " lines, page " << p;
                }
            }
        }
    }
}

// The first cell of each row: which records a page shows.
std::vector<std::wstring> RowNumbers(const ReportPage& page) {
    std::vector<std::wstring> out;
    for (const PrintRecord& r : page.Records())
        if (r.kind == PrintRecord::Kind::Cell && r.left == 0 && r.background == report::kWhite)
            out.push_back(r.text);
    return out;
}

TEST(ReportTablePages, TablesContinueOnTheirNextPage) {
    ScopedNumberStrings strings;
    auto doc = DefaultDoc();
    FillRichReport(doc->Blocks());
    // 7 lines: a title, a heading and 5 rows a page. 22 triggers take 5
    // pages; file 1 (13 devices) 3 pages; file 3 starts its own page.
    const PageLayout layout = LayoutOf(doc->Blocks(), 7);
    ASSERT_EQ(layout.triggerPages, 5);
    ASSERT_EQ(layout.filePages[0], 3);
    ASSERT_EQ(layout.filePages[2], 1);
    const ReportSource source{doc->Blocks(), kCodePageJapanese, layout};
    struct Case {
        int page;
        std::vector<std::wstring> rows;
    } cases[] = {
        {5, {L"  1 ", L"  2 ", L"  3 ", L"  4 ", L"  5 "}},
        {9, {L" 21 ", L" 22 "}},
        {10, {L"     3  ", L"     1  ", L"    10  ", L"    11  ", L"    12  "}},
        {12, {L"    18  ", L"    40  ", L"    41  "}},
        {13, {L"  9999  "}},
        {14, {L"  2 ", L"  9 ", L" 10 ", L" 11 "}},
        {15, {L"  1 ", L"  3 ", L"  6 "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RowNumbers(PrintPage(source, c.page)), c.rows) << "page " << c.page;
    // Each run of device pages names its own file.
    EXPECT_EQ(PrintPage(source, 12).Records().front().text, L"{9500}1");
    EXPECT_EQ(PrintPage(source, 13).Records().front().text, L"{9500}3");
}

// The write-stamp block lies between the tables and the recipients: the
// pages read each section by its block, so it changes nothing.
TEST(ReportTablePages, TheWriteStampBlockMovesNothing) {
    ScopedNumberStrings strings;
    auto doc = DefaultDoc();
    FillRichReport(doc->Blocks());
    const std::string before = DumpReport(doc->Blocks(), 49);
    for (size_t i = 0; i < WriteStampBlock::kSize; ++i)
        doc->Blocks().writeStamp.SetU8(i, static_cast<uint8_t>(0xA5 ^ i));
    EXPECT_EQ(DumpReport(doc->Blocks(), 49), before);
}

TEST(ReportTablePages, TriggerNamesOnlyForTheTriggersAUserCanSetUp) {
    ImageBlocks* image = new ImageBlocks();
    std::unique_ptr<ImageBlocks> owner(image);
    for (size_t i = 0; i < TriggerTable::kCount; ++i)
        SetField(image->triggers[i].data(), kNameWidth, ("T" + std::to_string(i + 1)).c_str());
    struct Case {
        long long number;
        const wchar_t* text;
    } cases[] = {{0, L"No.0()"},     {1, L"No.1(T1)"},   {128, L"No.128(T128)"}, {129, L"No.129()"},
                 {256, L"No.256()"}, {257, L"No.257()"}, {65535, L"No.65535()"}, {-1, L"No.-1()"}};
    for (const Case& c : cases)
        EXPECT_EQ(report::tables::TriggerRef(*image, c.number, kCodePageJapanese), c.text)
            << c.number;
}

// Page 4's last column with its selector set names the second trigger; with
// number 0 there is no trigger to name.
TEST(ReportTablePages, FilePageSecondTriggerZeroHasNoName) {
    ScopedNumberStrings strings;
    auto image = std::make_unique<ImageBlocks>();
    SetField(image->triggers[255].data(), kNameWidth, "Record before the table?");
    image->files[0].SetU8(file::kSelector, 1);
    image->files[1].SetU8(file::kSelector, 1);
    image->files[1].SetU8(file::kTrigger2, 3);
    SetField(image->triggers[2].data(), kNameWidth, "Third");
    const PageLayout layout = LayoutOf(*image, 49);
    ReportPage page = PrintPage(ReportSource{*image, kCodePageJapanese, layout}, 4);
    std::vector<std::wstring> lastColumn;
    for (const PrintRecord& r : page.Records())
        if (r.left == 6650 && (r.line == 3 * 49 + 2 || r.line == 3 * 49 + 3))
            lastColumn.push_back(r.text);
    EXPECT_EQ(lastColumn, (std::vector<std::wstring>{L" {3059}: No.0()", L" {3059}: No.3(Third)"}));
}

// The widest stored bit address prints all its ten characters wherever a
// contact is printed.
TEST(ReportTablePages, TheWidestBitAddressPrintsWhole) {
    ScopedNumberStrings strings;
    auto image = std::make_unique<ImageBlocks>();
    rich::Watch(image->triggers[0], kTriggerContact, 0, 0, 2, 0xFFFFFFFFu);
    rich::Device(image->devices[0], "D", 1, 1, 0, 0, 2, 0xFFFFFFFFu, false, 0, 0);
    image->dataSets[0].SetU32(dset::kAddress, 0xFFFFFFFFu);
    const PageLayout layout = LayoutOf(*image, 49);
    const ReportSource source{*image, kCodePageJapanese, layout};
    for (int p = 5; p <= 7; ++p) {
        int found = 0;
        const ReportPage page = PrintPage(source, p);
        for (const PrintRecord& r : page.Records())
            found += r.text.find(L"268435455F") != std::wstring::npos;
        EXPECT_EQ(found, 1) << "page " << p;
    }
}

// The text of the row cell that starts at x on a page.
std::wstring CellAt(const ReportPage& page, int x) {
    for (const PrintRecord& r : page.Records())
        if (r.kind == PrintRecord::Kind::Cell && r.left == x && r.background == report::kWhite)
            return r.text;
    return L"-";
}

// One stored place prints one way: a trigger watching it, the device on it
// and a data set writing to it name it alike, in every form of address.
TEST(ReportTablePages, APlacePrintsAlikeForTriggerDeviceAndDataSet) {
    ScopedNumberStrings strings;
    struct Case {
        uint8_t port, station, area;
        uint32_t address;
        bool contact;
    } cases[] = {
        {0, 0, 15, 100, false},        {0, 0, 2, 26 * 16 + 5, true}, {1, 3, 15, 0xFFFFFFFFu, false},
        {1, 0, 0, 0xFFFFFFFFu, true},  {2, 247, 3, 0x64, false},     {2, 12, 2, 0x1A, true},
        {2, 0, 6, 0xFFFFFFFFu, false},
    };
    for (const Case& c : cases) {
        auto image = std::make_unique<ImageBlocks>();
        image->unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1); // function codes
        rich::Watch(image->triggers[0], c.contact ? kTriggerContact : kTriggerRegister, c.port,
                    c.station, c.area, c.address);
        rich::Device(image->devices[0], "D", 1, 1, c.port, c.station, c.area, c.address, !c.contact,
                     0, 0);
        DataSetRecord& d = image->dataSets[0];
        d.SetU8(dset::kPort, c.port);
        d.SetU8(dset::kStation, c.station);
        d.SetU8(dset::kArea, c.area);
        d.SetU32(dset::kAddress, c.address);
        d.SetU8(dset::kTargetKind, c.contact ? 0 : 1);
        const PageLayout layout = LayoutOf(*image, 49);
        const ReportSource source{*image, kCodePageJapanese, layout};
        const std::wstring device = CellAt(PrintPage(source, 6), 3300);
        const std::wstring trigger = CellAt(PrintPage(source, 5), 4200);
        const std::wstring dataSet = CellAt(PrintPage(source, 7), 4500);
        const std::string where = std::to_string(c.port) + "/" + std::to_string(c.area) + "/" +
                                  std::to_string(c.address) + ": " + WideToUtf8(device);
        ASSERT_GT(device.size(), 2u) << where;
        EXPECT_EQ(trigger.substr(0, device.size() + 1), device + L" ")
            << where << " | " << WideToUtf8(trigger);
        EXPECT_EQ(dataSet.substr(0, device.size() + 1), device + L"=")
            << where << " | " << WideToUtf8(dataSet);
        // An address is a number, never negative.
        EXPECT_EQ(device.find(L'-'), std::wstring::npos) << where;
    }
}

// A table holding one text, as a translator wrote it.
class OneText : public StringTable {
public:
    explicit OneText(const char* text) : text_(text) {}
    const char* FindUtf8(unsigned id) const override { return id == 1 && *text_ ? text_ : nullptr; }

private:
    const char* text_;
};

TEST(ReportText, FormatsAreCheckedAgainstTheirArguments) {
    struct Case {
        const char* format;
        std::string kinds;
        std::vector<std::wstring> args;
        const wchar_t* text;
    } cases[] = {
        {"File %d", "d", {L"3"}, L"File 3"},
        {"%s  St.%d  %s%s", "sdss", {L"Port 1", L"3", L"DT", L"100"}, L"Port 1  St.3  DT100"},
        {"[%3d|%-4s|%03u|%ld]", "dsdd", {L"7", L"ab", L"-5", L"9"}, L"[  7|ab  |-05|9]"},
        {"100%% of %s", "s", {L"it"}, L"100% of it"},
        // a translation whose conversions do not fit keeps its words and
        // shows every value after them
        {"File %s", "d", {L"3"}, L"File  3"},
        {"%s %s %s", "sdss", {L"Port 1", L"3", L"", L"X"}, L"   Port 1 3 X"},
        {"Only words", "d", {L"3"}, L"Only words 3"},
        {"%d %d", "d", {L"3"}, L"  3"},
        {"%n%x%p 50%", "", {}, L" 50"},
        {"%s", "s", {}, L""},
        {"", "d", {L"3"}, L""}, // no text at all
    };
    for (const Case& c : cases) {
        OneText table(c.format);
        SetActiveStringTable(&table);
        EXPECT_EQ(report::tables::FormatChecked(1, c.kinds, c.args), c.text) << c.format;
    }
    SetActiveStringTable(nullptr);
}

// Every language's formats take what the pages hand them, so none of them
// falls back to the plain list of values.
TEST(ReportText, EveryLanguageFormatsTakeTheirArguments) {
    const std::pair<unsigned, const char*> formats[] = {
        {9500, "d"}, {9507, "sdss"}, {9520, "sss"}, {4300, "d"}, {4301, "s"}};
    for (const Language& lang : kAllLanguages) {
        ScopedLanguage language(lang);
        for (const auto& f : formats)
            EXPECT_TRUE(report::tables::FormatTakes(ResString(f.first), f.second))
                << f.first << " in " << lang.module;
    }
}

} // namespace
} // namespace qv::test
