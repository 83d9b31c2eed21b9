#include "editors/devices/DeviceEditDlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/CodeText.h"
#include "document/QuorvelDoc.h"
#include "editors/PortInfoPane.h"
#include "editors/devices/DeviceEditorOwner.h"
#include "editors/devices/DeviceTypePage.h"
#include "editors/devices/StationDlg.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "ui/EditBalloon.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 39201;
constexpr unsigned kStrNumber = 39202;
constexpr unsigned kStrName = 39203;
constexpr unsigned kStrPort = 39204;
constexpr unsigned kStrType = 39205;
constexpr unsigned kStrKind = 39206;
constexpr unsigned kStrStations = 39207;
constexpr unsigned kStrInsert = 39208;
constexpr unsigned kStrStation = 39209;
constexpr int kIdInsert = wxID_HIGHEST + 3;
constexpr int kPortCount = 3;
// Room the type pages take, so the window keeps its size across types.
const wxSize kPageArea(380, 330);

int TypeEntry(int typeCode) {
    for (size_t i = 0; i < std::size(kDeviceTypeCodes); ++i)
        if (kDeviceTypeCodes[i] == typeCode)
            return static_cast<int>(i);
    return 0;
}
} // namespace

void RunDeviceEditor(wxWindow* page, DeviceEditorOwner& owner, int row, CQuorvelDoc& doc) {
    CDevSetDlg editor(page, owner, row, doc);
    editor.ShowModal();
}

