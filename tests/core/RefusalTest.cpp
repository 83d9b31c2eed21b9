// The message texts of the editors' refusals, formatted from the string
// table's own texts.
#include <gtest/gtest.h>

#include <map>

#include "document/Refusal.h"
#include "document/StringTable.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {
namespace {

class Table : public StringTable {
public:
    const char* FindUtf8(unsigned id) const override {
        const auto it = texts.find(id);
        return it == texts.end() ? nullptr : it->second;
    }
    std::map<unsigned, const char*> texts;
};

TEST(EditorModel, RefusalTextsTakeTheirArgumentsInOrder) {
    Table table;
    table.texts = {{1, "From %d to %d."}, {2, "%s: %ld%%"}, {3, "No %x marker, %d"}, {4, "%d"}};
    SetActiveStringTable(&table);
    struct Case {
        unsigned id;
        std::vector<std::wstring> args;
        const wchar_t* text;
    } cases[] = {
        {1, {L"5", L"60"}, L"From 5 to 60."},
        {2, {L"Name", L"32"}, L"Name: 32%"},
        {3, {L"7"}, L"No %x marker, 7"},
        {1, {L"5"}, L"From 5 to ."},  // a marker without an argument is left out
        {4, {L"1", L"2"}, L"1"},      // an argument without a marker is ignored
        {9, {L"1"}, L""},             // no text at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatResText(c.id, c.args), c.text) << c.id;
    EXPECT_EQ(RefusalText(Refuse(1, 3, {-32768, 32767})), L"From -32768 to 32767.");
    SetActiveStringTable(nullptr);
}

// A kind page takes over a record of another kind from zero parameters and
// keeps the contact and register bytes beyond them.
TEST(TriggerKind, APageOfAnotherKindStartsFromZeroParameters) {
    struct Case {
        TriggerKind stored, page;
        uint8_t first;    // byte 0x22 afterwards
        bool keptParams;  // 0x23..0x29 as they were
    } cases[] = {
        {kTriggerDate, kTriggerCycle, 1, false},
        {kTriggerCycle, kTriggerDate, 0, false},
        {kTriggerNone, kTriggerContact, 0, false},
        {kTriggerRegister, kTriggerRegister, 0xAB, true},
    };
    for (const Case& c : cases) {
        TriggerRecord r;
        r.SetU8(trig::kKind, c.stored);
        for (size_t at = 0x22; at < 0x50; ++at)
            r.SetU8(at, 0xAB);
        PrepareKindParameters(r, c.page);
        EXPECT_EQ(r.U8(0x22), c.first) << int(c.stored) << "->" << int(c.page);
        for (size_t at = 0x23; at < 0x2A; ++at)
            EXPECT_EQ(r.U8(at), c.keptParams ? 0xAB : 0) << at;
        for (size_t at = 0x2A; at < 0x50; ++at)
            EXPECT_EQ(r.U8(at), 0xAB) << at;
        EXPECT_EQ(r.U8(trig::kKind), c.stored) << "the kind is the editor's to write";
    }
}

} // namespace
} // namespace qv
