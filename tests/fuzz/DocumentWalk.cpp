#include "tests/fuzz/DocumentWalk.h"

#include <cstring>
#include <memory>

#include "document/CodePageText.h"
#include "document/CodeText.h"
#include "document/CyclePeriod.h"
#include "document/StringTable.h"
#include "tests/fuzz/FuzzSupport.h"

namespace qv::fuzz {

namespace {

// Every number has a text, so the code-to-text paths run to their end.
class AnyText : public StringTable {
public:
    const char* FindUtf8(unsigned) const override { return "Text"; }
};

template <class Table> void ReadNames(const Table& table, uint32_t codePage) {
    for (size_t i = 0; i < Table::kCount; ++i)
        ReadTextField(table[i].data(), kNameWidth, codePage);
}

void WalkAreaLists(const UnitBlock& unit) {
    for (int port = 0; port < 3; ++port) {
        PortUsesFuncCodes(port, unit);
        for (int kind : {kReadContacts, kReadRegisters})
            for (int i = 0; GetReadAreaItem(port, kind, i, unit).code != -1; ++i)
                Expect(i < 64, "read area list ends");
        for (int kind : {kWriteContact, kWriteRegister})
            for (int i = 0; GetWriteAreaItem(port, kind, i, unit).code != -1; ++i)
                Expect(i < 64, "write area list ends");
    }
}

} // namespace

void WalkDocument(CQuorvelDoc& doc) {
    static const AnyText texts;
    SetActiveStringTable(&texts);
    const ImageBlocks& b = doc.Blocks();
    const uint32_t cp = doc.CodePage();

    const UnitBlock& u = b.unit;
    ReadTextField(u.data() + unit::kName, kNameWidth, cp);
    for (int p = 0; p < 2; ++p) {
        const size_t rec = unit::PortRecordOffset(p);
        const uint8_t format = u.U8(rec + portrec::kFormat);
        GetBaudRateName(u.U8(rec + portrec::kBaud));
        GetDataLengthName(portrec::DataLength(format));
        GetParityName(portrec::Parity(format));
        GetStopBitsName(portrec::StopBits(format));
        GetPortProtocolName(u.U8(rec + portrec::kProtocol));
        GetPortRoleName(u.U8(rec + portrec::kRole));
    }
    GetUnitOptionName(u.U8(unit::kUnitOption));
    GetPortOptionName(u.U8(unit::kPortOptions) & 0xF);
    GetPortOptionName(u.U8(unit::kPortOptions) >> 4);
    WalkAreaLists(u);

    for (size_t i = 0; i < TriggerTable::kCount; ++i) {
        const TriggerRecord& t = b.triggers[i];
        GetTriggerKindName(t.U8(trig::kKind));
        GetCyclePeriod(t);
        GetPortName(t.U8(trig::kPort));
        GetAreaName(t.U8(trig::kArea));
        GetContactConditionName(t.U8(trig::kContactCondition));
        GetDataTypeName(t.U8(trig::kRegDataType));
        GetCompareOpName(t.U8(trig::kRegCompare));
        GetCombiOpName(t.U8(trig::kCombiOperator));
    }
    ReadNames(b.triggers, cp);
    ReadNames(b.files, cp);
    ReadNames(b.devices, cp);
    ReadNames(b.dataSets, cp);

    for (size_t i = 0; i < DeviceTable::kCount; ++i) {
        const DeviceRecord& d = b.devices[i];
        GetDeviceTypeName(d.U8(dev::kDeviceType));
        GetDeviceKindName(d.U8(dev::kIsRegister));
        GetPortName(d.U8(dev::kPort));
        GetPortPrintName(d.U8(dev::kPort));
        GetAreaName(d.U8(dev::kArea));
        GetFuncCodeName(d.U8(dev::kArea));
        GetDataTypeName(d.U8(dev::kDataType));
        GetRegisterModeName(d.U8(dev::kMode));
        GetContactModeName(d.U8(dev::kMode));
        GetContactOptionName(d.U8(dev::kExtra));
        GetMeterKindName(d.U8(dev::kMeterKind));
        GetScaleChoiceName(d.U8(dev::kScaleOn));
        ReadTextField(d.data() + dev::kUnitText, dev::kUnitTextWidth, cp);
        GetReadAreaItem(d.U8(dev::kPort), d.U8(dev::kIsRegister) ? kReadRegisters : kReadContacts,
                        d.U8(dev::kArea), u);
    }
    for (size_t i = 0; i < DataSetTable::kCount; ++i) {
        const DataSetRecord& s = b.dataSets[i];
        GetWriteAreaItem(s.U8(dset::kPort), s.U8(dset::kTargetKind), s.U8(dset::kArea), u);
        GetDataTypeName(s.U8(dset::kDataType));
    }
    // The editors look devices up by the numbers the table itself holds.
    const DeviceRecord& first = b.devices[0];
    const int fileNo = first.U8(dev::kFile);
    const int deviceNo = first.U16(dev::kNumber);
    for (int mode = 0; mode < 3; ++mode) {
        const int found = CQuorvelDoc::FindDeviceRecord(b.devices, fileNo, deviceNo, mode);
        Expect(found >= -1 && found < static_cast<int>(dev::kUsedCount), "device index");
    }
    doc.SetStationFlagsFromDevice(b.devices, deviceNo, fileNo);
    StationList stations;
    const size_t n = doc.GetSelectedStations(stations);
    Expect(n >= 1 && n <= kStationCount, "station count");

    for (size_t i = 0; i < MailSendTable::kCount; ++i)
        ReadTextField(b.mailSends[i].data() + msend::kText, msend::kTextWidth, cp);
    for (size_t i = 0; i < MailBlock::kCount; ++i)
        GetMailAuthName(b.mail[i].U8(mailsrv::kAuth));
    for (size_t i = 0; i < UserTable::kCount; ++i) {
        ReadTextField(b.users[i].data() + user::kAddress, user::kAddressWidth, cp);
        ReadTextField(b.users[i].data() + user::kName, user::kNameWidth, cp);
    }
    ReadTextField(b.writeStamp.data() + stamp::kUserName, stamp::kUserNameWidth, cp);
    SetActiveStringTable(nullptr);
}

void ExpectSameBlocks(const CQuorvelDoc& doc, const uint8_t* image) {
    auto back = std::make_unique<TransferImage>();
    Expect(doc.DocToImage(*back) == kBlocksSize, "DocToImage fills the blocks");
    Expect(std::memcmp(back->data(), image, kBlocksSize) == 0,
           "the blocks come back as they were taken");
}

} // namespace qv::fuzz
