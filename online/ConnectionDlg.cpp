#include "online/ConnectionDlg.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/QuorvelApp.h"
#include "document/CodePageText.h"
#include "document/MessageType.h"
#include "link/SerialPortList.h"
#include "online/LanLinkDlg.h"
#include "online/LanLinkModel.h"
#include "online/PasswordInputDlg.h"
#include "online/UnitSearchDlg.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"
#include "ui/WaitDlg.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 35401;
constexpr unsigned kStrLink = 35402;
constexpr unsigned kStrSerial = 35403;
constexpr unsigned kStrLan = 35404;
constexpr unsigned kStrPort = 35405;
constexpr unsigned kStrPcAddress = 35406;
constexpr unsigned kStrUnitAddress = 35407;
constexpr unsigned kStrSearch = 35408;
constexpr unsigned kStrLanSettings = 35409;

// The PC's own IPv4 addresses, loopback last so a real adapter comes first.
std::vector<std::string> LocalAddresses() {
    std::vector<std::string> found, loopback;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return found;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        if (!inet_ntop(AF_INET, &a->sin_addr, text, sizeof text))
            continue;
        (ntohl(a->sin_addr.s_addr) >> 24 == 127 ? loopback : found).push_back(text);
    }
    freeifaddrs(list);
    found.insert(found.end(), loopback.begin(), loopback.end());
    return found;
}

// The dialog's messages as the program's message boxes.
class BoxUser : public ConnectionUser {
public:
    int Ask(const ConnectionMessage& m) override {
        return ShowMessage(m.Type, wxString(ConnectionMessageText(m)));
    }
    void Tell(const ConnectionMessage& m) override {
        ShowMessage(m.Type, wxString(ConnectionMessageText(m)));
    }
};

wxString Multi(const std::string& text, uint32_t codePage) {
    return wxString(MultiToWide(text, codePage));
}

} // namespace

