// Every text of the printed report stays in its column: with every field at
// its full length, in each language, at a printer's resolution, what the
// painter draws never crosses into the next text's column or past the
// report's width; and the program's own texts fit without being cut.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <wx/dcmemory.h>

#include "app/LanguageProfile.h"
#include "document/QuorvelDoc.h"
#include "document/Utf8.h"
#include "tests/core/ReportFullImage.h"
#include "tests/gui/GuiTestSupport.h"
#include "view/ReportPainter.h"

namespace qv {
namespace {

using report::PrintRecord;
using namespace test::fullreport;

constexpr int kDpi = 600;
// A cell's outline is drawn 10 twips wide on its edge.
constexpr int kOutlineHalf = 5;

struct Drawn {
    PrintRecord record;
    DrawnText where;
};

class ReportFitTest : public ::testing::TestWithParam<int> {
protected:
    test::ScopedGuiLanguage language{GetParam()};

    uint32_t CodePage() const {
        return GetParam() == kLangChinese ? kCodePageChinese : kCodePageJapanese;
    }

    std::unique_ptr<report::Report> MakeReport(Fields fields, Variant variant) const {
        auto image = std::make_unique<ImageBlocks>();
        FillFullReport(*image, CodePage(), GetParam() == kLangEnglish, fields, variant);
        // A document title far longer than its place in the heading.
        return std::make_unique<report::Report>(*image, CodePage(), std::wstring(200, L'T'));
    }

    // What the painter drew of page p, text by text; with `fits` from the
    // pages painted before, on a device drawing at `scale`.
    std::vector<Drawn> Draw(const report::Report& report, int p, ReportTextFits* fits = nullptr,
                            double scale = 1) const {
        wxBitmap scratch(8, 8, 24);
        wxMemoryDC dc(scratch);
        dc.SetUserScale(scale, scale);
        ReportPainter painter(dc, k_, Origin(), report.Layout().linesPerPage,
                              ReportFont(k_, dc.GetPPI().y), fits);
        std::vector<Drawn> drawn;
        painter.OnTextDrawn([&](const PrintRecord& r, const DrawnText& where) {
            drawn.push_back({r, where});
        });
        painter.Paint(report.BuildPage(p));
        return drawn;
    }

    int X(int twips) const { return Origin().x + static_cast<int>(std::lround(twips * k_)); }
    wxPoint Origin() const {
        const int m = static_cast<int>(std::lround(report::HundredthsMmToTwips(2000) * k_));
        return {m, m};
    }
    std::string Where(const Variant v, int p, const PrintRecord& r) const {
        return std::string(LanguageRegistryName(GetParam())) + (v == Variant::A ? " A" : " B") +
               " page " + std::to_string(p) + " line " + std::to_string(r.line) + " x" +
               std::to_string(r.left) + " \"" + WideToUtf8(r.text) + "\"";
    }

