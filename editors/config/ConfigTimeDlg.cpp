#include "editors/config/ConfigTimeDlg.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "app/QuorvelApp.h"
#include "document/Clock.h"
#include "document/CodeText.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "editors/triggers/PortPageControls.h"
#include "editors/triggers/TriggerListDlg.h"
#include "link/UnitSession.h"
#include "online/ConnectionDlg.h"
#include "online/UnitToolUser.h"
#include "ui/FrameBox.h"
#include "ui/IpAddressCtrl.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrSyncTitle = 46120;
constexpr unsigned kStrModeFirst = 46121; // none, server, device
constexpr unsigned kStrByAddress = 46124;
constexpr unsigned kStrServer = 46125;
constexpr unsigned kStrPort = 46126;
constexpr unsigned kStrStation = 46127;
constexpr unsigned kStrTrigger = 46128;
constexpr unsigned kStrChooseTrigger = 46129;
constexpr unsigned kStrZone = 46130;
constexpr unsigned kStrClockTitle = 46131;
constexpr unsigned kStrPcTime = 46132;
constexpr unsigned kStrGivenTime = 46133;
constexpr unsigned kStrDate = 46134;
constexpr unsigned kStrTime = 46135;
constexpr unsigned kStrWrite = 46136;
constexpr unsigned kStrRead = 46137;
constexpr unsigned kStrRelay = 46138;
constexpr unsigned kStrClockRead = 46139;

wxChoice* NumberBox(wxWindow* parent, int first, int last) {
    auto* box = new wxChoice(parent, wxID_ANY);
    for (int n = first; n <= last; ++n)
        box->Append(wxString::Format("%d", n));
    return box;
}

} // namespace

CConfigTimeDlg::CConfigTimeDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), ClockSleeper(&SystemSleeper()),
      TriggerCopy(doc.Blocks().triggers), TimeCopy(copies.time), UnitCopy(doc.Blocks().unit),
      Form(LoadConfigTime(TimeCopy, UnitCopy, wxGetApp().codePage)),
      Prompt(MakeUnitPasswordPrompt()) {
    CQuorvelApp& app = wxGetApp();
    Link = std::make_unique<CUnitComm>(app.Profile(), app.codePage, nullptr, Prompt.get(),
                                       SystemSleeper());
    Session = std::make_unique<CUnitSession>(app.Profile(), app.codePage, nullptr, Prompt.get(),
                                             SystemSleeper());
    BuildLayout();
    ShowForm();
}

CConfigTimeDlg::~CConfigTimeDlg() {
    Session.reset(); // closes a link still open
    Link.reset();
}