CDevSetDlg::CDevSetDlg(wxWindow* page, DeviceEditorOwner& owner, int row, CQuorvelDoc& doc)
    : CDlgBase(kDlgDeviceEditor, &doc, page, Res(kStrTitle)), DeviceNumber(row + 1),
      Table(std::make_unique<DeviceTable>(owner.DeviceTableCopy())), owner_(owner), doc_(doc),
      fileNo_(static_cast<int>(doc.currentItem)) {
    Maximum = MaxDeviceNumber(doc.Blocks().files, fileNo_);
    DeviceNumber = std::clamp(DeviceNumber, 1, Maximum);

    auto* fields = new wxFlexGridSizer(2, wxSize(8, 6));
    fields->AddGrowableCol(1);
    auto label = [&](unsigned id) {
        fields->Add(new wxStaticText(this, wxID_ANY, Res(id)), 0, wxALIGN_CENTER_VERTICAL);
    };
    // Created in tab order.
    label(kStrNumber);
    NumberEdit = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxTE_PROCESS_ENTER);
    NumberEdit->SetMaxLength(kDeviceNumberChars);
    NumberEdit->SetMinSize(wxSize(NumberEdit->GetTextExtent("0000").x + 16, -1));
    NumberArrows =
        new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    NumberArrows->SetRange(1, Maximum);
    auto* numberLine = new wxBoxSizer(wxHORIZONTAL);
    numberLine->Add(NumberEdit, 0, wxALIGN_CENTER_VERTICAL);
    numberLine->Add(NumberArrows, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
    fields->Add(numberLine, 0);
    label(kStrName);
    NameEdit = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxTE_PROCESS_ENTER);
    NameEdit->SetMaxLength(kDeviceNameChars);
    NameEdit->SetMinSize(wxSize(NameEdit->GetTextExtent(wxString('W', 20)).x, -1));
    fields->Add(NameEdit, 0, wxEXPAND);
    label(kStrPort);
    PortBox = new wxChoice(this, wxID_ANY);
    for (int p = 0; p < kPortCount; ++p)
        PortBox->Append(wxString(GetPortName(p)));
    fields->Add(PortBox, 0, wxEXPAND);
    label(kStrType);
    TypeBox = new wxChoice(this, wxID_ANY);
    for (unsigned id : kStrDeviceTypeNames)
        TypeBox->Append(Res(id));
    fields->Add(TypeBox, 0, wxEXPAND);
    label(kStrKind);
    KindBox = new wxChoice(this, wxID_ANY);
    for (int k = 0; k < 2; ++k)
        KindBox->Append(wxString(GetDeviceKindName(k)));
    fields->Add(KindBox, 0, wxEXPAND);
    label(kStrStation);
    StationText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                 wxTE_READONLY);
    StationText->SetMinSize(wxSize(StationText->GetTextExtent("0000").x + 16, -1));
    StationButton = new wxButton(this, wxID_ANY, Res(kStrStations));
    auto* stationLine = new wxBoxSizer(wxHORIZONTAL);
    stationLine->Add(StationText, 0, wxALIGN_CENTER_VERTICAL);
    stationLine->Add(StationButton, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    fields->Add(stationLine, 0);

    PortInfo = new CComInfoDlg(this, &doc);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(fields, 1, wxEXPAND | wxRIGHT, 12);
    top->Add(PortInfo, 0);

    pageArea_ = new wxBoxSizer(wxVERTICAL);
    pageArea_->SetMinSize(kPageArea);

    InsertButton = new wxButton(this, kIdInsert, Res(kStrInsert));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(InsertButton, 0, wxALIGN_CENTER_VERTICAL);
    buttons->AddStretchSpacer();
    buttons->Add(CreateButtons(wxOK | wxCANCEL), 0, wxALIGN_CENTER_VERTICAL);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(top, 0, wxEXPAND | wxALL, 10);
    column->Add(pageArea_, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    column->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);
    // OK and Cancel come before Insert in the tab order, as the main actions.
    wxWindow* lastButton = nullptr;
    for (wxWindow* child : GetChildren())
        if (child->GetId() == wxID_OK || child->GetId() == wxID_CANCEL)
            lastButton = child;
    if (lastButton)
        InsertButton->MoveAfterInTabOrder(lastButton);

    NumberEdit->Bind(wxEVT_CHAR, [](wxKeyEvent& e) {
        const wxChar c = e.GetUnicodeKey();
        if (c == WXK_NONE || c < 0x20 || c == 0x7F || e.ControlDown() || (c >= '0' && c <= '9'))
            e.Skip();
    });
    NumberEdit->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent&) {
        wxTextDataObject data;
        if (wxTheClipboard->Open()) {
            wxTheClipboard->GetData(data);
            wxTheClipboard->Close();
        }
        wxString digits;
        for (wxUniChar c : data.GetText())
            if (c >= '0' && c <= '9')
                digits += c;
        NumberEdit->WriteText(digits);
    });
    NumberEdit->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { ApplyTypedNumber(); });
    NumberEdit->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_UP)
            MoveTo(DeviceNumber + 1);
        else if (e.GetKeyCode() == WXK_DOWN)
            MoveTo(DeviceNumber - 1);
        else
            e.Skip();
    });
    NumberArrows->Bind(wxEVT_SPIN, [this](wxSpinEvent& e) { MoveTo(e.GetPosition()); });

    NameEdit->Bind(wxEVT_CHAR, [this](wxKeyEvent& e) {
        const wxChar c = e.GetUnicodeKey();
        if (c == ',' || c == '"')
            ShowBalloon(kMsgDeviceNameCharacter);
        else
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
        if (pasted.find_first_of(L",\"") != std::wstring::npos)
            ShowBalloon(kMsgDeviceNameCharacter);
        NameEdit->WriteText(wxString(kept));
    });
    // Enter in the name stores nothing: it is no command.
    NameEdit->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});

    TypeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { CreateTypePage(); });
    KindBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { CreateTypePage(); });
    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        CreateTypePage();
        UpdateStations();
    });
    StationButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CStationDlg stations(this, doc_, SelectedPort());
        stations.ShowModal();
        UpdateStations();
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Store(false); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Store(true); }, kIdInsert);

    LoadDeviceToControls();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    NameEdit->SetFocus();
}

int CDevSetDlg::SelectedPort() const {
    return PortBox->GetSelection();
}

void CDevSetDlg::LoadDeviceToControls() {
    const DeviceEditorForm form = LoadDeviceEditor(*Table, fileNo_, DeviceNumber, CodePage);
    NumberEdit->ChangeValue(wxString::Format("%d", DeviceNumber));
    NumberArrows->SetValue(DeviceNumber);
    NameEdit->ChangeValue(wxString(form.name));
    PortBox->SetSelection(form.port >= 0 ? form.port : wxNOT_FOUND);
    TypeBox->SetSelection(TypeEntry(form.deviceType));
    KindBox->SetSelection(form.deviceKind);
    CreateTypePage();
    owner_.MarkCurrentDevice(previousNumber_, DeviceNumber);
    UpdateStations();
}

