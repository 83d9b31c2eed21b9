// The pages of the two further device series. They have no fields: the
// editor stores only its own for these devices.
#pragma once
#include "editors/devices/DeviceTypePage.h"
#include "editors/devices/SeriesModel.h"

namespace qv {

class CDevSet_Series : public CDevSetDlgBase {
public:
    CDevSet_Series(wxWindow* editor, const DevicePageContext& context);

    Refusal SaveDevice(DeviceRecord& record) override;
    wxWindow* FieldWindow(int) override { return nullptr; }

private:
    SeriesModel model_;
};

class CDevSet_Tosk : public CDevSet_Series {
public:
    using CDevSet_Series::CDevSet_Series;
};

class CDevSet_Ferun : public CDevSet_Series {
public:
    using CDevSet_Series::CDevSet_Series;
};

} // namespace qv
