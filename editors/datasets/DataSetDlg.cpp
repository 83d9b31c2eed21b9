#include "editors/datasets/DataSetDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/ListFillers.h"
#include "document/MessageType.h"
#include "editors/PortInfoPane.h"
#include "editors/devices/StationDlg.h"
#include "editors/triggers/PortPageControls.h"
#include "editors/triggers/PortTriggerModel.h"
#include "editors/triggers/TriggerEditDlg.h"
#include "editors/triggers/TriggerListDlg.h"
#include "ui/ListFillers.h"
#include "ui/Messages.h"

namespace qv {

namespace {
constexpr unsigned kStrTitle = 39502;
constexpr unsigned kStrNumber = 39503;
constexpr unsigned kStrName = 39203;
constexpr unsigned kStrPort = 39204;
constexpr unsigned kStrStations = 39207;
constexpr unsigned kStrStation = 39209;
constexpr unsigned kStrTarget = 39504;
constexpr unsigned kStrArea = 39213;
constexpr unsigned kStrAddress = 39214;
constexpr unsigned kStrDataType = 39215;
constexpr unsigned kStrValue = 47307;
constexpr unsigned kStrOption = 36413;
constexpr unsigned kStrTrigger = 39506;
constexpr unsigned kStrTrigger2 = 39507;
constexpr unsigned kStrTriggerList = 39508;
constexpr unsigned kStrEnabled = 39509;
constexpr unsigned kStrContact = 4023;
constexpr unsigned kStrRegister = 4024;
constexpr unsigned kStrFlagFirst = 8110;
constexpr unsigned kStrFlagSecond = 8111;
constexpr size_t kNameChars = 32;
constexpr size_t kValueChars = 20;

int Selection(const wxChoice* box) {
    return box->GetSelection();
}
} // namespace

CDataSetDlg::CDataSetDlg(int index, CQuorvelDoc& doc, wxWindow* owner)
    : CDlgBase(kDlgDataSet, &doc, owner, Res(kStrTitle)), doc_(doc), index_(index) {
    const ImageBlocks& blocks = doc.Blocks();
    triggers_ = blocks.triggers;
    const DataSetRecord& r = blocks.dataSets[static_cast<size_t>(index)];
    form_ = LoadDataSetForm(r, blocks.unit, CodePage);

    doc.stationFlags.fill(0);
    const size_t station = r.U8(dset::kStation);
    if (form_.port == 1 || form_.port == 2) {
        // A station past the bus's last number selects none.
        if (station < kStationCount)
            doc.stationFlags[station] = 1;
    } else {
        doc.stationFlags[0] = 1;
    }

    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    auto label = [&](unsigned id) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(id)), 0, wxALIGN_CENTER_VERTICAL);
    };
    auto line = [&]() {
        auto* s = new wxBoxSizer(wxHORIZONTAL);
        grid->Add(s, 0, wxALIGN_CENTER_VERTICAL);
        return s;
    };

    label(kStrNumber);
    grid->Add(new wxStaticText(this, wxID_ANY, wxString::Format("%d", index + 1)), 0,
              wxALIGN_CENTER_VERTICAL);

    label(kStrName);
    NameEdit = new wxTextCtrl(this, kDsName, form_.name);
    NameEdit->SetMaxLength(kNameChars);
    NameEdit->SetMinSize(wxSize(NameEdit->GetTextExtent(wxString('W', 20)).x, -1));
    grid->Add(NameEdit, 0, wxEXPAND);

    label(kStrPort);
    wxBoxSizer* portLine = line();
    PortBox = new wxChoice(this, kDsPort);
    for (int p = 0; p < 3; ++p)
        PortBox->Append(GetPortName(p));
    PortBox->SetSelection(form_.port <= 2 ? form_.port : wxNOT_FOUND);
    portLine->Add(PortBox, 0, wxALIGN_CENTER_VERTICAL);
    portLine->Add(new wxStaticText(this, wxID_ANY, Res(kStrStation)), 0,
                  wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    StationText =
        new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    StationText->SetMinSize(wxSize(StationText->GetTextExtent("0000").x + 16, -1));
    portLine->Add(StationText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    StationButton = new wxButton(this, 1013, Res(kStrStations));
    portLine->Add(StationButton, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);

    label(kStrTarget);
    KindBox = new wxChoice(this, 1115);
    KindBox->Append(Res(kStrContact));
    KindBox->Append(Res(kStrRegister));
    KindBox->SetSelection(form_.targetKind <= 1 ? form_.targetKind : wxNOT_FOUND);
    grid->Add(KindBox, 0);

    label(kStrArea);
    wxBoxSizer* areaLine = line();
    AreaBox = new wxChoice(this, 1173);
    areaLine->Add(AreaBox, 0, wxALIGN_CENTER_VERTICAL);
    CodeLabel = new wxStaticText(this, 1244, "00");
    areaLine->Add(CodeLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 3);
    areaLine->Add(new wxStaticText(this, wxID_ANY, Res(kStrAddress)), 0,
                  wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    AddressEdit = new wxTextCtrl(this, kDsAddress, form_.address);
    AddressEdit->SetMinSize(wxSize(AddressEdit->GetTextExtent("000000").x + 16, -1));
    areaLine->Add(AddressEdit, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);

    label(kStrDataType);
    TypeBox = new wxChoice(this, 1113);
    for (int t = 0; t < kDataTypeCount; ++t)
        TypeBox->Append(GetDataTypeName(t));
    TypeBox->SetSelection(form_.targetKind == 1 && form_.dataType < kDataTypeCount ? form_.dataType
                          : form_.targetKind == 1                                  ? wxNOT_FOUND
                                                                                   : 0);
    grid->Add(TypeBox, 0);

    label(kStrValue);
    wxBoxSizer* valueLine = line();
    ValueEdit = new wxTextCtrl(this, kDsValue, form_.value);
    ValueEdit->SetMaxLength(kValueChars);
    ValueEdit->SetMinSize(wxSize(ValueEdit->GetTextExtent(wxString('0', 21)).x, -1));
    valueLine->Add(ValueEdit, 0, wxALIGN_CENTER_VERTICAL);
    OnOffBox = new wxChoice(this, 1177);
    OnOffBox->Append("OFF");
    OnOffBox->Append("ON");
    OnOffBox->SetSelection(form_.targetKind == 0 && form_.onOff <= 1 ? form_.onOff : wxNOT_FOUND);
    valueLine->Add(OnOffBox, 0, wxALIGN_CENTER_VERTICAL);

    label(kStrOption);
    OptionBox = new wxChoice(this, 1241);
    OptionBox->Append(Res(60400));
    OptionBox->Append(Res(60401));
    OptionBox->SetSelection(form_.option <= 1 ? form_.option : wxNOT_FOUND);
    grid->Add(OptionBox, 0);

    label(kStrTrigger);
    wxBoxSizer* triggerLine = line();
    TriggerBox = new wxChoice(this, kDsTrigger);
    triggerLine->Add(TriggerBox, 0, wxALIGN_CENTER_VERTICAL);
    TriggerButton = new wxButton(this, 1190, Res(kStrTriggerList));
    triggerLine->Add(TriggerButton, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);

    label(kStrTrigger2);
    Trigger2Box = new wxChoice(this, kDsTrigger2);
    grid->Add(Trigger2Box, 0);
    FillTriggers();
    SelectTrigger(TriggerBox, form_.trigger);
    SelectTrigger(Trigger2Box, form_.trigger2);
    lastTrigger_ = TriggerBox->GetSelection();
    lastTrigger2_ = Trigger2Box->GetSelection();

    grid->AddSpacer(0);
    wxBoxSizer* flagLine = line();
    FlagFirst = new wxRadioButton(this, 1017, Res(kStrFlagFirst), wxDefaultPosition, wxDefaultSize,
                                  wxRB_GROUP);
    FlagSecond = new wxRadioButton(this, 1018, Res(kStrFlagSecond));
    (form_.flag == 0 ? FlagFirst : FlagSecond)->SetValue(true);
    EnabledCheck = new wxCheckBox(this, 1217, Res(kStrEnabled));
    EnabledCheck->SetValue(form_.unchecked == 0);
    flagLine->Add(FlagFirst, 0, wxALIGN_CENTER_VERTICAL);
    flagLine->Add(FlagSecond, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    flagLine->Add(EnabledCheck, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 16);

    PortInfo = new CComInfoDlg(this, &doc);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(grid, 1, wxALL, 10);
    top->Add(PortInfo, 0, wxTOP | wxRIGHT, 10);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND);
    sizer->Add(CreateButtons(wxOK | wxCANCEL), 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizer(sizer);

    FilterEdit(AddressEdit, [this] {
        return PortUsesFuncCodes(SelectedPort(), doc_.Blocks().unit) ? CharClass::Hex
               : SelectedKind() == 0                                 ? CharClass::Hex
                                                                     : CharClass::Digits;
    });
    FilterEdit(ValueEdit, [this] {
        const int t = SelectedType();
        return t == 2 || t == 5             ? CharClass::Hex
               : t == 1 || t == 4 || t == 8 ? CharClass::Digits
               : t == 6                     ? CharClass::DecimalNumber
                                            : CharClass::SignedDigits;
    });
    PortBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateItemControls(); });
    KindBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateItemControls(); });
    TypeBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateItemControls(); });
    AreaBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowCode(); });
    TriggerBox->Bind(wxEVT_CHOICE,
                     [this](wxCommandEvent&) { OnTriggerChange(TriggerBox, lastTrigger_); });
    Trigger2Box->Bind(wxEVT_CHOICE,
                      [this](wxCommandEvent&) { OnTriggerChange(Trigger2Box, lastTrigger2_); });
    TriggerButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTriggerList(); });
    StationButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CStationDlg stations(this, doc_, SelectedPort());
        stations.ShowModal();
        ShowStationText();
    });
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            if (Store())
                EndModal(wxID_OK);
        },
        wxID_OK);

    UpdateItemControls();
    GetSizer()->SetSizeHints(this);
    NameEdit->SetFocus();
}

