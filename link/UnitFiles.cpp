// The unit file service: the "#5V" to "#6E" commands of the session form.
#include <string>
#include <string_view>
#include <vector>

#include "link/UnitSession.h"

namespace qv {

using namespace link_result;

namespace {

// Receive capacities of the protocol, NUL included.
constexpr size_t kShortReply = 128;     // "#5V", "#5W", "#5X", "#5Y", "#6A"
constexpr size_t kFolderUpReply = 2048; // "#5Z"
constexpr size_t kFolderReply = 1024;   // "#6B", "#6C"
constexpr size_t kDataReply = 2049;     // "#6D", "#6E": each frame
// The replies of "#6C", "#6D" and "#6E" and their continuation requests
// always take the extended start.
constexpr char kLongStart = '<';

// Raises a flag for one scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

bool IsEvenHex(std::string_view text) {
    return text.size() % 2 == 0 && IsHexText(text);
}

bool IsNameText(const std::string& hex) {
    return hex.size() <= CUnitSession::kMaxFileTextChars && IsEvenHex(hex);
}

bool IsField(const std::string& field) {
    return field.size() == 2 && IsHexText(field);
}

template <class Bytes> void AppendHexBytes(std::string_view hex, Bytes& out) {
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<typename Bytes::value_type>(HexToByte(hex.data() + i)));
}

std::string LongRequest(const char* code) {
    std::string f(1, kLongStart);
    f += kStation;
    f += '#';
    f += code;
    return f;
}

} // namespace

