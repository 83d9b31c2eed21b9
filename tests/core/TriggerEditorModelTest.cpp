// The trigger editor's OK road: the bytes it stores, the refusals that come
// before any question, and the questions about combinations and references.
#include <gtest/gtest.h>

#include "tests/core/ScriptedQuestions.h"

#include <vector>

#include "document/CodePageText.h"
#include "editors/triggers/TriggerEditorModel.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

constexpr uint32_t kCp = kCodePageJapanese;
constexpr int kIndex = 3; // trigger 4
constexpr unsigned kN = kIndex + 1;

using test::ScriptedQuestions;

TriggerRecord Filled(uint8_t b) {
    TriggerRecord r;
    r.bytes.fill(b);
    return r;
}
void SetName(TriggerRecord& r, const std::string& name) {
    for (size_t i = 0; i < kNameWidth; ++i)
        r.SetU8(i, i < name.size() ? static_cast<uint8_t>(name[i]) : 0);
}

// A kind page that writes its kind and one parameter byte.
KindPageStore Page(uint8_t kind, size_t at = trig::kContactCondition, uint8_t value = 0) {
    return [=](TriggerRecord& r) {
        r.SetU8(trig::kKind, kind);
        r.SetU8(at, value);
        return Refusal{};
    };
}
KindPageStore ExcludedContact() {
    return Page(kTriggerContact, trig::kContactCondition, 5);
}

TriggerEditorForm Form(const std::wstring& name, int kind, bool flag = false) {
    return {L"4", name, kind, flag};
}

TriggerEditorOk Ok(const TriggerEditorForm& form, const TriggerEditorCopies& copies,
                   const KindPageStore& page, EditorQuestions& q,
                   const OpenerWorkingCopy& opener = {}) {
    return TriggerEditorStore(form, kIndex, copies, page, opener, kCp, q);
}

TEST(TriggerEditor, StoresExactlyTheRecordBytes) {
    const std::string thirtyTwo(32, 'A');
    struct Case {
        const char* what;
        TriggerEditorForm form;
        KindPageStore page;
        TriggerRecord expected; // over a stored record of 0xAB bytes
    };
    std::vector<Case> cases;
    {
        TriggerRecord e; // kind 0: everything zero but the name
        SetName(e, "Pump");
        cases.push_back({"kind 0 clears the record", Form(L"Pump", 0, true), {}, e});
    }
    {
        TriggerRecord e = Filled(0xAB);
        SetName(e, thirtyTwo);
        e.SetU8(trig::kKind, kTriggerCycle);
        e.SetU8(trig::kFlag, 0);
        e.SetU8(0x22, 1);
        cases.push_back({"32 bytes without terminator, flag off for a cycle",
                         Form(std::wstring(32, L'A'), kTriggerCycle, true),
                         Page(kTriggerCycle, 0x22, 1), e});
    }
    {
        TriggerRecord e = Filled(0xAB);
        SetName(e, "Door 1");
        e.SetU8(trig::kKind, kTriggerContact);
        e.SetU8(trig::kFlag, 1);
        e.SetU8(trig::kContactCondition, 2);
        cases.push_back({"trimmed name, flag of a contact", Form(L" \tDoor 1  ", 3, true),
                         Page(kTriggerContact, trig::kContactCondition, 2), e});
    }
    {
        TriggerRecord e = Filled(0xAB);
        SetName(e, "");
        e.SetU8(trig::kKind, kTriggerCombination);
        e.SetU8(trig::kFlag, 0);
        e.SetU8(trig::kCombiOperator, 1);
        cases.push_back({"combination with the box off", Form(L"", 5, false),
                         Page(kTriggerCombination, trig::kCombiOperator, 1), e});
    }
    {
        TriggerRecord e = Filled(0xAB);
        SetName(e, "\x82\xA0"); // U+3042 in code page 932
        cases.push_back({"a kind the list lacks keeps everything but the name",
                         Form(L"\x3042", -1, false),
                         {},
                         e});
    }
    for (const Case& c : cases) {
        TriggerEditorCopies copies;
        copies.triggers[kIndex] = Filled(0xAB);
        const TriggerEditorCopies before = copies;
        ScriptedQuestions q;
        const TriggerEditorOk ok = Ok(c.form, copies, c.page, q);
        ASSERT_TRUE(ok.Accepted()) << c.what;
        EXPECT_EQ(ok.triggers[kIndex], c.expected) << c.what;
        TriggerTable others = ok.triggers;
        others[kIndex] = before.triggers[kIndex];
        EXPECT_EQ(others, before.triggers) << c.what << ": no other record changes";
        EXPECT_FALSE(ok.files || ok.dataSets || ok.mailSends || ok.time) << c.what;
    }
}

