// A settings image with every table section of the report filled: every
// trigger kind and data type, devices in two files on every port form, data
// sets, mail sendings with recipients, and the odd values the pages must
// print soundly (numbers past the last trigger, full-width names, the widest
// bit address).
#pragma once
#include "document/SettingsImage.h"
#include "tests/core/ReportTableFixtures.h"

namespace qv::test::tablepages {

namespace rich {

template <size_t N> void Name(ByteBlock<N>& r, const char* bytes) {
    SetField(r.data(), kNameWidth, bytes);
}

inline void Watch(TriggerRecord& r, TriggerKind kind, uint8_t port, uint8_t station, uint8_t code,
                  uint32_t address) {
    r.SetU8(trig::kKind, kind);
    r.SetU8(trig::kPort, port);
    r.SetU8(trig::kStation, station);
    r.SetU8(trig::kArea, code);
    r.SetU32(trig::kAddress, address);
}

inline void Compare(TriggerRecord& r, uint8_t type, uint8_t op, uint64_t first, uint64_t second) {
    r.SetU8(trig::kRegDataType, type);
    r.SetU8(trig::kRegCompare, op);
    r.SetU32(trig::kRegValue1Low, static_cast<uint32_t>(first));
    r.SetU32(trig::kRegValue1High, static_cast<uint32_t>(first >> 32));
    r.SetU32(trig::kRegValue2Low, static_cast<uint32_t>(second));
    r.SetU32(trig::kRegValue2High, static_cast<uint32_t>(second >> 32));
}

inline void Device(DeviceRecord& d, const char* name, int number, int fileNo, int port, int station,
                   int code, uint32_t address, bool reg, int mode, int type) {
    Name(d, name);
    d.SetU16(dev::kNumber, static_cast<uint16_t>(number));
    d.SetU8(dev::kFile, static_cast<uint8_t>(fileNo));
    d.SetU8(dev::kPort, static_cast<uint8_t>(port));
    d.SetU8(dev::kStation, static_cast<uint8_t>(station));
    d.SetU8(dev::kArea, static_cast<uint8_t>(code));
    d.SetU32(dev::kAddress, address);
    d.SetU8(dev::kIsRegister, reg ? 1 : 0);
    d.SetU8(dev::kMode, static_cast<uint8_t>(mode));
    d.SetU8(dev::kDataType, static_cast<uint8_t>(type));
}

} // namespace rich

// Port 1 reads by memory areas, port 2 by function codes.
inline void FillRichReport(ImageBlocks& b) {
    using namespace rich;
    b.unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);

    // Triggers: every kind, every repeat type, every data type.
    TriggerTable& t = b.triggers;
    Name(t[0], "Every 15 min");
    t[0].SetU8(trig::kKind, kTriggerCycle);
    t[0].SetU8(trig::kCycleMinutes, 15);
    t[0].SetU8(trig::kCycleUnit, 1);
    const uint8_t repeats[7][7] = {// repeat, year, month, day, hour, minute, second
                                   {0, 0, 0, 0, 0, 0, 5},    {1, 0, 0, 0, 0, 7, 5},
                                   {2, 0, 0, 0, 8, 5, 0},    {3, 0, 0, 0, 23, 59, 0},
                                   {4, 0, 0, 32, 23, 59, 0}, {5, 0, 12, 1, 0, 0, 0},
                                   {6, 24, 3, 1, 8, 30, 0}};
    for (size_t i = 0; i < 7; ++i) {
        TriggerRecord& r = t[1 + i];
        r.SetU8(trig::kKind, kTriggerDate);
        r.SetU8(trig::kDateRepeat, repeats[i][0]);
        r.SetU8(trig::kDateYear, repeats[i][1]);
        r.SetU8(trig::kDateMonth, repeats[i][2]);
        r.SetU8(trig::kDateDay, repeats[i][3]);
        r.SetU8(trig::kDateHour, repeats[i][4]);
        r.SetU8(trig::kDateMinute, repeats[i][5]);
        r.SetU8(trig::kDateSecond, repeats[i][6]);
        r.SetU8(trig::kDateWeekdays, 0x05);
    }
    Name(t[1], "\x89\xB7\x93\x78"); // a code-page 932 name
    Name(t[8], "Pump running");
    Watch(t[8], kTriggerContact, 0, 0, 2, 26 * 16 + 5);
    Watch(t[9], kTriggerContact, 1, 3, 0, 0xFFFFFFFFu); // the widest bit address
    t[9].SetU8(trig::kContactCondition, 3);
    t[9].SetU32(trig::kContactCount, 10);
    t[9].SetU8(trig::kFlag, 1);
    Watch(t[10], kTriggerContact, 2, 12, 2, 0x1A);
    t[10].SetU8(trig::kContactCondition, 4);
    t[10].SetU32(trig::kContactCount, 4000000000u);
    const uint64_t values[9][2] = {{0xFFFFFFFFu, 0},
                                   {65535, 0},
                                   {0xFF, 0},
                                   {5, 6},
                                   {10, 4294967295u},
                                   {0xDEADBEEFu, 0},
                                   {0x3FC00000u, 0xC0100000u},
                                   {~0ull, 0x100000000ull},
                                   {~0ull, 0}};
    for (size_t type = 0; type < 9; ++type) {
        TriggerRecord& r = t[11 + type];
        Watch(r, kTriggerRegister, 0, 0, 15, static_cast<uint32_t>(100 + type));
        Compare(r, static_cast<uint8_t>(type), static_cast<uint8_t>(type % 4), values[type][0],
                values[type][1]);
    }
    Name(t[11], "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"); // all 32 bytes
    t[11].SetU8(trig::kRegBracket, 1);
    t[14].SetU8(trig::kRegOption, 1); // operator 3 with the previous value
    Watch(t[15], kTriggerRegister, 2, 247, 3, 0x64);
    t[15].SetU8(trig::kFlag, 1);
    Watch(t[16], kTriggerRegister, 0, 0, 13, 0xFFFFFFFFu);
    Name(t[20], "Both");
    t[20].SetU8(trig::kKind, kTriggerCombination);
    t[20].SetU8(trig::kCombiFirst, 8);
    t[20].SetU8(trig::kCombiOperator, 1);
    t[20].SetU8(trig::kCombiSecond, 128); // past the last trigger: no name
    Name(t[21], "Unknown kind");
    t[21].SetU8(trig::kKind, 7);
    Name(t[128], "Beyond");
    t[128].SetU8(trig::kKind, kTriggerCycle); // past the last trigger: not printed
    Name(t[127], "Last trigger");

