#include "app/SplashWindow.h"

#include <algorithm>
#include <cstdlib>
#include <wx/dcmemory.h>
#include <wx/evtloop.h>
#include <wx/image.h>

#include "app/SplashBitmap.h"
#include "ui/Messages.h"

namespace qv {

namespace {

CSplashWnd* g_splash = nullptr;
wxEventLoopBase* g_waitLoop = nullptr;

constexpr unsigned kStrSplashFontSize = 6000;
constexpr unsigned kStrSplashFontFace = 6001;

// Owner and organisation in two bands above the picture's bottom edge.
void DrawOwnerLines(wxBitmap& bitmap, const wxString& owner, const wxString& organization) {
    wxMemoryDC dc(bitmap);
    long points = 9;
    Res(kStrSplashFontSize).ToLong(&points);
    wxFont font(wxFontInfo(points > 0 && points < 72 ? points : 9).FaceName(Res(kStrSplashFontFace)));
    dc.SetFont(font);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    const int h = bitmap.GetHeight();
    const int w = bitmap.GetWidth();
    dc.DrawLabel(owner, wxRect(0, h - 62, w, 14), wxALIGN_CENTER_HORIZONTAL | wxALIGN_BOTTOM);
    dc.DrawLabel(organization, wxRect(0, h - 48, w, 14),
                 wxALIGN_CENTER_HORIZONTAL | wxALIGN_BOTTOM);
}

} // namespace

CSplashWnd::CSplashWnd(const wxBitmap& bitmap, int milliseconds)
    : wxSplashScreen(bitmap, wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, milliseconds, nullptr,
                     wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxBORDER_NONE | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP) {
    g_splash = this;
}

CSplashWnd::~CSplashWnd() {
    g_splash = nullptr;
    if (g_waitLoop)
        g_waitLoop->ScheduleExit();
}

CSplashWnd* CSplashWnd::Show(const std::string& folder, const wxString& owner,
                             const wxString& organization, int milliseconds) {
    if (g_splash)
        return g_splash;
    const auto picture = ReadSplashBitmap(folder + "/" + kSplashFileName);
    if (!picture)
        return nullptr;
    unsigned char* rgb = static_cast<unsigned char*>(malloc(picture->rgb.size()));
    if (!rgb)
        return nullptr;
    std::copy(picture->rgb.begin(), picture->rgb.end(), rgb);
    wxImage image(picture->width, picture->height, rgb); // takes the buffer
    wxBitmap bitmap(image);
    DrawOwnerLines(bitmap, owner, organization);
    auto* splash = new CSplashWnd(bitmap, milliseconds);
    splash->Update();
    return splash;
}

bool CSplashWnd::Showing() { return g_splash != nullptr; }

void CSplashWnd::Wait() {
    if (!g_splash)
        return;
    wxGUIEventLoop loop;
    g_waitLoop = &loop;
    loop.Run();
    g_waitLoop = nullptr;
}

bool CSplashWnd::FilterAppEvent(wxEvent& event) {
    if (!g_splash)
        return false;
    const wxEventType t = event.GetEventType();
    if (t == wxEVT_KEY_DOWN || t == wxEVT_CHAR_HOOK || t == wxEVT_LEFT_DOWN ||
        t == wxEVT_RIGHT_DOWN || t == wxEVT_MIDDLE_DOWN) {
        g_splash->Close(true);
        return true;
    }
    return false;
}

} // namespace qv
