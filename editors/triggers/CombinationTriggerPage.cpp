#include "editors/triggers/CombinationTriggerPage.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrFirst = 37312, kStrOperator = 37313, kStrSecond = 37314;

} // namespace

CTrigCombiDlg::CTrigCombiDlg(wxWindow* editor, const TriggerPageContext& context)
    : CTrigDlgBase(editor, context) {
    auto* grid = new wxFlexGridSizer(2, wxSize(10, 6));
    grid->AddGrowableCol(1);
    auto list = [&](unsigned label) {
        grid->Add(new wxStaticText(this, wxID_ANY, Res(label)), 0, wxALIGN_CENTER_VERTICAL);
        auto* c = new wxChoice(this, wxID_ANY);
        grid->Add(c, 1, wxEXPAND);
        return c;
    };
    // Created in tab order, as the combination reads.
    FirstList = list(kStrFirst);
    OperatorList = list(kStrOperator);
    SecondList = list(kStrSecond);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(grid, 0, wxEXPAND | wxALL, 10);
    SetSizer(column);

    wxArrayString operands;
    for (const TriggerChoice& item : CombinationOperandItems(Triggers, CodePage))
        operands.Add(item.text);
    FirstList->Append(operands);
    SecondList->Append(operands);
    for (const std::wstring& item : CombinationOperatorItems())
        OperatorList->Append(item);

    form_ = LoadCombinationForm(Triggers, Index);
    FirstList->SetSelection(form_.first);
    SecondList->SetSelection(form_.second);
    OperatorList->SetSelection(form_.op);

    FirstList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnOperandChosen(kCombiFieldFirst); });
    SecondList->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnOperandChosen(kCombiFieldSecond); });
}

void CTrigCombiDlg::OnOperandChosen(CombinationField box) {
    auto* list = static_cast<wxChoice*>(FieldWindow(box));
    const Refusal refusal = ChooseCombinationOperand(Triggers, box, list->GetSelection(), form_);
    if (!refusal.Refused())
        return;
    list->SetSelection(box == kCombiFieldFirst ? form_.first : form_.second);
    ShowMessageFocus(RefusalText(refusal), list);
}

Refusal CTrigCombiDlg::SaveTrigger(TriggerRecord& record) {
    form_.first = FirstList->GetSelection();
    form_.second = SecondList->GetSelection();
    form_.op = OperatorList->GetSelection();
    Refusal refusal = CheckCombinationForm(form_, Triggers, Index);
    if (refusal.Refused())
        return refusal;
    TriggerTable table = Triggers;
    StoreCombinationForm(form_, table, Index);
    // The name belongs to the editor.
    for (size_t i = trig::kKind; i < TriggerRecord::kSize; ++i)
        record.SetU8(i, table[Index].U8(i));
    return refusal;
}

wxWindow* CTrigCombiDlg::FieldWindow(int field) {
    switch (field) {
    case kCombiFieldFirst:
        return FirstList;
    case kCombiFieldOperator:
        return OperatorList;
    case kCombiFieldSecond:
        return SecondList;
    default:
        return nullptr;
    }
}

CTrigDlgBase* CreateCombinationTriggerPage(wxWindow* editor, const TriggerPageContext& context) {
    return new CTrigCombiDlg(editor, context);
}

} // namespace qv
