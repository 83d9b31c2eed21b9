#include "editors/datasets/DataSetListModel.h"

#include "document/AddressText.h"
#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/StringTable.h"
#include "document/ValueText.h"

namespace qv {

namespace {
constexpr unsigned kStrNoTrigger = 9045;
constexpr unsigned kStrStation = 4059;
constexpr unsigned kStrFlagFirst = 8110;
constexpr unsigned kStrFlagSecond = 8111;

std::wstring Printf(const wchar_t* format, unsigned value) {
    wchar_t buf[16];
    swprintf(buf, 16, format, value);
    return buf;
}

std::wstring TriggerText(const TriggerTable& triggers, int number, uint32_t codePage) {
    if (number == 0)
        return ResString(kStrNoTrigger);
    const TriggerRecord& t = triggers[static_cast<size_t>(number - 1)];
    return L"No." + std::to_wstring(number) + L"(" +
           ReadTextField(t.data() + trig::kName, kNameWidth, codePage) + L")";
}
} // namespace

bool IsUnusedDataSet(const DataSetRecord& r) {
    for (size_t off : {dset::kName, dset::kTrigger, dset::kFlag, dset::kPort, dset::kTargetKind,
                       dset::kDataType, dset::kStation, dset::kArea, dset::kTrigger2})
        if (r.U8(off) != 0)
            return false;
    return r.U32(dset::kAddress) == 0 && r.U32(dset::kValue32) == 0;
}

DataSetRowText FormatDataSetRow(const DataSetTable& dataSets, const TriggerTable& triggers,
                                const UnitBlock& unit, int row, uint32_t codePage) {
    DataSetRowText t;
    t.number = std::to_wstring(row + 1);
    const DataSetRecord& d = dataSets[static_cast<size_t>(row)];
    if (IsUnusedDataSet(d))
        return t;
    t.name = ReadTextField(d.data() + dset::kName, kNameWidth, codePage);
    t.trigger = TriggerText(triggers, d.U8(dset::kTrigger), codePage);
    t.trigger2 = TriggerText(triggers, d.U8(dset::kTrigger2), codePage);

    const int port = d.U8(dset::kPort);
    const int kind = d.U8(dset::kTargetKind);
    const bool funcCodes = PortUsesFuncCodes(port, unit);
    std::wstring value;
    if (kind == 0)
        value = d.U32(dset::kValue32) != 0 ? L"ON" : L"OFF";
    else if (kind == 1)
        value =
            FormatValueByType(d.U8(dset::kDataType), d.U32(dset::kValue32), d.U64(dset::kValue64));
    const uint32_t address = d.U32(dset::kAddress);
    const std::wstring addressText = funcCodes   ? Printf(L"%04X", address)
                                     : kind == 0 ? FormatBitAddress(address)
                                                 : Printf(L"%u", address);
    std::wstring station;
    if (port == 1 || port == 2) {
        const int s = d.U8(dset::kStation);
        station = s > 0 ? L" " + ResString(kStrStation) + std::to_wstring(s) : L" ";
    }
    const std::wstring flag = ResString(d.U8(dset::kFlag) == 0 ? kStrFlagFirst : kStrFlagSecond);
    const int area = d.U8(dset::kArea);
    if (funcCodes)
        t.target = GetPortName(port) + station + L" " + GetFuncCodeName(area) + L" " +
                   Printf(L"%02X", static_cast<unsigned>(area)) + addressText + L"=" + value +
                   L" " + flag;
    else
        t.target = GetPortName(port) + station + L" " + GetAreaName(area) + addressText + L"=" +
                   value + L" " + flag;
    return t;
}

bool DeleteDataSets(DataSetTable& table, const std::vector<int>& checkedRows,
                    EditorQuestions& questions, Refusal& refusal) {
    refusal = {};
    if (checkedRows.empty()) {
        refusal = Refuse(kMsgNothingChecked, 0);
        return false;
    }
    if (!questions.AskYesNo(kMsgDeleteChecked))
        return false;
    for (int row : checkedRows)
        if (row >= 0 && static_cast<size_t>(row) < DataSetTable::kCount)
            table[static_cast<size_t>(row)].Clear();
    return true;
}

} // namespace qv
