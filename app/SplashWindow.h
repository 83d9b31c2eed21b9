// The splash picture shown while the program starts: closes after 3 s, or at
// once on a key or mouse button.
#pragma once
#include <wx/splash.h>

namespace qv {

class CSplashWnd : public wxSplashScreen {
public:
    // Nullptr when there is no usable picture beside the program.
    static CSplashWnd* Show(const std::string& folder, const wxString& owner,
                            const wxString& organization, int milliseconds = 3000);
    // Runs events until the splash has gone.
    static void Wait();
    static bool Showing();
    // A key or mouse press anywhere in the program ends the splash; true when
    // the event was consumed.
    static bool FilterAppEvent(wxEvent& event);

private:
    CSplashWnd(const wxBitmap& bitmap, int milliseconds);
    ~CSplashWnd() override;
};

} // namespace qv
