#include "tools/unitsim/SimFiles.h"

#include <algorithm>
#include <array>

#include "tools/unitsim/SimUnit.h"
#include "tools/unitsim/UnitSimulator.h"

namespace unitsim {

using frames::ErrorReply;
using frames::Reply;
using frames::SuccessReply;

namespace {

constexpr size_t kMaxFileText = 65536; // characters of a chunked file request
// Every listing line carries the same date; the unit's clock is not the point.
constexpr char kListingStamp[] = " 2024/06/15 09:30 ";

std::string Hex(const std::string& bytes) {
    std::string text;
    text.reserve(2 * bytes.size());
    for (char c : bytes)
        text += frames::HexByte(static_cast<uint8_t>(c));
    return text;
}

// Upper-case hex pairs only.
bool Unhex(std::string_view hex, std::string& out) {
    if (hex.size() % 2 != 0)
        return false;
    out.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        uint32_t v = 0;
        if (!frames::ParseHex(hex.substr(i, 2), v))
            return false;
        out += static_cast<char>(v);
    }
    return true;
}

// StartRead with frames that carry whole pairs.
Reply StartFileRead(Transfer& t, char start, const std::string& code, std::string text,
                    size_t chunk) {
    return StartRead(t, start, code, std::move(text), std::max<size_t>(2, chunk & ~size_t{1}));
}

} // namespace

bool IsChunkedFileCommand(std::string_view code) {
    return code == "5V" || code == "5X" || code == "5Y" || code == "6B";
}

bool IsFileCommand(std::string_view code) {
    static constexpr std::array<std::string_view, 10> kCodes = {"5V", "5W", "5X", "5Y", "5Z",
                                                                "6A", "6B", "6C", "6D", "6E"};
    return std::find(kCodes.begin(), kCodes.end(), code) != kCodes.end();
}

std::vector<std::string> FileStore::NamesOf(const std::string& path) const {
    std::vector<std::string> parts;
    if (path.empty() || path[0] != '/')
        parts = current_;
    size_t from = 0;
    while (from <= path.size()) {
        size_t to = path.find('/', from);
        if (to == std::string::npos)
            to = path.size();
        if (to > from)
            parts.push_back(path.substr(from, to - from));
        from = to + 1;
    }
    return parts;
}

FileStore::Node* FileStore::Find(const std::vector<std::string>& parts) {
    return const_cast<Node*>(static_cast<const FileStore*>(this)->Find(parts));
}

const FileStore::Node* FileStore::Find(const std::vector<std::string>& parts) const {
    const Node* n = &root_;
    for (const auto& name : parts) {
        if (!n->folder)
            return nullptr;
        auto it = n->children.find(name);
        if (it == n->children.end())
            return nullptr;
        n = &it->second;
    }
    return n;
}

FileStore::Node* FileStore::MakeFolders(const std::vector<std::string>& parts) {
    Node* n = &root_;
    for (const auto& name : parts) {
        if (!n->folder)
            return nullptr;
        n = &n->children[name];
    }
    return n->folder ? n : nullptr;
}

bool FileStore::AddFolder(const std::string& path) {
    return MakeFolders(NamesOf(path)) != nullptr;
}

bool FileStore::AddFile(const std::string& path, const std::string& bytes) {
    std::vector<std::string> parts = NamesOf(path);
    if (parts.empty())
        return false;
    const std::string name = parts.back();
    parts.pop_back();
    Node* folder = MakeFolders(parts);
    if (!folder)
        return false;
    Node& file = folder->children[name];
    if (file.folder && !file.children.empty())
        return false;
    file.folder = false;
    file.data = bytes;
    return true;
}

bool FileStore::Exists(const std::string& path) const {
    return Find(NamesOf(path)) != nullptr;
}

void FileStore::SetUser(const std::string& user, const std::string& password) {
    users_[user] = password;
}

std::string FileStore::CurrentFolder() const {
    std::string path;
    for (const auto& name : current_)
        path += "/" + name;
    return path.empty() ? "/" : path;
}

std::string FileStore::Listing(const Node& folder) const {
    // Type and rights, links, owner, size, date, time, then the name (the
    // seventh field on, blanks and all).
    std::string text;
    for (const auto& [name, node] : folder.children) {
        text += node.folder ? "drwxrwxrwx" : "-rw-rw-rw-";
        text += " 1 unit ";
        text += std::to_string(node.folder ? 0 : node.data.size());
        text += kListingStamp;
        text += name;
        text += "\r\n";
    }
    return text;
}

Reply FileStore::Handle(Transfer& t, const frames::Request& q, size_t chunk) {
    const char s = q.start;
    std::string code;
    std::string text;
    if (!q.isCommand) { // a further frame of a chunked request
        t.fileText += q.args;
        if (t.fileText.size() > kMaxFileText) {
            t.Reset();
            return ErrorReply(s, frames::kErrArguments);
        }
        if (q.more)
            return SuccessReply(s, t.code, {}, true);
        code = t.code;
        text = std::move(t.fileText);
        t.Reset();
    } else {
        t.Reset(); // a new command ends any exchange in progress
        code = q.code;
        text = q.args;
        if (q.more) {
            if (!IsChunkedFileCommand(code))
                return ErrorReply(s, frames::kErrProcedure);
            t.kind = Transfer::Kind::FileText;
            t.code = code;
            t.fileText = std::move(text);
            return SuccessReply(s, code, {}, true);
        }
    }
    return Carry(s, code, text, t, chunk);
}

