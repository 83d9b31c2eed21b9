// The unit's LAN settings dialog: IP, mail-server and FTP pages.
#pragma once

class wxWindow;

namespace qv {

class CQuorvelDoc;

constexpr int kLanPageIp = 0;
constexpr int kLanPageMail = 1;
constexpr int kLanPageFtp = 2;

// Runs the dialog on the document, opened at the given page; true on OK.
bool RunLanSettingsDialog(wxWindow* parent, CQuorvelDoc& doc, int page);

} // namespace qv
