// The yardstick of bench/measure_startup.sh: the least a wxGTK program does to
// show a window. One frame is shown, painted, then closed, and the program
// ends the way the main program's start-up probe ends it.
#include <wx/app.h>
#include <wx/frame.h>

namespace {

class BareApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bare", wxDefaultPosition, wxSize(1100, 760));
        frame->Maximize(true);
        frame->Show();
        frame->Raise();
        frame->Update();
        CallAfter([frame] { frame->Close(); });
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
