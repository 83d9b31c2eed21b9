#include "app/RibbonBar.h"

namespace qv {

CRibbonBar::CRibbonBar(wxWindow* parent, long style)
    : wxRibbonBar(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, style) {}

wxRect CRibbonBar::TabRect(size_t page) const {
    return page < m_pages.GetCount() ? m_pages.Item(page).rect : wxRect();
}

} // namespace qv
