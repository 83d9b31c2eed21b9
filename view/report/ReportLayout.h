// The report as a whole: the snapshot it prints from, the page arithmetic of
// A4 portrait with the user's margins, and every page's records with their
// heading. Preview, print and export all paginate from here, so they agree
// at any printer resolution.
#pragma once
#include <memory>
#include <string>

#include "document/Refusal.h"
#include "view/report/ReportPage.h"

namespace qv::report {

// A4 portrait in twips, whatever the printer offers.
constexpr int kPaperWidth = 11906;
constexpr int kPaperHeight = 16838;
constexpr int kMinLinesPerPage = 3;

// Hundredths of a millimetre, as the page set-up shows them.
struct Margins {
    int left = 2000;
    int top = 2000;
    int right = 2000; // kept and shown; the layout does not use it
    int bottom = 2000;
    bool operator==(const Margins& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Margin fields of the page set-up, for the refusal's focus.
enum MarginField { kMarginLeft = 1, kMarginTop, kMarginRight, kMarginBottom };

constexpr unsigned kMsgMarginsTooFewLines = 46500; // %d: the lines that would be left
constexpr unsigned kMsgMarginsTooWide = 46501;     // %d: the largest left margin in mm
constexpr unsigned kMsgMarginNegative = 46502;

int HundredthsMmToTwips(int hundredths);
// Lines of text on a page of the given height; below kMinLinesPerPage when
// the margins leave too little room (possibly 0 or negative).
int LinesFor(int paperHeight, const Margins& margins);
// Refuses margins that leave fewer than three lines or push the report off
// the right edge of an A4 sheet.
Refusal CheckMargins(const Margins& margins);

// Page counts of the table sections for a layout with this many lines.
PageLayout ComputePrintLayout(const ImageBlocks& image, int linesPerPage);
int CountTriggerPages(const ImageBlocks& image, int linesPerPage);
int CountGroupPages(const ImageBlocks& image, int linesPerPage, std::array<int, 16>& filePages);
int CountEntryPages(const ImageBlocks& image, int linesPerPage);
int CountMailPages(const ImageBlocks& image, int linesPerPage);

// One print job: the snapshot taken when it begins and every page of it.
class Report {
public:
    Report(const ImageBlocks& document, uint32_t codePage, std::wstring title,
           const Margins& margins = Margins());

    const PageLayout& Layout() const { return layout_; }
    int TotalPages() const { return layout_.TotalPages(); }
    const Margins& PageMargins() const { return margins_; }
    // Page p (1-based): heading, rule and its section's records.
    ReportPage BuildPage(int page) const;

private:
    std::unique_ptr<ImageBlocks> image_;
    uint32_t codePage_;
    std::wstring title_;
    Margins margins_;
    PageLayout layout_;
};

} // namespace qv::report
