#include "link/LinkResult.h"

#include <cstdio>

#include "document/StringTable.h"

namespace qv {

unsigned CommErrorStringId(LinkResult result) {
    using namespace link_result;
    switch (result) {
    case kSerialOpen:
        return 20330;
    case kSerialGetState:
        return 20331;
    case kSerialSetState:
        return 20332;
    case kSerialSetTimeouts:
        return 20333;
    case kSocketStartup:
        return 20334;
    case kTcpNoSocket:
        return 20335;
    case kTcpConnectEvent:
        return 20336;
    case kTcpConnectWait:
        return 20339;
    case kTcpConnectTimeout:
        return 20338;
    case kTcpConnectFailed:
        return 20337;
    case kUdpNoSocket:
        return 20342;
    case kUdpNonBlocking:
        return 20336;
    case kUdpBroadcast:
        return 20343;
    case kSocketBind:
        return 20344;
    case kSerialSend:
        return 20345;
    case kTcpSendWait:
        return 20340;
    case kTcpSend:
        return 20345;
    case kUdpSend:
        return 20345;
    case kSerialRecvUnused:
        return 20346;
    case kSerialRecv:
        return 20346;
    case kTcpRecvWait:
        return 20341;
    case kTcpRecv:
        return 20346;
    case kUdpRecv:
        return 20346;
    case kReplyCheckCode:
        return 20349;
    case kReplyMalformed:
        return 20350;
    case kReplyTooLong:
        return 20351;
    case kBadRequest:
        return 20352;
    case kReplyMismatch:
        return 20353;
    case kSerialClose:
        return 20347;
    case kTcpClose:
        return 20347;
    case kUdpClose:
        return 20347;
    case kUnitError:
        return 20348;
    default:
        return 0;
    }
}

std::wstring GetCommErrorText(LinkResult result, uint32_t detail) {
    const unsigned id = CommErrorStringId(result);
    std::wstring text = id ? ResString(id) : std::wstring();
    char tail[32];
    if (result == link_result::kUnitError)
        std::snprintf(tail, sizeof tail, ":(%XH)", static_cast<unsigned>(detail));
    else
        std::snprintf(tail, sizeof tail, ":(%d)", static_cast<int>(detail));
    for (const char* p = tail; *p; ++p)
        text += static_cast<wchar_t>(*p);
    return text;
}

} // namespace qv