TEST(TriggerEditor, AnUneditedNameKeepsItsStoredBytes) {
    TriggerEditorCopies copies;
    SetName(copies.triggers[kIndex], "\xED\x40"
                                     "COM"); // decodes to U+7E8A, which encodes as FA 5C
    copies.triggers[kIndex].SetU8(trig::kKind, kTriggerDate);
    const TriggerEditorForm form = LoadTriggerEditor(copies.triggers, kIndex, kCp);
    ScriptedQuestions q;
    const TriggerEditorOk ok = Ok(form, copies, Page(kTriggerDate, 0x29, 0), q);
    ASSERT_TRUE(ok.Accepted());
    EXPECT_EQ(FieldBytes(ok.triggers[kIndex].data(), kNameWidth), "\xED\x40"
                                                                  "COM");
}

// Every refusal comes before a question, so a refusal followed by Cancel
// leaves the document as it was.
TEST(TriggerEditor, RefusalsComeBeforeAnyQuestionOrClearing) {
    const KindPageStore refusingPage = [](TriggerRecord& r) {
        r.SetU8(trig::kKind, 0x77); // what a page must not leave behind
        return Refuse(777, kTrigEdPage);
    };
    struct Case {
        const char* what;
        TriggerEditorForm form;
        KindPageStore page;
        Refusal expected;
    } cases[] = {
        {"33 bytes", Form(std::wstring(33, L'x'), 3), ExcludedContact(),
         Refuse(kMsgTextTooLong, kTrigEdName, {16, 32})},
        {"17 full-width characters", Form(std::wstring(17, L'\x3042'), 3), ExcludedContact(),
         Refuse(kMsgTextTooLong, kTrigEdName, {16, 32})},
        {"a character the code page lacks", Form(L"\x00E9", 3), ExcludedContact(),
         Refuse(kMsgTextNotInCodePage, kTrigEdName)},
        {"the page refuses", Form(L"ok", 3), refusingPage, Refuse(777, kTrigEdPage)},
        {"the page refuses a cycle", Form(L"ok", 1), refusingPage, Refuse(777, kTrigEdPage)},
        {"too long a cycle", Form(std::wstring(33, L'x'), 1), Page(kTriggerCycle, 0x22, 1),
         Refuse(kMsgTextTooLong, kTrigEdName, {16, 32})},
    };
    for (const Case& c : cases) {
        ImageBlocks doc{};
        doc.files[2].SetU8(file::kTrigger2, kN); // references to clear if asked
        doc.time.SetU16(timeblk::kTrigger, kN);
        doc.triggers[8].SetU8(trig::kKind, kTriggerCombination); // a cycle conflict
        doc.triggers[8].SetU8(trig::kCombiFirst, kIndex);
        doc.triggers[8].SetU8(trig::kCombiSecond, kIndex);
        const std::vector<uint8_t> before(doc.raw(), doc.raw() + sizeof doc);
        OpenerWorkingCopy opener;
        opener.kind = OpenerWorkingCopy::Kind::Time;
        opener.time.SetU16(timeblk::kTrigger, kN);
        ScriptedQuestions q; // any question fails the test
        const TriggerEditorOk ok = Ok(c.form, CopiesOf(doc), c.page, q, opener);
        EXPECT_EQ(ok.refusal.messageId, c.expected.messageId) << c.what;
        EXPECT_EQ(ok.refusal.args, c.expected.args) << c.what;
        EXPECT_EQ(ok.refusal.field, c.expected.field) << c.what;
        EXPECT_TRUE(q.asked.empty()) << c.what;
        EXPECT_EQ(ok.opener.time.U16(timeblk::kTrigger), kN) << c.what;
        ApplyTriggerEditorOk(ok, doc);
        EXPECT_EQ(std::vector<uint8_t>(doc.raw(), doc.raw() + sizeof doc), before) << c.what;
    }
}

