// A readable difference between two settings images: one line per changed
// field of the records a wizard writes ("DeviceTable[0].Station: 0 -> 3"),
// and byte runs for anything else that changed.
#pragma once
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/CodePageText.h"
#include "document/SettingsImage.h"

namespace qv::test {

enum class FieldKind { Text, U8, U16, U32, Float, Ipv4 };

struct NamedField {
    size_t offset;
    size_t width;
    const char* name;
    FieldKind kind;
};

inline const std::vector<NamedField> kUnitFields = {
    {0x00, 32, "Name", FieldKind::Text},
    {0x30, 1, "UnitOption", FieldKind::U8},
};
inline const std::vector<NamedField> kIpFields = {
    {0x00, 4, "Address", FieldKind::Ipv4},
};
inline const std::vector<NamedField> kTriggerFields = {
    {0x00, 32, "Name", FieldKind::Text},   {0x20, 1, "Kind", FieldKind::U8},
    {0x22, 1, "Seconds", FieldKind::U8},   {0x23, 1, "Minutes", FieldKind::U8},
    {0x24, 1, "Hours", FieldKind::U8},     {0x25, 1, "Days", FieldKind::U8},
    {0x27, 1, "CycleUnit", FieldKind::U8}, {0x29, 1, "Repeat", FieldKind::U8},
};
inline const std::vector<NamedField> kFileFields = {
    {0x00, 32, "Name", FieldKind::Text},       {0x20, 4, "Count", FieldKind::U32},
    {0x24, 2, "Trigger", FieldKind::U16},      {0x26, 1, "Quantity", FieldKind::U8},
    {0x27, 1, "SecondTrigger", FieldKind::U8}, {0x2B, 1, "BySecondTrigger", FieldKind::U8},
};
inline const std::vector<NamedField> kDeviceFields = {
    {0x00, 32, "Name", FieldKind::Text},    {0x20, 2, "Number", FieldKind::U16},
    {0x22, 1, "FileNo", FieldKind::U8},     {0x23, 1, "Port", FieldKind::U8},
    {0x24, 1, "Station", FieldKind::U8},    {0x27, 1, "Area", FieldKind::U8},
    {0x28, 4, "Address", FieldKind::U32},   {0x2C, 1, "Mode", FieldKind::U8},
    {0x2D, 1, "DataType", FieldKind::U8},   {0x2E, 1, "DifferenceParam", FieldKind::U8},
    {0x33, 1, "DeviceType", FieldKind::U8}, {0x34, 1, "MeterKind", FieldKind::U8},
    {0x35, 1, "DeviceKind", FieldKind::U8}, {0x37, 1, "ScalingOn", FieldKind::U8},
    {0x38, 4, "Scale", FieldKind::Float},   {0x44, 4, "UnitText", FieldKind::Text},
};

inline std::string FieldValue(const uint8_t* p, const NamedField& f, uint32_t codePage) {
    char text[64];
    uint32_t v = 0;
    for (size_t i = 0; i < f.width && i < 4; ++i)
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    switch (f.kind) {
    case FieldKind::Text: {
        // The bytes up to the first NUL, with anything left after it shown too.
        const std::string s = FieldBytes(p, f.width);
        std::string out = "\"" + s + "\"";
        for (size_t i = s.size(); i < f.width; ++i)
            if (p[i] != 0)
                return out + " +stale";
        return out;
    }
    case FieldKind::Float: {
        float x = 0;
        std::memcpy(&x, &v, sizeof x);
        std::snprintf(text, sizeof text, "%g (0x%08x)", static_cast<double>(x), v);
        return text;
    }
    case FieldKind::Ipv4:
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", p[0], p[1], p[2], p[3]);
        return text;
    default:
        std::snprintf(text, sizeof text, "%u", v);
        return text;
    }
}

// One block or record: its named fields, then runs of other changed bytes.
inline void DiffRecord(const std::string& where, const uint8_t* a, const uint8_t* b, size_t size,
                       const std::vector<NamedField>& fields, uint32_t codePage,
                       std::vector<std::string>& out) {
    std::vector<bool> named(size, false);
    for (const NamedField& f : fields) {
        for (size_t i = 0; i < f.width; ++i)
            named[f.offset + i] = true;
        if (std::memcmp(a + f.offset, b + f.offset, f.width) != 0)
            out.push_back(where + "." + f.name + ": " + FieldValue(a + f.offset, f, codePage) +
                          " -> " + FieldValue(b + f.offset, f, codePage));
    }
    for (size_t i = 0; i < size; ++i) {
        if (named[i] || a[i] == b[i])
            continue;
        size_t end = i;
        while (end < size && !named[end] && a[end] != b[end])
            ++end;
        char text[64];
        std::snprintf(text, sizeof text, "+0x%03zx..0x%03zx changed", i, end - 1);
        out.push_back(where + text);
        i = end;
    }
}

template <class Table>
void DiffTable(const char* name, const Table& a, const Table& b,
               const std::vector<NamedField>& fields, uint32_t codePage,
               std::vector<std::string>& out) {
    for (size_t r = 0; r < Table::kCount; ++r)
        DiffRecord(std::string(name) + "[" + std::to_string(r) + "]", a[r].data(), b[r].data(),
                   a[r].kSize, fields, codePage, out);
}

// Every difference from `before` to `after`, in image order.
inline std::vector<std::string> DescribeDifference(const ImageBlocks& before,
                                                   const ImageBlocks& after, uint32_t codePage) {
    std::vector<std::string> out;
    DiffRecord("UnitBlock", before.unit.data(), after.unit.data(), UnitBlock::kSize, kUnitFields,
               codePage, out);
    DiffTable("TriggerTable", before.triggers, after.triggers, kTriggerFields, codePage, out);
    DiffTable("FileTable", before.files, after.files, kFileFields, codePage, out);
    DiffTable("DeviceTable", before.devices, after.devices, kDeviceFields, codePage, out);
    DiffRecord("IpBlock", before.ip.data(), after.ip.data(), IpBlock::kSize, kIpFields, codePage,
               out);
    // Every other block must not change at all.
    for (int i = 0; i < kBlockCount; ++i) {
        if (i == kBlockUnit || i == kBlockTriggers || i == kBlockFiles || i == kBlockDevices ||
            i == kBlockIp)
            continue;
        const BlockInfo& info = kBlockLayout[i];
        DiffRecord(info.name, before.raw() + info.offset, after.raw() + info.offset, info.size, {},
                   codePage, out);
    }
    return out;
}

} // namespace qv::test
