#include "ui/WxProfileStore.h"

#include <cstdlib>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

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

WxProfileStore::WxProfileStore(const std::string& path) {
    const wxFileName file(wxString::FromUTF8(path));
    wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    config_ = std::make_unique<wxFileConfig>(wxEmptyString, wxEmptyString, file.GetFullPath(),
                                             wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    config_->SetExpandEnvVars(false);
}

WxProfileStore::~WxProfileStore() {
    if (config_)
        config_->Flush();
}

bool WxProfileStore::SectionExists(const std::string& section) const {
    return config_->HasGroup(GroupPath(section));
}

bool WxProfileStore::CreateSection(const std::string& section) {
    const wxString old = config_->GetPath();
    config_->SetPath(GroupPath(section)); // creates the group
    config_->SetPath(old);
    return config_->Flush();
}

std::optional<uint32_t> WxProfileStore::ReadNumber(const std::string& section,
                                                   const std::string& name) const {
    wxString text;
    if (!config_->Read(EntryPath(section, name), &text))
        return std::nullopt;
    long long value = 0;
    if (!text.ToLongLong(&value))
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
    return config_->Write(EntryPath(section, name), static_cast<long>(value)) && config_->Flush();
}

bool WxProfileStore::WriteText(const std::string& section, const std::string& name,
                               const std::wstring& value) {
    return config_->Write(EntryPath(section, name), wxString(value)) && config_->Flush();
}

bool WxProfileStore::DeleteValue(const std::string& section, const std::string& name) {
    const bool removed = config_->DeleteEntry(EntryPath(section, name), false);
    config_->Flush();
    return removed;
}

} // namespace qv
