#include "editors/config/ConfigPane.h"

namespace qv {

namespace {

// Placeholder until the pane lands.
class EmptyPane : public CConfigPane {
public:
    using CConfigPane::CConfigPane;
    int SaveToParent() override { return 0; }
};

} // namespace

CConfigPane* CreateConfigTimePane(wxWindow* parent, CQuorvelDoc& doc, ConfigCopies& copies) {
    return new EmptyPane(parent, doc, copies);
}

} // namespace qv
