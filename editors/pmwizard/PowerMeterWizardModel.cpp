#include "editors/pmwizard/PowerMeterWizardModel.h"

#include <cstdio>
#include <cstring>

#include "document/CodePageText.h"
#include "document/StringTable.h"

namespace qv {

namespace {

constexpr uint8_t kAreaDataRegister = 15; // "DT"
constexpr uint8_t kModePlain = 0, kModeDifference = 4;
constexpr uint8_t kCycleUnitMinutes = 1;
constexpr uint8_t kRepeatDaily = 3;
constexpr uint16_t kFileCount = 60;
constexpr uint8_t kFileQuantity = 60;

// By unit type 0..3.
constexpr uint8_t kDifferenceParam[kUnitTypeCount] = {9, 6, 9, 9};
constexpr float kScale[kUnitTypeCount] = {0.01f, 0.1f, 0.01f, 0.01f};

// Minute and hour bytes of the cycle trigger, by interval item.
constexpr uint8_t kCycleMinutes[kIntervalCount] = {15, 30, 0};
constexpr uint8_t kCycleHours[kIntervalCount] = {0, 0, 1};

struct LoggedValue {
    char name[kNameWidth + 1];
    uint32_t address;
};

// The values a station logs, in the order its records are written.
template <typename Emit> void ForEachValue(const UnitTypeRecord& r, Emit emit) {
    const int st = static_cast<int>(r.number);
    LoggedValue v{};
    auto put = [&](uint32_t address, const char* format, auto... args) {
        std::snprintf(v.name, sizeof v.name, format, st, args...);
        v.address = address;
        emit(v);
    };
    switch (r.unitType) {
    case kUnitChannels:
        if (!r.channelsOn) {
            put(100, "No.%d");
            break;
        }
        for (int c = 1; c <= kChannelCount; ++c) {
            if (r.channelFlags[c - 1])
                put(100 * c + 20, "No.%d-%d-1", c);
            if (r.channelFlags[kChannelCount + c - 1])
                put(100 * c + 22, "No.%d-%d-2", c);
        }
        break;
    case kUnit32Points:
    case kUnit4Points: {
        const int last = r.unitType == kUnit32Points ? kPointCount : 4;
        const uint32_t offset = r.unitType == kUnit32Points ? 0 : 20;
        for (int p = 1; p <= last; ++p)
            if (r.points[p - 1])
                put(100 * p + offset, "No.%d-%d", p);
        break;
    }
    case kUnitGrouped:
        for (int p = 1; p <= kGroupedPointCount; ++p) {
            if (!r.groupedPoints[p - 1])
                continue;
            if (r.ranges[(p - 1) / 4] != 0) {
                put(100 * p + 20, "No.%d-%d", p);
            } else {
                put(100 * p + 20, "No.%d-%dA", p);
                put(100 * p + 22, "No.%d-%dB", p);
            }
        }
        break;
    default:
        break;
    }
}

void WriteName(uint8_t* field, unsigned stringId, uint32_t codePage) {
    // Our own texts; one the code page cannot hold leaves the name empty.
    if (WriteTextField(field, kNameWidth, ResString(stringId), codePage) ==
        TextStore::Unrepresentable)
        std::memset(field, 0, kNameWidth);
}

void SetupFixedEntries(int interval, uint32_t codePage, TriggerTable& triggers, FileTable& files,
                       ErrorNotifyBlock& errors) {
    TriggerRecord& cycle = triggers[0];
    WriteName(cycle.data() + trig::kName, kStrCycleTriggerNames[interval], codePage);
    cycle.SetU8(trig::kKind, kTriggerCycle);
    cycle.SetU8(trig::kCycleUnit, kCycleUnitMinutes);
    cycle.SetU8(trig::kCycleMinutes, kCycleMinutes[interval]);
    cycle.SetU8(trig::kCycleHours, kCycleHours[interval]);

    TriggerRecord& daily = triggers[1];
    WriteName(daily.data() + trig::kName, kStrDailyTriggerName, codePage);
    daily.SetU8(trig::kKind, kTriggerDate);
    daily.SetU8(trig::kDateSecond, 5);
    daily.SetU8(trig::kDateMinute, 0);
    daily.SetU8(trig::kDateHour, 0);
    daily.SetU8(trig::kDateRepeat, kRepeatDaily);

    const char* names[] = {"syunji", "sabun"};
    for (int f = 0; f < 2; ++f) {
        FileRecord& r = files[f];
        WriteMultiField(r.data() + file::kName, kNameWidth, names[f], codePage);
        r.SetU32(file::kNumber, kFileCount);
        r.SetU16(file::kTrigger, 1);
        r.SetU8(file::kNumber2, kFileQuantity);
        r.SetU8(file::kTrigger2, 2);
        r.SetU8(file::kSelector, 1);
    }

    errors.SetU8(0x00, 0);
    errors.SetU8(0x01, 0);
    errors.SetU8(0x0E, 1);
}

void GenerateChannelDevices(const PowerMeterWizardForm& form, uint32_t codePage,
                            DeviceTable& devices) {
    size_t slot = 0;
    for (uint8_t fileNo = 1; fileNo <= 2; ++fileNo) {
        uint16_t number = 1;
        for (int st = 1; st <= kWizardStations; ++st) {
            const UnitTypeRecord& r = form.stations[st];
            if (!r.selected)
                continue;
            const uint32_t type = r.unitType < kUnitTypeCount ? r.unitType : 0;
            ForEachValue(r, [&](const LoggedValue& v) {
                if (slot >= dev::kUsedCount)
                    return; // Check keeps the count within the limit
                DeviceRecord& d = devices[slot++];
                WriteMultiField(d.data() + dev::kName, kNameWidth, v.name, codePage);
                d.SetU16(dev::kNumber, number++);
                d.SetU8(dev::kFile, fileNo);
                d.SetU8(dev::kPort, kPortSerial2);
                d.SetU8(dev::kStation, static_cast<uint8_t>(st));
                d.SetU8(dev::kArea, kAreaDataRegister);
                d.SetU32(dev::kAddress, v.address);
                d.SetU8(dev::kMode, fileNo == 1 ? kModePlain : kModeDifference);
                d.SetU8(dev::kDataType, kTypeU32);
                d.SetU8(dev::kExtra, fileNo == 1 ? 0 : kDifferenceParam[type]);
                d.SetU16(dev::kAuxWord, 1);
                d.SetU8(dev::kContactOption, 1);
                d.SetU8(dev::kIsRegister, 1);
                d.SetU8(dev::kScaleOn, 1);
                uint32_t bits;
                std::memcpy(&bits, &kScale[type], sizeof bits);
                d.SetU32(dev::kScale, bits);
                WriteMultiField(d.data() + dev::kUnitText, dev::kUnitTextWidth, "kWh", codePage);
            });
        }
    }
}

} // namespace

PowerMeterWizard::PowerMeterWizard() {
    for (int st = 0; st <= kWizardStations; ++st)
        form_.stations[st].number = static_cast<uint32_t>(st);
}

int PowerMeterWizard::CountSelectedStations() const {
    int count = 0;
    for (int st = 1; st <= kWizardStations; ++st)
        if (form_.stations[st].selected)
            count += RecordCount(form_.stations[st]);
    return count;
}

Refusal PowerMeterWizard::SetStation(int station, bool on) {
    UnitTypeRecord& r = form_.stations.at(station);
    if (on) {
        if (!r.selected && CountSelectedStations() + RecordCount(r) > kRecordLimit)
            return Refuse(kMsgTooManyRecords, 0);
        r.selected = 1;
        return {};
    }
    r.Clear();
    form_.rowOn[RowOf(station)] = false;
    return {};
}

Refusal PowerMeterWizard::SetRow(int row, bool on) {
    std::array<uint32_t, 10> before{};
    const int first = FirstOfRow(row), last = LastOfRow(row);
    for (int st = first; st <= last; ++st) {
        UnitTypeRecord& r = form_.stations[st];
        before[st - first] = r.selected;
        if (on)
            r.selected = 1;
        else
            r.Clear();
    }
    form_.rowOn[row] = on;
    if (on && CountSelectedStations() > kRecordLimit) {
        form_.rowOn[row] = false;
        for (int st = first; st <= last; ++st)
            form_.stations[st].selected = before[st - first];
        return Refuse(kMsgTooManyRecords, 0);
    }
    return {};
}

Refusal PowerMeterWizard::SetUnitType(int station, UnitTypeRecord edited) {
    UnitTypeRecord& r = form_.stations.at(station);
    edited.number = r.number;
    const int others = CountSelectedStations() - (r.selected ? RecordCount(r) : 0);
    Refusal refusal = AcceptUnitType(edited, others);
    if (!refusal.Refused())
        r = edited;
    return refusal;
}

Refusal PowerMeterWizard::Check() const {
    const int count = CountSelectedStations();
    // A selection that logs nothing would give log files without devices.
    if (count == 0)
        return Refuse(kMsgNoStationSelected, 0);
    if (count > kRecordLimit)
        return Refuse(kMsgTooManyRecords, 0);
    return {};
}

void PowerMeterWizard::Store(CQuorvelDoc& doc) const {
    // The unit keeps its own address, so a write over the LAN still finds
    // it; its name servers go back to none.
    IpBlock unitAddress = doc.Blocks().ip;
    for (size_t i = ip::kDns1; i < ip::kDns2 + 4; ++i)
        unitAddress.SetU8(i, 0);
    unitAddress.SetU8(ip::kAutoDns, 0);

    doc.SetDefaultSettings();
    const uint32_t codePage = doc.CodePage();
    TriggerTable triggers = doc.Blocks().triggers;
    FileTable files = doc.Blocks().files;
    DeviceTable devices = doc.Blocks().devices;
    ErrorNotifyBlock errors = doc.Blocks().errorNotify;
    const int interval =
        form_.interval >= 0 && form_.interval < kIntervalCount ? form_.interval : 0;
    SetupFixedEntries(interval, codePage, triggers, files, errors);
    GenerateChannelDevices(form_, codePage, devices);
    doc.SetTriggerTable(triggers);
    doc.SetFileTable(files);
    doc.SetDeviceTable(devices);
    doc.Blocks().errorNotify = errors;
    doc.SetIpBlock(unitAddress);
    doc.writeRequested = form_.writeRequest ? 1 : 0;
}

bool FinishPowerMeterWizard(const PowerMeterWizard& wizard, CQuorvelDoc& doc, int flag,
                            EditorQuestions& questions, Refusal& refusal) {
    refusal = wizard.Check();
    if (refusal.Refused())
        return false;
    if (flag != 0 && !questions.AskYesNo(kMsgReplaceAllSettings))
        return false;
    wizard.Store(doc);
    return true;
}

} // namespace qv
