// The section printers of the report: each fills one page (its Number() says
// which) from the snapshot.
#pragma once
#include "view/report/ReportPage.h"

namespace qv::report {

void PrintSettingsPage1(const ReportSource& source, ReportPage& page);
void PrintSettingsPage2(const ReportSource& source, ReportPage& page);
void PrintSettingsPage3(const ReportSource& source, ReportPage& page);
void PrintFileSettingsPage(const ReportSource& source, ReportPage& page);
void PrintTriggerPage(const ReportSource& source, ReportPage& page);
void PrintRegisterPage(const ReportSource& source, ReportPage& page);
void PrintEntryPage(const ReportSource& source, ReportPage& page);
void PrintMailPage(const ReportSource& source, ReportPage& page);

} // namespace qv::report
