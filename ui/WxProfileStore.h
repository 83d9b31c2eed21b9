// The profile in a wxFileConfig file, with the sections and value names kept
// as they are, below the root "Software/Zorvek Control/Quorvelis". The file
// is written by Flush (and at the end, when changes are left), in one step
// that replaces it whole.
#pragma once
#include <memory>
#include <string>

#include "document/ProfileFile.h"
#include "document/ProfileStore.h"

class wxFileConfig;

namespace qv {

class WxProfileStore : public ProfileStore {
public:
    // The profile file: QV_PROFILE when set (tests use a private one), else
    // quorvelis/profile.ini in the user's configuration folder.
    static std::string DefaultPath();
    explicit WxProfileStore(const std::string& path);
    ~WxProfileStore() override;

    // What the open found: a profile too large to read, kept aside, is the
    // one the user is told of.
    const ProfileFileCheck& Opened() const { return opened_; }

    bool SectionExists(const std::string& section) const override;
    bool CreateSection(const std::string& section) override;
    std::optional<uint32_t> ReadNumber(const std::string& section,
                                       const std::string& name) const override;
    std::optional<std::wstring> ReadText(const std::string& section,
                                         const std::string& name) const override;
    bool WriteNumber(const std::string& section, const std::string& name, uint32_t value) override;
    bool WriteText(const std::string& section, const std::string& name,
                   const std::wstring& value) override;
    bool DeleteValue(const std::string& section, const std::string& name) override;
    bool Flush() override;

private:
    std::string Text() const;

    std::string path_;
    ProfileFileCheck opened_;
    std::unique_ptr<wxFileConfig> config_;
    std::string written_; // the text the file holds as far as this store knows
    bool changed_ = false;
};

} // namespace qv
