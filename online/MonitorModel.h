// What the monitor window shows: the device items of one log file or the
// unit's system registers, and the poll that fills their values from one
// block read. Rows carry their own record copy, so a poll never looks a
// device up in a table by a number a file may have damaged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/SettingsImage.h"
#include "link/LinkResult.h"
#include "link/UnitTools.h"

namespace qv {

class CUnitSession;
class ProfileStore;

constexpr int kMonitorFileGroups = 16;
constexpr int kMonitorSystemGroup = 16;
constexpr int kMonitorGroupCount = 17;
// One file's values: 300 devices of 2 words or 150 of 4. The protocol's
// limit for one read is 1024 words.
constexpr int kMonitorMaxWords = 600;
constexpr int kMonitorColumns = 7;
constexpr int kMonitorValueColumn = 5;
// Column-width slots of the two layouts.
constexpr int kMonitorItemSlot = 13;
constexpr int kMonitorSystemSlot = 14;
constexpr const wchar_t* kNoValue = L"---";

// What a poll asks of the link.
class MonitorLink {
public:
    virtual ~MonitorLink() = default;
    virtual LinkResult ReadContactWords(int first, uint16_t (&words)[16]) = 0;
    virtual LinkResult ReadDataWords(int first, int count, uint16_t* words) = 0;
    virtual int ReadMonitorValues(MonitorRegisters& out) = 0;
    virtual void CloseSession() = 0;
};

// The window's session.
class SessionMonitorLink : public MonitorLink {
public:
    explicit SessionMonitorLink(CUnitSession& session) : session_(session) {}
    LinkResult ReadContactWords(int first, uint16_t (&words)[16]) override;
    LinkResult ReadDataWords(int first, int count, uint16_t* words) override;
    int ReadMonitorValues(MonitorRegisters& out) override;
    void CloseSession() override;

private:
    CUnitSession& session_;
};

struct MonitorRow {
    int number = 0; // device number, or the register number
    std::wstring cells[kMonitorColumns];
    bool on = false; // a contact item shown as "ON"
    DeviceRecord record{};
};

struct MonitorColumn {
    unsigned heading;
    int width;
    bool centred;
};
// The columns of the item layout (file groups) or of the system layout.
std::vector<MonitorColumn> MonitorColumns(bool system);

// The value text of `type` from words 0..3 (word 0 least significant);
// decimals for a float.
std::wstring MonitorValueText(const uint16_t (&words)[4], int type, int decimals);
// Bit n (0..255) of the 16 words.
bool TestContactBit(const uint16_t (&words)[16], int n);

class MonitorModel {
public:
    MonitorModel(const FileTable& files, uint32_t codePage);

    // The rows of group 0..16 from the document's blocks.
    void FillGroup(int group, const ImageBlocks& blocks);
    int Group() const { return group_; }
    const std::vector<MonitorRow>& Rows() const { return rows_; }
    // Words read for the file group shown (0: nothing to read).
    int ReadWordCount() const;
    // One poll: the value column of every row.
    void Poll(MonitorLink& link);

private:
    void PollFile(MonitorLink& link);
    void PollSystem(MonitorLink& link);
    void SetAll(const wchar_t* text);

    FileTable files_;
    uint32_t codePage_;
    uint8_t errorNotify21_ = 0;
    int group_ = -1;
    std::vector<MonitorRow> rows_;
};

// The window's rectangle in the profile; zeros when none is stored.
struct MonitorRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
};
MonitorRect LoadMonitorRect(const ProfileStore& profile);
void SaveMonitorRect(ProfileStore& profile, const MonitorRect& rect);

} // namespace qv
