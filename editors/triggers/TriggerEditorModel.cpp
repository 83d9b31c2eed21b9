#include "editors/triggers/TriggerEditorModel.h"

#include <cwctype>

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {

namespace {

constexpr uint32_t kFileFallbackNumber = 60;

std::wstring TrimBlanks(const std::wstring& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::iswspace(static_cast<wint_t>(text[begin])))
        ++begin;
    while (end > begin && std::iswspace(static_cast<wint_t>(text[end - 1])))
        --end;
    return text.substr(begin, end - begin);
}

bool FileNames(const FileRecord& f, unsigned n) {
    return f.U16(file::kTrigger) == n || f.U8(file::kTrigger2) == n;
}
void ClearFile(FileRecord& f, unsigned n) {
    if (f.U16(file::kTrigger) == n)
        f.SetU16(file::kTrigger, 0);
    if (f.U8(file::kTrigger2) == n) {
        // Without its second trigger the record falls back to its default.
        f.SetU8(file::kTrigger2, 0);
        f.SetU8(file::kSelector, 0);
        f.SetU32(file::kNumber, kFileFallbackNumber);
    }
}
bool DataSetNames(const DataSetRecord& d, unsigned n) {
    return d.U8(dset::kTrigger) == n || d.U8(dset::kTrigger2) == n;
}
void ClearDataSet(DataSetRecord& d, unsigned n) {
    for (size_t at : {dset::kTrigger, dset::kTrigger2})
        if (d.U8(at) == n)
            d.SetU8(at, 0);
}
bool MailNames(const MailSendRecord& m, unsigned n) {
    return m.U8(msend::kTrigger) == n;
}
void ClearMail(MailSendRecord& m, unsigned n) {
    if (MailNames(m, n))
        m.SetU8(msend::kTrigger, 0);
}
bool ClockNames(const TimeBlock& t, unsigned n) {
    return t.U16(timeblk::kTrigger) == n;
}
void ClearClock(TimeBlock& t, unsigned n) {
    if (ClockNames(t, n))
        t.SetU16(timeblk::kTrigger, 0);
}

template <typename Table, typename Pred> bool AnyNames(const Table& t, unsigned n, Pred names) {
    for (const auto& r : t.records)
        if (names(r, n))
            return true;
    return false;
}
template <typename Table, typename Clear> void ClearAll(Table& t, unsigned n, Clear clear) {
    for (auto& r : t.records)
        clear(r, n);
}

bool Conflicts(const TriggerTable& t, size_t k, int index) {
    const TriggerRecord& c = t[k];
    if (c.U8(trig::kKind) != kTriggerCombination)
        return false;
    const int first = c.U8(trig::kCombiFirst), second = c.U8(trig::kCombiSecond);
    return (first == index && t[second].U8(trig::kKind) == kTriggerCycle) ||
           (second == index && t[first].U8(trig::kKind) == kTriggerCycle);
}

// The references to trigger n in the document's copies and in the opener's
// working copy: asked once per holder when either names it, then cleared in
// both. False when a question was answered No; nothing is changed then.
bool ClearReferences(TriggerEditorOk& ok, const TriggerEditorCopies& copies, unsigned n,
                     EditorQuestions& questions) {
    using K = OpenerWorkingCopy::Kind;
    OpenerWorkingCopy& op = ok.opener;
    const bool files = AnyNames(copies.files, n, FileNames) ||
                       (op.kind == K::Files && AnyNames(op.files, n, FileNames));
    const bool dataSets = AnyNames(copies.dataSets, n, DataSetNames) ||
                          (op.kind == K::DataSet && DataSetNames(op.dataSet, n));
    const bool clock = ClockNames(copies.time, n) || (op.kind == K::Time && ClockNames(op.time, n));
    const bool mail = AnyNames(copies.mailSends, n, MailNames) ||
                      (op.kind == K::MailSends && AnyNames(op.mailSends, n, MailNames));
    const std::pair<bool, unsigned> asks[] = {{files, kMsgRefsInFiles},
                                              {dataSets, kMsgRefsInDataSets},
                                              {clock, kMsgRefInClock},
                                              {mail, kMsgRefsInMailSends}};
    for (const auto& [found, message] : asks)
        if (found && !questions.AskYesNo(message))
            return false;
    if (files) {
        ok.files = copies.files;
        ClearAll(*ok.files, n, ClearFile);
        if (op.kind == K::Files)
            ClearAll(op.files, n, ClearFile);
    }
    if (dataSets) {
        ok.dataSets = copies.dataSets;
        ClearAll(*ok.dataSets, n, ClearDataSet);
        if (op.kind == K::DataSet)
            ClearDataSet(op.dataSet, n);
    }
    if (clock) {
        ok.time = copies.time;
        ClearClock(*ok.time, n);
        if (op.kind == K::Time)
            ClearClock(op.time, n);
    }
    if (mail) {
        ok.mailSends = copies.mailSends;
        ClearAll(*ok.mailSends, n, ClearMail);
        if (op.kind == K::MailSends)
            ClearAll(op.mailSends, n, ClearMail);
    }
    return true;
}

} // namespace

