// The result of every link operation and its message text.
//
// 0 is success. Three-digit codes name the failing step (hundreds: 1 open,
// 2 send, 3 receive, 4 close) and transport (tens: 1 serial, 2 TCP, 3 UDP).
// 502, -1 and 0x8000 stand outside that scheme, and so do the codes this
// program adds for replies that arrive but cannot be trusted (331, 333, 334,
// 336) and for requests refused before anything is sent (335); they collide with
// no code of the protocol (311 is given a text there but returned by no step,
// and stays unused; 332 ends a unit search whose receive failed).
#pragma once
#include <cstdint>
#include <string>

namespace qv {

using LinkResult = int32_t;

namespace link_result {
constexpr LinkResult kOk = 0;

// Open.
constexpr LinkResult kSerialOpen = 111; // port cannot be opened or is in use; session link not open
constexpr LinkResult kSerialGetState = 112;    // line settings cannot be read (not a terminal)
constexpr LinkResult kSerialSetState = 113;    // line settings cannot be set (or did not take)
constexpr LinkResult kSerialSetTimeouts = 114; // not returned here: time-outs are the poll() waits
constexpr LinkResult kSocketStartup = 121;     // not returned here: POSIX sockets need no start-up
constexpr LinkResult kTcpNoSocket = 122;
constexpr LinkResult kTcpConnectEvent = 123;   // socket cannot be made non-blocking
constexpr LinkResult kTcpConnectWait = 124;    // poll() on the connect failed
constexpr LinkResult kTcpConnectTimeout = 125; // no connection within `TCP ConnectTimeout`
constexpr LinkResult kTcpConnectFailed =
    126; // refused, unreachable, or an address text that is no IPv4 address
constexpr LinkResult kUdpNoSocket = 132;
constexpr LinkResult kUdpNonBlocking = 133;
constexpr LinkResult kUdpBroadcast = 134;
constexpr LinkResult kSocketBind = 137; // bind to `PCIPAddr` failed (or it is no IPv4 address)

// Send.
constexpr LinkResult kSerialSend =
    211; // write failed, wrote nothing, or not done within `COM SendTimeout`
constexpr LinkResult kTcpSendWait =
    221; // poll() failed, or the frame did not go out within `TCP SendTimeout`
constexpr LinkResult kTcpSend = 222; // send() failed
constexpr LinkResult kUdpSend = 231;

// Receive.
constexpr LinkResult kSerialRecvUnused = 311; // has a text, returned by no step
constexpr LinkResult kSerialRecv =
    312; // read failed, device gone, or no byte within `COM RecvTimeout`
constexpr LinkResult kTcpRecvWait =
    321; // no byte within `TCP RecvTimeout` (LastError ETIMEDOUT), or poll() failed
constexpr LinkResult kTcpRecv =
    322; // recv() failed, or the unit closed the connection (LastError ECONNRESET)
constexpr LinkResult kReplyCheckCode = 331; // a reply frame's check code is wrong (added)
constexpr LinkResult kUdpRecv = 332;        // the unit search could not receive (added)
constexpr LinkResult kReplyMalformed = 333; // a reply that is garbled, too short for what the
                                            // command reads, or longer than the request can
                                            // need (too many frames, too much data)  (added)
constexpr LinkResult kReplyTooLong = 334;   // a reply frame with no CR within the receive
                                            // buffer's capacity                      (added)
constexpr LinkResult kBadRequest = 335;     // an argument out of range: nothing sent (added)
constexpr LinkResult kReplyMismatch = 336;  // replies kept coming that answer another request
                                            // (a late reply is skipped; more than a few of
                                            // them end the exchange), or after a failed
                                            // exchange the line did not fall silent
                                            // before the next request            (added)

// Close.
constexpr LinkResult kSerialClose = 411;
constexpr LinkResult kTcpClose = 421;
constexpr LinkResult kUdpClose = 431;

constexpr LinkResult kCancelled = 502; // the user cancelled (wait dialog or password prompt)
constexpr LinkResult kEndedEarly = -1; // the unit ended a chunked request before all data was sent
constexpr LinkResult kUnitError = 0x8000; // error frame; the unit's code in LastError
} // namespace link_result

// The resource string of a code, 0 when it has none (502, -1, unknown codes).
unsigned CommErrorStringId(LinkResult result);

// "%s:(%XH)" of string 20348 and detail for 0x8000; otherwise "%s:(%d)" of
// the code's string and detail (the empty text in place of a missing string).
std::wstring GetCommErrorText(LinkResult result, uint32_t detail);

} // namespace qv
