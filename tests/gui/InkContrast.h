// How strongly an icon or a label stands out of what it is drawn on.
#pragma once
#include <wx/image.h>

namespace qv::test {

// How far the darkest or lightest pixel lies from the median brightness
// (0..255): the ink of an icon and its label.
int InkContrast(const wxImage& image);

} // namespace qv::test
