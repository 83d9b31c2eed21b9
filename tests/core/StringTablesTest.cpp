// The three language modules must stay interchangeable: a number missing in one
// language shows as an empty text there, and a conversion that differs between
// languages makes the same format call read the wrong argument.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "LanguageFixture.h"
#include "document/CodePageText.h"
#include "document/Utf8.h"

namespace qv::test {
namespace {

// The printf conversions of a text, each reduced to what it takes from the
// argument list: "*" for a star width or precision, else the length modifier
// and the conversion letter. Flags and fixed widths may differ by language.
// "!" marks a '%' that starts no valid conversion.
std::vector<std::string> Conversions(const std::string& text) {
    std::vector<std::string> out;
    const size_t n = text.size();
    size_t i = 0;
    auto digits = [&] {
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
    };
    while (i < n) {
        if (text[i++] != '%')
            continue;
        if (i < n && text[i] == '%') {
            ++i;
            continue;
        }
        while (i < n && std::strchr("-+ #0", text[i]))
            ++i;
        if (i < n && text[i] == '*') {
            out.push_back("*");
            ++i;
        } else {
            digits();
        }
        if (i < n && text[i] == '.') {
            ++i;
            if (i < n && text[i] == '*') {
                out.push_back("*");
                ++i;
            } else {
                digits();
            }
        }
        std::string length;
        while (i < n && std::strchr("hlLjzt", text[i]))
            length += text[i++];
        if (i < n && std::strchr("diouxXeEfFgGaAcspn", text[i]))
            out.push_back(length + text[i++]);
        else
            out.push_back("!");
    }
    return out;
}

struct LoadedLanguage {
    const Language* lang;
    std::unique_ptr<ResourceModule> module;
};

std::vector<LoadedLanguage> LoadAll() {
    std::vector<LoadedLanguage> all;
    for (const Language& lang : kAllLanguages)
        all.push_back({&lang, LoadLanguageModule(lang)});
    return all;
}

std::vector<unsigned> Missing(const std::vector<unsigned>& from, const std::vector<unsigned>& in) {
    std::vector<unsigned> diff;
    std::set_difference(from.begin(), from.end(), in.begin(), in.end(), std::back_inserter(diff));
    return diff;
}

} // namespace

TEST(StringTables, SameNumbersAndConversionsInEveryLanguage) {
    // The checker itself must see what a format call would consume.
    EXPECT_EQ(Conversions("%3d%% of %-8s, %lu at %*.*f"),
              (std::vector<std::string>{"d", "s", "lu", "*", "*", "f"}));
    EXPECT_EQ(Conversions("%llu%02X"), (std::vector<std::string>{"llu", "X"}));
    EXPECT_EQ(Conversions("100%"), (std::vector<std::string>{"!"}));

    const auto all = LoadAll();
    for (const auto& l : all)
        ASSERT_TRUE(l.module) << l.lang->module;
    const LoadedLanguage& english = all.front();
    const std::vector<unsigned> ids = english.module->Ids();
    ASSERT_FALSE(ids.empty());

    for (const auto& l : all) {
        const std::vector<unsigned> own = l.module->Ids();
        EXPECT_EQ(Missing(ids, own), std::vector<unsigned>{}) << "missing in " << l.lang->module;
        EXPECT_EQ(Missing(own, ids), std::vector<unsigned>{}) << "only in " << l.lang->module;
    }

    for (unsigned id : ids) {
        const auto expected = Conversions(english.module->FindUtf8(id));
        EXPECT_EQ(std::count(expected.begin(), expected.end(), "!"), 0) << "stray '%' in " << id;
        for (const auto& l : all) {
            const char* text = l.module->FindUtf8(id);
            if (text) {
                EXPECT_EQ(Conversions(text), expected) << id << " in " << l.lang->module;
            }
        }
    }
}

// Some texts end up in the settings image (names the wizards give), so every
// text must have a place in the code page its language runs with.
TEST(StringTables, EveryTextIsNonEmptyAndFitsItsCodePage) {
    for (const auto& l : LoadAll()) {
        ASSERT_TRUE(l.module) << l.lang->module;
        for (unsigned id : l.module->Ids()) {
            const std::string utf8 = l.module->FindUtf8(id);
            const std::wstring wide = Utf8ToWide(utf8);
            EXPECT_FALSE(utf8.empty()) << id << " in " << l.lang->module;
            EXPECT_EQ(wide.find(L'\uFFFD'), std::wstring::npos)
                << id << " in " << l.lang->module << " is not valid UTF-8";
            EXPECT_TRUE(WideToMulti(wide, l.lang->codePage).has_value())
                << id << " in " << l.lang->module << " does not fit code page " << l.lang->codePage;
        }
    }
}

// One word for the unit and another for a device, in every window and in the
// report: Japanese 本体 and 機器 (デバイス names a PLC's memory area there),
// Chinese 主机 and 设备. The English text says which of the two a text
// speaks of.
TEST(StringTables, OneWordForTheUnitAndAnotherForADevice) {
    struct Terms {
        const Language* lang;
        std::string unit, device;
        std::vector<std::string> others;   // other words for either, never used
        std::regex otherUnitWordAllowedIn; // where a word like "unit" means something else
    };
    const Terms terms[] = {
        {&kJapanese,
         "本体",
         "機器",
         {"デバイス", "ユニット名", "本体名称"},
         std::regex("ユニット(タイプ|種別)")},
        {&kChinese,
         "主机",
         "设备",
         {"本体", "本机", "设备名称:", "单元名称", "单元选项"},
         std::regex("单元类型")},
    };
    // "unit" in these English texts is a measure, a row of measures or the
    // type of a power meter's station, not the unit.
    const std::set<unsigned> notTheUnit = {3,     20230, 20235, 29154, 37302, 39219,
                                           39300, 46003, 46351, 46401, 46405, 46407};
    // The unit's own port ("Internal") may be named after the unit.
    const std::set<unsigned> mayNameTheUnit = {5140};
    const std::regex unitWord("\\bunit(s|'s)?\\b", std::regex::icase);
    const std::regex deviceWord("\\bdevices?\\b", std::regex::icase);
    const std::regex otherUnitWord("ユニット|单元");

    const auto english = LoadLanguageModule(kEnglish);
    ASSERT_TRUE(english);
    for (const Terms& t : terms) {
        const auto module = LoadLanguageModule(*t.lang);
        ASSERT_TRUE(module);
        for (unsigned id : english->Ids()) {
            const std::string en = english->FindUtf8(id);
            const std::string text = module->FindUtf8(id) ? module->FindUtf8(id) : "";
            const bool aboutUnit = std::regex_search(en, unitWord) && !notTheUnit.count(id);
            const bool aboutDevice = std::regex_search(en, deviceWord);
            const bool hasUnit = text.find(t.unit) != std::string::npos;
            const bool hasDevice = text.find(t.device) != std::string::npos;
            const std::string where = std::to_string(id) + " in " + t.lang->module + ": " + text;
            if (!mayNameTheUnit.count(id)) {
                EXPECT_EQ(hasUnit, aboutUnit) << where;
            }
            EXPECT_EQ(hasDevice, aboutDevice) << where;
            for (const std::string& other : t.others)
                EXPECT_EQ(text.find(other), std::string::npos) << where;
            EXPECT_EQ(std::regex_search(std::regex_replace(text, t.otherUnitWordAllowedIn, ""),
                                        otherUnitWord),
                      false)
                << where;
        }
        // The name of the unit and the name of a device are told apart.
        for (unsigned unitName : {3005u, 9101u, 46240u, 46243u, 46321u, 46706u})
            for (unsigned deviceName : {3069u, 9502u, 46009u}) {
                const std::string u = module->FindUtf8(unitName);
                const std::string d = module->FindUtf8(deviceName);
                EXPECT_NE(u.substr(0, u.find(':')), d) << unitName << "/" << deviceName;
            }
    }
}

} // namespace qv::test

namespace qv::test {

// A box with Yes and No (or OK and Cancel) buttons must ask what they answer:
// a text that only states something leaves the user guessing what Yes does.
TEST(StringTables, EveryYesNoBoxAsksAQuestion) {
    const unsigned questions[] = {
        9091,  20380, 20390, 63119, 20195, 20400, 20004, 20260, 20261, 20130, 39500,
        20318, 20225, 20226, 20227, 20228, 20229, 20157, 20151, 20410, 20412, 20420,
    };
    for (const Language& lang : kAllLanguages) {
        const auto module = LoadLanguageModule(lang);
        ASSERT_TRUE(module);
        for (unsigned id : questions) {
            const char* text = module->FindUtf8(id);
            ASSERT_NE(text, nullptr) << id;
            const std::string t = text;
            EXPECT_TRUE(t.find('?') != std::string::npos ||
                        t.find("\xEF\xBC\x9F") != std::string::npos) // full-width
                << id << " in " << lang.module << " asks nothing: " << t;
        }
    }
}

} // namespace qv::test
