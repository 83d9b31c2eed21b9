#include "online/UnitToolUser.h"

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "link/UnitTools.h"
#include "online/ConnectionDlg.h"
#include "online/PasswordInputDlg.h"
#include "ui/FileDialogButtons.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrFirmwareFileTitle = 57672;

FirmwareFileAnswer g_fileAnswer;

} // namespace

int CUnitToolUser::Ask(unsigned messageId, unsigned type) {
    return ShowMessageId(messageId, type);
}

void CUnitToolUser::Tell(unsigned messageId, unsigned type) {
    ShowMessageId(messageId, type);
}

std::string CUnitToolUser::ChooseFirmwareFile() {
    // Over the window that asked, titled in the interface language; no
    // initial name, and the file must exist.
    wxFileDialog dlg(parent_, Res(kStrFirmwareFileTitle), wxEmptyString, wxEmptyString,
                     FileDialogFilter(Res(kMsgFirmwareFileFilter)),
                     wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    LabelFileDialogButtons(dlg);
    if (g_fileAnswer)
        return g_fileAnswer(dlg);
    if (dlg.ShowModal() != wxID_OK)
        return {};
    return std::string(dlg.GetPath().fn_str());
}

void CUnitToolUser::SetBusyCursor(bool busy) {
    if (busy)
        wxBeginBusyCursor();
    else
        wxEndBusyCursor();
}

wxString FileDialogFilter(const wxString& text) {
    wxString filter = text;
    // wx takes pairs without the closing bars; an empty entry at the end
    // would be read as a filter with no pattern.
    while (filter.EndsWith("|"))
        filter.RemoveLast();
    return filter.empty() ? wxString("*.bin|*.bin") : filter;
}

void SetFirmwareFileAnswer(FirmwareFileAnswer answer) {
    g_fileAnswer = std::move(answer);
}

std::unique_ptr<PasswordPrompt> MakeUnitPasswordPrompt() {
    return std::make_unique<PasswordInputPrompt>();
}

} // namespace qv
