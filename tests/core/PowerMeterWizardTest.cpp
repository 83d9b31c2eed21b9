// The power-meter wizard's model: what it builds into the settings image,
// as a readable field-by-field difference against the factory defaults, and
// how its station selection keeps within the 300 device records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "editors/pmwizard/PowerMeterWizardModel.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/ImageLayout.h"
#include "tests/core/LanguageFixture.h"
#include "tests/core/ScriptedQuestions.h"

namespace qv {
namespace {

// ---- the readable difference ------------------------------------------

struct Field {
    const char* name;
    size_t offset;
    size_t width;
    char kind; // 't' text, 'u' little-endian number, 'f' float shown by its bits
};

const std::vector<Field> kDeviceFields = {
    {"Name", 0x00, 32, 't'},      {"Number", 0x20, 2, 'u'},
    {"FileNo", 0x22, 1, 'u'},     {"Port", 0x23, 1, 'u'},
    {"Station", 0x24, 1, 'u'},    {"Area", 0x27, 1, 'u'},
    {"Address", 0x28, 4, 'u'},    {"Mode", 0x2C, 1, 'u'},
    {"DataType", 0x2D, 1, 'u'},   {"DifferenceParam", 0x2E, 1, 'u'},
    {"AuxWord", 0x30, 2, 'u'},    {"ContactOption", 0x32, 1, 'u'},
    {"DeviceType", 0x33, 1, 'u'}, {"MeterKind", 0x34, 1, 'u'},
    {"DeviceKind", 0x35, 1, 'u'}, {"WideValueOption", 0x36, 1, 'u'},
    {"ScalingOn", 0x37, 1, 'u'},  {"Scale", 0x38, 4, 'f'},
    {"UnitText", 0x44, 4, 't'},
};
const std::vector<Field> kFileFields = {
    {"Name", 0x00, 32, 't'},           {"Count", 0x20, 4, 'u'},         {"Trigger", 0x24, 2, 'u'},
    {"Quantity", 0x26, 1, 'u'},        {"SecondTrigger", 0x27, 1, 'u'}, {"ModeFlag", 0x29, 1, 'u'},
    {"BySecondTrigger", 0x2B, 1, 'u'}, {"HasUsers", 0x2C, 1, 'u'},      {"ByGroups", 0x2D, 1, 'u'},
    {"UserMask", 0x2E, 2, 'u'},        {"GroupMask", 0x30, 2, 'u'},     {"FtpFlag", 0x32, 1, 'u'},
    {"MailFlag", 0x33, 1, 'u'},        {"Decimals", 0x34, 1, 'u'},      {"Mode64", 0x35, 1, 'u'},
};
const std::vector<Field> kTriggerFields = {
    {"Name", 0x00, 32, 't'}, {"Kind", 0x20, 1, 'u'}, {"Flag", 0x21, 1, 'u'}};

const std::vector<Field>& FieldsOf(const std::string& block) {
    static const std::vector<Field> none;
    if (block == "DeviceTable")
        return kDeviceFields;
    if (block == "FileTable")
        return kFileFields;
    if (block == "TriggerTable")
        return kTriggerFields;
    return none;
}

// A text up to its NUL; bytes left behind the NUL show as "+pad".
std::string TextOf(const uint8_t* p, size_t width) {
    std::string out = "\"";
    size_t n = 0;
    for (; n < width && p[n]; ++n) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", p[n]);
        out += p[n] >= 0x20 && p[n] < 0x7F ? std::string(1, static_cast<char>(p[n])) : hex;
    }
    out += "\"";
    for (size_t k = n; k < width; ++k)
        if (p[k])
            return out + "+pad";
    return out;
}

std::string ValueOf(const uint8_t* p, const Field& f) {
    if (f.kind == 't')
        return TextOf(p + f.offset, f.width);
    unsigned long v = 0;
    for (size_t k = 0; k < f.width; ++k)
        v |= static_cast<unsigned long>(p[f.offset + k]) << (8 * k);
    char text[16];
    std::snprintf(text, sizeof text, f.kind == 'f' ? "0x%08lX" : "%lu", v);
    return text;
}

// One line per record (or block) that differs: its named fields that
// differ, then every other differing byte as +offset=value.
std::string Difference(const ImageBlocks& before, const ImageBlocks& after,
                       const std::string& onlyBlock = {}) {
    std::ostringstream out;
    for (const test::PublishedBlock& b : test::kPublishedBlocks) {
        if (!onlyBlock.empty() && onlyBlock != b.name)
            continue;
        const size_t recordSize = b.recordSize ? b.recordSize : b.size;
        for (size_t r = 0; r < b.size / recordSize; ++r) {
            const uint8_t* old = before.raw() + b.offset + r * recordSize;
            const uint8_t* now = after.raw() + b.offset + r * recordSize;
            if (std::equal(old, old + recordSize, now))
                continue;
            out << b.name;
            if (b.recordSize)
                out << "[" << r << "]";
            std::vector<bool> covered(recordSize);
            for (const Field& f : FieldsOf(b.name)) {
                for (size_t k = 0; k < f.width; ++k)
                    covered[f.offset + k] = true;
                if (!std::equal(old + f.offset, old + f.offset + f.width, now + f.offset))
                    out << " " << f.name << "=" << ValueOf(now, f);
            }
            for (size_t k = 0; k < recordSize; ++k)
                if (!covered[k] && old[k] != now[k]) {
                    char text[32];
                    std::snprintf(text, sizeof text, " +0x%02zX=%u", k, now[k]);
                    out << text;
                }
            out << "\n";
        }
    }
    return out.str();
}

// ---- building a selection ---------------------------------------------

UnitTypeRecord TypeWith(uint32_t type, std::vector<int> flags, uint32_t channelsOn = 0) {
    UnitTypeRecord r;
    r.unitType = type;
    r.channelsOn = channelsOn;
    for (int f : flags) {
        if (type == kUnitChannels)
            r.channelFlags.at(f) = 1;
        else if (type == kUnitGrouped)
            r.groupedPoints.at(f - 1) = 1;
        else
            r.points.at(f - 1) = 1;
    }
    return r;
}

class PowerMeterWizardBuild : public ::testing::Test {
protected:
    test::ScopedLanguage english{test::kEnglish};
    CQuorvelDoc defaults{kCodePageJapanese};
    CQuorvelDoc doc{kCodePageJapanese};
    PowerMeterWizard wizard;

