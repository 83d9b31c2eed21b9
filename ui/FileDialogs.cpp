#include "ui/FileDialogs.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

#include "ui/FileDialogButtons.h"
#include "ui/Messages.h"

namespace qv {

constexpr unsigned kStrSettingsFileFilter = 57666;

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

std::string BrowseSettingsFile(bool open, const std::string& initialName, wxWindow* owner) {
    if (g_answer) {
        const std::string path = g_answer(open, initialName);
        return path.empty() ? path : WithExtension(wxString::FromUTF8(path));
    }
    wxString filter = Res(kStrSettingsFileFilter);
    if (filter.empty())
        filter = "*.qv|*.qv";
    const long style = open ? (wxFD_OPEN | wxFD_FILE_MUST_EXIST) : wxFD_SAVE;
    const wxFileName initial(wxString::FromUTF8(initialName));
    wxFileDialog dlg(owner, wxEmptyString, initial.GetPath(), initial.GetFullName(), filter, style);
    LabelFileDialogButtons(dlg);
    if (dlg.ShowModal() != wxID_OK)
        return {};
    return WithExtension(dlg.GetPath());
}

} // namespace qv
