#include "editors/devices/DeviceListModel.h"

#include <algorithm>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/QuorvelDoc.h"
#include "document/StringTable.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/devices/DeviceTableModel.h"

namespace qv {

namespace {

constexpr unsigned kStrFileName = 3053;
constexpr unsigned kStrTrigger = 3054;
constexpr unsigned kStrQuantity = 3055;
constexpr unsigned kStrCount = 3056;
constexpr unsigned kStrCountUnit = 3058;
constexpr unsigned kStrNoTrigger = 9045;
constexpr int kSlots = static_cast<int>(dev::kUsedCount);

std::wstring Num(long long v) {
    return std::to_wstring(v);
}

std::wstring TriggerName(const TriggerTable& triggers, int number, uint32_t codePage) {
    if (number < 1 || number > static_cast<int>(TriggerTable::kCount))
        return {};
    return ReadTextField(triggers[static_cast<size_t>(number - 1)].data() + trig::kName, kNameWidth,
                         codePage);
}

// The numbers of 1..300 in increasing order, each once.
std::vector<int> CleanNumbers(std::vector<int> numbers) {
    numbers.erase(
        std::remove_if(numbers.begin(), numbers.end(), [](int n) { return n < 1 || n > kSlots; }),
        numbers.end());
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

size_t Cell(int fileNo, int number) {
    return static_cast<size_t>((fileNo - 1) * kSlots + number - 1);
}

} // namespace

std::vector<DeviceRowText> TypicalDeviceRows(const UnitBlock& unit, uint32_t codePage) {
    constexpr int kAreaDt = 15, kAreaR = 2, kFuncHoldingRegisters = 3, kFuncCoils = 1;
    struct Typical {
        const char* name;
        int port, station, register_, address;
        int type; // data type or contact mode
        const char* unitText;
    };
    const Typical typical[] = {
        {"Flow rate 1", kPortSerial1, 12, 1, 12345, kTypeU32, "m3/h"},
        {"Pump running", kPortSerial2, 247, 0, 0x100F, 0, ""},
        {"Energy", kPortSerial1, 99, 1, 65535, kTypeS64, "kWh"},
        {"Batch counter", kPortUnit, 0, 1, 9000, kTypeU16, "pcs"},
        {"Alarm", kPortUnit, 0, 0, 0x10F, 1, ""},
    };
    auto devices = std::make_unique<DeviceTable>();
    std::vector<DeviceRowText> rows;
    for (size_t i = 0; i < std::size(typical); ++i) {
        const Typical& t = typical[i];
        DeviceRecord& r = (*devices)[i];
        r = EmptyDeviceRecord();
        r.SetAscii(dev::kName, kNameWidth, t.name);
        r.SetU8(dev::kPort, static_cast<uint8_t>(t.port));
        r.SetU8(dev::kStation, static_cast<uint8_t>(t.station));
        r.SetU8(dev::kIsRegister, static_cast<uint8_t>(t.register_));
        const bool funcCodes = PortUsesFuncCodes(t.port, unit);
        r.SetU8(dev::kArea, static_cast<uint8_t>(
                                funcCodes ? (t.register_ ? kFuncHoldingRegisters : kFuncCoils)
                                          : (t.register_ ? kAreaDt : kAreaR)));
        r.SetU32(dev::kAddress, static_cast<uint32_t>(t.address));
        r.SetU8(t.register_ ? dev::kDataType : dev::kMode, static_cast<uint8_t>(t.type));
        r.SetAscii(dev::kUnitText, dev::kUnitTextWidth, t.unitText);
        rows.push_back(FormatDeviceRow(*devices, static_cast<int>(i), static_cast<int>(i + 1),
                                       unit, codePage));
    }
    return rows;
}

std::vector<int> DeviceRowIndexes(const DeviceTable& devices, int fileNo, int rows) {
    std::vector<int> indexes(static_cast<size_t>(std::max(rows, 0)), -1);
    // The first record of a number wins, as the editors' search finds it.
    for (int i = kSlots - 1; i >= 0; --i) {
        const DeviceRecord& r = devices[static_cast<size_t>(i)];
        const int n = r.U16(dev::kNumber);
        if (r.U8(dev::kFile) == fileNo && n >= 1 && n <= rows)
            indexes[static_cast<size_t>(n - 1)] = i;
    }
    return indexes;
}

FileSummaryText FormatFileSummary(const FileTable& files, const TriggerTable& triggers, int fileNo,
                                  uint32_t codePage) {
    FileSummaryText s;
    if (fileNo < 1 || fileNo > static_cast<int>(FileTable::kCount))
        return s;
    const FileRecord& f = files[static_cast<size_t>(fileNo - 1)];
    s.name = L" " + ResString(kStrFileName) + L":" +
             ReadTextField(f.data() + file::kName, kNameWidth, codePage) + L" ";
    const int trigger = f.U16(file::kTrigger);
    s.trigger = L" " + ResString(kStrTrigger) + L":" +
                (trigger == 0 ? ResString(kStrNoTrigger)
                              : L"No." + Num(trigger) + L"(" +
                                    TriggerName(triggers, trigger, codePage) + L")") +
                L" ";
    s.quantity = L" " + ResString(kStrQuantity) + L":" + Num(f.U8(file::kNumber2)) + L" ";
    if (f.U8(file::kSelector) == 0) {
        s.count =
            ResString(kStrCount) + L": " + Num(f.U32(file::kNumber)) + ResString(kStrCountUnit);
    } else {
        const int second = f.U8(file::kTrigger2);
        s.count = ResString(kStrCount) + L": No." + Num(second) + L"(" +
                  TriggerName(triggers, second, codePage) + L")";
    }
    return s;
}

void DeviceListModel::Copy(const DeviceTable& devices, int fileNo, const std::vector<int>& numbers,
                           bool cut) {
    CancelCut();
    copied_ = CleanNumbers(numbers);
    copyFile_ = fileNo;
    if (cut && !copied_.empty()) {
        cut_ = copied_;
        cutFile_ = fileNo;
        cutTable_ = std::make_unique<DeviceTable>(devices);
    }
}

void DeviceListModel::Sync(const DeviceTable& devices) {
    if (cutTable_ && *cutTable_ != devices)
        CancelCut();
}

void DeviceListModel::CancelCut() {
    cut_.clear();
    cutFile_ = 0;
    cutTable_.reset();
}

bool DeviceListModel::IsCutMarked(int fileNo, int number) const {
    return cutTable_ && fileNo == cutFile_ &&
           std::find(cut_.begin(), cut_.end(), number) != cut_.end();
}

Refusal DeviceListModel::Paste(DeviceTable& devices, const FileTable& files, int fileNo,
                               const std::vector<int>& checked) {
    if (copied_.empty())
        return Refuse(kMsgNothingCopied, 0);
    if (checked.empty())
        return Refuse(kMsgNoPasteRow, 0);
    if (checked.size() > 1)
        return Refuse(kMsgOnePasteRow, 0);
    // File and number bytes index the grid: a damaged table is never pasted into.
    if (Refusal broken = CheckDeviceTableRules(devices); broken.Refused())
        return broken;
    if (fileNo < 1 || fileNo > kDeviceFileCount)
        return Refuse(kMsgNoRoomForDevices, 0);
    Sync(devices);
    const int capacity = MaxDeviceNumber(files, fileNo);
    const bool wide = capacity == kMaxDevicesPerWideFile;

    // Each (file, number) holds the index of its record in `devices`; -1 none.
    std::vector<int> grid(static_cast<size_t>(kDeviceFileCount * kSlots), -1);
    for (int i = 0; i < kSlots; ++i) {
        const DeviceRecord& r = devices[static_cast<size_t>(i)];
        if (!IsFreeDevice(r))
            grid[Cell(r.U8(dev::kFile), r.U16(dev::kNumber))] = i;
    }
    std::vector<int> stillCut = cut_;
    const int first = checked.front();
    for (size_t j = 0; j < copied_.size(); ++j) {
        const int target = first + static_cast<int>(j);
        if (target < 1 || target > capacity)
            return Refuse(kMsgNoRoomForDevices, 0);
        // Sources are read from the table as it was before this paste.
        const int source = CQuorvelDoc::FindDeviceRecord(devices, copyFile_, copied_[j], 0);
        if (source >= 0 && !wide) {
            const int type = devices[static_cast<size_t>(source)].U8(dev::kDataType);
            if (type == 7 || type == 8)
                return Refuse(kMsgWideDeviceIntoNarrowFile, 0);
        }
        grid[Cell(fileNo, target)] = source;
        // A device pasted onto a cut number stays when the cut completes.
        if (CutPending() && fileNo == cutFile_)
            stillCut.erase(std::remove(stillCut.begin(), stillCut.end(), target), stillCut.end());
    }
    if (CutPending())
        for (int n : stillCut)
            grid[Cell(cutFile_, n)] = -1;

    auto scratch = std::make_unique<DeviceTable>(devices); // records 300.. stay as they are
    int k = 0;
    for (int f = 1; f <= kDeviceFileCount; ++f)
        for (int n = 1; n <= kSlots; ++n) {
            const int source = grid[Cell(f, n)];
            if (source < 0)
                continue;
            if (k >= kSlots)
                return Refuse(kMsgNoRoomForDevices, 0);
            DeviceRecord r = devices[static_cast<size_t>(source)];
            r.SetU8(dev::kFile, static_cast<uint8_t>(f));
            r.SetU16(dev::kNumber, static_cast<uint16_t>(n));
            (*scratch)[static_cast<size_t>(k++)] = r;
        }
    for (; k < kSlots; ++k)
        (*scratch)[static_cast<size_t>(k)] = EmptyDeviceRecord();
    devices = *scratch;
    CancelCut(); // completed, or there was none
    return {};
}

DeviceDeletion DeviceListModel::Delete(DeviceTable& devices, int fileNo,
                                       const std::vector<int>& checked,
                                       EditorQuestions& questions) {
    DeviceDeletion out;
    const std::vector<int> gone = CleanNumbers(checked);
    if (gone.empty()) {
        out.refusal = Refuse(kMsgNothingToDelete, 0);
        return out;
    }
    if (Refusal broken = CheckDeviceTableRules(devices); broken.Refused()) {
        out.refusal = broken;
        return out;
    }
    const YesNoCancel answer = questions.AskYesNoCancel(kMsgDeleteRenumber);
    if (answer == YesNoCancel::Cancel)
        return out;
    const bool renumber = answer == YesNoCancel::Yes;
    auto scratch = std::make_unique<DeviceTable>(devices); // records 300.. stay as they are
    int k = 0;
    for (int i = 0; i < kSlots; ++i) {
        DeviceRecord r = devices[static_cast<size_t>(i)];
        if (IsFreeDevice(r))
            continue;
        const int n = r.U16(dev::kNumber);
        if (r.U8(dev::kFile) == fileNo) {
            if (std::binary_search(gone.begin(), gone.end(), n))
                continue;
            // Up by the deleted rows above it, devices and empty rows alike.
            if (renumber)
                r.SetU16(dev::kNumber,
                         static_cast<uint16_t>(
                             n - (std::lower_bound(gone.begin(), gone.end(), n) - gone.begin())));
        }
        (*scratch)[static_cast<size_t>(k++)] = r;
    }
    for (; k < kSlots; ++k)
        (*scratch)[static_cast<size_t>(k)] = EmptyDeviceRecord();
    devices = *scratch;
    // The cut's numbers name other devices now.
    CancelCut();
    out.deleted = true;
    return out;
}

} // namespace qv
