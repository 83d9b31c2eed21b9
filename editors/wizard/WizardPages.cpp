#include "editors/wizard/WizardPages.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/QuorvelApp.h"
#include "document/CodeText.h"
#include "document/MessageType.h"
#include "editors/devices/DeviceEditorModel.h"
#include "editors/files/FileEditorModel.h"
#include "editors/triggers/PortPageControls.h"
#include "ui/EditBalloon.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrUnitIntro = 46320, kStrUnitName = 46321, kStrAddress = 46322,
                   kStrUnitOption = 46323;
constexpr unsigned kStrFileIntro = 46330, kStrFileNumber = 46331, kStrFileName = 46332,
                   kStrInterval = 46333;
constexpr unsigned kStrDeviceIntro = 46340, kStrDeviceCounter = 46341, kStrDeviceName = 46342,
                   kStrPort = 46343, kStrStation = 46344, kStrRegister = 46345,
                   kStrDataType = 46346, kStrMode = 46347, kStrDifference = 46348,
                   kStrScaling = 46349, kStrScale = 46350, kStrUnitText = 46351,
                   kStrPreviousRow = 46352, kStrNextRow = 46353, kStrPowerPreset = 46354;
constexpr unsigned kStrSummaryIntro = 46360, kStrSummaryFiles = 46361, kStrSummaryDevices = 46362,
                   kStrWriteToUnit = 46363;

constexpr int kGap = 6;

wxFlexGridSizer* NewGrid() {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, kGap));
    grid->AddGrowableCol(1);
    return grid;
}

// The page's intro line, then its grid.
void LayOut(wxPanel* page, wxStaticText* intro, wxSizer* grid) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(intro, 0, wxALL, 10);
    top->Add(grid, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    page->SetSizerAndFit(top);
}

int IndexOf(const int* codes, int n, int code) {
    const int* it = std::find(codes, codes + n, code);
    return it == codes + n ? 0 : static_cast<int>(it - codes);
}

bool DoubleByteUi() {
    return wxGetApp().languageIndex != 0;
}

// Typed characters the file name refuses, or any key while a pasted refused
// character is still in it, go with a balloon.
bool RefusesKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    return !(key == WXK_BACK || key == WXK_TAB || key == WXK_DELETE || event.ControlDown() ||
             key < WXK_SPACE);
}

} // namespace

CWizardPage::CWizardPage(wxWindow* parent, WizardModel& model)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL), model_(model) {}

wxStaticText* CWizardPage::Label(unsigned id) {
    return new wxStaticText(this, wxID_ANY, Res(id));
}

void CWizardPage::AddRow(wxSizer* grid, unsigned label, wxWindow* control) {
    grid->Add(Label(label), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(control, 0, wxEXPAND);
}

void ShowWizardRefusal(const Refusal& refusal, CWizardPage& page) {
    wxWindow* field = page.FieldWindow(refusal.field);
    if (refusal.balloon && field) {
        ShowEditBalloon(field, Res(WizardBalloonTitle(refusal.messageId)), Res(refusal.messageId));
        return;
    }
    ShowMessageFocus(wxString(RefusalText(refusal)), field);
}

// --- the unit -------------------------------------------------------------

CWizardInitDlg::CWizardInitDlg(wxWindow* parent, WizardModel& model) : CWizardPage(parent, model) {
    wxStaticText* intro = Label(kStrUnitIntro);
    wxFlexGridSizer* grid = NewGrid();
    NameEdit = new wxTextCtrl(this, wxID_ANY);
    NameEdit->SetMaxLength(kNameWidth);
    AddRow(grid, kStrUnitName, NameEdit);
    Address = new IpAddressCtrl(this);
    grid->Add(Label(kStrAddress), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Address, 0);
    OptionOn = new wxRadioButton(this, wxID_ANY, wxString(GetUnitOptionName(1)), wxDefaultPosition,
                                 wxDefaultSize, wxRB_GROUP);
    OptionOff = new wxRadioButton(this, wxID_ANY, wxString(GetUnitOptionName(0)));
    auto* options = new wxBoxSizer(wxHORIZONTAL);
    options->Add(OptionOn, 0, wxRIGHT, 10);
    options->Add(OptionOff, 0);
    grid->Add(Label(kStrUnitOption), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(options, 0);
    LayOut(this, intro, grid);

    const WizardUnitForm form = model_.LoadUnit();
    NameEdit->ChangeValue(wxString(form.name));
    Address->SetOctets(form.address.data());
    (form.option ? OptionOn : OptionOff)->SetValue(true);
    // Enter in the address moves on, as Tab does, before it reaches the wizard.
    for (int i = 0; i < 4; ++i)
        Address->Field(i)->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
            if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER)
                Navigate();
            e.Skip();
        });
}

