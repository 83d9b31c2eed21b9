#include "document/DeviceRowText.h"

#include <cstring>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/PlaceText.h"
#include "document/Refusal.h"
#include "document/ValueText.h"

namespace qv {

namespace {

constexpr unsigned kStrDifference = 4300;
constexpr unsigned kStrScale = 4301;
constexpr int kSlots = static_cast<int>(dev::kUsedCount);

float ScaleOf(const DeviceRecord& r) {
    const uint32_t bits = r.U32(dev::kScale);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

} // namespace

DeviceRowText FormatDeviceRow(const DeviceTable& devices, int index, int number,
                              const UnitBlock& unit, uint32_t codePage) {
    DeviceRowText t;
    t.number = std::to_wstring(number);
    if (index < 0 || index >= kSlots) {
        t.index = L"-1";
        return t;
    }
    const DeviceRecord& r = devices[static_cast<size_t>(index)];
    t.index = std::to_wstring(index);
    t.name = ReadTextField(r.data() + dev::kName, kNameWidth, codePage);
    const bool contact = r.U8(dev::kIsRegister) == 0;
    t.address = PlaceText(r.U8(dev::kPort), r.U8(dev::kStation), r.U8(dev::kArea),
                          r.U32(dev::kAddress), contact, unit);
    const int mode = r.U8(dev::kMode);
    t.mode = contact ? GetContactModeName(mode) : GetRegisterModeName(mode);
    if (!contact)
        t.data = GetDataTypeName(r.U8(dev::kDataType));
    if (r.U8(dev::kScaleOn) == 1)
        t.data += FormatResText(kStrScale, {FormatFloatText(ScaleOf(r))});
    const std::wstring unitText =
        ReadTextField(r.data() + dev::kUnitText, dev::kUnitTextWidth, codePage);
    t.data += L" " + unitText;
    if (r.U8(dev::kExtra) > 0)
        t.data += FormatResText(kStrDifference, {std::to_wstring(r.U8(dev::kExtra))});
    return t;
}

} // namespace qv
