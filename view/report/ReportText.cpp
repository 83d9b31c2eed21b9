#include "view/report/ReportText.h"

#include <cwchar>

#include "document/CodePageText.h"
#include "document/StringTable.h"

namespace qv::report {

namespace {

bool IsFlag(wchar_t c) {
    return c == L'-' || c == L'+' || c == L' ' || c == L'0' || c == L'#';
}

bool IsIntegerConversion(wchar_t c) {
    return c == L'd' || c == L'i' || c == L'u' || c == L'x' || c == L'X';
}

} // namespace

std::wstring FormatText(const std::wstring& format, const std::vector<long long>& numbers) {
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        // % flags width (at most two digits) length conversion
        size_t j = i + 1;
        std::wstring conversion = L"%";
        while (j < format.size() && IsFlag(format[j]) && conversion.size() < 6)
            conversion += format[j++];
        for (int digits = 0;
             j < format.size() && format[j] >= L'0' && format[j] <= L'9' && digits < 2; ++digits)
            conversion += format[j++];
        while (j < format.size() && (format[j] == L'l' || format[j] == L'h'))
            ++j;
        if (j >= format.size() || !IsIntegerConversion(format[j])) {
            out += format[i]; // not a conversion we fill: print it as it stands
            continue;
        }
        if (next < numbers.size()) {
            conversion += L"ll";
            conversion += format[j];
            wchar_t buffer[64];
            const int n = std::swprintf(buffer, 64, conversion.c_str(), numbers[next]);
            if (n > 0)
                out.append(buffer, static_cast<size_t>(n));
        }
        ++next;
        i = j;
    }
    return out;
}

std::wstring ResFormat(unsigned id, const std::vector<long long>& numbers) {
    return FormatText(ResString(id), numbers);
}

std::wstring LabelText(unsigned id) {
    std::wstring text = ResString(id);
    while (!text.empty() && (text.back() == L':' || text.back() == L'\uFF1A' ||
                             text.back() == L' ' || text.back() == L'\u3000'))
        text.pop_back();
    return text;
}

std::wstring Ipv4Text(const uint8_t* b) {
    return FormatText(L"%3d.%3d.%3d.%3d", {b[0], b[1], b[2], b[3]});
}

std::wstring HostText(const uint8_t* field, size_t width, bool isAddress, uint32_t codePage) {
    return isAddress ? Ipv4Text(field) : ReadTextField(field, width, codePage);
}

std::wstring Masked(const std::wstring& text) {
    return std::wstring(text.size(), L'*');
}

void PrintValueLine(ReportPage& page, int line, const Columns& x, const std::wstring& label,
                    const std::wstring& separator, const std::wstring& value) {
    PrintBlack(page, line, label, x.label, x.separator);
    PrintBlack(page, line, separator, x.separator, x.value);
    PrintBlack(page, line, value, x.value, x.end);
}

} // namespace qv::report
