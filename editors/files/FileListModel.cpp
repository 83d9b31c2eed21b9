#include "editors/files/FileListModel.h"

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "editors/files/FileEditorModel.h"

namespace qv {

namespace {

std::wstring TriggerName(const TriggerTable& triggers, int number, uint32_t codePage) {
    if (number < 1 || static_cast<size_t>(number) > TriggerTable::kCount)
        return std::wstring();
    return ReadTextField(triggers[static_cast<size_t>(number - 1)].data() + trig::kName, kNameWidth,
                         codePage);
}

// The count's word is also a suffix elsewhere; here it leads.
std::wstring Trimmed(std::wstring text) {
    text.erase(0, text.find_first_not_of(L' '));
    return text;
}

std::wstring CountText(const FileRecord& f, const TriggerTable& triggers, uint32_t codePage) {
    if (f.U8(frec::kBySecondTrigger) == 0)
        return Trimmed(ResString(kStrWritesCount)) + L": " + std::to_wstring(f.U32(frec::kCount));
    const int second = f.U8(frec::kSecondTrigger);
    return ResString(kStrWritesOnTrigger) + L": No." + std::to_wstring(second) + L"(" +
           TriggerName(triggers, second, codePage) + L")";
}

} // namespace

bool IsUntouchedLogFile(const FileRecord& f) {
    return f.U8(frec::kName) == 0 && f.U16(frec::kTrigger) == 0 && f.U32(frec::kCount) == 60 &&
           f.U8(frec::kQuantity) == 60 && f.U8(frec::kSecondTrigger) == 0;
}

FileRowText FormatFileSetRow(const FileTable& files, const TriggerTable& triggers, int row,
                             uint32_t codePage) {
    FileRowText t;
    t.number = std::to_wstring(row + 1);
    const FileRecord& f = files[static_cast<size_t>(row)];
    if (IsUntouchedLogFile(f))
        return t;
    t.name = ReadTextField(f.data() + frec::kName, kFileNameChars, codePage);
    const int trigger = f.U16(frec::kTrigger);
    t.trigger = trigger == 0 ? ResString(kStrNoTrigger)
                             : L"No." + std::to_wstring(trigger) + L"(" +
                                   TriggerName(triggers, trigger, codePage) + L")";
    t.quantity = std::to_wstring(f.U8(frec::kQuantity));
    t.count = CountText(f, triggers, codePage);
    return t;
}

FileRowText FormatHistoryRow(const FileTable& files, const TriggerTable& triggers, int recordIndex,
                             uint32_t codePage) {
    FileRowText t;
    t.number = L"1";
    const FileRecord& f = files[static_cast<size_t>(recordIndex)];
    t.name = ReadTextField(f.data() + frec::kName, kFileNameChars, codePage);
    t.quantity = std::to_wstring(f.U8(frec::kQuantity));
    t.count = CountText(f, triggers, codePage);
    return t;
}

void ResetLogFile(FileRecord& record) {
    record.Clear();
    record.SetU32(frec::kCount, 60);
    record.SetU8(frec::kQuantity, 60);
    record.SetU8(frec::kDecimals, 2);
}

bool ResetFiles(FileTable& files, const std::vector<bool>& checked, EditorQuestions& questions) {
    bool asked = false;
    for (size_t r = 0; r < checked.size() && r < 16; ++r) {
        if (!checked[r])
            continue;
        if (!asked && !questions.AskYesNo(kMsgResetFiles))
            return false;
        asked = true;
        ResetLogFile(files[r]);
    }
    return asked;
}

} // namespace qv