Refusal CWizardInitDlg::Save() {
    WizardUnitForm form;
    form.name = NameEdit->GetValue().ToStdWstring();
    form.addressValid = Address->GetOctets(form.address.data());
    form.option = OptionOn->GetValue();
    return model_.SaveUnit(form);
}

wxWindow* CWizardInitDlg::FieldWindow(int field) {
    return field == kWizFieldAddress ? static_cast<wxWindow*>(Address) : NameEdit;
}

// --- log file 1 -----------------------------------------------------------

CWizardFileDlg::CWizardFileDlg(wxWindow* parent, WizardModel& model) : CWizardPage(parent, model) {
    wxStaticText* intro = Label(kStrFileIntro);
    wxFlexGridSizer* grid = NewGrid();
    grid->Add(Label(kStrFileNumber), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(this, wxID_ANY, "1"), 0, wxALIGN_CENTER_VERTICAL);
    NameEdit = new wxTextCtrl(this, wxID_ANY);
    NameEdit->SetMaxLength(kNameWidth);
    AddRow(grid, kStrFileName, NameEdit);
    auto* intervals = new wxBoxSizer(wxVERTICAL);
    for (int i = 0; i < 3; ++i) {
        Interval[i] = new wxRadioButton(this, wxID_ANY, Res(kStrWizardIntervalFirst + i),
                                        wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        intervals->Add(Interval[i], 0, wxBOTTOM, 3);
    }
    grid->Add(Label(kStrInterval), 0);
    grid->Add(intervals, 0);
    LayOut(this, intro, grid);

    const WizardFileForm form = model_.LoadFile();
    NameEdit->ChangeValue(wxString(form.name));
    Interval[std::clamp(form.interval, 0, 2)]->SetValue(true);
    NameEdit->Bind(wxEVT_CHAR, &CWizardFileDlg::OnNameKey, this);
}

void CWizardFileDlg::OnNameKey(wxKeyEvent& event) {
    if (!RefusesKey(event)) {
        event.Skip();
        return;
    }
    const wchar_t c = static_cast<wchar_t>(event.GetUnicodeKey());
    if (FileNameHasRefused(std::wstring(1, c)) ||
        FileNameHasRefused(NameEdit->GetValue().ToStdWstring())) {
        ShowEditBalloon(NameEdit, Res(kStrFileNameCharacterTitle), Res(kMsgFileNameCharacter));
        return;
    }
    event.Skip();
}

WizardFileForm CWizardFileDlg::ReadForm() const {
    WizardFileForm form;
    form.name = NameEdit->GetValue().ToStdWstring();
    form.interval = -1;
    for (int i = 0; i < 3; ++i)
        if (Interval[i]->GetValue())
            form.interval = i;
    return form;
}

Refusal CWizardFileDlg::Check() {
    return model_.CheckFileName(ReadForm());
}

Refusal CWizardFileDlg::Save() {
    return model_.SaveFile(ReadForm());
}

wxWindow* CWizardFileDlg::FieldWindow(int field) {
    return field == kWizFieldFileName ? NameEdit : nullptr;
}

// --- the devices ----------------------------------------------------------

CWizardDeviceDlg::CWizardDeviceDlg(wxWindow* parent, WizardModel& model)
    : CWizardPage(parent, model) {
    wxStaticText* intro = Label(kStrDeviceIntro);
    wxFlexGridSizer* grid = NewGrid();
    Counter = new wxStaticText(this, wxID_ANY, "999 / 999");
    grid->Add(Label(kStrDeviceCounter), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Counter, 0, wxALIGN_CENTER_VERTICAL);
    NameEdit = new wxTextCtrl(this, wxID_ANY);
    NameEdit->SetMaxLength(kNameWidth);
    AddRow(grid, kStrDeviceName, NameEdit);
    PortBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrPort, PortBox);
    StationBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrStation, StationBox);
    RegisterEdit = new wxTextCtrl(this, wxID_ANY);
    RegisterEdit->SetMaxLength(kWizardRegisterChars);
    AddRow(grid, kStrRegister, RegisterEdit);
    TypeBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrDataType, TypeBox);
    ModeBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrMode, ModeBox);
    DifferenceBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrDifference, DifferenceBox);
    ScalingBox = new wxChoice(this, wxID_ANY);
    AddRow(grid, kStrScaling, ScalingBox);
    ScaleEdit = new wxTextCtrl(this, wxID_ANY);
    ScaleEdit->SetMaxLength(kWizardScaleChars);
    AddRow(grid, kStrScale, ScaleEdit);
    UnitEdit = new wxTextCtrl(this, wxID_ANY);
    UnitEdit->SetMaxLength(kWizardUnitTextChars);
    AddRow(grid, kStrUnitText, UnitEdit);

    PreviousButton = new wxButton(this, wxID_ANY, Res(kStrPreviousRow));
    NextButton = new wxButton(this, wxID_ANY, Res(kStrNextRow));
    PresetButton = new wxButton(this, wxID_ANY, Res(kStrPowerPreset));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(PreviousButton, 0, wxRIGHT, kGap);
    buttons->Add(NextButton, 0, wxRIGHT, 3 * kGap);
    buttons->Add(PresetButton, 0);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(intro, 0, wxALL, 10);
    top->Add(grid, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    top->Add(buttons, 0, wxALL, 10);
    SetSizerAndFit(top);

    for (int port : {kPortSerial1, kPortSerial2})
        PortBox->Append(wxString(GetPortName(port)));
    for (int type : kWizardDataTypes)
        TypeBox->Append(wxString(GetDataTypeName(type)));
    for (int mode : kWizardModes)
        ModeBox->Append(wxString(GetRegisterModeName(mode)));
    for (int d : kWizardDifferences)
        DifferenceBox->Append(wxString::Format("%d", d));
    for (int choice : {0, 1})
        ScalingBox->Append(wxString(GetScaleChoiceName(choice)));
    ShowDeviceRecord();

    FilterEdit(RegisterEdit, [] { return CharClass::Digits; });
    FilterEdit(ScaleEdit, [] { return CharClass::DecimalNumber; });
    NameEdit->Bind(wxEVT_CHAR, [this](wxKeyEvent& e) {
        const wchar_t c = static_cast<wchar_t>(e.GetUnicodeKey());
        const std::wstring text = NameEdit->GetValue().ToStdWstring();
        if (RefusesKey(e) && (!DeviceNameAccepts(c) || FilterDeviceNamePaste(text) != text)) {
            ShowNameBalloon(kMsgDeviceNameCharacter);
            return;
        }
        e.Skip();
    });
    NameEdit->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent&) {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        const std::wstring pasted = data.GetText().ToStdWstring();
        const std::wstring kept = FilterDeviceNamePaste(pasted);
        if (kept != pasted)
            ShowNameBalloon(kMsgDeviceNameCharacter);
        NameEdit->WriteText(wxString(kept));
    });
    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        WizardDeviceForm form = ReadForm();
        model_.ChangePort(form, PortBox->GetSelection());
        ShowForm(form);
    });
    ModeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateEnabled(); });
    ScalingBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        if (ScalingBox->GetSelection() == 0)
            ScaleEdit->ChangeValue(wxString());
        UpdateEnabled();
    });
    PreviousButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MoveRow(-1); });
    NextButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { MoveRow(1); });
    PresetButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        WizardDeviceForm form = ReadForm();
        model_.PowerPreset(form);
        ShowForm(form);
    });
}

