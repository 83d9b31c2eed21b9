// The settings wizard's model: what it builds into the settings image, and
// what it refuses on the way.
#include <gtest/gtest.h>

#include <cstring>

#include "document/CodePageText.h"
#include "editors/devices/PlcRegisterModel.h"
#include "editors/wizard/WizardModel.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/WizardImageDiff.h"

namespace qv::test {
namespace {

class WizardModelTest : public ::testing::Test {
protected:
    ScopedLanguage language{kEnglish};
    WizardModel wizard{kCodePageJapanese};

    WizardUnitForm Unit(const std::wstring& name, std::array<uint8_t, 4> address,
                        bool option = false) {
        WizardUnitForm f;
        f.name = name;
        f.address = address;
        f.option = option;
        return f;
    }
    WizardDeviceForm Device(const std::wstring& name) {
        WizardDeviceForm f = wizard.LoadDevice();
        f.name = name;
        return f;
    }
    // Next on the device page: the check, then the save.
    Refusal NextDevice(const WizardDeviceForm& f) {
        const Refusal r = wizard.CheckDevice(f);
        return r.Refused() ? r : wizard.SaveDevice(f, false);
    }
    // The document the wizard's Finish leaves, against a new one.
    std::vector<std::string> FinishedDifference() {
        CQuorvelDoc factory(kCodePageJapanese);
        CQuorvelDoc doc(kCodePageJapanese);
        FillKitchenSink(doc);
        wizard.Finish(doc, true);
        EXPECT_EQ(doc.writeRequested, 1u);
        EXPECT_TRUE(doc.IsUnmodified() == false);
        return DescribeDifference(factory.Blocks(), doc.Blocks(), kCodePageJapanese);
    }
};

const std::vector<std::string> kWizardTriggers = {
    "TriggerTable[0].Name: \"\" -> \"Every 30 minutes\"",
    "TriggerTable[0].Kind: 0 -> 1",
    "TriggerTable[0].Minutes: 0 -> 30",
    "TriggerTable[0].CycleUnit: 0 -> 1",
    "TriggerTable[1].Name: \"\" -> \"Daily at 00:00:05\"",
    "TriggerTable[1].Kind: 0 -> 2",
    "TriggerTable[1].Seconds: 0 -> 5",
    "TriggerTable[1].Repeat: 0 -> 3",
};

const std::vector<std::string> kWizardFile = {
    "FileTable[0].Name: \"\" -> \"Line1\"",
    "FileTable[0].Trigger: 0 -> 1",
    "FileTable[0].SecondTrigger: 0 -> 2",
    "FileTable[0].BySecondTrigger: 0 -> 1",
};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(WizardModelTest, OneRowGolden) {
    ASSERT_FALSE(wizard.SaveUnit(Unit(L"Plant A", {10, 0, 0, 20}, true)).Refused());
    WizardFileForm file{L"Line1", 1};
    ASSERT_FALSE(wizard.CheckFileName(file).Refused());
    ASSERT_FALSE(wizard.SaveFile(file).Refused());
    WizardDeviceForm d = Device(L"Meter 1");
    wizard.ChangePort(d, 0);
    d.station = 3;
    wizard.PowerPreset(d); // register 100, 32-bit, scale 0.01, "kWh"
    d.mode = 4;
    d.difference = 9;
    ASSERT_FALSE(NextDevice(d).Refused());

    const std::vector<std::string> expected = Join({
        {"UnitBlock.Name: \"Brellox\" -> \"Plant A\"", "UnitBlock.UnitOption: 0 -> 1"},
        kWizardTriggers,
        kWizardFile,
        {
            "DeviceTable[0].Name: \"\" -> \"Meter 1\"",
            "DeviceTable[0].Number: 0 -> 1",
            "DeviceTable[0].FileNo: 0 -> 1",
            "DeviceTable[0].Port: 0 -> 1",
            "DeviceTable[0].Station: 0 -> 3",
            "DeviceTable[0].Area: 0 -> 15",
            "DeviceTable[0].Address: 0 -> 100",
            "DeviceTable[0].Mode: 0 -> 4",
            "DeviceTable[0].DataType: 0 -> 4",
            "DeviceTable[0].DifferenceParam: 0 -> 9",
            "DeviceTable[0].ScalingOn: 0 -> 1",
            "DeviceTable[0].Scale: 0 (0x00000000) -> 0.01 (0x3c23d70a)",
            "DeviceTable[0].UnitText: \"\" -> \"kWh\"",
        },
        {"IpBlock.Address: 192.168.1.5 -> 10.0.0.20"},
    });
    EXPECT_EQ(FinishedDifference(), expected);
}

TEST_F(WizardModelTest, ThreeRowGolden) {
    ASSERT_FALSE(wizard.SaveUnit(Unit(L"Brellox", {192, 168, 1, 5})).Refused());
    ASSERT_FALSE(wizard.SaveFile({L"Line1", 1}).Refused());
    // Row 1: a new row as it shows, on port 2 with its lowest station.
    ASSERT_FALSE(NextDevice(Device(L"Flow")).Refused());
    ASSERT_TRUE(wizard.AddRow());
    WizardDeviceForm d = Device(L"Level");
    d.reg = L"32767";
    d.dataType = 1;
    d.station = 99;
    ASSERT_FALSE(NextDevice(d).Refused());
    ASSERT_TRUE(wizard.AddRow());
    d = Device(L"Temp");
    wizard.ChangePort(d, 0); // serial port 1 offers station 0 first
    d.reg = L"7";
    d.scaling = true;
    d.scale = L"-1.5";
    d.unitText = L"C";
    ASSERT_FALSE(NextDevice(d).Refused());

    auto device = [](int i, const char* name, const char* port, const char* station,
                     const char* address, const char* type) {
        std::vector<std::string> lines;
        const std::string r = "DeviceTable[" + std::to_string(i) + "].";
        lines.push_back(r + "Name: \"\" -> \"" + name + "\"");
        lines.push_back(r + "Number: 0 -> " + std::to_string(i + 1));
        lines.push_back(r + "FileNo: 0 -> 1");
        lines.push_back(r + "Port: 0 -> " + port);
        lines.push_back(r + "Station: 0 -> " + station);
        lines.push_back(r + "Area: 0 -> 15");
        if (std::strcmp(address, "0") != 0)
            lines.push_back(r + "Address: 0 -> " + address);
        if (std::strcmp(type, "0") != 0)
            lines.push_back(r + "DataType: 0 -> " + type);
        return lines;
    };
    std::vector<std::string> temp = device(2, "Temp", "1", "0", "7", "0");
    temp.erase(temp.begin() + 4); // station 0 is no change
    temp.push_back("DeviceTable[2].ScalingOn: 0 -> 1");
    temp.push_back("DeviceTable[2].Scale: 0 (0x00000000) -> -1.5 (0xbfc00000)");
    temp.push_back("DeviceTable[2].UnitText: \"\" -> \"C\"");
    const std::vector<std::string> expected = Join({
        kWizardTriggers,
        kWizardFile,
        device(0, "Flow", "2", "1", "0", "0"),
        device(1, "Level", "2", "99", "32767", "1"),
        temp,
    });
    EXPECT_EQ(FinishedDifference(), expected);
}

TEST_F(WizardModelTest, UnitPageRefusals) {
    struct Case {
        std::wstring name;
        std::array<uint8_t, 4> address;
        bool valid;
        unsigned message;
        int field;
    };
    const Case cases[] = {
        {L"", {192, 168, 0, 1}, true, 0, 0},
        {std::wstring(32, L'n'), {223, 255, 255, 255}, true, 0, 0},
        {std::wstring(33, L'n'), {10, 0, 0, 1}, true, 20000, kWizFieldUnitName},
        {std::wstring(16, L'\x8868'), {10, 0, 0, 1}, true, 0, 0}, // 32 bytes
        {std::wstring(17, L'\x8868'), {10, 0, 0, 1}, true, 20000, kWizFieldUnitName},
        {L"\x0e01", {10, 0, 0, 1}, true, kMsgTextNotInCodePage, kWizFieldUnitName},
        {L"u", {127, 0, 0, 1}, true, kMsgWizardBadAddress, kWizFieldAddress},
        {L"u", {0, 1, 2, 3}, true, kMsgWizardBadAddress, kWizFieldAddress},
        {L"u", {224, 0, 0, 1}, true, kMsgWizardBadAddress, kWizFieldAddress},
        {L"u", {10, 0, 0, 1}, false, kMsgWizardBadAddress, kWizFieldAddress},
    };
    for (const Case& c : cases) {
        WizardModel w(kCodePageJapanese);
        WizardUnitForm form = Unit(c.name, c.address);
        form.addressValid = c.valid;
        const Refusal r = w.SaveUnit(form);
        EXPECT_EQ(r.messageId, c.message) << c.name.size();
        EXPECT_EQ(r.field, c.field);
        if (c.message == 0) {
            EXPECT_EQ(w.LoadUnit().name, c.name);
        }
    }
}

TEST_F(WizardModelTest, TextFieldsArePaddedOverTheirWidth) {
    ASSERT_FALSE(wizard.SaveUnit(Unit(std::wstring(32, L'x'), {10, 0, 0, 1})).Refused());
    ASSERT_FALSE(wizard.SaveUnit(Unit(L"AB", {10, 0, 0, 1})).Refused());
    const uint8_t* name = wizard.Unit().data() + unit::kName;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(name), 2), "AB");
    for (size_t i = 2; i < kNameWidth; ++i)
        EXPECT_EQ(name[i], 0) << i;

