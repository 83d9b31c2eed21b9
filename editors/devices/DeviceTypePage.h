// The device editor's type pages: each shows the fields that depend on a
// device's type (PLC register, PLC contact, power meter, the two further
// series) and, when the editor stores, checks them and writes them into the
// record of the shown number. The checks and the stores live in the page's
// model.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <wx/panel.h>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

class wxFlexGridSizer;
class wxStaticText;

namespace qv {

class CQuorvelDoc;

// What a page is opened on: the editor's working copy of the device table,
// the shown device number of the current file and the port chosen in the
// editor.
struct DevicePageContext {
    CQuorvelDoc& doc;
    const DeviceTable& devices;
    int fileNo;       // the current log file, 1..16
    int deviceNumber; // the shown number
    uint8_t port;     // 0 the unit itself, 1 and 2 its serial ports
    uint32_t codePage;
};

class CDevSetDlgBase : public wxPanel {
public:
    CDevSetDlgBase(wxWindow* editor, const DevicePageContext& context);

    // Checks the page's fields; when they pass, writes them into `record`
    // (the slot the editor stores into) and returns no refusal. Pages with no
    // fields of their own store nothing.
    virtual Refusal SaveDevice(DeviceRecord& record) = 0;
    // The control a refusal's field number names; null for none.
    virtual wxWindow* FieldWindow(int field) = 0;

protected:
    // The pages lay out one label and its controls a row; controls are
    // created in tab order.
    wxStaticText* Label(unsigned textId);
    void AddRow(wxWindow* label, std::initializer_list<wxWindow*> controls);
    // Puts the rows into the page once they are all added.
    void FinishRows();

    CQuorvelDoc& Document;
    DeviceTable Devices; // the page's own copy
    // The slot of the shown number's record, or where it would go; 0 when
    // even that search fails.
    int RecordIndex;
    int FileNo;
    int DeviceNumber;
    uint8_t Port;
    uint32_t CodePage;
    UnitBlock Unit; // each serial port's protocol byte

private:
    wxFlexGridSizer* rows_ = nullptr;
};

// The page of a device type (and, for a PLC, contact 0 or register 1) as a
// child of the editor; null for any other type.
CDevSetDlgBase* CreateDeviceTypePage(uint8_t deviceType, int deviceKind, wxWindow* editor,
                                     const DevicePageContext& context);

// One creator for each page, each beside its page.
CDevSetDlgBase* CreatePlcRegisterPage(wxWindow* editor, const DevicePageContext& context);
CDevSetDlgBase* CreatePlcContactPage(wxWindow* editor, const DevicePageContext& context);
CDevSetDlgBase* CreatePowerMeterPage(wxWindow* editor, const DevicePageContext& context);
// `deviceType` is kDeviceSeriesA or kDeviceSeriesB.
CDevSetDlgBase* CreateSeriesPage(uint8_t deviceType, wxWindow* editor,
                                 const DevicePageContext& context);

} // namespace qv
