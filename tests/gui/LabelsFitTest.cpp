// Every window of the program in each interface language: no label cut
// short, no caption cut by the title bar, and no English stock button in the
// Japanese or Chinese interface.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "app/QuorvelApp.h"
#include "app/SettingsTree.h"
#include "app/StartUpDlg.h"
#include "document/MessageType.h"
#include "document/QuorvelDoc.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/DlgBase.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"
#include "ui/TitleWidth.h"
#include "ui/WaitDlg.h"
#include "ui/WxProfileStore.h"

namespace qv {
namespace {

class LabelsFitTest : public ::testing::TestWithParam<int> {
protected:
    test::ScopedGuiLanguage language{GetParam()};
    std::string Where(const char* window) const {
        return std::string(window) + " in " + LanguageRegistryName(GetParam());
    }
    // Shown and laid out as the user sees it, then checked.
    void Check(wxTopLevelWindow* window, const char* what) {
        window->Show();
        ASSERT_TRUE(test::AwaitShown(window)) << Where(what);
        test::ExpectLabelsFit(window, Where(what));
        test::ExpectButtonsInLanguage(window, GetParam(), Where(what));
        EXPECT_GE(window->GetSize().x, TitleBarWidth(window))
            << Where(what) << ": the title bar cuts \"" << window->GetTitle() << "\"";
    }
};

TEST_P(LabelsFitTest, AboutBox) {
    CAboutDlg about(nullptr, "Registered Owner", "Organisation");
    Check(&about, "the About box");
}

TEST_P(LabelsFitTest, StartUpChooser) {
    int choice = 0;
    CStartUpDlg chooser(nullptr, choice, true, true);
    Check(&chooser, "the start-up chooser");
}

TEST_P(LabelsFitTest, WaitDialog) {
    wxFrame starter(nullptr, wxID_ANY, "starter", wxPoint(0, 0), wxSize(400, 300));
    starter.Show();
    CWaitProgress sink(&starter);
    for (unsigned message : {20316u, 20317u, 20435u}) {
        sink.Begin(message, 100);
        ASSERT_TRUE(sink.Dialog());
        Check(sink.Dialog(), "the wait dialog");
        sink.End();
    }
}

// What every dialog built on the base gets from it.
TEST_P(LabelsFitTest, DialogOnTheBase) {
    wxFrame frame(nullptr, wxID_ANY, "frame");
    struct Case {
        long flags;
        std::vector<int> ids;
    };
    for (const Case& c :
         {Case{wxOK | wxCANCEL, {wxID_OK, wxID_CANCEL}},
          Case{wxYES_NO | wxCANCEL, {wxID_YES, wxID_NO, wxID_CANCEL}}, Case{wxOK, {wxID_OK}}}) {
        CDlgBase dlg(354, nullptr, &frame, Res(29110));
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(new wxStaticText(&dlg, wxID_ANY, Res(20317)), 0, wxALL, 10);
        column->Add(dlg.CreateButtons(c.flags), 0, wxEXPAND | wxALL, 10);
        dlg.SetSizerAndFit(column);
        for (int id : c.ids)
            EXPECT_NE(dlg.FindWindow(id), nullptr) << id;
        Check(&dlg, "a dialog on the base");
    }
}

// The labels handed to the toolkit's message box, for every button set.
TEST_P(LabelsFitTest, MessageBoxButtons) {
    struct Case {
        unsigned type;
        unsigned ok, cancel, yes, no; // 0: the button is not there
    };
    const Case cases[] = {
        {kMbOk, kStrOk, 0, 0, 0},
        {kMbOkCancel, kStrOk, kStrCancel, 0, 0},
        {kMbAbortRetryIgnore, 0, kStrIgnore, kStrAbort, kStrRetry},
        {kMbYesNoCancel, 0, kStrCancel, kStrYes, kStrNo},
        {kMbYesNo | kMbIconQuestion, 0, 0, kStrYes, kStrNo},
        {kMbRetryCancel, kStrRetry, kStrCancel, 0, 0},
    };
    for (const Case& c : cases) {
        // A long text of the language: wrapped, the box stays of a readable width.
        auto box = BuildMessageBox(c.type, Res(20161));
        const std::pair<unsigned, wxString> labels[] = {
            {c.ok, box->GetOKLabel()},
            {c.cancel, box->GetCancelLabel()},
            {c.yes, box->GetYesLabel()},
            {c.no, box->GetNoLabel()},
        };
        for (const auto& [id, label] : labels) {
            if (!id)
                continue;
            wxString given = label; // the toolkit keeps its own mnemonic mark
            given.Replace("_", "&");
            EXPECT_EQ(given, Res(id)) << Where("message box") << " type " << c.type;
            if (GetParam() != kLangEnglish) {
                EXPECT_FALSE(test::IsEnglishStockLabel(label))
                    << Where("message box") << " type " << c.type << ": " << label;
            }
        }
        const bool standardLabels = c.type != kMbAbortRetryIgnore && c.type != kMbRetryCancel;
        if (standardLabels) {
            Check(box.get(), "message box");
        } else {
            box->Show();
            ASSERT_TRUE(test::AwaitShown(box.get()));
            test::ExpectLabelsFit(box.get(), Where("message box"));
        }
        EXPECT_LE(box->GetSize().x, box->FromDIP(640))
            << Where("message box") << " type " << c.type;
        box->Hide();
    }
}

// The main window in the language its profile names; each ribbon panel is
// wide enough for its label, in every style of the ribbon.
TEST_P(LabelsFitTest, MainWindow) {
    CQuorvelApp& app = wxGetApp();
    std::remove(std::getenv("QV_PROFILE"));
    {
        WxProfileStore profile(WxProfileStore::DefaultPath());
        GetLanguage(profile); // the first-run values
        SetLanguage(profile, GetParam());
    }
    char tmpl[] = "/tmp/qvfit.XXXXXX";
    const std::string dir = mkdtemp(tmpl);
    const std::string file = dir + "/fit.qv";
    ASSERT_EQ(CQuorvelDoc(932).SaveSettingsFile(file), 0);
    test::DialogScript none;
    ASSERT_TRUE(app.StartUp({file}));
    ASSERT_EQ(app.languageIndex, GetParam());
    CMainFrame& frame = *app.MainFrame();
    ASSERT_TRUE(test::AwaitShown(&frame));

    for (int look = cmd::kLookFirst; look <= cmd::kLookLast; ++look) {
        frame.RunCommand(look); // the style menu
        wxRibbonBar& ribbon = frame.Ribbon();
        for (size_t p = 0; p < ribbon.GetPageCount(); ++p) {
            ribbon.SetActivePage(p);
            test::RunPendingEvents();
            for (wxWindow* child : ribbon.GetPage(p)->GetChildren()) {
                auto* panel = wxDynamicCast(child, wxRibbonPanel);
                if (!panel)
                    continue;
                wxClientDC dc(panel);
                dc.SetFont(ribbon.GetArtProvider()->GetFont(wxRIBBON_ART_PANEL_LABEL_FONT));
                // The label is drawn inside the panel's border, a pixel or two each side.
                EXPECT_GE(panel->GetSize().x, dc.GetTextExtent(panel->GetLabel()).x + 4)
                    << Where("the ribbon") << ", style " << look << ": panel \""
                    << panel->GetLabel() << "\" cuts its label";
            }
        }
    }
    frame.RunCommand(cmd::kLookDefault);
    ASSERT_TRUE(test::AwaitShown(&frame));
    test::ExpectLabelsFit(&frame, Where("the main window"));

    // Every label of the settings tree shows whole in its pane.
    CQVTreeCtrl& tree = *frame.TreePane().Tree();
    std::vector<wxTreeItemId> items{tree.GetRootItem()};
    while (!items.empty()) {
        const wxTreeItemId item = items.back();
        items.pop_back();
        wxRect text;
        ASSERT_TRUE(tree.GetBoundingRect(item, text, true));
        EXPECT_LT(text.GetRight(), tree.GetClientSize().x)
            << Where("the settings tree") << ": \"" << tree.GetItemText(item)
            << "\" reaches past the pane";
        wxTreeItemIdValue cookie;
        for (wxTreeItemId c = tree.GetFirstChild(item, cookie); c.IsOk();
             c = tree.GetNextChild(item, cookie))
            items.push_back(c);
    }

    app.Document()->TakeSnapshot(kSnapshotSaved);
    frame.Close(true);
    app.Reset();
    test::RunPendingEvents();
    std::system(("rm -rf '" + dir + "'").c_str());
}

INSTANTIATE_TEST_SUITE_P(Languages, LabelsFitTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

} // namespace
} // namespace qv
