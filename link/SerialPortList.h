// The serial ports of this machine for the connection dialog's list.
#pragma once
#include <string>
#include <vector>

namespace qv {

// The device paths of the tty devices under sysTty that have a device link
// (real hardware, not the virtual consoles), plus every ttyS* node in devDir,
// sorted and without repeats.
std::vector<std::string> ListSerialPorts(const std::string& sysTty = "/sys/class/tty",
                                         const std::string& devDir = "/dev");

} // namespace qv
