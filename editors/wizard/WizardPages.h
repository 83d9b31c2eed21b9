// The four pages of the settings wizard. Each moves its controls in and out
// of the wizard's model; the wizard frame shows what the model refuses.
#pragma once
#include <wx/panel.h>

#include "editors/wizard/WizardModel.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class IpAddressCtrl;

class CWizardPage : public wxPanel {
public:
    CWizardPage(wxWindow* parent, WizardModel& model);
    // The page's check before Next (and Add); empty when accepted.
    virtual Refusal Check() { return {}; }
    // The page's fields into the model.
    virtual Refusal Save() = 0;
    // The control a refused field stands for.
    virtual wxWindow* FieldWindow(int field) = 0;

protected:
    wxStaticText* Label(unsigned id);
    // A label and its control in the page's grid.
    void AddRow(wxSizer* grid, unsigned label, wxWindow* control);

    WizardModel& model_;
};

class CWizardInitDlg : public CWizardPage {
public:
    CWizardInitDlg(wxWindow* parent, WizardModel& model);
    Refusal Save() override;
    wxWindow* FieldWindow(int field) override;

    wxTextCtrl* NameEdit = nullptr;
    IpAddressCtrl* Address = nullptr;
    wxRadioButton* OptionOn = nullptr;
    wxRadioButton* OptionOff = nullptr;
};

class CWizardFileDlg : public CWizardPage {
public:
    CWizardFileDlg(wxWindow* parent, WizardModel& model);
    Refusal Check() override;
    Refusal Save() override;
    wxWindow* FieldWindow(int field) override;

    wxTextCtrl* NameEdit = nullptr;
    wxRadioButton* Interval[3] = {};

private:
    WizardFileForm ReadForm() const;
    void OnNameKey(wxKeyEvent& event);
};

class CWizardDeviceDlg : public CWizardPage {
public:
    CWizardDeviceDlg(wxWindow* parent, WizardModel& model);
    Refusal Check() override;
    Refusal Save() override;
    wxWindow* FieldWindow(int field) override;
    // The model's shown row in the controls.
    void ShowDeviceRecord();

    wxStaticText* Counter = nullptr;
    wxTextCtrl* NameEdit = nullptr;
    wxChoice* PortBox = nullptr;
    wxChoice* StationBox = nullptr;
    wxTextCtrl* RegisterEdit = nullptr;
    wxChoice* TypeBox = nullptr;
    wxChoice* ModeBox = nullptr;
    wxChoice* DifferenceBox = nullptr;
    wxChoice* ScalingBox = nullptr;
    wxTextCtrl* ScaleEdit = nullptr;
    wxTextCtrl* UnitEdit = nullptr;
    wxButton* PreviousButton = nullptr;
    wxButton* NextButton = nullptr;
    wxButton* PresetButton = nullptr;

private:
    WizardDeviceForm ReadForm() const;
    void ShowForm(const WizardDeviceForm& form);
    void UpdateEnabled();
    void MoveRow(int delta);
    void ShowNameBalloon(unsigned messageId);

    std::vector<int> stations_;
};

class CWizardChkDlg : public CWizardPage {
public:
    CWizardChkDlg(wxWindow* parent, WizardModel& model);
    Refusal Save() override { return {}; }
    wxWindow* FieldWindow(int) override { return nullptr; }

    wxCheckBox* WriteCheck = nullptr;
};

// Shows a refusal of a page: a balloon on a name, else a message and the
// focus on the failing control.
void ShowWizardRefusal(const Refusal& refusal, CWizardPage& page);

} // namespace qv