int CDataSetDlg::SelectedPort() const {
    const int sel = Selection(PortBox);
    return sel >= 0 ? sel : form_.port;
}

int CDataSetDlg::SelectedKind() const {
    const int sel = Selection(KindBox);
    return sel >= 0 ? sel : form_.targetKind;
}

int CDataSetDlg::SelectedType() const {
    const int sel = Selection(TypeBox);
    return sel >= 0 ? sel : form_.dataType;
}

void CDataSetDlg::UpdateItemControls() {
    const UnitBlock& unit = doc_.Blocks().unit;
    const int port = SelectedPort();
    const int kind = SelectedKind();
    const std::vector<AreaItem> areas = DataSetAreas(port, kind, unit);
    AreaBox->Clear();
    for (const AreaItem& a : areas)
        AreaBox->Append(a.text);
    const int entry = DataSetAreaEntry(areas, form_.area);
    if (entry >= 0)
        AreaBox->SetSelection(entry);
    areaCodes_.clear();
    for (const AreaItem& a : areas)
        areaCodes_.push_back(a.code);
    AddressEdit->SetMaxLength(DataSetAddressChars(port, kind, unit));
    StationButton->Enable(port == 1 || port == 2);
    const bool contact = kind == 0;
    OnOffBox->Show(contact);
    TypeBox->Show(!contact);
    ValueEdit->Show(!contact);
    if (contact && TypeBox->GetSelection() != 0)
        TypeBox->SetSelection(0);
    if (!contact && OnOffBox->GetSelection() != 0)
        OnOffBox->SetSelection(0);
    CodeLabel->Show(PortUsesFuncCodes(port, unit));
    OptionBox->Enable(!contact && DataSetOptionEnabled(port, SelectedType(), unit));
    ShowStationText();
    ShowCode();
    Layout();
}

