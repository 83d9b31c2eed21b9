#include "document/PlaceText.h"

#include <cwchar>

#include "document/AddressText.h"
#include "document/CodeText.h"
#include "document/StringTable.h"

namespace qv {

namespace {

constexpr unsigned kStrStation = 4059;

std::wstring Format(const wchar_t* format, unsigned a, unsigned b = 0) {
    wchar_t buffer[32];
    const int n = std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, a, b);
    return n < 0 ? std::wstring() : std::wstring(buffer, static_cast<size_t>(n));
}

// Only the serial ports have stations.
std::wstring StationText(int port, int station) {
    if (port != kPortSerial1 && port != kPortSerial2)
        return {};
    return L" " + ResString(kStrStation) + Format(L"%02u", static_cast<unsigned>(station));
}

} // namespace

std::wstring PlaceText(int port, int station, int area, uint32_t address, bool contact,
                       const UnitBlock& unit, bool codeName) {
    std::wstring where;
    if (PortUsesFuncCodes(port, unit)) {
        // Codes and addresses in upper-case hexadecimal: the code in two
        // digits, the address in at least four.
        where = (codeName ? GetFuncCodeName(area) : std::wstring()) +
                Format(L"%02X%04X", static_cast<unsigned>(area), address);
    } else {
        where = GetAreaName(area) + (contact ? FormatBitAddress(address) : Format(L"%u", address));
    }
    return GetPortName(port) + StationText(port, station) + L" " + where;
}

} // namespace qv
