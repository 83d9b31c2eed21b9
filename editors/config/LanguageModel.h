// The language pane's choices: the languages whose module lies beside the
// program and that the profile lists as installed.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/ProfileStore.h"

namespace qv {

constexpr unsigned kMsgLanguageAtNextStart = 950;
// Label strings of English, Japanese and simplified Chinese.
constexpr unsigned kStrLanguageNames[3] = {952, 951, 953};

// Size in bytes of a file of the program's folder by its name; 0 when missing.
using FolderFileSize = std::function<uint64_t(const std::string& fileName)>;

// The offered language indexes, in the order English, Japanese, Chinese.
std::vector<int> OfferedLanguages(const ProfileStore& profile, const FolderFileSize& sizeOf);

// The position in `offered` to select: the chosen language, else the running
// one, else the first; -1 when nothing is offered.
int LanguageSelection(const std::vector<int>& offered, int chosen, int running);

// OK stores a chosen language that differs from the profile's; true when it
// did, and the announcement is due.
bool StoreChosenLanguage(ProfileStore& profile, int chosen);

} // namespace qv
