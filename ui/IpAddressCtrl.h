// An IPv4 address entry of four fields. The address moves as one number
// with the first octet in the top byte, or octet by octet to the bytes of a
// settings field (octet k to byte k).
#pragma once
#include <array>
#include <cstdint>
#include <wx/panel.h>

class wxTextCtrl;

namespace qv {

class IpAddressCtrl : public wxPanel {
public:
    explicit IpAddressCtrl(wxWindow* parent, wxWindowID id = wxID_ANY);

    void SetAddress(uint32_t address);
    // False (and the address untouched) when a field is empty or above 255.
    bool GetAddress(uint32_t& address) const;

    void SetOctets(const uint8_t* bytes);
    // False (and the bytes untouched) when a field is empty or above 255.
    bool GetOctets(uint8_t* bytes) const;

    // All four fields empty.
    bool IsBlank() const;
    void ClearAddress();
    // The first field that is empty or above 255; -1 when all hold an octet.
    int InvalidField() const;
    void FocusField(int index);
    wxTextCtrl* Field(int index) const { return fields_[static_cast<size_t>(index)]; }

    bool Enable(bool enable = true) override;
    void SetFocus() override;

private:
    void OnChar(int index, wxKeyEvent& event);
    void OnPaste(int index, wxClipboardTextEvent& event);
    void OnText(int index);
    // Fills the fields from a dotted text; false when it is not one.
    bool PasteDotted(const wxString& text);

    std::array<wxTextCtrl*, 4> fields_{};
};

} // namespace qv
