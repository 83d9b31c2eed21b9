// Loads one of the built language modules and makes it the active string table
// for the life of the object.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/CodePageText.h"
#include "resources/ResourceModule.h"
#include "tests/TestPaths.h"

namespace qv::test {

struct Language {
    const char* module;
    uint32_t codePage;
};
inline const Language kEnglish{"QvResEnu", kCodePageJapanese};
inline const Language kJapanese{"QvResJpn", kCodePageJapanese};
inline const Language kChinese{"QvResChs", kCodePageChinese};
inline const Language kAllLanguages[] = {kEnglish, kJapanese, kChinese};

inline std::unique_ptr<ResourceModule> LoadLanguageModule(const Language& lang) {
    std::string error;
    auto module = ResourceModule::Load(
        std::string(test::kModuleDir) + "/" + ResourceModuleFileName(lang.module), &error);
    EXPECT_TRUE(module) << error;
    return module;
}

class ScopedLanguage {
public:
    explicit ScopedLanguage(const Language& lang) : module_(LoadLanguageModule(lang)) {
        SetActiveStringTable(module_.get());
    }
    ~ScopedLanguage() { SetActiveStringTable(nullptr); }
    const ResourceModule& module() const { return *module_; }

private:
    std::unique_ptr<ResourceModule> module_;
};

} // namespace qv::test
