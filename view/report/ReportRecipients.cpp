#include "view/report/ReportRecipients.h"

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

constexpr int kLeft = 0, kCentred = 2, kBorder = 1;

} // namespace

void PrintRecipientTable(const ReportSource& source, ReportPage& page, const RecipientColumns& x,
                         int headingLine, int lastLine, uint16_t marks) {
    const bool withMarks = x.markLeft >= 0;
    const auto row = [&](int line, Rgb fill, const std::wstring& mark, const std::wstring& number,
                         const std::wstring& name, const std::wstring& address) {
        if (line > lastLine)
            return;
        if (withMarks)
            page.PrintCell(mark, line, fill, kBlack, x.markLeft, x.numberLeft, kCentred, kBorder);
        page.PrintCell(number, line, fill, kBlack, x.numberLeft, x.nameLeft, kCentred, kBorder);
        page.PrintCell(name, line, fill, kBlack, x.nameLeft, x.addressLeft, kLeft, kBorder);
        page.PrintCell(address, line, fill, kBlack, x.addressLeft, x.addressRight, kLeft, kBorder);
    };
    // The headings of the dialogs' recipient lists.
    row(headingLine, kHeadingFill, ResString(kStrRecipientColumns[0]),
        ResString(kStrRecipientColumns[1]), ResString(kStrRecipientColumns[2]),
        ResString(kStrRecipientColumns[3]));
    for (int u = 0; u < 16; ++u) {
        const UserRecord& r = source.image.users[static_cast<size_t>(u)];
        // An unmarked row still shows its cell's outline.
        const std::wstring mark = (marks >> u) & 1 ? ResString(9263) : PadRight(6, L"");
        row(headingLine + 1 + u, kWhite, mark, FormatText(L" %2d ", {u + 1}),
            L" " + ReadTextField(r.data() + user::kName, user::kNameWidth, source.codePage),
            L" " + ReadTextField(r.data() + user::kAddress, user::kAddressWidth, source.codePage));
    }
}

} // namespace qv::report
