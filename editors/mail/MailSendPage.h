// The settings view's list of the 64 mail-send entries: check marks as the
// selection, the delete button, and the entry's editor on a double click or
// Enter.
#pragma once
#include <vector>

#include "document/SettingsImage.h"
#include "ui/PageBase.h"
#include "view/ViewPage.h"

namespace qv {

class CQuorvelView;

constexpr int kMailSendListSlot = 3; // its column widths in the profile

class CMailSendPage : public CPageBase, public ViewPage {
public:
    CMailSendPage(wxWindow* parent, CQuorvelDoc& doc);
    ~CMailSendPage() override;

    void Reload(uint32_t item) override;
    // The 64 rows from the document.
    void RefreshList();
    void FormatRow(long row);
    void OnBnClickedDelete();
    // Opens the editor on a row; true when it stored.
    bool EditRow(long row);
    void SaveColumnWidths();

    TriggerTable TriggerCopy;
    MailSendTable MailCopy;
    UserTable UserCopy;

private:
    void OnListKey(wxKeyEvent& event);
};

} // namespace qv
