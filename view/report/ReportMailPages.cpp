// The pages of the mail sendings in use, one row per sending.
#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"
#include "document/TriggerText.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"

namespace qv::report {

using namespace tables;

namespace {

constexpr unsigned kStrTitle = 9700, kStrHeadingFirst = 9701;

const Columns kColumns = {0, 300, 3300, 6500, 10400};

} // namespace

void PrintMailPage(const ReportSource& source, ReportPage& page) {
    const PageLayout& layout = source.layout;
    const int p = page.Number();
    const int firstPage = 5 + layout.triggerPages + layout.devicePages + layout.dataSetPages;
    if (p < firstPage || p >= firstPage + layout.mailPages)
        return;
    const ImageBlocks& image = source.image;
    PrintTablePage(
        page, layout, p - firstPage, ResString(kStrTitle), kColumns, kStrHeadingFirst,
        MailSendsInUse(image), [&](int line, int index) {
            const MailSendRecord& m = image.mailSends[static_cast<size_t>(index)];
            const int trigger = m.U8(msend::kTrigger);
            PrintRowCell(page, line, kColumns, 0, NumberColumn(index + 1), Align::Centre);
            PrintRowCell(page, line, kColumns, 1,
                         L" No." + std::to_wstring(trigger) + L"( " +
                             TriggerNameByNumber(image.triggers, trigger, source.codePage) + L" )");
            PrintRowCell(
                page, line, kColumns, 2,
                L" " + RecipientNames(image.users, m.U16(msend::kRecipients), source.codePage));
            PrintRowCell(
                page, line, kColumns, 3,
                L" " + ReadTextField(m.data() + msend::kText, msend::kTextWidth, source.codePage));
        });
}

} // namespace qv::report
