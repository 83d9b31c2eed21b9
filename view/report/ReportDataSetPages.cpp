// The pages of the data sets in use, one row per data set.
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

constexpr unsigned kStrTitle = 9600, kStrHeadingFirst = 9601, kStrNoTrigger = 9606,
                   kStrFlagOn = 9608, kStrFlagOff = 9609;
constexpr int kTargetContact = 0, kTargetRegister = 1;

const Columns kColumns = {0, 300, 2950, 4500, 8500, 10400};

std::wstring TriggerText(const ImageBlocks& image, int number, uint32_t codePage) {
    return number == 0 ? ResString(kStrNoTrigger) : TriggerRef(image, number, codePage);
}

std::wstring TargetText(const DataSetRecord& r, const UnitBlock& unit) {
    const int port = r.U8(dset::kPort);
    const int kind = r.U8(dset::kTargetKind);
    const int code = r.U8(dset::kArea);
    const uint32_t address = r.U32(dset::kAddress);
    std::wstring value;
    if (kind == kTargetContact)
        value = r.U32(dset::kValue32) == 0 ? L"OFF" : L"ON";
    else if (kind == kTargetRegister)
        value =
            FormatValueByType(r.U8(dset::kDataType), r.U32(dset::kValue32), r.U64(dset::kValue64));
    const std::wstring flag = ResString(r.U8(dset::kFlag) != 0 ? kStrFlagOn : kStrFlagOff);
    return PlaceText(port, r.U8(dset::kStation), code, address, kind == kTargetContact, unit) +
           L"=" + value + L" " + flag;
}

} // namespace

void PrintEntryPage(const ReportSource& source, ReportPage& page) {
    const PageLayout& layout = source.layout;
    const int p = page.Number();
    const int firstPage = 5 + layout.triggerPages + layout.devicePages;
    if (p < firstPage || p >= firstPage + layout.dataSetPages)
        return;
    const ImageBlocks& image = source.image;
    PrintTablePage(
        page, layout, p - firstPage, ResString(kStrTitle), kColumns, kStrHeadingFirst,
        DataSetsInUse(image), [&](int line, int index) {
            const DataSetRecord& d = image.dataSets[static_cast<size_t>(index)];
            PrintRowCell(page, line, kColumns, 0, NumberColumn(index + 1), Align::Centre);
            PrintRowCell(page, line, kColumns, 1,
                         L" " + ReadTextField(d.data() + dset::kName, kNameWidth, source.codePage));
            PrintRowCell(page, line, kColumns, 2,
                         L" " + TriggerText(image, d.U8(dset::kTrigger), source.codePage));
            PrintRowCell(page, line, kColumns, 3, L" " + TargetText(d, image.unit));
            PrintRowCell(page, line, kColumns, 4,
                         L" " + TriggerText(image, d.U8(dset::kTrigger2), source.codePage));
        });
}

} // namespace qv::report