void CDevSetDlg::CreateTypePage() {
    if (Page) {
        pageArea_->Detach(Page);
        Page->Destroy();
        Page = nullptr;
    }
    const int typeEntry = std::max(0, TypeBox->GetSelection());
    const uint8_t type = static_cast<uint8_t>(kDeviceTypeCodes[typeEntry]);
    const bool plc = type == kDevicePlc;
    KindBox->Show(plc);
    if (wxWindow* kindLabel = KindBox->GetPrevSibling())
        kindLabel->Show(plc);
    const int port = SelectedPort();
    Page = CreateDeviceTypePage(type, KindBox->GetSelection(), this,
                                {doc_, *Table, fileNo_, DeviceNumber,
                                 static_cast<uint8_t>(port < 0 ? kPortUnit : port), CodePage});
    if (Page) {
        pageArea_->Add(Page, 1, wxEXPAND);
        Page->MoveAfterInTabOrder(StationButton);
    }
    Layout();
    GetSizer()->SetSizeHints(this);
}

void CDevSetDlg::UpdateStations() {
    const bool hasSlot = CQuorvelDoc::FindDeviceRecord(*Table, fileNo_, DeviceNumber, 2) >= 0;
    const StationControls c =
        UpdateStationControls(doc_.stationFlags, SelectedPort(), hasSlot, doc_.Blocks().unit);
    StationButton->Enable(c.enabled);
    StationText->Enable(c.enabled);
    StationText->ChangeValue(wxString(c.text));
}

void CDevSetDlg::MoveTo(int number) {
    previousNumber_ = DeviceNumber;
    DeviceNumber = std::clamp(number, 1, Maximum);
    doc_.SetStationFlagsFromDevice(*Table, DeviceNumber, fileNo_);
    LoadDeviceToControls();
}

void CDevSetDlg::ApplyTypedNumber() {
    MoveTo(TypedDeviceNumber(NumberEdit->GetValue().ToStdWstring(), Maximum));
    NumberEdit->SetInsertionPointEnd();
}

void CDevSetDlg::ShowBalloon(unsigned messageId) {
    LastBalloon = messageId;
    ShowEditBalloon(NameEdit, Res(DeviceBalloonTitle(messageId)), Res(messageId));
}

void CDevSetDlg::Store(bool insert) {
    DeviceStoreRequest request;
    request.form.name = NameEdit->GetValue().ToStdWstring();
    request.form.port = SelectedPort();
    request.form.deviceType = kDeviceTypeCodes[std::max(0, TypeBox->GetSelection())];
    request.form.deviceKind = std::max(0, KindBox->GetSelection());
    request.fileNo = fileNo_;
    request.number = DeviceNumber;
    request.maximum = Maximum;
    request.insert = insert;
    StationList list{};
    const size_t count = doc_.GetSelectedStations(list);
    request.stations.assign(list.begin(), list.begin() + static_cast<long>(count));

    DevicePageStore pageStore;
    if (Page)
        pageStore = [this](DeviceRecord& record) { return Page->SaveDevice(record); };
    BoxQuestions questions;
    DeviceStoreResult result =
        StoreDevices(request, *Table, doc_.Blocks().unit, CodePage, pageStore, questions);
    if (result.refusal.Refused()) {
        if (result.refusal.balloon) {
            ShowBalloon(result.refusal.messageId);
            return;
        }
        wxWindow* field = nullptr;
        if (result.pageRefused)
            field = Page->FieldWindow(result.refusal.field);
        else if (result.refusal.field == kDevEdName)
            field = NameEdit;
        else if (result.refusal.field == kDevEdPort)
            field = PortBox;
        ShowMessageFocus(RefusalText(result.refusal), field);
        return;
    }
    if (!result.Accepted())
        return;
    // The document, the list page and the editor hold the same table now.
    Table = std::move(result.devices);
    doc_.SetDeviceTable(*Table);
    owner_.SetDeviceTableCopy(*Table);
    owner_.RefreshList();
    doc_.SetStationFlagsFromDevice(*Table, DeviceNumber, fileNo_);
    UpdateStations();
}

} // namespace qv
