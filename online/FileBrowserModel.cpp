#include "online/FileBrowserModel.h"

#include <cerrno>
#include <sys/stat.h>

#include "document/CodePageText.h"
#include "document/ProfileStore.h"
#include "document/StringTable.h"
#include "document/Utf8.h"
#include "document/Refusal.h"
#include "link/LinkServices.h"

namespace qv {

namespace {

const char kConfigSection[] = "Settings\\Config";
const char kDownloadFolderValue[] = "DownloadFolder";

bool IsTopFolderName(const std::string& name) {
    return name == "CF" || name == "SD" || name == "RAM";
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

bool HasPercentHex(const std::wstring& text) {
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == L'%' && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]))
            return true;
    return false;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static const char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// A name that decodes character by character into text that encodes back to
// the same bytes, and holds nothing that reads as an escape, is its text.
// Any other is written with its undecodable characters as "%XX" per byte
// and '%' as "%25": such a name always holds an escape, a plain one never,
// and the escapes give the bytes back, so two names never give one text.
std::string LocalNameOf(const std::string& name, uint32_t codePage) {
    std::wstring plain;
    std::string escaped;
    bool undecodable = false;
    for (size_t i = 0; i < name.size();) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const size_t length = IsLeadByte(codePage, lead) && i + 1 < name.size() ? 2 : 1;
        const std::string unit = name.substr(i, length);
        i += length;
        const std::wstring text = MultiToWide(unit, codePage);
        const std::optional<std::string> back = WideToMulti(text, codePage);
        if (text.size() != 1 || !back || *back != unit) {
            undecodable = true;
            for (unsigned char b : unit)
                AppendEscaped(escaped, b);
            continue;
        }
        plain += text;
        if (text == L"%")
            AppendEscaped(escaped, '%');
        else
            escaped += WideToUtf8(text);
    }
    return undecodable || HasPercentHex(plain) ? escaped : WideToUtf8(plain);
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
    listingTooLong_ = false;
    if (!storage_.List(fresh)) {
        listingTooLong_ = storage_.ListingTooLong();
        if (!keepOnFailure)
            entries_.clear();
        return false;
    }
    entries_ = std::move(fresh);
    return true;
}

std::wstring FileBrowserModel::RefreshRefusal() const {
    if (!listingTooLong_)
        return {};
    return FormatResText(kStrListingTooLong, {std::to_wstring(kMaxListingBytes >> 20)});
}

bool FileBrowserModel::Open(size_t row) {
    if (row >= entries_.size() || !entries_[row].isFolder || !IsSafeRemoteName(entries_[row].name))
        return false;
    return storage_.SetFolder(JoinUnitPath(storage_.Folder(), entries_[row].name));
}

std::string FileBrowserModel::LocalName(const std::string& name) const {
    if (!IsSafeRemoteName(name))
        return {};
    const std::string local = LocalNameOf(name, codePage);
    return IsSafeRemoteName(local) ? local : std::string();
}

bool FileBrowserModel::Cancelled(ProgressSink& progress) {
    if (!cancelled_ && progress.PumpAndCancelled())
        cancelled_ = true;
    return cancelled_;
}

void FileBrowserModel::Note(unsigned id) {
    for (unsigned note : notes_)
        if (note == id)
            return;
    notes_.push_back(id);
}

bool FileBrowserModel::ListForWalk(std::vector<FtpEntry>& entries) {
    if (storage_.List(entries))
        return true;
    if (storage_.ListingTooLong())
        Note(kStrListingTooLong);
    return false;
}

bool FileBrowserModel::Return(const std::string& folder) {
    if (placeLost_)
        return false;
    if (storage_.SetFolder(folder))
        return true;
    placeLost_ = true;
    return false;
}

bool FileBrowserModel::DownloadFile(const std::string& name, const std::string& localPath,
                                    ProgressSink& progress) {
    const std::wstring shown = MultiToWide(JoinUnitPath(storage_.Folder(), name), codePage);
    uint64_t shownKb = 0;
    const auto show = [&](uint64_t received, int64_t total) {
        shownKb = received / 1024;
        if (total < 0) {
            progress.SetDetail(FormatResText(kStrFileReceived, {shown, std::to_wstring(shownKb)}));
            return;
        }
        const uint64_t totalKb = (static_cast<uint64_t>(total) + 1023) / 1024;
        progress.SetDetail(FormatResText(
            kStrFileReceivedOf, {shown, std::to_wstring(shownKb), std::to_wstring(totalKb)}));
    };
    show(0, -1);
    const auto watch = [&](uint64_t received, int64_t total) {
        if (received / 1024 != shownKb)
            show(received, total);
        return Cancelled(progress);
    };
    return storage_.Download(name, localPath, watch);
}

