#include "editors/devices/DeviceOverviewModel.h"

#include "document/CodePageText.h"
#include "document/StringTable.h"

namespace qv {

namespace {
constexpr ColumnLayout kDefaultColumns[kOverviewColumnCount] = {
    {0, true}, {70, true}, {200, false}, {70, false}};
} // namespace

int CountFileDevices(const DeviceTable& devices, int fileNo) {
    int count = 0;
    for (size_t i = 0; i < dev::kUsedCount; ++i)
        if (devices[i].U8(dev::kFile) == fileNo)
            ++count;
    return count;
}

std::vector<OverviewRow> DeviceOverviewRows(const FileTable& files, const DeviceTable& devices,
                                            uint32_t codePage) {
    std::vector<OverviewRow> rows(kOverviewRowCount);
    int total = 0;
    for (size_t f = 0; f < kOverviewFileRows; ++f) {
        const int fileNo = static_cast<int>(f) + 1;
        const int count = CountFileDevices(devices, fileNo);
        total += count;
        rows[f].number = std::to_wstring(fileNo);
        rows[f].name = ReadTextField(files[f].data() + file::kName, kNameWidth, codePage);
        rows[f].count = std::to_wstring(count);
    }
    OverviewRow& last = rows.back();
    last.hidden = last.number = ResString(kStrOverviewTotal);
    last.count = std::to_wstring(total);
    return rows;
}

OverviewShade OverviewRowShade(size_t row) {
    if (row == kOverviewFileRows)
        return OverviewShade::Total;
    return row % 2 ? OverviewShade::Alternate : OverviewShade::Plain;
}

std::array<ColumnLayout, kOverviewColumnCount>
DeviceOverviewColumns(const std::array<int32_t, 10>& storedWidths) {
    std::array<ColumnLayout, kOverviewColumnCount> cols{};
    for (size_t c = 0; c < kOverviewColumnCount; ++c) {
        cols[c] = kDefaultColumns[c];
        if (c > 0 && storedWidths[c] > 0)
            cols[c].width = storedWidths[c];
    }
    return cols;
}

} // namespace qv
