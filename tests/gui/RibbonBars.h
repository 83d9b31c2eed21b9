// The ribbon's button bars under a window, for tests that read their buttons.
#pragma once
#include <vector>

class wxRibbonButtonBar;
class wxWindow;

namespace qv::test {

std::vector<wxRibbonButtonBar*> RibbonButtonBars(wxWindow* window);

} // namespace qv::test
