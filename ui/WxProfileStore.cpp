#include "ui/WxProfileStore.h"

#include <cstdlib>
#include <limits>
#include <sys/stat.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sstream.h>
#include <wx/stdpaths.h>
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
WxProfileStore::WxProfileStore(const std::string& path) {
    const wxLogNull quiet;
    const wxAssertHandler_t handler = wxSetAssertHandler(nullptr);
    const wxFileName file(wxString::FromUTF8(path));
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        // A folder, FIFO or device: opening it could block; the profile
        // lives in memory for this run.
        wxStringInputStream empty(wxEmptyString);
        config_ = std::make_unique<wxFileConfig>(empty);
    } else {
        wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        config_ = std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, file.GetFullPath(),
                                                 wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    }
    wxSetAssertHandler(handler);
    config_->SetExpandEnvVars(false);
}

WxProfileStore::~WxProfileStore() {
    const wxLogNull quiet;
    config_.reset(); // writes what is not yet written
}

bool WxProfileStore::Flush() {
    if (held_ > 0)
        return true;
    const wxLogNull quiet; // a profile that cannot be written is no reason for a box
    return config_->Flush();
}

bool WxProfileStore::SectionExists(const std::string& section) const {
    return config_->HasGroup(GroupPath(section));
}

bool WxProfileStore::CreateSection(const std::string& section) {
    const wxString old = config_->GetPath();
    config_->SetPath(GroupPath(section)); // creates the group
    config_->SetPath(old);
    // Held in memory, the section serves this run even when the file
    // cannot be written.
    Flush();
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
    return Write(section, name, wxString::Format("%ld", static_cast<long>(value)));
}

bool WxProfileStore::WriteText(const std::string& section, const std::string& name,
                               const std::wstring& value) {
    return Write(section, name, wxString(value));
}

// The file takes every write as a change: a value that stands as it is
// written is not written again (the flush still writes what an earlier one
// could not, and does nothing else).
bool WxProfileStore::Write(const std::string& section, const std::string& name,
                           const wxString& value) {
    const wxString path = EntryPath(section, name);
    wxString stored;
    if (config_->Read(path, &stored) && stored == value)
        return Flush();
    return config_->Write(path, value) && Flush();
}

bool WxProfileStore::DeleteValue(const std::string& section, const std::string& name) {
    const bool removed = config_->DeleteEntry(EntryPath(section, name), false);
    Flush();
    return removed;
}

} // namespace qv
