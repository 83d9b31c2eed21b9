#include "editors/PortInfoPane.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "document/QuorvelDoc.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 44201;
constexpr unsigned kStrPortName[2] = {5141, 5142};
constexpr unsigned kStrMemoryAreas = 20501;
constexpr unsigned kStrFunctionCodes = 20502;
} // namespace

CComInfoDlg::CComInfoDlg(wxWindow* host, CQuorvelDoc* document)
    : wxPanel(host, wxID_ANY), Document(document) {
    auto* box = NewFrameSizer(wxVERTICAL, this, Res(kStrTitle));
    wxWindow* frame = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 4));
    for (int p = 0; p < 2; ++p) {
        grid->Add(new wxStaticText(frame, wxID_ANY, Res(kStrPortName[p])));
        // Sized for the longer text, so either fits.
        PortText[p] = new wxStaticText(frame, wxID_ANY, Res(kStrFunctionCodes));
        wxSize size = PortText[p]->GetBestSize();
        PortText[p]->SetLabel(Res(kStrMemoryAreas));
        size.IncTo(PortText[p]->GetBestSize());
        PortText[p]->SetMinSize(size);
        grid->Add(PortText[p]);
    }
    box->Add(grid, 0, wxALL, 6);
    SetSizerAndFit(box);
    LoadFromDocument();
}

void CComInfoDlg::LoadFromDocument() {
    if (!Document)
        return;
    UnitCopy = Document->Blocks().unit;
    for (int p = 0; p < 2; ++p) {
        const bool codes = UnitCopy.U8(unit::PortRecordOffset(p) + portrec::kProtocol) != 0;
        PortText[p]->SetLabel(Res(codes ? kStrFunctionCodes : kStrMemoryAreas));
    }
}

} // namespace qv
