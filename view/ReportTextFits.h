// The size in which each text of a report fits its width. A print job, a
// preview or an export keeps one from page to page, since the same texts
// come back on every page (column headings, type names, names); what it
// holds is for one font on one device at one scale, and it starts again when
// a page is painted with another.
#pragma once
#include <string>
#include <unordered_map>

#include "view/ReportTextDevice.h"

namespace qv {

class ReportTextFits {
public:
    struct Fit {
        int size = 0;    // of the device's sizes: 0 the report font, up to the smallest
        TextSize fitted; // the text in that size
        TextSize full;   // the text in the report font
    };
    // The largest of the device's sizes in which the text is at most `width`
    // wide (the smallest when it fits in none).
    const Fit& Find(const ReportTextDevice& device, const std::wstring& text, int width);

private:
    static Fit Measure(const ReportTextDevice& device, const std::wstring& text, int width);

    struct Key {
        std::wstring text;
        int width;
        bool operator==(const Key& o) const { return width == o.width && text == o.text; }
    };
    struct KeyHash {
        size_t operator()(const Key& k) const;
    };
    std::wstring measuredOn_; // the device's Setting() the fits hold for
    std::unordered_map<Key, Fit, KeyHash> fits_;
};

} // namespace qv
