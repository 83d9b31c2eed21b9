#include "link/UnitComm.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "document/Scramble.h"
#include "link/PosixIo.h"

namespace qv {

using namespace link_result;

namespace {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
    char buf[128];
    va_list ap;
    va_start(ap, fmt);
    const int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return std::string(buf, n < 0 ? 0 : std::min<size_t>(static_cast<size_t>(n), sizeof buf - 1));
}

std::string Request(const char* body) {
    std::string f = "%";
    f += kStation;
    f += body;
    return f;
}

} // namespace

std::string ContactRequest(const char* command, const ContactName& contact) {
    std::string f = Request("#");
    f += command;
    f += contact.Area.substr(0, 1);
    f += contact.Address.substr(0, 4);
    return f;
}

void BlockTextToWords(const std::string& text, uint32_t count, uint16_t* words) {
    const uint32_t n = (count + 1) / 2;
    for (uint32_t k = 0; k < n; ++k) {
        const size_t at = size_t{4} * k;
        if (at + 4 <= text.size())
            words[k] = HexToWordLE(text.data() + at);
        else
            words[k] = HexToByte(text.data() + at); // odd count: the last byte alone
    }
}

CUnitComm::CUnitComm(ProfileStore& profile, uint32_t codePage, ProgressSink* progress,
                     PasswordPrompt* prompt, Sleeper& sleeper)
    : CodePage(codePage), profile_(profile), progress_(progress), prompt_(prompt),
      sleeper_(sleeper), serial_(CommSettings), tcp_(CommSettings), udp_(CommSettings) {
    LoadCommSettings();
}

CUnitComm::~CUnitComm() {
    CloseLinkQuiet();
}

void CUnitComm::SetLoginPassword(const std::string& mb) {
    const std::string t = mb.substr(0, mb.find('\0'));
    const size_t n = FitOnCharBoundary(t, 8, CodePage);
    std::memset(LoginPassword, 0, sizeof LoginPassword);
    std::memcpy(LoginPassword, t.data(), n);
}

bool CUnitComm::SetLoginPassword(const std::wstring& text) {
    const std::optional<std::string> mb = WideToMulti(text, CodePage);
    if (!mb)
        return false;
    SetLoginPassword(*mb);
    return true;
}

void CUnitComm::LoadCommSettings() {
    qv::LoadCommSettings(profile_, CodePage, CommSettings);
}
void CUnitComm::SaveCommSettings() {
    qv::SaveCommSettings(profile_, CodePage, CommSettings);
}

// ---- transport steps ----

LinkResult CUnitComm::OpenSerial() {
    LastError = 0;
    CloseLinkQuiet();
    const LinkResult r = serial_.Open(SerialDevicePath(CommSettings, CodePage), LastError);
    if (r == kOk)
        active_ = &serial_;
    return r;
}

LinkResult CUnitComm::OpenTcp() {
    LastError = 0;
    CloseLinkQuiet();
    const LinkResult r = tcp_.Open(LastError);
    if (r == kOk) {
        active_ = &tcp_;
        lineOutOfStep_ = false; // nothing sent on the old connection comes on this one
    }
    return r;
}

LinkResult CUnitComm::SendSerial(const std::string& frame) {
    LastError = 0;
    reader_.Discard();
    serial_.DiscardInput();
    return serial_.Send(frame.data(), frame.size(), LastError);
}

LinkResult CUnitComm::SendTcp(const std::string& frame) {
    LastError = 0;
    reader_.Discard();
    tcp_.DiscardInput();
    return tcp_.Send(frame.data(), frame.size(), LastError);
}

LinkResult CUnitComm::RecvSerial(std::string& reply, size_t capacity) {
    LastError = 0;
    return reader_.ReadFrame(serial_, capacity, reply, LastError);
}

LinkResult CUnitComm::RecvTcp(std::string& reply, size_t capacity) {
    LastError = 0;
    return reader_.ReadFrame(tcp_, capacity, reply, LastError);
}

