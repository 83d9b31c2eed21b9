// The printed report's windows: every page of a full settings image drawn in
// each language with no text running into its neighbour, the margins dialog,
// and the print preview with the tree pane.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/print.h>
#include <wx/spinctrl.h>

#include "app/CommandIds.h"
#include "app/LanguageProfile.h"
#include "app/MainFrame.h"
#include "editors/config/ConfigPane.h"
#include "editors/config/ConfigSetDlg.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/ReportFixtures.h"
#include "tests/core/ReportTableRichImage.h"
#include "tests/TestPaths.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/Messages.h"
#include "view/QuorvelView.h"
#include "view/ReportMarginsDlg.h"
#include "view/ReportPainter.h"
#include "view/report/ReportTableText.h"
#include "view/report/ReportText.h"

namespace qv {
namespace {

using report::PrintRecord;

uint32_t CodePageOf(int language) {
    return language == kLangChinese ? kCodePageChinese : kCodePageJapanese;
}

class ReportPagesTest : public ::testing::TestWithParam<int> {
protected:
    test::ScopedGuiLanguage language{GetParam()};
    std::string Where(int page) const {
        return std::string(LanguageRegistryName(GetParam())) + " page " + std::to_string(page);
    }
};

TEST_P(ReportPagesTest, EveryPageRendersWithNoTextRunningIntoItsNeighbour) {
    // Every section filled: every trigger kind, every data type, data sets and mails.
    CQuorvelDoc doc(CodePageOf(GetParam()));
    test::FillSettingsPages(doc.Blocks());
    test::tablepages::FillRichReport(doc.Blocks());
    const report::Report report(doc.Blocks(), CodePageOf(GetParam()), L"Settings.qv");
    ASSERT_GT(report.TotalPages(), 7);
    // QV_REPORT_PNG_DIR keeps the pictures for a look.
    const char* keep = std::getenv("QV_REPORT_PNG_DIR");
    test::TempDir temp;
    const std::string dir = keep ? keep : temp.path();
    constexpr int kDpi = 150;
    const double k = kDpi / 1440.0;
    const int paperRight = static_cast<int>(report::kPaperWidth * k);

    for (int p = 1; p <= report.TotalPages(); ++p) {
        const wxBitmap bitmap = RenderReportPage(report, p, kDpi);
        const std::string png = dir + "/report-" + std::string(LanguageRegistryName(GetParam())) +
                                "-" + std::to_string(p) + ".png";
        ASSERT_TRUE(bitmap.SaveFile(png, wxBITMAP_TYPE_PNG)) << png;
        EXPECT_GT(wxFileName::GetSize(png), 1000u) << png;

        // The same measures on the same kind of device, record by record.
        wxBitmap scratch(8, 8, 24);
        wxMemoryDC dc(scratch);
        const wxPoint origin(static_cast<int>(report::HundredthsMmToTwips(2000) * k),
                             static_cast<int>(report::HundredthsMmToTwips(2000) * k));
        ReportPainter painter(dc, k, origin, report.Layout().linesPerPage,
                              ReportFont(k, dc.GetPPI().y));
        const report::ReportPage page = report.BuildPage(p);
        std::map<int, std::vector<std::pair<wxRect, std::wstring>>> lines;
        for (const PrintRecord& r : page.Records()) {
            if (r.kind == PrintRecord::Kind::Rule)
                continue;
            const wxRect rect = painter.TextRect(page, r);
            EXPECT_LE(rect.GetRight(), paperRight) << Where(p) << ": off the sheet " << r.text;
            if (r.kind == PrintRecord::Kind::Cell) {
                EXPECT_LE(rect.width, static_cast<int>((r.right - r.left) * k) + 1)
                    << Where(p) << ": cell text beyond its cell: " << r.text;
                continue;
            }
            lines[r.kind == PrintRecord::Kind::Heading ? -1 : r.line].emplace_back(rect, r.text);
        }
        for (auto& [line, texts] : lines) {
            std::sort(texts.begin(), texts.end(),
                      [](const auto& a, const auto& b) { return a.first.x < b.first.x; });
            for (size_t i = 1; i < texts.size(); ++i)
                EXPECT_LT(texts[i - 1].first.GetRight(), texts[i].first.x)
                    << Where(p) << " line " << line << ": \"" << texts[i - 1].second
                    << "\" runs into \"" << texts[i].second << "\"";
        }
    }
}

TEST_P(ReportPagesTest, MarginsDialogFitsAndRefusesWhatWouldDropLines) {
    CReportMarginsDlg dialog(nullptr, report::Margins());
    dialog.Show();
    ASSERT_TRUE(test::AwaitShown(&dialog));
    test::ExpectLabelsFit(&dialog, Where(0) + " margins dialog");
    test::ExpectButtonsInLanguage(&dialog, GetParam(), Where(0) + " margins dialog");
    EXPECT_EQ(dialog.Field(report::kMarginTop)->GetValue(), 20);

    struct Case {
        int left, top, bottom;
        bool accepted;
    };
    const Case cases[] = {{20, 140, 140, false}, {26, 20, 20, false}, {24, 30, 30, true}};
    for (const Case& c : cases) {
        dialog.Field(report::kMarginLeft)->SetValue(c.left);
        dialog.Field(report::kMarginTop)->SetValue(c.top);
        dialog.Field(report::kMarginBottom)->SetValue(c.bottom);
        test::DialogScript script;
        if (!c.accepted)
            script.ThenEnd(wxID_OK);
        EXPECT_EQ(dialog.TransferDataFromWindow(), c.accepted) << c.left << "/" << c.top;
        EXPECT_EQ(script.messages.size(), c.accepted ? 0u : 1u);
    }
    const report::Margins expected{2400, 3000, 2000, 3000};
    EXPECT_TRUE(dialog.Margins() == expected);
    dialog.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, ReportPagesTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

class ReportCommandsTest : public test::StartedProgramTest {
protected:
    CMainFrame& Frame() { return *app.MainFrame(); }
};

TEST_F(ReportCommandsTest, PageSetupKeepsTheMarginsTheUserConfirmed) {
    test::DialogScript script;
    script.Then([](wxDialog* dialog) {
        auto* margins = dynamic_cast<CReportMarginsDlg*>(dialog);
        EXPECT_NE(margins, nullptr);
        if (margins) {
            margins->TransferDataToWindow();
            margins->Field(report::kMarginTop)->SetValue(30);
            margins->TransferDataFromWindow();
        }
        return wxID_OK;
    });
    Frame().RunCommand(cmd::kFilePrintSetup);
    EXPECT_EQ(Frame().View().printMargins.top, 3000);
    EXPECT_EQ(Frame().View().MakeReport()->Layout().linesPerPage, 47);
    script.ThenEnd(wxID_CANCEL);
    Frame().RunCommand(cmd::kFilePrintSetup);
    EXPECT_EQ(Frame().View().printMargins.top, 3000);
}

// The print menu, the dialog it opens and the README call the margins
// dialog by one name.
TEST_F(ReportCommandsTest, PageSetupHasOneNameInTheMenuTheDialogAndTheReadme) {
    std::ifstream file(std::string(test::kFixtureDir) + "/../../README.md");
    ASSERT_TRUE(file.good());
    const std::string readme((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
    for (int language : test::kGuiLanguages) {
        test::ScopedGuiLanguage scoped(language);
        std::unique_ptr<wxMenu> menu = Frame().BuildApplicationMenu();
        wxMenuItem* item = menu->FindItem(cmd::MenuId(cmd::kFilePrintSetup));
        ASSERT_NE(item, nullptr);
        const CReportMarginsDlg dialog(&Frame(), report::Margins());
        EXPECT_EQ(item->GetItemLabelText(), dialog.GetTitle()) << language;
        if (language == kLangEnglish) {
            EXPECT_NE(readme.find('"' + dialog.GetTitle().utf8_string() + '"'), std::string::npos)
                << "README.md does not name \"" << dialog.GetTitle() << "\"";
        }
    }
}

TEST_F(ReportCommandsTest, PreviewHidesTheTreePaneUntilItCloses) {
    test::ScopedGuiLanguage japanese(kLangJapanese);
    for (bool shownBefore : {true, false}) {
        if (Frame().TreePaneShown() != shownBefore)
            Frame().RunCommand(cmd::kViewTreePane);
        Frame().RunCommand(cmd::kFilePrintPreview);
        wxPreviewFrame* preview = nullptr;
        ASSERT_TRUE(test::PumpUntil([&] {
            for (wxWindow* w : wxTopLevelWindows)
                if ((preview = dynamic_cast<wxPreviewFrame*>(w)) != nullptr)
                    return true;
            return false;
        }));
        EXPECT_FALSE(Frame().TreePaneShown());
        test::ExpectButtonsInLanguage(preview, kLangJapanese, "print preview");
        auto* close = preview->FindWindow(wxID_PREVIEW_CLOSE);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->GetLabel(), Res(271));
        preview->Close();
        test::RunPendingEvents();
        EXPECT_EQ(Frame().TreePaneShown(), shownBefore);
        EXPECT_FALSE(Frame().inPreview);
    }
}

bool HasLatinLetter(const wxString& text) {
    for (wxUniChar c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    return false;
}

// A label as the report prints it: without the colon a dialog puts after it.
wxString Bare(wxString label) {
    while (!label.empty() &&
           (label.Last() == ':' || label.Last() == wxUniChar(0xFF1A) || label.Last() == ' '))
        label.RemoveLast();
    return label;
}

// Every text the dialog shows: its caption, categories, the labels, choices
// and group titles of its panes, and the headings of its lists.
void CollectLabels(wxWindow* window, std::set<wxString>& labels) {
    for (wxWindow* child : window->GetChildren()) {
        if (auto* list = dynamic_cast<wxListCtrl*>(child)) {
            for (int c = 0; c < list->GetColumnCount(); ++c) {
                wxListItem column;
                column.SetMask(wxLIST_MASK_TEXT);
                list->GetColumn(c, column);
                labels.insert(Bare(column.GetText()));
            }
        } else if (auto* control = dynamic_cast<wxControl*>(child)) {
            labels.insert(Bare(control->GetLabelText()));
        }
        CollectLabels(child, labels);
    }
}

// Page 2 prints the system settings in the dialog's own words: every text on
// it is a label, choice or heading the dialog shows, a check box's label
// with its state, or the report's own state word, separator or number.
TEST_F(ReportCommandsTest, SystemSettingsPagePrintsTheDialogsWords) {
    for (int lang : test::kGuiLanguages) {
        test::ScopedGuiLanguage language(lang);
        std::set<wxString> labels;
        {
            CConfigSetDlg dialog(&Frame(), *app.Document());
            labels.insert(dialog.GetTitle());
            for (unsigned c = 0; c < dialog.CategoryList->GetCount(); ++c)
                labels.insert(dialog.CategoryList->GetString(c));
            for (int category : {kCategoryFile, kCategoryErr}) {
                dialog.CategoryList->SetSelection(category);
                dialog.OnSelchangeCategory();
                CollectLabels(dialog.Pane, labels);
            }
        }
        std::set<wxString> boxes;
        for (const wxString& label : labels)
            for (unsigned state : {9212u, 9213u})
                boxes.insert(report::tables::FormatChecked(state, "s", {label.ToStdWstring()}));

        // Every two-way choice both ways round, on a copy of the settings.
        auto blocks = std::make_unique<ImageBlocks>(app.Document()->Blocks());
        for (uint8_t fill : {uint8_t{0}, uint8_t{1}}) {
            ErrorNotifyBlock& e = blocks->errorNotify;
            for (size_t i = 0; i < ErrorNotifyBlock::kSize; ++i)
                e.SetU8(i, fill ? 0xFF : 0);
            for (size_t i : {0, 1, 3, 5, 6, 8, 9, 10, 11, 12, 13, 14, 20})
                e.SetU8(i, fill);
            const report::Report report(*blocks, kCodePageJapanese, L"t");
            const report::ReportPage page = report.BuildPage(2);
            size_t checked = 0;
            for (const PrintRecord& r : page.Records()) {
                const wxString text(r.text);
                const int k = r.line - report.Layout().linesPerPage;
                if (r.kind == PrintRecord::Kind::Text) {
                    const bool own =
                        text == ":" || text == Res(9202) || text == Res(9203) || text.IsNumber();
                    EXPECT_TRUE(own || labels.count(text) || boxes.count(text))
                        << LanguageRegistryName(lang) << " line " << k << " x" << r.left << ": \""
                        << text << "\" is not in the dialog";
                    checked += !own;
                } else if (r.kind == PrintRecord::Kind::Cell && k == 30) {
                    EXPECT_TRUE(labels.count(Bare(text)))
                        << LanguageRegistryName(lang) << " heading \"" << text << "\"";
                }
            }
            EXPECT_GT(checked, 30u);
        }
    }
}

// The preview's page line and the tips of its picture buttons come from the
// toolkit in the system's language; the program gives them its own.
TEST_F(ReportCommandsTest, PreviewIsWordedInTheInterfaceLanguage) {
    for (int lang : {kLangJapanese, kLangChinese}) {
        test::ScopedGuiLanguage language(lang);
        Frame().RunCommand(cmd::kFilePrintPreview);
        wxPreviewFrame* preview = nullptr;
        ASSERT_TRUE(test::PumpUntil([&] {
            for (wxWindow* w : wxTopLevelWindows)
                if ((preview = dynamic_cast<wxPreviewFrame*>(w)) != nullptr)
                    return true;
            return false;
        }));
        ASSERT_TRUE(test::AwaitShown(preview));
        // The page line is written once the first page is drawn.
        ASSERT_TRUE(
            test::PumpUntil([&] { return !preview->GetStatusBar()->GetStatusText().empty(); }));
        const wxString status = preview->GetStatusBar()->GetStatusText();
        EXPECT_EQ(status, wxString(report::ResFormat(46521, {1, 4})));
        EXPECT_FALSE(HasLatinLetter(status)) << status;
        int tips = 0;
        for (int id :
             {wxID_PREVIEW_PRINT, wxID_PREVIEW_FIRST, wxID_PREVIEW_PREVIOUS, wxID_PREVIEW_NEXT,
              wxID_PREVIEW_LAST, wxID_PREVIEW_ZOOM_OUT, wxID_PREVIEW_ZOOM_IN}) {
            wxWindow* button = preview->FindWindow(id);
            ASSERT_NE(button, nullptr) << id;
            const wxString tip = button->GetToolTipText();
            EXPECT_FALSE(tip.empty()) << id;
            EXPECT_FALSE(HasLatinLetter(tip)) << id << " " << tip;
            ++tips;
        }
        EXPECT_EQ(tips, 7);
        preview->Close();
        test::RunPendingEvents();
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

// Quick print asks for a printer while none was chosen in this session.
TEST_F(ReportCommandsTest, PrintCancelledInItsDialogPrintsNothingAndSaysNothing) {
    for (int id : {cmd::kFilePrint, cmd::kFilePrintDirect}) {
        test::DialogScript script;
        script.ThenEnd(wxID_CANCEL);
        Frame().RunCommand(id);
        EXPECT_EQ(script.Pending(), 0u) << id;
        EXPECT_TRUE(script.messages.empty()) << id;
    }
}

} // namespace
} // namespace qv
