#include "ui/FileDialogButtons.h"

#include <dlfcn.h>
#include <wx/filedlg.h>

#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {

// Looked up at run time: the program links GTK only through the toolkit,
// and has no GTK headers to build against.
using WidgetForResponse = void* (*)(void* dialog, int response);
using SetButtonLabel = void (*)(void* button, const char* label);
using SetUseUnderline = void (*)(void* button, int use);

constexpr int kGtkResponseCancel = -6;
constexpr int kGtkResponseAccept = -3;

template <class F> F Gtk(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

} // namespace

wxString GtkMnemonics(const wxString& label) {
    wxString out;
    for (size_t i = 0; i < label.size(); ++i) {
        const wxUniChar c = label[i];
        if (c == '&' && i + 1 < label.size() && label[i + 1] == '&') {
            out += '&';
            ++i;
        } else if (c == '&') {
            out += '_';
        } else if (c == '_') {
            out += "__";
        } else {
            out += c;
        }
    }
    return out;
}

void LabelFileDialogButtons(wxFileDialog& dialog) {
    static const auto forResponse = Gtk<WidgetForResponse>("gtk_dialog_get_widget_for_response");
    static const auto setLabel = Gtk<SetButtonLabel>("gtk_button_set_label");
    static const auto setUnderline = Gtk<SetUseUnderline>("gtk_button_set_use_underline");
    void* widget = dialog.GetHandle();
    if (!widget || !forResponse || !setLabel || !setUnderline)
        return;
    const wxString accept = Res(dialog.HasFlag(wxFD_SAVE) ? kStrSaveButton : kStrOpenButton);
    const struct {
        int response;
        wxString label;
    } buttons[] = {{kGtkResponseCancel, StdButtonLabel(wxID_CANCEL)}, {kGtkResponseAccept, accept}};
    for (const auto& b : buttons) {
        void* button = forResponse(widget, b.response);
        if (!button || b.label.empty())
            continue;
        setLabel(button, GtkMnemonics(b.label).utf8_str());
        setUnderline(button, 1);
    }
}

} // namespace qv
