#include "link/UnitSession.h"

#include <cstdio>

#include "document/Scramble.h"

namespace qv {

using namespace link_result;

namespace {

bool LeavesLinkOutOfStep(LinkResult r) {
    return r >= 200 && r < 400;
}

std::string Request(const std::string& body) {
    std::string f = "%";
    f += kStation;
    f += body;
    return f;
}

std::string Printf(const char* fmt, int a, int b) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

} // namespace

CUnitSession::CUnitSession(ProfileStore& profile, uint32_t codePage, ProgressSink* progress,
                           PasswordPrompt* prompt, Sleeper& sleeper)
    : CUnitComm(profile, codePage, progress, prompt, sleeper) {}

CUnitSession::~CUnitSession() {
    CloseSession();
}

void CUnitSession::CloseSession() {
    if (SessionOpen == 1)
        CloseLink();
    SessionOpen = 0;
}

LinkResult CUnitSession::OpenBySessionRule() {
    if (SessionOpen == 1 && LinkIsOpen())
        return kOk;
    LastError = 0;
    const LinkResult r = OpenLink();
    SessionOpen = r == kOk ? 1 : 0;
    return r;
}

void CUnitSession::CloseAfter(LinkResult r) {
    if (LeavesLinkOutOfStep(r))
        CloseSession();
}

LinkResult CUnitSession::SessionRun(const std::function<LinkResult()>& body) {
    if (OpenBySessionRule() != kOk)
        return kSerialOpen;
    const LinkResult r = body();
    CloseAfter(r);
    return r;
}

LinkResult CUnitSession::SessionReadContact(const ContactName& contact, uint16_t& value) {
    return SessionRun([&] { return DoReadContact(contact, value); });
}

LinkResult CUnitSession::WriteContact(const ContactName& contact, int value) {
    std::string f = ContactRequest("WCS", contact);
    f += value != 0 ? '1' : '0';
    return SessionRun([&] { return DoSimple(f); });
}

LinkResult CUnitSession::ReadContactWords(int first, uint16_t (&words)[16]) {
    if (first < 0 || first + 15 > 9999) {
        LastError = 0;
        return kBadRequest;
    }
    return SessionRun([&] {
        std::string f = Request(Printf("#RCCR%04d%04d", first, first + 15));
        ReplyFrame reply;
        const LinkResult r = Exchange(FinishFrame(f, false), kReplyCapacity, reply);
        if (r == kUnitError) {
            for (uint16_t& w : words)
                w = 0xFFFF;
            return r;
        }
        if (r != kOk)
            return r;
        if (reply.data.size() < 64 || !IsHexText(reply.data.substr(0, 64)))
            return kReplyMalformed;
        for (int i = 0; i < 16; ++i)
            words[i] = HexToWordLE(reply.data.data() + 4 * i);
        return kOk;
    });
}

LinkResult CUnitSession::SessionReadDataWords(int first, int count, uint16_t* words) {
    if (count < 1 || count > 1024 || first < 0 || first + count - 1 > 99999) {
        LastError = 0;
        return kBadRequest;
    }
    return SessionRun([&] {
        std::string f = "<";
        f += kStation;
        f += Printf("#RDD%05d%05d", first, first + count - 1);
        std::string data;
        const LinkResult r = MultiFrameRead(FinishFrame(f, false), '<',
                                            size_t{4} * static_cast<size_t>(count), nullptr, data);
        if (r == kUnitError) {
            for (int i = 0; i < count; ++i)
                words[i] = 0xFFFF;
            return r;
        }
        if (r != kOk)
            return r;
        for (int i = 0; i < count; ++i)
            words[i] = HexToWordLE(data.data() + 4 * i);
        return kOk;
    });
}

LinkResult CUnitSession::SetUnitMode(const std::string& mode) {
    if (mode != "R" && mode != "P") {
        LastError = 0;
        return kBadRequest;
    }
    return SessionRun([&] { return DoSimple(Request("#RM" + mode)); });
}

LinkResult CUnitSession::SessionClearUnit() {
    return SessionRun([&] { return DoSimple(Request("#0F")); });
}

LinkResult CUnitSession::SendCode1D5() {
    return SessionRun([&] { return DoSimple(Request("#1D5")); });
}

LinkResult CUnitSession::SessionReadStatus(std::string& text) {
    const LinkResult opened = OpenBySessionRule();
    if (opened != kOk)
        return opened;
    const LinkResult r = DoReadStatus(text);
    CloseAfter(r);
    return r;
}

LinkResult CUnitSession::SessionPasswordCommand(int subCode, const std::string& scrambled) {
    if (subCode < 0 || subCode > 0xF) {
        LastError = 0;
        return kBadRequest;
    }
    return SessionRun([&] { return DoPasswordCommand(subCode, scrambled); });
}

int CUnitSession::WaitRelay999D() {
    LoadCommSettings();
    if (OpenBySessionRule() != kOk)
        return 0;
    const ContactName contact{"R", "999D"};
    for (int i = 0; i < kRelayPolls; ++i) {
        if (i > 0)
            sleeper_.SleepMs(kRelayPollMs);
        uint16_t value = 0;
        if (SessionReadContact(contact, value) != kOk)
            return 0;
        if (value == 1)
            return 1;
    }
    return 0;
}

int CUnitSession::ReadRelayOnce(const char* address) {
    LoadCommSettings();
    if (OpenBySessionRule() != kOk)
        return 0;
    uint16_t value = 0;
    return SessionReadContact(ContactName{"R", address}, value) == kOk && value == 1 ? 1 : 0;
}

int CUnitSession::ReadRelay999E() {
    return ReadRelayOnce("999E");
}
int CUnitSession::ReadRelay999F() {
    return ReadRelayOnce("999F");
}

LinkResult CUnitSession::SessionLogin() {
    LoadCommSettings();
    sleeper_.SleepMs(1000);
    uint16_t probe[1];
    const LinkResult r = SessionReadBlock(0, 1, probe);
    if (r != kUnitError)
        return r;
    if (LastError != kUnitAsksPassword)
        return kUnitError;
    std::string scrambled;
    const LinkResult asked = LoginPasswordBytes(std::nullopt, scrambled);
    if (asked != kOk)
        return asked;
    return SessionPasswordCommand(kPasswordLogin, scrambled);
}

LinkResult CUnitSession::SessionReadBlock(uint32_t first, uint32_t count, uint16_t* words) {
    if (count < 1 || count > 1024 || first > 0xFFFFFFFFu - (count - 1)) {
        LastError = 0;
        return kBadRequest;
    }
    return SessionRun([&] {
        std::string text;
        const LinkResult r = DoBlockRead(first, count, nullptr, text);
        if (r == kOk)
            BlockTextToWords(text, count, words);
        return r;
    });
}

LinkResult CUnitSession::SessionWriteBlock(const uint8_t* data, uint32_t size) {
    if (size < 1) {
        LastError = 0;
        return kBadRequest;
    }
    if (OpenBySessionRule() != kOk)
        return kSerialOpen;
    if (progress_)
        progress_->Begin(kMsgWritingFirmware, static_cast<int>(size));
    const LinkResult r = BlockWriteFrames(data, size, true, progress_);
    CloseAfter(r);
    if (progress_)
        progress_->End();
    return r;
}

} // namespace qv
