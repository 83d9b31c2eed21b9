// The texts of the system settings dialog, by string number. The printed
// report words its system settings page with the same numbers, so a printout
// reads as the dialog does.
#pragma once

namespace qv::systemtext {

constexpr unsigned kCaption = 3213;
// Categories of the dialog.
constexpr unsigned kLogFileOptions = 5235, kErrorNotification = 5236;

// The log-file options pane.
constexpr unsigned kContents = 46001, kTitleRow = 46002, kUnitRow = 46003, kColumns = 46004,
                   kFirstColumn = 46005, // 46005..46011: the seven columns
    kSeparator = 46012, kComma = 46013, kTab = 46014, kDateOrder = 46015, kYearFirst = 46016,
                   kDayFirst = 46017, kLineEnd = 46018, kCrLf = 46019, kLf = 46020,
                   kStorage = 46021, kCard = 46022, kRam = 46023, kWhenFull = 46024,
                   kOverwrite = 46025, kStop = 46026, kFileName = 46027,
                   kFirstNamePart = 46028, // 46028..46032: the five parts of the name
    kExample = 46033, kDecimals = 46034, kMidnight = 46035, kSystemHistory = 46036,
                   kTriggerHistory = 46037,
                   kExampleStorage = 46038; // the storage at the head of the example
constexpr unsigned kColumnCount = 7, kNamePartCount = 5;

// The error-notification pane.
constexpr unsigned kSwitches = 46040, kFirstSwitch = 46041, // 46041..46046: the six switches
    kRecipients = 46047;
constexpr unsigned kSwitchCount = 6;

} // namespace qv::systemtext