bool FileBrowserModel::DownloadFolder(const std::string& localParent, const std::string& name,
                                      int depth, ProgressSink& progress) {
    const std::string localName = LocalName(name);
    if (localName.empty())
        return false;
    if (depth > kMaxWalkDepth) {
        Note(kStrTreeTooDeep);
        return false;
    }
    const std::string local = localParent + "/" + localName;
    if (!PrepareLocalFolder(local))
        return false;
    const std::string parent = storage_.Folder();
    if (!storage_.SetFolder(JoinUnitPath(parent, name)))
        return false;
    // Each folder is listed once: what the walk does below does not move it.
    std::vector<FtpEntry> entries;
    bool ok = ListForWalk(entries);
    for (const FtpEntry& e : entries) {
        if (!ok && storage_.SessionLost())
            break;
        if (placeLost_ || Cancelled(progress))
            break;
        if (e.isFolder) {
            ok = DownloadFolder(local, e.name, depth + 1, progress) && ok;
            continue;
        }
        const std::string file = LocalName(e.name);
        ok = !file.empty() && DownloadFile(e.name, local + "/" + file, progress) && ok;
    }
    return Return(parent) && ok;
}

bool FileBrowserModel::DeleteFolder(const std::string& name, int depth) {
    if (!IsSafeRemoteName(name))
        return false;
    if (depth > kMaxWalkDepth) {
        Note(kStrTreeTooDeep);
        return false;
    }
    const std::string parent = storage_.Folder();
    if (!storage_.SetFolder(JoinUnitPath(parent, name)))
        return false;
    std::vector<FtpEntry> entries;
    bool ok = ListForWalk(entries);
    for (const FtpEntry& e : entries) {
        if (!ok || placeLost_)
            break;
        ok = IsSafeRemoteName(e.name) &&
             (e.isFolder ? DeleteFolder(e.name, depth + 1) : storage_.DeleteFile(e.name));
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
    cancelled_ = false;
    notes_.clear();
    // The rows as they were checked, whatever the walk does to the list.
    const std::vector<FtpEntry> entries = entries_;
    progress.Begin(messageId, static_cast<int>(rows.size()));
    int position = 1;
    progress.SetPosition(position);
    for (size_t row : rows) {
        if (Cancelled(progress)) {
            out.cancelled = true;
            break;
        }
        if (row >= entries.size())
            continue;
        const bool ok = item(entries[row]);
        const bool lost = storage_.SessionLost();
        // An item a cancel cut short did not fail: the user stopped it.
        if (cancelled_ && !lost) {
            out.cancelled = true;
            break;
        }
        if (!ok)
            out.failed.push_back(entries[row].name);
        if (lost) {
            out.sessionLost = true;
            break;
        }
        if (placeLost_)
            break;
        progress.SetPosition(++position);
    }
    out.notes = notes_;
    progress.End();
    return out;
}

FileBrowserModel::Outcome FileBrowserModel::Download(const std::vector<size_t>& rows,
                                                     const std::string& localFolder,
                                                     ProgressSink& progress) {
    return Walk(rows, kStrDownloading, progress, [&](const FtpEntry& e) {
        sleeper_.SleepMs(100);
        if (e.isFolder)
            return DownloadFolder(localFolder, e.name, 1, progress);
        const std::string local = LocalName(e.name);
        return !local.empty() && DownloadFile(e.name, localFolder + "/" + local, progress);
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
               (e.isFolder ? DeleteFolder(e.name, 1) : storage_.DeleteFile(e.name));
    });
}

std::wstring FileBrowserModel::FailureText(const Outcome& outcome, unsigned suffixId) const {
    std::wstring text;
    for (const std::string& name : outcome.failed) {
        if (!text.empty())
            text += L"\n";
        text += MultiToWide(name, codePage) + ResString(suffixId);
    }
    for (unsigned note : outcome.notes) {
        const long long limit = note == kStrListingTooLong
                                    ? static_cast<long long>(kMaxListingBytes >> 20)
                                    : kMaxWalkDepth;
        text += L"\n\n" + FormatResText(note, {std::to_wstring(limit)});
    }
    return text;
}

std::string DownloadStartFolder(const ProfileStore& profile, const std::string& home) {
    if (const auto stored = profile.ReadText(kConfigSection, kDownloadFolderValue)) {
        const std::string folder = WideToUtf8(*stored);
        struct stat st {};
        if (!folder.empty() && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return folder;
    }
    return home;
}

void RememberDownloadFolder(ProfileStore& profile, const std::string& folder) {
    profile.WriteText(kConfigSection, kDownloadFolderValue, Utf8ToWide(folder));
}

} // namespace qv
