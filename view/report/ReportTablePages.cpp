#include "view/report/ReportSections.h"

namespace qv::report {

// Placeholders until the pages land.
void PrintFileSettingsPage(const ReportSource&, ReportPage&) {}
void PrintTriggerPage(const ReportSource&, ReportPage&) {}
void PrintRegisterPage(const ReportSource&, ReportPage&) {}
void PrintEntryPage(const ReportSource&, ReportPage&) {}
void PrintMailPage(const ReportSource&, ReportPage&) {}

} // namespace qv::report
