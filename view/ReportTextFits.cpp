#include "view/ReportTextFits.h"

#include <functional>

namespace qv {

size_t ReportTextFits::KeyHash::operator()(const Key& k) const {
    return std::hash<std::wstring>()(k.text) ^ (std::hash<int>()(k.width) << 1);
}

const ReportTextFits::Fit& ReportTextFits::Find(const ReportTextDevice& device,
                                                const std::wstring& text, int width) {
    if (device.Setting() != measuredOn_) {
        fits_.clear();
        measuredOn_ = device.Setting();
    }
    Key key{text, width};
    auto it = fits_.find(key);
    if (it == fits_.end())
        it = fits_.emplace(std::move(key), Measure(device, text, width)).first;
    return it->second;
}

ReportTextFits::Fit ReportTextFits::Measure(const ReportTextDevice& device,
                                            const std::wstring& text, int width) {
    Fit fit;
    fit.full = fit.fitted = device.Measure(text, 0);
    if (fit.full.extent.x <= width)
        return fit;
    // A text wider than its column is drawn in the first of the smaller
    // sizes in which it fits; what still does not fit at the last is cut at
    // the column's end. A text narrows about as much as its size shrinks, so
    // the size whose estimate fits is measured first. Glyph advances are
    // whole pixels, though: the estimate may be off by up to a pixel a
    // character, so the larger sizes within that of fitting are measured too.
    const auto estimate = [&](int size) { return fit.full.extent.x * kSmallerScales[size - 1]; };
    int size = 1;
    while (size + 1 < kFontSizes && estimate(size) > width)
        ++size;
    fit.fitted = device.Measure(text, size);
    while (fit.fitted.extent.x > width && size + 1 < kFontSizes)
        fit.fitted = device.Measure(text, ++size);
    const double slack = static_cast<double>(text.size());
    while (size > 1 && estimate(size - 1) - slack <= width) {
        const TextSize larger = device.Measure(text, size - 1);
        if (larger.extent.x > width)
            break;
        fit.fitted = larger;
        --size;
    }
    fit.size = size;
    return fit;
}

} // namespace qv
