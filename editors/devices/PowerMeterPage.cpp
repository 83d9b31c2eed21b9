#include "editors/devices/PowerMeterPage.h"

#include "document/QuorvelDoc.h"
#include "editors/triggers/PortPageControls.h"

namespace qv {

namespace {
constexpr unsigned kStrMeterKind = 39301;
} // namespace

CDevSet_Pelm::CDevSet_Pelm(wxWindow* editor, const DevicePageContext& context)
    : CDevSetDlgBase(editor, context) {
    KindBox = new wxChoice(this, wxID_ANY);
    AddRow(Label(kStrMeterKind), {KindBox});
    FinishRows();

    for (const std::wstring& kind : model_.View().kinds)
        KindBox->Append(wxString(kind));
    const bool hasRecord = CQuorvelDoc::FindDeviceRecord(Devices, FileNo, DeviceNumber, 0) >= 0;
    Select(KindBox,
           model_.Load(hasRecord ? &Devices[static_cast<size_t>(RecordIndex)] : nullptr).kind);
    GetSizer()->SetSizeHints(this);
}

Refusal CDevSet_Pelm::SaveDevice(DeviceRecord& record) {
    PowerMeterForm form;
    form.kind = Selected(KindBox);
    const Refusal refusal = model_.Check(form);
    if (!refusal.Refused())
        model_.Store(form, record);
    return refusal;
}

wxWindow* CDevSet_Pelm::FieldWindow(int field) {
    return field == kPowerMeterKind ? KindBox : nullptr;
}

CDevSetDlgBase* CreatePowerMeterPage(wxWindow* editor, const DevicePageContext& context) {
    return new CDevSet_Pelm(editor, context);
}

} // namespace qv
