// The profile in a wxFileConfig file, with the sections and value names kept
// as they are, below the root "Software/Zorvek Control/Quorvelis".
#pragma once
#include <memory>
#include <string>

#include "document/ProfileStore.h"

class wxFileConfig;
class wxString;

namespace qv {

class WxProfileStore : public ProfileStore {
public:
    // The profile file: QV_PROFILE when set (tests use a private one), else
    // quorvelis/profile.ini in the user's configuration folder.
    static std::string DefaultPath();
    explicit WxProfileStore(const std::string& path);
    ~WxProfileStore() override;

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

    // Every write reaches the file at once, but a value written as it already
    // stands leaves the file alone, and writes made while a HeldWrites lives
    // (the window state stored at exit: some hundred and sixty values) reach
    // it together when the last one ends.
    class HeldWrites {
    public:
        explicit HeldWrites(WxProfileStore& store) : store_(store) { ++store_.held_; }
        ~HeldWrites() {
            if (--store_.held_ == 0)
                store_.Flush();
        }
        HeldWrites(const HeldWrites&) = delete;
        HeldWrites& operator=(const HeldWrites&) = delete;

    private:
        WxProfileStore& store_;
    };

private:
    bool Flush();
    bool Write(const std::string& section, const std::string& name, const wxString& value);

    std::unique_ptr<wxFileConfig> config_;
    int held_ = 0;
};

} // namespace qv
