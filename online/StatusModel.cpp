#include "online/StatusModel.h"

#include <cstdio>
#include <iterator>

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "link/UnitSession.h"

namespace qv {

namespace {

constexpr unsigned kStrGaugeNone = 9030;
constexpr unsigned kStrModeNone = 9031;
constexpr unsigned kStrProgram = 9077;
constexpr unsigned kStrRun = 9078;

struct CodeText {
    uint16_t code;
    unsigned id;
};

const CodeText kErrorTexts[] = {{1, 9032},  {42, 9033}, {48, 9034},   {50, 9035}, {80, 9036},
                                {81, 9037}, {85, 9038}, {89, 9039},   {90, 9041}, {91, 9042},
                                {92, 9043}, {95, 9044}, {65535, 9040}};
const CodeText kPort1[] = {{5, 9046}};
const CodeText kPort2[] = {{49, 9047}, {51, 9048}, {52, 9049}, {53, 9050},
                           {54, 9051}, {57, 9052}, {58, 9053}, {59, 9054}};
const CodeText kPort3[] = {{62, 9055}, {63, 9056}, {64, 9057}, {66, 9058},
                           {67, 9059}, {68, 9060}, {69, 9061}};
const CodeText kPort4[] = {{13, 9068}, {24, 9069}, {25, 9080}, {26, 9071}, {28, 9070}, {29, 9081}};
const CodeText kPort5[] = {{70, 9072}, {71, 9073}, {72, 9074}, {73, 9075}, {75, 9076}, {76, 9079}};
const CodeText kPort6[] = {{40, 9062}, {41, 9063}, {42, 9064}, {60, 9065}, {61, 9066}, {74, 9067}};

template <size_t N> unsigned Find(const CodeText (&table)[N], uint16_t code) {
    for (const CodeText& t : table)
        if (t.code == code)
            return t.id;
    return 0;
}

std::wstring Printf(const wchar_t* fmt, unsigned a, unsigned b, unsigned c = 0, unsigned d = 0,
                    unsigned e = 0, unsigned f = 0) {
    wchar_t buf[64];
    std::swprintf(buf, std::size(buf), fmt, a, b, c, d, e, f);
    return buf;
}

unsigned High(uint32_t word) {
    return (word >> 8) & 0xFF;
}
unsigned Low(uint32_t word) {
    return word & 0xFF;
}

bool SameGauge(const Gauge& a, const Gauge& b) {
    for (int i = 0; i < 2; ++i)
        if (a.sectors[i].start != b.sectors[i].start || a.sectors[i].end != b.sectors[i].end ||
            a.sectors[i].colour != b.sectors[i].colour)
            return false;
    return true;
}

constexpr const wchar_t* kClockNone = L"--/--/-- --:--:--";
constexpr const wchar_t* kAddressNone = L"   .   .   .   ";
constexpr const wchar_t* kCounterNone = L"---";

} // namespace

Gauge CalcGauge(uint64_t capacity, uint64_t used) {
    Gauge g;
    if (capacity < used)
        capacity = used = 0;
    if (capacity == 0)
        return g; // grey disc
    // 128 bits: (c - v) * 360 does not fit 64 bits for capacities above 2^55.
    __extension__ typedef unsigned __int128 u128;
    const auto f = static_cast<int32_t>(u128{capacity - used} * 360 / capacity);
    const auto u = static_cast<int32_t>(u128{used} * 360 / capacity);
    g.sectors[0] = {-90, f - 90, kGaugeFree};
    g.sectors[1] = {f - 90, f + u - 90, kGaugeUsed};
    // A used share that rounds to 0 degrees would draw as a whole disc.
    if (capacity - used > used && u == 0)
        g.sectors[1].colour = kGaugeFree;
    return g;
}

std::wstring FormatWithSeparators(uint64_t value) {
    const std::wstring digits = std::to_wstring(value);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += L',';
        out += digits[i];
    }
    return out;
}

unsigned ErrorCodeTextId(uint16_t code) {
    const unsigned id = Find(kErrorTexts, code);
    return id ? id : kStrNoError;
}

unsigned PortStatusTextId(int table, uint16_t code) {
    switch (table) {
    case 1:
        return Find(kPort1, code);
    case 2:
        return Find(kPort2, code);
    case 3:
        return Find(kPort3, code);
    case 4:
        return Find(kPort4, code);
    case 5:
        return Find(kPort5, code);
    case 6:
        return Find(kPort6, code);
    default:
        return 0;
    }
}

void MessageRows(const MonitorRegisters& m, std::wstring (&rows)[5]) {
    for (std::wstring& r : rows)
        r.clear();
    if (ErrorCodeTextId(m.Dt90000) == kStrNoError)
        return;
    struct Source {
        int table;
        uint16_t word;
        const wchar_t* prefix;
    };
    const Source sources[] = {
        {1, m.Dt90140, L""},      {2, m.Dt90143, L""},      {3, m.Dt90144, L""},
        {4, m.Dt90135, L""},      {5, m.Dt90145, L"TCP1 "}, {6, m.Dt90131, L"COM1 "},
        {6, m.Dt90132, L"COM2 "}, {6, m.Dt90148, L"USB "},  {6, m.Dt90146, L"TCP1 "},
        {6, m.Dt90147, L"TCP2 "},
    };
    size_t row = 0;
    for (const Source& s : sources) {
        const unsigned id = PortStatusTextId(s.table, s.word);
        if (id == 0 || id == kStrNoError)
            continue;
        const std::wstring text = ResString(id);
        if (text.empty())
            continue;
        rows[row++] = s.prefix + text;
        if (row == std::size(rows))
            break;
    }
}

