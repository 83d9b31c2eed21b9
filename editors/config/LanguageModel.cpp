#include "editors/config/LanguageModel.h"

#include <algorithm>

#include "app/LanguageProfile.h"

namespace qv {

std::vector<int> OfferedLanguages(const ProfileStore& profile, const FolderFileSize& sizeOf) {
    // As at start-up: a profile without its language list lists all three.
    std::vector<int> installed = {kLangEnglish, kLangJapanese, kLangChinese};
    if (profile.ReadNumber(kSettingsSection, "LangMax")) {
        installed.clear();
        uint32_t position = kEnumStart;
        do {
            const int language = GetNextLanguage(profile, position);
            if (language >= 0)
                installed.push_back(language);
        } while (position != kEnumStart);
    }

    std::vector<int> offered;
    for (int i = kLangEnglish; i <= kLangChinese; ++i) {
        if (sizeOf(ResourceModuleFileName(LanguageModuleName(i))) == 0)
            continue;
        if (std::find(installed.begin(), installed.end(), i) != installed.end())
            offered.push_back(i);
    }
    return offered;
}

int LanguageSelection(const std::vector<int>& offered, int chosen, int running) {
    if (offered.empty())
        return -1;
    for (int want : {chosen, running}) {
        const auto at = std::find(offered.begin(), offered.end(), want);
        if (at != offered.end())
            return static_cast<int>(at - offered.begin());
    }
    return 0;
}

bool StoreChosenLanguage(ProfileStore& profile, int chosen) {
    if (chosen < kLangEnglish || chosen > kLangChinese || GetLanguage(profile) == chosen)
        return false;
    SetLanguage(profile, chosen);
    profile.Flush();
    return true;
}

} // namespace qv
