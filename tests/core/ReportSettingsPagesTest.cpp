#include <gtest/gtest.h>

#include "tests/core/ReportFixtures.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportText.h"

namespace qv::test {
namespace {

using namespace report;

class ReportSettingsPagesTest : public ::testing::Test {
protected:
    ReportSettingsPagesTest() { doc.SetDefaultSettings(); }
    ImageBlocks& Blocks() { return doc.Blocks(); }
    std::string Pages() const {
        const Report report(doc.Blocks(), kCodePageJapanese, L"Settings.qv");
        std::string out;
        for (int p = 1; p <= 3; ++p)
            out += DumpPage(report.BuildPage(p));
        return out;
    }
    // The text printed at line and x of one page, or "-" when none.
    std::string At(int pageNumber, int line, int x, int linesPerPage = 49) const {
        PageLayout layout;
        layout.linesPerPage = linesPerPage;
        const ReportSource source{doc.Blocks(), kCodePageJapanese, layout};
        ReportPage page(pageNumber);
        void (*const printers[])(const ReportSource&, ReportPage&) = {
            PrintSettingsPage1, PrintSettingsPage2, PrintSettingsPage3};
        printers[pageNumber - 1](source, page);
        for (const PrintRecord& r : page.Records())
            if (r.line == line && r.left == x)
                return WideToUtf8(r.text);
        return "-";
    }
    uint8_t* Port(int p) { return Blocks().unit.data() + unit::kPortRecord + 6 * p; }
    ScopedNumberTable strings;
    CQuorvelDoc doc{kCodePageJapanese};
};

TEST_F(ReportSettingsPagesTest, FactoryDefaultsMatchTheGolden) {
    ExpectGolden("settings_pages_defaults.txt", Pages());
}

TEST_F(ReportSettingsPagesTest, EveryFieldFilledMatchesTheGolden) {
    FillSettingsPages(Blocks());
    ExpectGolden("settings_pages_rich.txt", Pages());
}

TEST_F(ReportSettingsPagesTest, FactoryDefaultsShowTheirValues) {
    struct Case {
        int page, line, x;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 3000, "Brellox"},
        {1, 7, 3000, "192.168.  1.  5"},
        {1, 8, 3000, "255.255.255.  0"},
        {1, 9, 3000, "192.168.  1.  1"},
        {1, 11, 3000, "  0.  0.  0.  0"},
        {1, 17, 750, "-"},
        {1, 19, 750, "-"},
        {1, 20, 3500, " 30 {4060}"},
        {1, 41, 3250, "{9141}"},
        {1, 41, 8250, "{9141}"},
        {1, 49, 3250, "{9202}"},
        {1, 49, 8250, "{9202}"},
        {1, 48, 3250, "{9150 10}"},
        {1, 38, 2500, "***"},
        {2, 49 + 2, 5250, "{9202}"},
        {2, 49 + 4, 5250, "{46022}"},
        {2, 49 + 5, 5250, "{9202}"},
        {2, 49 + 9, 5250, "2"},
        {2, 49 + 20, 6200, "{9203}"},
        {2, 49 + 21, 6200, "{9202}"},
        {3, 98 + 3, 2750, "9094"},
        {3, 98 + 5, 2750, "  21"},
        {3, 98 + 9, 2750, " 123"},
        {3, 98 + 14, 1000, "{9277}"},
        {3, 98 + 14, 750, "-"},
        {3, 98 + 15, 750, "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(At(c.page, c.line, c.x), c.text) << c.page << ":" << c.line << " x" << c.x;
}

TEST_F(ReportSettingsPagesTest, UnmarkedRecipientsKeepTheirCellOutline) {
    const Report report(Blocks(), kCodePageJapanese, L"t");
    int blanks = 0;
    const ReportPage page = report.BuildPage(2);
    for (const PrintRecord& r : page.Records())
        if (r.kind == PrintRecord::Kind::Cell && r.left == 650 && r.line > 49 + 30) {
            EXPECT_EQ(r.text, L"      ");
            EXPECT_TRUE(r.border);
            ++blanks;
        }
    EXPECT_EQ(blanks, 16);
}

TEST_F(ReportSettingsPagesTest, SerialPortColumnsFollowTheirRole) {
    Port(1)[portrec::kRole] = 1;
    Port(1)[portrec::kNumber] = 7;
    Blocks().unit.SetU16(unit::kPortValue, 12);
    EXPECT_EQ(At(1, 42, 8250), "{9142 7}");
    EXPECT_EQ(At(1, 43, 8000), ":");
    EXPECT_EQ(At(1, 43, 5450), "{9155}");
    EXPECT_EQ(At(1, 50, 5450), "{9154}");
    EXPECT_EQ(At(1, 42, 450), "{9155}");
    EXPECT_EQ(At(1, 48, 3250), "{9150 120}");
}

TEST_F(ReportSettingsPagesTest, AnUnknownRoleMovesNoColumn) {
    Port(0)[portrec::kRole] = 200;
    EXPECT_EQ(At(1, 41, 3250), "{9141}");
    EXPECT_EQ(At(1, 42, 3250), At(1, 42, 8250));
    EXPECT_EQ(At(1, 49, 450), "{9154}");
    EXPECT_EQ(At(1, 42, 450), "{9155}");
}

TEST_F(ReportSettingsPagesTest, TextsReadToTheirFieldEndOnly) {
    std::memset(Blocks().unit.data(), 'N', kNameWidth); // no NUL; the port bytes follow
    MailServerRecord& m = Blocks().mail[0];
    m.SetU8(mailsrv::kAuth, 3);
    WriteMultiField(m.data() + mailsrv::kPassword, 16, "abcde", kCodePageJapanese);
    std::memset(Blocks().users[15].data() + user::kName, 'U', user::kNameWidth);
    EXPECT_EQ(At(1, 1, 3000), std::string(32, 'N'));
    EXPECT_EQ(At(1, 18, 3500), "*****");
    EXPECT_EQ(At(1, 19, 750), "-");
    const Report report(Blocks(), kCodePageJapanese, L"t");
    const ReportPage page = report.BuildPage(2);
    for (const PrintRecord& r : page.Records())
        if (r.line == 49 + 46 && r.left == 1450) {
            EXPECT_EQ(r.text, L" " + std::wstring(16, L'U'));
        }
}

TEST_F(ReportSettingsPagesTest, ClockSynchronisationByMode) {
    using namespace timeblk;
    TimeBlock& t = Blocks().time;
    t.SetU8(kMode, 2);
    t.SetU8(kSourcePort, 2);
    t.SetU8(kSourcePort2 + 2, 5);
    t.SetU16(kTrigger, 3);
    WriteMultiField(Blocks().triggers[2].data(), kNameWidth, "ABC", kCodePageJapanese);
    EXPECT_EQ(At(3, 98 + 14, 1000), "{9292}");
    EXPECT_EQ(At(3, 98 + 14, 750), "{9283}");
    EXPECT_EQ(At(3, 98 + 15, 2750), "{9296}");
    EXPECT_EQ(At(3, 98 + 16, 2750), "5");
    EXPECT_EQ(At(3, 98 + 17, 2750), "No.3( ABC )");
    // Only triggers 1 to 128 have a name to print.
    t.SetU16(kTrigger, 300);
    EXPECT_EQ(At(3, 98 + 17, 2750), "No.300(  )");
    t.SetU16(kTrigger, 0);
    EXPECT_EQ(At(3, 98 + 17, 2750), "{9280}");
    t.SetU8(kMode, 1);
    t.SetU8(kTimeZone, 9);
    EXPECT_EQ(At(3, 98 + 17, 2750), "GMT+9:00");
    t.SetU8(kMode, 7);
    EXPECT_EQ(At(3, 98 + 14, 1000), "{9277}");
    EXPECT_EQ(At(3, 98 + 15, 750), "-");
}

TEST_F(ReportSettingsPagesTest, LinesPastThePageAreNotPrinted) {
    Blocks().errorNotify.SetU16(errnotify::kRecipients, 0x0005);
    EXPECT_EQ(At(2, 40 + 31, 650, 40), "{9263}");
    EXPECT_EQ(At(2, 40 + 33, 650, 40), "{9263}");
    EXPECT_EQ(At(2, 40 + 39, 650, 40), "      ");
    EXPECT_EQ(At(2, 40 + 40, 650, 40), "-");
    EXPECT_EQ(At(3, 60 + 29, 650, 30), "  8 ");
    EXPECT_EQ(At(3, 60 + 30, 650, 30), "-");
    EXPECT_EQ(At(1, 45, 450, 45), "{9145}");
    EXPECT_EQ(At(1, 46, 450, 45), "-");
}

} // namespace
} // namespace qv::test