TEST(TriggerEditor, CycleCombinationsAskOnceAndEmptyEveryConflict) {
    struct Combi {
        size_t at;
        uint8_t first, second;
    };
    struct Case {
        const char* what;
        std::vector<Combi> combis;
        std::vector<size_t> cycles; // records of kind 1 besides the edited one
        std::vector<bool> answers;
        std::vector<size_t> emptied;
        bool stay;
    } cases[] = {
        {"with another cycle, Yes", {{8, 3, 5}}, {5}, {true}, {8}, false},
        {"with another cycle, No", {{8, 3, 5}}, {5}, {false}, {}, true},
        {"with itself", {{8, 3, 3}}, {}, {true}, {8}, false},
        {"second operand", {{9, 6, 3}}, {6}, {true}, {9}, false},
        {"with a trigger of another kind: no question", {{8, 3, 5}}, {}, {}, {}, false},
        {"two cycles not the edited one", {{8, 5, 6}}, {5, 6}, {}, {}, false},
        {"every conflict on one Yes",
         {{8, 3, 5}, {20, 3, 3}, {21, 4, 5}},
         {5},
         {true},
         {8, 20},
         false},
        {"records past 127 are not searched", {{200, 3, 3}}, {}, {}, {}, false},
    };
    for (const Case& c : cases) {
        TriggerEditorCopies copies;
        for (const Combi& k : c.combis) {
            TriggerRecord& r = copies.triggers[k.at];
            SetName(r, "C");
            r.SetU8(trig::kKind, kTriggerCombination);
            r.SetU8(trig::kCombiFirst, k.first);
            r.SetU8(trig::kCombiSecond, k.second);
        }
        for (size_t at : c.cycles)
            copies.triggers[at].SetU8(trig::kKind, kTriggerCycle);
        ScriptedQuestions q(c.answers);
        const TriggerEditorOk ok = Ok(Form(L"T4", 1), copies, Page(kTriggerCycle, 0x22, 1), q);
        EXPECT_EQ(q.asked.size(), c.answers.size()) << c.what;
        for (unsigned id : q.asked)
            EXPECT_EQ(id, kMsgCycleCombination) << c.what;
        EXPECT_EQ(ok.stay, c.stay) << c.what;
        for (size_t at = 0; at < 256; ++at) {
            if (at == kIndex)
                continue;
            bool emptied = false;
            for (size_t e : c.emptied)
                emptied |= e == at;
            EXPECT_EQ(ok.triggers[at], emptied ? TriggerRecord{} : copies.triggers[at])
                << c.what << " record " << at;
        }
    }
}

// The document's copies as the reference cases set them up.
struct Holders {
    bool fileFirst = false, fileSecond = false, dataSet = false, clock = false, mail = false;
};
TriggerEditorCopies WithReferences(const Holders& h, unsigned n) {
    TriggerEditorCopies c;
    for (auto& f : c.files.records) { // bytes a clearing must leave alone
        f.SetU32(file::kNumber, 1234);
        f.SetU8(file::kSelector, 3);
        f.SetU8(file::kTrigger2, 99);
    }
    if (h.fileFirst)
        c.files[1].SetU16(file::kTrigger, static_cast<uint16_t>(n));
    if (h.fileSecond)
        c.files[2].SetU8(file::kTrigger2, static_cast<uint8_t>(n));
    if (h.dataSet) {
        c.dataSets[7].SetU8(dset::kTrigger2, static_cast<uint8_t>(n));
        c.dataSets[7].SetU8(dset::kTrigger, static_cast<uint8_t>(n));
        c.dataSets[9].SetU8(dset::kTrigger, static_cast<uint8_t>(n));
    }
    if (h.clock)
        c.time.SetU16(timeblk::kTrigger, static_cast<uint16_t>(n));
    if (h.mail)
        c.mailSends[63].SetU8(msend::kTrigger, static_cast<uint8_t>(n));
    return c;
}

