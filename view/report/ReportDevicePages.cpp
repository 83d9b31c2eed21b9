// The device pages: each log file with devices starts its own run of pages.
#include <cstring>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/PlaceText.h"
#include "document/StringTable.h"
#include "document/ValueText.h"
#include "view/report/ReportSections.h"
#include "view/report/ReportTableText.h"

namespace qv::report {

using namespace tables;

namespace {

constexpr unsigned kStrTitle = 9500, kStrHeadingFirst = 9501, kStrDifference = 4300,
                   kStrScale = 4301, kStrContactValue = 5143;
constexpr int kFileCount = 16;

const Columns kColumns = {0, 600, 3300, 5350, 6800, 10400};

bool IsContact(const DeviceRecord& r) {
    return r.U8(dev::kIsRegister) == 0;
}

std::wstring ValueTypeText(const DeviceRecord& r, uint32_t codePage) {
    if (IsContact(r))
        return r.U8(dev::kMode) == 0 ? ResString(kStrContactValue) : GetDataTypeName(kTypeU32);
    std::wstring text;
    if (r.U8(dev::kIsRegister) == 1)
        text = GetDataTypeName(r.U8(dev::kDataType));
    if (r.U8(dev::kScaleOn) == 1) {
        const uint32_t bits = r.U32(dev::kScale);
        float scale;
        std::memcpy(&scale, &bits, sizeof scale);
        text += FormatChecked(kStrScale, "s", {FormatFloatText(scale)});
    }
    text += L" " + ReadTextField(r.data() + dev::kUnitText, dev::kUnitTextWidth, codePage);
    if (const int extra = r.U8(dev::kExtra); extra != 0)
        text += FormatChecked(kStrDifference, "d", {std::to_wstring(extra)});
    return text;
}

void PrintDeviceRow(const ReportSource& source, ReportPage& page, int line, const DeviceRecord& r) {
    const int mode = r.U8(dev::kMode);
    std::wstring number = std::to_wstring(r.U16(dev::kNumber));
    if (number.size() < 4)
        number.insert(0, 4 - number.size(), L' ');
    PrintRowCell(page, line, kColumns, 0, L"  " + number + L"  ", Align::Centre);
    PrintRowCell(page, line, kColumns, 1,
                 L" " + ReadTextField(r.data() + dev::kName, kNameWidth, source.codePage));
    PrintRowCell(page, line, kColumns, 2,
                 L" " + PlaceText(r.U8(dev::kPort), r.U8(dev::kStation), r.U8(dev::kArea),
                                  r.U32(dev::kAddress), IsContact(r), source.image.unit));
    PrintRowCell(page, line, kColumns, 3,
                 L" " + (IsContact(r) ? GetContactModeName(mode) : GetRegisterModeName(mode)));
    PrintRowCell(page, line, kColumns, 4, L" " + ValueTypeText(r, source.codePage));
}

} // namespace

void PrintRegisterPage(const ReportSource& source, ReportPage& page) {
    const PageLayout& layout = source.layout;
    const int p = page.Number();
    int end = 5 + layout.triggerPages;
    int fileNo = 0, firstPage = 0;
    for (int f = 1; f <= kFileCount && fileNo == 0; ++f) {
        end += layout.filePages[static_cast<size_t>(f - 1)];
        if (p < end) {
            fileNo = f;
            firstPage = end - layout.filePages[static_cast<size_t>(f - 1)];
        }
    }
    if (fileNo == 0 || p < firstPage)
        return;
    PrintTablePage(
        page, layout, p - firstPage, FormatChecked(kStrTitle, "d", {std::to_wstring(fileNo)}),
        kColumns, kStrHeadingFirst, DevicesOfFile(source.image, fileNo), [&](int line, int index) {
            PrintDeviceRow(source, page, line, source.image.devices[static_cast<size_t>(index)]);
        });
}

} // namespace qv::report
