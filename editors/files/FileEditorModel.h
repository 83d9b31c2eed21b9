// The file record editor's model: one log or history file's name, trigger,
// count or second trigger, options, 64-bit mode and mail recipients.
#pragma once
#include <cstdint>
#include <string>

#include "document/ListFillers.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgFileNameTooLong = 20000; // with 16 and 32
constexpr unsigned kMsgFileCountRange = 20001;  // with 1 and 100000
constexpr unsigned kMsgSecondTriggerMissing = 20140;
constexpr unsigned kMsgFileNameUsed = 20142;
constexpr unsigned kMsgFileNameLeadingSpace = 20144;
constexpr unsigned kMsgFileNameMissing = 20145;
constexpr unsigned kStrFileNameMissingTitle = 20146;
constexpr unsigned kMsgWideFileStored = 20147;
constexpr unsigned kMsgNarrowFileWideDevice = 20149;
constexpr unsigned kMsgWideFileHighDevice = 20165;
constexpr unsigned kMsgFileNameCharacter = 39600;
constexpr unsigned kStrFileNameCharacterTitle = 1000;

// Field offsets of a file record under their own names.
namespace frec {
constexpr size_t kName = 0x00, kCount = 0x20, kTrigger = 0x24, kQuantity = 0x26,
                 kSecondTrigger = 0x27, kModeFlag = 0x29, kBySecondTrigger = 0x2B, kHasUsers = 0x2C,
                 kByGroups = 0x2D, kUserMask = 0x2E, kGroupMask = 0x30, kFtpFlag = 0x32,
                 kMailFlag = 0x33, kDecimals = 0x34, kMode64 = 0x35;
} // namespace frec

constexpr int kFileQuantityMax = 100;
constexpr long kFileCountMax = 100000;
constexpr int kFileTriggerEntries = 129; // none, then triggers 1..128
constexpr size_t kFileNameChars = 32;
// Characters a file name may not hold: the unit makes file names of them.
extern const wchar_t kFileNameRefused[];

enum FileEditorField {
    kFileEdNone = 0,
    kFileEdName,
    kFileEdCount,
    kFileEdSecondTrigger,
};

// What the editor shows. A box index of -1 stands for a stored value the
// box has no entry for; OK keeps that value as it is.
struct FileEditorForm {
    std::wstring name;
    int trigger = 0;       // trigger box index = trigger number
    int quantityIndex = 0; // quantity - 1
    bool modeFlag = false; // the second radio button
    bool bySecondTrigger = false;
    int secondTrigger = 0;
    std::wstring count;
    bool mode64 = false; // log files only
    bool mailFlag = false;
    bool ftpFlag = false;
    bool byGroups = false;
    uint16_t userMask = 0;
    uint16_t groupMask = 0;
};

// The record index of a CurrentItem (1..16, 33, 65) and back.
inline int FileRecordIndex(uint32_t currentItem) {
    return static_cast<int>(currentItem) - 1;
}
inline bool IsLogFile(int recordIndex) {
    return recordIndex >= 0 && recordIndex < 16;
}
// The number the editor shows: 1..16 for a log file, 1 for a history file.
int ShownFileNumber(uint32_t currentItem);

FileEditorForm LoadFileEditor(const FileTable& files, int recordIndex, uint32_t codePage);

// The count as the box reads it: its leading digits, 0 without any.
long ReadLeadingNumber(const std::wstring& text);

// The name key filter: true when the name field's text holds a refused
// character, so the next key must be swallowed.
bool FileNameHasRefused(const std::wstring& text);

// The OK checks and store into `files` (the editor's working table) for the
// record at `recordIndex`; `devices` is read for the 64-bit mode checks.
// Nothing changes when refused. Bytes the editor does not show are kept.
Refusal StoreFileEditor(const FileEditorForm& form, int recordIndex, FileTable& files,
                        const DeviceTable& devices, uint32_t codePage);

// Recipient box switched between users and groups: the marks of the list
// before the switch go to the mask they belong to.
void SwitchRecipients(FileEditorForm& form, bool toGroups, uint16_t checkedBefore);

// The member column of a group: its members' names, separated by ", ".
std::wstring GroupMemberText(const SendGroupRecord& group, const UserTable& users,
                             uint32_t codePage);
// The group's name and member mask.
std::wstring GroupName(const SendGroupRecord& group, uint32_t codePage);
uint16_t GroupMembers(const SendGroupRecord& group);

} // namespace qv
