// The power-meter and series pages' models: the meter kind a record shows and
// stores, and that these pages write nothing else of a device, also through
// the device editor's store.
#include <gtest/gtest.h>

#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/PowerMeterModel.h"
#include "editors/devices/SeriesModel.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

constexpr uint32_t kCp = 932;

DeviceRecord Patterned() {
    DeviceRecord r;
    for (size_t at = 0; at < DeviceRecord::kSize; ++at)
        r.SetU8(at, static_cast<uint8_t>(0x80 + at));
    return r;
}

TEST(PowerMeterModelTest, KindShownAndStoredWithNothingElse) {
    const PowerMeterModel model;
    EXPECT_EQ(model.View().kinds.size(), 2u);
    EXPECT_EQ(model.Load(nullptr).kind, 0);
    const struct {
        int stored;
        int shown;
        int chosen; // the entry the user leaves chosen
        int written;
    } cases[] = {
        {0, 0, 1, 1},
        {1, 1, 0, 0},
        {1, 1, 1, 1},
        // Kinds only a settings file brings: no entry, and kept.
        {2, -1, -1, 2},
        {3, -1, -1, 3},
        {3, -1, 0, 0},
        // A byte that is no kind shows the first and stores a valid kind.
        {0x85, 0, 0, 0},
        {0xFF, 0, 1, 1},
        {0xFF, 0, -1, 0},
    };
    for (const auto& c : cases) {
        DeviceRecord before = Patterned();
        before.SetU8(dev::kMeterKind, static_cast<uint8_t>(c.stored));
        EXPECT_EQ(model.Load(&before).kind, c.shown) << c.stored;
        PowerMeterForm f;
        f.kind = c.chosen;
        ASSERT_FALSE(model.Check(f).Refused());
        DeviceRecord after = before;
        model.Store(f, after);
        DeviceRecord expected = before;
        expected.SetU8(dev::kMeterKind, static_cast<uint8_t>(c.written));
        EXPECT_EQ(after, expected) << c.stored << " chosen " << c.chosen;
    }
}

// Through the editor: a register device switched to another type keeps
// every byte the editor and the new page do not own.
TEST(PowerMeterModelTest, OtherTypesKeepARegisterDevicesBytes) {
    UnitBlock unit;
    DeviceTable table;
    DeviceRecord reg = Patterned();
    reg.SetAscii(dev::kName, 32, "Meter");
    reg.SetU16(dev::kNumber, 1);
    reg.SetU8(dev::kFile, 1);
    reg.SetU8(dev::kPort, 1);
    reg.SetU8(dev::kStation, 3);
    reg.SetU8(dev::kDeviceType, kDevicePlc);
    reg.SetU8(dev::kIsRegister, 1);
    table[0] = reg;

    const PowerMeterModel meter;
    const SeriesModel series;
    const struct {
        uint8_t type;
        DevicePageStore page;
    } cases[] = {
        {kDevicePowerMeter,
         [&](DeviceRecord& r) {
             PowerMeterForm f;
             f.kind = 1;
             meter.Store(f, r);
             return meter.Check(f);
         }},
        {kDeviceSeriesA,
         [&](DeviceRecord& r) {
             series.Store(r);
             return series.Check();
         }},
        {kDeviceSeriesB,
         [&](DeviceRecord& r) {
             series.Store(r);
             return series.Check();
         }},
    };
    for (const auto& c : cases) {
        DeviceStoreRequest request;
        request.form.name = L"Meter";
        request.form.port = 1;
        request.form.deviceType = c.type;
        request.form.deviceKind = 1;
        request.stations = {3};
        test::ScriptedQuestions yes{{true}};
        const DeviceStoreResult result = StoreDevices(request, table, unit, kCp, c.page, yes);
        ASSERT_TRUE(result.Accepted()) << int(c.type);
        DeviceRecord expected = reg;
        expected.SetU8(dev::kDeviceType, c.type);
        if (c.type == kDevicePowerMeter)
            expected.SetU8(dev::kMeterKind, 1);
        EXPECT_EQ((*result.devices)[0], expected) << int(c.type);
        for (size_t i = 1; i < DeviceTable::kCount; ++i)
            ASSERT_EQ((*result.devices)[i], table[i]) << i;
    }
}

} // namespace
} // namespace qv