void CDataSetDlg::ShowStationText() {
    const int port = SelectedPort();
    StationText->SetValue(DataSetStationText(port, doc_.stationFlags, doc_.Blocks().unit));
    StationText->Enable(port == 1 || port == 2);
}

void CDataSetDlg::ShowCode() {
    const int sel = AreaBox->GetSelection();
    if (sel < 0 || static_cast<size_t>(sel) >= areaCodes_.size()) {
        CodeLabel->SetLabel(wxString());
        return;
    }
    CodeLabel->SetLabel(wxString::Format(
        "%02X", ShownFuncCode(areaCodes_[static_cast<size_t>(sel)], SelectedType())));
}

void CDataSetDlg::FillTriggers() {
    FillTriggerCombo(excluded_, *TriggerBox, triggers_, Trigger2Box, true);
}

void CDataSetDlg::SelectTrigger(wxChoice* box, int number) {
    for (unsigned i = 0; i < box->GetCount(); ++i)
        if (TriggerNumberOf(*box, static_cast<int>(i)) == number) {
            box->SetSelection(static_cast<int>(i));
            return;
        }
    box->SetSelection(wxNOT_FOUND); // a number no entry has: kept as stored
}

void CDataSetDlg::OnTriggerChange(wxChoice* box, int& lastAccepted) {
    const int sel = box->GetSelection();
    if (sel >= 0 && static_cast<size_t>(sel) < excluded_.size() && excluded_[sel]) {
        box->SetSelection(lastAccepted);
        ShowMessageId(kMsgExcludedTrigger, kMbOk);
        box->SetFocus();
        return;
    }
    lastAccepted = sel;
}

