// A labelled frame around a group of controls. The toolkit draws the frame's
// line inside the rectangle the sizer gives the frame, but wx's sizer counts
// only the label: a control laid out against the frame's inner edge lost a
// pixel or two to the line (the connection dialog's unit address field).
#pragma once
#include <wx/sizer.h>
#include <wx/statbox.h>

namespace qv {

// A frame whose sizer keeps room for its line on every side.
class CFrameBox : public wxStaticBox {
public:
    CFrameBox(wxWindow* parent, const wxString& label);
    void GetBordersForSizer(int* borderTop, int* borderOther) const override;
};

// The sizer of a new frame in `parent`; the frame is its GetStaticBox() and
// the parent of the controls it holds.
wxStaticBoxSizer* NewFrameSizer(int orient, wxWindow* parent, const wxString& label);

} // namespace qv
