// The editor of one trigger: its number, name, kind and flag, and the OK road
// that stores the record after the kind page has written its parameters,
// with the questions about combinations and references that OK may ask.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/EditorQuestions.h"

namespace qv {

constexpr unsigned kStrKindNames = 4020; // + kind, kinds 0 to 5
constexpr unsigned kMsgTextTooLong = 20000;
constexpr unsigned kMsgRefsInFiles = 20225;
constexpr unsigned kMsgRefsInDataSets = 20226;
constexpr unsigned kMsgCycleCombination = 20227;
constexpr unsigned kMsgRefInClock = 20228;
constexpr unsigned kMsgRefsInMailSends = 20229;
constexpr size_t kTriggerNameChars = 32; // what the name edit takes

enum TriggerEditorField {
    kTrigEdNone = 0,
    kTrigEdName,
    kTrigEdKind,
    kTrigEdFlag,
    kTrigEdPage, // a field of the kind page; the page names it
};

// The kind's name for kinds 0 to 5, an empty text otherwise.
std::wstring GetKindName(int kind);
// Only contact, register and combination triggers carry the flag.
bool KindTakesFlag(int kind);

struct TriggerEditorForm {
    std::wstring number; // "%d" of the trigger number, read only
    std::wstring name;   // as typed
    int kind = 0;        // list index = kind code; -1: a stored kind the list has no item for
    bool flag = false;   // the box keeps its state while it is disabled
};
TriggerEditorForm LoadTriggerEditor(const TriggerTable& triggers, int index, uint32_t codePage);

// The name edit takes every character but control characters; a pasted text
// loses them (a line break pasted into a one-line name).
bool TriggerNameAccepts(wchar_t c);
std::wstring FilterTriggerNamePaste(const std::wstring& text);

// The editor's copies of the document's tables, taken when it opens.
struct TriggerEditorCopies {
    TriggerTable triggers;
    FileTable files;
    MailSendTable mailSends;
    DataSetTable dataSets;
    TimeBlock time;
};
TriggerEditorCopies CopiesOf(const ImageBlocks& blocks);

// The working data of the editor that opened the trigger list as a chooser.
// Its references are cleaned apart from the document's, so that its Cancel
// still discards its own edits.
struct OpenerWorkingCopy {
    enum class Kind { None, Files, DataSet, MailSends, Time };
    Kind kind = Kind::None;
    FileTable files;       // Files
    DataSetRecord dataSet; // DataSet: the one record it edits
    int dataSetIndex = -1;
    MailSendTable mailSends; // MailSends
    TimeBlock time;          // Time
};

// The kind page's check and store: writes its parameters into the record,
// or refuses without touching anything. Empty for a form without a page.
using KindPageStore = std::function<Refusal(TriggerRecord&)>;

// What OK leaves to apply. Nothing is applied when refused or stayed.
struct TriggerEditorOk {
    Refusal refusal;       // show it and keep the editor open
    bool stay = false;     // a question was answered No: keep the editor open
    TriggerTable triggers; // into the document and the trigger list
    // Tables whose references were cleared, for the document.
    std::optional<FileTable> files;
    std::optional<DataSetTable> dataSets;
    std::optional<MailSendTable> mailSends;
    std::optional<TimeBlock> time;
    // The opener's working copy with the same references cleared (kind None
    // when the opener is no chooser).
    OpenerWorkingCopy opener;

    bool Accepted() const { return !refusal.Refused() && !stay; }
};

// The OK road over the editor's copies: the page's store and the name are
// checked before any question is asked or any reference cleared.
TriggerEditorOk TriggerEditorStore(const TriggerEditorForm& form, int index,
                                   const TriggerEditorCopies& copies,
                                   const KindPageStore& pageStore, const OpenerWorkingCopy& opener,
                                   uint32_t codePage, EditorQuestions& questions);

// Combinations of record `index` (now a cycle) with a cycle, itself included;
// Yes empties them in `triggers`. False when answered No.
bool CheckCycleCombination(TriggerTable& triggers, int index, EditorQuestions& questions);

// Writes the outcome of an accepted OK into the document's blocks.
void ApplyTriggerEditorOk(const TriggerEditorOk& ok, ImageBlocks& blocks);

} // namespace qv