    WizardDeviceForm d = Device(std::wstring(32, L'y'));
    d.scaling = true;
    d.scale = L"2";
    d.unitText = L"kWh";
    ASSERT_FALSE(NextDevice(d).Refused());
    d.name = L"Z";
    d.unitText = L"V";
    ASSERT_FALSE(NextDevice(d).Refused());
    const DeviceRecord& r = wizard.Devices()[0];
    EXPECT_EQ(FieldValue(r.data(), kDeviceFields[0], kCodePageJapanese), "\"Z\"");
    EXPECT_EQ(FieldValue(r.data() + dev::kUnitText, kDeviceFields.back(), kCodePageJapanese),
              "\"V\"");
}

TEST_F(WizardModelTest, FileNameChecks) {
    struct Case {
        std::wstring name;
        unsigned message;
        bool balloon;
    };
    const Case cases[] = {
        {L"Line1", 0, false},
        // Second bytes 0x5C and 0x7C are parts of characters, not "\" or "|".
        {L"\x8868\x30bd\x30dd", 0, false},
        {L"a.b", 39600, true},
        {L"a|b", 39600, true},
        {L" lead", 20144, true},
        {L"", 20145, true},
        {std::wstring(33, L'f'), 20000, false},
        // The history files' names, whatever the letter case.
        {L"Trigger", 20142, false},
        {L"SYSTEM", 20142, false},
    };
    for (const Case& c : cases) {
        const Refusal r = wizard.CheckFileName({c.name, 0});
        EXPECT_EQ(r.messageId, c.message) << c.name.size();
        EXPECT_EQ(r.balloon, c.balloon);
        if (c.message) {
            EXPECT_EQ(r.field, kWizFieldFileName);
        }
    }
}

