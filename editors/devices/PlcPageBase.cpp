#include "editors/devices/PlcPageBase.h"

#include "app/QuorvelApp.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/PortPageControls.h"

namespace qv {

namespace {
constexpr unsigned kStrArea = 39213;
constexpr unsigned kStrAddress = 39214;
constexpr unsigned kStrUnit = 39219;
} // namespace

void CPlcPageBase::AddAreaRows() {
    AreaBox = new wxChoice(this, wxID_ANY);
    CodeLabel = CreateCodeLabel(this);
    AddRow(Label(kStrArea), {AreaBox, CodeLabel});
    AddressEdit = new wxTextCtrl(this, wxID_ANY);
    AddressEdit->SetMinSize(wxSize(AddressEdit->GetTextExtent("000000").x + 16, -1));
    AddRow(Label(kStrAddress), {AddressEdit});
}

void CPlcPageBase::AddUnitRow() {
    UnitEdit = new wxTextCtrl(this, wxID_ANY);
    UnitEdit->SetMaxLength(dev::kUnitTextWidth);
    AddRow(Label(kStrUnit), {UnitEdit});
}

void CPlcPageBase::ShowAreas(const std::vector<AreaItem>& areas, int area, size_t addressMaxChars,
                             const std::wstring& address) {
    for (const AreaItem& item : areas)
        AreaBox->Append(wxString(item.text));
    Select(AreaBox, area);
    AddressEdit->SetMaxLength(addressMaxChars);
    AddressEdit->ChangeValue(wxString(address));
}

const DeviceRecord* CPlcPageBase::ShownRecord() const {
    return CQuorvelDoc::FindDeviceRecord(Devices, FileNo, DeviceNumber, 0) >= 0
               ? &Devices[static_cast<size_t>(RecordIndex)]
               : nullptr;
}

bool CPlcPageBase::DoubleByteUi() {
    return wxGetApp().languageIndex != 0;
}

} // namespace qv
