// The list of the 10 most recently used settings files, newest first, kept
// in the profile section "Recent File List" as "File1".."File10".
#pragma once
#include <string>
#include <vector>

#include "document/ProfileStore.h"
#include "document/QuorvelDoc.h"

namespace qv {

class RecentFiles : public RecentFileSink {
public:
    static constexpr size_t kMax = 10;
    static constexpr const char* kSection = "Recent File List";

    void Load(const ProfileStore& profile);
    void Save(ProfileStore& profile) const;

    // Puts the path first; an entry already listed moves up.
    void AddRecentFile(const std::string& path) override;
    void Remove(size_t index);
    const std::vector<std::string>& Paths() const { return paths_; }
    // The file last opened or saved; empty when there is none.
    std::string Newest() const { return paths_.empty() ? std::string() : paths_.front(); }

private:
    std::vector<std::string> paths_;
};

} // namespace qv
