// Ribbon button labels that stay readable in every visual style. The ribbon's
// art draws a label in one colour whatever the button's state, and the styles
// derive their backgrounds from two scheme colours: a checked button of the
// system-colour style drew a dark label on bright blue at 1.8:1.
#pragma once
#include <wx/colour.h>

class wxRibbonArtProvider;

namespace qv {

// The contrast ratio of two colours as accessibility guidelines measure it
// (1 to 21); text asks for 4.5.
double ContrastRatio(const wxColour& a, const wxColour& b);

// Gives the button labels the colour (the art's own, else black or white)
// that stands out best from the backgrounds a label is drawn on (the page,
// and a hovered or pressed or checked button), then moves in lightness each
// background that still falls short, until every one reaches `ratio`.
void KeepButtonLabelsReadable(wxRibbonArtProvider& art, double ratio);

} // namespace qv