std::string CUnitSession::BytesToHex(std::string_view bytes) {
    return qv::BytesToHex(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

LinkResult CUnitSession::FileSingle(const char* code, size_t capacity) {
    std::string f = "%";
    f += kStation;
    f += '#';
    f += code;
    FinishFrame(f, false);
    return SessionRun([&] {
        FlagScope wait(longWait_);
        ReplyFrame reply;
        return Exchange(f, capacity, reply);
    });
}

LinkResult CUnitSession::FileChunked(const std::string& head, const std::string& text,
                                     size_t ackCapacity) {
    const char start = BlockStart(CommSettings.Cmd2K);
    const uint16_t* chunks = ChunkSizesFor(CommSettings.Cmd2K);
    ChunkedRequest request(start, head, text, chunks[0], chunks[1]);
    return SessionRun([&] {
        FlagScope wait(longWait_);
        for (;;) {
            ReplyFrame ack;
            const LinkResult r =
                ExchangeAs(request.Current(), ackCapacity, ReplyKind::Acknowledgement, ack);
            if (r != kOk)
                return r;
            if (const auto result = request.Acknowledged(ack.more))
                return *result;
        }
    });
}

LinkResult
CUnitSession::FileMultiFrame(const std::string& request, size_t capacity,
                             const std::function<LinkResult(std::string_view, bool)>& take,
                             const std::function<bool()>& stop) {
    ReplyTooLong = false;
    return SessionRun([&] {
        FlagScope wait(longWait_);
        const std::string next = ContinuationRequest(kLongStart);
        const std::string* frame = &request;
        size_t emptyFrames = 0;
        for (bool first = true;; first = false) {
            if (!first && ((progress_ && progress_->PumpAndCancelled()) || (stop && stop())))
                return kCancelled;
            ReplyFrame reply;
            LinkResult r = ExchangeAs(*frame, capacity,
                                      first ? ReplyKind::First : ReplyKind::Continuation, reply);
            if (r != kOk)
                return r;
            r = take(reply.data, first);
            if (r != kOk)
                return r;
            if (!reply.more)
                return kOk;
            // A unit that keeps asking to go on without sending anything
            // would hold the link for ever.
            if (reply.data.empty() && ++emptyFrames > MultiFrameReply::kEmptyFrames)
                return kReplyMalformed;
            frame = &next;
        }
    });
}

LinkResult CUnitSession::FileLogin(const std::string& hexUser, const std::string& hexPassword) {
    if (!IsNameText(hexUser) || !IsNameText(hexPassword)) {
        LastError = 0;
        return kBadRequest;
    }
    // User and password stand apart by the byte LF.
    return FileChunked("#5V", hexUser + "0A" + hexPassword, kShortReply);
}

LinkResult CUnitSession::FileLogout() {
    return FileSingle("5W", kShortReply);
}

LinkResult CUnitSession::DeleteUnitFile(const std::string& hexName,
                                        const std::string& codePageField) {
    if (!IsNameText(hexName) || !IsField(codePageField)) {
        LastError = 0;
        return kBadRequest;
    }
    return FileChunked("#5X" + codePageField, hexName, kShortReply);
}

LinkResult CUnitSession::DeleteUnitFolder(const std::string& hexName,
                                          const std::string& codePageField) {
    if (!IsNameText(hexName) || !IsField(codePageField)) {
        LastError = 0;
        return kBadRequest;
    }
    return FileChunked("#5Y" + codePageField, hexName, kShortReply);
}

LinkResult CUnitSession::FolderUp() {
    return FileSingle("5Z", kFolderUpReply);
}

LinkResult CUnitSession::MakeCurrentFile() {
    return FileSingle("6A", kShortReply);
}

LinkResult CUnitSession::ChangeFolder(const std::string& hexPath,
                                      const std::string& codePageField) {
    if (!IsNameText(hexPath) || !IsField(codePageField)) {
        LastError = 0;
        return kBadRequest;
    }
    return FileChunked("#6B" + codePageField, hexPath, kFolderReply);
}

LinkResult CUnitSession::GetCurrentFolder(std::string& folder, std::string& codePageField) {
    folder.clear();
    codePageField.clear();
    std::string f = LongRequest("6C");
    FinishFrame(f, false);
    std::string field;
    std::string bytes;
    const LinkResult r = FileMultiFrame(f, kFolderReply, [&](std::string_view data, bool first) {
        if (first) {
            if (data.size() < 2)
                return kReplyMalformed;
            field.assign(data.substr(0, 2));
            data.remove_prefix(2);
        }
        if (!IsEvenHex(data) || bytes.size() + data.size() / 2 > kMaxFileTextChars)
            return kReplyMalformed;
        AppendHexBytes(data, bytes);
        return kOk;
    });
    if (r != kOk)
        return r;
    folder.swap(bytes);
    codePageField.swap(field);
    return kOk;
}

LinkResult CUnitSession::ReadUnitFile(const std::string& codePageField, const std::string& hexName,
                                      std::vector<uint8_t>& data,
                                      const std::function<bool(size_t)>& betweenFrames) {
    data.clear();
    if (!IsEvenHex(hexName) || !(codePageField.empty() || IsField(codePageField))) {
        LastError = 0;
        return kBadRequest;
    }
    std::string f = LongRequest("6D") + codePageField + hexName;
    FinishFrame(f, false);
    if (f.size() > kReadFileRequestChars) {
        // The unit takes this request in one frame only: never cut a name.
        LastError = 0;
        return kBadRequest;
    }
    std::vector<uint8_t> bytes;
    const LinkResult r = FileMultiFrame(
        f, kDataReply,
        [&](std::string_view hex, bool) {
            if (!IsEvenHex(hex))
                return kReplyMalformed;
            if (bytes.size() + hex.size() / 2 > MaxFileReadBytes) {
                ReplyTooLong = true;
                return kReplyMalformed;
            }
            AppendHexBytes(hex, bytes);
            return kOk;
        },
        [&] { return betweenFrames && betweenFrames(bytes.size()); });
    if (r == kOk)
        data.swap(bytes);
    return r;
}

LinkResult CUnitSession::ListFolder(std::string& listing, std::string& codePageField) {
    listing.clear();
    codePageField.clear();
    std::string f = LongRequest("6E");
    FinishFrame(f, false);
    std::string field;
    std::string bytes;
    const LinkResult r = FileMultiFrame(f, kDataReply, [&](std::string_view data, bool first) {
        if (first) {
            if (data.size() < 2)
                return kReplyMalformed;
            field.assign(data.substr(0, 2));
            data.remove_prefix(2);
        }
        if (!IsEvenHex(data))
            return kReplyMalformed;
        if (bytes.size() + data.size() / 2 > kMaxListingBytes) {
            ReplyTooLong = true;
            return kReplyMalformed;
        }
        AppendHexBytes(data, bytes);
        return kOk;
    });
    if (r != kOk)
        return r;
    listing.swap(bytes);
    codePageField.swap(field);
    return kOk;
}

} // namespace qv
