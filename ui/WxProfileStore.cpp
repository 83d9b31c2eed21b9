#include "ui/WxProfileStore.h"

#include <cstdlib>
#include <limits>
#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/utils.h>

namespace qv {

namespace {

const wxString kRoot = "/Software/Zorvek Control/Quorvelis";

wxString GroupPath(const std::string& section) {
    wxString s = wxString::FromUTF8(section);
    s.Replace("\\", "/");
    return kRoot + "/" + s;
}

wxString EntryPath(const std::string& section, const std::string& name) {
    return GroupPath(section) + "/" + wxString::FromUTF8(name);
}

} // namespace

std::string WxProfileStore::DefaultPath() {
    if (const char* env = std::getenv("QV_PROFILE"); env && *env)
        return env;
    wxString base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = wxString::FromUTF8(xdg);
    else
        base = wxGetHomeDir() + "/.config";
    return (base + "/quorvelis/profile.ini").utf8_string();
}

// A damaged profile must never stop the program: what the file parser
// cannot take it reports as toolkit assertions (an empty entry name, a
// repeated group) and log boxes. Neither reaches the user; what cannot be
// read takes its default.
WxProfileStore::WxProfileStore(const std::string& path)
    : path_(path), opened_(CheckProfileFile(path)) {
    const wxLogNull quiet;
    const wxAssertHandler_t handler = wxSetAssertHandler(nullptr);
    if (opened_.Readable())
        config_ = std::make_unique<wxFileConfig>(
            wxEmptyString, wxEmptyString, wxString::FromUTF8(path), wxEmptyString,
            wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_RELATIVE_PATH);
    else // nothing to read: no file names, so the toolkit looks at none
        config_ = std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, wxEmptyString,
                                                 wxEmptyString, 0);
    wxSetAssertHandler(handler);
    // The toolkit's own write removes the old file before the new one takes
    // its name, and replaces a symbolic link; this store writes instead.
    config_->DisableAutoSave();
    config_->SetExpandEnvVars(false);
    written_ = Text();
    // The toolkit keeps every line it read, comments and blank ones too:
    // nothing from a file that has bytes means it could not decode them.
    if (opened_.Readable() && opened_.size > 0 && written_.empty())
        opened_.state = ProfileFileState::Unreadable;
}

WxProfileStore::~WxProfileStore() {
    Flush(); // what no action wrote yet
}

std::string WxProfileStore::Text() const {
    const wxLogNull quiet;
    wxMemoryOutputStream out;
    config_->Save(out, wxConvUTF8);
    std::string text(out.GetLength(), '\0');
    out.CopyTo(text.data(), text.size());
    return text;
}

bool WxProfileStore::Flush() {
    if (!changed_)
        return true;
    const std::string text = Text();
    if (text == written_) { // the same values written again
        changed_ = false;
        return true;
    }
    // A file that could not be read, or kept aside in place, is never
    // overwritten: its changes serve this run from memory. One that cannot
    // be written is no reason for a box either.
    if (!opened_.Writable() || WriteProfileFile(path_, text) != 0)
        return false;
    written_ = text;
    changed_ = false;
    return true;
}

bool WxProfileStore::SectionExists(const std::string& section) const {
    return config_->HasGroup(GroupPath(section));
}

bool WxProfileStore::CreateSection(const std::string& section) {
    if (config_->HasGroup(GroupPath(section)))
        return true;
    const wxString old = config_->GetPath();
    config_->SetPath(GroupPath(section)); // creates the group
    config_->SetPath(old);
    changed_ = true;
    // Held in memory, the section serves this run even when the file
    // cannot be written.
    return config_->HasGroup(GroupPath(section));
}

std::optional<uint32_t> WxProfileStore::ReadNumber(const std::string& section,
                                                   const std::string& name) const {
    wxString text;
    if (!config_->Read(EntryPath(section, name), &text))
        return std::nullopt;
    // A hand-edited number may have blanks around it; a value no 32-bit
    // number holds is unreadable.
    text.Trim(true).Trim(false);
    long long value = 0;
    if (!text.ToLongLong(&value) || value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::optional<std::wstring> WxProfileStore::ReadText(const std::string& section,
                                                     const std::string& name) const {
    wxString text;
    if (!config_->Read(EntryPath(section, name), &text))
        return std::nullopt;
    return text.ToStdWstring();
}

bool WxProfileStore::WriteNumber(const std::string& section, const std::string& name,
                                 uint32_t value) {
    changed_ = true;
    return config_->Write(EntryPath(section, name), static_cast<long>(value));
}

bool WxProfileStore::WriteText(const std::string& section, const std::string& name,
                               const std::wstring& value) {
    changed_ = true;
    return config_->Write(EntryPath(section, name), wxString(value));
}

bool WxProfileStore::DeleteValue(const std::string& section, const std::string& name) {
    const bool removed = config_->DeleteEntry(EntryPath(section, name), false);
    changed_ = changed_ || removed;
    return removed;
}

} // namespace qv
