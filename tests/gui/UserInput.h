// Real mouse and keyboard input on the controls of a window, as a user gives
// it: an item picked from a choice's drop-down list with two clicks or with
// the arrow keys, a text typed over a field's old content, the Tab key
// walking to a control. Each returns true once the control shows the result.
#pragma once
#include <ostream>
#include <vector>

class wxCheckBox;
class wxChoice;
class wxDialog;
class wxListCtrl;
class wxTextCtrl;
class wxTopLevelWindow;
class wxWindow;

namespace qv::test {

// By mouse.
// Clicks into the centre of the control, once its window has settled.
void ClickInto(wxWindow* control);
// Clicks the choice, which opens its list, then clicks the item (holding
// the mouse over the list's arrow first while the item is out of sight).
bool ClickChoiceItem(wxChoice* box, int item);
// Clicks into the edit, selects what it holds and types `text` over it.
bool ClickAndType(wxTextCtrl* edit, const char* text);

// By keyboard.
// Makes the window active, as a user does before typing into it, and
// presses Tab until the focus is on one of the controls; false, with a
// failure naming where the focus was, when a Tab left the focus where it was
// or a round through the window never reached one, all within kWaitMs.
bool TabTo(wxTopLevelWindow* top, const std::vector<wxWindow*>& controls);
// With the focus on the choice, moves its selection to the item with the
// arrow keys.
bool ArrowTo(wxChoice* box, int item);
// Selects what the focused edit holds and types `text` over it.
bool TypeOver(wxTextCtrl* edit, const char* text);

// A user's hand on a window: each action by mouse, or by keyboard alone.
enum class Road { Mouse, Keyboard };
inline void PrintTo(Road road, std::ostream* os) {
    *os << (road == Road::Mouse ? "by mouse" : "by keyboard");
}
class Hand {
public:
    Hand(Road road, wxTopLevelWindow* top) : road_(road), top_(top) {}

    bool Pick(wxChoice* box, int item);
    bool Type(wxTextCtrl* edit, const char* text);
    // Turns a check box on, or picks a radio button of `group` (the buttons
    // the Tab key treats as one stop).
    bool TurnOn(wxWindow* button, const std::vector<wxWindow*>& group = {});
    // Clicks the button, or walks to it with Tab and presses Enter.
    void Press(wxWindow* button);

private:
    Road road_;
    wxTopLevelWindow* top_;
};

// Waits until the modal dialog has ended, handling events in the dialog's
// own loop: its end (a click or key on its OK) must reach the loop that runs
// it, which a wait with a loop of its own (PumpUntil) would hold up.
bool AwaitClosed(wxDialog* dialog);

// Presses the dialog's OK on the road given and waits until the dialog has
// ended; a dialog that stays open fails the test and is cancelled.
void CloseByOk(wxDialog* dialog, Road road);

// Double-clicks the middle of a list row's cell: the way into a row's editor
// where the list has no key for it.
void DoubleClickCell(wxListCtrl* list, long row, int column);

} // namespace qv::test
