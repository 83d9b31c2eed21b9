#include "editors/datasets/DataSetEditorModel.h"

#include <algorithm>
#include <cwctype>
#include <limits>
#include <optional>

#include "document/AddressText.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "document/ValueText.h"

namespace qv {

namespace {

bool IsSerial(int port) {
    return port == 1 || port == 2;
}

bool IsWideType(int dataType) {
    return dataType >= 3 && dataType <= 8;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// A decimal text's sign and magnitude, the magnitude held at the top of
// 64 bits instead of wrapping.
struct Decimal {
    bool negative = false;
    uint64_t magnitude = 0;
};
Decimal ReadDecimal(const std::wstring& text) {
    Decimal d;
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        d.negative = text[i++] == L'-';
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9')
            continue;
        const uint64_t digit = static_cast<uint64_t>(text[i] - L'0');
        d.magnitude = d.magnitude > (kMax - digit) / 10 ? kMax : d.magnitude * 10 + digit;
    }
    return d;
}

// The number limited to lo..hi.
int64_t Limit(const Decimal& d, int64_t lo, int64_t hi) {
    constexpr uint64_t kTop = uint64_t{1} << 63;
    if (d.negative) {
        if (lo >= 0 || d.magnitude >= kTop)
            return lo;
        return std::max(lo, -static_cast<int64_t>(d.magnitude));
    }
    return d.magnitude > static_cast<uint64_t>(hi) ? hi : static_cast<int64_t>(d.magnitude);
}

bool ReadHex(const std::wstring& text, uint64_t& value) {
    if (text.empty())
        return false;
    value = 0;
    for (wchar_t c : text) {
        int digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            return false;
        value = value > 0xFFFFFFFFull ? value : value * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

constexpr const wchar_t* kDecimalFormat = L"%u";

std::wstring Format(const wchar_t* format, unsigned value) {
    wchar_t buf[16];
    swprintf(buf, 16, format, value);
    return buf;
}

bool IsEmptyRecord(const DataSetRecord& r) {
    return std::all_of(r.bytes.begin(), r.bytes.end(), [](uint8_t b) { return b == 0; });
}

} // namespace

DataSetForm LoadDataSetForm(const DataSetRecord& r, const UnitBlock& unit, uint32_t codePage) {
    DataSetForm f;
    f.name = ReadTextField(r.data() + dset::kName, 32, codePage);
    f.port = r.U8(dset::kPort);
    f.targetKind = r.U8(dset::kTargetKind);
    f.area = r.U8(dset::kArea);
    f.dataType = r.U8(dset::kDataType);
    const uint32_t address = r.U32(dset::kAddress);
    if (PortUsesFuncCodes(f.port, unit))
        f.address = Format(L"%04X", address);
    else if (f.targetKind == 0)
        f.address = FormatBitAddress(address);
    else
        f.address = Format(kDecimalFormat, address);
    if (f.targetKind == 1)
        f.value = FormatValueByType(f.dataType, r.U32(dset::kValue32), r.U64(dset::kValue64));
    else
        f.onOff = static_cast<int>(std::min<uint32_t>(r.U32(dset::kValue32), 0x7FFFFFFF));
    f.option = r.U8(dset::kReserved22);
    f.trigger = r.U8(dset::kTrigger);
    f.trigger2 = r.U8(dset::kTrigger2);
    f.flag = r.U8(dset::kFlag);
    f.unchecked = r.U8(kDataSetCheckByte);
    return f;
}

std::vector<AreaItem> DataSetAreas(int port, int targetKind, const UnitBlock& unit) {
    std::vector<AreaItem> areas;
    for (int i = 0;; ++i) {
        AreaItem item = GetWriteAreaItem(port, targetKind, i, unit);
        if (item.code == -1)
            break;
        areas.push_back(std::move(item));
    }
    return areas;
}

int DataSetAreaEntry(const std::vector<AreaItem>& areas, int code) {
    if (areas.empty())
        return -1;
    for (size_t i = 0; i < areas.size(); ++i)
        if (areas[i].code == code)
            return static_cast<int>(i);
    for (size_t i = 0; i < areas.size(); ++i)
        if (areas[i].code == 15)
            return static_cast<int>(i);
    return 0;
}

int ShownFuncCode(int code, int dataType) {
    return code == 6 && IsWideType(dataType) ? 16 : code;
}

size_t DataSetAddressChars(int port, int targetKind, const UnitBlock& unit) {
    if (PortUsesFuncCodes(port, unit))
        return 4;
    return targetKind == 0 ? 4 : 5;
}

bool DataSetOptionEnabled(int port, int dataType, const UnitBlock& unit) {
    return PortUsesFuncCodes(port, unit) && IsWideType(dataType);
}

std::wstring DataSetStationText(int port, StationList& flags, const UnitBlock& unit) {
    if (!IsSerial(port))
        return std::wstring();
    size_t first = 0;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i] != 0) {
            first = i;
            break;
        }
    if (first > 0)
        return Format(kDecimalFormat, static_cast<unsigned>(first));
    if (port == 1 && !PortUsesFuncCodes(port, unit))
        return L"  "; // all stations
    flags.fill(0);
    flags[1] = 1;
    return L"1";
}

void ClampValueByType(const std::wstring& text, int dataType, uint32_t& value32, uint64_t& value64,
                      uint32_t codePage) {
    const Decimal d = ReadDecimal(text);
    const std::string multi = WideToMulti(text, codePage).value_or(std::string());
    switch (dataType) {
    case 0:
        value32 = static_cast<uint32_t>(static_cast<int32_t>(Limit(d, -32768, 32767)));
        break;
    case 1:
        value32 = static_cast<uint32_t>(Limit(d, 0, 65535));
        break;
    case 2:
        value32 = multi.size() > 4 ? 0 : HexTextToUInt(multi);
        break;
    case 3:
        value32 = static_cast<uint32_t>(static_cast<int32_t>(
            Limit(d, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
        break;
    case 4:
        value32 = static_cast<uint32_t>(Limit(d, 0, 0xFFFFFFFFll));
        break;
    case 5:
        value32 = multi.size() > 8 ? 0 : HexTextToUInt(multi);
        break;
    case 7:
        value64 = static_cast<uint64_t>(
            Limit(d, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()));
        break;
    case 8:
        value64 = d.negative ? 0 : d.magnitude;
        break;
    default:
        break;
    }
}

namespace {

// The address text's number, or the refusal.
Refusal ReadAddress(const DataSetForm& f, const UnitBlock& unit, uint32_t& address) {
    if (PortUsesFuncCodes(f.port, unit)) {
        uint64_t v = 0;
        if (!ReadHex(f.address, v))
            return Refuse(kMsgBadBitAddress, kDsAddress);
        if (v > 0xFFFF)
            return Refuse(kMsgBadWordAddress, kDsAddress);
        address = static_cast<uint32_t>(v);
    } else if (f.targetKind == 0) {
        if (!IsBitAddressText(f.area, f.address, f.port))
            return Refuse(kMsgBadBitAddress, kDsAddress);
        address = ParseBitAddress(Narrow(f.address));
    } else {
        if (!IsWordAddressText(f.area, f.address, f.port, kWordAreaByCode))
            return Refuse(kMsgBadWordAddress, kDsAddress);
        const Decimal d = ReadDecimal(f.address);
        if (d.magnitude > 0xFFFFFFFFull)
            return Refuse(kMsgBadWordAddress, kDsAddress);
        address = static_cast<uint32_t>(d.magnitude);
    }
    return {};
}

} // namespace

DataSetStore StoreDataSets(DataSetTable& table, int index, const DataSetForm& form,
                           const std::vector<uint32_t>& stations, const UnitBlock& unit,
                           uint32_t codePage, EditorQuestions& questions) {
    DataSetStore out;
    if (index < 0 || index >= kDataSetCount)
        return out;
    if (IsSerial(form.port) &&
        unit.U8(unit::PortRecordOffset(form.port - 1) + portrec::kRole) == 1) {
        out.refusal = Refuse(kMsgPortNotUsable, kDsPort);
        return out;
    }
    std::vector<uint32_t> list = stations;
    if (!IsSerial(form.port) || list.empty())
        list.assign(1, 0);
    if (static_cast<size_t>(index) + list.size() > kDataSetCount) {
        out.refusal = Refuse(kMsgNoRoomForStations, 0);
        return out;
    }
    const DataSetRecord& edited = table[static_cast<size_t>(index)];
    const std::optional<std::string> name =
        ShownTextToMulti(FieldBytes(edited.data() + dset::kName, 32), form.name, codePage);
    if (!name) {
        out.refusal = Refuse(kMsgTextNotInCodePage, kDsName);
        return out;
    }
    if (name->size() > 32) {
        out.refusal = Refuse(kMsgNameTooLong, kDsName, {16, 32});
        return out;
    }
    uint32_t address = 0;
    out.refusal = ReadAddress(form, unit, address);
    if (out.refusal.Refused())
        return out;

    // The value, once for every record.
    const bool isRegister = form.targetKind == 1;
    const bool knownType = form.dataType >= 0 && form.dataType < kDataTypeCount;
    uint32_t value32 = edited.U32(dset::kValue32);
    uint64_t value64 = edited.U64(dset::kValue64);
    if (isRegister && knownType) {
        const int rc = ParseValueByType(form.value, form.dataType, value32, value64, codePage);
        if (rc == kValueBadText) {
            out.refusal = Refuse(kMsgBadNumberText, kDsValue);
            return out;
        }
        if (rc == kValueOutOfRange)
            ClampValueByType(form.value, form.dataType, value32, value64, codePage);
    }

    if (list.size() > 1) {
        bool overwrites = false;
        for (size_t j = 1; j < list.size(); ++j)
            overwrites |= !IsEmptyRecord(table[static_cast<size_t>(index) + j]);
        if (overwrites && !questions.AskYesNo(kMsgOverwriteFollowing)) {
            out.declined = true;
            return out;
        }
    }

    DataSetTable scratch = table;
    const DataSetRecord original = edited;
    for (size_t j = 0; j < list.size(); ++j) {
        DataSetRecord& r = scratch[static_cast<size_t>(index) + j];
        std::fill_n(r.data() + dset::kName, 32, uint8_t{0});
        std::copy(name->begin(), name->end(), r.data() + dset::kName);
        r.SetU8(dset::kTrigger, static_cast<uint8_t>(form.trigger));
        r.SetU8(dset::kPort, static_cast<uint8_t>(form.port));
        if (form.port == 1)
            r.SetU8(dset::kStation, static_cast<uint8_t>(list[j]));
        else if (form.port == 2)
            r.SetU8(dset::kStation, static_cast<uint8_t>(list[j] == 0 ? 1 : list[j]));
        else if (form.port == 0)
            r.SetU8(dset::kStation, 0);
        else
            r.SetU8(dset::kStation, original.U8(dset::kStation));
        r.SetU8(dset::kTargetKind, static_cast<uint8_t>(form.targetKind));
        int area = form.area;
        r.SetU32(dset::kAddress, address);
        if (form.targetKind == 0) {
            r.SetU8(dset::kDataType, 0);
            r.SetU32(dset::kValue32, static_cast<uint32_t>(form.onOff));
            r.SetU8(dset::kReserved22, 0);
        } else if (isRegister) {
            r.SetU8(dset::kDataType, static_cast<uint8_t>(form.dataType));
            if (knownType) {
                if (form.dataType >= 7)
                    r.SetU64(dset::kValue64, value64);
                else
                    r.SetU32(dset::kValue32, value32);
            } else {
                r.SetU32(dset::kValue32, original.U32(dset::kValue32));
                r.SetU64(dset::kValue64, original.U64(dset::kValue64));
            }
            if (IsWideType(form.dataType)) {
                r.SetU8(dset::kReserved22, static_cast<uint8_t>(form.option));
                if (PortUsesFuncCodes(form.port, unit))
                    area = ShownFuncCode(area, form.dataType);
            } else if (knownType) {
                r.SetU8(dset::kReserved22, 0);
            } else {
                r.SetU8(dset::kReserved22, static_cast<uint8_t>(form.option));
            }
        } else {
            // A target kind the editor does not know: its fields stay as loaded.
            r.SetU8(dset::kDataType, original.U8(dset::kDataType));
            r.SetU32(dset::kValue32, original.U32(dset::kValue32));
            r.SetU64(dset::kValue64, original.U64(dset::kValue64));
            r.SetU8(dset::kReserved22, original.U8(dset::kReserved22));
        }
        r.SetU8(dset::kArea, static_cast<uint8_t>(area));
        r.SetU8(dset::kTrigger2, static_cast<uint8_t>(form.trigger2));
        r.SetU8(dset::kFlag, static_cast<uint8_t>(form.flag));
        r.SetU8(kDataSetCheckByte, static_cast<uint8_t>(form.unchecked));
    }
    table = scratch;
    out.stored = true;
    return out;
}

} // namespace qv