TEST(TriggerEditor, ExcludedTriggerReferencesAskInOrderAndClearOnYes) {
    const Holders all{true, true, true, true, true};
    struct Case {
        const char* what;
        Holders holders;
        int kind;
        KindPageStore page;
        std::vector<bool> answers;
        std::vector<unsigned> asked;
        bool stay;
    } cases[] = {
        {"all holders, all Yes",
         all,
         3,
         ExcludedContact(),
         {true, true, true, true},
         {20225, 20226, 20228, 20229},
         false},
        {"the second No stops", all, 3, ExcludedContact(), {true, false}, {20225, 20226}, true},
        {"clock and mail",
         {false, false, false, true, true},
         3,
         ExcludedContact(),
         {true, false},
         {20228, 20229},
         true},
        {"register with byte 0x26 = 1",
         {false, true, false, false, false},
         4,
         Page(kTriggerRegister, trig::kRegExcluded, 1),
         {true},
         {20225},
         false},
        {"no holder: no question", {}, 3, ExcludedContact(), {}, {}, false},
        {"a trigger that is not excluded",
         all,
         3,
         Page(kTriggerContact, trig::kContactCondition, 4),
         {},
         {},
         false},
    };
    for (const Case& c : cases) {
        const TriggerEditorCopies copies = WithReferences(c.holders, kN);
        ScriptedQuestions q(c.answers);
        const TriggerEditorOk ok = Ok(Form(L"Door", c.kind), copies, c.page, q);
        EXPECT_EQ(q.asked, c.asked) << c.what;
        EXPECT_EQ(ok.stay, c.stay) << c.what;
        if (c.stay)
            continue;
        const bool cleared = !c.asked.empty();
        const TriggerEditorCopies after = WithReferences(cleared ? Holders{} : c.holders, kN);
        TriggerEditorCopies expected = after;
        if (cleared && c.holders.fileSecond) { // falls back to its default value
            expected.files[2].SetU8(file::kTrigger2, 0);
            expected.files[2].SetU8(file::kSelector, 0);
            expected.files[2].SetU32(file::kNumber, 60);
        }
        EXPECT_EQ(ok.files.value_or(copies.files), expected.files) << c.what;
        EXPECT_EQ(ok.dataSets.value_or(copies.dataSets), expected.dataSets) << c.what;
        EXPECT_EQ(ok.time.value_or(copies.time), expected.time) << c.what;
        EXPECT_EQ(ok.mailSends.value_or(copies.mailSends), expected.mailSends) << c.what;
    }
}

TEST(TriggerEditor, NoAfterYesChangesNothingInTheDocument) {
    ImageBlocks doc{};
    const TriggerEditorCopies copies = WithReferences({true, true, true, true, true}, kN);
    doc.files = copies.files;
    doc.dataSets = copies.dataSets;
    doc.time = copies.time;
    doc.mailSends = copies.mailSends;
    const std::vector<uint8_t> before(doc.raw(), doc.raw() + sizeof doc);
    ScriptedQuestions q({true, true, true, false});
    const TriggerEditorOk ok = Ok(Form(L"Door", 3), CopiesOf(doc), ExcludedContact(), q);
    EXPECT_FALSE(ok.Accepted());
    ApplyTriggerEditorOk(ok, doc);
    EXPECT_EQ(std::vector<uint8_t>(doc.raw(), doc.raw() + sizeof doc), before);
}

