// The system settings dialog's clock pane: how the unit sets its clock and
// its time zone (stored with the dialog), and three buttons that act on the
// unit at once: write its clock, read it, and have it set its clock by relay.
#pragma once
#include <array>
#include <memory>
#include <vector>

#include "editors/config/ConfigPane.h"
#include "editors/config/ConfigTimeClockModel.h"
#include "editors/config/ConfigTimeModel.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class CUnitComm;
class CUnitSession;
class IpAddressCtrl;
class PasswordPrompt;
class Sleeper;

class CConfigTimeDlg : public CConfigPane {
public:
    CConfigTimeDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);
    ~CConfigTimeDlg() override;

    int SaveToParent() override;

    void EnableByMode(int mode);
    void OnWriteClock();
    void OnReadClock();
    void OnSetClockByRegister();
    void OnChooseTrigger();
    void OnSelchangeTrigger();
    void OnSelchangeSyncPort();
    void UpdateDateTimeFields();
    void OnAddressByIp();

    // Whether a link to the unit is still open (none is between commands).
    bool LinkOpen() const;
    // Waits of the relay-driven setting; tests hand in their own.
    Sleeper* ClockSleeper;

    std::array<wxRadioButton*, 3> ModeRadios{}; // none, time server, device
    wxTextCtrl* HostEdit;
    IpAddressCtrl* AddressCtrl;
    wxCheckBox* ByAddressCheck;
    wxChoice* PortBox;
    wxChoice* StationBox;
    wxChoice* TriggerBox;
    wxButton* ChooseTriggerButton;
    wxChoice* ZoneBox;
    wxRadioButton* PcTimeRadio;
    wxRadioButton* GivenTimeRadio;
    wxTextCtrl* YearEdit;
    wxChoice* MonthBox;
    wxChoice* DayBox;
    wxChoice* HourBox;
    wxChoice* MinuteBox;
    wxChoice* SecondBox;
    wxButton* WriteButton;
    wxButton* ReadButton;
    wxButton* RelayButton;
    wxStaticText* ClockText;

private:
    void BuildLayout();
    void ShowForm();
    ConfigTimeForm FormFromWindow() const;
    void FillTriggerBox(int select);
    void FillStations(int station);
    int Mode() const;
    // The connection dialog in its settings-only form; false on Cancel.
    bool ConfirmLink();

    TriggerTable TriggerCopy; // the document's, read again after the chooser
    TimeBlock TimeCopy;       // the pane's copy of the dialog's copy
    UnitBlock UnitCopy;       // read only
    ConfigTimeForm Form;
    std::vector<uint32_t> Excluded; // one flag per trigger box item
    int LastTrigger = 0;
    std::vector<wxWindow*> ServerControls, DeviceControls, SyncControls, DateControls;

    std::unique_ptr<PasswordPrompt> Prompt;
    std::unique_ptr<CUnitComm> Link;       // one-shot clock read and write
    std::unique_ptr<CUnitSession> Session; // the relay-driven setting
};

} // namespace qv
