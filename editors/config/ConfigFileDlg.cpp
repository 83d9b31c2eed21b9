#include "editors/config/ConfigFileDlg.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "resources/SystemSettingsTexts.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

using namespace systemtext;

const int kColumnIds[7] = {1407, 1028, 1409, 1410, 1411, 1113, 1412};
const int kNameIds[5] = {1136, 1418, 1419, 1421, 1424};

// A titled group of two radio buttons, the first starting its own group.
wxStaticBoxSizer* RadioPair(wxWindow* parent, unsigned title, wxRadioButton* (&pair)[2],
                            int firstId, int secondId, unsigned first, unsigned second) {
    auto* box = NewFrameSizer(wxVERTICAL, parent, Res(title));
    pair[0] = new wxRadioButton(box->GetStaticBox(), firstId, Res(first), wxDefaultPosition,
                                wxDefaultSize, wxRB_GROUP);
    pair[1] = new wxRadioButton(box->GetStaticBox(), secondId, Res(second));
    box->Add(pair[0], 0, wxALL, 3);
    box->Add(pair[1], 0, wxALL, 3);
    return box;
}

} // namespace

CConfigFileDlg::CConfigFileDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), ErrorCopy(copies.errors), FileCopy(copies.files) {
    auto* contents = NewFrameSizer(wxVERTICAL, this, Res(kContents));
    wxWindow* contentsBox = contents->GetStaticBox();
    TitleRowCheck = new wxCheckBox(contentsBox, 1401, Res(kTitleRow));
    UnitRowCheck = new wxCheckBox(contentsBox, 1402, Res(kUnitRow));
    contents->Add(TitleRowCheck, 0, wxALL, 3);
    contents->Add(UnitRowCheck, 0, wxALL, 3);
    contents->Add(new wxStaticText(contentsBox, wxID_ANY, Res(kColumns)), 0, wxALL, 3);
    auto* columns = new wxGridSizer(2, 2, 10);
    for (size_t c = 0; c < ColumnChecks.size(); ++c) {
        ColumnChecks[c] = new wxCheckBox(contentsBox, kColumnIds[c],
                                         Res(kFirstColumn + static_cast<unsigned>(c)));
        columns->Add(ColumnChecks[c]);
    }
    contents->Add(columns, 0, wxLEFT | wxBOTTOM, 10);
    auto* decimalsRow = new wxBoxSizer(wxHORIZONTAL);
    DecimalsBox = new wxChoice(contentsBox, 1214);
    for (int d = 0; d <= kDecimalsMax; ++d)
        DecimalsBox->Append(wxString::Format("%d", d));
    decimalsRow->Add(new wxStaticText(contentsBox, wxID_ANY, Res(kDecimals)), 0,
                     wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    decimalsRow->Add(DecimalsBox, 0, wxALIGN_CENTER_VERTICAL);
    contents->Add(decimalsRow, 0, wxALL, 3);

    auto* formats = new wxBoxSizer(wxVERTICAL);
    formats->Add(RadioPair(this, kSeparator, SeparatorRadio, 1152, 1406, kComma, kTab), 0,
                 wxEXPAND | wxBOTTOM, 5);
    formats->Add(RadioPair(this, kDateOrder, DateOrderRadio, 1413, 1414, kYearFirst, kDayFirst), 0,
                 wxEXPAND | wxBOTTOM, 5);
    formats->Add(RadioPair(this, kLineEnd, LineEndRadio, 1415, 1416, kCrLf, kLf), 0, wxEXPAND);

    auto* storage = new wxBoxSizer(wxVERTICAL);
    storage->Add(RadioPair(this, kStorage, StorageRadio, 1403, 1404, kCard, kRam), 0,
                 wxEXPAND | wxBOTTOM, 5);
    storage->Add(RadioPair(this, kWhenFull, WhenFullRadio, 1186, 1187, kOverwrite, kStop), 0,
                 wxEXPAND);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(contents, 0, wxEXPAND | wxRIGHT, 5);
    top->Add(formats, 0, wxEXPAND | wxRIGHT, 5);
    top->Add(storage, 0, wxEXPAND);

    auto* name = NewFrameSizer(wxVERTICAL, this, Res(kFileName));
    wxWindow* nameBox = name->GetStaticBox();
    auto* nameGrid = new wxGridSizer(3, 2, 10);
    for (size_t p = 0; p < NameChecks.size(); ++p) {
        NameChecks[p] =
            new wxCheckBox(nameBox, kNameIds[p], Res(kFirstNamePart + static_cast<unsigned>(p)));
        nameGrid->Add(NameChecks[p]);
        NameChecks[p]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateFileNamePreview(); });
    }
    name->Add(nameGrid, 0, wxALL, 3);
    auto* exampleRow = new wxBoxSizer(wxHORIZONTAL);
    ExampleText = new wxStaticText(nameBox, 1422, wxString());
    exampleRow->Add(new wxStaticText(nameBox, wxID_ANY, Res(kExample)), 0, wxRIGHT, 5);
    exampleRow->Add(ExampleText, 1);
    name->Add(exampleRow, 0, wxEXPAND | wxALL, 3);

    MidnightCheck = new wxCheckBox(this, 1423, Res(kMidnight));
    SystemHistoryCheck = new wxCheckBox(this, 1405, Res(kSystemHistory));
    TriggerHistoryCheck = new wxCheckBox(this, 1408, Res(kTriggerHistory));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 0, wxEXPAND | wxBOTTOM, 5);
    sizer->Add(name, 0, wxEXPAND | wxBOTTOM, 5);
    sizer->Add(MidnightCheck, 0, wxALL, 3);
    sizer->Add(SystemHistoryCheck, 0, wxALL, 3);
    sizer->Add(TriggerHistoryCheck, 0, wxALL, 3);
    SetSizer(sizer);

    TransferToWindow(LoadConfigFile(ErrorCopy, FileCopy));
}

