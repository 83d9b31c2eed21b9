#include "app/RibbonLayout.h"

#include <cwctype>

#include "app/CommandIds.h"
#include "document/StringTable.h"

namespace qv {

namespace {

// Key tips of the strip and the tab row, of the categories' commands, and
// the application menu's mnemonics.
enum : unsigned {
    kTipApplicationMenu = 29300,
    kTipNew = 29301,
    kTipOpen = 29302,
    kTipSave = 29303,
    kTipPrint = 29304,
    kTipStyle = 29305,
    kTipAbout = 29306,
    kTipSettings = 29307,
    kTipOnline = 29308,
    kMnemonicFirst = 29340, // the application menu's, in its order
};

} // namespace

const std::vector<RibbonCategory>& RibbonCategories() {
    static const std::vector<RibbonCategory> kCategories = {
        {274,
         kTipSettings,
         {
             {3201,
              {{cmd::kPowerMeterWizard, 3201, 29310, false},
               {cmd::kSettingsWizard, 3202, 29311, false}}},
             {3203,
              {{cmd::kReadFromUnit, 3204, 29312, false},
               {cmd::kWriteToUnit, 3205, 29313, false},
               {cmd::kUnitPassword, 3206, 29314, false}}},
             {275,
              {{cmd::kEditPaste, 276, 29315, false},
               {cmd::kEditCut, 277, 29316, false},
               {cmd::kEditCopy, 278, 29317, false},
               {cmd::kEditSelectAll, 279, 29318, false}}},
             {290,
              {{cmd::kViewStatusBar, 289, 29319, true},
               {cmd::kViewCaptionBar, 295, 29320, true},
               {cmd::kViewTreePane, 3207, 29321, true}}},
             {3208,
              {{cmd::kLanSettings, 3209, 29322, false}, {cmd::kPortSettings, 3210, 29323, false}}},
             {3211,
              {{cmd::kTriggerSelect, 3212, 29324, false},
               {cmd::kConfigSettings, 3213, 29325, false}}},
         }},
        {3216,
         kTipOnline,
         {
             {3217,
              {{cmd::kRunProgramMode, 3219, 29330, false},
               {cmd::kClearUnit, 3220, 29331, false},
               {cmd::kFirmwareUpdate, 3221, 29332, false}}},
             {3222,
              {{cmd::kUnitStatus, 3223, 29333, false},
               {cmd::kMonitor, 3224, 29334, false},
               {cmd::kFtpClient, 3225, 29335, false}}},
         }},
    };
    return kCategories;
}

const std::vector<StripItem>& QuickAccessTools() {
    static const std::vector<StripItem> kTools = {{cmd::kFileNew, 262, kTipNew},
                                                  {cmd::kFileOpen, 263, kTipOpen},
                                                  {cmd::kFileSave, 264, kTipSave},
                                                  {cmd::kFilePrint, 266, kTipPrint}};
    return kTools;
}

const StripItem& ApplicationButton() {
    static const StripItem kItem{kApplicationMenuButton, 260, kTipApplicationMenu};
    return kItem;
}

const StripItem& StyleButton() {
    static const StripItem kItem{kStyleMenuButton, 286, kTipStyle};
    return kItem;
}

const StripItem& AboutButton() {
    static const StripItem kItem{cmd::kAppAbout, 29110, kTipAbout};
    return kItem;
}

const std::vector<MenuEntry>& ApplicationMenuEntries() {
    static const std::vector<MenuEntry> kEntries = {
        {cmd::kFileNew, 262, kMnemonicFirst, 0},
        {cmd::kFileOpen, 263, kMnemonicFirst + 1, 0},
        {cmd::kFileSave, 264, kMnemonicFirst + 2, 0},
        {cmd::kFileSaveAs, 265, kMnemonicFirst + 3, 0},
        {cmd::kFilePrint, 266, kMnemonicFirst + 4, 0},
        {kPrintMenu, 267, kMnemonicFirst + 5, 0},
        {cmd::kFilePrintDirect, 268, kMnemonicFirst + 6, kPrintMenu},
        {cmd::kFilePrintPreview, 269, kMnemonicFirst + 7, kPrintMenu},
        {cmd::kFilePrintSetup, 270, kMnemonicFirst + 8, kPrintMenu},
        {kMenuSeparator, 0, 0, 0},
        {cmd::kFileClose, 271, kMnemonicFirst + 9, 0},
        {kMenuSeparator, 0, 0, 0},
        {kRecentMenu, 272, kMnemonicFirst + 10, 0},
        {kMenuSeparator, 0, 0, 0},
        {cmd::kAppExit, 273, kMnemonicFirst + 11, 0},
    };
    return kEntries;
}

std::string KeysOfText(unsigned id) {
    std::string keys;
    for (wchar_t c : ResString(id))
        keys += c < 0x80 ? static_cast<char>(std::towupper(static_cast<wint_t>(c))) : '?';
    return keys;
}

std::wstring MnemonicLabel(const std::wstring& label, char key) {
    std::wstring text;
    for (wchar_t c : label) {
        text += c;
        if (c == L'&')
            text += L'&';
    }
    const wchar_t lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(key)));
    size_t first = std::wstring::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<wchar_t>(std::towlower(static_cast<wint_t>(text[i]))) != lower)
            continue;
        const bool wordStart = i == 0 || !std::iswalnum(static_cast<wint_t>(text[i - 1]));
        if (wordStart)
            return text.substr(0, i) + L"&" + text.substr(i);
        if (first == std::wstring::npos)
            first = i;
    }
    if (first != std::wstring::npos)
        return text.substr(0, first) + L"&" + text.substr(first);
    // Before the ellipsis of a label that opens a dialog: "開く(&O)...".
    size_t end = text.size();
    if (text.size() >= 3 && text.compare(text.size() - 3, 3, L"...") == 0)
        end -= 3;
    else if (!text.empty() && text.back() == L'\u2026')
        end -= 1;
    return text.substr(0, end) + L"(&" +
           static_cast<wchar_t>(std::towupper(static_cast<wint_t>(key))) + L")" + text.substr(end);
}

namespace {

struct Accelerator {
    char key;
    int command;
};
const Accelerator kAccelerators[] = {
    {'N', cmd::kFileNew}, {'O', cmd::kFileOpen}, {'S', cmd::kFileSave}, {'P', cmd::kFilePrint}};

} // namespace

int AcceleratorCommand(int key, bool ctrl, bool alt, bool shiftOrOther) {
    if (!ctrl || alt || shiftOrOther)
        return 0;
    for (const Accelerator& a : kAccelerators)
        if (a.key == key)
            return a.command;
    return 0;
}

std::string AcceleratorText(int command) {
    for (const Accelerator& a : kAccelerators)
        if (a.command == command)
            return std::string("Ctrl+") + a.key;
    return {};
}

} // namespace qv
