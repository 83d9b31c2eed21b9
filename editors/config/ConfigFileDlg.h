// The log-file options pane of the system settings dialog.
#pragma once
#include <array>

#include "editors/config/ConfigFileModel.h"
#include "editors/config/ConfigPane.h"

class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;

namespace qv {

class CConfigFileDlg : public CConfigPane {
public:
    CConfigFileDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);

    int SaveToParent() override;
    void UpdateFileNamePreview();

    ErrorNotifyBlock ErrorCopy;
    FileTable FileCopy;

    wxCheckBox* TitleRowCheck;
    wxCheckBox* UnitRowCheck;
    std::array<wxCheckBox*, 7> ColumnChecks;
    wxRadioButton* SeparatorRadio[2];
    wxRadioButton* DateOrderRadio[2];
    wxRadioButton* LineEndRadio[2];
    wxRadioButton* StorageRadio[2];
    wxRadioButton* WhenFullRadio[2];
    std::array<wxCheckBox*, 5> NameChecks; // in the order of LogNamePart
    wxStaticText* ExampleText;
    wxChoice* DecimalsBox;
    wxCheckBox* MidnightCheck;
    wxCheckBox* SystemHistoryCheck;
    wxCheckBox* TriggerHistoryCheck;

private:
    void TransferToWindow(const ConfigFileForm& form);
    ConfigFileForm TransferFromWindow() const;
};

} // namespace qv