    // Files: every form of the trigger and last columns.
    FileTable& f = b.files;
    Name(f[0], "Temperature");
    f[0].SetU16(file::kTrigger, 1);
    f[0].SetU8(file::kNumber2, 7);
    f[0].SetU32(file::kNumber, 600);
    Name(f[1], "Flow");
    f[1].SetU16(file::kTrigger, 128);
    f[1].SetU8(file::kSelector, 1);
    f[1].SetU8(file::kTrigger2, 5);
    f[2].SetU16(file::kTrigger, 300); // no trigger 300: no name
    f[2].SetU8(file::kSelector, 1);   // second trigger 0: no name
    f[2].SetU32(file::kNumber, 0xFFFFFFFFu);
    Name(f[15], "abcdefghijklmnopqrstuvwxyz012345");
    Name(f[file::kSystemHistoryIndex], "System");
    f[file::kSystemHistoryIndex].SetU16(file::kTrigger, 9);
    f[file::kSystemHistoryIndex].SetU32(file::kNumber, 600);
    Name(f[file::kTriggerHistoryIndex], "Trigger");
    f[file::kTriggerHistoryIndex].SetU8(file::kSelector, 1);
    f[file::kTriggerHistoryIndex].SetU8(file::kTrigger2, 21);

    // Devices of files 1 and 3; numbers in table order, with gaps.
    DeviceTable& d = b.devices;
    Device(d[0], "Lamp", 3, 1, 0, 0, 2, 26 * 16 + 5, false, 0, 0);
    Device(d[1], "Door", 1, 1, 1, 3, 0, 0xFFFFFFFFu, false, 1, 0);
    for (int type = 0; type < 9; ++type)
        Device(d[2 + static_cast<size_t>(type)], "Level", 10 + type, 1, 1, 1, 15,
               static_cast<uint32_t>(200 + type), true, type % 3, type);
    Device(d[11], "Energy", 40, 1, 2, 5, 3, 0x64, true, 0, 4);
    d[11].SetU8(dev::kScaleOn, 1);
    d[11].SetU32(dev::kScale, 0x3DCCCCCDu); // 0.1
    SetField(d[11].data() + dev::kUnitText, dev::kUnitTextWidth, "kWh!");
    d[11].SetU8(dev::kExtra, 5);
    Device(d[12], "Odd kind", 41, 1, 0, 0, 13, 7, true, 0, 3);
    d[12].SetU8(dev::kIsRegister, 2);
    Device(d[20], "Valve", 9999, 3, 2, 0, 1, 0x10, false, 0, 0);
    Device(d[350], "Not counted", 1, 2, 0, 0, 2, 1, false, 0, 0);

    // Data sets.
    DataSetTable& s = b.dataSets;
    s[1].SetU32(dset::kValue32, 1); // only its value: still in use
    Name(s[8], "Start");
    s[8].SetU8(dset::kTrigger, 5);
    s[8].SetU8(dset::kPort, 1);
    s[8].SetU8(dset::kStation, 3);
    s[8].SetU8(dset::kArea, 1);
    s[8].SetU32(dset::kAddress, 0x12A);
    s[8].SetU32(dset::kValue32, 1);
    s[8].SetU8(dset::kTrigger2, 200); // past the last trigger: no name
    Name(s[9], "Setpoint 64");
    s[9].SetU8(dset::kTargetKind, 1);
    s[9].SetU8(dset::kDataType, kTypeS64);
    s[9].SetU8(dset::kArea, 15);
    s[9].SetU32(dset::kAddress, 500);
    s[9].SetU32(dset::kValue32, 7);
    s[9].SetU64(dset::kValue64, ~0ull);
    s[9].SetU8(dset::kFlag, 1);
    s[10] = s[9];
    Name(s[10], "Setpoint 16");
    s[10].SetU8(dset::kDataType, kTypeS16);
    s[10].SetU8(dset::kPort, 2);
    s[10].SetU8(dset::kArea, 6);
    s[10].SetU32(dset::kAddress, 0x20);

    // Recipients and mail sendings.
    SetField(b.users[0].data() + user::kName, user::kNameWidth, "N0");
    SetField(b.users[2].data() + user::kName, user::kNameWidth, "N2");
    SetField(b.users[15].data() + user::kName, user::kNameWidth, "Sixteen bytes!!!");
    MailSendTable& m = b.mailSends;
    SetField(m[0].data() + msend::kText, msend::kTextWidth, "Alarm");
    m[0].SetU8(msend::kTrigger, 9);
    m[0].SetU16(msend::kRecipients, 0x0005);
    SetField(m[2].data() + msend::kText, msend::kTextWidth, "Exactly16bytes!!");
    m[2].SetU8(msend::kTrigger, 129);        // past the last trigger: no name
    m[2].SetU16(msend::kRecipients, 0x8003); // user 1 has no name
    m[5].SetU8(0x10, 'x');                   // only its long text: still in use
}

} // namespace qv::test::tablepages
