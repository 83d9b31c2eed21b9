#include "online/ConnectionModel.h"

#include <arpa/inet.h>

#include <cstring>
#include <memory>

#include "document/MessageType.h"
#include "document/ProfileStore.h"
#include "document/QuorvelDoc.h"
#include "document/Records.h"
#include "document/StringTable.h"
#include "link/UnitComm.h"
#include "link/UnitTools.h"

namespace qv {

using namespace link_result;

namespace {

constexpr unsigned kOkExclamation = kMbOk | kMbIconExclamation;
constexpr unsigned kOkInformation = kMbOk | kMbIconInformation;
constexpr unsigned kYesNoExclamation = kMbYesNo | kMbIconExclamation;

constexpr uint16_t kVersion230 = 0x021E;
constexpr uint16_t kVersion240 = 0x0228;
constexpr uint16_t kVersion250 = 0x0232;
constexpr uint8_t kClockSyncMode2 = 2;
constexpr uint8_t kPortNumberDefault = 60;
constexpr uint8_t kType64Signed = 7, kType64Unsigned = 8;
constexpr size_t kLogFiles = 16, kUsedTriggers = 128;
static_assert(sizeof(TransferImage) == kBlockImageSize, "the read fills the whole transfer image");

template <size_t N> void CopyField(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N - 1 ? text.size() : N - 1);
}

template <size_t N> std::string FieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// A unit address the link can reach: dotted IPv4 and not 0.0.0.0.
bool UsableUnitAddress(const std::string& text) {
    in_addr a{};
    return inet_pton(AF_INET, text.c_str(), &a) == 1 && a.s_addr != 0;
}

bool Is64BitType(uint8_t type) {
    return type == kType64Signed || type == kType64Unsigned;
}

} // namespace

ConnectionForm LoadConnectionForm(const CommSettings& settings) {
    ConnectionForm form;
    form.LinkType = settings.CommType == kCommSerial ? kCommSerial : kCommTcp;
    form.SerialPort = FieldText(settings.ComName);
    form.PcAddress = FieldText(settings.PCIPAddr);
    form.UnitAddress = FieldText(settings.TcpIPAddr);
    return form;
}

FormCheck CheckConnectionForm(const ConnectionForm& form, const CommSettings& stored) {
    if (form.LinkType == kCommSerial) {
        if (form.SerialPort.empty() || form.SerialPort.size() >= kComNameField)
            return {kMsgNoSerialPort, FormField::SerialPort};
        return {};
    }
    if (!UsableUnitAddress(FieldText(stored.TcpIPAddr)))
        return {kMsgNoUnitAddress, FormField::UnitAddress};
    return {};
}

void StoreConnectionForm(const ConnectionForm& form, CommSettings& settings) {
    settings.CommType = form.LinkType == kCommSerial ? kCommSerial : kCommTcp;
    CopyField(settings.PCIPAddr, form.PcAddress);
    if (settings.CommType == kCommSerial)
        CopyField(settings.ComName, form.SerialPort);
}

std::wstring ConnectionMessageText(const ConnectionMessage& message) {
    std::wstring text;
    for (size_t i = 0; i < message.Ids.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += ResString(message.Ids[i]);
    }
    switch (message.Join) {
    case DetailJoin::None:
        break;
    case DetailJoin::BlankLine:
        text += L"\n\n" + message.Detail;
        break;
    case DetailJoin::Bracketed:
        text += L"\n\n[" + message.Detail + L"]";
        break;
    case DetailJoin::Parenthesised:
        text += L"\n(" + message.Detail + L")";
        break;
    }
    return text;
}

bool DocumentUses64Bit(const CQuorvelDoc& doc) {
    const ImageBlocks& b = doc.Blocks();
    for (size_t i = 0; i < kLogFiles; ++i)
        if (b.files[i].U8(file::kWide64) == 1)
            return true;
    for (size_t i = 0; i < DataSetTable::kCount; ++i)
        if (Is64BitType(b.dataSets[i].U8(dset::kDataType)))
            return true;
    for (size_t i = 0; i < kUsedTriggers; ++i)
        if (b.triggers[i].U8(trig::kKind) == kTriggerRegister &&
            Is64BitType(b.triggers[i].U8(trig::kRegDataType)))
            return true;
    return false;
}

