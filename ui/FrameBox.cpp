#include "ui/FrameBox.h"

namespace qv {

namespace {
// The frame's line in the toolkit's theme: one pixel on each side, and below
// the label one more than the label's own height.
constexpr int kFrameLine = 1;
} // namespace

CFrameBox::CFrameBox(wxWindow* parent, const wxString& label)
    : wxStaticBox(parent, wxID_ANY, label) {}

void CFrameBox::GetBordersForSizer(int* borderTop, int* borderOther) const {
    wxStaticBox::GetBordersForSizer(borderTop, borderOther);
    *borderTop += kFrameLine;
    *borderOther += kFrameLine;
}

wxStaticBoxSizer* NewFrameSizer(int orient, wxWindow* parent, const wxString& label) {
    return new wxStaticBoxSizer(new CFrameBox(parent, label), orient);
}

} // namespace qv
