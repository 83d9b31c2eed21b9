// Page 2: system options, error notification and the recipients.
#include <algorithm>
#include <initializer_list>

#include "document/StringTable.h"
#include "view/report/ReportRecipients.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportText.h"

namespace qv::report {

namespace {

constexpr Columns kValue{450, 5000, 5250};
constexpr Columns kOption{450, 4000, 4150};
constexpr Columns kNotify{450, 6000, 6200};
constexpr int kLastIndex = 46;
constexpr int kOptionXs[] = {4150, 5750, 7350, 8950};

struct Flag {
    int bit;
    unsigned set, clear;
    int x;
};

class Page2 {
public:
    Page2(const ReportSource& source, ReportPage& page)
        : page_(page), e_(source.image.errorNotify), first_(source.layout.linesPerPage),
          last_(std::min(kLastIndex, source.layout.linesPerPage - 1)) {}

    void Print(const ReportSource& source) {
        Title(0, 9200, 0);
        Title(1, 9201, 250);
        Value(2, 9204, Pick(e_.U8(0) == 1, 9203, 9202));
        Value(3, 9205, Pick(e_.U8(1) == 1, 9203, 9202));
        Value(4, 9208, Pick(e_.U8(2) & 1, 9207, 9206));
        Value(5, 9289, Pick(e_.U8(20) == 1, 9202, 9203));
        Value(6, 9290, Pick(e_.U8(21) & 1, 9202, 9203));
        Value(7, 9286, Pick(e_.U8(2) & 2, 9288, 9287));
        Value(8, 9211, Pick(e_.U8(3) == 1, 9210, 9209));
        Value(9, 9291, FormatText(L"%1d", {source.image.files[0].U8(file::kDecimals)}));
        Value(17, 9245, Pick(e_.U8(14) == 1, 9202, 9203));

        const uint8_t b4 = e_.U8(4), b7 = e_.U8(7);
        Options(10, 9220, b4,
                {{0, 9212, 9213, kOptionXs[0]},
                 {1, 9214, 9215, kOptionXs[1]},
                 {2, 9216, 9217, kOptionXs[2]},
                 {3, 9218, 9219, kOptionXs[3]}});
        Options(11, 0, b4,
                {{4, 9221, 9222, kOptionXs[0]},
                 {5, 9223, 9224, kOptionXs[1]},
                 {6, 9225, 9226, kOptionXs[2]}});
        Option(12, 9232, Pick(e_.U8(5) == 1, 9231, 9230));
        Option(13, 9235, Pick(e_.U8(6) == 1, 9234, 9233));
        Options(14, 9240, b7, {{0, 9236, 9237, kOptionXs[0]}, {1, 9238, 9239, kOptionXs[2]}});
        Options(15, 0, b7, {{2, 9241, 9242, kOptionXs[0]}, {3, 9243, 9244, kOptionXs[2]}});
        Options(16, 0, b7, {{4, 9284, 9285, kOptionXs[0]}});

        Title(19, 9246, 250);
        Notify(20, 9247, Pick(e_.U8(8) == 1, 9202, 9203));
        Notify(21, 9248, Pick(e_.U8(9) == 1, 9202, 9203));
        Title(22, 9249, 450);
        Title(23, e_.U8(10) == 1 ? 9251 : 9250, 750);
        Title(24, e_.U8(11) == 1 ? 9253 : 9252, 750);
        Title(25, e_.U8(12) == 1 ? 9255 : 9254, 750);
        Title(26, e_.U8(13) == 1 ? 9257 : 9256, 750);
        Title(29, 9258, 450);

        PrintRecipientTable(source, page_, {650, 1150, 1450, 3450, 8450}, first_ + 30,
                            first_ + last_, e_.U16(errnotify::kRecipients));
    }

private:
    bool Shown(int k) const { return k <= last_; }
    static std::wstring Pick(bool first, unsigned a, unsigned b) {
        return ResString(first ? a : b);
    }
    void Title(int k, unsigned id, int x) {
        if (Shown(k))
            PrintBlack(page_, first_ + k, ResString(id), x);
    }
    void Line(int k, const Columns& x, unsigned label, const std::wstring& value) {
        if (Shown(k))
            PrintValueLine(page_, first_ + k, x, ResString(label), L":", value);
    }
    void Value(int k, unsigned label, const std::wstring& value) { Line(k, kValue, label, value); }
    void Notify(int k, unsigned label, const std::wstring& value) {
        Line(k, kNotify, label, value);
    }
    void Option(int k, unsigned label, const std::wstring& value) {
        Line(k, kOption, label, value);
    }
    // A line of flags; label 0 continues the item of the line above.
    void Options(int k, unsigned label, uint8_t bits, std::initializer_list<Flag> flags) {
        if (!Shown(k))
            return;
        if (label != 0) {
            PrintBlack(page_, first_ + k, ResString(label), kOption.label, kOption.separator);
            PrintBlack(page_, first_ + k, L":", kOption.separator, kOption.value);
        }
        // Each flag's column ends where the next flag of the line begins.
        for (auto f = flags.begin(); f != flags.end(); ++f) {
            const int right = f + 1 != flags.end() ? (f + 1)->x : kReportWidth;
            PrintBlack(page_, first_ + k, ResString((bits >> f->bit) & 1 ? f->set : f->clear), f->x,
                       right);
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
