// Command numbers of the main window, the view and the application.
#pragma once

namespace qv::cmd {

// File commands (the view) and the application's.
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintDirect = 57608;
constexpr int kFilePrintPreview = 57609;
constexpr int kRecentFile1 = 57616; // up to 57625 for the 10 entries
constexpr int kRecentFileCount = 10;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;

// Edit commands.
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditSelectAll = 57642;

// Main window commands.
constexpr int kPowerMeterWizard = 32785;
constexpr int kSettingsWizard = 32786;
constexpr int kWriteToUnit = 32787;
constexpr int kReadFromUnit = 32788;
constexpr int kLanSettings = 32789;
constexpr int kPortSettings = 32790;
constexpr int kTriggerSelect = 32791;
constexpr int kConfigSettings = 32793;
constexpr int kRunProgramMode = 32794;
constexpr int kClearUnit = 32795;
constexpr int kFirmwareUpdate = 32796;
constexpr int kUnitStatus = 32797;
constexpr int kMonitor = 32798;
constexpr int kFtpClient = 32799;
constexpr int kUnitPassword = 32801;

// Visual styles and pane switches.
constexpr int kLookFirst = 210;
constexpr int kLookLast = 218;
constexpr int kLookDefault = 215;
constexpr int kViewCaptionBar = 221;
constexpr int kViewTreePane = 222;
constexpr int kViewStatusBar = 59393;

// Menus take item numbers up to 0x7fff only: the file and application
// commands (57600 to 57699) go into a menu under their number less 30000.
constexpr int kMenuShift = 30000;
constexpr bool IsShiftedCommand(int id) {
    return id >= 57600 && id <= 57699;
}
constexpr int MenuId(int command) {
    return IsShiftedCommand(command) ? command - kMenuShift : command;
}
constexpr int CommandOfMenuId(int id) {
    return IsShiftedCommand(id + kMenuShift) ? id + kMenuShift : id;
}

} // namespace qv::cmd
