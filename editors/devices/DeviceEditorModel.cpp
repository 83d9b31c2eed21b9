#include "editors/devices/DeviceEditorModel.h"

#include <algorithm>
#include <cwctype>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "editors/devices/DeviceTableModel.h"
#include "editors/triggers/DigitEditModel.h"

namespace qv {

namespace {

constexpr int kUsedSlots = static_cast<int>(dev::kUsedCount);
constexpr int kPortRoleNoDevices = 1;

bool IsKnownType(int type) {
    return std::find(std::begin(kDeviceTypeCodes), std::end(kDeviceTypeCodes), type) !=
           std::end(kDeviceTypeCodes);
}

bool PortReadsNoDevices(int port, const UnitBlock& unit) {
    return (port == kPortSerial1 || port == kPortSerial2) &&
           unit.U8(unit::PortRecordOffset(port - 1) + portrec::kRole) == kPortRoleNoDevices;
}

Refusal Balloon(unsigned id) {
    Refusal r = Refuse(id, kDevEdName);
    r.balloon = true;
    return r;
}

// The name's bytes in the code page, or the refusal of the name field.
Refusal CheckName(const DeviceStoreRequest& request, const DeviceTable& devices,
                  const UnitBlock& unit, uint32_t codePage, std::string& bytes) {
    const std::wstring& name = request.form.name;
    if (name.empty())
        return Balloon(kMsgDeviceNameMissing);
    if (name.find_first_of(L",\"") != std::wstring::npos)
        return Balloon(kMsgDeviceNameCharacter);
    if (PortReadsNoDevices(request.form.port, unit))
        return Refuse(kMsgPortReadsNoDevices, kDevEdPort);
    const int shown = CQuorvelDoc::FindDeviceRecord(devices, request.fileNo, request.number, 0);
    const std::string stored =
        shown < 0 ? std::string()
                  : FieldBytes(devices[static_cast<size_t>(shown)].data() + dev::kName, kNameWidth);
    const std::optional<std::string> multi = ShownTextToMulti(stored, name, codePage);
    if (!multi)
        return Refuse(kMsgTextNotInCodePage, kDevEdName);
    if (multi->size() > kNameWidth)
        return Refuse(kMsgDeviceNameTooLong, kDevEdName, {16, 32});
    bytes = *multi;
    return {};
}

// Moves records index..299-count up by count and clears the count slots that
// open at index; with `renumber`, moved records of the file go up by count.
void OpenSlots(DeviceTable& devices, int index, int count, int fileNo, bool renumber) {
    for (int i = kUsedSlots - 1; i >= index + count; --i) {
        DeviceRecord moved = devices[static_cast<size_t>(i - count)];
        if (renumber && moved.U8(dev::kFile) == fileNo)
            moved.SetU16(dev::kNumber, static_cast<uint16_t>(moved.U16(dev::kNumber) + count));
        devices[static_cast<size_t>(i)] = moved;
    }
    for (int i = index; i < index + count && i < kUsedSlots; ++i)
        devices[static_cast<size_t>(i)].Clear();
}

} // namespace

int FindDeviceInsertPos(const DeviceTable& devices, int fileNo, int number) {
    for (int i = 0; i < kUsedSlots; ++i) {
        const DeviceRecord& r = devices[static_cast<size_t>(i)];
        const int file = r.U8(dev::kFile);
        if ((file == fileNo && r.U16(dev::kNumber) >= number) || file > fileNo || file == 0)
            return i;
    }
    return kUsedSlots;
}

int FirstFreeDevice(const DeviceTable& devices) {
    for (int i = 0; i < kUsedSlots; ++i)
        if (IsFreeDevice(devices[static_cast<size_t>(i)]))
            return i;
    return -1;
}

int HighestDeviceNumber(const DeviceTable& devices, int fileNo) {
    int highest = 0;
    for (int i = 0; i < kUsedSlots; ++i) {
        const DeviceRecord& r = devices[static_cast<size_t>(i)];
        if (r.U8(dev::kFile) == fileNo)
            highest = std::max<int>(highest, r.U16(dev::kNumber));
    }
    return highest;
}

int MaxDeviceNumber(const FileTable& files, int fileNo) {
    if (fileNo < 1 || fileNo > static_cast<int>(FileTable::kCount))
        return kMaxDevicesPerFile;
    return files[static_cast<size_t>(fileNo - 1)].U8(file::kWide64) != 0 ? kMaxDevicesPerWideFile
                                                                         : kMaxDevicesPerFile;
}

int TypedDeviceNumber(const std::wstring& text, int maximum, bool* rewrite) {
    const std::optional<uint64_t> parsed = ParseDigitText(text);
    const uint64_t value = parsed.value_or(0);
    int number = static_cast<int>(std::min<uint64_t>(value, static_cast<uint64_t>(maximum)));
    const bool outside = value < 1 || value > static_cast<uint64_t>(maximum);
    if (value < 1)
        number = 1;
    if (rewrite)
        *rewrite = outside;
    return number;
}

DeviceEditorForm LoadDeviceEditor(const DeviceTable& devices, int fileNo, int number,
                                  uint32_t codePage) {
    DeviceEditorForm form;
    const int index = CQuorvelDoc::FindDeviceRecord(devices, fileNo, number, 0);
    if (index < 0)
        return form; // a new device on serial port 2, a PLC register
    const DeviceRecord& r = devices[static_cast<size_t>(index)];
    form.name = ReadTextField(r.data() + dev::kName, kNameWidth, codePage);
    const int port = r.U8(dev::kPort);
    form.port = port <= kPortSerial2 ? port : -1;
    const int type = r.U8(dev::kDeviceType);
    form.deviceType = IsKnownType(type) ? type : kDevicePlc;
    const int kind = r.U8(dev::kIsRegister);
    form.deviceKind = kind <= 1 ? kind : 1;
    return form;
}

StationControls UpdateStationControls(StationList& flags, int port, bool hasSlot,
                                      const UnitBlock& unit) {
    StationControls c;
    if (port != kPortSerial1 && port != kPortSerial2)
        return c; // the unit itself has no bus stations
    c.enabled = true;
    uint32_t s = 0;
    for (size_t i = 0; i < kStationCount; ++i)
        if (flags[i] != 0) {
            s = static_cast<uint32_t>(i);
            break;
        }
    if (PortUsesFuncCodes(port, unit) && s < 1) {
        flags[0] = 0;
        flags[1] = 1;
        s = 1;
    }
    if (s > 0 && hasSlot)
        c.text = std::to_wstring(s);
    else
        c.text = port == kPortSerial1 ? L"  " : L"1";
    return c;
}

uint8_t StoredStation(int port, uint32_t entry, const UnitBlock& unit) {
    if (port == kPortUnit)
        return 0;
    if (entry == 0 && (port == kPortSerial2 || PortUsesFuncCodes(port, unit)))
        return 1;
    return static_cast<uint8_t>(entry);
}

bool DeviceNameAccepts(wchar_t c) {
    return c != L',' && c != L'"' && !std::iswcntrl(static_cast<wint_t>(c));
}

std::wstring FilterDeviceNamePaste(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (DeviceNameAccepts(c))
            out += c;
    return out;
}

unsigned DeviceBalloonTitle(unsigned messageId) {
    return messageId == kMsgDeviceNameMissing ? kStrDeviceNameMissingTitle
                                              : kStrDeviceNameCharacterTitle;
}

DeviceStoreResult StoreDevices(const DeviceStoreRequest& request, const DeviceTable& devices,
                               const UnitBlock& unit, uint32_t codePage,
                               const DevicePageStore& pageStore, EditorQuestions& questions) {
    DeviceStoreResult result;
    // The unit itself has no stations: its station choice is hidden, so it
    // never makes more than one record.
    const int n = request.form.port == kPortUnit
                      ? 1
                      : std::max<int>(1, static_cast<int>(request.stations.size()));
    const int fileNo = request.fileNo;
    const int number = request.number;

    // A damaged loaded table would lose or merge records as slots move.
    result.refusal = CheckDeviceTableRules(devices);
    if (result.refusal.Refused())
        return result;
    std::string name;
    result.refusal = CheckName(request, devices, unit, codePage, name);
    if (result.refusal.Refused())
        return result;

    auto scratch = std::make_unique<DeviceTable>(devices);
    const int insertAt = FindDeviceInsertPos(devices, fileNo, number);
    const int firstFree = FirstFreeDevice(devices);
    if (request.insert) {
        if (HighestDeviceNumber(devices, fileNo) + n > request.maximum) {
            result.refusal = Refuse(kMsgInsertPastMaximum, kDevEdNone);
            return result;
        }
        if (number + n - 1 > request.maximum || firstFree < 0 || firstFree + n > kUsedSlots) {
            result.refusal = Refuse(kMsgNoRoomForDevices, kDevEdNone);
            return result;
        }
        OpenSlots(*scratch, insertAt, n, fileNo, true);
    } else {
        int newCount = 0;
        for (int k = 0; k < n; ++k)
            if (CQuorvelDoc::FindDeviceRecord(devices, fileNo, number + k, 0) < 0)
                ++newCount;
        const int used = firstFree < 0 ? kUsedSlots : firstFree;
        if (used + newCount > kUsedSlots || number + n - 1 > request.maximum) {
            result.refusal = Refuse(kMsgNoRoomForDevices, kDevEdNone);
            return result;
        }
    }
    bool answeredYes = false;
    for (int k = 0; k < n; ++k) {
        // OK overwrites a number's record where it is and opens a cleared
        // slot at the sorted place of a number without one.
        int at = insertAt + k;
        if (!request.insert) {
            at = CQuorvelDoc::FindDeviceRecord(*scratch, fileNo, number + k, 0);
            if (at < 0) {
                at = FindDeviceInsertPos(*scratch, fileNo, number + k);
                OpenSlots(*scratch, at, 1, fileNo, false);
            }
        }
        DeviceRecord& slot = (*scratch)[static_cast<size_t>(at)];
        const bool holdsDevice = slot.U8(dev::kFile) != 0;
        if (pageStore) {
            result.refusal = pageStore(slot);
            if (result.refusal.Refused()) {
                result.pageRefused = true;
                return result;
            }
        }
        if (!request.insert && !answeredYes && holdsDevice) {
            if (!questions.AskYesNo(kMsgOverwriteDevice)) {
                result.stay = true;
                return result;
            }
            answeredYes = true;
        }
        slot.SetU8(dev::kFile, static_cast<uint8_t>(fileNo));
        slot.SetU16(dev::kNumber, static_cast<uint16_t>(number + k));
        WriteMultiField(slot.data() + dev::kName, kNameWidth, name, codePage);
        if (request.form.port >= 0) {
            slot.SetU8(dev::kPort, static_cast<uint8_t>(request.form.port));
            slot.SetU8(dev::kStation,
                       StoredStation(request.form.port,
                                     request.stations.empty() ? 0 : request.stations[k], unit));
        }
        slot.SetU8(dev::kDeviceType, static_cast<uint8_t>(request.form.deviceType));
        slot.SetU8(dev::kIsRegister, static_cast<uint8_t>(request.form.deviceKind));
    }
    result.devices = std::move(scratch);
    return result;
}

} // namespace qv
