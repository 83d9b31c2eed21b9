// The pages of the triggers in use, one row per trigger.
#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/StringTable.h"
#include "document/TriggerText.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"

namespace qv::report {

using namespace tables;

namespace {

constexpr unsigned kStrTitle = 9400, kStrHeadingFirst = 9401, kStrFlagOff = 9408, kStrFlagOn = 9409;
constexpr int kFirstPage = 5;

const Columns kColumns = {0, 300, 2950, 4200, 9050, 10400};

} // namespace

void PrintTriggerPage(const ReportSource& source, ReportPage& page) {
    const PageLayout& layout = source.layout;
    const int p = page.Number();
    if (p < kFirstPage || p >= kFirstPage + layout.triggerPages)
        return;
    const ImageBlocks& image = source.image;
    PrintTablePage(
        page, layout, p - kFirstPage, ResString(kStrTitle), kColumns, kStrHeadingFirst,
        TriggersInUse(image), [&](int line, int index) {
            const TriggerRecord& t = image.triggers[static_cast<size_t>(index)];
            PrintRowCell(page, line, kColumns, 0, NumberColumn(index + 1), Align::Centre);
            PrintRowCell(page, line, kColumns, 1, L" " + TriggerNameText(t, source.codePage));
            // Kind 0 never comes here; an unknown kind leaves its columns blank.
            PrintRowCell(page, line, kColumns, 2, L" " + GetTriggerKindName(t.U8(trig::kKind)));
            PrintRowCell(page, line, kColumns, 3,
                         L" " + TriggerConditionText(image.triggers, index, image.unit,
                                                     source.codePage, kTriggerReportStyle));
            PrintRowCell(page, line, kColumns, 4,
                         L" " + ResString(t.U8(trig::kFlag) == 0 ? kStrFlagOff : kStrFlagOn));
        });
}

} // namespace qv::report