void CDataSetDlg::OnTriggerList() {
    DataSetForm now = ReadForm();
    OpenerWorkingCopy opener;
    opener.kind = OpenerWorkingCopy::Kind::DataSet;
    opener.dataSetIndex = index_;
    opener.dataSet = doc_.Blocks().dataSets[static_cast<size_t>(index_)];
    opener.dataSet.SetU8(dset::kTrigger, static_cast<uint8_t>(now.trigger));
    opener.dataSet.SetU8(dset::kTrigger2, static_cast<uint8_t>(now.trigger2));
    bool changed = false;
    const int chosen = RunTriggerChooser(this, doc_, now.trigger - 1, &changed, &opener);
    // The trigger editor may have cleared this data set's references.
    int trigger = chosen > 0 ? chosen : opener.dataSet.U8(dset::kTrigger);
    int trigger2 = opener.dataSet.U8(dset::kTrigger2);
    if (changed) {
        triggers_ = doc_.Blocks().triggers;
        FillTriggers();
    }
    auto usable = [this](int number) {
        return number <= 0 || number > 256 || !IsRestrictedTrigger(triggers_[number - 1]);
    };
    if (!usable(trigger))
        trigger = 0;
    if (!usable(trigger2))
        trigger2 = 0;
    form_.trigger = trigger;
    form_.trigger2 = trigger2;
    SelectTrigger(TriggerBox, trigger);
    SelectTrigger(Trigger2Box, trigger2);
    lastTrigger_ = TriggerBox->GetSelection();
    lastTrigger2_ = Trigger2Box->GetSelection();
}

DataSetForm CDataSetDlg::ReadForm() const {
    DataSetForm f = form_;
    f.name = NameEdit->GetValue().ToStdWstring();
    f.port = SelectedPort();
    f.targetKind = SelectedKind();
    const int area = AreaBox->GetSelection();
    if (area >= 0 && static_cast<size_t>(area) < areaCodes_.size())
        f.area = areaCodes_[static_cast<size_t>(area)];
    f.address = AddressEdit->GetValue().ToStdWstring();
    f.dataType = SelectedType();
    f.value = ValueEdit->GetValue().ToStdWstring();
    if (OnOffBox->GetSelection() >= 0)
        f.onOff = OnOffBox->GetSelection();
    if (OptionBox->GetSelection() >= 0)
        f.option = OptionBox->GetSelection();
    if (TriggerBox->GetSelection() >= 0)
        f.trigger = TriggerNumberOf(*TriggerBox, TriggerBox->GetSelection());
    if (Trigger2Box->GetSelection() >= 0)
        f.trigger2 = TriggerNumberOf(*Trigger2Box, Trigger2Box->GetSelection());
    f.flag = FlagFirst->GetValue() ? 0 : (form_.flag != 0 ? form_.flag : 1);
    f.unchecked = EnabledCheck->GetValue() ? 0 : (form_.unchecked != 0 ? form_.unchecked : 1);
    return f;
}

wxWindow* CDataSetDlg::FieldWindow(int field) const {
    switch (field) {
    case kDsName:
        return NameEdit;
    case kDsPort:
        return PortBox;
    case kDsAddress:
        return AddressEdit;
    case kDsValue:
        return ValueEdit;
    default:
        return nullptr;
    }
}

bool CDataSetDlg::Store() {
    StationList list{};
    const size_t count = doc_.GetSelectedStations(list);
    const std::vector<uint32_t> stations(list.begin(), list.begin() + static_cast<long>(count));
    // The document's table as it is now: the trigger editor may have cleaned
    // references in it while this editor was open.
    DataSetTable table = doc_.Blocks().dataSets;
    BoxQuestions questions;
    const DataSetStore result =
        StoreDataSets(table, index_, ReadForm(), stations, doc_.Blocks().unit, CodePage, questions);
    if (result.refusal.Refused()) {
        ShowMessageFocus(RefusalText(result.refusal), FieldWindow(result.refusal.field));
        return false;
    }
    if (!result.stored)
        return false;
    doc_.SetDataSetTable(table);
    return true;
}

} // namespace qv
