// The settings-file dialog.
#pragma once
#include <functional>
#include <string>

class wxWindow;

namespace qv {

// Open (true) or save (false) form; ".qv" is added to a name without an
// extension. Returns the chosen full path, or empty when cancelled.
std::string BrowseSettingsFile(bool open, const std::string& initialName, wxWindow* owner = nullptr);

// Tests answer the file dialog through this instead of the system's dialog.
using FileDialogAnswer = std::function<std::string(bool open, const std::string& initialName)>;
void SetFileDialogAnswer(FileDialogAnswer answer);

} // namespace qv
