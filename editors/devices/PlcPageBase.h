// What the PLC register and PLC contact pages share: the area row with the
// function code beside it, the address and unit text rows, and the road from
// the shown record to a stored one.
#pragma once
#include <string>
#include <vector>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "editors/devices/DeviceTypePage.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

constexpr unsigned kStrPlcDataType = 39215;
constexpr unsigned kStrPlcMode = 39216;

class CPlcPageBase : public CDevSetDlgBase {
public:
    // Public for the tests.
    wxChoice* AreaBox = nullptr;
    wxStaticText* CodeLabel = nullptr;
    wxTextCtrl* AddressEdit = nullptr;
    wxTextCtrl* UnitEdit = nullptr;

protected:
    CPlcPageBase(wxWindow* editor, const DevicePageContext& context)
        : CDevSetDlgBase(editor, context) {}

    // The area row and the address row, in tab order.
    void AddAreaRows();
    void AddUnitRow();
    // Fills the area box and the address from the model's view and form.
    void ShowAreas(const std::vector<AreaItem>& areas, int area, size_t addressMaxChars,
                   const std::wstring& address);
    // The shown number's record in the page's copy; null for a new device.
    const DeviceRecord* ShownRecord() const;
    // The unit text's message names characters too in Japanese and Chinese.
    static bool DoubleByteUi();

    // A refused form writes nothing; the editor shows the refusal.
    template <class Model, class Form>
    static Refusal CheckThenStore(const Model& model, const Form& form, DeviceRecord& record) {
        const Refusal refusal = model.Check(form, DoubleByteUi());
        if (!refusal.Refused())
            model.Store(form, record);
        return refusal;
    }
};

} // namespace qv
