#include "online/FileBrowserModel.h"

#include <cerrno>
#include <sys/stat.h>

#include "document/CodePageText.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "link/LinkServices.h"

namespace qv {

namespace {

bool IsTopFolderName(const std::string& name) {
    return name == "CF" || name == "SD" || name == "RAM";
}

// A local folder to write into: made when missing; an existing one must be a
// real folder, never a link to somewhere else.
bool PrepareLocalFolder(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    return errno == ENOENT && ::mkdir(path.c_str(), 0777) == 0;
}

} // namespace

FileBrowserModel::FileBrowserModel(UnitStorage& storage, Sleeper& sleeper)
    : storage_(storage), sleeper_(sleeper) {}

std::wstring FileBrowserModel::ItemText(size_t row) const {
    if (row >= entries_.size())
        return {};
    const FtpEntry& e = entries_[row];
    const std::wstring name = MultiToWide(e.name, codePage);
    return e.isFolder ? L"[D]" + name : name;
}

bool FileBrowserModel::IsProtected(size_t row) const {
    if (row >= entries_.size())
        return false;
    const std::string& folder = storage_.Folder();
    return entries_[row].isFolder && IsTopFolderName(entries_[row].name) &&
           (folder == "/" || folder.empty());
}

bool FileBrowserModel::Refresh(bool keepOnFailure) {
    std::vector<FtpEntry> fresh;
    if (!storage_.List(fresh)) {
        if (!keepOnFailure)
            entries_.clear();
        return false;
    }
    entries_ = std::move(fresh);
    return true;
}

bool FileBrowserModel::Open(size_t row) {
    if (row >= entries_.size() || !entries_[row].isFolder || !IsSafeRemoteName(entries_[row].name))
        return false;
    return storage_.SetFolder(JoinUnitPath(storage_.Folder(), entries_[row].name));
}

std::string FileBrowserModel::LocalName(const std::string& name) const {
    if (!IsSafeRemoteName(name))
        return {};
    const std::string local = WideToUtf8(MultiToWide(name, codePage));
    return IsSafeRemoteName(local) ? local : std::string();
}

bool FileBrowserModel::Return(const std::string& folder) {
    if (placeLost_)
        return false;
    if (storage_.SetFolder(folder))
        return true;
    placeLost_ = true;
    return false;
}

bool FileBrowserModel::DownloadFolder(const std::string& localParent, const std::string& name,
                                      const std::function<bool()>& cancel) {
    const std::string localName = LocalName(name);
    if (localName.empty())
        return false;
    const std::string local = localParent + "/" + localName;
    if (!PrepareLocalFolder(local))
        return false;
    const std::string parent = storage_.Folder();
    if (!storage_.SetFolder(JoinUnitPath(parent, name)))
        return false;
    // Each folder is listed once: what the walk does below does not move it.
    std::vector<FtpEntry> entries;
    bool ok = storage_.List(entries);
    for (const FtpEntry& e : entries) {
        if (!ok && storage_.SessionLost())
            break;
        if (placeLost_ || cancel())
            break;
        if (e.isFolder) {
            ok = DownloadFolder(local, e.name, cancel) && ok;
            continue;
        }
        const std::string file = LocalName(e.name);
        ok = !file.empty() && storage_.Download(e.name, local + "/" + file, cancel) && ok;
    }
    return Return(parent) && ok;
}

bool FileBrowserModel::DeleteFolder(const std::string& name) {
    if (!IsSafeRemoteName(name))
        return false;
    const std::string parent = storage_.Folder();
    if (!storage_.SetFolder(JoinUnitPath(parent, name)))
        return false;
    std::vector<FtpEntry> entries;
    bool ok = storage_.List(entries);
    for (const FtpEntry& e : entries) {
        if (!ok || placeLost_)
            break;
        ok = IsSafeRemoteName(e.name) &&
             (e.isFolder ? DeleteFolder(e.name) : storage_.DeleteFile(e.name));
    }
    // The folder itself goes only when all it held went, from its parent.
    if (!Return(parent))
        return false;
    return ok && storage_.RemoveFolder(name);
}

FileBrowserModel::Outcome FileBrowserModel::Walk(const std::vector<size_t>& rows,
                                                 unsigned messageId, ProgressSink& progress,
                                                 const std::function<bool(const FtpEntry&)>& item) {
    Outcome out;
    if (rows.empty())
        return out;
    out.ran = true;
    placeLost_ = false;
    // The rows as they were checked, whatever the walk does to the list.
    const std::vector<FtpEntry> entries = entries_;
    progress.Begin(messageId, static_cast<int>(rows.size()));
    int position = 1;
    progress.SetPosition(position);
    for (size_t row : rows) {
        if (progress.PumpAndCancelled()) {
            out.cancelled = true;
            break;
        }
        if (row >= entries.size())
            continue;
        if (!item(entries[row]))
            out.failed.push_back(entries[row].name);
        if (storage_.SessionLost()) {
            out.sessionLost = true;
            break;
        }
        if (placeLost_)
            break;
        progress.SetPosition(++position);
    }
    progress.End();
    return out;
}

FileBrowserModel::Outcome FileBrowserModel::Download(const std::vector<size_t>& rows,
                                                     const std::string& localFolder,
                                                     ProgressSink& progress) {
    const auto cancel = [&] { return progress.PumpAndCancelled(); };
    return Walk(rows, kStrDownloading, progress, [&](const FtpEntry& e) {
        sleeper_.SleepMs(100);
        if (e.isFolder)
            return DownloadFolder(localFolder, e.name, cancel);
        const std::string local = LocalName(e.name);
        return !local.empty() && storage_.Download(e.name, localFolder + "/" + local, cancel);
    });
}

FileBrowserModel::Outcome FileBrowserModel::Delete(const std::vector<size_t>& rows,
                                                   ProgressSink& progress) {
    const std::string folder = storage_.Folder();
    return Walk(rows, kStrDeleting, progress, [&](const FtpEntry& e) {
        // The top folders are kept whatever the check marks say.
        if (e.isFolder && IsTopFolderName(e.name) && (folder == "/" || folder.empty()))
            return false;
        // A name the server should never give is never sent back to it.
        return IsSafeRemoteName(e.name) &&
               (e.isFolder ? DeleteFolder(e.name) : storage_.DeleteFile(e.name));
    });
}

std::wstring FileBrowserModel::FailureText(const Outcome& outcome, unsigned suffixId) const {
    std::wstring text;
    for (const std::string& name : outcome.failed) {
        if (!text.empty())
            text += L"\n";
        text += MultiToWide(name, codePage) + ResString(suffixId);
    }
    return text;
}

} // namespace qv
