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

class ProfileStore;
class ProgressSink;
class Sleeper;

// Strings of the browser.
constexpr unsigned kStrDownloading = 9090;
constexpr unsigned kStrDownloadFailed = 9092;
constexpr unsigned kStrDeleting = 9093;
constexpr unsigned kStrDeleteFailed = 9094;
constexpr unsigned kStrListingTooLong = 46830;
constexpr unsigned kStrTreeTooDeep = 46831;
constexpr unsigned kStrFileReceived = 46832;
constexpr unsigned kStrFileReceivedOf = 46833;

// No unit's storage holds folders this deep: a walk goes no further (a
// server that lists a folder inside itself would otherwise never end).
constexpr int kMaxWalkDepth = 32;

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
    // What the user is told after a failed Refresh: empty when the failure is
    // silent, the message when the listing was too long to be taken.
    std::wstring RefreshRefusal() const;
    void Clear() { entries_.clear(); }
    // Enters the folder of a row (files open nothing).
    bool Open(size_t row);

    struct Outcome {
        bool ran = false; // false: nothing was checked
        bool cancelled = false;
        bool sessionLost = false;        // the unit ended the file session
        std::vector<std::string> failed; // names (the unit's bytes)
        std::vector<unsigned> notes;     // why, where more than "failed" is known
    };
    // The checked rows into localFolder (a folder tree is mirrored below it),
    // with the wait dialog; a wait of 100 ms before each item, for the unit.
    // The wait dialog's second line names the file at work and how much of
    // it has arrived; a cancel is taken between the blocks of a file.
    Outcome Download(const std::vector<size_t>& rows, const std::string& localFolder,
                     ProgressSink& progress);
    Outcome Delete(const std::vector<size_t>& rows, ProgressSink& progress);
    // One line per failed name followed by the text of suffixId, then the
    // notes, each once.
    std::wstring FailureText(const Outcome& outcome, unsigned suffixId) const;

    // The local name of a unit name: its text in the code page, as UTF-8.
    // Where bytes have no character of their own (or would come back as
    // other bytes), they are written as "%XX" and every '%' as "%25", so two
    // unit names never meet in one local name. Empty when it cannot be one.
    std::string LocalName(const std::string& name) const;

private:
    // Runs item on each checked row with the wait dialog; stops at a cancel,
    // at the end of the unit's file session, or when the walk lost its place.
    Outcome Walk(const std::vector<size_t>& rows, unsigned messageId, ProgressSink& progress,
                 const std::function<bool(const FtpEntry&)>& item);
    bool DownloadFile(const std::string& name, const std::string& localPath,
                      ProgressSink& progress);
    bool DownloadFolder(const std::string& localParent, const std::string& name, int depth,
                        ProgressSink& progress);
    bool DeleteFolder(const std::string& name, int depth);
    // False, and every further step skipped, once the storage could not go
    // back to the folder a step left: it must not go on elsewhere.
    bool Return(const std::string& folder);
    // Pumps the wait dialog; once it said cancel, the walk stays cancelled.
    bool Cancelled(ProgressSink& progress);
    void Note(unsigned id);
    // A listing for a walk, noting one that was too long.
    bool ListForWalk(std::vector<FtpEntry>& entries);

    UnitStorage& storage_;
    Sleeper& sleeper_;
    std::vector<FtpEntry> entries_;
    bool placeLost_ = false;
    bool cancelled_ = false;
    bool listingTooLong_ = false;
    std::vector<unsigned> notes_;
};

// The folder a download's chooser starts in: the last one a download went
// to while it still exists, else the home folder.
std::string DownloadStartFolder(const ProfileStore& profile, const std::string& home);
void RememberDownloadFolder(ProfileStore& profile, const std::string& folder);

} // namespace qv
