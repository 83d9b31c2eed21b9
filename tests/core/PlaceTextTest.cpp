// One place prints one way: the device list, the monitor, the report's
// device and trigger pages and the trigger conditions word a device's or a
// trigger's port, station and address alike.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/DeviceRowText.h"
#include "document/PlaceText.h"
#include "document/TriggerText.h"
#include "online/MonitorModel.h"
#include "tests/core/LanguageFixture.h"
#include "view/report/ReportLayout.h"

namespace qv {
namespace {

constexpr int kAreaX = 0, kAreaR = 2, kAreaWR = 13, kAreaDT = 15;
constexpr int kFuncHoldingRegisters = 3;

struct Place {
    const char* what;
    int port, station, area;
    uint32_t address;
    bool contact;
    const wchar_t* text; // in English
};

// clang-format off
const Place kPlaces[] = {
    {"a register on a station", kPortSerial1, 5, kAreaDT, 120, false, L"Serial port 1 St.05 DT120"},
    {"a contact on a station", kPortSerial1, 31, kAreaX, 16 * 100 + 5, true, L"Serial port 1 St.31 X1005"},
    {"a station 0 on a serial port", kPortSerial1, 0, kAreaDT, 7, false, L"Serial port 1 St.00 DT7"},
    {"a port read by function codes", kPortSerial2, 7, kFuncHoldingRegisters, 0x1A, false,
     L"Serial port 2 St.07 03001A"},
    {"the unit's own contact", kPortUnit, 0, kAreaR, 0x2B, true, L"Internal R2B"},
    {"the unit names no station", kPortUnit, 9, kAreaWR, 100, false, L"Internal WR100"},
    {"a word address is never negative", kPortUnit, 0, kAreaDT, 0xFFFFFFFFu, false,
     L"Internal DT4294967295"},
};
// clang-format on

class PlaceTextTest : public ::testing::Test {
protected:
    test::ScopedLanguage english{test::kEnglish};
    std::unique_ptr<ImageBlocks> blocks = std::make_unique<ImageBlocks>();

    PlaceTextTest() {
        // Port 2 reads by function codes.
        blocks->unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
        for (size_t i = 0; i < std::size(kPlaces); ++i) {
            const Place& p = kPlaces[i];
            DeviceRecord& d = blocks->devices[i];
            d.SetU8(dev::kFile, 1);
            d.SetU16(dev::kNumber, static_cast<uint16_t>(i + 1));
            d.SetU8(dev::kPort, static_cast<uint8_t>(p.port));
            d.SetU8(dev::kStation, static_cast<uint8_t>(p.station));
            d.SetU8(dev::kArea, static_cast<uint8_t>(p.area));
            d.SetU32(dev::kAddress, p.address);
            d.SetU8(dev::kIsRegister, p.contact ? 0 : 1);
            TriggerRecord& t = blocks->triggers[i];
            t.SetU8(trig::kKind, p.contact ? kTriggerContact : kTriggerRegister);
            t.SetU8(trig::kPort, static_cast<uint8_t>(p.port));
            t.SetU8(trig::kStation, static_cast<uint8_t>(p.station));
            t.SetU8(trig::kArea, static_cast<uint8_t>(p.area));
            t.SetU32(trig::kAddress, p.address);
        }
    }
};

// Whether the page prints `text` in one of its table cells.
bool PrintsCell(const report::ReportPage& page, const std::wstring& text) {
    for (const report::PrintRecord& r : page.Records())
        if (r.kind == report::PrintRecord::Kind::Cell && r.text == text)
            return true;
    return false;
}

TEST_F(PlaceTextTest, OnePlacePrintsOneWayEverywhere) {
    MonitorModel monitor(blocks->files, kCodePageJapanese);
    monitor.FillGroup(0, *blocks);
    ASSERT_EQ(monitor.Rows().size(), std::size(kPlaces));
    const report::Report report(*blocks, kCodePageJapanese, L"Places.qv");
    const int triggerPage = 5, devicePage = triggerPage + report.Layout().triggerPages;
    const report::ReportPage triggers = report.BuildPage(triggerPage);
    const report::ReportPage devices = report.BuildPage(devicePage);

    for (size_t i = 0; i < std::size(kPlaces); ++i) {
        const Place& p = kPlaces[i];
        SCOPED_TRACE(p.what);
        const std::wstring text = p.text;
        EXPECT_EQ(PlaceText(p.port, p.station, p.area, p.address, p.contact, blocks->unit), text);
        const int index = static_cast<int>(i);
        EXPECT_EQ(
            FormatDeviceRow(blocks->devices, index, index + 1, blocks->unit, kCodePageJapanese)
                .address,
            text)
            << "device list";
        EXPECT_EQ(monitor.Rows()[i].cells[2], text) << "monitor";
        EXPECT_TRUE(PrintsCell(devices, L" " + text)) << "report, device page";
        const std::wstring condition = TriggerConditionText(blocks->triggers, index, blocks->unit,
                                                            kCodePageJapanese, kTriggerReportStyle);
        EXPECT_EQ(condition.substr(0, text.size() + 1), text + L" ") << "trigger condition";
        EXPECT_TRUE(PrintsCell(triggers, L" " + condition)) << "report, trigger page";
    }
}

// The trigger list names the function code before its digits.
TEST_F(PlaceTextTest, TheTriggerListNamesTheFunctionCode) {
    EXPECT_EQ(PlaceText(kPortSerial2, 7, kFuncHoldingRegisters, 0x1A, false, blocks->unit, true),
              L"Serial port 2 St.07 03: Read Holding Registers03001A");
    const int index = 3; // the place read by function codes
    EXPECT_EQ(TriggerConditionText(blocks->triggers, index, blocks->unit, kCodePageJapanese,
                                   kTriggerListStyle)
                  .rfind(L"Serial port 2 St.07 03: Read Holding Registers03001A ", 0),
              0u);
}

} // namespace
} // namespace qv
