// Waiting in GUI tests for what real input and the display server bring.
#pragma once
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"

namespace qv::test {

// Runs every event, as the main loop would, until done() holds or about three
// seconds have passed; false when it never held.
template <class Done> bool PumpUntil(Done done, long limitMs = 3000) {
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

// Shows the window and makes it the active one, on a bare display as under a
// window manager: a manager may ignore a raise that comes before the window
// is mapped, so it is asked again until it obeys (about three seconds at most).
bool ActivateWindow(wxTopLevelWindow* top);
// Activates the control's window and waits until the control has the focus.
bool FocusControl(wxWindow* control);
// The control that holds the keyboard focus in the window, also where the
// toolkit gives it to an inner part (a choice's button) that wxWidgets does
// not report; null for none.
wxWindow* FocusedControl(wxTopLevelWindow* top);
// Waits until the window and everything in it keep their places for a
// moment: a window manager hands out sizes later than a bare display.
bool WaitUntilLaidOut(wxWindow* top);

} // namespace qv::test
