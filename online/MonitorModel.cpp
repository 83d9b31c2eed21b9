#include "online/MonitorModel.h"

#include <algorithm>
#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/DeviceRowText.h"
#include "document/ProfileStore.h"
#include "document/StringTable.h"
#include "link/UnitSession.h"

namespace qv {

static_assert(kMonitorMaxWords <= 1024, "one read of the protocol");

namespace {

constexpr unsigned kStrContact = 5143;
constexpr unsigned kStrSystemDescription = 60000;
constexpr int kTypeOnOff = 127;
constexpr int kTypeWide = 126;
constexpr size_t kErrorNotifyScale = 21;
// Beyond this a float's fixed form is no longer useful (and a damaged file
// may hold any number of decimals).
constexpr int kMaxDecimals = 15;

// One row of the system layout: register, the type whose name is shown, the
// registers the value takes and its format (a type of MonitorValueText).
struct SystemRegister {
    int number;
    int nameType;
    int format;
};

// clang-format off
const SystemRegister kSystemRegisters[] = {
    {90000, 2, 2},
    {90028, 4, 1}, {90030, 4, 1},
    {90053, 2, 2}, {90054, 2, 2}, {90055, 2, 2}, {90056, 2, 2}, {90057, 2, 2},
    {90062, 4, 4}, {90064, 4, 4}, {90066, 4, 4},
    {90070, 4, 1},
    {90082, 4, 4}, {90084, 4, 4}, {90086, 4, 4},
    {90090, 4, 1},
    {90102, 4, 4}, {90110, 4, 4}, {90112, 4, 4}, {90114, 4, 4}, {90120, 4, 4}, {90122, 4, 4},
    {90124, 4, 4},
    {90131, 2, 2}, {90132, 2, 2}, {90135, 2, 2}, {90140, 2, 2}, {90143, 2, 2}, {90144, 2, 2},
    {90146, 2, 2}, {90147, 2, 2}, {90148, 2, 2},
    {90150, 2, 2}, {90151, 2, 2}, {90152, 2, 2}, {90153, 2, 2},
    {90154, 5, 5}, {90156, 5, 5}, {90158, 5, 5}, {90160, 5, 5}, {90162, 5, 5},
    {90170, 4, 4},
    {90200, 4, kTypeWide}, {90204, 4, kTypeWide}, {90208, 4, kTypeWide}, {90212, 4, kTypeWide},
    {90222, 1, 1},
    {90223, 4, 4},
};
// clang-format on
static_assert(std::size(kSystemRegisters) == 48);

std::wstring Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::wstring Format(const char* fmt, ...) {
    char buf[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return std::wstring(buf, buf + std::strlen(buf));
}

// The words of a system register as a poll formats it.
void SystemWords(const MonitorRegisters& m, const SystemRegister& r, uint16_t (&words)[4]) {
    std::fill(std::begin(words), std::end(words), 0);
    if (r.format == kTypeWide) {
        const uint64_t v = m.Get64(r.number);
        for (int i = 0; i < 4; ++i)
            words[i] = static_cast<uint16_t>(v >> (16 * i));
        return;
    }
    uint32_t v = 0;
    if (r.number == 90151)
        v = m.Dt90150 >> 16; // the upper register of the hardware address pair
    else
        m.Get(r.number, v);
    words[0] = static_cast<uint16_t>(v);
    words[1] = static_cast<uint16_t>(v >> 16);
}

} // namespace

LinkResult SessionMonitorLink::ReadContactWords(int first, uint16_t (&words)[16]) {
    return session_.ReadContactWords(first, words);
}
LinkResult SessionMonitorLink::ReadDataWords(int first, int count, uint16_t* words) {
    return session_.SessionReadDataWords(first, count, words);
}
int SessionMonitorLink::ReadMonitorValues(MonitorRegisters& out) {
    const int r = session_.ReadMonitorValues();
    out = session_.MonitorValues;
    return r;
}
void SessionMonitorLink::CloseSession() {
    session_.CloseSession();
}

std::vector<MonitorColumn> MonitorColumns(bool system) {
    if (system)
        return {{43102, 120, true}, {43103, 320, false}, {43104, 0, false},
                {43104, 0, false},  {3072, 120, false},  {43000, 220, false}};
    return {{3068, 60, true},   {3069, 100, false},  {3070, 180, false}, {3071, 100, false},
            {3072, 120, false}, {43000, 220, false}, {3073, 120, false}};
}

std::wstring MonitorValueText(const uint16_t (&w)[4], int type, int decimals) {
    const uint32_t v32 = uint32_t{w[1]} << 16 | w[0];
    const uint64_t v64 = uint64_t{w[3]} << 48 | uint64_t{w[2]} << 32 | v32;
    switch (type) {
    case 0:
        return Format("%d", static_cast<int16_t>(w[0]));
    case 1:
        return Format("%u", unsigned{w[0]});
    case 2:
        return Format("%04X", unsigned{w[0]});
    case 3:
        return Format("%" PRId32, static_cast<int32_t>(v32));
    case 4:
        return Format("%" PRIu32, v32);
    case 5:
        return Format("%08" PRIX32, v32);
    case kTypeFloat: {
        float f;
        std::memcpy(&f, &v32, sizeof f);
        if (f > 10000000.0f || f < -10000000.0f)
            return Format("%.6e", static_cast<double>(f));
        return Format("%.*f", std::clamp(decimals, 0, kMaxDecimals), static_cast<double>(f));
    }
    case 7:
        return Format("%" PRId64, static_cast<int64_t>(v64));
    case 8:
    case kTypeWide:
        return Format("%" PRIu64, v64);
    case kTypeOnOff:
        return w[0] == 0 ? L"OFF" : L"ON";
    default:
        return {};
    }
}

bool TestContactBit(const uint16_t (&words)[16], int n) {
    if (n < 0 || n > 255)
        return false;
    return (words[n / 16] >> (n % 16) & 1) != 0;
}

MonitorModel::MonitorModel(const FileTable& files, uint32_t codePage)
    : files_(files), codePage_(codePage) {}

void MonitorModel::FillGroup(int group, const ImageBlocks& blocks) {
    rows_.clear();
    group_ = std::clamp(group, 0, kMonitorGroupCount - 1);
    errorNotify21_ = blocks.errorNotify.U8(kErrorNotifyScale);
    if (group_ == kMonitorSystemGroup) {
        for (const SystemRegister& r : kSystemRegisters) {
            MonitorRow row;
            row.number = r.number;
            row.cells[0] = Format("%5d", r.number);
            const unsigned text = r.number >= 90150 && r.number <= 90152 ? 90150 : r.number;
            row.cells[1] = ResString(kStrSystemDescription + (text - 90000));
            row.cells[4] = GetDataTypeName(r.nameType);
            rows_.push_back(std::move(row));
        }
        return;
    }
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        const DeviceRecord& r = blocks.devices[i];
        if (r.U8(dev::kFile) != group_ + 1)
            continue;
        MonitorRow row;
        row.record = r;
        row.number = r.U16(dev::kNumber);
        const DeviceRowText t = FormatDeviceRow(blocks.devices, static_cast<int>(i), row.number,
                                                blocks.unit, codePage_);
        row.cells[0] = Format("%4d", row.number);
        row.cells[1] = t.name;
        row.cells[2] = t.address;
        row.cells[3] = t.mode;
        const bool contact = r.U8(dev::kIsRegister) == 0;
        row.cells[4] =
            contact ? (r.U8(dev::kMode) == 0 ? ResString(kStrContact) : GetDataTypeName(kTypeU32))
                    : GetDataTypeName(r.U8(dev::kDataType));
        row.cells[6] = ReadTextField(r.data() + dev::kUnitText, dev::kUnitTextWidth, codePage_);
        rows_.push_back(std::move(row));
    }
}

int MonitorModel::ReadWordCount() const {
    if (group_ < 0 || group_ >= kMonitorFileGroups || rows_.empty())
        return 0;
    const int perItem = files_[static_cast<size_t>(group_)].U8(file::kWide64) != 0 ? 4 : 2;
    int highest = 0;
    for (const MonitorRow& row : rows_)
        highest = std::max(highest, row.number);
    return std::min(highest * perItem, kMonitorMaxWords);
}

void MonitorModel::SetAll(const wchar_t* text) {
    for (MonitorRow& row : rows_) {
        row.cells[kMonitorValueColumn] = text;
        row.on = false;
    }
}

void MonitorModel::Poll(MonitorLink& link) {
    if (rows_.empty())
        return;
    if (group_ == kMonitorSystemGroup)
        PollSystem(link);
    else
        PollFile(link);
}

void MonitorModel::PollSystem(MonitorLink& link) {
    MonitorRegisters m;
    if (link.ReadMonitorValues(m) != 0) {
        // Values that look live but are not would mislead.
        link.CloseSession();
        SetAll(kNoValue);
        return;
    }
    for (MonitorRow& row : rows_) {
        for (const SystemRegister& r : kSystemRegisters) {
            if (r.number != row.number)
                continue;
            uint16_t words[4];
            SystemWords(m, r, words);
            row.cells[kMonitorValueColumn] = MonitorValueText(words, r.format, 0);
        }
    }
}

void MonitorModel::PollFile(MonitorLink& link) {
    // The station bits of the two serial ports; a port whose read failed has none.
    uint16_t stations[2][16] = {};
    const bool haveStations[2] = {link.ReadContactWords(0, stations[0]) == 0,
                                  link.ReadContactWords(20, stations[1]) == 0};
    const int count = ReadWordCount();
    if (count <= 0)
        return;
    std::vector<uint16_t> block(static_cast<size_t>(count));
    if (link.ReadDataWords(group_ * 1000, count, block.data()) != 0) {
        link.CloseSession(); // the next poll opens the link again
        SetAll(kNoValue);
        return;
    }
    const int perItem = files_[static_cast<size_t>(group_)].U8(file::kWide64) != 0 ? 4 : 2;
    const int decimals = files_[0].U8(file::kDecimals);
    for (MonitorRow& row : rows_) {
        std::wstring& cell = row.cells[kMonitorValueColumn];
        row.on = false;
        const DeviceRecord& r = row.record;
        const int port = r.U8(dev::kPort);
        bool valid = true;
        if (port == 1 || port == 2)
            valid =
                haveStations[port - 1] && TestContactBit(stations[port - 1], r.U8(dev::kStation));
        const long first = (static_cast<long>(row.number) - 1) * perItem;
        if (!valid || row.number < 1 || first + perItem > count) {
            cell = kNoValue;
            continue;
        }
        // Only the item's own words: a 64-bit type in a 2-word file must not
        // take its neighbour's.
        uint16_t words[4] = {};
        std::copy_n(block.begin() + first, perItem, words);
        int type;
        if (r.U8(dev::kIsRegister) == 0)
            type = r.U8(dev::kMode) == 0 ? kTypeOnOff : kTypeU32;
        else if (r.U8(dev::kScaleOn) != 0 && errorNotify21_ == 1)
            type = kTypeFloat;
        else
            type = r.U8(dev::kDataType);
        cell = MonitorValueText(words, type, decimals);
        row.on = type == kTypeOnOff && cell == L"ON";
    }
}

namespace {
const char kConfigSection[] = "Settings\\Config";
const char* const kRectNames[] = {"MoniDlg Left", "MoniDlg Top", "MoniDlg Width", "MoniDlg Height"};
} // namespace

MonitorRect LoadMonitorRect(const ProfileStore& profile) {
    int32_t v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = static_cast<int32_t>(profile.ReadNumber(kConfigSection, kRectNames[i]).value_or(0));
    return {v[0], v[1], v[2], v[3]};
}

void SaveMonitorRect(ProfileStore& profile, const MonitorRect& rect) {
    const int32_t v[4] = {rect.left, rect.top, rect.width, rect.height};
    for (int i = 0; i < 4; ++i)
        profile.WriteNumber(kConfigSection, kRectNames[i], static_cast<uint32_t>(v[i]));
}

} // namespace qv
