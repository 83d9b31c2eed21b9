// The profile as the program reads it at start-up: the bytes become the
// profile file, read through the wxFileConfig store for the language, the
// link settings, the window placement, the list widths and the recent files.
// The same bytes serve as the registration file, the other text file read
// then.
#include <wx/init.h>
#include <wx/log.h>

#include "app/LanguageProfile.h"
#include "app/RecentFiles.h"
#include "app/RegisteredInfo.h"
#include "app/WindowPlacement.h"
#include "document/CodePageText.h"
#include "link/CommSettings.h"
#include "tests/fuzz/FuzzSupport.h"
#include "ui/WxProfileStore.h"

using namespace qv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    wxInitialize();
    wxLog::EnableLogging(false); // a damaged file is no finding, only its handling
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::TempFile file("profile.ini");
    file.Write(data, size);
    {
        WxProfileStore profile(file.Path());
        const LanguageChoice lang =
            ChooseLanguage(profile, [](const std::string&) { return nullptr; });
        fuzz::Expect(lang.index >= kLangEnglish && lang.index <= kLangChinese, "a language");

        for (uint32_t codePage : {kCodePageJapanese, kCodePageChinese}) {
            CommSettings comm;
            LoadCommSettings(profile, codePage, comm);
            fuzz::Expect(comm.Cmd2K <= 1, "2KCmd is 0 or 1");
            fuzz::Expect(comm.TcpIPAddr[kAddressField - 1] == 0 &&
                             comm.PCIPAddr[kAddressField - 1] == 0 &&
                             comm.ComName[kComNameField - 1] == 0,
                         "link texts end within their fields");
            SerialDevicePath(comm, codePage);
        }

        const WindowPlacement stored = LoadWindowPlacement(profile);
        const WindowPlacement shown = UsablePlacement(stored, {Rect{0, 0, 1920, 1080}});
        fuzz::Expect(shown.showCmd != kShowMinimized && shown.showCmd != kShowMinimize &&
                         shown.showCmd != kShowMinNoActive,
                     "a window never starts minimised");
        ColumnWidthTable widths;
        // One list an input: each list reads ten values, all of them 150.
        LoadListState(profile, widths, static_cast<int>(size % kListCount));
        RecentFiles recent;
        recent.Load(profile);
        fuzz::Expect(recent.Paths().size() <= RecentFiles::kMax, "ten recent files at most");
    }
    GetRegisteredInfo(file.Path());
    return 0;
}
