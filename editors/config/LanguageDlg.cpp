#include "editors/config/LanguageDlg.h"

#include <sys/stat.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/ProgramFolder.h"
#include "app/QuorvelApp.h"
#include "editors/config/LanguageModel.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrLanguageLabel = 46055;

uint64_t SizeBesideProgram(const std::string& name) {
    const std::string folder = ProgramFolder();
    struct stat st {};
    if (folder.empty() || stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return static_cast<uint64_t>(st.st_size);
}

} // namespace

CLanguageDlg::CLanguageDlg(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies)
    : CConfigPane(parent, doc, copies), ChosenLanguage(copies.language) {
    LanguageBox = new wxChoice(this, 3);
    offered_ = OfferedLanguages(wxGetApp().Profile(), SizeBesideProgram);
    for (int language : offered_)
        LanguageBox->Append(Res(kStrLanguageNames[language]));
    const int at = LanguageSelection(offered_, ChosenLanguage, wxGetApp().languageIndex);
    // Only a choice the user makes changes the stored language.
    LanguageBox->SetSelection(at);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, Res(kStrLanguageLabel)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    row->Add(LanguageBox, 0, wxALIGN_CENTER_VERTICAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(row, 0, wxALL, 5);
    SetSizer(sizer);

    LanguageBox->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeLanguage(); });
}

void CLanguageDlg::OnSelchangeLanguage() {
    const int sel = LanguageBox->GetSelection();
    if (sel >= 0 && static_cast<size_t>(sel) < offered_.size())
        ChosenLanguage = offered_[static_cast<size_t>(sel)];
}

int CLanguageDlg::SaveToParent() {
    Copies.language = ChosenLanguage;
    return 0;
}

} // namespace qv