LinkResult CUnitComm::RecvSerialNoTimeout(std::string& reply, size_t capacity) {
    LastError = 0;
    serial_.SetRecvIdleMs(NoTimeoutIdleMs);
    const LinkResult r = reader_.ReadFrame(serial_, capacity, reply, LastError);
    serial_.SetRecvIdleMs(0);
    return r;
}

LinkResult CUnitComm::CloseSerial() {
    LastError = 0;
    if (active_ == &serial_) {
        active_ = nullptr;
        reader_.Discard();
    }
    return serial_.Close(LastError);
}

LinkResult CUnitComm::CloseTcp() {
    LastError = 0;
    if (active_ == &tcp_) {
        active_ = nullptr;
        reader_.Discard();
    }
    return tcp_.Close(LastError);
}

LinkResult CUnitComm::OpenUdp() {
    LastError = 0;
    return udp_.Open(LastError);
}

LinkResult CUnitComm::BroadcastUdp(const uint8_t (&datagram)[3]) {
    LastError = 0;
    return udp_.Broadcast(datagram, sizeof datagram, UdpPort, LastError);
}

LinkResult CUnitComm::RecvUdp(uint8_t* buffer, int& length) {
    LastError = 0;
    return udp_.Receive(buffer, length, LastError);
}

LinkResult CUnitComm::CloseUdp() {
    LastError = 0;
    return udp_.Close(LastError);
}

LinkResult CUnitComm::OpenLink() {
    if (CommSettings.CommType == kCommSerial)
        return OpenSerial();
    if (CommSettings.CommType == kCommTcp)
        return OpenTcp();
    LastError = EINVAL;
    return kSerialOpen;
}

void CUnitComm::CloseLink() {
    CloseLinkQuiet();
}

void CUnitComm::CloseLinkQuiet() {
    uint32_t ignored = 0;
    active_ = nullptr;
    reader_.Discard();
    serial_.Close(ignored);
    tcp_.Close(ignored);
}

LinkResult CUnitComm::SendFrame(const std::string& frame) {
    if (active_ && lineOutOfStep_) {
        const LinkResult quiet = AwaitQuietLine();
        if (quiet != kOk)
            return quiet;
    }
    LinkResult r = kSerialOpen;
    if (active_ == &serial_) {
        r = SendSerial(frame);
    } else if (active_ == &tcp_) {
        r = SendTcp(frame);
    } else {
        LastError = ENOTCONN;
        return r;
    }
    if (r != kOk)
        lineOutOfStep_ = true; // part of the frame may have gone out
    return r;
}

LinkResult CUnitComm::AwaitQuietLine() {
    const uint32_t quietMs = std::max<uint32_t>(
        1, active_ == &serial_ ? CommSettings.ComRecvTimeout : CommSettings.TcpRecvTimeout);
    const auto giveUp =
        posix_io::Clock::now() + std::chrono::milliseconds(quietMs * kQuietLineLimit);
    const auto setIdleMs = [this](uint32_t ms) {
        if (active_ == &serial_)
            serial_.SetRecvIdleMs(ms);
        else
            tcp_.SetRecvIdleMs(ms);
    };
    reader_.Discard();
    char scratch[4096];
    for (;;) {
        size_t got = 0;
        uint32_t err = 0;
        setIdleMs(quietMs);
        const LinkResult r = active_->ReadSome(scratch, sizeof scratch, got, err);
        setIdleMs(0);
        if (r != kOk && err == ETIMEDOUT) {
            lineOutOfStep_ = false;
            return kOk;
        }
        if (r != kOk) {
            LastError = err;
            return r;
        }
        if (posix_io::Clock::now() >= giveUp) {
            LastError = 0;
            return kReplyMismatch;
        }
    }
}

LinkResult CUnitComm::RecvFrame(std::string& reply, size_t capacity) {
    if (active_ == &serial_)
        return longWait_ ? RecvSerialNoTimeout(reply, capacity) : RecvSerial(reply, capacity);
    if (active_ == &tcp_) {
        tcp_.SetRecvIdleMs(longWait_ ? NoTimeoutIdleMs : 0);
        const LinkResult r = RecvTcp(reply, capacity);
        tcp_.SetRecvIdleMs(0);
        return r;
    }
    LastError = ENOTCONN;
    return kSerialOpen;
}

