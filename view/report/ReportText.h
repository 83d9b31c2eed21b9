// Texts the report pages share: fields of the snapshot as wide text, IPv4
// addresses, masked passwords, and number formats that never trust a
// translated format string with the C library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "view/report/ReportPage.h"

namespace qv::report {

// Integer conversions (%d, %3d, %+d, %ld, %u, %x ...) take the numbers in
// order, "%%" is one "%"; a conversion without a number is left out, any
// other "%" sequence prints as it stands. Safe for any format text.
std::wstring FormatText(const std::wstring& format, const std::vector<long long>& numbers);
// The same with a format from the string table.
std::wstring ResFormat(unsigned id, const std::vector<long long>& numbers);

// A text of the string table as a report label: without the colon (and
// blanks) a dialog's label ends in, as the report prints its own.
std::wstring LabelText(unsigned id);

// "%3d.%3d.%3d.%3d" of the first four bytes.
std::wstring Ipv4Text(const uint8_t* four);
// A host field: its text, or the address in its first four bytes.
std::wstring HostText(const uint8_t* field, size_t width, bool isAddress, uint32_t codePage);
// One "*" for each character.
std::wstring Masked(const std::wstring& text);

// Label, separator and value of one line, each at its x, black on white;
// each column ends where the next begins, the value at `end`.
struct Columns {
    int label, separator, value;
    int end = kReportWidth;
};
void PrintValueLine(ReportPage& page, int line, const Columns& x, const std::wstring& label,
                    const std::wstring& separator, const std::wstring& value);
inline void PrintBlack(ReportPage& page, int line, const std::wstring& text, int x,
                       int right = kReportWidth) {
    page.PrintText(line, text, kWhite, kBlack, x, right);
}

constexpr Rgb kHeadingFill = MakeRgb(232, 232, 232);

} // namespace qv::report
