#include "editors/triggers/TriggerListModel.h"

#include <memory>

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

std::vector<TriggerRow> TypicalTriggerRows(uint32_t codePage,
                                           const TriggerConditionFormat& condition) {
    constexpr uint8_t kAreaR = 2, kAreaDt = 15;
    auto table = std::make_unique<TriggerTable>();
    TriggerTable& t = *table;
    auto named = [&](size_t i, const char* name, TriggerKind kind) -> TriggerRecord& {
        t[i].SetAscii(trig::kName, kNameWidth, name);
        t[i].SetU8(trig::kKind, kind);
        return t[i];
    };
    TriggerRecord& minute = named(0, "Every minute", kTriggerCycle);
    minute.SetU8(trig::kCycleMinutes, 1);
    minute.SetU8(trig::kCycleUnit, 1);
    TriggerRecord& morning = named(1, "Morning", kTriggerDate);
    morning.SetU8(trig::kDateRepeat, 3);
    morning.SetU8(trig::kDateHour, 8);
    TriggerRecord& weekdays = named(2, "Weekdays", kTriggerDate);
    weekdays.SetU8(trig::kDateRepeat, 2);
    weekdays.SetU8(trig::kDateWeekdays, 0x3E);
    weekdays.SetU8(trig::kDateHour, 7);
    weekdays.SetU8(trig::kDateMinute, 30);
    TriggerRecord& door = named(3, "Door open", kTriggerContact);
    door.SetU8(trig::kPort, kPortSerial1);
    door.SetU8(trig::kStation, 1);
    door.SetU8(trig::kArea, kAreaR);
    door.SetU32(trig::kAddress, 0x10A);
    TriggerRecord& level = named(4, "Level high", kTriggerRegister);
    level.SetU8(trig::kPort, kPortSerial1);
    level.SetU8(trig::kStation, 12);
    level.SetU8(trig::kArea, kAreaDt);
    level.SetU32(trig::kAddress, 12345);
    level.SetU8(trig::kRegDataType, kTypeU16);
    level.SetU8(trig::kRegCompare, 1);
    level.SetU32(trig::kRegValue1Low, 1000);
    level.SetU32(trig::kRegValue2Low, 2000);
    TriggerRecord& count = named(5, "Counter", kTriggerRegister);
    count.SetU8(trig::kArea, kAreaDt);
    count.SetU32(trig::kAddress, 500);
    count.SetU8(trig::kRegDataType, kTypeU32);
    count.SetU32(trig::kRegValue1Low, 50000);
    TriggerRecord& both = named(6, "Door and level", kTriggerCombination);
    both.SetU8(trig::kCombiFirst, 3);
    both.SetU8(trig::kCombiSecond, 4);
    std::vector<TriggerRow> rows;
    for (size_t i = 0; i <= 6; ++i)
        rows.push_back(TriggerListRow(t, i, codePage, condition));
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
        ok.refusal = Refuse(kMsgExcludedTrigger, 0);
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
