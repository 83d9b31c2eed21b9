// The register comparison page's model: what a record shows, the value rules
// of every data type and the exact bytes a store writes.
#include <gtest/gtest.h>

#include <cstring>

#include "editors/triggers/RegisterTriggerModel.h"
#include "tests/core/TriggerPortFixture.h"

namespace qv {
namespace {

uint32_t FloatBits(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

std::string Narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

class RegisterTriggerModelTest : public ::testing::Test {
protected:
    UnitBlock unit = test::TriggerPorts();
    RegisterTriggerModel model{unit};

    // A form on port 1 (area protocol, "DT") that passes every check.
    static RegisterTriggerForm Valid(int type, int op, const wchar_t* v1, const wchar_t* v2) {
        RegisterTriggerForm f;
        f.port = 1;
        f.code = 4; // DT
        f.address = L"100";
        f.dataType = type;
        f.op = op;
        f.value1 = v1;
        f.value2 = v2;
        return f;
    }
};

TEST_F(RegisterTriggerModelTest, AContactSwitchedToRegisterStartsAtTheUnitsDT) {
    TriggerRecord r = test::PatternedRecord(kTriggerContact);
    r.SetU8(trig::kArea, 2); // a contact area
    const RegisterTriggerForm f = model.Load(r);
    EXPECT_EQ(f.port, 0);
    EXPECT_EQ(f.dataType, 0);
    EXPECT_EQ(f.op, 0);
    EXPECT_FALSE(f.excluded);
    EXPECT_FALSE(f.option);
    const RegisterTriggerView v = model.View(f);
    ASSERT_EQ(f.code, 1);
    EXPECT_EQ(v.choices.codes[1].code, 15); // DT
}

TEST_F(RegisterTriggerModelTest, LoadShowsEachTypesValuesAndKeepsUnknownCodesUnchosen) {
    struct Case {
        int port, area, type, op;
        uint64_t value1, value2;
        uint8_t choice;
        int code, shownType, shownOp, shownChoice;
        const char *text1, *text2, *address;
    } cases[] = {
        {1, 15, 0, 1, 0xFFFF8000, 32767, 1, 4, 0, 1, 1, "-32768", "32767", "4660"},
        {1, 11, 2, 0, 0xFF, 0, 0, 0, 2, 0, 0, "00FF", "0000", "4660"},
        {1, 15, 5, 3, 0xDEADBEEF, 1, 1, 4, 5, 3, 1, "DEADBEEF", "00000001", "4660"},
        {1, 15, 6, 0, FloatBits(1.5f), FloatBits(-2.25f), 0, 4, 6, 1, 0, "1.5", "-2.25", "4660"},
        {1, 15, 6, 3, 0, 0, 0, 4, 6, 2, 0, "0", "0", "4660"},
        {1, 15, 7, 2, 0x8000000000000000, 5, 0, 4, 7, 2, 0, "-9223372036854775808", "5", "4660"},
        {1, 15, 8, 0, ~0ull, 0, 0, 4, 8, 0, 0, "18446744073709551615", "0", "4660"},
        // Function codes: code 3 when the stored one is not offered.
        {2, 4, 4, 0, 7, 0, 1, 1, 4, 0, 1, "7", "0", "1234"},
        {2, 2, 4, 0, 7, 0, 1, 0, 4, 0, 1, "7", "0", "1234"},
        // Codes no list holds.
        {1, 15, 12, 9, 7, 0, 0xFF, 4, -1, -1, -1, "", "", "4660"},
    };
    for (const Case& c : cases) {
        TriggerRecord r = test::PatternedRecord(kTriggerRegister);
        r.SetU8(trig::kPort, static_cast<uint8_t>(c.port));
        r.SetU8(trig::kArea, static_cast<uint8_t>(c.area));
        r.SetU32(trig::kAddress, 0x1234);
        r.SetU8(trig::kRegDataType, static_cast<uint8_t>(c.type));
        r.SetU8(trig::kRegCompare, static_cast<uint8_t>(c.op));
        r.SetU32(trig::kRegValue1Low, static_cast<uint32_t>(c.value1));
        r.SetU32(trig::kRegValue1High, static_cast<uint32_t>(c.value1 >> 32));
        r.SetU32(trig::kRegValue2Low, static_cast<uint32_t>(c.value2));
        r.SetU32(trig::kRegValue2High, static_cast<uint32_t>(c.value2 >> 32));
        r.SetU8(0x44, c.choice);
        r.SetU8(trig::kRegOption, 0);
        const RegisterTriggerForm f = model.Load(r);
        EXPECT_EQ(f.code, c.code) << c.type;
        EXPECT_EQ(f.dataType, c.shownType) << c.type;
        EXPECT_EQ(f.op, c.shownOp) << c.type;
        EXPECT_EQ(f.choice, c.shownChoice) << c.type;
        EXPECT_EQ(Narrow(f.value1), c.text1) << c.type;
        EXPECT_EQ(Narrow(f.value2), c.text2) << c.type;
        EXPECT_EQ(Narrow(f.address), c.address) << c.type;
    }
}

TEST_F(RegisterTriggerModelTest, AFloatOffersTwoOperatorsAndNoOptionBox) {
    struct Case {
        int type, op;
        bool option;
        int op2;
        std::vector<int> operators;
        bool optionEnabled;
    } cases[] = {
        {6, 0, true, 1, {1, 2}, false},
        {6, 3, false, 2, {1, 2}, false},
        {6, 2, false, 2, {1, 2}, false},
        {4, 3, true, 3, {0, 1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        RegisterTriggerForm f = Valid(0, c.op, L"", L"");
        f.option = c.option;
        model.ChangeDataType(f, c.type);
        EXPECT_EQ(f.op, c.op2) << c.type << c.op;
        EXPECT_EQ(f.option, c.option && c.type != 6);
        const RegisterTriggerView v = model.View(f);
        EXPECT_EQ(v.operators, c.operators);
        EXPECT_EQ(v.optionEnabled, c.optionEnabled);
    }
}

TEST_F(RegisterTriggerModelTest, WhichControlsAreEnabled) {
    struct Case {
        int port, type, op;
        bool option;
        bool value2, values, choice;
        unsigned between;
        size_t addressChars;
    } cases[] = {
        {1, 0, 0, false, false, true, false, 0, 5},
        {1, 0, 1, false, true, true, false, 8101, 5},
        {1, 0, 2, false, true, true, false, 8100, 5},
        {1, 0, 3, false, false, true, false, 0, 5},
        {1, 4, 1, true, false, false, false, 8101, 5},
        {1, 4, 0, false, false, true, false, 0, 5}, // the choice needs function codes
        {2, 2, 0, false, false, true, false, 0, 4},
        {2, 3, 0, false, false, true, true, 0, 4},
        {2, 8, 0, false, false, true, true, 0, 4},
    };
    for (const Case& c : cases) {
        RegisterTriggerForm f = Valid(c.type, c.op, L"", L"");
        f.port = c.port;
        f.option = c.option;
        const RegisterTriggerView v = model.View(f);
        EXPECT_EQ(v.value1Enabled, c.values) << c.port << c.type << c.op;
        EXPECT_EQ(v.value2Enabled, c.value2) << c.port << c.type << c.op;
        EXPECT_EQ(v.choiceEnabled, c.choice) << c.port << c.type << c.op;
        EXPECT_EQ(v.betweenTextId, c.between) << c.port << c.type << c.op;
        EXPECT_EQ(v.operatorShown, !c.option);
        EXPECT_EQ(v.excludedEnabled, !c.option);
        EXPECT_EQ(v.addressMaxChars, c.addressChars);
    }
}

TEST_F(RegisterTriggerModelTest, CheckRefusesAddressesByPortAndArea) {
    struct Case {
        int port, code;
        const wchar_t* address;
        bool ok;
    } cases[] = {
        {0, 0, L"49", true},   {0, 0, L"900", true},   {0, 0, L"50", false},
        {0, 0, L"899", false}, {0, 1, L"99999", true}, {0, 1, L"100000", false},
        {0, 1, L"", false},    {1, 4, L"1a", false},   {1, 4, L" 5", false},
        {1, 4, L"1,0", false}, {2, 0, L"FFFF", true},  {2, 0, L"1FFFF", false},
        {2, 0, L"FG", false},  {2, 0, L"", false},
    };
    for (const Case& c : cases) {
        RegisterTriggerForm f = Valid(0, 0, L"1", L"");
        f.port = c.port;
        f.code = c.code;
        f.address = c.address;
        const Refusal r = model.Check(f);
        EXPECT_EQ(r.messageId, c.ok ? 0u : 20160u) << Narrow(c.address);
        EXPECT_EQ(r.field, c.ok ? 0 : int(kRegisterAddress)) << Narrow(c.address);
    }
    const UnitBlock blocked = test::TriggerPorts(false);
    RegisterTriggerForm f = Valid(0, 0, L"1", L"");
    f.port = 2;
    f.address = L"1";
    EXPECT_EQ(RegisterTriggerModel(blocked).Check(f).messageId, 20442u);
    EXPECT_EQ(RegisterTriggerModel(blocked).Check(f).field, kRegisterPort);
}

TEST_F(RegisterTriggerModelTest, CheckRefusesValuesOutsideTheirType) {
    struct Case {
        int type;
        const wchar_t* text;
        unsigned message; // 0 when accepted
    } cases[] = {
        {0, L"-32768", 0},
        {0, L"32768", 20009},
        {0, L"1a", 20009},
        {0, L"5 ", 20009},
        {0, L"1,000", 20009},
        {1, L"65535", 0},
        {1, L"-1", 20010},
        {2, L"FFFF", 0},
        {2, L"10000", 20013},
        {2, L"G", 20013},
        {3, L"-2147483648", 0},
        {3, L"2147483648", 20011},
        {4, L"4294967295", 0},
        {4, L"4294967296", 20012},
        {5, L"FFFFFFFF", 0},
        {5, L"1FFFFFFFF", 20014},
        {6, L"-1.5", 0},
        {6, L"1.2345678", 0},
        {6, L"abc", 20015},
        {6, L"1.2.3", 20015},
        {6, L"1e5", 20015},
        {6, L".", 20015},
        {7, L"-9223372036854775808", 0},
        {7, L"9223372036854775808", 20019},
        {8, L"18446744073709551615", 0},
        {8, L"18446744073709551616", 20020},
        {8, L"1 ", 20020},
    };
    for (const Case& c : cases) {
        // The same text as the first value, then as the second of a range.
        const int op = c.type == 6 ? 1 : 0;
        RegisterTriggerForm first = Valid(c.type, 0, c.text, L"");
        model.ChangeDataType(first, c.type);
        first.op = op == 1 ? 2 : 0;
        first.value2 = first.value1; // an equal pair passes both orders
        Refusal r = model.Check(first);
        EXPECT_EQ(r.messageId, c.message) << c.type << " " << Narrow(c.text);
        EXPECT_EQ(r.field, c.message ? int(kRegisterValue1) : 0) << Narrow(c.text);

        RegisterTriggerForm second = Valid(c.type, 1, L"", c.text);
        second.value1 = c.message ? L"0" : c.text;
        r = model.Check(second);
        EXPECT_EQ(r.messageId, c.message) << c.type << " " << Narrow(c.text);
        EXPECT_EQ(r.field, c.message ? int(kRegisterValue2) : 0) << Narrow(c.text);
    }
}

TEST_F(RegisterTriggerModelTest, OnlyEnabledValuesAreRead) {
    RegisterTriggerForm f = Valid(0, 0, L"1", L"junk");
    EXPECT_FALSE(model.Check(f).Refused()); // one value: the second is disabled
    f = Valid(0, 0, L"junk", L"junk");
    model.SetOption(f, true);
    EXPECT_FALSE(model.Check(f).Refused());
    f = Valid(-1, -1, L"junk", L"junk"); // an unknown type keeps its values
    EXPECT_FALSE(model.Check(f).Refused());
}

TEST_F(RegisterTriggerModelTest, TwoValuesAreOrderedInTheirType) {
    struct Case {
        int type, op;
        const wchar_t *v1, *v2;
        unsigned message;
    } cases[] = {
        {0, 1, L"10", L"20", 20017},
        {0, 1, L"20", L"10", 0},
        {0, 2, L"20", L"10", 20016},
        {0, 1, L"-1", L"-2", 0},
        {1, 1, L"65535", L"1", 0},
        {2, 1, L"FFFF", L"1", 0},
        {3, 1, L"-1", L"1", 20017},
        {4, 1, L"4294967295", L"1", 0},
        {5, 2, L"FFFFFFFF", L"1", 20016},
        {6, 1, L"1.5", L"2.5", 20017},
        {6, 2, L"-0.5", L"0.25", 0},
        {7, 2, L"-1", L"1", 0},
        {7, 1, L"-9223372036854775808", L"9223372036854775807", 20017},
        {8, 2, L"18446744073709551615", L"1", 20016},
        {8, 1, L"5", L"5", 0},
    };
    for (const Case& c : cases) {
        const Refusal r = model.Check(Valid(c.type, c.op, c.v1, c.v2));
        EXPECT_EQ(r.messageId, c.message) << c.type << " " << Narrow(c.v1) << " " << Narrow(c.v2);
        EXPECT_EQ(r.field, c.message ? int(kRegisterValue1) : 0);
    }
}

TEST_F(RegisterTriggerModelTest, TheCheckedNumberIsValidatedButNotStored) {
    struct Case {
        bool on;
        const wchar_t* text;
        unsigned message;
    } cases[] = {
        {true, L"12.5", 0},        {true, L"", 0},
        {true, L"1a", 20007},      {true, L"5 ", 20007},
        {true, L"1234567", 20008}, {true, L"12345", 20250},
        {false, L"junk", 0},
    };
    for (const Case& c : cases) {
        RegisterTriggerForm f = Valid(0, 0, L"1", L"");
        f.bracket = c.on;
        f.bracketText = c.text;
        const Refusal r = model.Check(f);
        EXPECT_EQ(r.messageId, c.message) << Narrow(c.text);
        EXPECT_EQ(r.field, c.message ? int(kRegisterBracketText) : 0);
    }
}

TEST_F(RegisterTriggerModelTest, StoreWritesTheRegisterBytesAndNothingElse) {
    const TriggerRecord base = test::PatternedRecord(kTriggerRegister);
    auto with = [&](auto edit) {
        TriggerRecord r = base;
        // Every store on port 1, station 1, DT 100.
        r.SetU8(0x22, 1);
        r.SetU8(0x2A, 1);
        r.SetU8(0x2B, 15);
        r.SetU32(0x2C, 100);
        r.SetU8(0x25, 0);
        r.SetU8(0x26, 0);
        r.SetU8(0x27, 0);
        edit(r);
        return r;
    };
    struct Case {
        const char* what;
        RegisterTriggerForm form;
        TriggerRecord expected;
    };
    RegisterTriggerForm choice8 = Valid(8, 0, L"18446744073709551615", L"junk");
    choice8.choice = 1;
    RegisterTriggerForm range7 = Valid(7, 1, L"5", L"-9223372036854775808");
    range7.excluded = true;
    range7.bracket = true;
    range7.bracketText = L"1.5";
    RegisterTriggerForm option = Valid(4, 1, L"junk", L"junk");
    model.SetOption(option, true);
    option.excluded = true; // a hidden radio must not exclude
    RegisterTriggerForm kept = Valid(-1, -1, L"", L"");
    kept.station = -1;
    kept.choice = -1;
    RegisterTriggerForm keptChoice = Valid(3, 0, L"-1", L"");
    keptChoice.choice = -1;
    Case cases[] = {
        {"64-bit unsigned, one value", choice8, with([](TriggerRecord& r) {
             r.SetU8(0x23, 8);
             r.SetU8(0x24, 0);
             r.SetU32(0x30, 0xFFFFFFFF);
             r.SetU32(0x38, 0xFFFFFFFF);
             r.SetU8(0x44, 1);
         })},
        {"64-bit signed range, excluded", range7, with([](TriggerRecord& r) {
             r.SetU8(0x23, 7);
             r.SetU8(0x24, 1);
             r.SetU8(0x25, 1);
             r.SetU8(0x26, 1);
             r.SetU32(0x30, 5);
             r.SetU32(0x38, 0);
             r.SetU32(0x34, 0);
             r.SetU32(0x3C, 0x80000000);
             r.SetU8(0x44, 0);
         })},
        {"float range keeps the high halves", Valid(6, 2, L"1.5", L"2.5"),
         with([](TriggerRecord& r) {
             r.SetU8(0x23, 6);
             r.SetU8(0x24, 2);
             r.SetU32(0x30, FloatBits(1.5f));
             r.SetU32(0x34, FloatBits(2.5f));
             r.SetU8(0x44, 0);
         })},
        {"16-bit signed clears the choice", Valid(0, 3, L"-2", L""), with([](TriggerRecord& r) {
             r.SetU8(0x23, 0);
             r.SetU8(0x24, 3);
             r.SetU32(0x30, 0xFFFFFFFE);
             r.SetU8(0x44, 0);
         })},
        {"option: operator 3, values kept", option, with([](TriggerRecord& r) {
             r.SetU8(0x23, 4);
             r.SetU8(0x24, 3);
             r.SetU8(0x27, 1);
             r.SetU8(0x44, 0);
         })},
        {"unknown codes keep their bytes", kept, with([&base](TriggerRecord& r) {
             r.SetU8(0x2A, base.U8(0x2A));
             r.SetU8(0x23, base.U8(0x23));
             r.SetU8(0x24, base.U8(0x24));
         })},
        {"an unchosen option box keeps its byte", keptChoice, with([](TriggerRecord& r) {
             r.SetU8(0x23, 3);
             r.SetU8(0x24, 0);
             r.SetU32(0x30, 0xFFFFFFFF);
         })},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(model.Check(c.form).Refused()) << c.what;
        TriggerRecord r = base;
        model.Store(c.form, r);
        EXPECT_EQ(r.bytes, c.expected.bytes) << c.what;
        EXPECT_EQ(RegisterTriggerModel::Excludes(c.form), c.expected.U8(0x26) == 1) << c.what;
    }
}

TEST_F(RegisterTriggerModelTest, AStoredRecordComesBackTheSame) {
    TriggerRecord r = test::PatternedRecord(kTriggerRegister);
    r.SetU8(trig::kPort, 2);
    r.SetU8(trig::kStation, 200);
    r.SetU8(trig::kArea, 4);
    r.SetU32(trig::kAddress, 0xABCD);
    r.SetU8(trig::kRegDataType, 7);
    r.SetU8(trig::kRegCompare, 2);
    r.SetU8(trig::kRegBracket, 1);
    r.SetU8(trig::kRegExcluded, 1);
    r.SetU8(trig::kRegOption, 0);
    r.SetU64(0x30, 0); // value 1 = -2^63 as two halves
    r.SetU32(0x38, 0x80000000);
    r.SetU32(0x34, 7);
    r.SetU32(0x3C, 0);
    r.SetU8(0x44, 1);
    const RegisterTriggerForm f = model.Load(r);
    ASSERT_FALSE(model.Check(f).Refused());
    TriggerRecord stored = r;
    model.Store(f, stored);
    EXPECT_EQ(stored.bytes, r.bytes);
}

TEST_F(RegisterTriggerModelTest, EditsTakeCharactersOfTheirType) {
    struct Case {
        int port, type, field;
        const wchar_t* pasted;
        const wchar_t* kept;
    } cases[] = {
        {1, 0, kRegisterAddress, L"1a2", L"12"},
        {2, 0, kRegisterAddress, L"1aG", L"1a"},
        {1, 0, kRegisterValue1, L"-1,000", L"-1000"},
        {1, 1, kRegisterValue2, L"-12", L"12"},
        {1, 5, kRegisterValue1, L"0xFF", L"0FF"},
        {1, 6, kRegisterValue1, L"-1.5e3", L"-1.53"},
        {1, 8, kRegisterValue1, L"5 ", L"5"},
        {1, 0, kRegisterBracketText, L"1.5 s", L"1.5"},
    };
    for (const Case& c : cases) {
        RegisterTriggerForm f = Valid(c.type, 0, L"", L"");
        f.port = c.port;
        EXPECT_EQ(FilterPasted(model.CharsOf(f, c.field), c.pasted), c.kept) << Narrow(c.pasted);
    }
}

} // namespace
} // namespace qv
