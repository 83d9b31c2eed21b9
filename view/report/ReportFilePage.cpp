// Page 4: the log files and the two history files.
#include <algorithm>

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "document/TriggerText.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"

namespace qv::report {

using namespace tables;

namespace {

constexpr unsigned kStrLogTitle = 9300, kStrHeadingFirst = 9301, kStrSystemTitle = 9306,
                   kStrHistoryNumber = 9307, kStrNoTrigger = 9311, kStrTriggerTitle = 9321;
constexpr unsigned kStrCount = 3058, kStrOnTrigger = 3059;
constexpr int kFilePage = 4;
// Line positions of the page.
constexpr int kLogTitle = 0, kLogRows = 2, kSystemTitle = 19, kSystemRow = 21, kTriggerTitle = 23,
              kTriggerRow = 25, kPageLines = 26;

const Columns kColumns = {0, 300, 2950, 5400, 6650, 10400};

enum class Row { Log, SystemHistory, TriggerHistory };

std::wstring TriggerText(const ImageBlocks& image, const FileRecord& r, Row row,
                         uint32_t codePage) {
    const int number = r.U16(file::kTrigger);
    if (number == 0)
        return L" " + ResString(kStrNoTrigger);
    const std::wstring name = TriggerNameByNumber(image.triggers, number, codePage);
    const std::wstring no = L"No." + std::to_wstring(number);
    if (row == Row::SystemHistory)
        return no + L"( " + name + L" )";
    return L" " + no + L"(" + name + L")";
}

std::wstring LastColumn(const ImageBlocks& image, const FileRecord& r, uint32_t codePage) {
    if (r.U8(file::kSelector) == 0)
        return L" " + ResString(kStrCount) + L": " + std::to_wstring(r.U32(file::kNumber));
    // Trigger number 0 names no record: its name stays empty.
    return L" " + ResString(kStrOnTrigger) + L": " +
           TriggerRef(image, r.U8(file::kTrigger2), codePage);
}

void PrintFileRow(const ReportSource& source, ReportPage& page, int line, size_t index, Row row) {
    const ImageBlocks& image = source.image;
    const FileRecord& r = image.files[index];
    const std::wstring number = row == Row::Log ? NumberColumn(static_cast<long long>(index) + 1)
                                                : ResString(kStrHistoryNumber);
    PrintRowCell(page, line, kColumns, 0, number, Align::Centre);
    PrintRowCell(page, line, kColumns, 1,
                 L" " + ReadTextField(r.data() + file::kName, kNameWidth, source.codePage));
    PrintRowCell(page, line, kColumns, 2, TriggerText(image, r, row, source.codePage));
    PrintRowCell(page, line, kColumns, 3, std::to_wstring(r.U8(file::kNumber2)), Align::Centre);
    PrintRowCell(page, line, kColumns, 4, LastColumn(image, r, source.codePage));
}

} // namespace

void PrintFileSettingsPage(const ReportSource& source, ReportPage& page) {
    if (page.Number() != kFilePage)
        return;
    const int first = source.layout.FirstLine(kFilePage);
    // Lines beyond the page are left out, never spilled onto the next page.
    const int lines = std::min(kPageLines, source.layout.linesPerPage);
    for (int k = 0; k < lines; ++k) {
        const int line = first + k;
        switch (k) {
        case kLogTitle:
            page.PrintText(line, ResString(kStrLogTitle), kWhite, kBlack, 0);
            break;
        case kSystemTitle:
            page.PrintText(line, ResString(kStrSystemTitle), kWhite, kBlack, 0);
            break;
        case kTriggerTitle:
            page.PrintText(line, ResString(kStrTriggerTitle), kWhite, kBlack, 0);
            break;
        case kLogTitle + 1:
        case kSystemTitle + 1:
        case kTriggerTitle + 1:
            PrintHeadingRow(page, line, kColumns, kStrHeadingFirst);
            break;
        case kSystemRow:
            PrintFileRow(source, page, line, file::kSystemHistoryIndex, Row::SystemHistory);
            break;
        case kTriggerRow:
            PrintFileRow(source, page, line, file::kTriggerHistoryIndex, Row::TriggerHistory);
            break;
        default:
            if (k >= kLogRows && k < kLogRows + static_cast<int>(file::kLogFileCount))
                PrintFileRow(source, page, line, static_cast<size_t>(k - kLogRows), Row::Log);
            break;
        }
    }
}

} // namespace qv::report
