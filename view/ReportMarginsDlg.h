// The report's page set-up: the four margins in millimetres. OK refuses
// margins that leave fewer than three lines or push the report off the sheet.
#pragma once
#include <array>

#include "ui/DlgBase.h"
#include "view/report/ReportLayout.h"

class wxSpinCtrl;

namespace qv {

class CReportMarginsDlg : public CDlgBase {
public:
    CReportMarginsDlg(wxWindow* parent, const report::Margins& margins);

    const report::Margins& Margins() const { return margins_; }
    wxSpinCtrl* Field(int marginField) const;
    bool TransferDataToWindow() override;
    // Refuses with a message and the focus on the failing field.
    bool TransferDataFromWindow() override;

private:
    report::Margins margins_;
    std::array<wxSpinCtrl*, 4> fields_{};
};

} // namespace qv
