// The interface language: its profile values under "Settings", and the choice
// of the language module at start-up with its fallback to English.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "document/ProfileStore.h"
#include "resources/ResourceModule.h"

namespace qv {

enum UiLanguage { kLangEnglish = 0, kLangJapanese = 1, kLangChinese = 2 };

constexpr const char* kSettingsSection = "Settings";
constexpr uint32_t kEnumStart = 0xFFFFFFFFu;

// Registry name, module base name and code page of a language index; any
// other index is taken as English.
const char* LanguageRegistryName(int index);
const char* LanguageModuleName(int index);
uint32_t LanguageCodePage(int index);

// The chosen language: 0..2, or -1 for a name that is none of the three.
// Creates "Settings" with the first-run values when it does not exist.
int GetLanguage(ProfileStore& profile);
void SetLanguage(ProfileStore& profile, int index);
// Enumerates "Lang1".."LangN"; the caller starts with kEnumStart and loops
// until the position is kEnumStart again. Returns a language or -1.
int GetNextLanguage(const ProfileStore& profile, uint32_t& position);

// Fixed texts: shown before any language module is loaded.
constexpr const char* kTextNoResourceFile = "Resource file cannot be found.";
constexpr const char* kTextOtherLanguage = "Can't find resource file for specified language.";

struct LanguageChoice {
    int index = kLangEnglish;
    uint32_t codePage = 932;
    std::unique_ptr<ResourceModule> module; // null: no module could be loaded
    bool otherThanChosen = false;           // warn: another language had to be loaded
};

using ModuleLoader = std::function<std::unique_ptr<ResourceModule>(const std::string& baseName)>;

// Three attempts, falling back to English; the profile's choice is not changed.
LanguageChoice ChooseLanguage(ProfileStore& profile, const ModuleLoader& load);

// Loads a language module from the program's own folder first, then by the
// system's search.
std::unique_ptr<ResourceModule> LoadModuleBesideProgram(const std::string& baseName);

} // namespace qv
