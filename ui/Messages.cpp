#include "ui/Messages.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/window.h>

#include "document/MessageType.h"
#include "document/StringTable.h"
#include "ui/MessageBox.h"
#include "ui/StdButtons.h"

namespace qv {

namespace {
int g_pumpKey = 0;
bool g_pumping = false;
} // namespace

wxString Res(unsigned id) { return wxString(ResString(id)); }

std::unique_ptr<CMessageBox> BuildMessageBox(unsigned type, const wxString& text) {
    type = EffectiveMessageType(type);
    long style = 0;
    const unsigned buttons = type & kMbButtonMask;
    switch (buttons) {
    case kMbOkCancel:
    case kMbRetryCancel: style = wxOK | wxCANCEL; break;
    case kMbYesNoCancel:
    case kMbAbortRetryIgnore: style = wxYES_NO | wxCANCEL; break;
    case kMbYesNo: style = wxYES_NO; break;
    default: style = wxOK; break;
    }
    switch (type & kMbIconMask) {
    case kMbIconError: style |= wxICON_ERROR; break;
    case kMbIconQuestion: style |= wxICON_QUESTION; break;
    case kMbIconExclamation: style |= wxICON_EXCLAMATION; break;
    case kMbIconInformation: style |= wxICON_INFORMATION; break;
    default: style |= wxICON_NONE; break;
    }
    // The default by its place among the type's buttons: OK or Yes, No, Cancel.
    const unsigned defaultButton = type & kMbDefaultMask;
    if (defaultButton == kMbDefButton2)
        style |= (style & wxNO)       ? long{wxNO_DEFAULT}
                 : (style & wxCANCEL) ? long{wxCANCEL_DEFAULT}
                                      : 0L;
    else if (defaultButton == kMbDefButton3 && (style & wxNO) && (style & wxCANCEL))
        style |= long{wxCANCEL_DEFAULT};
    wxWindow* owner = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    auto box = std::make_unique<CMessageBox>(owner && owner->IsShown() ? owner : nullptr, text,
                                             kProductName, style);
    LabelMessageButtons(*box, style);
    if (buttons == kMbAbortRetryIgnore)
        box->SetYesNoCancelLabels(Res(kStrAbort), Res(kStrRetry), Res(kStrIgnore));
    else if (buttons == kMbRetryCancel)
        box->SetOKCancelLabels(Res(kStrRetry), Res(kStrCancel));
    box->Build();
    return box;
}

int ShowMessage(unsigned type, const wxString& text) {
    const unsigned buttons = EffectiveMessageType(type) & kMbButtonMask;
    const int answer = BuildMessageBox(type, text)->ShowModal();
    switch (answer) {
    case wxID_OK: return buttons == kMbRetryCancel ? kIdRetry : kIdOk;
    case wxID_YES: return buttons == kMbAbortRetryIgnore ? kIdAbort : kIdYes;
    case wxID_NO: return buttons == kMbAbortRetryIgnore ? kIdRetry : kIdNo;
    case wxID_CANCEL: return buttons == kMbAbortRetryIgnore ? kIdIgnore : kIdCancel;
    default: return kIdCancel;
    }
}

int ShowMessageId(unsigned id, unsigned type) { return ShowMessage(type, Res(id)); }

void ShowMessageFocus(const wxString& text, wxWindow* control) {
    ShowMessage(kMbOk, text);
    if (control)
        control->SetFocus();
}

void NoteKeyForPump(const wxKeyEvent& event) {
    if (!g_pumping)
        return;
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
        g_pumpKey = 1;
    else if (event.GetKeyCode() == WXK_ESCAPE)
        g_pumpKey = 2;
}

int PumpMessages() {
    g_pumpKey = 0;
    g_pumping = true;
    if (wxTheApp)
        wxTheApp->ProcessPendingEvents();
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        while (loop->Pending())
            loop->Dispatch();
    } else if (wxTheApp) {
        wxTheApp->Yield(true);
    }
    g_pumping = false;
    return g_pumpKey;
}

} // namespace qv