void CConfigTimeDlg::BuildLayout() {
    auto label = [](wxWindow* parent, unsigned id) {
        return new wxStaticText(parent, wxID_ANY, Res(id));
    };

    auto* sync = NewFrameSizer(wxVERTICAL, this, Res(kStrSyncTitle));
    wxWindow* s = sync->GetStaticBox();
    auto* modes = new wxBoxSizer(wxHORIZONTAL);
    for (size_t i = 0; i < ModeRadios.size(); ++i) {
        ModeRadios[i] =
            new wxRadioButton(s, wxID_ANY, Res(kStrModeFirst + static_cast<unsigned>(i)),
                              wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        ModeRadios[i]->Bind(wxEVT_RADIOBUTTON,
                            [this, i](wxCommandEvent&) { EnableByMode(static_cast<int>(i)); });
        modes->Add(ModeRadios[i], 0, wxRIGHT, 12);
    }
    sync->Add(modes, 0, wxALL, 6);

    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    auto* serverLabel = label(s, kStrServer);
    HostEdit = new wxTextCtrl(s, wxID_ANY);
    HostEdit->SetMaxLength(kTimeServerChars);
    AddressCtrl = new IpAddressCtrl(s);
    ByAddressCheck = new wxCheckBox(s, wxID_ANY, Res(kStrByAddress));
    ByAddressCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnAddressByIp(); });
    auto* server = new wxBoxSizer(wxHORIZONTAL);
    server->Add(HostEdit, 1, wxALIGN_CENTER_VERTICAL);
    server->Add(AddressCtrl, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(serverLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(server, 1, wxEXPAND);
    grid->AddSpacer(0);
    grid->Add(ByAddressCheck);

    auto* portLabel = label(s, kStrPort);
    PortBox = new wxChoice(s, wxID_ANY);
    for (int p = 1; p <= 2; ++p)
        PortBox->Append(GetPortName(p));
    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeSyncPort(); });
    auto* stationLabel = label(s, kStrStation);
    StationBox = new wxChoice(s, wxID_ANY);
    auto* device = new wxBoxSizer(wxHORIZONTAL);
    device->Add(PortBox, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    device->Add(stationLabel, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    device->Add(StationBox, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(portLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(device);

    auto* triggerLabel = label(s, kStrTrigger);
    TriggerBox = new wxChoice(s, wxID_ANY);
    TriggerBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeTrigger(); });
    ChooseTriggerButton = new wxButton(s, wxID_ANY, Res(kStrChooseTrigger));
    ChooseTriggerButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnChooseTrigger(); });
    auto* trigger = new wxBoxSizer(wxHORIZONTAL);
    trigger->Add(TriggerBox, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    trigger->Add(ChooseTriggerButton, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(triggerLabel, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(trigger, 1, wxEXPAND);

    ZoneBox = new wxChoice(s, wxID_ANY);
    for (int i = 0; i < kTimeZoneCount; ++i)
        ZoneBox->Append(Res(kStrTimeZoneFirst + static_cast<unsigned>(i)));
    grid->Add(label(s, kStrZone), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(ZoneBox);
    grid->AddGrowableCol(1);
    sync->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);

    auto* clock = NewFrameSizer(wxVERTICAL, this, Res(kStrClockTitle));
    wxWindow* c = clock->GetStaticBox();
    PcTimeRadio = new wxRadioButton(c, wxID_ANY, Res(kStrPcTime), wxDefaultPosition, wxDefaultSize,
                                    wxRB_GROUP);
    GivenTimeRadio = new wxRadioButton(c, wxID_ANY, Res(kStrGivenTime));
    for (wxRadioButton* r : {PcTimeRadio, GivenTimeRadio})
        r->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateDateTimeFields(); });
    YearEdit = new wxTextCtrl(c, wxID_ANY);
    YearEdit->SetMaxLength(kClockYearChars);
    FilterEdit(YearEdit, [] { return CharClass::Digits; });
    MonthBox = NumberBox(c, 1, 12);
    DayBox = NumberBox(c, 1, 31);
    HourBox = NumberBox(c, 0, 23);
    MinuteBox = NumberBox(c, 0, 59);
    SecondBox = NumberBox(c, 0, 59);
    auto* when = new wxFlexGridSizer(2, wxSize(8, 6));
    auto* date = new wxBoxSizer(wxHORIZONTAL);
    for (wxWindow* w : {static_cast<wxWindow*>(YearEdit), static_cast<wxWindow*>(MonthBox),
                        static_cast<wxWindow*>(DayBox)})
        date->Add(w, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    auto* hms = new wxBoxSizer(wxHORIZONTAL);
    for (wxChoice* w : {HourBox, MinuteBox, SecondBox})
        hms->Add(w, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    auto* dateLabel = label(c, kStrDate);
    auto* timeLabel = label(c, kStrTime);
    when->Add(dateLabel, 0, wxALIGN_CENTER_VERTICAL);
    when->Add(date);
    when->Add(timeLabel, 0, wxALIGN_CENTER_VERTICAL);
    when->Add(hms);
    WriteButton = new wxButton(c, wxID_ANY, Res(kStrWrite));
    ReadButton = new wxButton(c, wxID_ANY, Res(kStrRead));
    RelayButton = new wxButton(c, wxID_ANY, Res(kStrRelay));
    WriteButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnWriteClock(); });
    ReadButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnReadClock(); });
    RelayButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSetClockByRegister(); });
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* b : {WriteButton, ReadButton, RelayButton})
        buttons->Add(b, 0, wxRIGHT, 6);
    ClockText = new wxStaticText(c, wxID_ANY, wxEmptyString);
    auto* read = new wxBoxSizer(wxHORIZONTAL);
    read->Add(label(c, kStrClockRead), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    read->Add(ClockText, 1, wxALIGN_CENTER_VERTICAL);
    clock->Add(PcTimeRadio, 0, wxALL, 6);
    clock->Add(GivenTimeRadio, 0, wxLEFT | wxRIGHT, 6);
    clock->Add(when, 0, wxLEFT | wxTOP, 24);
    clock->Add(buttons, 0, wxALL, 6);
    clock->Add(read, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);

    ServerControls = {serverLabel, HostEdit, AddressCtrl, ByAddressCheck};
    DeviceControls = {portLabel, PortBox, stationLabel, StationBox};
    SyncControls = {triggerLabel, TriggerBox, ChooseTriggerButton, RelayButton};
    DateControls = {dateLabel, YearEdit, MonthBox,  DayBox,
                    timeLabel, HourBox,  MinuteBox, SecondBox};

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(sync, 0, wxEXPAND | wxALL, 5);
    column->Add(clock, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    SetSizer(column);
}

void CConfigTimeDlg::ShowForm() {
    PcTimeRadio->SetValue(true);
    ClockText->SetLabel(wxEmptyString);
    const LocalTime now = SystemClock().Now();
    YearEdit->ChangeValue(wxString::Format("%d", now.year));
    MonthBox->SetSelection(now.month - 1);
    DayBox->SetSelection(now.day - 1);
    HourBox->SetSelection(now.hour);
    MinuteBox->SetSelection(now.minute);
    SecondBox->SetSelection(now.second);
    UpdateDateTimeFields();

    ModeRadios[static_cast<size_t>(Form.mode)]->SetValue(true);
    ByAddressCheck->SetValue(Form.byAddress);
    HostEdit->ChangeValue(Form.host);
    if (Form.address)
        AddressCtrl->SetOctets(Form.address->data());
    else
        AddressCtrl->ClearAddress();
    OnAddressByIp();
    PortBox->SetSelection(Form.port - 1);
    FillStations(Form.station);
    FillTriggerBox(Form.trigger);
    ZoneBox->SetSelection(Form.zone >= 0 ? Form.zone : wxNOT_FOUND);
    EnableByMode(Form.mode);
    GetSizer()->SetSizeHints(this);
}

void CConfigTimeDlg::FillStations(int station) {
    const int highest = HighestStation(UnitCopy, PortBox->GetSelection() + 1);
    StationBox->Freeze();
    while (static_cast<int>(StationBox->GetCount()) > highest)
        StationBox->Delete(StationBox->GetCount() - 1);
    for (int n = static_cast<int>(StationBox->GetCount()) + 1; n <= highest; ++n)
        StationBox->Append(wxString::Format("%d", n));
    StationBox->Thaw();
    StationBox->SetSelection(station >= 1 && station <= highest ? station - 1 : 0);
}

void CConfigTimeDlg::FillTriggerBox(int select) {
    FillTriggerCombo(Excluded, *TriggerBox, TriggerCopy, nullptr, true);
    if (select < 0 || select >= static_cast<int>(TriggerBox->GetCount()))
        select = 0;
    TriggerBox->SetSelection(select);
    LastTrigger = select;
}

int CConfigTimeDlg::Mode() const {
    if (ModeRadios[1]->GetValue())
        return kSyncServer;
    return ModeRadios[2]->GetValue() ? kSyncDevice : kSyncNone;
}

void CConfigTimeDlg::EnableByMode(int mode) {
    for (wxWindow* w : ServerControls)
        w->Enable(mode == kSyncServer);
    for (wxWindow* w : DeviceControls)
        w->Enable(mode == kSyncDevice);
    for (wxWindow* w : SyncControls)
        w->Enable(mode != kSyncNone);
}

void CConfigTimeDlg::UpdateDateTimeFields() {
    const bool given = GivenTimeRadio->GetValue();
    for (wxWindow* w : DateControls)
        w->Enable(given);
}

void CConfigTimeDlg::OnAddressByIp() {
    const bool byAddress = ByAddressCheck->GetValue();
    HostEdit->Show(!byAddress);
    AddressCtrl->Show(byAddress);
    Layout();
}

void CConfigTimeDlg::OnSelchangeSyncPort() {
    const int port = PortBox->GetSelection() + 1;
    FillStations(StationForPort(StationBox->GetSelection() + 1, UnitCopy, port));
}

void CConfigTimeDlg::OnSelchangeTrigger() {
    const int item = TriggerBox->GetSelection();
    if (item >= 0 && static_cast<size_t>(item) < Excluded.size() && Excluded[item] != 0) {
        TriggerBox->SetSelection(LastTrigger);
        ShowMessageFocus(Res(kMsgExcludedTrigger), TriggerBox);
        return;
    }
    LastTrigger = item;
}

void CConfigTimeDlg::OnChooseTrigger() {
    const int before = std::max(TriggerBox->GetSelection(), 0);
    OpenerWorkingCopy opener;
    opener.kind = OpenerWorkingCopy::Kind::Time;
    opener.time = TimeCopy;
    opener.time.SetU16(timeblk::kTrigger, static_cast<uint16_t>(before));
    bool changed = false;
    const int chosen = RunTriggerChooser(this, Doc, before - 1, &changed, &opener);
    // The trigger editor may have cleared the reference to a trigger it excluded.
    TimeCopy = opener.time;
    TriggerCopy = Doc.Blocks().triggers;
    int item = chosen >= 0 ? chosen : before;
    if (changed)
        FillTriggerCombo(Excluded, *TriggerBox, TriggerCopy, nullptr, true);
    if (item >= static_cast<int>(Excluded.size()) || Excluded[static_cast<size_t>(item)] != 0)
        item = 0;
    TriggerBox->SetSelection(item);
    LastTrigger = item;
}

ConfigTimeForm CConfigTimeDlg::FormFromWindow() const {
    ConfigTimeForm form = Form;
    form.mode = Mode();
    form.byAddress = ByAddressCheck->GetValue();
    form.host = HostEdit->GetValue().ToStdWstring();
    std::array<uint8_t, 4> octets{};
    if (AddressCtrl->GetOctets(octets.data()))
        form.address = octets;
    else
        form.address.reset();
    form.port = PortBox->GetSelection() + 1;
    form.station = StationBox->GetSelection() + 1;
    form.trigger = std::max(TriggerBox->GetSelection(), 0);
    form.zone = ZoneBox->GetSelection(); // none: the stored zone stays
    return form;
}

int CConfigTimeDlg::SaveToParent() {
    const ConfigTimeForm form = FormFromWindow();
    const Refusal r = CheckConfigTime(form);
    if (r.Refused()) {
        wxWindow* field = r.field == kTimeFieldHost      ? static_cast<wxWindow*>(HostEdit)
                          : r.field == kTimeFieldAddress ? static_cast<wxWindow*>(AddressCtrl)
                                                         : static_cast<wxWindow*>(TriggerBox);
        ShowMessageFocus(RefusalText(r), field);
        return -1;
    }
    StoreConfigTime(form, wxGetApp().codePage, TimeCopy);
    Copies.time = TimeCopy;
    Form = form;
    return 0;
}

bool CConfigTimeDlg::ConfirmLink() {
    return RunConnectionDialog(this, ConnectionAction::Tool, Doc);
}

bool CConfigTimeDlg::LinkOpen() const {
    return Link->LinkIsOpen() || Session->LinkIsOpen() || Session->SessionOpen != 0;
}

void CConfigTimeDlg::OnWriteClock() {
    if (!ConfirmLink())
        return;
    Link->LoadCommSettings();
    LocalTime time;
    if (PcTimeRadio->GetValue()) {
        time = SystemClock().Now();
    } else {
        const ClockEntry entry{YearEdit->GetValue().ToStdWstring(),
                               MonthBox->GetSelection(),
                               DayBox->GetSelection(),
                               HourBox->GetSelection(),
                               MinuteBox->GetSelection(),
                               SecondBox->GetSelection()};
        const Refusal r = CheckClockEntry(entry, time);
        if (r.Refused()) {
            ShowMessageFocus(Res(r.messageId), r.messageId == kMsgClockYear
                                                   ? static_cast<wxWindow*>(YearEdit)
                                                   : static_cast<wxWindow*>(DayBox));
            return;
        }
    }
    const ClockWords words = ClockWordsOf(time);
    const uint16_t sent[kClockWordCount] = {words[0], words[1], words[2], words[3]};
    const LinkResult result = Link->WriteClock(sent);
    Link->CloseLink(); // the command closes it; a second close costs nothing
    if (result != 0) {
        ShowMessageId(kMsgClockWriteFailed, kMbOk);
        return;
    }
    ShowMessage(kMbIconInformation,
                wxString::Format(Res(kMsgClockWritten), time.year, time.month, time.day, time.hour,
                                 time.minute, time.second));
}

void CConfigTimeDlg::OnReadClock() {
    if (!ConfirmLink())
        return;
    Link->LoadCommSettings();
    ClockWords words{};
    const LinkResult result = Link->ReadDataWords(kClockFirstWord, kClockWordCount, words.data());
    Link->CloseLink();
    ClockText->SetLabel(result != 0 ? Res(kMsgClockReadFailed) : wxString(ClockTextOf(words)));
    Layout();
}

void CConfigTimeDlg::OnSetClockByRegister() {
    if (!ConfirmLink())
        return;
    Session->LoadCommSettings();
    ClockWords words{};
    RelayClockEnd end;
    {
        wxBusyCursor busy;
        end = RunRelayClockSetting(*Session, *ClockSleeper, words);
    }
    if (end == RelayClockEnd::NotSet)
        ShowMessageId(kMsgClockWriteFailed, kMbOk);
    else if (end == RelayClockEnd::ReadFailed)
        ShowMessageId(kMsgClockReadFailed, kMbIconInformation);
    else
        ShowMessage(kMbIconInformation, ClockTextOf(words));
}

CConfigPane* CreateConfigTimePane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies) {
    return new CConfigTimeDlg(parent, doc, copies);
}

} // namespace qv