LinkResult CUnitComm::ReceiveReply(size_t capacity, ReplyKind kind, std::string_view echo,
                                   ReplyFrame& reply) {
    for (int stale = 0;; ++stale) {
        LinkResult r = RecvFrame(reply_, capacity);
        if (r == kOk)
            r = CheckReply(reply_, kind, reply);
        if (r != kOk) {
            // A time-out, or a frame that cannot be trusted (perhaps the tail
            // of a late one): what belongs to this request may still come.
            lineOutOfStep_ = true;
            return r;
        }
        if (!AnswersAnotherRequest(reply, echo))
            return kOk;
        if (stale >= kMaxStaleReplies) {
            lineOutOfStep_ = true;
            return kReplyMismatch;
        }
    }
}

LinkResult CUnitComm::Exchange(const std::string& frame, size_t capacity, ReplyFrame& reply) {
    return ExchangeAs(frame, capacity, ReplyKind::First, reply);
}

LinkResult CUnitComm::ExchangeAs(const std::string& frame, size_t capacity, ReplyKind kind,
                                 ReplyFrame& reply) {
    LinkResult r = SendFrame(frame);
    if (r != kOk)
        return r;
    r = ReceiveReply(capacity, kind, ExpectedEcho(frame), reply);
    if (r != kOk)
        return r;
    if (reply.isError) {
        LastError = reply.errorCode;
        return kUnitError;
    }
    return kOk;
}

LinkResult CUnitComm::OneShot(const std::function<LinkResult()>& body) {
    LastError = 0;
    LinkResult r = OpenLink();
    if (r != kOk)
        return r;
    r = body();
    CloseLinkQuiet();
    return r;
}

// ---- command bodies ----

LinkResult CUnitComm::DoReadContact(const ContactName& contact, uint16_t& value) {
    std::string f = ContactRequest("RCS", contact);
    ReplyFrame reply;
    const LinkResult r = Exchange(FinishFrame(f, false), kReplyCapacity, reply);
    if (r != kOk)
        return r;
    if (reply.data.empty() || (reply.data[0] != '0' && reply.data[0] != '1'))
        return kReplyMalformed;
    value = static_cast<uint16_t>(reply.data[0] - '0');
    return kOk;
}

LinkResult CUnitComm::DoSimple(const std::string& request) {
    std::string f = request;
    ReplyFrame reply;
    return Exchange(FinishFrame(f, false), kReplyCapacity, reply);
}

LinkResult CUnitComm::DoReadStatus(std::string& text) {
    std::string f = Request("#RT");
    ReplyFrame reply;
    const LinkResult r = Exchange(FinishFrame(f, false), kReplyCapacity, reply);
    if (r != kOk)
        return r;
    // The status fields lie at positions 6 to 21 (8 and 9 unused).
    if (reply.data.size() < 16 || !IsHexText(reply.data.substr(0, 2)) ||
        !IsHexText(reply.data.substr(4, 12)))
        return kReplyMalformed;
    text = reply_;
    return kOk;
}

LinkResult CUnitComm::DoPasswordCommand(int subCode, const std::string& scrambled) {
    if (subCode < 0 || subCode > 0xF)
        return kBadRequest;
    std::string f = Request(Format("#15%01X", subCode).c_str());
    if (subCode == kPasswordSet || subCode == kPasswordLogin) {
        for (size_t i = 0; i < 8; ++i)
            AppendByteHex(f, i < scrambled.size() ? static_cast<uint8_t>(scrambled[i]) : 0x7F);
    }
    return DoSimple(f);
}