std::wstring AddressText(uint32_t words) {
    const uint32_t hi = words >> 16, lo = words & 0xFFFF;
    if (High(hi) == 0)
        return {};
    return Printf(L"%u.%u.%u.%u", High(hi), Low(hi), High(lo), Low(lo));
}

void FillStatusTexts(const UnitStatusFields& status, const MonitorRegisters& m,
                     const uint8_t (&writeTime)[6], const char* unitName, const char* writeUser,
                     uint32_t codePage, StatusTexts& out) {
    out.error = ResString(ErrorCodeTextId(m.Dt90000));
    MessageRows(m, out.rows);
    out.clock = L"20" + Printf(L"%02X/%02X/%02X %02X:%02X:%02X", High(m.Dt90056), Low(m.Dt90056),
                               High(m.Dt90055), Low(m.Dt90055), High(m.Dt90054), Low(m.Dt90054));
    out.mode = ResString(status.Running() ? kStrRun : kStrProgram);
    out.version = m.Dt90222 != 0 ? Printf(L"%u.%02u%u", High(m.Dt90153), Low(m.Dt90153), m.Dt90222)
                                 : Printf(L"%u.%02u", High(m.Dt90153), Low(m.Dt90153));
    out.unitName = MultiToWide(unitName, 32, codePage);
    out.writeDate = Printf(L"%04u/%02u/%02u %02u:%02u:%02u", 2000u + writeTime[0], writeTime[1],
                           writeTime[2], writeTime[3], writeTime[4], writeTime[5]);
    out.writeUser = MultiToWide(writeUser, 56, codePage);
    const uint32_t addresses[] = {m.Dt90154, m.Dt90156, m.Dt90158, m.Dt90160, m.Dt90162};
    for (size_t i = 0; i < std::size(addresses); ++i)
        out.addresses[i] = AddressText(addresses[i]);
    const uint32_t mac = m.Dt90150;
    out.hardwareAddress =
        Printf(L"%02X-%02X-%02X-%02X-%02X-%02X", High(mac & 0xFFFF), Low(mac & 0xFFFF),
               High(mac >> 16), Low(mac >> 16), High(m.Dt90152), Low(m.Dt90152));
    out.counters[0] = FormatWithSeparators(m.Dt90028 & 0xFFFF);
    out.counters[1] = FormatWithSeparators(m.Dt90030 & 0xFFFF);
    out.counters[2] = FormatWithSeparators(m.Dt90170);
}

void StatusPoll::ShowPlaceholders() {
    texts_.error = L"--------";
    texts_.clock = kClockNone;
    texts_.mode = ResString(kStrModeNone);
    texts_.version = L"-.--";
    texts_.unitName.clear();
    texts_.writeDate = kClockNone;
    texts_.writeUser.clear();
    texts_.addresses[0] = texts_.addresses[1] = kAddressNone;
    texts_.addresses[2].clear();
    texts_.addresses[3] = texts_.addresses[4] = kAddressNone;
    texts_.hardwareAddress = L"  -  -  -  -  -  ";
    // Counters left from the last read would look live.
    for (std::wstring& counter : texts_.counters)
        counter = kCounterNone;
    for (auto& gauge : texts_.gauge)
        for (std::wstring& t : gauge)
            t = ResString(kStrGaugeNone);
}

Gauge StatusPoll::DrawnGauge(int index) const {
    if (failed_) {
        Gauge white;
        for (GaugeSector& s : white.sectors)
            s.colour = kGaugeFailed;
        return white;
    }
    return gauges_[index == 0 ? 0 : 1];
}

bool StatusPoll::Refresh() {
    if (failed_) {
        ShowPlaceholders();
        return false;
    }
    if (link_.FetchStatus() != 0 || link_.ReadMonitorValues() != 0) {
        failed_ = true;
        ShowPlaceholders();
        return true; // the discs turn white
    }
    link_.ReadStatusBlocks();
    const Gauge before[2] = {gauges_[0], gauges_[1]};
    Fill();
    return !SameGauge(before[0], gauges_[0]) || !SameGauge(before[1], gauges_[1]);
}

void StatusPoll::Fill() {
    const MonitorRegisters& m = link_.MonitorValues;
    FillStatusTexts(link_.UnitStatus, m, link_.LastWriteTime, link_.UnitNameText,
                    link_.LastWriteUser, link_.CodePage, texts_);
    const int firsts[2] = {90200, 90208};
    for (int i = 0; i < 2; ++i) {
        uint64_t capacity = m.Get64(firsts[i]), used = m.Get64(firsts[i] + 4);
        if (capacity < used)
            capacity = used = 0;
        gauges_[i] = CalcGauge(capacity, used);
        texts_.gauge[i][0] = FormatWithSeparators(capacity - used);
        texts_.gauge[i][1] = FormatWithSeparators(used);
        texts_.gauge[i][2] = FormatWithSeparators(capacity);
    }
}

void StatusPoll::SendCode1D5() {
    if (link_.SendCode1D5() != 0)
        failed_ = true;
}

} // namespace qv
