#include "ui/FileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/Messages.h"

namespace qv {

constexpr unsigned kStrSettingsFileFilter = 57666;

std::string BrowseSettingsFile(bool open, const std::string& initialName, wxWindow* owner) {
    wxString filter = Res(kStrSettingsFileFilter);
    if (filter.empty())
        filter = "*.qv|*.qv";
    const long style = open ? (wxFD_OPEN | wxFD_FILE_MUST_EXIST) : wxFD_SAVE;
    const wxFileName initial(wxString::FromUTF8(initialName));
    wxFileDialog dlg(owner, wxEmptyString, initial.GetPath(), initial.GetFullName(), filter, style);
    if (dlg.ShowModal() != wxID_OK)
        return {};
    wxFileName chosen(dlg.GetPath());
    if (!chosen.HasExt())
        chosen.SetExt("qv");
    return chosen.GetFullPath().utf8_string();
}

} // namespace qv