TEST_F(WizardModelTest, BackCutsAFileNameOnACharacterBoundary) {
    // Back stores without the checks; a name too long is cut, never inside a
    // double-byte character.
    const std::wstring wide(17, L'\x8868');
    ASSERT_FALSE(wizard.SaveFile({L"a" + wide, 2}).Refused());
    EXPECT_EQ(wizard.LoadFile().name, L"a" + wide.substr(0, 15));
    EXPECT_EQ(wizard.Files()[0].U8(31), 0);
    EXPECT_EQ(wizard.LoadFile().interval, 2);
    const TriggerRecord& t = wizard.Triggers()[0];
    EXPECT_EQ(t.U8(trig::kCycleHours), 1);
    EXPECT_EQ(t.U8(trig::kCycleMinutes), 0);
    EXPECT_EQ(wizard.SaveFile({L"\x0e01", 0}).messageId, kMsgTextNotInCodePage);
}

TEST_F(WizardModelTest, DevicePageRefusals) {
    struct Case {
        const char* what;
        void (*change)(WizardDeviceForm&);
        unsigned message;
        int field;
    };
    const Case cases[] = {
        {"no name", [](WizardDeviceForm& f) { f.name.clear(); }, 20266, kWizFieldDeviceName},
        {"comma", [](WizardDeviceForm& f) { f.name = L"a,b"; }, 39200, kWizFieldDeviceName},
        {"quote", [](WizardDeviceForm& f) { f.name = L"a\"b"; }, 39200, kWizFieldDeviceName},
        {"tab", [](WizardDeviceForm& f) { f.name = L"a\tb"; }, 39200, kWizFieldDeviceName},
        {"long name", [](WizardDeviceForm& f) { f.name = std::wstring(33, L'n'); }, 20000,
         kWizFieldDeviceName},
        {"empty register", [](WizardDeviceForm& f) { f.reg.clear(); }, 20263, kWizFieldRegister},
        {"register 32768", [](WizardDeviceForm& f) { f.reg = L"32768"; }, 20263, kWizFieldRegister},
        {"register 12a", [](WizardDeviceForm& f) { f.reg = L"12a"; }, 20263, kWizFieldRegister},
        {"register +5", [](WizardDeviceForm& f) { f.reg = L"+5"; }, 20263, kWizFieldRegister},
        {"register 1 2", [](WizardDeviceForm& f) { f.reg = L"1 2"; }, 20263, kWizFieldRegister},
        {"station 0 on port 2", [](WizardDeviceForm& f) { f.station = 0; }, 46301,
         kWizFieldStation},
        {"station 100", [](WizardDeviceForm& f) { f.station = 100; }, 46301, kWizFieldStation},
        {"empty scale",
         [](WizardDeviceForm& f) {
             f.scaling = true;
             f.scale.clear();
         },
         46300, kWizFieldScale},
        {"zero scale",
         [](WizardDeviceForm& f) {
             f.scaling = true;
             f.scale = L"0.000";
         },
         46300, kWizFieldScale},
        {"scale letters",
         [](WizardDeviceForm& f) {
             f.scaling = true;
             f.scale = L"1e3";
         },
         20007, kWizFieldScale},
        {"scale 7 digits",
         [](WizardDeviceForm& f) {
             f.scaling = true;
             f.scale = L"1.234567";
         },
         20008, kWizFieldScale},
        {"unit 5 bytes", [](WizardDeviceForm& f) { f.unitText = L"kWhXX"; }, 20002,
         kWizFieldUnitText},
        {"unit 4 bytes", [](WizardDeviceForm& f) { f.unitText = L"\x8868\x8868"; }, 0, 0},
        {"register 32767", [](WizardDeviceForm& f) { f.reg = L"32767"; }, 0, 0},
        {"scaling off ignores the scale", [](WizardDeviceForm& f) { f.scale = L"junk"; }, 0, 0},
    };
    for (const Case& c : cases) {
        WizardModel w(kCodePageJapanese);
        WizardDeviceForm f = w.LoadDevice();
        f.name = L"Dev";
        c.change(f);
        Refusal r = w.CheckDevice(f);
        if (!r.Refused())
            r = w.SaveDevice(f, false);
        EXPECT_EQ(r.messageId, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
}

TEST_F(WizardModelTest, StationsAreTheDeviceEditorsAndEveryRecordPassesItsPage) {
    const UnitBlock& unit = wizard.Unit();
    const std::vector<int> port1 = WizardStations(0, unit);
    const std::vector<int> port2 = WizardStations(1, unit);
    ASSERT_EQ(port1.size(), 100u);
    EXPECT_EQ(port1.front(), 0);
    EXPECT_EQ(port1.back(), 99);
    ASSERT_EQ(port2.size(), 99u);
    EXPECT_EQ(port2.front(), 1);
    EXPECT_EQ(port2.back(), 99);
    UnitBlock funcCodes = unit;
    funcCodes.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
    EXPECT_EQ(WizardStations(1, funcCodes).back(), 247);
    EXPECT_EQ(WizardStations(1, funcCodes).front(), 1);

    for (int port : {0, 1})
        for (int station : {WizardStations(port, unit).front(), 99}) {
            WizardModel w(kCodePageJapanese);
            WizardDeviceForm f = w.LoadDevice();
            f.name = L"Dev";
            w.ChangePort(f, port);
            f.station = station;
            w.PowerPreset(f);
            ASSERT_FALSE(w.SaveDevice(f, false).Refused());
            const DeviceRecord& r = w.Devices()[0];
            EXPECT_EQ(r.U8(dev::kStation), station);
            const PlcRegisterModel page(r.U8(dev::kPort), w.Unit(), false, kCodePageJapanese);
            EXPECT_FALSE(page.Check(page.Load(&r), false).Refused());
        }
}

TEST_F(WizardModelTest, RowsGrowToThreeHundredAndMoveWithinThem) {
    for (int i = 1; i < kWizardDeviceRows; ++i)
        ASSERT_TRUE(wizard.AddRow());
    EXPECT_FALSE(wizard.AddRow());
    EXPECT_EQ(wizard.LastRow(), kWizardDeviceRows - 1);
    EXPECT_FALSE(wizard.MoveRow(1));
    EXPECT_TRUE(wizard.MoveRow(-1));
    EXPECT_EQ(wizard.ShownRow(), kWizardDeviceRows - 2);
    const WizardDeviceView view = wizard.DeviceView(wizard.LoadDevice());
    EXPECT_EQ(view.counter, L"299 / 300");
    EXPECT_TRUE(view.nextEnabled);
}

TEST_F(WizardModelTest, NewRowShowsPortTwoStationOneAndEmptyScale) {
    const WizardDeviceForm f = wizard.LoadDevice();
    EXPECT_EQ(f.port, 1);
    EXPECT_EQ(f.station, 1);
    EXPECT_EQ(f.reg, L"0");
    EXPECT_EQ(f.difference, 6);
    EXPECT_FALSE(f.scaling);
    EXPECT_TRUE(f.scale.empty());
    EXPECT_TRUE(f.unitText.empty());
    EXPECT_FALSE(wizard.DeviceView(f).differenceEnabled);
}

} // namespace
} // namespace qv::test
