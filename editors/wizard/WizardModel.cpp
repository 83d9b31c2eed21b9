#include "editors/wizard/WizardModel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/StringTable.h"
#include "document/TextChecks.h"
#include "document/ValueText.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceFieldModel.h"
#include "editors/devices/PlcRegisterModel.h"
#include "editors/devices/StationChooserModel.h"
#include "editors/files/FileEditorModel.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

const int kWizardDataTypes[3] = {kTypeS16, kTypeU16, kTypeU32};
const int kWizardModes[2] = {0, kDifferenceMode};
const int kWizardDifferences[2] = {6, 9};

namespace {

constexpr uint8_t kAreaDT = 15;
constexpr uint8_t kCycleUnitMinutes = 1;
constexpr uint8_t kRepeatDaily = 3;
constexpr size_t kDailyTriggerIndex = 1;
constexpr size_t kIntervalTriggerIndex = 0;

// Minutes and hours of the three intervals.
constexpr uint8_t kIntervalMinutes[3] = {15, 30, 0};
constexpr uint8_t kIntervalHours[3] = {0, 0, 1};

bool Contains(const int* list, size_t n, int value) {
    return std::find(list, list + n, value) != list + n;
}

Refusal FieldRefusal(unsigned id, int field, std::vector<long long> numbers = {}) {
    return Refuse(id, field, std::move(numbers));
}

Refusal Balloon(unsigned id, int field) {
    Refusal r = Refuse(id, field);
    r.balloon = true;
    return r;
}

// A resource text into a fixed field, cut on a character boundary.
void WriteResText(uint8_t* field, size_t width, unsigned id, uint32_t codePage) {
    WriteTextField(field, width, ResString(id), codePage);
}

bool AddressAccepted(uint8_t first) {
    return first >= 1 && first <= 223 && first != 127;
}

int IntervalOf(const TriggerRecord& t) {
    if (t.U8(trig::kKind) != kTriggerCycle || t.U8(trig::kCycleUnit) != kCycleUnitMinutes ||
        t.U8(trig::kCycleSeconds) != 0 || t.U8(trig::kCycleDays) != 0)
        return 0;
    for (int i = 0; i < 3; ++i)
        if (t.U8(trig::kCycleMinutes) == kIntervalMinutes[i] &&
            t.U8(trig::kCycleHours) == kIntervalHours[i])
            return i;
    return 0;
}

uint32_t FloatToBits(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// The device editor's port number of a row's port index.
int UnitPortOf(int portIndex) {
    return portIndex == 0 ? kPortSerial1 : kPortSerial2;
}

} // namespace

std::vector<int> WizardStations(int port, const UnitBlock& unit) {
    const int unitPort = UnitPortOf(port);
    std::vector<int> stations;
    if (PortUsesFuncCodes(unitPort, unit)) {
        for (int s = 1; s <= kHighestStation; ++s)
            stations.push_back(s);
        return stations;
    }
    // Station 0 stands for every station of serial port 1.
    if (unitPort == kPortSerial1)
        stations.push_back(0);
    for (int s = 1; s <= kHighestAreaStation; ++s)
        stations.push_back(s);
    return stations;
}

unsigned WizardBalloonTitle(unsigned messageId) {
    return messageId == kMsgFileNameMissing || messageId == kMsgWizardDeviceNameMissing
               ? kStrFileNameMissingTitle
               : kStrFileNameCharacterTitle;
}

WizardModel::WizardModel(uint32_t codePage) : codePage_(codePage), rows_(kWizardDeviceRows) {
    {
        const CQuorvelDoc factory(codePage);
        const ImageBlocks& b = factory.Blocks();
        unit_ = b.unit;
        triggers_ = b.triggers;
        files_ = b.files;
        devices_ = b.devices;
        ip_ = b.ip;
    }
    // Log file 1 changes its name once a day, at 00:00:05.
    TriggerRecord& daily = triggers_[kDailyTriggerIndex];
    WriteResText(daily.data() + trig::kName, kNameWidth, kStrWizardDailyTrigger, codePage_);
    daily.SetU8(trig::kKind, kTriggerDate);
    daily.SetU8(trig::kDateSecond, 5);
    daily.SetU8(trig::kDateMinute, 0);
    daily.SetU8(trig::kDateHour, 0);
    daily.SetU8(trig::kDateRepeat, kRepeatDaily);
}

WizardUnitForm WizardModel::LoadUnit() const {
    WizardUnitForm form;
    form.name = ReadTextField(unit_.data() + unit::kName, kNameWidth, codePage_);
    for (size_t i = 0; i < 4; ++i)
        form.address[i] = ip_.U8(ip::kAddress + i);
    form.option = unit_.U8(unit::kUnitOption) != 0;
    return form;
}

Refusal WizardModel::SaveUnit(const WizardUnitForm& form) {
    const std::string stored = FieldBytes(unit_.data() + unit::kName, kNameWidth);
    const std::optional<std::string> name = ShownTextToMulti(stored, form.name, codePage_);
    if (!name)
        return FieldRefusal(kMsgTextNotInCodePage, kWizFieldUnitName);
    if (name->size() > kNameWidth)
        return FieldRefusal(kMsgFileNameTooLong, kWizFieldUnitName, {16, 32});
    WriteMultiField(unit_.data() + unit::kName, kNameWidth, *name, codePage_);
    if (!form.addressValid)
        return FieldRefusal(kMsgWizardBadAddress, kWizFieldAddress);
    for (size_t i = 0; i < 4; ++i)
        ip_.SetU8(ip::kAddress + i, form.address[i]);
    if (!AddressAccepted(form.address[0]))
        return FieldRefusal(kMsgWizardBadAddress, kWizFieldAddress);
    unit_.SetU8(unit::kUnitOption, form.option ? 1 : 0);
    return {};
}

WizardFileForm WizardModel::LoadFile() const {
    WizardFileForm form;
    form.name = ReadTextField(files_[0].data() + file::kName, kNameWidth, codePage_);
    form.interval = IntervalOf(triggers_[kIntervalTriggerIndex]);
    return form;
}

Refusal WizardModel::CheckFileName(const WizardFileForm& form) const {
    // The file editor's own checks, its name rules and the names of the
    // other files (the history files among them), on a scratch table.
    FileTable scratch = files_;
    FileEditorForm fileForm = LoadFileEditor(scratch, 0, codePage_);
    fileForm.name = form.name;
    fileForm.bySecondTrigger = true;
    fileForm.secondTrigger = static_cast<int>(kDailyTriggerIndex) + 1;
    Refusal r = StoreFileEditor(fileForm, 0, scratch, devices_, codePage_);
    if (r.Refused())
        r.field = r.field == kFileEdName ? kWizFieldFileName : kWizFieldNone;
    return r;
}

Refusal WizardModel::SaveFile(const WizardFileForm& form) {
    FileRecord& f = files_[0];
    const std::string stored = FieldBytes(f.data() + file::kName, kNameWidth);
    const std::optional<std::string> name = ShownTextToMulti(stored, form.name, codePage_);
    if (!name)
        return FieldRefusal(kMsgTextNotInCodePage, kWizFieldFileName);
    WriteMultiField(f.data() + file::kName, kNameWidth, *name, codePage_);
    if (form.interval >= 0 && form.interval < 3) {
        TriggerRecord& t = triggers_[kIntervalTriggerIndex];
        WriteResText(t.data() + trig::kName, kNameWidth,
                     kStrWizardIntervalFirst + static_cast<unsigned>(form.interval), codePage_);
        t.SetU8(trig::kKind, kTriggerCycle);
        t.SetU8(trig::kCycleUnit, kCycleUnitMinutes);
        t.SetU8(trig::kCycleSeconds, 0);
        t.SetU8(trig::kCycleMinutes, kIntervalMinutes[form.interval]);
        t.SetU8(trig::kCycleHours, kIntervalHours[form.interval]);
        t.SetU8(trig::kCycleDays, 0);
    }
    f.SetU16(file::kTrigger, static_cast<uint16_t>(kIntervalTriggerIndex + 1));
    f.SetU8(file::kTrigger2, static_cast<uint8_t>(kDailyTriggerIndex + 1));
    f.SetU8(file::kNumber2, 60);
    f.SetU8(file::kSelector, 1);
    return {};
}

WizardDeviceForm WizardModel::LoadDevice() const {
    const WizardDeviceRow& row = Row(shownRow_);
    WizardDeviceForm form;
    form.name = MultiToWide(row.name, codePage_);
    form.port = row.port == 0 ? 0 : 1;
    const std::vector<int> stations = WizardStations(form.port, unit_);
    form.station = std::find(stations.begin(), stations.end(), row.station) != stations.end()
                       ? row.station
                       : stations.front();
    form.reg = std::to_wstring(row.reg);
    form.dataType = row.dataType;
    form.mode = row.mode;
    form.difference = row.difference;
    form.scaling = row.scaling != 0;
    if (row.saved) {
        form.scale = form.scaling ? FormatFloatText(row.scale) : std::wstring();
        form.unitText = MultiToWide(row.unitText, codePage_);
    }
    return form;
}

WizardDeviceView WizardModel::DeviceView(const WizardDeviceForm& form) const {
    WizardDeviceView view;
    wchar_t counter[32];
    std::swprintf(counter, 32, L"%d / %d", shownRow_ + 1, lastRow_ + 1);
    view.counter = counter;
    view.stations = WizardStations(form.port, unit_);
    view.differenceEnabled = form.mode != kWizardModes[0];
    view.scaleEnabled = form.scaling;
    view.previousEnabled = shownRow_ > 0;
    view.nextEnabled = shownRow_ < lastRow_;
    return view;
}

void WizardModel::ChangePort(WizardDeviceForm& form, int port) const {
    form.port = port == 0 ? 0 : 1;
    form.station = WizardStations(form.port, unit_).front();
}

void WizardModel::PowerPreset(WizardDeviceForm& form) const {
    form.reg = L"100";
    form.dataType = kWizardDataTypes[2];
    form.mode = kWizardModes[0];
    form.scaling = true;
    form.scale = L"0.01";
    form.unitText = L"kWh";
}

Refusal WizardModel::CheckDevice(const WizardDeviceForm& form) const {
    const std::optional<std::string> name = WideToMulti(form.name, codePage_);
    if (name && name->empty())
        return Balloon(kMsgWizardDeviceNameMissing, kWizFieldDeviceName);
    return {};
}

Refusal WizardModel::SaveDevice(const WizardDeviceForm& form, bool doubleByteUi) {
    WizardDeviceRow& row = rows_.at(static_cast<size_t>(shownRow_));
    const std::optional<std::string> name = ShownTextToMulti(row.name, form.name, codePage_);
    if (!name)
        return FieldRefusal(kMsgTextNotInCodePage, kWizFieldDeviceName);
    if (name->size() > kNameWidth)
        return FieldRefusal(kMsgDeviceNameTooLong, kWizFieldDeviceName, {16, 32});
    // Characters, not bytes: a second byte may look like a comma.
    if (!std::all_of(form.name.begin(), form.name.end(), DeviceNameAccepts))
        return Balloon(kMsgDeviceNameCharacter, kWizFieldDeviceName);
    row.name = *name;

    const int port = form.port == 0 ? 0 : 1;
    const size_t role = unit::PortRecordOffset(port) + portrec::kRole;
    if (unit_.U8(role) == 1)
        return FieldRefusal(kMsgPortReadsNoDevices, kWizFieldPort);
    row.port = static_cast<uint8_t>(port);

    const std::vector<int> stations = WizardStations(port, unit_);
    if (std::find(stations.begin(), stations.end(), form.station) == stations.end())
        return FieldRefusal(kMsgWizardStationRefused, kWizFieldStation);
    row.station = static_cast<uint8_t>(form.station);

    uint64_t reg = 0;
    if (form.reg.size() > kWizardRegisterChars ||
        !ReadDecimal(form.reg, kWizardHighestRegister, reg))
        return FieldRefusal(kMsgWizardBadRegister, kWizFieldRegister);
    row.reg = static_cast<uint32_t>(reg);

    if (Contains(kWizardDataTypes, 3, form.dataType))
        row.dataType = static_cast<uint8_t>(form.dataType);
    if (Contains(kWizardModes, 2, form.mode))
        row.mode = static_cast<uint8_t>(form.mode);
    if (Contains(kWizardDifferences, 2, form.difference))
        row.difference = static_cast<uint8_t>(form.difference);
    row.scaling = form.scaling ? 1 : 0;

    // A scale of nothing would log every value as 0.
    const std::wstring scaleText = form.scaling ? form.scale : std::wstring();
    if (!IsDecimalText(scaleText.size(), scaleText))
        return FieldRefusal(kMsgBadNumberText, kWizFieldScale);
    if (!HasAtMostSixDigits(scaleText, codePage_))
        return FieldRefusal(kMsgScaleTooPrecise, kWizFieldScale);
    const FloatTextResult scale = TextToFloat(scaleText);
    if (!scale.ok)
        return FieldRefusal(scale.messageId, kWizFieldScale);
    if (form.scaling && scale.value == 0.0f)
        return FieldRefusal(kMsgWizardScaleMissing, kWizFieldScale);
    row.scale = scale.value;

    if (Refusal r = CheckUnitText(form.unitText, codePage_, doubleByteUi, kWizFieldUnitText);
        r.Refused())
        return r;
    row.unitText = *ShownTextToMulti(row.unitText, form.unitText, codePage_);

    // Never a record the device editor would refuse.
    if (Refusal r = CheckBuiltRecord(BuildRecord(shownRow_), doubleByteUi); r.Refused())
        return r;
    row.saved = true;
    BuildDevices();
    return {};
}

Refusal WizardModel::CheckBuiltRecord(const DeviceRecord& record, bool doubleByteUi) const {
    // What the device editor's register page would say of the record.
    const PlcRegisterModel page(record.U8(dev::kPort), unit_, false, codePage_);
    const Refusal r = page.Check(page.Load(&record), doubleByteUi);
    if (!r.Refused())
        return r;
    Refusal mapped = r;
    mapped.field = r.field == kPlcRegScale  ? kWizFieldScale
                   : r.field == kPlcRegUnit ? kWizFieldUnitText
                                            : kWizFieldRegister;
    return mapped;
}

void WizardModel::BuildDevices() {
    for (int i = 0; i <= lastRow_; ++i)
        devices_[static_cast<size_t>(i)] = BuildRecord(i);
}

DeviceRecord WizardModel::BuildRecord(int i) const {
    const WizardDeviceRow& row = Row(i);
    DeviceRecord d;
    WriteMultiField(d.data() + dev::kName, kNameWidth, row.name, codePage_);
    d.SetU16(dev::kNumber, static_cast<uint16_t>(i + 1));
    d.SetU8(dev::kFile, 1);
    d.SetU8(dev::kPort, static_cast<uint8_t>(UnitPortOf(row.port)));
    // A new row on serial port 2 shows (and stores) its lowest station.
    const std::vector<int> stations = WizardStations(row.port, unit_);
    const bool offered = std::find(stations.begin(), stations.end(), row.station) != stations.end();
    d.SetU8(dev::kStation, static_cast<uint8_t>(offered ? row.station : stations.front()));
    d.SetU8(dev::kArea, kAreaDT);
    d.SetU32(dev::kAddress, row.reg);
    d.SetU8(dev::kMode, row.mode);
    d.SetU8(dev::kDataType, row.dataType);
    d.SetU8(dev::kExtra, row.mode == kDifferenceMode ? row.difference : 0);
    d.SetU8(dev::kIsRegister, 1);
    d.SetU8(dev::kScaleOn, row.scaling);
    d.SetU32(dev::kScale, FloatToBits(row.scale));
    WriteMultiField(d.data() + dev::kUnitText, dev::kUnitTextWidth, row.unitText, codePage_);
    return d;
}

bool WizardModel::MoveRow(int delta) {
    const int to = shownRow_ + delta;
    if (to < 0 || to > lastRow_)
        return false;
    shownRow_ = to;
    return true;
}

bool WizardModel::AddRow() {
    if (lastRow_ + 1 >= kWizardDeviceRows)
        return false;
    ++lastRow_;
    shownRow_ = lastRow_;
    return true;
}

WizardSummary WizardModel::Summary() const {
    WizardSummary s;
    s.unitName = ReadTextField(unit_.data() + unit::kName, kNameWidth, codePage_);
    wchar_t address[20];
    std::swprintf(address, 20, L"%d.%d.%d.%d", ip_.U8(ip::kAddress), ip_.U8(ip::kAddress + 1),
                  ip_.U8(ip::kAddress + 2), ip_.U8(ip::kAddress + 3));
    s.address = address;
    s.devices = lastRow_ + 1;
    return s;
}

void WizardModel::Finish(CQuorvelDoc& doc, bool writeRequested) const {
    doc.SetDefaultSettings();
    doc.SetUnitBlock(unit_);
    doc.SetTriggerTable(triggers_);
    doc.SetFileTable(files_);
    doc.SetDeviceTable(devices_);
    doc.SetIpBlock(ip_);
    doc.writeRequested = writeRequested ? 1 : 0;
}

} // namespace qv