Reply FileStore::Login(char s, const std::string& text) {
    std::string bytes;
    if (!Unhex(text, bytes))
        return ErrorReply(s, kErrFileLoginText);
    const size_t lf = bytes.find('\n');
    if (lf == std::string::npos || lf == 0)
        return ErrorReply(s, kErrFileLoginText);
    const auto user = users_.find(bytes.substr(0, lf));
    if (user == users_.end())
        return ErrorReply(s, kErrUnknownUser);
    if (user->second != bytes.substr(lf + 1))
        return ErrorReply(s, kErrWrongPassword);
    loggedIn_ = true;
    current_.clear();
    return SuccessReply(s, "5V");
}

Reply FileStore::Remove(char s, const std::string& code, const std::string& name) {
    std::vector<std::string> parts = NamesOf(name);
    const Node* n = parts.empty() ? nullptr : Find(parts);
    if (!n || n->folder != (code == "5Y"))
        return ErrorReply(s, kErrNoSuchEntry);
    if (n->folder && !n->children.empty())
        return ErrorReply(s, kErrFolderNotEmpty);
    const std::string last = parts.back();
    parts.pop_back();
    Find(parts)->children.erase(last);
    if (!Find(current_)) // the current folder went with it
        current_.clear();
    return SuccessReply(s, code);
}

Reply FileStore::Carry(char s, const std::string& code, const std::string& text, Transfer& t,
                       size_t chunk) {
    if (code == "5V")
        return Login(s, text);
    if (code == "5W") {
        loggedIn_ = false;
        return SuccessReply(s, code);
    }
    if (!loggedIn_)
        return ErrorReply(s, kErrNoFileSession);
    if (code == "5Z" || code == "6A" || code == "6C" || code == "6E") {
        if (!text.empty())
            return ErrorReply(s, frames::kErrArguments);
        if (code == "5Z") {
            if (!current_.empty())
                current_.pop_back();
            return SuccessReply(s, code);
        }
        if (code == "6A") {
            ++makeCurrent_;
            return SuccessReply(s, code);
        }
        if (code == "6C")
            return StartFileRead(t, s, code, "01" + Hex(CurrentFolder()), chunk);
        const Node* folder = Find(current_);
        return StartFileRead(t, s, code, "01" + Hex(folder ? Listing(*folder) : std::string()),
                             chunk);
    }
    // The name, after the code-page field ("#6D" may come without one; no
    // name begins with the byte 01).
    std::string_view hex = text;
    if (code != "6D" || hex.substr(0, 2) == "01") {
        uint32_t field = 0;
        if (hex.size() < 2 || !frames::ParseHex(hex.substr(0, 2), field))
            return ErrorReply(s, frames::kErrArguments);
        hex.remove_prefix(2);
    }
    std::string name;
    if (!Unhex(hex, name))
        return ErrorReply(s, frames::kErrArguments);
    if (code == "6D") {
        const Node* file = Find(NamesOf(name));
        if (name.empty() || !file || file->folder)
            return ErrorReply(s, kErrNoSuchEntry);
        return StartFileRead(t, s, code, Hex(file->data), chunk);
    }
    if (code == "6B") {
        std::vector<std::string> parts = NamesOf(name);
        const Node* folder = Find(parts);
        if (!folder || !folder->folder)
            return ErrorReply(s, kErrNoSuchEntry);
        current_ = std::move(parts);
        return SuccessReply(s, code);
    }
    return Remove(s, code, name); // "5X", "5Y"
}

// ---- the simulator's calls ----

void UnitSimulator::AddUnitFolder(const std::string& path) {
    WithFiles([&](FileStore& f) { f.AddFolder(path); });
}

void UnitSimulator::AddUnitFile(const std::string& path, const std::string& bytes) {
    WithFiles([&](FileStore& f) { f.AddFile(path, bytes); });
}

bool UnitSimulator::UnitPathExists(const std::string& path) const {
    bool exists = false;
    WithFiles([&](FileStore& f) { exists = f.Exists(path); });
    return exists;
}

void UnitSimulator::SetFileUser(const std::string& user, const std::string& password) {
    WithFiles([&](FileStore& f) { f.SetUser(user, password); });
}

bool UnitSimulator::FileLoggedIn() const {
    bool in = false;
    WithFiles([&](FileStore& f) { in = f.LoggedIn(); });
    return in;
}

void UnitSimulator::EndFileSession() {
    WithFiles([](FileStore& f) { f.EndSession(); });
}

std::string UnitSimulator::CurrentUnitFolder() const {
    std::string folder;
    WithFiles([&](FileStore& f) { folder = f.CurrentFolder(); });
    return folder;
}

int UnitSimulator::MakeCurrentFileCount() const {
    int n = 0;
    WithFiles([&](FileStore& f) { n = f.MakeCurrentCount(); });
    return n;
}

} // namespace unitsim
