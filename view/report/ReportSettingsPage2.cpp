// Page 2: system options, error notification and the recipients, worded
// with the system settings dialog's own labels.
#include <algorithm>
#include <initializer_list>

#include "document/StringTable.h"
#include "resources/SystemSettingsTexts.h"
#include "view/report/ReportRecipients.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

using namespace systemtext;

constexpr Columns kValue{450, 5000, 5250};
constexpr Columns kOption{450, 4000, 4150};
constexpr Columns kNotify{450, 6000, 6200};
constexpr int kLastIndex = 46;
constexpr int kOptionXs[] = {4150, 5750, 7350, 8950};
constexpr unsigned kStrEnabled = 9202, kStrDisabled = 9203;
// "%s: off" and "%s: on" of a check box's label.
constexpr unsigned kStrBoxClear = 9212, kStrBoxChecked = 9213;

// A check box of the dialog: the bit of its byte, where it prints.
struct Box {
    int bit;
    unsigned label;
    int x;
};

// Most boxes are stored inverted: a set bit is a clear box.
std::wstring BoxText(unsigned label, bool checked) {
    return tables::FormatChecked(checked ? kStrBoxChecked : kStrBoxClear, "s", {LabelText(label)});
}

class Page2 {
public:
    Page2(const ReportSource& source, ReportPage& page)
        : page_(page), e_(source.image.errorNotify), first_(source.layout.linesPerPage),
          last_(std::min(kLastIndex, source.layout.linesPerPage - 1)) {}

    void Print(const ReportSource& source) {
        Title(0, kCaption, 0);
        Title(1, kLogFileOptions, 250);
        Value(2, kTitleRow, Pick(e_.U8(0) == 1, kStrDisabled, kStrEnabled));
        Value(3, kUnitRow, Pick(e_.U8(1) == 1, kStrDisabled, kStrEnabled));
        Value(4, kStorage, Pick(e_.U8(2) & 1, kRam, kCard));
        Value(5, kSystemHistory, Pick(e_.U8(20) == 1, kStrEnabled, kStrDisabled));
        Value(6, kTriggerHistory, Pick(e_.U8(21) & 1, kStrEnabled, kStrDisabled));
        Value(7, kWhenFull, Pick(e_.U8(2) & 2, kStop, kOverwrite));
        Value(8, kSeparator, Pick(e_.U8(3) == 1, kTab, kComma));
        Value(9, kDecimals, FormatText(L"%1d", {source.image.files[0].U8(file::kDecimals)}));
        Value(17, kMidnight, Pick(e_.U8(14) == 1, kStrEnabled, kStrDisabled));

        const uint8_t b4 = e_.U8(4), b7 = e_.U8(7);
        const auto column = [](int c) { return kFirstColumn + static_cast<unsigned>(c); };
        const auto part = [](int p) { return kFirstNamePart + static_cast<unsigned>(p); };
        Boxes(10, kColumns, b4,
              {{0, column(0), kOptionXs[0]},
               {1, column(1), kOptionXs[1]},
               {2, column(2), kOptionXs[2]},
               {3, column(3), kOptionXs[3]}});
        Boxes(11, 0, b4,
              {{4, column(4), kOptionXs[0]},
               {5, column(5), kOptionXs[1]},
               {6, column(6), kOptionXs[2]}});
        Option(12, kDateOrder, Pick(e_.U8(5) == 1, kDayFirst, kYearFirst));
        Option(13, kLineEnd, Pick(e_.U8(6) == 1, kLf, kCrLf));
        Boxes(14, kFileName, b7, {{0, part(0), kOptionXs[0]}, {1, part(1), kOptionXs[2]}});
        Boxes(15, 0, b7, {{2, part(2), kOptionXs[0]}, {3, part(3), kOptionXs[2]}});
        Boxes(16, 0, b7, {{4, part(4), kOptionXs[0]}});

        Title(19, kErrorNotification, 250);
        Notify(20, kFirstSwitch, Pick(e_.U8(8) == 1, kStrEnabled, kStrDisabled));
        Notify(21, kFirstSwitch + 1, Pick(e_.U8(9) == 1, kStrEnabled, kStrDisabled));
        Title(22, kSwitches, 450);
        for (int k = 23; k <= 26; ++k) {
            const auto n = static_cast<unsigned>(k - 21);
            if (Shown(k))
                PrintBlack(page_, first_ + k, BoxText(kFirstSwitch + n, e_.U8(8 + n) == 1), 750);
        }
        Title(29, kRecipients, 450);

        PrintRecipientTable(source, page_, {650, 1150, 1450, 3450, 8450}, first_ + 30,
                            first_ + last_, e_.U16(errnotify::kRecipients));
    }

private:
    bool Shown(int k) const { return k <= last_; }
    static std::wstring Pick(bool first, unsigned a, unsigned b) {
        return LabelText(first ? a : b);
    }
    void Title(int k, unsigned id, int x) {
        if (Shown(k))
            PrintBlack(page_, first_ + k, LabelText(id), x);
    }
    void Line(int k, const Columns& x, unsigned label, const std::wstring& value) {
        if (Shown(k))
            PrintValueLine(page_, first_ + k, x, LabelText(label), L":", value);
    }
    void Value(int k, unsigned label, const std::wstring& value) { Line(k, kValue, label, value); }
    void Notify(int k, unsigned label, const std::wstring& value) {
        Line(k, kNotify, label, value);
    }
    void Option(int k, unsigned label, const std::wstring& value) {
        Line(k, kOption, label, value);
    }
    // A line of check boxes; label 0 continues the item of the line above.
    void Boxes(int k, unsigned label, uint8_t bits, std::initializer_list<Box> boxes) {
        if (!Shown(k))
            return;
        if (label != 0) {
            PrintBlack(page_, first_ + k, LabelText(label), kOption.label, kOption.separator);
            PrintBlack(page_, first_ + k, L":", kOption.separator, kOption.value);
        }
        // Each box's column ends where the next box of the line begins.
        for (auto b = boxes.begin(); b != boxes.end(); ++b) {
            const int right = b + 1 != boxes.end() ? (b + 1)->x : kReportWidth;
            PrintBlack(page_, first_ + k, BoxText(b->label, !((bits >> b->bit) & 1)), b->x, right);
        }
    }

    ReportPage& page_;
    const ErrorNotifyBlock& e_;
    int first_;
    int last_;
};

} // namespace

void PrintSettingsPage2(const ReportSource& source, ReportPage& page) {
    Page2(source, page).Print(source);
}

} // namespace qv::report