void CWizardDeviceDlg::ShowNameBalloon(unsigned messageId) {
    ShowEditBalloon(NameEdit, Res(WizardBalloonTitle(messageId)), Res(messageId));
}

void CWizardDeviceDlg::ShowDeviceRecord() {
    ShowForm(model_.LoadDevice());
}

void CWizardDeviceDlg::ShowForm(const WizardDeviceForm& form) {
    const WizardDeviceView view = model_.DeviceView(form);
    Counter->SetLabel(wxString(view.counter));
    NameEdit->ChangeValue(wxString(form.name));
    Select(PortBox, form.port);
    stations_ = view.stations;
    StationBox->Clear();
    for (int s : stations_)
        StationBox->Append(wxString::Format("%d", s));
    Select(StationBox, IndexOf(stations_.data(), static_cast<int>(stations_.size()), form.station));
    RegisterEdit->ChangeValue(wxString(form.reg));
    Select(TypeBox, IndexOf(kWizardDataTypes, 3, form.dataType));
    Select(ModeBox, IndexOf(kWizardModes, 2, form.mode));
    Select(DifferenceBox, IndexOf(kWizardDifferences, 2, form.difference));
    Select(ScalingBox, form.scaling ? 1 : 0);
    ScaleEdit->ChangeValue(wxString(form.scale));
    UnitEdit->ChangeValue(wxString(form.unitText));
    PreviousButton->Enable(view.previousEnabled);
    NextButton->Enable(view.nextEnabled);
    UpdateEnabled();
    Layout();
}

