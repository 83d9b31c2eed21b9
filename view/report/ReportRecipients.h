// The table of the 16 mail recipients that pages 2 and 3 print.
#pragma once
#include "view/report/ReportPage.h"

namespace qv::report {

struct RecipientColumns {
    int markLeft; // the mark column ends where the number starts; < 0: none
    int numberLeft;
    int nameLeft;
    int addressLeft;
    int addressRight;
};

// Heading on `headingLine`, user u on headingLine + 1 + u; only lines up to
// `lastLine` are printed. Bit u of `marks` prints the mark in row u.
void PrintRecipientTable(const ReportSource& source, ReportPage& page, const RecipientColumns& x,
                         int headingLine, int lastLine, uint16_t marks);

} // namespace qv::report
