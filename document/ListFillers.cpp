#include "document/ListFillers.h"

#include "document/CodePageText.h"
#include "document/StringTable.h"

namespace qv {

bool IsRestrictedTrigger(const TriggerRecord& t) {
    switch (t.U8(trig::kKind)) {
    case kTriggerContact:
        return t.U8(trig::kContactCondition) == 5;
    case kTriggerRegister:
        return t.U8(trig::kRegExcluded) == 1;
    default:
        return false;
    }
}

std::vector<TriggerChoice> TriggerChoices(const TriggerTable& triggers, uint32_t codePage,
                                          bool leadingNone) {
    constexpr size_t kTriggers = 128;
    std::vector<TriggerChoice> out;
    out.reserve(kTriggers + 1);
    if (leadingNone)
        out.push_back({ResString(kStrNoTrigger), 0, 0});
    for (size_t i = 0; i < kTriggers; ++i) {
        const TriggerRecord& t = triggers[i];
        TriggerChoice c;
        c.flag = IsRestrictedTrigger(t) ? 1 : 0;
        c.itemData = static_cast<int>(i + 1);
        c.text = (c.flag ? L"*" : L"") + std::to_wstring(i + 1) + L"(" +
                 ReadTextField(t.data() + trig::kName, kNameWidth, codePage) + L")";
        out.push_back(std::move(c));
    }
    return out;
}

std::vector<RecipientRow> RecipientRows(const UserTable& users, uint16_t mask, uint32_t codePage) {
    std::vector<RecipientRow> rows(kRecipientCount);
    for (size_t i = 0; i < kRecipientCount; ++i) {
        const UserRecord& u = users[i];
        RecipientRow& r = rows[i];
        r.checked = (mask >> i) & 1;
        r.number = std::to_wstring(i + 1);
        r.name = ReadTextField(u.data() + user::kName, user::kNameWidth, codePage);
        r.address = ReadTextField(u.data() + user::kAddress, user::kAddressWidth, codePage);
    }
    return rows;
}

std::wstring RecipientNames(const UserTable& users, uint16_t mask, uint32_t codePage) {
    std::wstring names;
    for (size_t i = 0; i < UserTable::kCount; ++i) {
        if (!((mask >> i) & 1))
            continue;
        if (!names.empty())
            names += L", ";
        names += ReadTextField(users[i].data() + user::kName, user::kNameWidth, codePage);
    }
    return names;
}

uint16_t MaskOfChecked(const std::vector<bool>& checked) {
    uint16_t mask = 0;
    for (size_t i = 0; i < checked.size() && i < kRecipientCount; ++i)
        if (checked[i])
            mask = static_cast<uint16_t>(mask | 1u << i);
    return mask;
}

std::vector<ColumnLayout> RecipientColumns(int list, const std::vector<int32_t>& savedWidths) {
    std::vector<ColumnLayout> cols = {{22, true}, {35, true}, {70, false}, {140, false}};
    if (list == 7) {
        cols[2].width = 135;
        cols[3].width = 245;
    } else if (list == 8) {
        cols[2].width = 125;
        cols[3].width = 225;
    }
    for (size_t c = 0; c < cols.size() && c < savedWidths.size(); ++c)
        if (savedWidths[c] >= 0)
            cols[c].width = savedWidths[c];
    return cols;
}

} // namespace qv