CConnectionDlg::CConnectionDlg(wxWindow* parent, ConnectionAction mode, CQuorvelDoc& doc)
    : CDlgBase(kDlgConnection, &doc, parent, Res(kStrTitle)), mode_(mode), doc_(doc) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* box = NewFrameSizer(wxVERTICAL, this, Res(kStrLink));
    wxWindow* frame = box->GetStaticBox();

    SerialRadio = new wxRadioButton(frame, wxID_ANY, Res(kStrSerial), wxDefaultPosition,
                                    wxDefaultSize, wxRB_GROUP);
    LanRadio = new wxRadioButton(frame, wxID_ANY, Res(kStrLan));
    PortBox = new wxComboBox(frame, wxID_ANY);
    PcAddressBox = new wxChoice(frame, wxID_ANY);
    UnitAddressText = new wxTextCtrl(frame, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                     wxDefaultSize, wxTE_READONLY);
    SearchButton = new wxButton(this, wxID_ANY, Res(kStrSearch));
    LanSettingsButton = new wxButton(this, wxID_ANY, Res(kStrLanSettings));

    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    grid->AddGrowableCol(1);
    auto label = [&](unsigned id) {
        grid->Add(new wxStaticText(frame, wxID_ANY, Res(id)), 0, wxALIGN_CENTER_VERTICAL);
    };
    box->Add(SerialRadio, 0, wxALL, 6);
    auto* serialGrid = grid;
    label(kStrPort);
    grid->Add(PortBox, 1, wxEXPAND);
    box->Add(serialGrid, 0, wxEXPAND | wxLEFT | wxRIGHT, 24);
    box->Add(LanRadio, 0, wxALL, 6);
    grid = new wxFlexGridSizer(2, wxSize(8, 6));
    grid->AddGrowableCol(1);
    label(kStrPcAddress);
    grid->Add(PcAddressBox, 1, wxEXPAND);
    label(kStrUnitAddress);
    grid->Add(UnitAddressText, 1, wxEXPAND);
    box->Add(grid, 0, wxEXPAND | wxLEFT | wxRIGHT, 24);
    auto* lanButtons = new wxBoxSizer(wxHORIZONTAL);
    lanButtons->Add(SearchButton, 0, wxRIGHT, 6);
    lanButtons->Add(LanSettingsButton);

    column->Add(box, 1, wxEXPAND | wxALL, 10);
    column->Add(lanButtons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT, 10);
    column->Add(CreateButtons(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizer(column);

    SerialRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateLinkControls(); });
    LanRadio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateLinkControls(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    SearchButton->Bind(wxEVT_BUTTON,
                       [this](wxCommandEvent&) { OnUnitAddressDialog(RunUnitSearchDialog); });
    LanSettingsButton->Bind(wxEVT_BUTTON,
                            [this](wxCommandEvent&) { OnUnitAddressDialog(RunLanLinkDialog); });

    CommSettings settings;
    LoadCommSettings(wxGetApp().Profile(), CodePage, settings);
    Form = LoadConnectionForm(settings);
    TransferDataToWindow();
    // Sized by its contents' client size: a minimum taken from the outer size
    // counts on a guess of the window manager's frame and can come out short.
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

bool CConnectionDlg::TransferDataToWindow() {
    const bool serial = Form.LinkType == kCommSerial;
    SerialRadio->SetValue(serial);
    LanRadio->SetValue(!serial);

    PortBox->Clear();
    for (const std::string& port : ListSerialPorts())
        PortBox->Append(wxString::FromUTF8(port));
    // A stored port that is gone still shows, so the user sees what was chosen.
    PortBox->SetValue(Form.SerialPort.empty() && PortBox->GetCount() > 0
                          ? PortBox->GetString(0)
                          : Multi(Form.SerialPort, CodePage));

    PcAddressBox->Clear();
    for (const std::string& address : LocalAddresses())
        PcAddressBox->Append(wxString::FromUTF8(address));
    if (PcAddressBox->GetCount() > 0) {
        const int at = PcAddressBox->FindString(Multi(Form.PcAddress, CodePage), true);
        PcAddressBox->SetSelection(at == wxNOT_FOUND ? 0 : at);
    }
    UnitAddressText->ChangeValue(Multi(Form.UnitAddress, CodePage));
    UpdateLinkControls();
    return true;
}

bool CConnectionDlg::TransferDataFromWindow() {
    Form.LinkType = SerialRadio->GetValue() ? kCommSerial : kCommTcp;
    // A text left as shown keeps its stored bytes; a new one goes into the
    // code page the link settings are kept in. The unit address is shown only.
    const auto port = ShownTextToMulti(
        Form.SerialPort, PortBox->GetValue().Trim().Trim(false).ToStdWstring(), CodePage);
    const auto pc = ShownTextToMulti(Form.PcAddress,
                                     PcAddressBox->GetStringSelection().ToStdWstring(), CodePage);
    if (!port && Form.LinkType == kCommSerial) {
        ShowMessageFocus(Res(kMsgTextNotInCodePage), PortBox);
        return false;
    }
    if (port)
        Form.SerialPort = *port;
    Form.PcAddress = pc.value_or(std::string());
    return true;
}

void CConnectionDlg::UpdateLinkControls() {
    const bool serial = SerialRadio->GetValue();
    PortBox->Enable(serial);
    PcAddressBox->Enable(!serial);
    UnitAddressText->Enable(!serial);
    SearchButton->Enable(!serial);
    LanSettingsButton->Enable(!serial);
}

void CConnectionDlg::OnUnitAddressDialog(bool (*run)(wxWindow*)) {
    // The search sends from the chosen adapter and the LAN dialog shows it.
    const auto pc = ShownTextToMulti(Form.PcAddress,
                                     PcAddressBox->GetStringSelection().ToStdWstring(), CodePage);
    Form.PcAddress = pc.value_or(std::string());
    // Kept when the dialog is cancelled too.
    const FlushProfileAtEnd flush(wxGetApp().Profile());
    SavePcAddress(wxGetApp().Profile(), CodePage, Form.PcAddress);
    if (!run(this))
        return;
    CommSettings settings;
    LoadCommSettings(wxGetApp().Profile(), CodePage, settings);
    Form.UnitAddress = LoadConnectionForm(settings).UnitAddress;
    UnitAddressText->ChangeValue(Multi(Form.UnitAddress, CodePage));
}

void CConnectionDlg::OnOk() {
    if (!TransferDataFromWindow())
        return;
    BoxUser user;
    CWaitProgress progress(this);
    PasswordInputPrompt password;
    ConnectionModel model(wxGetApp().Profile(), CodePage, doc_, user, &progress, &password,
                          SystemSleeper());
    FormField focus = FormField::None;
    switch (model.Accept(mode_, Form, &focus)) {
    case ConnectionEnd::Ok:
        EndModal(wxID_OK);
        break;
    case ConnectionEnd::Cancel:
        EndModal(wxID_CANCEL);
        break;
    case ConnectionEnd::StayOpen:
        if (focus == FormField::SerialPort)
            PortBox->SetFocus();
        else if (focus == FormField::UnitAddress)
            LanRadio->SetFocus();
        break;
    }
}

bool RunConnectionDialog(wxWindow* parent, ConnectionAction mode, CQuorvelDoc& doc) {
    CConnectionDlg dlg(parent, mode, doc);
    return dlg.ShowModal() == wxID_OK;
}

} // namespace qv
