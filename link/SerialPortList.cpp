#include "link/SerialPortList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qv {

namespace fs = std::filesystem;

std::vector<std::string> ListSerialPorts(const std::string& sysTty, const std::string& devDir) {
    std::vector<std::string> ports;
    std::error_code ec;
    for (fs::directory_iterator it(sysTty, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkEc;
        if (fs::exists(it->path() / "device", linkEc))
            ports.push_back(devDir + "/" + it->path().filename().string());
    }
    ec.clear();
    for (fs::directory_iterator it(devDir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("ttyS", 0) == 0)
            ports.push_back(devDir + "/" + name);
    }
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

} // namespace qv
