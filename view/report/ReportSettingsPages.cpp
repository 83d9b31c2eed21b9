#include "view/report/ReportSections.h"

namespace qv::report {

// Placeholders until the pages land.
void PrintSettingsPage1(const ReportSource&, ReportPage&) {}
void PrintSettingsPage2(const ReportSource&, ReportPage&) {}
void PrintSettingsPage3(const ReportSource&, ReportPage&) {}

} // namespace qv::report
