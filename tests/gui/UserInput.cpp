#include "tests/gui/UserInput.h"

#include <algorithm>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include "tests/gui/PumpUntil.h"

namespace qv::test {

namespace {

// The toolkit's calls are looked up at run time, as the program does: the
// tests build without its headers.
template <class F> F Gtk(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

struct Allocation {
    int x, y, width, height;
};

// What it takes to find the items of a choice's open list on the screen.
struct PopupToolkit {
    using Ptr = void* (*)(void*);
    using Flag = int (*)(void*);
    using Int = int (*)(void*);
    using NthData = void* (*)(void*, unsigned);
    using Free = void (*)(void*);
    using GetAllocation = void (*)(void*, Allocation*);
    using Origin = int (*)(void*, int*, int*);

    Ptr popupAccessible = Gtk<Ptr>("gtk_combo_box_get_popup_accessible");
    Ptr accessibleWidget = Gtk<Ptr>("gtk_accessible_get_widget");
    Ptr children = Gtk<Ptr>("gtk_container_get_children");
    NthData nth = Gtk<NthData>("g_list_nth_data");
    Free listFree = Gtk<Free>("g_list_free");
    GetAllocation allocation = Gtk<GetAllocation>("gtk_widget_get_allocation");
    Ptr window = Gtk<Ptr>("gtk_widget_get_window");
    Ptr toplevel = Gtk<Ptr>("gtk_widget_get_toplevel");
    Ptr parentWindow = Gtk<Ptr>("gdk_window_get_parent");
    Flag mapped = Gtk<Flag>("gtk_widget_get_mapped");
    Flag viewable = Gtk<Flag>("gdk_window_is_viewable");
    Origin origin = Gtk<Origin>("gdk_window_get_origin");
    Int width = Gtk<Int>("gdk_window_get_width");
    Int height = Gtk<Int>("gdk_window_get_height");

    bool Complete() const {
        return popupAccessible && accessibleWidget && children && nth && listFree && allocation &&
               window && toplevel && parentWindow && mapped && viewable && origin && width &&
               height;
    }
    // The list a choice drops down (a menu), or null.
    void* Menu(wxChoice* box) const {
        void* accessible = popupAccessible(box->GetHandle());
        return accessible ? accessibleWidget(accessible) : nullptr;
    }
    // The part of the screen the open list shows; empty while it is closed.
    wxRect Shown(void* menu) const {
        void* top = toplevel(menu);
        void* gdk = top ? window(top) : nullptr;
        if (!gdk || !mapped(top) || !viewable(gdk))
            return {};
        int x = 0, y = 0;
        origin(gdk, &x, &y);
        return {x, y, width(gdk), height(gdk)};
    }
    void* ItemWidget(void* menu, int index) const {
        void* items = children(menu);
        void* item = items ? nth(items, static_cast<unsigned>(index)) : nullptr;
        listFree(items);
        return item;
    }
    // Where the items can be clicked: the window they scroll in, which ends
    // where the arrows of a list longer than the screen begin.
    wxRect Pickable(void* menu) const {
        void* item = ItemWidget(menu, 0);
        void* bin = item ? window(item) : nullptr;
        void* view = bin ? parentWindow(bin) : nullptr;
        if (!view || Shown(menu).IsEmpty())
            return {};
        int x = 0, y = 0;
        origin(view, &x, &y);
        return {x, y, width(view), height(view)};
    }
    // Where the list's item lies on the screen; empty before it has a place.
    wxRect Item(void* menu, int index) const {
        void* item = ItemWidget(menu, index);
        void* gdk = item ? window(item) : nullptr;
        if (!gdk)
            return {};
        Allocation a{};
        allocation(item, &a);
        int x = 0, y = 0;
        origin(gdk, &x, &y);
        return a.height > 1 ? wxRect(x + a.x, y + a.y, a.width, a.height) : wxRect();
    }
};

wxPoint Centre(const wxRect& r) {
    return {r.x + r.width / 2, r.y + r.height / 2};
}

} // namespace

void ClickInto(wxWindow* control) {
    // Where the control is once its window has settled (a window that grew
    // a moment ago may not be in its new place yet).
    AwaitShown(control);
    wxUIActionSimulator sim;
    sim.MouseMove(Centre(control->GetScreenRect()));
    sim.MouseClick();
    AwaitInputHandled();
}

bool ClickChoiceItem(wxChoice* box, int item) {
    static const PopupToolkit gtk;
    if (!gtk.Complete()) {
        ADD_FAILURE() << "the toolkit's calls are missing";
        return false;
    }
    ClickInto(box);
    void* menu = nullptr;
    wxRect target;
    wxRect zone;
    const bool open = PumpUntil([&] {
        menu = gtk.Menu(box);
        if (!menu)
            return false;
        zone = gtk.Pickable(menu);
        target = gtk.Item(menu, item);
        return !zone.IsEmpty() && !target.IsEmpty();
    });
    if (!open) {
        ADD_FAILURE() << "the list of the choice did not open";
        return false;
    }
    wxUIActionSimulator sim;
    if (!zone.Contains(target)) {
        // Held over the arrow at the end where the item lies, the list scrolls.
        const wxRect shown = gtk.Shown(menu);
        sim.MouseMove(shown.x + shown.width / 2,
                      target.y < zone.y ? shown.y + 2 : shown.GetBottom() - 2);
        if (!PumpUntil([&] {
                target = gtk.Item(menu, item);
                return zone.Contains(target);
            })) {
            ADD_FAILURE() << "item " << item << " of the list never came into sight";
            return false;
        }
    }
    sim.MouseMove(Centre(target));
    sim.MouseClick();
    return PumpUntil([&] { return box->GetSelection() == item && gtk.Shown(menu).IsEmpty(); });
}

bool ClickAndType(wxTextCtrl* edit, const char* text) {
    ClickInto(edit);
    if (!PumpUntil([edit] { return wxWindow::FindFocus() == edit; }))
        return false;
    return TypeOver(edit, text);
}

namespace {

// The control as a failure names it: its class, name and label.
std::string Named(wxWindow* w) {
    if (!w)
        return "nothing";
    wxString text = wxString::Format("%s \"%s\"", w->GetClassInfo()->GetClassName(), w->GetName());
    if (!w->GetLabel().empty())
        text += wxString::Format(" labelled \"%s\"", w->GetLabel());
    if (wxWindow* parent = w->GetParent())
        text += wxString::Format(" in %s", parent->GetClassInfo()->GetClassName());
    return text.utf8_string();
}

} // namespace

bool TabTo(wxTopLevelWindow* top, const std::vector<wxWindow*>& controls) {
    auto reached = [&] {
        wxWindow* focus = FocusedControl(top);
        return std::find(controls.begin(), controls.end(), focus) != controls.end();
    };
    // The whole walk has one time limit: a focus that stays put or a round
    // that never reaches the control fails here, not at the run's time-out.
    wxStopWatch watch;
    // Keys go to the active window. Without a window manager nothing makes
    // a window active again when a window it opened closes, and Tab then
    // leaves its focus where it is.
    if (!top->IsActive() && !ActivateWindow(top)) {
        ADD_FAILURE() << "the window never became active for the keyboard";
        return false;
    }
    std::vector<wxWindow*> passed;
    wxUIActionSimulator sim;
    while (!reached()) {
        wxWindow* from = FocusedControl(top);
        if (std::find(passed.begin(), passed.end(), from) != passed.end()) {
            ADD_FAILURE() << "Tab went round the window back to " << Named(from)
                          << " without reaching " << Named(controls.front());
            return false;
        }
        passed.push_back(from);
        sim.Char(WXK_TAB);
        AwaitInputHandled();
        const long left = kWaitMs - watch.Time();
        if (left <= 0 || !PumpUntil([&] { return FocusedControl(top) != from; }, left)) {
            ADD_FAILURE() << "Tab did not move the focus on from " << Named(from) << " towards "
                          << Named(controls.front());
            return false;
        }
    }
    return true;
}

bool ArrowTo(wxChoice* box, int item) {
    wxUIActionSimulator sim;
    for (int guard = 0; guard < 300 && box->GetSelection() != item; ++guard) {
        const int from = box->GetSelection();
        sim.Char(from < item ? WXK_DOWN : WXK_UP);
        AwaitInputHandled();
        PumpUntil([&] { return box->GetSelection() != from; }, 2000);
    }
    return box->GetSelection() == item;
}

bool TypeOver(wxTextCtrl* edit, const char* text) {
    wxUIActionSimulator sim;
    sim.Char('a', wxMOD_CONTROL); // what the field holds goes with the first key
    sim.Text(text);
    return PumpUntil([&] { return edit->GetValue() == text; });
}

bool Hand::Pick(wxChoice* box, int item) {
    if (road_ == Road::Mouse)
        return ClickChoiceItem(box, item);
    return TabTo(top_, {box}) && ArrowTo(box, item);
}

bool Hand::Type(wxTextCtrl* edit, const char* text) {
    if (road_ == Road::Mouse)
        return ClickAndType(edit, text);
    return TabTo(top_, {edit}) && TypeOver(edit, text);
}

bool Hand::TurnOn(wxWindow* button, const std::vector<wxWindow*>& group) {
    auto on = [button] {
        if (auto* check = dynamic_cast<wxCheckBox*>(button))
            return check->GetValue();
        auto* radio = dynamic_cast<wxRadioButton*>(button);
        return radio && radio->GetValue();
    };
    wxUIActionSimulator sim;
    if (road_ == Road::Mouse) {
        ClickInto(button);
    } else if (group.empty()) {
        if (!TabTo(top_, {button}))
            return false;
        sim.Char(WXK_SPACE);
    } else {
        if (!TabTo(top_, group))
            return false;
        // The arrows move the choice along the row of buttons.
        for (size_t i = 0; i < group.size() && !on(); ++i) {
            sim.Char(WXK_RIGHT);
            AwaitInputHandled();
            PumpUntil(on, 2000);
        }
    }
    return PumpUntil(on);
}

void Hand::Press(wxWindow* button) {
    if (road_ == Road::Mouse)
        ClickInto(button);
    else if (TabTo(top_, {button}))
        wxUIActionSimulator().Char(WXK_RETURN);
}

void CloseByOk(wxDialog* dialog, Road road) {
    Hand(road, dialog).Press(dialog->FindWindow(wxID_OK));
    if (!AwaitClosed(dialog)) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog->EndModal(wxID_CANCEL);
    }
}

void DoubleClickCell(wxListCtrl* list, long row, int column) {
    list->EnsureVisible(row);
    wxRect cell;
    EXPECT_TRUE(list->GetSubItemRect(row, column, cell));
    wxUIActionSimulator sim;
    sim.MouseMove(list->ClientToScreen(cell.GetPosition() + cell.GetSize() / 2));
    sim.MouseDblClick();
}

bool AwaitClosed(wxDialog* dialog) {
    wxStopWatch watch;
    while (dialog->IsModal()) {
        if (watch.Time() > kWaitMs)
            return false;
        AwaitInputHandled();
        wxMilliSleep(2);
    }
    return true;
}

} // namespace qv::test
