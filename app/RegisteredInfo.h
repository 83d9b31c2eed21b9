// The registered owner and organisation shown by the splash and the About box.
// They come from an optional system-wide file with the lines
//   RegisteredOwner=...
//   RegisteredOrganization=...
// Missing file or values leave the texts empty.
#pragma once
#include <string>

namespace qv {

constexpr const char* kRegistrationFile = "/etc/quorvelis/registration";

struct RegisteredInfo {
    std::wstring owner;
    std::wstring organization;
};

RegisteredInfo GetRegisteredInfo(const std::string& path = kRegistrationFile);

} // namespace qv
