// Waiting for a window to be on the screen as the user would see it. A
// window manager maps and sizes a window when it gets round to it, and on a
// loaded machine that may be seconds after Show(): what the tests read of a
// window (sizes, places, focus) they read only once the display says it is
// there.
#include <dlfcn.h>
#include <string>
#include <vector>

#include "tests/gui/PumpUntil.h"

namespace qv::test {

namespace {

// The toolkit's calls are looked up at run time, as the program does: the
// tests build without its headers.
template <class F> F Gtk(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

struct Toolkit {
    using WidgetFlag = int (*)(void*);
    using WidgetInt = int (*)(void*);
    using WidgetPtr = void* (*)(void*);
    using WindowFlag = int (*)(void*);
    using WindowInt = int (*)(void*);
    using WindowPtr = void* (*)(void*);
    using WidgetVoid = void (*)(void*);
    using Connect = unsigned long (*)(void*, const char*, void (*)(), void*, void*, int);
    using Disconnect = void (*)(void*, unsigned long);
    using Intern = void* (*)(const char*, int);
    using PropertyGet = int (*)(void*, void*, void*, unsigned long, unsigned long, int, void**,
                                int*, int*, unsigned char**);
    using Free = void (*)(void*);
    using DefaultScreen = void* (*)();
    using ManagerName = const char* (*)(void*);
    using DefaultXDisplay = void* (*)();
    using XSync = int (*)(void*, int);

    WidgetFlag mapped = Gtk<WidgetFlag>("gtk_widget_get_mapped");
    WidgetPtr gdkWindow = Gtk<WidgetPtr>("gtk_widget_get_window");
    WidgetInt allocatedWidth = Gtk<WidgetInt>("gtk_widget_get_allocated_width");
    WidgetInt allocatedHeight = Gtk<WidgetInt>("gtk_widget_get_allocated_height");
    WidgetVoid queueDraw = Gtk<WidgetVoid>("gtk_widget_queue_draw");
    WindowFlag viewable = Gtk<WindowFlag>("gdk_window_is_viewable");
    WindowInt width = Gtk<WindowInt>("gdk_window_get_width");
    WindowInt height = Gtk<WindowInt>("gdk_window_get_height");
    WindowPtr frameClock = Gtk<WindowPtr>("gdk_window_get_frame_clock");
    Connect connect = Gtk<Connect>("g_signal_connect_data");
    Disconnect disconnect = Gtk<Disconnect>("g_signal_handler_disconnect");
    Intern intern = Gtk<Intern>("gdk_atom_intern");
    PropertyGet propertyGet = Gtk<PropertyGet>("gdk_property_get");
    Free free = Gtk<Free>("g_free");
    DefaultScreen defaultScreen = Gtk<DefaultScreen>("gdk_screen_get_default");
    ManagerName managerName = Gtk<ManagerName>("gdk_x11_screen_get_window_manager_name");
    DefaultXDisplay xDisplay = Gtk<DefaultXDisplay>("gdk_x11_get_default_xdisplay");
    XSync sync = Gtk<XSync>("XSync");

    bool Complete() const {
        return mapped && gdkWindow && allocatedWidth && allocatedHeight && queueDraw && viewable &&
               width && height && frameClock && connect && disconnect && intern && propertyGet &&
               free && defaultScreen && managerName;
    }
    // The window manager has framed the window: it tells the frame's size in
    // this property before it maps the window, and wx places and sizes the
    // window again when it learns it.
    bool Framed(void* gdkWindow) const {
        void* type = nullptr;
        int format = 0, length = 0;
        unsigned char* data = nullptr;
        const int found = propertyGet(gdkWindow, intern("_NET_FRAME_EXTENTS", 0),
                                      intern("CARDINAL", 0), 0, 4, 0, &type, &format, &length, &data);
        if (data)
            free(data);
        return found && length > 0;
    }
};

const Toolkit& GetToolkit() {
    static const Toolkit toolkit;
    return toolkit;
}

void CollectRects(wxWindow* window, std::vector<wxRect>& rects) {
    rects.push_back(window->GetScreenRect());
    for (wxWindow* child : window->GetChildren())
        CollectRects(child, rects);
}

std::vector<wxRect> Rects(wxWindow* top) {
    std::vector<wxRect> rects;
    CollectRects(top, rects);
    return rects;
}

// Counts the frames the toolkit has painted in one top-level window.
class PaintCounter {
public:
    ~PaintCounter() {
        if (handler_)
            GetToolkit().disconnect(clock_, handler_);
    }
    // Starts counting once the window has a frame clock; false before.
    bool Watch(void* gdkWindow) {
        if (handler_)
            return true;
        clock_ = GetToolkit().frameClock(gdkWindow);
        if (!clock_)
            return false;
        handler_ = GetToolkit().connect(clock_, "after-paint", reinterpret_cast<void (*)()>(&Painted),
                                        this, nullptr, 0);
        return handler_ != 0;
    }
    int Count() const { return count_; }

private:
    static void Painted(void*, void* self) { ++static_cast<PaintCounter*>(self)->count_; }
    void* clock_ = nullptr;
    unsigned long handler_ = 0;
    int count_ = 0;
};

} // namespace

bool HasWindowManager() {
    const Toolkit& gtk = GetToolkit();
    if (!gtk.defaultScreen || !gtk.managerName)
        return false;
    const char* name = gtk.managerName(gtk.defaultScreen());
    return name && std::string(name) != "unknown";
}

void SyncWithDisplay() {
    const Toolkit& gtk = GetToolkit();
    if (gtk.xDisplay && gtk.sync)
        gtk.sync(gtk.xDisplay(), 0);
}

void AwaitInputHandled() {
    SyncWithDisplay();
    RunPendingEvents();
}

bool AwaitShown(wxWindow* window) {
    wxWindow* top = wxGetTopLevelParent(window);
    if (!top)
        return false;
    if (!top->IsShown())
        top->Show();
    const Toolkit& gtk = GetToolkit();
    void* widget = top->GetHandle();
    if (!gtk.Complete() || !widget) {
        // Without the toolkit's calls: shown, and nothing moved for a moment.
        std::vector<wxRect> last;
        wxStopWatch still;
        return PumpUntil([&] {
            std::vector<wxRect> now = Rects(top);
            if (now != last) {
                last = std::move(now);
                still.Start();
            }
            return top->IsShownOnScreen() && still.Time() > 150;
        });
    }
    // Mapped by the display (after the window manager let it be), as large
    // as the toolkit laid it out, then painted once with every control in
    // the place it keeps afterwards.
    PaintCounter paints;
    const bool managed = HasWindowManager();
    int paintsWanted = -1;
    std::vector<wxRect> rectsAsked;
    return PumpUntil([&] {
        void* gdkWindow = gtk.gdkWindow(widget);
        if (!gdkWindow || !paints.Watch(gdkWindow))
            return false;
        const bool ready = top->IsShown() && gtk.mapped(widget) && gtk.viewable(gdkWindow) &&
                           gtk.width(gdkWindow) == gtk.allocatedWidth(widget) &&
                           gtk.height(gdkWindow) == gtk.allocatedHeight(widget) &&
                           gtk.width(gdkWindow) > 1 && gtk.height(gdkWindow) > 1 &&
                           (!managed || gtk.Framed(gdkWindow));
        if (!ready) {
            paintsWanted = -1;
            return false;
        }
        std::vector<wxRect> now = Rects(top);
        if (paintsWanted < 0 || now != rectsAsked) {
            rectsAsked = std::move(now);
            gtk.queueDraw(widget);
            paintsWanted = paints.Count() + 1;
            return false;
        }
        return paints.Count() >= paintsWanted;
    });
}

bool ActivateWindow(wxTopLevelWindow* top) {
    if (!AwaitShown(top))
        return false;
    // A window manager may ignore a raise that comes too early or while it
    // is busy: ask again now and then until it obeys.
    wxStopWatch watch;
    while (watch.Time() < kWaitMs) {
        top->Raise();
        if (PumpUntil([top] { return top->IsActive(); }, 500))
            return true;
    }
    return false;
}

bool FocusControl(wxWindow* control) {
    auto* top = wxDynamicCast(wxGetTopLevelParent(control), wxTopLevelWindow);
    if (!top || !ActivateWindow(top))
        return false;
    auto hasFocus = [control] {
        wxWindow* focus = wxWindow::FindFocus();
        return focus && (focus == control || control->IsDescendant(focus));
    };
    wxStopWatch watch;
    while (watch.Time() < kWaitMs) {
        control->SetFocus();
        if (PumpUntil(hasFocus, 500))
            return true;
    }
    return false;
}

} // namespace qv::test
