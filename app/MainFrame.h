// The main window.
#pragma once
#include <wx/frame.h>

#include "app/WindowPlacement.h"

namespace qv {

class CQuorvelDoc;

class CMainFrame : public wxFrame {
public:
    explicit CMainFrame(CQuorvelDoc& doc);
    void UpdateTitle();
    void ApplyPlacement(const WindowPlacement& placement);
    WindowPlacement CurrentPlacement() const;

private:
    void OnClose(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    CQuorvelDoc& doc_;
    wxRect normalRect_;
};

} // namespace qv
