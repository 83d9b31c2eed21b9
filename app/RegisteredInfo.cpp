#include "app/RegisteredInfo.h"

#include <fstream>

#include "document/Utf8.h"

namespace qv {

RegisteredInfo GetRegisteredInfo(const std::string& path) {
    RegisteredInfo info;
    std::ifstream in(path);
    std::string line;
    while (in && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        // Values are held to 63 characters, as the profile's texts are.
        const std::wstring value = Utf8ToWide(line.substr(eq + 1)).substr(0, 63);
        if (key == "RegisteredOwner")
            info.owner = value;
        else if (key == "RegisteredOrganization")
            info.organization = value;
    }
    return info;
}

} // namespace qv
