#include "editors/config/ConfigTimeModel.h"

#include <cstring>

#include "document/CodePageText.h"
#include "document/TextChecks.h"

namespace qv {

namespace {
constexpr size_t kDeviceStation = 2; // within a port's four device bytes

size_t DeviceBytes(int port) {
    return port == 1 ? timeblk::kSourcePort1 : timeblk::kSourcePort2;
}
} // namespace

int HighestStation(const UnitBlock& unit, int port) {
    const size_t record = unit::PortRecordOffset(port - 1);
    return unit.U8(record + portrec::kProtocol) == 0 ? 99 : 247;
}

int StationForPort(int station, const UnitBlock& unit, int port) {
    return station >= 1 && station <= HighestStation(unit, port) ? station : 1;
}

ConfigTimeForm LoadConfigTime(const TimeBlock& time, const UnitBlock& unit, uint32_t codePage) {
    ConfigTimeForm form;
    const int mode = time.U8(timeblk::kMode);
    form.mode = mode == kSyncServer || mode == kSyncDevice ? mode : kSyncNone;
    form.byAddress = time.U8(timeblk::kServerIsIp) != 0;
    if (form.byAddress) {
        std::array<uint8_t, 4> octets{};
        std::memcpy(octets.data(), time.data() + timeblk::kServer, octets.size());
        form.address = octets;
    } else if (form.mode == kSyncServer) {
        form.host = ReadTextField(time.data() + timeblk::kServer, kTimeServerChars, codePage);
    }
    form.port = form.mode == kSyncDevice && time.U8(timeblk::kSourcePort) == 1 ? 1 : 2;
    form.station =
        StationForPort(time.U8(DeviceBytes(form.port) + kDeviceStation), unit, form.port);
    // A stored number beyond the table names no trigger.
    const int trigger = time.U16(timeblk::kTrigger);
    form.trigger = form.mode != kSyncNone && trigger <= kTriggerCount ? trigger : 0;
    const int zone = static_cast<int8_t>(time.U8(timeblk::kTimeZone));
    form.zone = zone >= kTimeZoneMin && zone <= kTimeZoneMax ? zone - kTimeZoneMin : -1;
    return form;
}

Refusal CheckConfigTime(const ConfigTimeForm& form) {
    if (form.mode == kSyncServer) {
        if (!form.byAddress) {
            if (form.host.empty())
                return Refuse(kMsgNoTimeServerName, kTimeFieldHost);
            if (!IsHostNameText(form.host, form.host.size()) || form.host.size() > kTimeServerChars)
                return Refuse(kMsgTimeServerNameChars, kTimeFieldHost);
        } else {
            const int first = form.address ? (*form.address)[0] : 0;
            if (first < 1 || first > 223 || first == 127)
                return Refuse(kMsgTimeServerAddress, kTimeFieldAddress);
        }
    }
    if (form.mode != kSyncNone && (form.trigger < 1 || form.trigger > kTriggerCount))
        return Refuse(kMsgNoSyncTrigger, kTimeFieldTrigger);
    return {};
}

void StoreConfigTime(const ConfigTimeForm& form, uint32_t codePage, TimeBlock& time) {
    const std::string stored = FieldBytes(time.data() + timeblk::kServer, kTimeServerChars);
    std::memset(time.data() + timeblk::kServer, 0, kTimeServerChars);
    time.SetU8(timeblk::kMode, static_cast<uint8_t>(form.mode));
    if (form.mode == kSyncServer) {
        time.SetU8(timeblk::kServerIsIp, form.byAddress ? 1 : 0);
        if (form.byAddress) {
            std::memcpy(time.data() + timeblk::kServer, form.address->data(), 4);
        } else {
            // Letters, digits and "_.-@" only: one byte each in either code page.
            const std::optional<std::string> bytes = ShownTextToMulti(stored, form.host, codePage);
            if (bytes)
                WriteMultiField(time.data() + timeblk::kServer, kTimeServerChars, *bytes, codePage);
        }
        time.SetU8(timeblk::kSourcePort, 0);
    } else if (form.mode == kSyncDevice) {
        time.SetU8(timeblk::kSourcePort, static_cast<uint8_t>(form.port));
        const size_t device = DeviceBytes(form.port);
        time.SetU8(device, 1);
        time.SetU8(device + 1, 2);
        time.SetU8(device + kDeviceStation, static_cast<uint8_t>(form.station));
    }
    time.SetU16(timeblk::kTrigger,
                static_cast<uint16_t>(form.mode == kSyncNone ? 0 : form.trigger));
    if (form.zone >= 0 && form.zone < kTimeZoneCount)
        time.SetU8(timeblk::kTimeZone,
                   static_cast<uint8_t>(static_cast<int8_t>(ZoneOffset(form.zone))));
}

} // namespace qv
