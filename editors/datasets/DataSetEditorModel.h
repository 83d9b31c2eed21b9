// The data-set editor's model: one record's form, the area list and address
// rules of its port, and the check and store that write the record once per
// chosen station into the table.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/AddressText.h"
#include "document/CodeText.h"
#include "document/ListFillers.h"
#include "document/QuorvelDoc.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kMsgNameTooLong = 20000;
constexpr unsigned kMsgNoRoomForStations = 20155;
constexpr unsigned kMsgBadWordAddress = 20160;
constexpr unsigned kMsgPortNotUsable = 20442;
constexpr unsigned kMsgOverwriteFollowing = 39500;
constexpr unsigned kMsgValueNotOfType = 39501;
constexpr int kDataSetCount = 128;
constexpr int kDataTypeCount = 9;

enum DataSetField {
    kDsNone = 0,
    kDsName = 1110,
    kDsPort = 1111,
    kDsAddress = 1174,
    kDsValue = 1179,
    kDsTrigger = 1183,
    kDsTrigger2 = 1181,
};

// What the editor's controls hold. The byte fields carry the stored codes;
// a box without an entry for its code leaves the field as loaded, so the
// store keeps the byte.
struct DataSetForm {
    std::wstring name;
    int port = 0;
    int targetKind = 0; // 0 contact, 1 register
    int area = 0;       // area or function code
    std::wstring address;
    int dataType = 0;
    std::wstring value; // register value text
    int onOff = 0;      // contact value
    int option = 0;
    int trigger = 0;
    int trigger2 = 0;
    int flag = 0;      // 0: the first radio button
    int unchecked = 0; // 0: the check box is checked
};

constexpr size_t kDataSetCheckByte = 0x31;

DataSetForm LoadDataSetForm(const DataSetRecord& r, const UnitBlock& unit, uint32_t codePage);

// The areas (or function codes) a data set may write on the port.
std::vector<AreaItem> DataSetAreas(int port, int targetKind, const UnitBlock& unit);
// The entry the area box selects for a stored code: the code's own, else
// "DT" (15) when listed, else the first; -1 for an empty list.
int DataSetAreaEntry(const std::vector<AreaItem>& areas, int code);
// The code the label beside the area box shows: 6 reads 16 for wide types.
int ShownFuncCode(int code, int dataType);
// Longest address text.
size_t DataSetAddressChars(int port, int targetKind, const UnitBlock& unit);
bool DataSetOptionEnabled(int port, int dataType, const UnitBlock& unit);
// The station text beside the station button, from the document's flags
// (it may reset them to station 1 on a function-code port 1).
std::wstring DataSetStationText(int port, StationList& flags, const UnitBlock& unit);

// Writes the value of an out-of-range text, limited to the type's range.
void ClampValueByType(const std::wstring& text, int dataType, uint32_t& value32, uint64_t& value64,
                      uint32_t codePage);

// Writes the form into record `index` and one following record per further
// station (`stations` as GetSelectedStations lists them; ignored on port 0).
// The table changes only when nothing is refused and, with several
// stations, the user agreed to overwrite the following records.
struct DataSetStore {
    Refusal refusal;
    bool declined = false; // the user kept the following records
    bool stored = false;
};
DataSetStore StoreDataSets(DataSetTable& table, int index, const DataSetForm& form,
                           const std::vector<uint32_t>& stations, const UnitBlock& unit,
                           uint32_t codePage, EditorQuestions& questions);

} // namespace qv
