// The device editor: edits the devices of the current log file from the
// device list page, one number at a time, until Cancel.
#pragma once
#include <memory>
#include <wx/window.h>

#include "editors/devices/DeviceEditorModel.h"
#include "ui/DlgBase.h"

class wxButton;
class wxChoice;
class wxSizer;
class wxSpinButton;
class wxTextCtrl;

namespace qv {

class CComInfoDlg;
class CDevSetDlgBase;
class CQuorvelDoc;
class DeviceEditorOwner;

constexpr unsigned kDlgDeviceEditor = 324;

// Runs the editor modally on list row `row` (device number row + 1) of the
// document's current file. The page has set the document's station flags
// from the row's record before.
void RunDeviceEditor(wxWindow* page, DeviceEditorOwner& owner, int row, CQuorvelDoc& doc);

class CDevSetDlg : public CDlgBase {
public:
    CDevSetDlg(wxWindow* page, DeviceEditorOwner& owner, int row, CQuorvelDoc& doc);

    // Shows another number of the file (clamped to 1..maximum); what was
    // not stored is dropped.
    void MoveTo(int number);
    // OK (insert false) or Insert; the editor stays open either way.
    void Store(bool insert);

    int DeviceNumber;
    int Maximum;
    // The working copy of the device table: the document's after each store.
    std::unique_ptr<DeviceTable> Table;
    unsigned LastBalloon = 0; // the message of the last balloon shown, for the tests

    wxTextCtrl* NumberEdit = nullptr;
    wxSpinButton* NumberArrows = nullptr;
    wxTextCtrl* NameEdit = nullptr;
    wxChoice* PortBox = nullptr;
    wxChoice* TypeBox = nullptr;
    wxChoice* KindBox = nullptr;
    wxTextCtrl* StationText = nullptr;
    wxButton* StationButton = nullptr;
    wxButton* InsertButton = nullptr;
    CComInfoDlg* PortInfo = nullptr;
    CDevSetDlgBase* Page = nullptr; // null for a type without a page

private:
    void LoadDeviceToControls();
    void CreateTypePage();
    void UpdateStations();
    void ApplyTypedNumber();
    void ShowBalloon(unsigned messageId);
    int SelectedPort() const;

    DeviceEditorOwner& owner_;
    CQuorvelDoc& doc_;
    int fileNo_;
    int previousNumber_ = 0;
    wxSizer* pageArea_ = nullptr;
};

} // namespace qv
