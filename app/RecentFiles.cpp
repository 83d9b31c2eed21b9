#include "app/RecentFiles.h"

#include <algorithm>

#include "document/Utf8.h"

namespace qv {

namespace {
std::string ValueName(size_t i) { return "File" + std::to_string(i + 1); }
} // namespace

void RecentFiles::Load(const ProfileStore& profile) {
    paths_.clear();
    for (size_t i = 0; i < kMax; ++i) {
        const auto v = profile.ReadText(kSection, ValueName(i));
        if (v && !v->empty())
            paths_.push_back(WideToUtf8(*v));
    }
}

void RecentFiles::Save(ProfileStore& profile) const {
    for (size_t i = 0; i < kMax; ++i) {
        if (i < paths_.size())
            profile.WriteText(kSection, ValueName(i), Utf8ToWide(paths_[i]));
        else
            profile.DeleteValue(kSection, ValueName(i));
    }
}

void RecentFiles::AddRecentFile(const std::string& path) {
    if (path.empty())
        return;
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
}

void RecentFiles::Remove(size_t index) {
    if (index < paths_.size())
        paths_.erase(paths_.begin() + static_cast<long>(index));
}

} // namespace qv