    std::string Built(const std::string& onlyBlock = {}) {
        EXPECT_FALSE(wizard.Check().Refused());
        wizard.Store(doc);
        return Difference(defaults.Blocks(), doc.Blocks(), onlyBlock);
    }
};

TEST_F(PowerMeterWizardBuild, OneSingleValueStationGivesTheWholeSetOfSettings) {
    ASSERT_FALSE(wizard.SetStation(1, true).Refused());
    EXPECT_EQ(Built(),
              "TriggerTable[0] Name=\"Every 15 minutes\" Kind=1 +0x23=15 +0x27=1\n"
              "TriggerTable[1] Name=\"Daily at 00:00:05\" Kind=2 +0x22=5 +0x29=3\n"
              "FileTable[0] Name=\"syunji\" Trigger=1 SecondTrigger=2 BySecondTrigger=1\n"
              "FileTable[1] Name=\"sabun\" Trigger=1 SecondTrigger=2 BySecondTrigger=1\n"
              "DeviceTable[0] Name=\"No.1\" Number=1 FileNo=1 Port=2 Station=1 Area=15 "
              "Address=100 DataType=4 AuxWord=1 ContactOption=1 ScalingOn=1 Scale=0x3C23D70A "
              "UnitText=\"kWh\"\n"
              "DeviceTable[1] Name=\"No.1\" Number=1 FileNo=2 Port=2 Station=1 Area=15 "
              "Address=100 Mode=4 DataType=4 DifferenceParam=9 AuxWord=1 ContactOption=1 "
              "ScalingOn=1 Scale=0x3C23D70A UnitText=\"kWh\"\n"
              "ErrorNotifyBlock +0x0E=1\n");
    EXPECT_EQ(doc.writeRequested, 0u);
}

TEST_F(PowerMeterWizardBuild, IntervalSetsTheCycleTrigger) {
    const struct {
        int item;
        const char* line;
    } cases[] = {
        {0, "TriggerTable[0] Name=\"Every 15 minutes\" Kind=1 +0x23=15 +0x27=1\n"},
        {1, "TriggerTable[0] Name=\"Every 30 minutes\" Kind=1 +0x23=30 +0x27=1\n"},
        {2, "TriggerTable[0] Name=\"Every hour\" Kind=1 +0x24=1 +0x27=1\n"},
    };
    ASSERT_FALSE(wizard.SetStation(5, true).Refused());
    for (const auto& c : cases) {
        wizard.SetInterval(c.item);
        const std::string diff = Built("TriggerTable");
        EXPECT_EQ(diff.substr(0, diff.find('\n') + 1), c.line) << c.item;
    }
}

// Every unit type: its device records, file 1's first, then file 2's
// numbered from 1 again; scales pinned by their bits (0.01 and 0.1).
TEST_F(PowerMeterWizardBuild, EveryUnitTypeGivesItsDeviceRecords) {
    const std::string tail01 = " DataType=4 AuxWord=1 ContactOption=1 ScalingOn=1 Scale=0x3C23D70A "
                               "UnitText=\"kWh\"\n";
    const std::string tail02 = " Mode=4 DataType=4 DifferenceParam=9 AuxWord=1 ContactOption=1 "
                               "ScalingOn=1 Scale=0x3C23D70A UnitText=\"kWh\"\n";
    const std::string tail11 = " DataType=4 AuxWord=1 ContactOption=1 ScalingOn=1 Scale=0x3DCCCCCD "
                               "UnitText=\"kWh\"\n";
    const std::string tail12 = " Mode=4 DataType=4 DifferenceParam=6 AuxWord=1 ContactOption=1 "
                               "ScalingOn=1 Scale=0x3DCCCCCD UnitText=\"kWh\"\n";
    auto line = [](int index, const char* name, int number, int file, int station, int address,
                   const std::string& tail) {
        char head[160];
        std::snprintf(head, sizeof head,
                      "DeviceTable[%d] Name=\"%s\" Number=%d FileNo=%d Port=2 Station=%d Area=15 "
                      "Address=%d",
                      index, name, number, file, station, address);
        return head + tail;
    };
    UnitTypeRecord grouped = TypeWith(kUnitGrouped, {1, 5});
    grouped.ranges = {0, 1, 0, 0};
    UnitTypeRecord fourPoints = TypeWith(kUnit4Points, {1, 4});
    for (int p = 5; p <= 32; ++p)
        fourPoints.points[p - 1] = 1; // kept from an earlier 32-point choice
    const struct {
        const char* what;
        int station;
        UnitTypeRecord type;
        std::string expected;
    } cases[] = {
        {"channels", 7, TypeWith(kUnitChannels, {0, 15}, 1),
         line(0, "No.7-1-1", 1, 1, 7, 120, tail01) + line(1, "No.7-8-2", 2, 1, 7, 822, tail01) +
             line(2, "No.7-1-1", 1, 2, 7, 120, tail02) + line(3, "No.7-8-2", 2, 2, 7, 822, tail02)},
        {"32 points", 12, TypeWith(kUnit32Points, {1, 32}),
         line(0, "No.12-1", 1, 1, 12, 100, tail11) + line(1, "No.12-32", 2, 1, 12, 3200, tail11) +
             line(2, "No.12-1", 1, 2, 12, 100, tail12) +
             line(3, "No.12-32", 2, 2, 12, 3200, tail12)},
        {"grouped", 3, grouped,
         line(0, "No.3-1A", 1, 1, 3, 120, tail01) + line(1, "No.3-1B", 2, 1, 3, 122, tail01) +
             line(2, "No.3-5", 3, 1, 3, 520, tail01) + line(3, "No.3-1A", 1, 2, 3, 120, tail02) +
             line(4, "No.3-1B", 2, 2, 3, 122, tail02) + line(5, "No.3-5", 3, 2, 3, 520, tail02)},
        {"4 points", 99, fourPoints,
         line(0, "No.99-1", 1, 1, 99, 120, tail01) + line(1, "No.99-4", 2, 1, 99, 420, tail01) +
             line(2, "No.99-1", 1, 2, 99, 120, tail02) + line(3, "No.99-4", 2, 2, 99, 420, tail02)},
    };
    for (const auto& c : cases) {
        wizard = PowerMeterWizard{};
        ASSERT_FALSE(wizard.SetUnitType(c.station, c.type).Refused()) << c.what;
        EXPECT_EQ(Built("DeviceTable"), c.expected) << c.what;
    }

    // Two stations: visited by number in each file.
    wizard = PowerMeterWizard{};
    ASSERT_FALSE(wizard.SetStation(5, true).Refused());
    ASSERT_FALSE(wizard.SetUnitType(2, TypeWith(kUnit4Points, {2})).Refused());
    EXPECT_EQ(Built("DeviceTable"),
              line(0, "No.2-2", 1, 1, 2, 220, tail01) + line(1, "No.5", 2, 1, 5, 100, tail01) +
                  line(2, "No.2-2", 1, 2, 2, 220, tail02) + line(3, "No.5", 2, 2, 5, 100, tail02));
}

// Names are NUL-padded over their whole width even where the document held
// longer ones, and the unit keeps its address (its name servers go).
TEST_F(PowerMeterWizardBuild, NamesArePaddedAndTheUnitKeepsItsAddress) {
    test::FillKitchenSink(doc);
    const IpBlock before = doc.Blocks().ip;
    ASSERT_FALSE(wizard.SetStation(1, true).Refused());
    wizard.SetWriteRequest(true);
    const std::string diff = Built();
    EXPECT_EQ(diff.find("+pad"), std::string::npos) << diff;
    const IpBlock& ip = doc.Blocks().ip;
    for (size_t k = 0; k < IpBlock::kSize; ++k) {
        const bool cleared = (k >= ip::kDns1 && k < ip::kDns2 + 4) || k == ip::kAutoDns;
        EXPECT_EQ(ip.U8(k), cleared ? 0 : before.U8(k)) << k;
    }
    EXPECT_EQ(doc.writeRequested, 1u);
}

// ---- selection and its limit ------------------------------------------

TEST(PowerMeterWizardSelection, StationsAndRowsKeepWithinThreeHundredRecords) {
    PowerMeterWizard w;
    EXPECT_EQ(w.FreeRecords(), 300);
    for (int row = 0; row < kWizardStationRows; ++row)
        ASSERT_FALSE(w.SetRow(row, true).Refused());
    EXPECT_EQ(w.CountSelectedStations(), 198); // 99 single values

    std::vector<int> all32(32);
    for (int p = 0; p < 32; ++p)
        all32[p] = p + 1;
    ASSERT_FALSE(w.SetUnitType(1, TypeWith(kUnit32Points, all32)).Refused());
    EXPECT_EQ(w.FreeRecords(), 40);
    // 258 + 64 would pass the limit: refused, station 2 as it was.
    EXPECT_EQ(w.SetUnitType(2, TypeWith(kUnit32Points, all32)).messageId, kMsgTooManyRecords);
    EXPECT_EQ(w.Station(2).unitType, kUnitChannels);
    EXPECT_EQ(w.Station(2).selected, 1u);
    all32.resize(21);
    ASSERT_FALSE(w.SetUnitType(2, TypeWith(kUnit32Points, all32)).Refused());
    EXPECT_EQ(w.FreeRecords(), 0);

    // A box off clears its unit type and its row's button; on again as a single value.
    ASSERT_FALSE(w.SetStation(2, false).Refused());
    EXPECT_EQ(w.Station(2).unitType, kUnitChannels);
    EXPECT_FALSE(w.Form().rowOn[0]);
    EXPECT_EQ(w.FreeRecords(), 42);
    ASSERT_FALSE(w.SetStation(2, true).Refused());
    EXPECT_EQ(w.FreeRecords(), 40);

    // A row off clears the unit types of all its stations.
    ASSERT_FALSE(w.SetRow(0, false).Refused());
    EXPECT_EQ(w.Station(1).unitType, kUnitChannels);
    EXPECT_EQ(w.Station(1).selected, 0u);
    EXPECT_EQ(w.CountSelectedStations(), 180);
}

TEST(PowerMeterWizardSelection, RefusedRowKeepsItsStationsAsTheyWere) {
    PowerMeterWizard w;
    std::vector<int> points(32);
    for (int p = 0; p < 32; ++p)
        points[p] = p + 1;
    for (int st = 1; st <= 4; ++st)
        ASSERT_FALSE(w.SetUnitType(st, TypeWith(kUnit32Points, points)).Refused());
    points.resize(16);
    ASSERT_FALSE(w.SetUnitType(5, TypeWith(kUnit32Points, points)).Refused());
    ASSERT_FALSE(w.SetStation(85, true).Refused());
    ASSERT_EQ(w.CountSelectedStations(), 290);

    EXPECT_EQ(w.SetRow(8, true).messageId, kMsgTooManyRecords); // 308
    EXPECT_FALSE(w.Form().rowOn[8]);
    for (int st = 80; st <= 89; ++st)
        EXPECT_EQ(w.Station(st).selected, st == 85 ? 1u : 0u) << st;
    EXPECT_EQ(w.CountSelectedStations(), 290);
    // One box more fits (292), so does the limit itself.
    EXPECT_FALSE(w.SetStation(86, true).Refused());
}

// OK of the unit-type dialog: a type that logs nothing is refused, so no
// selected station ever writes no records.
TEST(PowerMeterWizardSelection, UnitTypeThatLogsNothingIsRefused) {
    UnitTypeRecord stale = TypeWith(kUnit4Points, {});
    for (int p = 5; p <= 32; ++p)
        stale.points[p - 1] = 1;
    UnitTypeRecord staleAndOne = stale;
    staleAndOne.points[0] = 1;
    UnitTypeRecord withChannels = TypeWith(kUnitGrouped, {16});
    withChannels.channelsOn = 1;
    withChannels.channelFlags[3] = 1;
    const struct {
        const char* what;
        UnitTypeRecord type;
        unsigned message;
        int records;
    } cases[] = {
        {"single value", TypeWith(kUnitChannels, {}), 0, 2},
        {"channels, none set", TypeWith(kUnitChannels, {}, 1), kMsgNoChannelChosen, 0},
        {"two channel values", TypeWith(kUnitChannels, {2, 9}, 1), 0, 4},
        {"32 points, none", TypeWith(kUnit32Points, {}), kMsgNoPointChosen, 0},
        {"grouped, none", TypeWith(kUnitGrouped, {}), kMsgNoPointChosen, 0},
        {"4 points, only points 5 to 32", stale, kMsgNoPointChosen, 0},
        {"4 points, point 1 and stale ones", staleAndOne, 0, 2},
        {"grouped, channel data dropped", withChannels, 0, 4},
    };
    for (const auto& c : cases) {
        PowerMeterWizard w;
        EXPECT_EQ(w.SetUnitType(40, c.type).messageId, c.message) << c.what;
        EXPECT_EQ(w.CountSelectedStations(), c.records) << c.what;
        EXPECT_EQ(w.Station(40).selected, c.message ? 0u : 1u) << c.what;
        if (!c.message && c.type.unitType != kUnitChannels) {
            EXPECT_EQ(w.Station(40).channelsOn, 0u) << c.what;
            EXPECT_EQ(w.Station(40).channelFlags, (std::array<uint32_t, 16>{})) << c.what;
        }
        EXPECT_EQ(w.Station(40).number, 40u) << c.what;
    }
}

// ---- OK ---------------------------------------------------------------

// The document changes only when OK goes through: a refusal or a No leaves
// it, its saved state and its write request as they were.
TEST(PowerMeterWizardFinish, DocumentChangesOnlyWhenOkGoesThrough) {
    test::ScopedLanguage english{test::kEnglish};
    CQuorvelDoc doc(kCodePageJapanese);
    test::FillKitchenSink(doc);
    doc.TakeSnapshot(kSnapshotSaved);
    doc.Blocks().unit.SetU8(0, 'Z');
    doc.writeRequested = 1;
    const std::vector<uint8_t> before(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize);
    auto unchanged = [&] {
        return std::equal(before.begin(), before.end(), doc.Blocks().raw()) &&
               !doc.IsUnmodified() && doc.writeRequested == 1;
    };

    PowerMeterWizard w;
    Refusal refusal;
    test::ScriptedQuestions none;
    EXPECT_FALSE(FinishPowerMeterWizard(w, doc, 1, none, refusal));
    EXPECT_EQ(refusal.messageId, kMsgNoStationSelected);
    EXPECT_TRUE(unchanged());

    ASSERT_FALSE(w.SetStation(9, true).Refused());
    test::ScriptedQuestions no({false});
    EXPECT_FALSE(FinishPowerMeterWizard(w, doc, 1, no, refusal));
    EXPECT_FALSE(refusal.Refused());
    EXPECT_EQ(no.asked, std::vector<unsigned>{kMsgReplaceAllSettings});
    EXPECT_TRUE(unchanged());

    // At start-up nothing is asked; the write request follows the box.
    EXPECT_TRUE(FinishPowerMeterWizard(w, doc, 0, none, refusal));
    EXPECT_EQ(doc.writeRequested, 0u);
    EXPECT_EQ(doc.Blocks().devices[0].U8(dev::kStation), 9);
    EXPECT_EQ(doc.Blocks().unit, CQuorvelDoc(kCodePageJapanese).Blocks().unit);
}

} // namespace
} // namespace qv