void CConfigFileDlg::TransferToWindow(const ConfigFileForm& form) {
    TitleRowCheck->SetValue(form.titleRow);
    UnitRowCheck->SetValue(form.unitRow);
    for (size_t c = 0; c < ColumnChecks.size(); ++c)
        ColumnChecks[c]->SetValue(form.columns[c]);
    SeparatorRadio[form.separator ? 1 : 0]->SetValue(true);
    DateOrderRadio[form.dateOrder ? 1 : 0]->SetValue(true);
    LineEndRadio[form.lineEnd ? 1 : 0]->SetValue(true);
    StorageRadio[form.storage ? 1 : 0]->SetValue(true);
    WhenFullRadio[form.whenFull ? 1 : 0]->SetValue(true);
    for (size_t p = 0; p < NameChecks.size(); ++p)
        NameChecks[p]->SetValue(form.nameParts[p]);
    // A stored value the box does not offer shows no entry and is kept.
    DecimalsBox->SetSelection(form.decimals);
    UpdateFileNamePreview();
    MidnightCheck->SetValue(form.closeAtMidnight);
    SystemHistoryCheck->SetValue(form.systemHistory);
    TriggerHistoryCheck->SetValue(form.triggerHistory);
}

ConfigFileForm CConfigFileDlg::TransferFromWindow() const {
    ConfigFileForm form;
    form.titleRow = TitleRowCheck->GetValue();
    form.unitRow = UnitRowCheck->GetValue();
    for (size_t c = 0; c < ColumnChecks.size(); ++c)
        form.columns[c] = ColumnChecks[c]->GetValue();
    form.separator = SeparatorRadio[1]->GetValue();
    form.dateOrder = DateOrderRadio[1]->GetValue();
    form.lineEnd = LineEndRadio[1]->GetValue();
    form.storage = StorageRadio[1]->GetValue();
    form.whenFull = WhenFullRadio[1]->GetValue();
    for (size_t p = 0; p < NameChecks.size(); ++p)
        form.nameParts[p] = NameChecks[p]->GetValue();
    form.decimals = DecimalsBox->GetSelection();
    form.closeAtMidnight = MidnightCheck->GetValue();
    form.systemHistory = SystemHistoryCheck->GetValue();
    form.triggerHistory = TriggerHistoryCheck->GetValue();
    return form;
}

void CConfigFileDlg::UpdateFileNamePreview() {
    std::array<bool, 5> parts{};
    for (size_t p = 0; p < NameChecks.size(); ++p)
        parts[p] = NameChecks[p]->GetValue();
    // The leading blank belongs to the example; the label shows the rest.
    ExampleText->SetLabel(wxString(ExampleLogFileName(parts)).Trim(false));
    if (GetSizer())
        Layout();
}

int CConfigFileDlg::SaveToParent() {
    StoreConfigFile(TransferFromWindow(), ErrorCopy, FileCopy);
    Copies.errors = ErrorCopy;
    Copies.files = FileCopy;
    return 0;
}

} // namespace qv
