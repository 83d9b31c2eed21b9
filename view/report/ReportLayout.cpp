#include "view/report/ReportLayout.h"

#include <algorithm>

#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

constexpr int kHeadingPageX = 9500;
constexpr unsigned kStrPageOf = 46520; // %d of %d pages

// n records, linesPerPage - 2 to a page (the other two are the section's
// own heading lines).
int PagesFor(int records, int linesPerPage) {
    const int perPage = std::max(1, linesPerPage - 2);
    return (records + perPage - 1) / perPage;
}

} // namespace

int HundredthsMmToTwips(int hundredths) {
    return static_cast<int>(static_cast<long long>(hundredths) * 1440 / 2540);
}

int LinesFor(int paperHeight, const Margins& margins) {
    const int text =
        paperHeight - HundredthsMmToTwips(margins.top) - HundredthsMmToTwips(margins.bottom);
    return (text + kLineHeight) / kLineHeight - 2;
}

Refusal CheckMargins(const Margins& m) {
    const int fields[] = {m.left, m.top, m.right, m.bottom};
    for (int i = 0; i < 4; ++i)
        if (fields[i] < 0)
            return Refuse(kMsgMarginNegative, kMarginLeft + i);
    const int lines = LinesFor(kPaperHeight, m);
    if (lines < kMinLinesPerPage)
        return Refuse(kMsgMarginsTooFewLines, m.top >= m.bottom ? kMarginTop : kMarginBottom,
                      {std::max(lines, 0)});
    if (HundredthsMmToTwips(m.left) + kReportWidth > kPaperWidth) {
        const long long maxMm = (kPaperWidth - kReportWidth) * 254LL / 14400;
        return Refuse(kMsgMarginsTooWide, kMarginLeft, {maxMm});
    }
    return {};
}

// The counts take the records the sections print, so a page never comes out
// empty or one short.
int CountTriggerPages(const ImageBlocks& image, int linesPerPage) {
    return PagesFor(static_cast<int>(tables::TriggersInUse(image).size()), linesPerPage);
}

int CountGroupPages(const ImageBlocks& image, int linesPerPage, std::array<int, 16>& filePages) {
    int total = 0;
    for (int f = 1; f <= 16; ++f) {
        const int used = static_cast<int>(tables::DevicesOfFile(image, f).size());
        filePages[static_cast<size_t>(f - 1)] = PagesFor(used, linesPerPage);
        total += filePages[static_cast<size_t>(f - 1)];
    }
    return total;
}

int CountEntryPages(const ImageBlocks& image, int linesPerPage) {
    return PagesFor(static_cast<int>(tables::DataSetsInUse(image).size()), linesPerPage);
}

int CountMailPages(const ImageBlocks& image, int linesPerPage) {
    return PagesFor(static_cast<int>(tables::MailSendsInUse(image).size()), linesPerPage);
}

PageLayout ComputePrintLayout(const ImageBlocks& image, int linesPerPage) {
    PageLayout layout;
    // The margins dialog refuses fewer; a paper that still leaves too few
    // lines prints with three rather than divide by nothing.
    layout.linesPerPage = std::max(linesPerPage, kMinLinesPerPage);
    layout.triggerPages = CountTriggerPages(image, layout.linesPerPage);
    layout.devicePages = CountGroupPages(image, layout.linesPerPage, layout.filePages);
    layout.dataSetPages = CountEntryPages(image, layout.linesPerPage);
    layout.mailPages = CountMailPages(image, layout.linesPerPage);
    return layout;
}

Report::Report(const ImageBlocks& document, uint32_t codePage, std::wstring title,
               const Margins& margins)
    : image_(std::make_unique<ImageBlocks>(document)), codePage_(codePage),
      title_(std::move(title)), margins_(margins) {
    // The write stamp is no part of the report.
    image_->writeStamp.Clear();
    layout_ = ComputePrintLayout(*image_, LinesFor(kPaperHeight, margins_));
}

ReportPage Report::BuildPage(int p) const {
    ReportPage page(p);
    page.AddHeading(title_, 0, 0, kHeadingPageX);
    page.AddHeading(ResFormat(kStrPageOf, {p, TotalPages()}), kHeadingPageX, 0);
    page.AddRule(0, kReportWidth, -(3 * kLineHeight) / 2);

    const ReportSource source{*image_, codePage_, layout_};
    const int t = layout_.triggerPages, d = layout_.devicePages, s = layout_.dataSetPages;
    if (p == 1)
        PrintSettingsPage1(source, page);
    else if (p == 2)
        PrintSettingsPage2(source, page);
    else if (p == 3)
        PrintSettingsPage3(source, page);
    else if (p == 4)
        PrintFileSettingsPage(source, page);
    else if (p < 5 + t)
        PrintTriggerPage(source, page);
    else if (p < 5 + t + d)
        PrintRegisterPage(source, page);
    else if (p < 5 + t + d + s)
        PrintEntryPage(source, page);
    else
        PrintMailPage(source, page);
    return page;
}

} // namespace qv::report