    const double k_ = kDpi / 1440.0;
};

// Where the column of a page's text ends: a cell at its right edge; a text
// where the next text of its line begins, else at the report's width.
int ColumnEnd(const report::ReportPage& page, const PrintRecord& r) {
    if (r.kind == PrintRecord::Kind::Cell)
        return r.right;
    const auto lineOf = [](const PrintRecord& x) {
        return x.kind == PrintRecord::Kind::Heading ? -1 : x.line;
    };
    int end = report::kReportWidth;
    for (const PrintRecord& other : page.Records())
        if (other.kind != PrintRecord::Kind::Rule && lineOf(other) == lineOf(r) &&
            other.left > r.left)
            end = std::min(end, other.left);
    return end;
}

TEST_P(ReportFitTest, FullLengthTextsStayInTheirColumns) {
    for (Variant variant : {Variant::A, Variant::B}) {
        const auto report = MakeReport(Fields::Full, variant);
        ASSERT_GT(report->TotalPages(), 20);
        for (int p = 1; p <= report->TotalPages(); ++p) {
            const report::ReportPage page = report->BuildPage(p);
            const std::vector<Drawn> drawn = Draw(*report, p);
            size_t texts = 0;
            for (const PrintRecord& r : page.Records())
                texts += r.kind != PrintRecord::Kind::Rule && !r.text.empty();
            ASSERT_EQ(drawn.size(), texts) << "page " << p;
            for (const Drawn& d : drawn) {
                const wxRect& rect = d.where.drawn;
                EXPECT_GT(rect.width, 0) << Where(variant, p, d.record) << " vanished";
                EXPECT_GE(rect.x, X(d.record.left)) << Where(variant, p, d.record);
                EXPECT_LE(rect.GetRight(), X(ColumnEnd(page, d.record)))
                    << Where(variant, p, d.record) << " runs into the next column";
                EXPECT_LE(rect.GetRight(), X(report::kReportWidth))
                    << Where(variant, p, d.record) << " runs past the report's width";
                if (d.record.kind == PrintRecord::Kind::Cell) {
                    EXPECT_GT(rect.x, X(d.record.left + kOutlineHalf))
                        << Where(variant, p, d.record) << " touches its cell's outline";
                    EXPECT_LT(rect.GetRight(), X(d.record.right - kOutlineHalf))
                        << Where(variant, p, d.record) << " touches its cell's outline";
                }
            }
        }
    }
}

// A text that does not fit is drawn in the largest of the smaller sizes in
// which it fits, or in the smallest when it fits in none.
TEST_P(ReportFitTest, EachTextTakesTheLargestSizeThatFits) {
    wxBitmap scratch(8, 8, 24);
    wxMemoryDC dc(scratch);
    const ReportTextDevice sizes(dc, ReportFont(k_, dc.GetPPI().y));
    for (Variant variant : {Variant::A, Variant::B}) {
        const auto report = MakeReport(Fields::Full, variant);
        int shrunk = 0, atFloor = 0;
        for (int p = 1; p <= report->TotalPages(); ++p) {
            for (const Drawn& d : Draw(*report, p)) {
                const int size = d.where.size;
                if (d.where.fitted.width > d.where.room) {
                    EXPECT_EQ(size, kFontSizes - 1) << Where(variant, p, d.record);
                }
                if (size == 0)
                    continue;
                ++shrunk;
                atFloor += d.where.fitted.width > d.where.room;
                wxCoord larger = 0, height = 0;
                dc.GetTextExtent(d.record.text, &larger, &height, nullptr, nullptr,
                                 &sizes.Font(size - 1));
                EXPECT_GT(larger, d.where.room)
                    << Where(variant, p, d.record) << " would have fitted one size larger";
            }
        }
        // The report has texts of both kinds, so the check checked something.
        EXPECT_GT(shrunk - atFloor, 0);
        EXPECT_GT(atFloor, 0);
    }
}

// Sizes kept from page to page are the sizes each page finds for itself, also
// when the device's scale changes between pages (a preview zoomed).
TEST_P(ReportFitTest, FitsKeptFromPageToPageAreEachPagesOwn) {
    const auto report = MakeReport(Fields::Full, Variant::A);
    ReportTextFits kept;
    for (double scale : {1.0, 0.37}) {
        for (int p = 1; p <= report->TotalPages(); ++p) {
            const std::vector<Drawn> own = Draw(*report, p, nullptr, scale);
            const std::vector<Drawn> shared = Draw(*report, p, &kept, scale);
            ASSERT_EQ(shared.size(), own.size());
            for (size_t i = 0; i < own.size(); ++i) {
                EXPECT_EQ(shared[i].where.size, own[i].where.size)
                    << "scale " << scale << " " << Where(Variant::A, p, own[i].record);
                EXPECT_EQ(shared[i].where.fitted, own[i].where.fitted)
                    << "scale " << scale << " " << Where(Variant::A, p, own[i].record);
            }
        }
    }
}

// With short user texts and small numbers every long text left is the
// program's own: each fits its column whole.
TEST_P(ReportFitTest, TheProgramsOwnTextsFitTheirColumns) {
    for (Variant variant : {Variant::A, Variant::B}) {
        const auto report = MakeReport(Fields::Short, variant);
        for (int p = 1; p <= report->TotalPages(); ++p) {
            for (const Drawn& d : Draw(*report, p)) {
                const bool title =
                    d.record.kind == PrintRecord::Kind::Heading && d.record.left == 0;
                if (!title) {
                    EXPECT_FALSE(d.where.Cut()) << Where(variant, p, d.record) << " is cut";
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ReportFitTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
