// The trigger list: the 128 triggers with check boxes, edited by a double
// click, deleted by the checked rows; also the chooser other editors open
// beside their trigger box.
#pragma once
#include "editors/triggers/TriggerEditorModel.h"
#include "editors/triggers/TriggerListModel.h"
#include "ui/DlgBase.h"

class wxButton;

namespace qv {

class CQVListCtrl;

constexpr unsigned kDlgTriggerList = 315;
constexpr int kTriggerListSlot = 4; // its column widths in the profile
constexpr int kTriggerListRows = 128;

class CTrigselDlg : public CDlgBase {
public:
    // row: the 0-based row checked when the list opens, -1 for none. A chooser
    // names its working data (kind None when it holds none of the tables).
    CTrigselDlg(wxWindow* parent, CQuorvelDoc& doc, int row, bool chooser = false,
                OpenerWorkingCopy* opener = nullptr);
    ~CTrigselDlg() override;

    // Opens the single-trigger editor on a row; true when it stored.
    bool EditRow(long row);
    void SetTriggerTable(const TriggerTable& triggers) { Triggers = triggers; }

    TriggerTable Triggers; // the dialog's working copy
    CQVListCtrl* List = nullptr;
    wxButton* DeleteButton = nullptr;
    int Chosen = -1;              // the chooser's trigger number
    bool TriggersChanged = false; // for a chooser: refill its trigger box

private:
    // A row's condition text, worded for the document's ports.
    TriggerConditionFormat ConditionFormat() const;
    void FillRow(long row);
    void OnOk();
    void OnCancel();
    void OnDelete();
    void OnSelectAll();
    std::vector<bool> CheckedRows() const;

    CQuorvelDoc& doc_;
    bool chooser_;
    OpenerWorkingCopy* opener_;
};

// The list as the main window's trigger command opens it; true when the
// document's triggers may have changed.
void RunTriggerList(wxWindow* parent, CQuorvelDoc& doc);

// The chooser: the trigger number checked on OK, -1 on Cancel. row is the
// 0-based row of the opener's trigger (-1 for none); triggersChanged tells
// the opener to refill its trigger box; opener, when given, is the opener's
// working data, whose references an excluded trigger's save clears.
int RunTriggerChooser(wxWindow* parent, CQuorvelDoc& doc, int row, bool* triggersChanged = nullptr,
                      OpenerWorkingCopy* opener = nullptr);

} // namespace qv
