// The program's answers to what the unit tools ask of the user: message
// boxes, the firmware file dialog and the wait cursor.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <wx/string.h>

#include "link/LinkServices.h"

class wxFileDialog;
class wxWindow;

namespace qv {

class CUnitToolUser : public UserDialogs {
public:
    // The window the firmware file dialog belongs to (the main window).
    explicit CUnitToolUser(wxWindow* parent = nullptr) : parent_(parent) {}
    int Ask(unsigned messageId, unsigned type) override;
    void Tell(unsigned messageId, unsigned type) override;
    std::string ChooseFirmwareFile() override;
    void SetBusyCursor(bool busy) override;

private:
    wxWindow* parent_;
};

// The file dialog's filter from a resource filter text, which may end in
// the "||" of the "text|pattern|...||" form.
wxString FileDialogFilter(const wxString& text);

// Tests answer the firmware file dialog through this: it gets the dialog as
// built (not shown) and returns the chosen path, or empty for a cancel.
using FirmwareFileAnswer = std::function<std::string(const wxFileDialog& dialog)>;
void SetFirmwareFileAnswer(FirmwareFileAnswer answer);

// The password prompt the unit tools' sessions use: the one place that
// decides which prompt they get.
std::unique_ptr<PasswordPrompt> MakeUnitPasswordPrompt();

} // namespace qv
