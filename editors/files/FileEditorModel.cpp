#include "editors/files/FileEditorModel.h"

#include "document/CodePageText.h"
#include "document/ListFillers.h"
#include "document/TextChecks.h"

namespace qv {

const wchar_t kFileNameRefused[] = L"\\/:.;*?\"<>|";

namespace {

Refusal NameBalloon(unsigned id) {
    Refusal r = Refuse(id, kFileEdName);
    r.balloon = true;
    return r;
}

// The name in upper case for the comparison that ignores letter case.
std::wstring UpperName(const FileRecord& record, uint32_t codePage) {
    return UpperCaseText(ReadTextField(record.data() + frec::kName, kFileNameChars, codePage));
}

// 64-bit mode against the file's devices among the first 300 records.
Refusal CheckWideMode(bool mode64, int recordIndex, const DeviceTable& devices) {
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        const DeviceRecord& d = devices[i];
        if (d.U8(dev::kFile) != recordIndex + 1)
            continue;
        if (mode64 && d.U16(dev::kNumber) > 150)
            return Refuse(kMsgWideFileHighDevice, kFileEdNone);
        const uint8_t type = d.U8(dev::kDataType);
        if (!mode64 && (type == kTypeS64 || type == kTypeU64))
            return Refuse(kMsgNarrowFileWideDevice, kFileEdNone);
    }
    return {};
}

} // namespace

int ShownFileNumber(uint32_t currentItem) {
    if (currentItem > 64)
        return static_cast<int>(currentItem) - 64;
    if (currentItem >= 32)
        return static_cast<int>(currentItem) - 32;
    return static_cast<int>(currentItem);
}

FileEditorForm LoadFileEditor(const FileTable& files, int recordIndex, uint32_t codePage) {
    const FileRecord& r = files[static_cast<size_t>(recordIndex)];
    FileEditorForm f;
    f.name = ReadTextField(r.data() + frec::kName, kFileNameChars, codePage);
    const int trigger = r.U16(frec::kTrigger);
    f.trigger = trigger < kFileTriggerEntries ? trigger : -1;
    const int quantity = r.U8(frec::kQuantity);
    f.quantityIndex = quantity == 0 ? 0 : quantity <= kFileQuantityMax ? quantity - 1 : -1;
    f.modeFlag = r.U8(frec::kModeFlag) != 0;
    f.bySecondTrigger = r.U8(frec::kBySecondTrigger) != 0;
    const int second = r.U8(frec::kSecondTrigger);
    f.secondTrigger = !f.bySecondTrigger ? 0 : second < kFileTriggerEntries ? second : -1;
    f.count = std::to_wstring(r.U32(frec::kCount));
    f.mode64 = r.U8(frec::kMode64) != 0;
    f.mailFlag = r.U8(frec::kMailFlag) != 0;
    f.ftpFlag = r.U8(frec::kFtpFlag) != 0;
    f.byGroups = r.U8(frec::kByGroups) != 0;
    f.userMask = r.U16(frec::kUserMask);
    f.groupMask = r.U16(frec::kGroupMask);
    return f;
}

long ReadLeadingNumber(const std::wstring& text) {
    long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            break;
        value = value * 10 + (c - L'0');
        if (value > kFileCountMax)
            return kFileCountMax + 1; // too large whatever follows
    }
    return value;
}

bool FileNameHasRefused(const std::wstring& text) {
    return !ContainsNoneOf(text, kFileNameRefused, text.size());
}

Refusal StoreFileEditor(const FileEditorForm& form, int recordIndex, FileTable& files,
                        const DeviceTable& devices, uint32_t codePage) {
    FileRecord r = files[static_cast<size_t>(recordIndex)];
    const std::string stored = FieldBytes(r.data() + frec::kName, kFileNameChars);
    const std::optional<std::string> multi = ShownTextToMulti(stored, form.name, codePage);
    if (!multi)
        return Refuse(kMsgTextNotInCodePage, kFileEdName);
    if (multi->size() > kFileNameChars)
        return Refuse(kMsgFileNameTooLong, kFileEdName, {16, 32});
    if (FileNameHasRefused(form.name))
        return NameBalloon(kMsgFileNameCharacter);
    if (!multi->empty() && (*multi)[0] == ' ')
        return NameBalloon(kMsgFileNameLeadingSpace);
    if (multi->empty())
        return NameBalloon(kMsgFileNameMissing);
    WriteMultiField(r.data() + frec::kName, kFileNameChars, *multi, codePage);
    if (form.trigger >= 0)
        r.SetU16(frec::kTrigger, static_cast<uint16_t>(form.trigger));
    if (IsLogFile(recordIndex)) {
        r.SetU8(frec::kMode64, form.mode64 ? 1 : 0);
        if (Refusal wide = CheckWideMode(form.mode64, recordIndex, devices); wide.Refused())
            return wide;
    }
    if (form.quantityIndex >= 0)
        r.SetU8(frec::kQuantity, static_cast<uint8_t>(form.quantityIndex + 1));
    r.SetU8(frec::kModeFlag, form.modeFlag ? 1 : 0);
    if (!form.bySecondTrigger) {
        const long count = ReadLeadingNumber(form.count);
        if (count < 1 || count > kFileCountMax)
            return Refuse(kMsgFileCountRange, kFileEdCount, {1, kFileCountMax});
        r.SetU8(frec::kBySecondTrigger, 0);
        r.SetU8(frec::kSecondTrigger, 0);
        r.SetU32(frec::kCount, static_cast<uint32_t>(count));
    } else {
        if (form.secondTrigger == 0)
            return Refuse(kMsgSecondTriggerMissing, kFileEdSecondTrigger);
        r.SetU8(frec::kBySecondTrigger, 1);
        if (form.secondTrigger > 0)
            r.SetU8(frec::kSecondTrigger, static_cast<uint8_t>(form.secondTrigger));
        r.SetU32(frec::kCount, 60);
    }
    r.SetU8(frec::kMailFlag, form.mailFlag ? 1 : 0);
    r.SetU8(frec::kByGroups, form.byGroups ? 1 : 0);
    r.SetU16(frec::kUserMask, form.userMask);
    r.SetU16(frec::kGroupMask, form.groupMask);
    r.SetU8(frec::kHasUsers, form.userMask != 0 ? 1 : 0);
    r.SetU8(frec::kFtpFlag, form.ftpFlag ? 1 : 0);
    const std::wstring upper = UpperName(r, codePage);
    for (size_t i = 0; i < FileTable::kCount; ++i)
        if (static_cast<int>(i) != recordIndex && UpperName(files[i], codePage) == upper)
            return Refuse(kMsgFileNameUsed, kFileEdName);
    files[static_cast<size_t>(recordIndex)] = r;
    return {};
}

void SwitchRecipients(FileEditorForm& form, bool toGroups, uint16_t checkedBefore) {
    if (toGroups)
        form.userMask = checkedBefore;
    else
        form.groupMask = checkedBefore;
    form.byGroups = toGroups;
}

std::wstring GroupName(const SendGroupRecord& group, uint32_t codePage) {
    return ReadTextField(group.data(), kNameWidth, codePage);
}

uint16_t GroupMembers(const SendGroupRecord& group) {
    return group.U16(34);
}

std::wstring GroupMemberText(const SendGroupRecord& group, const UserTable& users,
                             uint32_t codePage) {
    return RecipientNames(users, GroupMembers(group), codePage);
}

} // namespace qv
