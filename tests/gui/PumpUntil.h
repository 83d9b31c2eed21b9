// Waiting in GUI tests for what real input and the display server bring.
#pragma once
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"

namespace qv::test {

// How long a test waits at most for what the display and the program bring:
// generous, because a loaded machine may take seconds to map a window; a
// wait that is met returns at once.
constexpr long kWaitMs = 20000;

// Runs every event, as the main loop would, until done() holds or limitMs
// have passed; false when it never held.
template <class Done> bool PumpUntil(Done done, long limitMs = kWaitMs) {
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    wxStopWatch watch;
    for (;;) {
        RunPendingEvents();
        if (done())
            return true;
        if (watch.Time() > limitMs)
            return false;
        wxMilliSleep(2);
    }
}

// Shows the window's top-level window (where it is not shown yet) and waits
// until it is on the screen as a user sees it: mapped by the display once the
// window manager (where there is one) let it, sized, every control in the
// place it keeps, and painted. Every test reads a window only after this.
bool AwaitShown(wxWindow* window);
// Shown as above, then made the active window, on a bare display as under a
// window manager.
bool ActivateWindow(wxTopLevelWindow* top);
// Whether a window manager runs on the display (the tests' .openbox copies).
bool HasWindowManager();
// Waits until the display has handled every request sent so far: the input
// simulated until now is then in the program's queue, not yet handled.
void SyncWithDisplay();
// The same, then handles it: simulated keys and clicks have had their effect.
void AwaitInputHandled();
// Activates the control's window and waits until the control has the focus.
bool FocusControl(wxWindow* control);
// The control that holds the keyboard focus in the window, also where the
// toolkit gives it to an inner part (a choice's button) that wxWidgets does
// not report; null for none.
wxWindow* FocusedControl(wxTopLevelWindow* top);

} // namespace qv::test
