#include "ui/StdButtons.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statline.h>

#include "ui/Messages.h"

namespace qv {

wxString StdButtonLabel(int id) {
    switch (id) {
    case wxID_OK:
        return Res(kStrOk);
    case wxID_CANCEL:
        return Res(kStrCancel);
    case wxID_YES:
        return Res(kStrYes);
    case wxID_NO:
        return Res(kStrNo);
    default:
        return {};
    }
}

wxSizer* CreateStdButtons(wxDialog* dialog, long flags, bool separated) {
    return CreateStdButtons(dialog, flags, separated, StdButtonLabel);
}

wxSizer* CreateStdButtons(wxDialog* dialog, long flags, bool separated,
                          const std::function<wxString(int id)>& labelOf) {
    int defaultId = (flags & wxOK) ? wxID_OK : (flags & wxYES) ? wxID_YES : wxID_NONE;
    if ((flags & wxNO_DEFAULT) && (flags & wxNO))
        defaultId = wxID_NO;
    else if ((flags & wxCANCEL_DEFAULT) && (flags & wxCANCEL))
        defaultId = wxID_CANCEL;
    auto* row = new wxStdDialogButtonSizer;
    // Created in the order the row shows them, so Tab goes left to right.
    const std::pair<long, int> buttons[] = {
        {wxNO, wxID_NO}, {wxCANCEL, wxID_CANCEL}, {wxOK, wxID_OK}, {wxYES, wxID_YES}};
    for (const auto& [flag, id] : buttons) {
        if (!(flags & flag))
            continue;
        auto* button = new wxButton(dialog, id, labelOf(id));
        // Before the layout: the default button is drawn a little larger.
        if (id == defaultId)
            button->SetDefault();
        row->AddButton(button);
    }
    row->Realize();
    // Without Cancel, Escape and the close box answer No rather than nothing.
    if ((flags & wxNO) && !(flags & wxCANCEL))
        dialog->SetEscapeId(wxID_NO);
    if (!separated)
        return row;
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticLine(dialog), 0, wxEXPAND | wxBOTTOM, dialog->FromDIP(8));
    column->Add(row, 0, wxEXPAND);
    return column;
}

void LabelMessageButtons(wxMessageDialogBase& box, long flags) {
    if (flags & wxYES_NO) {
        if (flags & wxCANCEL)
            box.SetYesNoCancelLabels(Res(kStrYes), Res(kStrNo), Res(kStrCancel));
        else
            box.SetYesNoLabels(Res(kStrYes), Res(kStrNo));
    } else if (flags & wxCANCEL) {
        box.SetOKCancelLabels(Res(kStrOk), Res(kStrCancel));
    } else {
        box.SetOKLabel(Res(kStrOk));
    }
}

} // namespace qv
