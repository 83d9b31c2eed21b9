// The names in a folder, for tests that check what a write left behind.
#pragma once
#include <algorithm>
#include <dirent.h>
#include <string>
#include <vector>

namespace qv::test {

// Sorted, without "." and "..".
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace qv::test