LinkResult CUnitComm::MultiFrameRead(const std::string& request, char start, size_t needChars,
                                     ProgressSink* progress, std::string& data) {
    MultiFrameReply collected(needChars);
    std::string frame = request;
    const std::string next = ContinuationRequest(start);
    for (;;) {
        if (progress) {
            progress->SetPosition(static_cast<int>(collected.Data().size()));
            if (progress->PumpAndCancelled())
                return kCancelled;
        }
        LinkResult r = SendFrame(frame);
        if (r != kOk)
            return r;
        ReplyFrame reply;
        r = ReceiveReply(kBlockFrameCapacity, collected.NextKind(),
                         collected.Frames() == 0 ? ExpectedEcho(request) : std::string_view(),
                         reply);
        if (r != kOk)
            return r;
        if (reply.isError) {
            LastError = reply.errorCode;
            return kUnitError;
        }
        r = collected.Add(reply);
        if (r != kOk)
            return r;
        if (!reply.more)
            break;
        frame = next;
    }
    if (collected.Data().size() < needChars)
        return kReplyMalformed;
    data = collected.Data();
    return kOk;
}

LinkResult CUnitComm::DoBlockRead(uint32_t first, uint32_t count, ProgressSink* progress,
                                  std::string& text) {
    const char start = BlockStart(CommSettings.Cmd2K);
    std::string f = Format("%c%s#3A%08X%08X", start, kStation, first, first + count - 1);
    return MultiFrameRead(FinishFrame(f, false), start, size_t{2} * count, progress, text);
}

LinkResult CUnitComm::BlockWriteFrames(const uint8_t* data, uint32_t size, bool session,
                                       ProgressSink* progress) {
    const char start = BlockStart(CommSettings.Cmd2K);
    const uint16_t* chunks = ChunkSizesFor(CommSettings.Cmd2K);
    ChunkedRequest request(start, Format("#3B%08X%08X", 0u, size - 1), BytesToHex(data, size),
                           size_t{2} * chunks[0], size_t{2} * chunks[1]);
    for (;;) {
        if (progress) {
            progress->SetPosition(static_cast<int>(request.SentChars() / 2));
            if (progress->PumpAndCancelled())
                return kCancelled;
        }
        LinkResult r = SendFrame(request.Current());
        if (r != kOk)
            return r;
        ReplyFrame ack;
        r = ReceiveReply(kAckCapacity, ReplyKind::Acknowledgement, "3B", ack);
        if (r != kOk)
            return r;
        if (ack.isError) {
            LastError = ack.errorCode;
            if (session) {
                // The unit's code itself, except where it would
                // read as success (0x00) or as an early end (0xFF).
                if (ack.errorCode == 0x00 || ack.errorCode == 0xFF)
                    return kUnitError;
                return static_cast<int8_t>(ack.errorCode);
            }
            if (ack.errorCode == kUnitBusy) {
                sleeper_.SleepMs(kBusyRetryMs);
                continue; // the same frame again; Cancel still works
            }
            return kUnitError;
        }
        if (const auto result = request.Acknowledged(ack.more))
            return *result;
    }
}

// ---- one-shot commands ----

LinkResult CUnitComm::ReadContact(const ContactName& contact, uint16_t& value) {
    return OneShot([&] { return DoReadContact(contact, value); });
}

LinkResult CUnitComm::ReadDataWords(int first, int count, uint16_t* words) {
    if (count < 1 || count > 29 || first < 0 || first + count - 1 > 99999) {
        LastError = 0;
        return kBadRequest;
    }
    return OneShot([&] {
        std::string f = Request(Format("#RDD%05d%05d", first, first + count - 1).c_str());
        ReplyFrame reply;
        const LinkResult r = Exchange(FinishFrame(f, false), kReplyCapacity, reply);
        if (r != kOk)
            return r;
        const size_t need = size_t{4} * static_cast<size_t>(count);
        if (reply.data.size() < need || !IsHexText(reply.data.substr(0, need)))
            return kReplyMalformed;
        for (int i = 0; i < count; ++i)
            words[i] = HexToWordLE(reply.data.data() + 4 * i);
        return kOk;
    });
}

LinkResult CUnitComm::WriteClock(const uint16_t (&words)[4]) {
    std::string f = Request(Format("#WDD%05d%05d", 90054, 90057).c_str());
    for (uint16_t w : words)
        AppendWordHexLE(f, w);
    return OneShot([&] { return DoSimple(f); });
}

