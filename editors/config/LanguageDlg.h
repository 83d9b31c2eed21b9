// The language pane: the interface language used from the next start.
#pragma once
#include <vector>

#include "editors/config/ConfigPane.h"

class wxChoice;

namespace qv {

class CLanguageDlg : public CConfigPane {
public:
    CLanguageDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies);

    // Hands the chosen language to the host; never refuses.
    int SaveToParent() override;
    void OnSelchangeLanguage();

    int ChosenLanguage;
    wxChoice* LanguageBox;

private:
    std::vector<int> offered_;
};

} // namespace qv
