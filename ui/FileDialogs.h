// The settings-file dialog.
#pragma once
#include <functional>
#include <string>

class wxFileDialog;
class wxWindow;

namespace qv {

// Open (true) or save (false) form, titled in the interface language. The
// open form starts in the folder of `initialPath` (the last file opened or
// saved), the save form there with its name; ".qv" is added to a name
// without an extension. Returns the chosen full path, or empty when
// cancelled.
std::string BrowseSettingsFile(bool open, const std::string& initialPath,
                               wxWindow* owner = nullptr);

// Tests answer the file dialog through this: it gets the dialog as built
// (not shown) and returns the chosen path, or empty for a cancel.
using FileDialogAnswer = std::function<std::string(const wxFileDialog& dialog)>;
void SetFileDialogAnswer(FileDialogAnswer answer);

} // namespace qv
