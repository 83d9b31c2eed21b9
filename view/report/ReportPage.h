// What one page of the printed settings report draws, as plain records: the
// section printers fill a page, a painter draws it on any device. Lengths are
// twips; lines are absolute line numbers counted from the first line of page
// 1, LinesPerPage lines to a page.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/SettingsImage.h"

namespace qv::report {

constexpr int kLineHeight = 286;
// The widest thing on a page: the heading's rule. No text passes it.
constexpr int kReportWidth = 10500;

// Colours as 0x00BBGGRR.
using Rgb = uint32_t;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

enum class Align { Left = 0, Right = 1, Centre = 2 };

struct PrintRecord {
    enum class Kind { Text, Cell, Heading, Rule };
    Kind kind = Kind::Text;
    int line = 0; // Text and Cell
    int left = 0; // Text: x; Cell: left edge; Heading: x; Rule: start x
    // Text and Heading: where the column ends (the next column's x, or the
    // report's width); Cell: right edge; Rule: end x.
    int right = 0;
    int y = 0; // Heading and Rule: y in twips (0 or below)
    std::wstring text;
    Rgb background = kWhite; // Text: box behind it; Cell: fill
    Rgb colour = kBlack;
    Align align = Align::Left;
    bool border = false;

    bool operator==(const PrintRecord& o) const;
};

// The page counts of the table sections.
struct PageLayout {
    int linesPerPage = 1;
    int triggerPages = 0;
    int devicePages = 0;
    std::array<int, 16> filePages{}; // of the device section, files 1 to 16
    int dataSetPages = 0;
    int mailPages = 0;

    int TotalPages() const { return 4 + triggerPages + devicePages + dataSetPages + mailPages; }
    // The first absolute line of page p (1-based).
    int FirstLine(int page) const { return (page - 1) * linesPerPage; }
};

// What every section printer reads: the snapshot taken when the job began.
struct ReportSource {
    const ImageBlocks& image;
    uint32_t codePage;
    const PageLayout& layout;
};

class ReportPage {
public:
    explicit ReportPage(int number) : number_(number) {}
    int Number() const { return number_; }

    // An empty text draws nothing. A text that does not fit between x and
    // `right` is drawn smaller, then cut at `right`.
    void PrintText(int line, const std::wstring& text, Rgb background, Rgb colour, int x,
                   int right = kReportWidth);
    void PrintCell(const std::wstring& text, int line, Rgb fill, Rgb colour, int left, int right,
                   int align, int border);
    void AddHeading(const std::wstring& text, int x, int y, int right = kReportWidth);
    void AddRule(int x1, int x2, int y);

    const std::vector<PrintRecord>& Records() const { return records_; }

private:
    int number_;
    std::vector<PrintRecord> records_;
};

// Display width in character cells: a UTF-16 unit of 0x100 or above counts 2.
// Reads up to the first NUL and at most 255 units.
int GetDisplayWidth(const std::wstring& text);
// The text with blanks appended up to the display width.
std::wstring PadRight(int width, const std::wstring& text);

} // namespace qv::report