LinkResult CUnitComm::SetProgramMode() {
    return OneShot([&] { return DoSimple(Request("#RMP")); });
}

LinkResult CUnitComm::ClearUnit() {
    return OneShot([&] { return DoSimple(Request("#0F")); });
}

LinkResult CUnitComm::PasswordCommand(int subCode, const std::string& scrambled) {
    if (subCode < 0 || subCode > 0xF) {
        LastError = 0;
        return kBadRequest;
    }
    return OneShot([&] { return DoPasswordCommand(subCode, scrambled); });
}

LinkResult CUnitComm::ReadStatus(std::string& text) {
    return OneShot([&] { return DoReadStatus(text); });
}

int CUnitComm::WaitRelay(const char* address) {
    LoadCommSettings();
    const ContactName contact{"R", address};
    for (int i = 0; i < kRelayPolls; ++i) {
        if (i > 0)
            sleeper_.SleepMs(kRelayPollMs);
        uint16_t value = 0;
        if (ReadContact(contact, value) != kOk)
            return 0;
        if (value == 1)
            return 1;
    }
    return 0;
}

int CUnitComm::WaitRelay999E() {
    return WaitRelay("999E");
}
int CUnitComm::WaitRelay999F() {
    return WaitRelay("999F");
}

LinkResult CUnitComm::LoginPasswordBytes(const std::optional<std::string>& password,
                                         std::string& scrambled) {
    if (password) {
        SetLoginPassword(*password);
    } else if (!prompt_ || !prompt_->AskPassword(*this)) {
        return kCancelled;
    }
    scrambled.assign(LoginPassword, strnlen(LoginPassword, 8));
    ScrambleBytes(reinterpret_cast<uint8_t*>(scrambled.data()),
                  static_cast<int16_t>(scrambled.size()));
    return kOk;
}

LinkResult CUnitComm::Login(const std::optional<std::string>& password) {
    LoadCommSettings();
    uint16_t probe[1];
    const LinkResult r = ReadBlock(1, probe);
    if (r != kUnitError)
        return r; // 0: no password needed; or the failure
    if (LastError != kUnitAsksPassword)
        return kUnitError;
    std::string scrambled;
    const LinkResult asked = LoginPasswordBytes(password, scrambled);
    if (asked != kOk)
        return asked;
    return PasswordCommand(kPasswordLogin, scrambled);
}

LinkResult CUnitComm::ReadBlock(uint32_t count, uint16_t* words) {
    if (count < 1 || count > kBlockImageSize) {
        LastError = 0;
        return kBadRequest;
    }
    LastError = 0;
    LinkResult r = OpenLink();
    if (r != kOk)
        return r;
    if (progress_)
        progress_->Begin(kMsgReadingSettings, static_cast<int>(2 * count));
    r = DoBlockRead(0, count, progress_, blockReadText_);
    CloseLinkQuiet();
    if (r == kOk)
        BlockTextToWords(blockReadText_, count, words);
    if (progress_)
        progress_->End();
    return r;
}

LinkResult CUnitComm::ReadBlock(uint32_t count, std::vector<uint8_t>& bytes) {
    if (count < 1 || count > kBlockImageSize) {
        LastError = 0;
        return kBadRequest;
    }
    std::vector<uint16_t> words((count + 1) / 2);
    const LinkResult r = ReadBlock(count, words.data());
    if (r != kOk)
        return r;
    bytes.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i % 2 ? words[i / 2] >> 8 : words[i / 2] & 0xFF);
    return kOk;
}

LinkResult CUnitComm::WriteBlock(const uint8_t* image) {
    LastError = 0;
    LinkResult r = OpenLink();
    if (r != kOk)
        return r;
    if (progress_)
        progress_->Begin(kMsgWritingSettings, static_cast<int>(kBlockImageSize));
    r = BlockWriteFrames(image, kBlockImageSize, false, progress_);
    CloseLinkQuiet();
    if (progress_)
        progress_->End();
    return r;
}

} // namespace qv
