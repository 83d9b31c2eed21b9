// The overview of the sixteen log files: each file's number, name and how
// many devices it records, and a total row. Read-only: nothing is stored.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr int kDeviceOverviewSlot = 10; // its column widths in the profile (read only)
constexpr unsigned kStrOverviewHeadings[4] = {0, 3061, 3062, 3063}; // 0: hidden column
constexpr unsigned kStrOverviewTotal = 3064;
constexpr size_t kOverviewColumnCount = 4;
constexpr size_t kOverviewFileRows = 16;
constexpr size_t kOverviewRowCount = kOverviewFileRows + 1; // the total row last

// Records of a log file among the first 300 (the rest of the table is never in use).
int CountFileDevices(const DeviceTable& devices, int fileNo);

struct OverviewRow {
    std::wstring hidden; // column 0, never shown: the total text on the total row
    std::wstring number; // "%d" of the file, or the total text
    std::wstring name;
    std::wstring count; // "%d"; the sum of the sixteen on the total row
};
// Rows 0..15 for log files 1..16, then the total.
std::vector<OverviewRow> DeviceOverviewRows(const FileTable& files, const DeviceTable& devices,
                                            uint32_t codePage);

enum class OverviewShade { Plain, Alternate, Total };
// Every second file row is shaded, the total row in a colour of its own.
OverviewShade OverviewRowShade(size_t row);
// The shades as 0x00RRGGBB.
constexpr uint32_t kOverviewAlternateRgb = 0xCCFFFF;
constexpr uint32_t kOverviewTotalRgb = 0xFFCCCC;

// Default widths, replaced by a stored width above 0; column 0 is always 0.
std::array<ColumnLayout, kOverviewColumnCount>
DeviceOverviewColumns(const std::array<int32_t, 10>& storedWidths);

} // namespace qv
