#include "ui/FileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/FileDialogButtons.h"
#include "ui/Messages.h"

namespace qv {

constexpr unsigned kStrSettingsFileFilter = 57666;
constexpr unsigned kStrOpenTitle = 57670;
constexpr unsigned kStrSaveAsTitle = 57671;

namespace {
FileDialogAnswer g_answer;

std::string WithExtension(const wxString& path) {
    wxFileName chosen(path);
    if (!chosen.HasExt())
        chosen.SetExt("qv");
    return chosen.GetFullPath().utf8_string();
}
} // namespace

void SetFileDialogAnswer(FileDialogAnswer answer) { g_answer = std::move(answer); }

std::string BrowseSettingsFile(bool open, const std::string& initialPath, wxWindow* owner) {
    wxString filter = Res(kStrSettingsFileFilter);
    if (filter.empty())
        filter = "*.qv|*.qv";
    const long style = open ? (wxFD_OPEN | wxFD_FILE_MUST_EXIST) : wxFD_SAVE;
    const wxFileName initial(wxString::FromUTF8(initialPath));
    wxFileDialog dlg(owner, Res(open ? kStrOpenTitle : kStrSaveAsTitle), initial.GetPath(),
                     open ? wxString() : initial.GetFullName(), filter, style);
    LabelFileDialogButtons(dlg);
    wxString chosen;
    if (g_answer)
        chosen = wxString::FromUTF8(g_answer(dlg));
    else if (dlg.ShowModal() == wxID_OK)
        chosen = dlg.GetPath();
    return chosen.empty() ? std::string() : WithExtension(chosen);
}

} // namespace qv
