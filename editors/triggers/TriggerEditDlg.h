// The editor of one trigger: number, name, kind and flag over the page of
// the chosen kind, and the port information pane.
#pragma once
#include "editors/triggers/TriggerEditorModel.h"
#include "ui/DlgBase.h"

class wxCheckBox;
class wxChoice;
class wxSizer;
class wxTextCtrl;

namespace qv {

class CComInfoDlg;
class CTrigDlgBase;

constexpr unsigned kDlgTriggerEditor = 316;

// The model's questions as message boxes: Yes/No, or OK/Cancel for the
// deletion of the checked triggers, with No or Cancel the default.
class BoxQuestions : public EditorQuestions {
public:
    bool AskYesNo(unsigned messageId) override;
    YesNoCancel AskYesNoCancel(unsigned messageId) override;
};

// A text control that takes only what `accepts` lets through, typed or
// pasted (`filter` cleans a pasted text).
void FilterTextInput(wxTextCtrl* edit, bool (*accepts)(wchar_t),
                     std::wstring (*filter)(const std::wstring&));

class CTrigSetDlg : public CDlgBase {
public:
    // index: the edited record (0 to 127); opener: the working data of the
    // editor that opened the list as a chooser, or null.
    CTrigSetDlg(wxWindow* parent, CQuorvelDoc& doc, int index, OpenerWorkingCopy* opener = nullptr);

    // Destroys the shown page and opens the one of `kind` (none for kind 0).
    void CreateKindPage(int kind);

    TriggerEditorCopies Copies; // taken from the document when it opens
    int Index;
    wxTextCtrl* NumberEdit = nullptr;
    wxTextCtrl* NameEdit = nullptr;
    wxChoice* KindBox = nullptr;
    wxCheckBox* FlagBox = nullptr;
    CComInfoDlg* PortInfo = nullptr;
    CTrigDlgBase* Page = nullptr;

private:
    void OnOk();
    // Sizes the window to its contents after the page changed.
    void FitToPage();

    CQuorvelDoc& doc_;
    OpenerWorkingCopy* opener_;
    wxSizer* pageArea_ = nullptr;
};

} // namespace qv
