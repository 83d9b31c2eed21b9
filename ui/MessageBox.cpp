#include "ui/MessageBox.h"

#include <vector>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "ui/StdButtons.h"

namespace qv {

wxIMPLEMENT_CLASS(CMessageBox, wxDialog);

namespace {

// About fifty characters of Latin text, as the desktop's own boxes.
constexpr int kTextWidth = 400;

bool IsWide(wxUniChar c) {
    return c.GetValue() >= 0x2E80;
}

bool ClosingMark(wxUniChar c) {
    static const wxString marks = L"、。，．,.：；:;！？!?）」』】〕〉》”’)]}ー・…";
    return marks.Find(c) != wxNOT_FOUND;
}

bool OpeningMark(wxUniChar c) {
    static const wxString marks = L"（「『【〔〈《“‘([{";
    return marks.Find(c) != wxNOT_FOUND;
}

bool BreakBetween(wxUniChar before, wxUniChar after) {
    if (before == ' ')
        return after != ' ';
    if (after == ' ')
        return false;
    return (IsWide(before) || IsWide(after)) && !ClosingMark(after) && !OpeningMark(before);
}

wxString WrapParagraph(const wxWindow& window, const wxString& paragraph, int width) {
    std::vector<wxString> pieces; // a line may end after each
    wxString piece;
    for (size_t i = 0; i < paragraph.length(); ++i) {
        if (i > 0 && BreakBetween(paragraph[i - 1], paragraph[i])) {
            pieces.push_back(piece);
            piece.clear();
        }
        piece += paragraph[i];
    }
    pieces.push_back(piece);

    wxString out, line;
    for (const wxString& p : pieces) {
        wxString longer = line + p;
        if (!line.empty() && window.GetTextExtent(wxString(longer).Trim()).x > width) {
            out += wxString(line).Trim() + "\n";
            line = p;
        } else {
            line = longer;
        }
    }
    return out + line.Trim();
}

} // namespace

wxString WrapMessageText(const wxWindow& window, const wxString& text, int width) {
    wxString plain = text;
    plain.Replace("\r\n", "\n");
    wxString out;
    size_t start = 0;
    for (;;) {
        const size_t end = plain.find('\n', start);
        out += WrapParagraph(window, plain.substr(start, end - start), width);
        if (end == wxString::npos)
            return out;
        out += "\n";
        start = end + 1;
    }
}

CMessageBox::CMessageBox(wxWindow* parent, const wxString& text, const wxString& caption,
                         long style)
    : wxMessageDialogBase(parent, text, caption, style) {}

void CMessageBox::Build() {
    if (built_)
        return;
    built_ = true;
    Create(m_parent, wxID_ANY, m_caption);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    if (GetEffectiveIcon() != wxICON_NONE) {
        const wxIcon icon = wxArtProvider::GetMessageBoxIcon(GetEffectiveIcon());
        if (icon.IsOk())
            body->Add(new wxStaticBitmap(this, wxID_ANY, icon), 0, wxRIGHT, FromDIP(12));
    }
    auto* text = new wxStaticText(this, wxID_ANY, wxString());
    // As written: an "&" in a message is no mnemonic.
    text->SetLabelText(WrapMessageText(*this, GetMessage(), FromDIP(kTextWidth)));
    body->Add(text, 1, wxALIGN_CENTER_VERTICAL);

    const long style = GetMessageDialogStyle();
    const long buttons = style & (wxOK | wxCANCEL | wxYES_NO | wxNO_DEFAULT | wxCANCEL_DEFAULT);
    auto labelOf = [this](int id) {
        switch (id) {
        case wxID_OK:
            return GetOKLabel();
        case wxID_CANCEL:
            return GetCancelLabel();
        case wxID_YES:
            return GetYesLabel();
        default:
            return GetNoLabel();
        }
    };
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(body, 1, wxEXPAND | wxALL, FromDIP(12));
    column->Add(CreateStdButtons(this, buttons, false, labelOf), 0,
                wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(column);
    if (!(buttons & (wxCANCEL | wxNO)))
        SetEscapeId(wxID_OK);
    // Every button ends the box with its own id (a dialog ends only on OK
    // and Cancel by itself).
    for (int id : {wxID_OK, wxID_CANCEL, wxID_YES, wxID_NO})
        Bind(
            wxEVT_BUTTON,
            [this](wxCommandEvent& e) {
                if (IsModal()) {
                    EndModal(e.GetId());
                } else {
                    SetReturnCode(e.GetId());
                    Hide();
                }
            },
            id);
    // Enter answers the default button, also where the focus would start
    // on another one.
    if (wxWindow* answer = GetDefaultItem())
        answer->SetFocus();
    CentreOnParent();
}

int CMessageBox::ShowModal() {
    Build();
    return wxMessageDialogBase::ShowModal();
}

} // namespace qv
