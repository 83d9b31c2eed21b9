#include "view/report/ReportTableText.h"

#include <algorithm>

#include "document/StringTable.h"
#include "document/TriggerText.h"

namespace qv::report::tables {

namespace {

struct Conversion {
    size_t begin, end; // the conversion's characters in the format
    char kind;         // 'd' or 's'; 0 for anything the program never passes
    bool leftAlign, zeroPad;
    size_t width;
};

// The conversions of a format, "%%" left out.
std::vector<Conversion> ParseConversions(const std::wstring& f) {
    std::vector<Conversion> out;
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] != L'%')
            continue;
        if (i + 1 < f.size() && f[i + 1] == L'%') {
            ++i;
            continue;
        }
        Conversion c{i, i + 1, 0, false, false, 0};
        size_t j = i + 1;
        for (; j < f.size() && std::wstring(L"-+ #0").find(f[j]) != std::wstring::npos; ++j) {
            c.leftAlign |= f[j] == L'-';
            c.zeroPad |= f[j] == L'0';
        }
        // Widths stay small: a wider one is not a format the program uses.
        for (; j < f.size() && f[j] >= L'0' && f[j] <= L'9'; ++j)
            c.width = std::min<size_t>(c.width * 10 + static_cast<size_t>(f[j] - L'0'), 1000);
        if (j < f.size() && f[j] == L'l')
            ++j;
        if (j < f.size()) {
            if (f[j] == L'd' || f[j] == L'i' || f[j] == L'u')
                c.kind = 'd';
            else if (f[j] == L's')
                c.kind = 's';
            ++j;
        }
        c.end = j;
        out.push_back(c);
        i = j - 1;
    }
    return out;
}

std::wstring Padded(const Conversion& c, const std::wstring& value) {
    if (value.size() >= c.width)
        return value;
    const size_t fill = c.width - value.size();
    if (c.leftAlign)
        return value + std::wstring(fill, L' ');
    if (c.zeroPad && c.kind == 'd') {
        const size_t sign = !value.empty() && value[0] == L'-' ? 1 : 0;
        return value.substr(0, sign) + std::wstring(fill, L'0') + value.substr(sign);
    }
    return std::wstring(fill, L' ') + value;
}

// The format's own words: conversions dropped, "%%" as one "%".
std::wstring WordsOf(const std::wstring& f, const std::vector<Conversion>& conversions) {
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (next < conversions.size() && i == conversions[next].begin) {
            i = conversions[next++].end - 1;
            continue;
        }
        out += f[i];
        if (f[i] == L'%' && i + 1 < f.size() && f[i + 1] == L'%')
            ++i;
    }
    return out;
}

bool AnyByte(const uint8_t* data, size_t size) {
    return std::any_of(data, data + size, [](uint8_t b) { return b != 0; });
}

} // namespace

bool FormatTakes(const std::wstring& format, const std::string& kinds) {
    const std::vector<Conversion> conversions = ParseConversions(format);
    if (conversions.size() != kinds.size())
        return false;
    for (size_t i = 0; i < conversions.size(); ++i)
        if (conversions[i].kind != kinds[i])
            return false;
    return true;
}

std::wstring FormatChecked(unsigned id, const std::string& kinds,
                           const std::vector<std::wstring>& args) {
    const std::wstring format = ResString(id);
    if (format.empty())
        return {};
    const std::vector<Conversion> conversions = ParseConversions(format);
    if (args.size() != kinds.size() || !FormatTakes(format, kinds)) {
        std::wstring out = WordsOf(format, conversions);
        for (const std::wstring& a : args)
            if (!a.empty())
                out += L" " + a;
        return out;
    }
    std::wstring out;
    size_t from = 0;
    for (size_t i = 0; i < conversions.size(); ++i) {
        out += WordsOf(format.substr(from, conversions[i].begin - from), {});
        out += Padded(conversions[i], args[i]);
        from = conversions[i].end;
    }
    return out + WordsOf(format.substr(from), {});
}

std::wstring NumberColumn(long long n) {
    std::wstring digits = std::to_wstring(n);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), L' ');
    return digits + L" ";
}

std::wstring Hex(uint32_t value, int digits) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring out;
    do {
        out.insert(out.begin(), kDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (out.size() < static_cast<size_t>(digits))
        out.insert(0, static_cast<size_t>(digits) - out.size(), L'0');
    return out;
}

std::wstring TriggerRef(const ImageBlocks& image, long long number, uint32_t codePage) {
    return L"No." + std::to_wstring(number) + L"(" +
           TriggerNameByNumber(image.triggers, number, codePage) + L")";
}

std::vector<int> TriggersInUse(const ImageBlocks& image) {
    std::vector<int> out;
    for (size_t i = 0; i < kReportTriggerCount; ++i)
        if (image.triggers[i].U8(trig::kKind) != kTriggerNone)
            out.push_back(static_cast<int>(i));
    return out;
}

std::vector<int> DevicesOfFile(const ImageBlocks& image, int fileNo) {
    std::vector<int> out;
    for (size_t i = 0; i < dev::kUsedCount; ++i)
        if (image.devices[i].U8(dev::kFile) == fileNo)
            out.push_back(static_cast<int>(i));
    return out;
}

std::vector<int> DataSetsInUse(const ImageBlocks& image) {
    std::vector<int> out;
    for (size_t i = 0; i < DataSetTable::kCount; ++i)
        if (AnyByte(image.dataSets[i].data(), DataSetRecord::kSize))
            out.push_back(static_cast<int>(i));
    return out;
}

std::vector<int> MailSendsInUse(const ImageBlocks& image) {
    std::vector<int> out;
    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        if (AnyByte(image.mailSends[i].data(), MailSendRecord::kSize))
            out.push_back(static_cast<int>(i));
    return out;
}

void PrintHeadingRow(ReportPage& page, int line, const Columns& columns, unsigned firstId) {
    for (size_t c = 0; c + 1 < columns.size(); ++c)
        page.PrintCell(ResString(firstId + static_cast<unsigned>(c)), line, kHeadingFill, kBlack,
                       columns[c], columns[c + 1], static_cast<int>(Align::Centre), 1);
}

void PrintRowCell(ReportPage& page, int line, const Columns& columns, size_t column,
                  const std::wstring& text, Align align) {
    page.PrintCell(text, line, kWhite, kBlack, columns.at(column), columns.at(column + 1),
                   static_cast<int>(align), 1);
}

long long TableEntry(const PageLayout& layout, int pageInSection, int k) {
    return static_cast<long long>(pageInSection) * (layout.linesPerPage - 2) + (k - 2);
}

void PrintTablePage(ReportPage& page, const PageLayout& layout, int pageInSection,
                    const std::wstring& title, const Columns& columns, unsigned headingFirst,
                    const std::vector<int>& entries,
                    const std::function<void(int line, int entry)>& row) {
    const int first = layout.FirstLine(page.Number());
    page.PrintText(first, title, kWhite, kBlack, 0);
    if (layout.linesPerPage > 1)
        PrintHeadingRow(page, first + 1, columns, headingFirst);
    for (int k = 2; k < layout.linesPerPage; ++k) {
        const long long r = TableEntry(layout, pageInSection, k);
        if (r >= static_cast<long long>(entries.size()))
            break;
        row(first + k, entries[static_cast<size_t>(r)]);
    }
}

} // namespace qv::report::tables
