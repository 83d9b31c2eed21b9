// The settings-file dialog.
#pragma once
#include <string>

class wxWindow;

namespace qv {

// Open (true) or save (false) form; ".qv" is added to a name without an
// extension. Returns the chosen full path, or empty when cancelled.
std::string BrowseSettingsFile(bool open, const std::string& initialName, wxWindow* owner = nullptr);

} // namespace qv