ConnectionModel::ConnectionModel(ProfileStore& profile, uint32_t codePage, CQuorvelDoc& doc,
                                 ConnectionUser& user, ProgressSink* progress,
                                 PasswordPrompt* prompt, Sleeper& sleeper)
    : profile_(profile), codePage_(codePage), doc_(doc), user_(user), progress_(progress),
      prompt_(prompt), sleeper_(sleeper) {}

ConnectionEnd ConnectionModel::Accept(ConnectionAction mode, const ConnectionForm& form,
                                      FormField* focus) {
    CommSettings settings;
    LoadCommSettings(profile_, codePage_, settings);
    const FormCheck check = CheckConnectionForm(form, settings);
    if (focus)
        *focus = check.Focus;
    if (!check.Passed()) {
        Tell(check.MessageId, kOkExclamation);
        return ConnectionEnd::StayOpen;
    }
    StoreConnectionForm(form, settings);
    SaveCommSettings(profile_, codePage_, settings);
    // Confirmed by OK: kept even when the transfer that follows goes wrong.
    profile_.Flush();
    if (mode == ConnectionAction::Tool)
        return ConnectionEnd::Ok;

    CUnitComm link(profile_, codePage_, progress_, prompt_, sleeper_);
    return mode == ConnectionAction::Read ? Read(link) : Write(link);
}

ConnectionEnd ConnectionModel::Read(CUnitComm& link) {
    LinkResult result = link.Login();
    const bool loggedIn = result == kOk;
    std::vector<uint8_t> bytes;
    if (loggedIn)
        result = link.ReadBlock(kBlockImageSize, bytes);
    if (result != kOk && loggedIn) {
        // Leave the unit free for the next one; what it answers changes nothing.
        const uint32_t detail = link.LastError;
        link.PasswordCommand(kPasswordLogout);
        link.LastError = detail;
    }
    if (result == kCancelled)
        return ConnectionEnd::Cancel;
    if (result == kUnitError && link.LastError == 0x61) {
        Tell(kMsgWrongPassword, kOkExclamation);
        return ConnectionEnd::Cancel;
    }
    if (result != kOk) {
        TellLinkFailure(kMsgReadFailed, DetailJoin::BlankLine, link, result);
        return ConnectionEnd::Cancel;
    }
    link.PasswordCommand(kPasswordLogout);
    auto image = std::make_unique<TransferImage>();
    std::memcpy(image->data(), bytes.data(), image->size());
    doc_.ImageToDoc(*image);
    Tell(kMsgReadDone, kOkInformation);
    return ConnectionEnd::Ok;
}

