// The editor of one data set: name, port and stations, the contact or
// register it writes with its value, and its triggers.
#pragma once
#include <vector>

#include "editors/datasets/DataSetEditorModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class CComInfoDlg;

constexpr unsigned kDlgDataSet = 360;

class CDataSetDlg : public CDlgBase {
public:
    // index: the 0-based data set the editor opens on.
    CDataSetDlg(int index, CQuorvelDoc& doc, wxWindow* owner);

    // Moves the controls' values into the form and stores; false when refused
    // (the message was shown) or the user kept the following records.
    bool Store();
    void UpdateItemControls();

    wxTextCtrl* NameEdit = nullptr;
    wxChoice* PortBox = nullptr;
    wxTextCtrl* StationText = nullptr;
    wxButton* StationButton = nullptr;
    wxChoice* KindBox = nullptr;
    wxChoice* AreaBox = nullptr;
    wxStaticText* CodeLabel = nullptr;
    wxTextCtrl* AddressEdit = nullptr;
    wxChoice* TypeBox = nullptr;
    wxTextCtrl* ValueEdit = nullptr;
    wxChoice* OnOffBox = nullptr;
    wxChoice* OptionBox = nullptr;
    wxChoice* TriggerBox = nullptr;
    wxChoice* Trigger2Box = nullptr;
    wxButton* TriggerButton = nullptr;
    wxRadioButton* FlagFirst = nullptr;
    wxRadioButton* FlagSecond = nullptr;
    wxCheckBox* EnabledCheck = nullptr;
    CComInfoDlg* PortInfo = nullptr;

private:
    DataSetForm ReadForm() const;
    int SelectedPort() const;
    int SelectedKind() const;
    int SelectedType() const;
    void FillTriggers();
    void SelectTrigger(wxChoice* box, int number);
    void OnTriggerChange(wxChoice* box, int& lastAccepted);
    void OnTriggerList();
    void ShowStationText();
    void ShowCode();
    wxWindow* FieldWindow(int field) const;

    CQuorvelDoc& doc_;
    int index_;
    DataSetForm form_; // as loaded: what the boxes cannot show stays from here
    TriggerTable triggers_;
    std::vector<uint32_t> excluded_;
    int lastTrigger_ = 0;
    int lastTrigger2_ = 0;
    std::vector<int> areaCodes_; // of the area box's entries
};

} // namespace qv
