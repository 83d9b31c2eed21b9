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
    auto* row = new wxStdDialogButtonSizer;
    bool hasDefault = false;
    auto add = [&](long flag, int id) {
        if (!(flags & flag))
            return;
        auto* button = new wxButton(dialog, id, StdButtonLabel(id));
        // Before the layout: the default button is drawn a little larger.
        if (!hasDefault && (id == wxID_OK || id == wxID_YES)) {
            button->SetDefault();
            hasDefault = true;
        }
        row->AddButton(button);
    };
    add(wxOK, wxID_OK);
    add(wxYES, wxID_YES);
    add(wxNO, wxID_NO);
    add(wxCANCEL, wxID_CANCEL);
    row->Realize();
    if (!separated)
        return row;
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticLine(dialog), 0, wxEXPAND | wxBOTTOM, dialog->FromDIP(8));
    column->Add(row, 0, wxEXPAND);
    return column;
}

void LabelMessageButtons(wxMessageDialog& box, long flags) {
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