ConnectionEnd ConnectionModel::CheckUnitBeforeWrite(CUnitComm& link) {
    std::string status;
    LinkResult result = link.ReadStatus(status);
    UnitStatusFields fields;
    if (result == kOk && !DecodeStatusReply(status, fields))
        result = kReplyMalformed;
    if (result != kOk) {
        TellLinkFailure(kMsgWriteFailed, DetailJoin::Bracketed, link, result);
        return ConnectionEnd::Cancel;
    }
    const bool uses64Bit = DocumentUses64Bit(doc_);
    uint16_t version = 0;
    result = link.ReadDataWords(kFirmwareVersionWord, 1, &version);
    if (result != kOk) {
        TellLinkFailure(kMsgWriteFailed, DetailJoin::Bracketed, link, result);
        return ConnectionEnd::Cancel;
    }

    const ImageBlocks& b = doc_.Blocks();
    if (b.time.U8(timeblk::kMode) == kClockSyncMode2 && version < kVersion250) {
        Tell(kMsgFirmwareNoClockMode2, kOkExclamation);
        return ConnectionEnd::Ok;
    }
    if (uses64Bit && version < kVersion240) {
        Tell(kMsgFirmwareNo64Bit, kOkExclamation);
        return ConnectionEnd::Ok;
    }
    if (version <= kVersion230) {
        // This question and the RUN-mode one below lead to a write over the
        // unit's settings, which cannot be undone: No is their default.
        ConnectionMessage ask{
            {kMsgOldFirmwareAsk}, kYesNoExclamation | kMbDefButton2, {}, DetailJoin::None};
        if (b.unit.U8(unit::kPortChoice) != 0 || b.unit.U8(unit::kPortChoice + 1) != 0)
            ask.Ids.push_back(kMsgOldFirmwarePortChoice);
        if (b.portNumbers.U8(portnum::kAdvanced1) != kPortNumberDefault ||
            b.portNumbers.U8(portnum::kAdvanced2) != kPortNumberDefault)
            ask.Ids.push_back(kMsgOldFirmwarePortNumbers);
        if (ask.Ids.size() > 1 && user_.Ask(ask) != kIdYes)
            return ConnectionEnd::Ok;
    }

    if (fields.Running()) {
        if (user_.Ask({{kMsgUnitRunsAskProgram}, kYesNoExclamation | kMbDefButton2, {},
                       DetailJoin::None}) != kIdYes)
            return ConnectionEnd::Cancel;
        if (link.SetProgramMode() != kOk) {
            Tell(kMsgProgramModeFailed, kOkExclamation);
            return ConnectionEnd::Cancel;
        }
    }
    return ConnectionEnd::StayOpen;
}

ConnectionEnd ConnectionModel::Write(CUnitComm& link) {
    const ConnectionEnd checked = CheckUnitBeforeWrite(link);
    if (checked != ConnectionEnd::StayOpen)
        return checked;

    LinkResult result = link.Login();
    const bool loggedIn = result == kOk;
    if (loggedIn) {
        doc_.StampWriteInfo();
        auto image = std::make_unique<TransferImage>();
        doc_.DocToImage(*image);
        result = link.WriteBlock(image->data());
    }
    if (result == kOk) {
        link.PasswordCommand(kPasswordLogout);
        Tell(kMsgWriteDone, kOkInformation);
        return ConnectionEnd::Ok;
    }
    const uint32_t detail = link.LastError;
    unsigned id = kMsgWriteFailed;
    if (result != kCancelled && !(result == kUnitError && detail == 0x61)) {
        if (link.WaitRelay999F() == 1)
            id = kMsgWriteFirmwareUpdating;
        else if (link.WaitRelay999E() == 1)
            id = kMsgWriteUnitError;
    }
    if (loggedIn)
        link.PasswordCommand(kPasswordLogout); // best effort; its answer changes nothing
    if (result == kCancelled)
        return ConnectionEnd::Cancel;
    if (result == kUnitError && detail == 0x61) {
        Tell(kMsgWrongPassword, kOkExclamation);
        return ConnectionEnd::Cancel;
    }
    ConnectionMessage failed{{id}, kOkExclamation, {}, DetailJoin::None};
    if (result == kEndedEarly) {
        const LinkResult timeout =
            link.CommSettings.CommType == kCommSerial ? kSerialSetTimeouts : kTcpSendWait;
        failed.Detail = GetCommErrorText(timeout, static_cast<uint32_t>(timeout));
        failed.Join = DetailJoin::Parenthesised;
    }
    user_.Tell(failed);
    return ConnectionEnd::Cancel;
}

void ConnectionModel::TellLinkFailure(unsigned id, DetailJoin join, const CUnitComm& link,
                                      LinkResult result) {
    user_.Tell({{id}, kOkExclamation, GetCommErrorText(result, link.LastError), join});
}

void ConnectionModel::Tell(unsigned id, unsigned type) {
    user_.Tell({{id}, type, {}, DetailJoin::None});
}

} // namespace qv
