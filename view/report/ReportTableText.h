// Texts the table pages of the report share: translated formats checked
// against the arguments the program hands them, number columns, the lists
// of records in use, and the look of heading and table cells.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "view/report/ReportPage.h"

namespace qv::report::tables {

// The text of format string `id` with its conversions filled from `args`.
// `kinds` names what the program passes, one letter per argument: 'd' a
// number (its decimal text), 's' a text. A translation whose conversions do
// not take exactly these kinds is not used as a format: its words are kept
// without the conversions and every non-empty argument follows after a blank,
// so nothing is read that was not passed and no value is lost. A missing
// string gives the empty text.
std::wstring FormatChecked(unsigned id, const std::string& kinds,
                           const std::vector<std::wstring>& args);
// True when the format's conversions take exactly `kinds`.
bool FormatTakes(const std::wstring& format, const std::string& kinds);

// "%3d " of a number: right-aligned in three places, then a blank.
std::wstring NumberColumn(long long n);
// Upper-case hexadecimal, at least `digits` digits.
std::wstring Hex(uint32_t value, int digits);

// "No.n(name)" with the name of trigger n; an empty name for 0 and numbers
// above the last trigger a user can set up.
std::wstring TriggerRef(const ImageBlocks& image, long long number, uint32_t codePage);

// The records in use, as 0-based indexes in table order.
std::vector<int> TriggersInUse(const ImageBlocks& image);
std::vector<int> DevicesOfFile(const ImageBlocks& image, int fileNo); // files 1 to 16
std::vector<int> DataSetsInUse(const ImageBlocks& image);
std::vector<int> MailSendsInUse(const ImageBlocks& image);

// A table's columns: x of the left edge of each column, then the right edge
// of the last one.
using Columns = std::vector<int>;

constexpr Rgb kHeadingFill = MakeRgb(232, 232, 232);

// The grey heading row of a table: one centred, outlined cell per string.
void PrintHeadingRow(ReportPage& page, int line, const Columns& columns, unsigned firstId);
// One white outlined cell of column `column`.
void PrintRowCell(ReportPage& page, int line, const Columns& columns, size_t column,
                  const std::wstring& text, Align align = Align::Left);

// Which entry row k of a table page shows: tables repeat their title and
// heading on every page, so a page holds LinesPerPage - 2 rows.
long long TableEntry(const PageLayout& layout, int pageInSection, int k);

// One page of a table section (pageInSection counts from 0): its title, the
// heading row, then row(line, entry) for each entry the page holds.
void PrintTablePage(ReportPage& page, const PageLayout& layout, int pageInSection,
                    const std::wstring& title, const Columns& columns, unsigned headingFirst,
                    const std::vector<int>& entries,
                    const std::function<void(int line, int entry)>& row);

} // namespace qv::report::tables
