#include "editors/triggers/TriggerListModel.h"

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/StringTable.h"
#include "editors/triggers/TriggerEditorModel.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {

namespace {
const char kSection[] = "Settings\\Config";
const char* const kRectNames[4] = {"TrigSel Left", "TrigSel Top", "TrigSel Width",
                                   "TrigSel Height"};
} // namespace

TriggerRow TriggerListRow(const TriggerTable& triggers, size_t index, uint32_t codePage,
                          const TriggerConditionFormat& condition) {
    const TriggerRecord& r = triggers[index];
    TriggerRow row;
    row.number = std::to_wstring(index + 1);
    if (r.U8(trig::kName) == 0 && r.U8(trig::kKind) == kTriggerNone)
        return row;
    row.name = ReadTextField(r.data() + trig::kName, kNameWidth, codePage);
    row.kind = GetKindName(r.U8(trig::kKind));
    if (condition)
        row.condition = condition(triggers, index);
    row.flag = r.U8(trig::kFlag) != 0 ? ResString(kStrTriggerFlagged) : L"-";
    return row;
}

std::vector<TriggerRow> TriggerListRows(const TriggerTable& triggers, uint32_t codePage,
                                        const TriggerConditionFormat& condition) {
    std::vector<TriggerRow> rows;
    for (size_t i = 0; i < kEditableTriggers; ++i)
        rows.push_back(TriggerListRow(triggers, i, codePage, condition));
    return rows;
}

TriggerDeletion DeleteCheckedTriggers(TriggerTable& triggers, const std::vector<bool>& checked,
                                      EditorQuestions& questions) {
    TriggerDeletion del;
    for (size_t i = 0; i < kEditableTriggers && i < checked.size(); ++i)
        if (checked[i])
            del.rows.push_back(i);
    if (del.rows.empty()) {
        del.refusal = Refuse(kMsgDeleteNoneChecked, 0);
        return del;
    }
    if (!questions.AskYesNo(kMsgDeleteTriggers)) {
        del.rows.clear();
        return del;
    }
    for (size_t i : del.rows)
        triggers[i].Clear();
    del.deleted = true;
    return del;
}

TriggerChooserOk ChooseCheckedTrigger(const TriggerTable& triggers,
                                      const std::vector<bool>& checked) {
    TriggerChooserOk ok;
    int found = -1;
    for (size_t i = 0; i < kEditableTriggers && i < checked.size(); ++i) {
        if (!checked[i])
            continue;
        if (found >= 0) {
            ok.refusal = Refuse(kMsgChooseOnlyOne, 0);
            return ok;
        }
        found = static_cast<int>(i);
    }
    if (found < 0)
        ok.refusal = Refuse(kMsgChooseNone, 0);
    else if (IsRestrictedTrigger(triggers[static_cast<size_t>(found)]))
        ok.refusal = Refuse(kMsgTriggerExcluded, 0);
    else
        ok.chosen = found + 1;
    return ok;
}

std::optional<WindowRect> LoadTriggerListRect(const ProfileStore& profile) {
    int v[4];
    for (int i = 0; i < 4; ++i)
        // Stored as the two's complement of a position left of the screen.
        v[i] = static_cast<int32_t>(profile.ReadNumber(kSection, kRectNames[i]).value_or(0));
    const WindowRect rect{v[0], v[1], v[2], v[3]};
    const auto sane = [](int x, int lo, int hi) { return x >= lo && x <= hi; };
    // The window is centred on its owner after this, so only the size counts.
    if (!sane(rect.width, 1, kMaxWindowSide) || !sane(rect.height, 1, kMaxWindowSide))
        return std::nullopt;
    return rect;
}

void SaveTriggerListRect(ProfileStore& profile, const WindowRect& rect) {
    const int v[4] = {rect.left, rect.top, rect.width, rect.height};
    for (int i = 0; i < 4; ++i)
        profile.WriteNumber(kSection, kRectNames[i], static_cast<uint32_t>(v[i]));
}

} // namespace qv
