#include "ui/IpAddressCtrl.h"

#include <wx/clipbrd.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace qv {

namespace {

// -1 for an empty field or one that is not an octet.
int OctetOf(const wxTextCtrl* field) {
    const wxString text = field->GetValue();
    if (text.empty() || text.length() > 3)
        return -1;
    int value = 0;
    for (wxUniChar c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + static_cast<int>(c.GetValue() - '0');
    }
    return value <= 255 ? value : -1;
}

} // namespace

IpAddressCtrl::IpAddressCtrl(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const int width = GetTextExtent("0000").x + 12;
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            row->Add(new wxStaticText(this, wxID_ANY, "."), 0, wxALIGN_BOTTOM | wxLEFT | wxRIGHT,
                     2);
        auto* field = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                     wxSize(width, -1), wxTE_CENTRE);
        field->SetMaxLength(3);
        field->Bind(wxEVT_CHAR, [this, i](wxKeyEvent& e) { OnChar(i, e); });
        field->Bind(wxEVT_TEXT_PASTE, [this, i](wxClipboardTextEvent& e) { OnPaste(i, e); });
        field->Bind(wxEVT_TEXT, [this, i](wxCommandEvent&) { OnText(i); });
        fields_[static_cast<size_t>(i)] = field;
        row->Add(field, 0, wxALIGN_CENTER_VERTICAL);
    }
    SetSizerAndFit(row);
}

void IpAddressCtrl::SetAddress(uint32_t address) {
    for (int i = 0; i < 4; ++i)
        fields_[static_cast<size_t>(i)]->ChangeValue(
            wxString::Format("%u", (address >> (24 - 8 * i)) & 0xFFu));
}

bool IpAddressCtrl::GetAddress(uint32_t& address) const {
    uint8_t bytes[4];
    if (!GetOctets(bytes))
        return false;
    address = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
              bytes[3];
    return true;
}

void IpAddressCtrl::SetOctets(const uint8_t* bytes) {
    for (size_t i = 0; i < 4; ++i)
        fields_[i]->ChangeValue(wxString::Format("%u", unsigned{bytes[i]}));
}

bool IpAddressCtrl::GetOctets(uint8_t* bytes) const {
    if (InvalidField() >= 0)
        return false;
    for (size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(OctetOf(fields_[i]));
    return true;
}

bool IpAddressCtrl::IsBlank() const {
    for (const wxTextCtrl* field : fields_)
        if (!field->GetValue().empty())
            return false;
    return true;
}

void IpAddressCtrl::ClearAddress() {
    for (wxTextCtrl* field : fields_)
        field->ChangeValue(wxEmptyString);
}

int IpAddressCtrl::InvalidField() const {
    for (int i = 0; i < 4; ++i)
        if (OctetOf(fields_[static_cast<size_t>(i)]) < 0)
            return i;
    return -1;
}

void IpAddressCtrl::FocusField(int index) {
    if (index < 0 || index > 3)
        return;
    wxTextCtrl* field = fields_[static_cast<size_t>(index)];
    field->SetFocus();
    field->SelectAll();
}

bool IpAddressCtrl::Enable(bool enable) {
    // The children carry the look; the panel alone would leave them active.
    for (wxTextCtrl* field : fields_)
        field->Enable(enable);
    return wxPanel::Enable(enable);
}

void IpAddressCtrl::SetFocus() {
    FocusField(0);
}

void IpAddressCtrl::OnChar(int index, wxKeyEvent& event) {
    const int key = event.GetUnicodeKey();
    if (key == WXK_NONE || key < 0x20 || key == WXK_DELETE) {
        // Backspace at the start of an empty field goes back to the one before.
        wxTextCtrl* field = fields_[static_cast<size_t>(index)];
        if (event.GetKeyCode() == WXK_BACK && index > 0 && field->GetInsertionPoint() == 0 &&
            !field->HasSelection()) {
            wxTextCtrl* before = fields_[static_cast<size_t>(index - 1)];
            before->SetFocus();
            before->SetInsertionPointEnd();
            return;
        }
        event.Skip();
        return;
    }
    if (key == '.' || key == ' ') {
        if (index < 3 && !fields_[static_cast<size_t>(index)]->GetValue().empty())
            FocusField(index + 1);
        return;
    }
    if (key >= '0' && key <= '9')
        event.Skip();
}

void IpAddressCtrl::OnPaste(int index, wxClipboardTextEvent& event) {
    wxString text;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT))
            if (wxTheClipboard->GetData(data))
                text = data.GetText();
        wxTheClipboard->Close();
    }
    text.Trim(true).Trim(false);
    if (PasteDotted(text))
        return;
    // Otherwise only the digits go into this field.
    wxString digits;
    for (wxUniChar c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    if (!digits.empty())
        fields_[static_cast<size_t>(index)]->WriteText(digits.Left(3));
}

bool IpAddressCtrl::PasteDotted(const wxString& text) {
    wxArrayString parts = wxSplit(text, '.', '\0');
    if (parts.size() != 4)
        return false;
    for (const wxString& part : parts) {
        if (part.empty() || part.length() > 3)
            return false;
        for (wxUniChar c : part)
            if (c < '0' || c > '9')
                return false;
    }
    for (size_t i = 0; i < 4; ++i)
        fields_[i]->ChangeValue(parts[i]);
    return true;
}

void IpAddressCtrl::OnText(int index) {
    // Three digits fill a field: typing goes on in the next one.
    wxTextCtrl* field = fields_[static_cast<size_t>(index)];
    if (index < 3 && field->HasFocus() && field->GetValue().length() == 3 &&
        field->GetInsertionPoint() == 3)
        FocusField(index + 1);
}

} // namespace qv
