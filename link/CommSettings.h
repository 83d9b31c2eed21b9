// The link settings and their place in the profile, section
// "Settings\Comm".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

class ProfileStore;

constexpr char kCommSection[] = "Settings\\Comm";

// Link types of `CommType`.
constexpr uint32_t kCommTcp = 0;
constexpr uint32_t kCommSerial = 1;

constexpr size_t kAddressField = 20; // `PCIPAddr`, `TCP IPAddr`: 19 bytes and a NUL
// `COM Name`: on this platform either a device name below /dev ("ttyS0") or a
// path the user typed; 255 bytes and a NUL (16 would hold no path).
constexpr size_t kComNameField = 256;

struct CommSettings {
    uint32_t CommType = 0;              // "CommType": 0 TCP, 1 serial, other: no link
    uint32_t Station = 0;               // never stored, always 0
    uint32_t Cmd2K = 0;                 // "2KCmd": extended frames; only 0 or 1 after a load
    char PCIPAddr[kAddressField] = {};  // "PCIPAddr": address of this PC's adapter; empty: no bind
    char TcpIPAddr[kAddressField] = {}; // "TCP IPAddr"
    uint32_t TcpPort = 0;               // "TCP Port", used as 16 bits
    uint16_t TcpSendTimeout = 0;        // "TCP SendTimeout", ms
    uint16_t TcpRecvTimeout = 0;        // "TCP RecvTimeout", ms: wait for each next byte
    uint16_t TcpConnectTimeout = 0;     // "TCP ConnectTimeout", ms
    char ComName[kComNameField] = {};   // "COM Name"
    uint16_t HandShake = 0;             // never stored: not 0 = CTS/RTS flow control
    uint32_t ComBaudRate = 0;           // "COM BaudRate"
    uint8_t ComByteSize = 0;            // "COM ByteSize": 5 to 8
    uint8_t ComParity = 0;              // "COM Parity": 0 none, 1 odd, 2 even, 3 mark, 4 space
    uint8_t ComStopBits = 0;            // "COM StopBits": 0 one, 1 one and a half, 2 two
    uint16_t ComSendTimeout = 0;        // "COM SendTimeout", ms: total of one write
    uint16_t ComRecvTimeout = 0;        // "COM RecvTimeout", ms: wait for each next byte
};

// Reads the 15 values; a missing value takes its default, the others keep
// what is stored (numbers truncated to the field's width). `Station` and
// `HandShake` are not touched. Texts are converted to `codePage`; a text that
// is empty, that the code page cannot hold or that does not fit its field
// leaves the field all zero (an address is never cut into another address).
// `2KCmd` is read as 1 whenever it is not 0.
void LoadCommSettings(const ProfileStore& profile, uint32_t codePage, CommSettings& settings);

// Writes the 15 values: numbers as 32-bit values, texts as wide text.
void SaveCommSettings(ProfileStore& profile, uint32_t codePage, const CommSettings& settings);

// The device path of `COM Name`: an absolute path as it is, any other name
// below /dev. Empty when the name is empty or not text of the code page.
std::string SerialDevicePath(const CommSettings& settings, uint32_t codePage);

} // namespace qv
