// The pages of the two further device series: they have no fields of their
// own, so a store keeps every byte but the editor's common fields.
#pragma once
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kStrSeriesNoSettings = 39302;

struct SeriesView {
    unsigned textId = kStrSeriesNoSettings; // what the page says
};

class SeriesModel {
public:
    SeriesView View() const { return {}; }
    Refusal Check() const { return {}; }
    // Writes nothing: the record keeps what a former type stored.
    void Store(DeviceRecord&) const {}
};

} // namespace qv
