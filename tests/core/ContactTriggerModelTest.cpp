// The contact page's model: what a record shows, which texts are refused and
// the exact bytes a store writes.
#include <gtest/gtest.h>

#include "editors/triggers/ContactTriggerModel.h"
#include "tests/core/TriggerPortFixture.h"

namespace qv {
namespace {

TriggerRecord Contact(int port, int station, int area, uint32_t address, int condition,
                      uint32_t count) {
    TriggerRecord r = test::PatternedRecord(kTriggerContact);
    r.SetU8(trig::kPort, static_cast<uint8_t>(port));
    r.SetU8(trig::kStation, static_cast<uint8_t>(station));
    r.SetU8(trig::kArea, static_cast<uint8_t>(area));
    r.SetU32(trig::kAddress, address);
    r.SetU8(trig::kContactCondition, static_cast<uint8_t>(condition));
    r.SetU32(trig::kContactCount, count);
    return r;
}

class ContactTriggerModelTest : public ::testing::Test {
protected:
    UnitBlock unit = test::TriggerPorts();
    ContactTriggerModel model{unit};
};

TEST_F(ContactTriggerModelTest, LoadShowsTheStoredContact) {
    struct Case {
        const char* what;
        TriggerRecord record;
        int port, station, code;
        const wchar_t* address;
        int condition;
        const wchar_t* count;
    } cases[] = {
        {"unit R, bit 5", Contact(0, 1, 2, 5, 0, 7), 0, 0, 0, L"5", 0, L""},
        {"word 1 bit 0", Contact(0, 1, 2, 16, 3, 7), 0, 0, 0, L"10", 3, L"7"},
        {"word 1 bit 1", Contact(1, 3, 3, 17, 4, 9), 1, 2, 3, L"11", 4, L"9"},
        {"function code 2", Contact(2, 247, 2, 0xFFFF, 1, 9), 2, 246, 1, L"FFFF", 1, L""},
        {"station 0 picks the first", Contact(1, 0, 0, 0, 0, 0), 1, 0, 0, L"0", 0, L""},
        {"station beyond the list", Contact(1, 150, 0, 0, 0, 0), 1, -1, 0, L"0", 0, L""},
        {"code not in the list", Contact(1, 1, 9, 0, 0, 0), 1, 0, 0, L"0", 0, L""},
        {"unknown condition", Contact(1, 1, 0, 0, 9, 0), 1, 0, 0, L"0", -1, L""},
        {"unknown port", Contact(7, 1, 0, 0, 0, 0), -1, 0, -1, L"0", 0, L""},
    };
    for (Case& c : cases) {
        const ContactTriggerForm f = model.Load(c.record);
        EXPECT_EQ(f.port, c.port) << c.what;
        EXPECT_EQ(f.station, c.station) << c.what;
        EXPECT_EQ(f.code, c.code) << c.what;
        EXPECT_EQ(f.address, c.address) << c.what;
        EXPECT_EQ(f.condition, c.condition) << c.what;
        EXPECT_EQ(f.count, c.count) << c.what;
    }
}

TEST_F(ContactTriggerModelTest, ARecordOfAnotherKindStartsAtTheUnitWithConditionZero) {
    TriggerRecord r = test::PatternedRecord(kTriggerCycle);
    const ContactTriggerForm f = model.Load(r);
    EXPECT_EQ(f.port, 0);
    EXPECT_EQ(f.condition, 0);
    const ContactTriggerView v = model.View(f);
    EXPECT_FALSE(v.choices.stationEnabled);
    ASSERT_EQ(v.choices.codes.size(), 1u);
    EXPECT_EQ(v.choices.codes[0].code, 2); // "R"
    EXPECT_TRUE(v.codeLabel.empty());
    EXPECT_FALSE(v.countEnabled);
    EXPECT_EQ(v.countUnitId, 0u);
}

TEST_F(ContactTriggerModelTest, EachPortOffersItsOwnListsAndKeepsTheRecordsStation) {
    const TriggerRecord r = Contact(1, 40, 1, 0, 0, 0);
    struct Case {
        int port;
        bool stationEnabled;
        int stations;
        std::vector<int> codes;
        int code;
        const wchar_t* label;
    } cases[] = {
        {0, false, 99, {2}, 0, L""},
        {1, true, 99, {0, 1, 2, 3, 4, 5}, 1, L""},
        {2, true, 247, {1, 2}, 0, L"01"},
    };
    for (const Case& c : cases) {
        ContactTriggerForm f;
        model.ChangePort(f, c.port, r);
        const ContactTriggerView v = model.View(f);
        EXPECT_EQ(v.choices.stationEnabled, c.stationEnabled) << c.port;
        EXPECT_EQ(v.choices.stationCount, c.stations) << c.port;
        std::vector<int> codes;
        for (const AreaItem& a : v.choices.codes)
            codes.push_back(a.code);
        EXPECT_EQ(codes, c.codes) << c.port;
        EXPECT_EQ(f.station, 39) << c.port;
        EXPECT_EQ(f.code, c.code) << c.port;
        EXPECT_EQ(v.codeLabel, c.label) << c.port;
    }
}

TEST_F(ContactTriggerModelTest, TheCountTakesItsUnitOnlyForConditionsThreeAndFour) {
    const unsigned units[kContactConditionCount] = {0, 0, 0, 4060, 4063, 0, 0};
    for (int c = 0; c < kContactConditionCount; ++c) {
        ContactTriggerForm f;
        f.condition = c;
        EXPECT_EQ(model.View(f).countUnitId, units[c]) << c;
        EXPECT_EQ(model.View(f).countEnabled, units[c] != 0) << c;
        EXPECT_EQ(ContactTriggerModel::Excludes(f), c == 5) << c;
    }
}

TEST_F(ContactTriggerModelTest, CheckRefusesAddressesCountsAndPortsThatCannotServe) {
    struct Case {
        int port;
        const wchar_t* address;
        int condition;
        const wchar_t* count;
        unsigned message;
        int field;
    } cases[] = {
        // The unit's own R words 0..49 and 900..999.
        {0, L"49F", 0, L"", 0, 0},
        {0, L"9000", 0, L"", 0, 0},
        {0, L"999F", 0, L"", 0, 0},
        {0, L"500", 0, L"", 20161, kContactAddress},
        {0, L"1000", 0, L"", 20161, kContactAddress},
        {0, L"", 0, L"", 20161, kContactAddress},
        {1, L"999F", 0, L"", 0, 0},
        {1, L"1 2", 0, L"", 20161, kContactAddress},
        {1, L"1G", 0, L"", 20161, kContactAddress},
        {1, L"A1", 0, L"", 20161, kContactAddress},
        // Function codes: four hexadecimal digits.
        {2, L"FFFF", 0, L"", 0, 0},
        {2, L"ffff", 0, L"", 0, 0},
        {2, L"1FFFF", 0, L"", 20160, kContactAddress},
        {2, L"FG", 0, L"", 20161, kContactAddress},
        {2, L"", 0, L"", 20161, kContactAddress},
        {2, L"F F", 0, L"", 20161, kContactAddress},
        // The count of conditions 3 and 4: 1 to 4294967295, digits only.
        {1, L"10", 3, L"4294967295", 0, 0},
        {1, L"10", 4, L"1", 0, 0},
        {1, L"10", 3, L"0", 20240, kContactCount},
        {1, L"10", 3, L"4294967296", 20240, kContactCount},
        {1, L"10", 4, L"5 ", 20240, kContactCount},
        {1, L"10", 4, L"1a", 20240, kContactCount},
        {1, L"10", 4, L"1,000", 20240, kContactCount},
        {1, L"10", 4, L"+5", 20240, kContactCount},
        {1, L"10", 3, L"", 20240, kContactCount},
        {1, L"10", 0, L"junk", 0, 0}, // a disabled count is not read
        {1, L"10", -1, L"junk", 0, 0},
    };
    for (const Case& c : cases) {
        ContactTriggerForm f;
        f.port = c.port;
        f.address = c.address;
        f.condition = c.condition;
        f.count = c.count;
        const Refusal r = model.Check(f);
        EXPECT_EQ(r.messageId, c.message)
            << c.port << " " << std::wstring(c.address).size() << " " << c.count;
        EXPECT_EQ(r.field, c.field) << c.port;
    }
}

TEST_F(ContactTriggerModelTest, APortWhoseRoleIsOneServesNoTrigger) {
    const UnitBlock blocked = test::TriggerPorts(false);
    const ContactTriggerModel m(blocked);
    ContactTriggerForm f;
    f.address = L"1";
    for (int port : {0, 1, 2, -1}) {
        f.port = port;
        const bool refused = port == 2 || port == -1;
        EXPECT_EQ(m.Check(f).messageId, refused ? 20442u : 0u) << port;
        EXPECT_EQ(m.Check(f).field, refused ? int(kContactPort) : 0) << port;
    }
}

TEST_F(ContactTriggerModelTest, StoreWritesTheContactBytesAndNothingElse) {
    struct Case {
        const char* what;
        ContactTriggerForm form;
        TriggerRecord expected;
    };
    const TriggerRecord base = test::PatternedRecord(kTriggerContact);
    auto with = [&](auto edit) {
        TriggerRecord r = base;
        edit(r);
        return r;
    };
    Case cases[] = {
        {"unit, bit address 10, ON duration 5",
         {0, 0, 0, L"10", 3, L"5"},
         with([](TriggerRecord& r) {
             r.SetU8(0x22, 0);
             r.SetU8(0x2A, 1);
             r.SetU8(0x2B, 2);
             r.SetU32(0x2C, 16);
             r.SetU8(0x24, 3);
             r.SetU32(0x30, 5);
         })},
        {"function code 2, FFFF, count max",
         {2, 246, 1, L"FFFF", 4, L"4294967295"},
         with([](TriggerRecord& r) {
             r.SetU8(0x22, 2);
             r.SetU8(0x2A, 247);
             r.SetU8(0x2B, 2);
             r.SetU32(0x2C, 0xFFFF);
             r.SetU8(0x24, 4);
             r.SetU32(0x30, 0xFFFFFFFF);
         })},
        {"no count: its bytes stay", {1, 4, 5, L"12A", 5, L"99"}, with([](TriggerRecord& r) {
             r.SetU8(0x22, 1);
             r.SetU8(0x2A, 5);
             r.SetU8(0x2B, 5);
             r.SetU32(0x2C, 12 * 16 + 10);
             r.SetU8(0x24, 5);
         })},
        {"entries without a choice keep their bytes",
         {1, -1, -1, L"0", -1, L""},
         with([](TriggerRecord& r) {
             r.SetU8(0x22, 1);
             r.SetU32(0x2C, 0);
         })},
        {"indexes past the lists keep their bytes",
         {0, 120, 9, L"1", 0, L""},
         with([](TriggerRecord& r) {
             r.SetU8(0x22, 0);
             r.SetU32(0x2C, 1);
             r.SetU8(0x24, 0);
         })},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(model.Check(c.form).Refused()) << c.what;
        TriggerRecord r = base;
        model.Store(c.form, r);
        EXPECT_EQ(r.bytes, c.expected.bytes) << c.what;
    }
}

TEST_F(ContactTriggerModelTest, AStoredAddressComesBackTheSame) {
    for (uint32_t address : {0u, 5u, 16u, 17u, 0x49Fu, 999u * 16 + 15}) {
        TriggerRecord r = Contact(1, 1, 2, address, 0, 0);
        const ContactTriggerForm f = model.Load(r);
        TriggerRecord stored = r;
        model.Store(f, stored);
        EXPECT_EQ(stored.bytes, r.bytes) << address;
    }
}

TEST_F(ContactTriggerModelTest, EditsTakeCharactersNotKeys) {
    struct Case {
        int field;
        const wchar_t* pasted;
        const wchar_t* kept;
    } cases[] = {
        {kContactAddress, L"12a", L"12a"},     {kContactAddress, L" 1-2G", L"12"},
        {kContactCount, L"1,000", L"1000"},    {kContactCount, L"5 ", L"5"},
        {kContactCount, L"\xFF11\xFF12", L""}, // full-width digits are not digits here
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterPasted(model.CharsOf(c.field), c.pasted), c.kept) << c.field;
    EXPECT_TRUE(AcceptsChar(model.CharsOf(kContactAddress), L'F'));
    EXPECT_FALSE(AcceptsChar(model.CharsOf(kContactCount), L'-'));
}

} // namespace
} // namespace qv
