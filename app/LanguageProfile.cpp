#include "app/LanguageProfile.h"

#include <strings.h>

#include "app/ProgramFolder.h"
#include "document/Utf8.h"

namespace qv {

namespace {

struct LanguageRow {
    const char* registryName;
    const char* module;
    uint32_t codePage;
};
const LanguageRow kLanguages[3] = {
    {"English", "QvResEnu", 932},
    {"Japanese", "QvResJpn", 932},
    {"Chinese_s", "QvResChs", 936},
};

const LanguageRow& Row(int index) { return kLanguages[index >= 0 && index <= 2 ? index : 0]; }

// Values are read into a buffer of 64 wide characters.
std::string ProfileName(const std::wstring& value) {
    return WideToUtf8(value.substr(0, 63));
}

int IndexOfName(const std::string& name) {
    for (int i = 0; i < 3; ++i)
        if (strcasecmp(name.c_str(), kLanguages[i].registryName) == 0)
            return i;
    return -1;
}

} // namespace

const char* LanguageRegistryName(int index) { return Row(index).registryName; }
const char* LanguageModuleName(int index) { return Row(index).module; }
uint32_t LanguageCodePage(int index) { return Row(index).codePage; }

int GetLanguage(ProfileStore& profile) {
    if (!profile.SectionExists(kSettingsSection)) {
        if (!profile.CreateSection(kSettingsSection))
            return kLangEnglish;
        profile.WriteText(kSettingsSection, "Language", L"Japanese");
        profile.WriteText(kSettingsSection, "Lang1", L"English");
        profile.WriteText(kSettingsSection, "Lang2", L"Japanese");
        profile.WriteText(kSettingsSection, "Lang3", L"Chinese_s");
        profile.WriteNumber(kSettingsSection, "LangMax", 3);
    }
    const auto value = profile.ReadText(kSettingsSection, "Language");
    if (!value || value->empty())
        return kLangEnglish;
    return IndexOfName(ProfileName(*value));
}

void SetLanguage(ProfileStore& profile, int index) {
    profile.WriteText(kSettingsSection, "Language", Utf8ToWide(LanguageRegistryName(index)));
}

int GetNextLanguage(const ProfileStore& profile, uint32_t& position) {
    uint32_t next = 0;
    uint32_t count = 0;
    if (position == kEnumStart) {
        const auto max = profile.ReadNumber(kSettingsSection, "LangMax");
        if (!max)
            return -1;
        count = *max & 0xFFFF;
    } else {
        next = position & 0xFFFF;
        count = position >> 16;
    }
    if (next >= count) {
        position = kEnumStart;
        return -1;
    }
    const auto value =
        profile.ReadText(kSettingsSection, "Lang" + std::to_string(next + 1));
    position = next + 1 < count ? (count << 16) | (next + 1) : kEnumStart;
    return value ? IndexOfName(ProfileName(*value)) : -1;
}

LanguageChoice ChooseLanguage(ProfileStore& profile, const ModuleLoader& load) {
    LanguageChoice choice;
    int index = GetLanguage(profile);
    const int first = index;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (index < 0 || index > 2)
            index = kLangEnglish;
        choice.codePage = LanguageCodePage(index);
        // A language list that cannot be read takes its first-run default,
        // which lists all three; a damaged profile must not end the program.
        bool listed = !profile.ReadNumber(kSettingsSection, "LangMax");
        uint32_t position = kEnumStart;
        while (!listed) {
            if (GetNextLanguage(profile, position) == index)
                listed = true;
            else if (position == kEnumStart)
                break;
        }
        if (listed)
            choice.module = load(LanguageModuleName(index));
        if (choice.module) {
            choice.index = index;
            choice.otherThanChosen = index != first;
            return choice;
        }
        index = kLangEnglish;
    }
    choice.index = kLangEnglish;
    return choice;
}

std::unique_ptr<ResourceModule> LoadModuleBesideProgram(const std::string& baseName) {
    const std::string file = ResourceModuleFileName(baseName);
    const std::string folder = ProgramFolder();
    if (!folder.empty()) {
        if (auto m = ResourceModule::Load(folder + "/" + file, nullptr))
            return m;
    }
    return ResourceModule::Load(file, nullptr);
}

} // namespace qv
