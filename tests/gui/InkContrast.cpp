#include "tests/gui/InkContrast.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qv::test {

int InkContrast(const wxImage& image) {
    std::vector<int> lum;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            lum.push_back((image.GetRed(x, y) * 299 + image.GetGreen(x, y) * 587 +
                           image.GetBlue(x, y) * 114) /
                          1000);
    if (lum.empty())
        return 0;
    std::vector<int> sorted = lum;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const int background = sorted[sorted.size() / 2];
    int ink = 0;
    for (int l : lum)
        ink = std::max(ink, std::abs(l - background));
    return ink;
}

} // namespace qv::test
