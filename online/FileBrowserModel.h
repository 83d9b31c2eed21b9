// What the unit file browser does with the unit's storage, whichever road
// carries it: the list of the current folder, the protected top folders, and
// the download and delete of the checked entries with whole folder trees.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/UnitStorage.h"

namespace qv {

class ProgressSink;
class Sleeper;

// Strings of the browser.
constexpr unsigned kStrDownloading = 9090;
constexpr unsigned kStrDownloadFailed = 9092;
constexpr unsigned kStrDeleting = 9093;
constexpr unsigned kStrDeleteFailed = 9094;

class FileBrowserModel {
public:
    FileBrowserModel(UnitStorage& storage, Sleeper& sleeper);

    // The code page of the unit's names (the serial road may switch it).
    uint32_t codePage = 932;

    const std::vector<FtpEntry>& Entries() const { return entries_; }
    // "[D]" and the name for a folder, the bare name for a file.
    std::wstring ItemText(size_t row) const;
    // The unit's top folders CF, SD and RAM are never checked in the root,
    // nor where the current folder is not known.
    bool IsProtected(size_t row) const;

    // Reads the current folder again; on failure the list is emptied unless
    // keepOnFailure.
    bool Refresh(bool keepOnFailure);
    void Clear() { entries_.clear(); }
    // Enters the folder of a row (files open nothing).
    bool Open(size_t row);

    struct Outcome {
        bool ran = false; // false: nothing was checked
        bool cancelled = false;
        bool sessionLost = false;        // the unit ended the file session
        std::vector<std::string> failed; // names (the unit's bytes)
    };
    // The checked rows into localFolder (a folder tree is mirrored below it),
    // with the wait dialog; a wait of 100 ms before each item, for the unit.
    Outcome Download(const std::vector<size_t>& rows, const std::string& localFolder,
                     ProgressSink& progress);
    Outcome Delete(const std::vector<size_t>& rows, ProgressSink& progress);
    // One line per failed name followed by the text of suffixId.
    std::wstring FailureText(const Outcome& outcome, unsigned suffixId) const;

    // The local name of a unit name (its text in the code page, as UTF-8);
    // empty when it cannot be one.
    std::string LocalName(const std::string& name) const;

private:
    // Runs item on each checked row with the wait dialog; stops at a cancel,
    // at the end of the unit's file session, or when the walk lost its place.
    Outcome Walk(const std::vector<size_t>& rows, unsigned messageId, ProgressSink& progress,
                 const std::function<bool(const FtpEntry&)>& item);
    bool DownloadFolder(const std::string& localParent, const std::string& name,
                        const std::function<bool()>& cancel);
    bool DeleteFolder(const std::string& name);
    // False, and every further step skipped, once the storage could not go
    // back to the folder a step left: it must not go on elsewhere.
    bool Return(const std::string& folder);

    UnitStorage& storage_;
    Sleeper& sleeper_;
    std::vector<FtpEntry> entries_;
    bool placeLost_ = false;
};

} // namespace qv