std::wstring GetKindName(int kind) {
    if (kind < kTriggerNone || kind > kTriggerCombination)
        return {};
    return ResString(kStrKindNames + static_cast<unsigned>(kind));
}

bool KindTakesFlag(int kind) {
    return kind == kTriggerContact || kind == kTriggerRegister || kind == kTriggerCombination;
}

TriggerEditorForm LoadTriggerEditor(const TriggerTable& triggers, int index, uint32_t codePage) {
    const TriggerRecord& r = triggers[static_cast<size_t>(index)];
    TriggerEditorForm form;
    form.number = std::to_wstring(index + 1);
    form.name = ReadTextField(r.data() + trig::kName, kNameWidth, codePage);
    const int kind = r.U8(trig::kKind);
    form.kind = kind <= kTriggerCombination ? kind : -1;
    form.flag = r.U8(trig::kFlag) != 0;
    return form;
}

bool TriggerNameAccepts(wchar_t c) {
    return !std::iswcntrl(static_cast<wint_t>(c));
}

std::wstring FilterTriggerNamePaste(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (TriggerNameAccepts(c))
            out += c;
    return out;
}

TriggerEditorCopies CopiesOf(const ImageBlocks& blocks) {
    return {blocks.triggers, blocks.files, blocks.mailSends, blocks.dataSets, blocks.time};
}

bool CheckCycleCombination(TriggerTable& triggers, int index, EditorQuestions& questions) {
    bool any = false;
    for (size_t k = 0; k < kEditableTriggers && !any; ++k)
        any = Conflicts(triggers, k, index);
    if (!any)
        return true;
    if (!questions.AskYesNo(kMsgCycleCombination))
        return false;
    // Emptying a combination changes no cycle, so no other conflict.
    for (size_t k = 0; k < kEditableTriggers; ++k)
        if (Conflicts(triggers, k, index))
            triggers[k].Clear();
    return true;
}

TriggerEditorOk TriggerEditorStore(const TriggerEditorForm& form, int index,
                                   const TriggerEditorCopies& copies,
                                   const KindPageStore& pageStore, const OpenerWorkingCopy& opener,
                                   uint32_t codePage, EditorQuestions& questions) {
    TriggerEditorOk ok;
    ok.triggers = copies.triggers;
    ok.opener = opener;
    TriggerRecord record = copies.triggers[static_cast<size_t>(index)];

    // Every refusal first: the page's, then the name's.
    if (form.kind == kTriggerNone) {
        record.Clear();
    } else if (form.kind > kTriggerNone && pageStore) {
        ok.refusal = pageStore(record);
        if (ok.refusal.Refused())
            return ok;
        record.SetU8(trig::kKind, static_cast<uint8_t>(form.kind));
    }
    // A kind the list does not know (-1) keeps the stored record but its name.
    const std::wstring name = TrimBlanks(form.name);
    const std::string stored =
        FieldBytes(copies.triggers[static_cast<size_t>(index)].data() + trig::kName, kNameWidth);
    const std::optional<std::string> bytes = ShownTextToMulti(stored, name, codePage);
    if (!bytes) {
        ok.refusal = Refuse(kMsgTextNotInCodePage, kTrigEdName);
        return ok;
    }
    if (bytes->size() > kNameWidth) {
        ok.refusal = Refuse(kMsgTextTooLong, kTrigEdName, {16, 32});
        return ok;
    }
    for (size_t i = 0; i < kNameWidth; ++i)
        record.SetU8(trig::kName + i, i < bytes->size() ? static_cast<uint8_t>((*bytes)[i]) : 0);
    if (form.kind >= 0)
        record.SetU8(trig::kFlag, KindTakesFlag(form.kind) && form.flag ? 1 : 0);
    ok.triggers[static_cast<size_t>(index)] = record;

    // Then the questions, on copies only.
    if (record.U8(trig::kKind) == kTriggerCycle &&
        !CheckCycleCombination(ok.triggers, index, questions)) {
        ok.stay = true;
        return ok;
    }
    if (IsRestrictedTrigger(record) &&
        !ClearReferences(ok, copies, static_cast<unsigned>(index + 1), questions)) {
        ok.stay = true;
        return ok;
    }
    return ok;
}

void ApplyTriggerEditorOk(const TriggerEditorOk& ok, ImageBlocks& blocks) {
    if (!ok.Accepted())
        return;
    blocks.triggers = ok.triggers;
    if (ok.files)
        blocks.files = *ok.files;
    if (ok.dataSets)
        blocks.dataSets = *ok.dataSets;
    if (ok.mailSends)
        blocks.mailSends = *ok.mailSends;
    if (ok.time)
        blocks.time = *ok.time;
}

} // namespace qv
