// The connection dialog without its window: the link form, its check, and
// what OK does in each mode (the settings read and the settings write).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "link/CommSettings.h"
#include "link/LinkResult.h"
#include "link/LinkServices.h"

namespace qv {

class CQuorvelDoc;
class CUnitComm;
class ProfileStore;

// Resource strings of the connection dialog.
constexpr unsigned kMsgWrongPassword = 20201;
constexpr unsigned kMsgNoSerialPort = 20310;
constexpr unsigned kMsgNoUnitAddress = 20311;
constexpr unsigned kMsgReadFailed = 20312;
constexpr unsigned kMsgReadDone = 20313;
constexpr unsigned kMsgWriteFailed = 20314;
constexpr unsigned kMsgWriteDone = 20315;
constexpr unsigned kMsgFirmwareNo64Bit = 20321;
constexpr unsigned kMsgFirmwareNoClockMode2 = 20322;
constexpr unsigned kMsgUnitRunsAskProgram = 20390;
constexpr unsigned kMsgProgramModeFailed = 20391;
constexpr unsigned kMsgWriteFirmwareUpdating = 20437;
constexpr unsigned kMsgWriteUnitError = 20438;
constexpr unsigned kMsgOldFirmwareAsk = 63119;
constexpr unsigned kMsgOldFirmwarePortChoice = 63120;
constexpr unsigned kMsgOldFirmwarePortNumbers = 63121;

// Data word of the unit's firmware version (major in the high byte).
constexpr int kFirmwareVersionWord = 90153;

enum class ConnectionAction { Read = 0, Write = 1, Tool = 3 };

// How the dialog ends: IDOK, IDCANCEL, or it stays open on a form fault.
enum class ConnectionEnd { Ok, Cancel, StayOpen };

// What the dialog shows: the link type, the chosen serial port, the PC's
// own address and the unit's address (shown only; buttons store it).
struct ConnectionForm {
    uint32_t LinkType = kCommTcp; // kCommSerial or kCommTcp
    std::string SerialPort;       // `COM Name`; empty: no port chosen
    std::string PcAddress;        // the chosen adapter address; empty: none
    std::string UnitAddress;      // `TCP IPAddr` as stored
};

enum class FormField { None, SerialPort, UnitAddress };

struct FormCheck {
    unsigned MessageId = 0; // 0: the form passes
    FormField Focus = FormField::None;
    bool Passed() const { return MessageId == 0; }
};

// The form as the dialog opens with the stored link settings.
ConnectionForm LoadConnectionForm(const CommSettings& settings);
// Checks the form against the settings just loaded: on the LAN the unit
// address is the stored one, not the shown one.
FormCheck CheckConnectionForm(const ConnectionForm& form, const CommSettings& stored);
// Puts the form's four fields into the settings; every other field (time-outs,
// port number, line settings) keeps its value.
void StoreConnectionForm(const ConnectionForm& form, CommSettings& settings);

// How a message joins its link error text.
enum class DetailJoin { None, BlankLine, Bracketed, Parenthesised };

// A message box of the dialog: string numbers joined by "\r\n", then the
// link error text, if any, joined as `Join` says.
struct ConnectionMessage {
    std::vector<unsigned> Ids;
    unsigned Type = 0;
    std::wstring Detail;
    DetailJoin Join = DetailJoin::None;
};

// The box's text with the texts of the active string table.
std::wstring ConnectionMessageText(const ConnectionMessage& message);

class ConnectionUser {
public:
    virtual ~ConnectionUser() = default;
    // A question; returns kIdYes, kIdNo, ...
    virtual int Ask(const ConnectionMessage& message) = 0;
    virtual void Tell(const ConnectionMessage& message) = 0;
};

// True when the document holds a 64-bit value: a log file of 64-bit mode,
// a data set of a 64-bit type, or a register trigger on a 64-bit type.
bool DocumentUses64Bit(const CQuorvelDoc& doc);

class ConnectionModel {
public:
    ConnectionModel(ProfileStore& profile, uint32_t codePage, CQuorvelDoc& doc,
                    ConnectionUser& user, ProgressSink* progress, PasswordPrompt* prompt,
                    Sleeper& sleeper);

    // OK: stores the form as the link settings when it passes (on a fault the
    // message is shown, `focus` names the field, nothing is stored), then runs
    // the mode's road with a link of its own.
    ConnectionEnd Accept(ConnectionAction mode, const ConnectionForm& form,
                         FormField* focus = nullptr);

private:
    ConnectionEnd Read(CUnitComm& link);
    ConnectionEnd Write(CUnitComm& link);
    // The checks before a write; Cancel or Ok ends the road, StayOpen goes on.
    ConnectionEnd CheckUnitBeforeWrite(CUnitComm& link);
    void TellLinkFailure(unsigned id, DetailJoin join, const CUnitComm& link, LinkResult result);
    void Tell(unsigned id, unsigned type);

    ProfileStore& profile_;
    uint32_t codePage_;
    CQuorvelDoc& doc_;
    ConnectionUser& user_;
    ProgressSink* progress_;
    PasswordPrompt* prompt_;
    Sleeper& sleeper_;
};

} // namespace qv
