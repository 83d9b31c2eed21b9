#include "online/StatusWnd.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/QuorvelApp.h"
#include "online/ConnectionDlg.h"
#include "online/GaugeView.h"
#include "ui/FrameBox.h"
#include "ui/Messages.h"

namespace qv {

namespace {

constexpr unsigned kStrTitle = 46701;
constexpr unsigned kStrError = 46702;
constexpr unsigned kStrClock = 46703;
constexpr unsigned kStrMode = 46704;
constexpr unsigned kStrVersion = 46705;
constexpr unsigned kStrUnitName = 46706;
constexpr unsigned kStrWriteDate = 46707;
constexpr unsigned kStrWriteUser = 46708;
constexpr unsigned kStrAddress1 = 46709; // to 46713
constexpr unsigned kStrMac = 46714;
constexpr unsigned kStrCounter1 = 46715; // to 46717
constexpr unsigned kStrStorage1 = 46718; // and 46719
constexpr unsigned kStrFree = 46720;
constexpr unsigned kStrUsed = 46721;
constexpr unsigned kStrCapacity = 46722;
constexpr unsigned kStrMessages = 46723;
constexpr unsigned kStrRefresh = 46724;
constexpr unsigned kStrAcknowledge = 46725;
constexpr unsigned kStrUnit = 46726;
constexpr unsigned kStrNetwork = 46727;
constexpr unsigned kStrClose = 271;

constexpr int kAckButtonId = 3;

// A colour square beside a gauge's legend.
wxWindow* Swatch(wxWindow* parent, uint32_t colour) {
    auto* w = new wxWindow(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(12, 12)));
    w->SetBackgroundColour(GaugeColour(colour));
    return w;
}

} // namespace

CStatusWnd::CStatusWnd(wxWindow* parent, CQuorvelDoc* doc)
    : CDlgBase(kDlgStatus, doc, parent, Res(kStrTitle)),
      link_(wxGetApp().Profile(), CodePage, nullptr, nullptr, SystemSleeper()), poll_(link_) {
    const int gap = FromDIP(6);
    // Value fields start wide enough for their usual texts.
    const int valueWidth = GetTextExtent("2088/88/88 88:88:88  ").x;
    auto value = [&](wxWindow* parent) {
        auto* t = new wxStaticText(parent, wxID_ANY, wxEmptyString);
        t->SetMinSize(wxSize(valueWidth, -1));
        return t;
    };
    auto grid = [&](wxStaticBoxSizer* box,
                    std::initializer_list<std::pair<unsigned, wxStaticText**>> rows) {
        auto* g = new wxFlexGridSizer(2, gap / 2, gap * 2);
        for (const auto& [label, field] : rows) {
            g->Add(new wxStaticText(box->GetStaticBox(), wxID_ANY, Res(label)), 0,
                   wxALIGN_CENTER_VERTICAL);
            *field = value(box->GetStaticBox());
            g->Add(*field, 0, wxALIGN_CENTER_VERTICAL);
        }
        box->Add(g, 0, wxALL, gap);
    };

    auto* unitBox = NewFrameSizer(wxVERTICAL, this, Res(kStrUnit));
    grid(unitBox, {{kStrError, &ErrorText},
                   {kStrClock, &ClockText},
                   {kStrMode, &ModeText},
                   {kStrVersion, &VersionText},
                   {kStrUnitName, &NameText},
                   {kStrWriteDate, &WriteDateText},
                   {kStrWriteUser, &WriteUserText}});
    auto* netBox = NewFrameSizer(wxVERTICAL, this, Res(kStrNetwork));
    grid(netBox, {{kStrAddress1, &AddressTexts[0]},
                  {kStrAddress1 + 1, &AddressTexts[1]},
                  {kStrAddress1 + 2, &AddressTexts[2]},
                  {kStrAddress1 + 3, &AddressTexts[3]},
                  {kStrAddress1 + 4, &AddressTexts[4]},
                  {kStrMac, &MacText},
                  {kStrCounter1, &CounterTexts[0]},
                  {kStrCounter1 + 1, &CounterTexts[1]},
                  {kStrCounter1 + 2, &CounterTexts[2]}});
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(unitBox, 1, wxEXPAND | wxRIGHT, gap);
    top->Add(netBox, 1, wxEXPAND);

    auto* rowsBox = NewFrameSizer(wxVERTICAL, this, Res(kStrMessages));
    for (wxStaticText*& row : RowTexts) {
        row = value(rowsBox->GetStaticBox());
        rowsBox->Add(row, 0, wxLEFT | wxRIGHT | wxTOP, gap / 2);
    }

    auto* gauges = new wxBoxSizer(wxHORIZONTAL);
    for (int i = 0; i < 2; ++i) {
        auto* box = NewFrameSizer(wxHORIZONTAL, this, Res(kStrStorage1 + i));
        wxWindow* sb = box->GetStaticBox();
        Gauges[i] = new CGaugeView(sb);
        box->Add(Gauges[i], 0, wxALL, gap / 2);
        auto* legend = new wxFlexGridSizer(3, gap / 2, gap);
        const uint32_t colours[3] = {kGaugeFree, kGaugeUsed, 0};
        for (int k = 0; k < 3; ++k) {
            legend->Add(colours[k] ? Swatch(sb, colours[k]) : new wxWindow(sb, wxID_ANY), 0,
                        wxALIGN_CENTER_VERTICAL);
            legend->Add(new wxStaticText(sb, wxID_ANY, Res(kStrFree + k)), 0,
                        wxALIGN_CENTER_VERTICAL);
            GaugeTexts[i][k] = new wxStaticText(sb, wxID_ANY, wxEmptyString);
            GaugeTexts[i][k]->SetMinSize(wxSize(GetTextExtent("8,888,888,888,888 ").x, -1));
            legend->Add(GaugeTexts[i][k], 0, wxALIGN_CENTER_VERTICAL);
        }
        box->Add(legend, 0, wxALIGN_CENTER_VERTICAL | wxALL, gap);
        gauges->Add(box, 1, wxEXPAND | (i == 0 ? wxRIGHT : 0), gap);
    }

    RefreshButton = new wxButton(this, wxID_REFRESH, Res(kStrRefresh));
    AckButton = new wxButton(this, kAckButtonId, Res(kStrAcknowledge));
    CloseButton = new wxButton(this, wxID_CLOSE, Res(kStrClose));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(RefreshButton, 0, wxRIGHT, gap);
    buttons->Add(AckButton, 0);
    buttons->AddStretchSpacer();
    buttons->Add(CloseButton, 0);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(top, 0, wxEXPAND | wxALL, gap * 2);
    column->Add(rowsBox, 0, wxEXPAND | wxLEFT | wxRIGHT, gap * 2);
    column->Add(gauges, 0, wxEXPAND | wxALL, gap * 2);
    column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizer(column);

    RefreshButton->SetDefault();
    SetEscapeId(wxID_CLOSE);
    RefreshButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RefreshStatus(); });
    AckButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { poll_.SendCode1D5(); });
    CloseButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnTimer(); });

    poll_.ShowPlaceholders();
    ShowTexts(poll_.Texts());
    GetSizer()->SetSizeHints(this);
    RefreshStatus();
    timer_.StartOnce(kStatusPollMs);
    timerState_ = 1;
}

