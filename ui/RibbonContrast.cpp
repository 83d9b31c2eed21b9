#include "ui/RibbonContrast.h"

#include <algorithm>
#include <cmath>
#include <vector>
#include <wx/ribbon/art.h>

namespace qv {

namespace {

double Channel(unsigned char c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(const wxColour& c) {
    return 0.2126 * Channel(c.Red()) + 0.7152 * Channel(c.Green()) + 0.0722 * Channel(c.Blue());
}

// Everything a button label is drawn on: the page (also under the pointer),
// and the button hovered and pressed or checked, with the gradients'
// both ends.
const int kBackgrounds[] = {
    wxRIBBON_ART_PAGE_BACKGROUND_TOP_COLOUR,
    wxRIBBON_ART_PAGE_BACKGROUND_TOP_GRADIENT_COLOUR,
    wxRIBBON_ART_PAGE_BACKGROUND_COLOUR,
    wxRIBBON_ART_PAGE_BACKGROUND_GRADIENT_COLOUR,
    wxRIBBON_ART_PAGE_HOVER_BACKGROUND_TOP_COLOUR,
    wxRIBBON_ART_PAGE_HOVER_BACKGROUND_TOP_GRADIENT_COLOUR,
    wxRIBBON_ART_PAGE_HOVER_BACKGROUND_COLOUR,
    wxRIBBON_ART_PAGE_HOVER_BACKGROUND_GRADIENT_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_TOP_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_TOP_GRADIENT_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_HOVER_BACKGROUND_GRADIENT_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_TOP_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_TOP_GRADIENT_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_COLOUR,
    wxRIBBON_ART_BUTTON_BAR_ACTIVE_BACKGROUND_GRADIENT_COLOUR,
};

double WorstContrast(const wxColour& label, const std::vector<wxColour>& backgrounds) {
    double worst = 21;
    for (const wxColour& back : backgrounds)
        worst = std::min(worst, ContrastRatio(label, back));
    return worst;
}

} // namespace

double ContrastRatio(const wxColour& a, const wxColour& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void KeepButtonLabelsReadable(wxRibbonArtProvider& art, double ratio) {
    std::vector<wxColour> backgrounds;
    for (int id : kBackgrounds) {
        const wxColour c = art.GetColour(id);
        if (c.IsOk())
            backgrounds.push_back(c);
    }
    wxColour label = art.GetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_COLOUR);
    if (WorstContrast(label, backgrounds) < ratio)
        for (const wxColour& plain : {*wxBLACK, *wxWHITE})
            if (WorstContrast(plain, backgrounds) > WorstContrast(label, backgrounds))
                label = plain;
    art.SetColour(wxRIBBON_ART_BUTTON_BAR_LABEL_COLOUR, label);
    // A background too near the label goes lighter under dark text and
    // darker under light text, a step at a time.
    const bool darkLabel = Luminance(label) < 0.18;
    for (int id : kBackgrounds) {
        wxColour back = art.GetColour(id);
        if (!back.IsOk())
            continue;
        for (int step = 0; step < 40 && ContrastRatio(label, back) < ratio; ++step)
            back = back.ChangeLightness(darkLabel ? 105 : 95);
        art.SetColour(id, back);
    }
}

} // namespace qv
