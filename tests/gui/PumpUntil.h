// Waiting in GUI tests for what real input and the display server bring.
#pragma once
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "tests/gui/GuiTestSupport.h"

namespace qv::test {

// Runs every event, as the main loop would, until done() holds or about three
// seconds have passed; false when it never held.
template <class Done> bool PumpUntil(Done done) {
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    wxStopWatch watch;
    for (;;) {
        RunPendingEvents();
        if (done())
            return true;
        if (watch.Time() > 3000)
            return false;
        wxMilliSleep(2);
    }
}

} // namespace qv::test