// The chooser that opened the list keeps its own working copy: its references
// are cleared there, its other edits stay out of the document.
TEST(TriggerEditor, TheOpenersCopyIsClearedApartFromTheDocument) {
    using K = OpenerWorkingCopy::Kind;
    struct Case {
        const char* what;
        K kind;
        bool docNames, openerNames;
        unsigned question;
    } cases[] = {
        {"file editor, only its copy names it", K::Files, false, true, 20225},
        {"file editor, only the document names it", K::Files, true, false, 20225},
        {"data-set editor, its record", K::DataSet, false, true, 20226},
        {"clock pane", K::Time, true, true, 20228},
        {"mail-send editor", K::MailSends, false, true, 20229},
    };
    for (const Case& c : cases) {
        const Holders h{c.kind == K::Files, false, c.kind == K::DataSet, c.kind == K::Time,
                        c.kind == K::MailSends};
        const TriggerEditorCopies doc = WithReferences(c.docNames ? h : Holders{}, kN);
        const TriggerEditorCopies own = WithReferences(c.openerNames ? h : Holders{}, kN);
        OpenerWorkingCopy opener;
        opener.kind = c.kind;
        opener.files = own.files;
        opener.files[40].SetU8(0, 'E'); // an unsaved edit of the opener
        opener.dataSetIndex = 7;
        opener.dataSet = own.dataSets[7];
        opener.mailSends = own.mailSends;
        opener.time = own.time;
        ScriptedQuestions q({true});
        const TriggerEditorOk ok = Ok(Form(L"Door", 3), doc, ExcludedContact(), q, opener);
        ASSERT_TRUE(ok.Accepted()) << c.what;
        EXPECT_EQ(q.asked, std::vector<unsigned>{c.question}) << c.what;
        const TriggerEditorCopies clean = WithReferences({}, kN);
        // The document: cleared, and none of the opener's edits.
        EXPECT_EQ(ok.files.value_or(doc.files), clean.files) << c.what;
        EXPECT_EQ(ok.dataSets.value_or(doc.dataSets), clean.dataSets) << c.what;
        EXPECT_EQ(ok.time.value_or(doc.time), clean.time) << c.what;
        EXPECT_EQ(ok.mailSends.value_or(doc.mailSends), clean.mailSends) << c.what;
        // The opener: cleared, its own edit kept.
        EXPECT_EQ(ok.opener.files[40].U8(0), 'E') << c.what;
        switch (c.kind) {
        case K::Files:
            EXPECT_EQ(ok.opener.files[1].U16(file::kTrigger), 0) << c.what;
            break;
        case K::DataSet:
            EXPECT_EQ(ok.opener.dataSet, clean.dataSets[7]) << c.what;
            break;
        case K::Time:
            EXPECT_EQ(ok.opener.time, clean.time) << c.what;
            break;
        default:
            EXPECT_EQ(ok.opener.mailSends, clean.mailSends) << c.what;
        }
    }
}

TEST(TriggerEditor, LoadShowsTheStoredRecord) {
    TriggerTable t;
    SetName(t[kIndex], "\x82\xA0"
                       "B");
    t[kIndex].SetU8(trig::kKind, 9);
    t[kIndex].SetU8(trig::kFlag, 2);
    TriggerEditorForm f = LoadTriggerEditor(t, kIndex, kCp);
    EXPECT_EQ(f.number, L"4");
    EXPECT_EQ(f.name, L"\x3042"
                      L"B");
    EXPECT_EQ(f.kind, -1) << "no item for an unknown kind";
    EXPECT_TRUE(f.flag);
    t[kIndex].SetU8(trig::kKind, kTriggerCombination);
    EXPECT_EQ(LoadTriggerEditor(t, kIndex, kCp).kind, kTriggerCombination);
}

TEST(TriggerEditor, KindNamesAndFlag) {
    test::ScopedLanguage lang(test::kEnglish);
    const std::pair<int, const wchar_t*> names[] = {
        {0, L"None"}, {1, L"Cycle"}, {5, L"Combination (AND/OR)"}, {6, L""}, {-1, L""}};
    for (const auto& [kind, name] : names)
        EXPECT_EQ(GetKindName(kind), name) << kind;
    for (int kind = -1; kind <= 6; ++kind)
        EXPECT_EQ(KindTakesFlag(kind), kind >= 3 && kind <= 5) << kind;
}

TEST(TriggerEditor, NameEditFiltersCharactersNotKeys) {
    const std::pair<const wchar_t*, const wchar_t*> pastes[] = {
        {L"Pump 1", L"Pump 1"},
        {L"Line\r\nbreak", L"Linebreak"},
        {L"\tTab", L"Tab"},
        {L"\x3042\x3044|\\", L"\x3042\x3044|\\"},
    };
    for (const auto& [in, out] : pastes)
        EXPECT_EQ(FilterTriggerNamePaste(in), out);
    EXPECT_FALSE(TriggerNameAccepts(L'\b'));
    EXPECT_TRUE(TriggerNameAccepts(L'\x4E2D'));
}

} // namespace
} // namespace qv
