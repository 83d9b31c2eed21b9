#include "link/CommSettings.h"

#include <cstring>
#include <optional>
#include <string>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "document/Utf8.h"

namespace qv {

namespace {

uint32_t Number(const ProfileStore& p, const char* name, uint32_t fallback) {
    const std::optional<uint32_t> v = p.ReadNumber(kCommSection, name);
    return v ? *v : fallback;
}

// Missing: the default (an empty field). Present: the text when it fits,
// otherwise an empty field.
template <size_t N>
void Text(const ProfileStore& p, const char* name, uint32_t codePage, char (&field)[N]) {
    std::memset(field, 0, N);
    const std::optional<std::wstring> w = p.ReadText(kCommSection, name);
    if (!w)
        return;
    const std::optional<std::string> mb = WideToMulti(*w, codePage);
    if (!mb || mb->empty() || mb->size() > N - 1)
        return;
    std::memcpy(field, mb->data(), mb->size());
}

template <size_t N> std::wstring WideOf(const char (&field)[N], uint32_t codePage) {
    return MultiToWide(field, N, codePage);
}

} // namespace

void LoadCommSettings(const ProfileStore& p, uint32_t cp, CommSettings& s) {
    s.CommType = Number(p, "CommType", kCommSerial);
    s.Cmd2K = Number(p, "2KCmd", 1) != 0 ? 1 : 0;
    Text(p, "PCIPAddr", cp, s.PCIPAddr);
    Text(p, "TCP IPAddr", cp, s.TcpIPAddr);
    s.TcpPort = Number(p, "TCP Port", 9094);
    s.TcpSendTimeout = static_cast<uint16_t>(Number(p, "TCP SendTimeout", 3000));
    s.TcpRecvTimeout = static_cast<uint16_t>(Number(p, "TCP RecvTimeout", 3000));
    s.TcpConnectTimeout = static_cast<uint16_t>(Number(p, "TCP ConnectTimeout", 3000));
    Text(p, "COM Name", cp, s.ComName);
    s.ComBaudRate = Number(p, "COM BaudRate", 115200);
    s.ComByteSize = static_cast<uint8_t>(Number(p, "COM ByteSize", 8));
    s.ComParity = static_cast<uint8_t>(Number(p, "COM Parity", 1));
    s.ComStopBits = static_cast<uint8_t>(Number(p, "COM StopBits", 0));
    s.ComSendTimeout = static_cast<uint16_t>(Number(p, "COM SendTimeout", 3000));
    s.ComRecvTimeout = static_cast<uint16_t>(Number(p, "COM RecvTimeout", 3000));
}

void SaveCommSettings(ProfileStore& p, uint32_t cp, const CommSettings& s) {
    if (!p.SectionExists(kCommSection))
        p.CreateSection(kCommSection);
    p.WriteNumber(kCommSection, "CommType", s.CommType);
    p.WriteNumber(kCommSection, "2KCmd", s.Cmd2K);
    p.WriteText(kCommSection, "PCIPAddr", WideOf(s.PCIPAddr, cp));
    p.WriteText(kCommSection, "TCP IPAddr", WideOf(s.TcpIPAddr, cp));
    p.WriteNumber(kCommSection, "TCP Port", s.TcpPort);
    p.WriteNumber(kCommSection, "TCP SendTimeout", s.TcpSendTimeout);
    p.WriteNumber(kCommSection, "TCP RecvTimeout", s.TcpRecvTimeout);
    p.WriteNumber(kCommSection, "TCP ConnectTimeout", s.TcpConnectTimeout);
    p.WriteText(kCommSection, "COM Name", WideOf(s.ComName, cp));
    p.WriteNumber(kCommSection, "COM BaudRate", s.ComBaudRate);
    p.WriteNumber(kCommSection, "COM ByteSize", s.ComByteSize);
    p.WriteNumber(kCommSection, "COM Parity", s.ComParity);
    p.WriteNumber(kCommSection, "COM StopBits", s.ComStopBits);
    p.WriteNumber(kCommSection, "COM SendTimeout", s.ComSendTimeout);
    p.WriteNumber(kCommSection, "COM RecvTimeout", s.ComRecvTimeout);
}

std::string SerialDevicePath(const CommSettings& s, uint32_t cp) {
    const std::wstring wide = WideOf(s.ComName, cp);
    if (wide.empty() || wide.find(L'\xFFFD') != std::wstring::npos)
        return {};
    const std::string name = WideToUtf8(wide);
    return name[0] == '/' ? name : "/dev/" + name;
}

} // namespace qv
