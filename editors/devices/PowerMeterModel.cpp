#include "editors/devices/PowerMeterModel.h"

#include "document/CodeText.h"

namespace qv {

PowerMeterForm PowerMeterModel::Load(const DeviceRecord* record) const {
    PowerMeterForm form;
    if (!record)
        return form;
    const int kind = record->U8(dev::kMeterKind);
    if (kind < kMeterKindEntries)
        form.kind = kind;
    else if (kind < kMeterKindCount)
        form.kind = -1; // a kind only a settings file brings: kept
    // A byte that names no kind at all shows, and stores, the first.
    return form;
}

PowerMeterView PowerMeterModel::View() const {
    PowerMeterView view;
    for (int k = 0; k < kMeterKindEntries; ++k)
        view.kinds.push_back(GetMeterKindName(k));
    return view;
}

void PowerMeterModel::Store(const PowerMeterForm& form, DeviceRecord& record) const {
    if (form.kind >= 0 && form.kind < kMeterKindEntries)
        record.SetU8(dev::kMeterKind, static_cast<uint8_t>(form.kind));
    else if (record.U8(dev::kMeterKind) >= kMeterKindCount)
        record.SetU8(dev::kMeterKind, 0);
}

} // namespace qv