void CWizardDeviceDlg::UpdateEnabled() {
    DifferenceBox->Enable(ModeBox->GetSelection() > 0);
    const bool scaling = ScalingBox->GetSelection() > 0;
    if (!scaling)
        ScaleEdit->ChangeValue(wxString());
    ScaleEdit->Enable(scaling);
}

WizardDeviceForm CWizardDeviceDlg::ReadForm() const {
    WizardDeviceForm form;
    form.name = NameEdit->GetValue().ToStdWstring();
    form.port = std::max(0, PortBox->GetSelection());
    const int station = StationBox->GetSelection();
    form.station = station >= 0 && station < static_cast<int>(stations_.size())
                       ? stations_[static_cast<size_t>(station)]
                       : -1;
    form.reg = RegisterEdit->GetValue().ToStdWstring();
    form.dataType = kWizardDataTypes[std::clamp(TypeBox->GetSelection(), 0, 2)];
    form.mode = kWizardModes[std::clamp(ModeBox->GetSelection(), 0, 1)];
    form.difference = kWizardDifferences[std::clamp(DifferenceBox->GetSelection(), 0, 1)];
    form.scaling = ScalingBox->GetSelection() > 0;
    form.scale = ScaleEdit->GetValue().ToStdWstring();
    form.unitText = UnitEdit->GetValue().ToStdWstring();
    return form;
}

Refusal CWizardDeviceDlg::Check() {
    return model_.CheckDevice(ReadForm());
}

Refusal CWizardDeviceDlg::Save() {
    return model_.SaveDevice(ReadForm(), DoubleByteUi());
}

void CWizardDeviceDlg::MoveRow(int delta) {
    Refusal r = Check();
    if (!r.Refused())
        r = Save();
    if (r.Refused()) {
        ShowWizardRefusal(r, *this);
        return;
    }
    model_.MoveRow(delta);
    ShowDeviceRecord();
}

wxWindow* CWizardDeviceDlg::FieldWindow(int field) {
    switch (field) {
    case kWizFieldDeviceName:
        return NameEdit;
    case kWizFieldPort:
        return PortBox;
    case kWizFieldStation:
        return StationBox;
    case kWizFieldRegister:
        return RegisterEdit;
    case kWizFieldScale:
        return ScaleEdit;
    case kWizFieldUnitText:
        return UnitEdit;
    default:
        return nullptr;
    }
}

// --- the summary ----------------------------------------------------------

CWizardChkDlg::CWizardChkDlg(wxWindow* parent, WizardModel& model) : CWizardPage(parent, model) {
    const WizardSummary s = model_.Summary();
    wxStaticText* intro = Label(kStrSummaryIntro);
    wxFlexGridSizer* grid = NewGrid();
    const std::pair<unsigned, wxString> rows[] = {
        {kStrUnitName, wxString(s.unitName)},
        {kStrAddress, wxString(s.address)},
        {kStrSummaryFiles, wxString::Format("%d", s.files)},
        {kStrSummaryDevices, wxString::Format("%d", s.devices)},
    };
    for (const auto& row : rows) {
        grid->Add(Label(row.first), 0);
        grid->Add(new wxStaticText(this, wxID_ANY, wxControl::EscapeMnemonics(row.second)), 0);
    }
    WriteCheck = new wxCheckBox(this, wxID_ANY, Res(kStrWriteToUnit));
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(intro, 0, wxALL, 10);
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
    top->Add(WriteCheck, 0, wxALL, 10);
    SetSizerAndFit(top);
}

} // namespace qv
