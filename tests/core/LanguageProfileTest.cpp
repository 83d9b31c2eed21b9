#include <gtest/gtest.h>

#include <set>

#include "app/LanguageProfile.h"
#include "tests/core/LanguageFixture.h"

namespace qv {
namespace {

struct ProfileState {
    const char* what;
    bool hasSettings;
    std::wstring language;        // empty: value missing
    std::vector<std::wstring> langs; // Lang1..; LangMax = size unless noLangMax
    bool noLangMax;
    std::set<std::string> missingModules;
    int index;            // expected language, or -1 when start-up must end
    uint32_t codePage;
    bool warn;
};

TEST(LanguageProfile, ChooseLanguageOverProfileStatesAndMissingModules) {
    const std::vector<std::wstring> all = {L"English", L"Japanese", L"Chinese_s"};
    const ProfileState cases[] = {
        {"first run", false, L"", {}, false, {}, kLangJapanese, 932, false},
        {"English in other case", true, L"eNGLISH", all, false, {}, kLangEnglish, 932, false},
        {"Chinese", true, L"chinese_S", all, false, {}, kLangChinese, 936, false},
        {"unknown name", true, L"Klingon", all, false, {}, kLangEnglish, 932, true},
        {"empty Language", true, L"", all, false, {}, kLangEnglish, 932, false},
        {"no LangMax: the default list", true, L"Chinese_s", {}, true, {}, kLangChinese, 936, false},
        {"Chinese module missing", true, L"Chinese_s", all, false, {"QvResChs"}, kLangEnglish, 932, true},
        {"Chinese not listed", true, L"Chinese_s", {L"English", L"Japanese"}, false, {}, kLangEnglish, 932, true},
        {"English missing too", true, L"Japanese", all, false, {"QvResJpn", "QvResEnu"}, -1, 0, false},
        {"listed later in other case", true, L"Japanese", {L"english", L"JAPANESE"}, false, {}, kLangJapanese, 932, false},
    };
    for (const ProfileState& c : cases) {
        MemoryProfile profile;
        if (c.hasSettings) {
            profile.CreateSection("Settings");
            if (!c.language.empty())
                profile.WriteText("Settings", "Language", c.language);
            for (size_t i = 0; i < c.langs.size(); ++i)
                profile.WriteText("Settings", "Lang" + std::to_string(i + 1), c.langs[i]);
            if (!c.noLangMax)
                profile.WriteNumber("Settings", "LangMax", static_cast<uint32_t>(c.langs.size()));
        }
        std::vector<std::string> tried;
        const LanguageChoice choice = ChooseLanguage(profile, [&](const std::string& name) {
            tried.push_back(name);
            return c.missingModules.count(name) ? nullptr
                                                : test::LoadLanguageModule({name.c_str(), 932});
        });
        if (c.index < 0) {
            EXPECT_EQ(choice.module, nullptr) << c.what;
            continue;
        }
        ASSERT_NE(choice.module, nullptr) << c.what;
        EXPECT_EQ(choice.index, c.index) << c.what;
        EXPECT_EQ(choice.codePage, c.codePage) << c.what;
        EXPECT_EQ(choice.otherThanChosen, c.warn) << c.what;
        // The stored choice is never changed by a fallback.
        if (c.hasSettings && !c.language.empty()) {
            EXPECT_EQ(*profile.ReadText("Settings", "Language"), c.language) << c.what;
        }
    }
}

TEST(LanguageProfile, FirstRunWritesTheInstalledLanguages) {
    MemoryProfile profile;
    EXPECT_EQ(GetLanguage(profile), kLangJapanese);
    EXPECT_EQ(*profile.ReadText("Settings", "Language"), L"Japanese");
    EXPECT_EQ(*profile.ReadText("Settings", "Lang1"), L"English");
    EXPECT_EQ(*profile.ReadText("Settings", "Lang2"), L"Japanese");
    EXPECT_EQ(*profile.ReadText("Settings", "Lang3"), L"Chinese_s");
    EXPECT_EQ(*profile.ReadNumber("Settings", "LangMax"), 3u);

    uint32_t position = kEnumStart;
    std::vector<int> seen;
    do
        seen.push_back(GetNextLanguage(profile, position));
    while (position != kEnumStart);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));

    SetLanguage(profile, 2);
    EXPECT_EQ(GetLanguage(profile), kLangChinese);
    SetLanguage(profile, 9); // any other index is English
    EXPECT_EQ(*profile.ReadText("Settings", "Language"), L"English");
}

} // namespace
} // namespace qv
