// The file dialogs' buttons speak the interface language, whatever the
// desktop's language is.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <wx/filedlg.h>

#include "tests/gui/GuiTestSupport.h"
#include "ui/FileDialogButtons.h"
#include "ui/Messages.h"
#include "ui/StdButtons.h"

namespace qv {
namespace {

// What the GTK button of a response shows.
wxString ButtonLabel(wxFileDialog& dialog, int response) {
    using WidgetForResponse = void* (*)(void*, int);
    using GetLabel = const char* (*)(void*);
    const auto forResponse = reinterpret_cast<WidgetForResponse>(
        dlsym(RTLD_DEFAULT, "gtk_dialog_get_widget_for_response"));
    const auto getLabel = reinterpret_cast<GetLabel>(dlsym(RTLD_DEFAULT, "gtk_button_get_label"));
    if (!forResponse || !getLabel)
        return "(no GTK)";
    void* button = forResponse(dialog.GetHandle(), response);
    const char* label = button ? getLabel(button) : nullptr;
    return label ? wxString::FromUTF8(label) : wxString("(none)");
}

class FileDialogButtonsTest : public ::testing::TestWithParam<int> {};

TEST_P(FileDialogButtonsTest, CancelAndOpenOrSaveAreInTheInterfaceLanguage) {
    test::ScopedGuiLanguage language(GetParam());
    for (const long style : {long(wxFD_OPEN | wxFD_FILE_MUST_EXIST), long(wxFD_SAVE)}) {
        wxFileDialog dialog(nullptr, wxEmptyString, wxEmptyString, wxEmptyString, "*.qv|*.qv",
                            style);
        LabelFileDialogButtons(dialog);
        const wxString accept = Res(style & wxFD_SAVE ? kStrSaveButton : kStrOpenButton);
        EXPECT_EQ(ButtonLabel(dialog, -6), GtkMnemonics(StdButtonLabel(wxID_CANCEL)));
        EXPECT_EQ(ButtonLabel(dialog, -3), GtkMnemonics(accept));
        EXPECT_FALSE(accept.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, FileDialogButtonsTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

TEST(GtkMnemonics, AmpersandsBecomeUnderscores) {
    EXPECT_EQ(GtkMnemonics("&Open"), "_Open");
    EXPECT_EQ(GtkMnemonics(wxString::FromUTF8("開く(&O)")), wxString::FromUTF8("開く(_O)"));
    EXPECT_EQ(GtkMnemonics("R&&D_x"), "R&D__x");
}

} // namespace
} // namespace qv