CStatusWnd::~CStatusWnd() {
    timer_.Stop();
    timerState_ = 0;
}

void CStatusWnd::OnTimer() {
    // Polls never overlap: the next one is timed from the end of this one.
    timerState_ = 2;
    RefreshStatus();
    if (poll_.PollFailed()) {
        timerState_ = 0; // nothing to read until the window is opened again
        return;
    }
    timer_.StartOnce(kStatusPollMs);
    timerState_ = 1;
}

void CStatusWnd::RefreshStatus() {
    const bool redraw = poll_.Refresh();
    ShowTexts(poll_.Texts());
    if (redraw)
        for (int i = 0; i < 2; ++i)
            Gauges[i]->SetGauge(poll_.DrawnGauge(i));
}

void CStatusWnd::SetValue(wxStaticText* text, const std::wstring& value) {
    const wxString label(value);
    if (text->GetLabelText() == label)
        return;
    text->SetLabelText(label);
    const int width = text->GetBestSize().x;
    if (width > text->GetMinSize().x) {
        text->SetMinSize(wxSize(width, -1));
        grown_ = true;
    }
}

void CStatusWnd::ShowTexts(const StatusTexts& t) {
    grown_ = false;
    SetValue(ErrorText, t.error);
    SetValue(ClockText, t.clock);
    SetValue(ModeText, t.mode);
    SetValue(VersionText, t.version);
    SetValue(NameText, t.unitName);
    SetValue(WriteDateText, t.writeDate);
    SetValue(WriteUserText, t.writeUser);
    for (int i = 0; i < 5; ++i) {
        SetValue(AddressTexts[i], t.addresses[i]);
        SetValue(RowTexts[i], t.rows[i]);
    }
    SetValue(MacText, t.hardwareAddress);
    for (int i = 0; i < 3; ++i)
        SetValue(CounterTexts[i], t.counters[i]);
    for (int g = 0; g < 2; ++g)
        for (int k = 0; k < 3; ++k)
            SetValue(GaugeTexts[g][k], t.gauge[g][k]);
    if (grown_) {
        // Grows to show a longer text; never shrinks under the user.
        const wxSize need = GetSizer()->ComputeFittingWindowSize(this);
        SetMinSize(need);
        SetSize(wxSize(std::max(need.x, GetSize().x), std::max(need.y, GetSize().y)));
    }
    Layout();
}

void RunStatusWindow(wxWindow* parent, CQuorvelDoc& doc) {
    if (!RunConnectionDialog(parent, ConnectionAction::Tool, doc))
        return;
    CStatusWnd wnd(parent, &doc);
    wnd.ShowModal();
}

} // namespace qv
