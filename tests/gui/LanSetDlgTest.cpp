// The unit's LAN settings dialog: every page's labels in every language, a
// refused page keeping its category, Cancel discarding what pages stored,
// OK writing the four blocks, and values no list holds surviving OK.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "editors/files/FileSetDlg.h"
#include "editors/lan/LanFtpPage.h"
#include "editors/lan/LanIpPage.h"
#include "editors/lan/LanMailPage.h"
#include "editors/lan/LanSetDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/PumpUntil.h"
#include "ui/IpAddressCtrl.h"
#include "ui/Messages.h"

namespace qv {
namespace {

void Click(wxDialog* dialog, int id) {
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(dialog->FindWindow(id));
    dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(click);
}

// Picks a category in the list as a click does.
void PickCategory(CLANSetDlg* dlg, int category) {
    dlg->CategoryList->SetSelection(category);
    wxCommandEvent change(wxEVT_LISTBOX, dlg->CategoryList->GetId());
    change.SetEventObject(dlg->CategoryList);
    change.SetInt(category);
    dlg->CategoryList->GetEventHandler()->ProcessEvent(change);
}

class LanSetDlgTest : public test::StartedProgramTest {
protected:
    CQuorvelDoc& Doc() { return *app.Document(); }
    void TearDown() override {
        Doc().TakeSnapshot(kSnapshotSaved); // no save question when the program closes
        test::StartedProgramTest::TearDown();
    }
    // Runs the dialog at `page`; `act` plays the user once it shows, and
    // the next `boxes` message boxes are answered with OK.
    bool Run(int page, std::function<void(CLANSetDlg*)> act, test::DialogScript& script,
             int boxes = 0) {
        script.Then([act](wxDialog* dialog) {
            auto* dlg = dynamic_cast<CLANSetDlg*>(dialog);
            EXPECT_NE(dlg, nullptr);
            if (!dlg)
                return static_cast<int>(wxID_CANCEL);
            dialog->CallAfter([act, dlg] {
                act(dlg);
                if (dlg->GetReturnCode() == 0) { // never leave the test waiting
                    ADD_FAILURE() << "the dialog stayed open";
                    dlg->EndModal(wxID_CANCEL);
                }
            });
            return static_cast<int>(wxID_NONE);
        });
        for (int i = 0; i < boxes; ++i)
            script.ThenEnd(wxID_OK);
        return RunLanSettingsDialog(app.MainFrame(), Doc(), page);
    }
};

class LanSetDlgLanguageTest : public LanSetDlgTest, public ::testing::WithParamInterface<int> {};

// Each page as the user sees it: the mail page with every row an
// authentication kind can show.
TEST_P(LanSetDlgLanguageTest, EveryPageFitsItsLabels) {
    const int language = GetParam();
    test::ScopedGuiLanguage scoped(language);
    MailServerRecord& mail = Doc().Blocks().mail[0];
    mail.SetU8(mailsrv::kAuth, 1);
    mail.SetAscii(mailsrv::kAccount, 64, "user");
    mail.SetAscii(mailsrv::kPassword, 16, "pw");
    mail.SetAscii(mailsrv::kPop3, 64, "pop.example.com");
    test::DialogScript script; // a refused page would ask here
    CLANSetDlg dlg(app.MainFrame(), kLanPageIp, Doc());
    dlg.Show();
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            PickCategory(&dlg, page);
        ASSERT_EQ(dlg.CurrentCategory, page);
        ASSERT_TRUE(test::AwaitShown(&dlg));
        const std::string where =
            "LAN page " + std::to_string(page) + ", language " + std::to_string(language);
        test::ExpectLabelsFit(&dlg, where);
        test::ExpectButtonsInLanguage(&dlg, language, where);
    }
    dlg.Hide();
}

INSTANTIATE_TEST_SUITE_P(Languages, LanSetDlgLanguageTest, ::testing::ValuesIn(test::kGuiLanguages),
                         test::GuiLanguageName);

// The factory settings: a fixed address with given DNS servers, and the
// automatic DNS choice out of reach.
TEST_F(LanSetDlgTest, FactorySettingsOpenOnAFixedAddress) {
    CLANSetDlg dlg(app.MainFrame(), kLanPageIp, Doc());
    auto* page = dynamic_cast<CIPSetDlg*>(dlg.ShownPage());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->FixedAddress->GetValue());
    EXPECT_TRUE(page->GivenDns->GetValue());
    EXPECT_FALSE(page->AutoDns->IsEnabled());
    EXPECT_TRUE(page->Address->IsEnabled());
    EXPECT_EQ(page->Address->Field(0)->GetValue(), "192");
    EXPECT_EQ(page->Address->Field(3)->GetValue(), "5");
    page->AutoAddress->SetValue(true);
    page->UpdateAddressControls();
    EXPECT_FALSE(page->Address->IsEnabled());
    EXPECT_FALSE(page->Address->Field(0)->IsEnabled());
    EXPECT_TRUE(page->AutoDns->IsEnabled());
}

// 0.0.0.0 as the unit's address: the page refuses to go, the list keeps
// its category, OK keeps the dialog open, Cancel leaves the document as it was.
TEST_F(LanSetDlgTest, InvalidAddressKeepsThePageAndCancelDiscards) {
    Doc().Blocks().ip.SetU8(0x1F, 0x9C);
    const ImageBlocks before = Doc().Blocks();
    test::DialogScript script;
    int categoryAfterRefusal = -1, listAfterRefusal = -1;
    bool focusOnAddress = false, openAfterOk = false;
    const bool ok = Run(
        kLanPageIp,
        [&](CLANSetDlg* dlg) {
            auto* ip = dynamic_cast<CIPSetDlg*>(dlg->ShownPage());
            ASSERT_NE(ip, nullptr);
            ip->Address->SetOctets(std::array<uint8_t, 4>{0, 0, 0, 0}.data());
            PickCategory(dlg, kLanPageMail);
            categoryAfterRefusal = dlg->CurrentCategory;
            listAfterRefusal = dlg->CategoryList->GetSelection();
            test::PumpUntil([&] { return ip->Address->Field(0)->HasFocus(); }, 1000);
            focusOnAddress = ip->Address->Field(0)->HasFocus();
            Click(dlg, wxID_OK);
            openAfterOk = dlg->IsModal();
            Click(dlg, wxID_CANCEL);
        },
        script, 2);
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(20370));
    EXPECT_FALSE(ok);
    EXPECT_EQ(categoryAfterRefusal, kLanPageIp);
    EXPECT_EQ(listAfterRefusal, kLanPageIp);
    EXPECT_TRUE(focusOnAddress);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(0, std::memcmp(Doc().Blocks().raw(), before.raw(), sizeof(ImageBlocks)));
}

TEST_F(LanSetDlgTest, CancelDiscardsWhatAnotherPageStored) {
    const MailBlock before = Doc().Blocks().mail;
    test::DialogScript script;
    const bool ok = Run(
        kLanPageMail,
        [&](CLANSetDlg* dlg) {
            auto* mail = dynamic_cast<CMailSetDlg*>(dlg->ShownPage());
            ASSERT_NE(mail, nullptr);
            mail->AddressEdit->SetValue("unit@example.com");
            PickCategory(dlg, kLanPageIp);
            EXPECT_EQ(dlg->CurrentCategory, kLanPageIp);
            EXPECT_EQ(FieldBytes(dlg->Copies.mail[0].data(), 64), "unit@example.com");
            Click(dlg, wxID_CANCEL);
        },
        script);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Doc().Blocks().mail, before);
}

// OK writes every page's copy, also of the pages left before; the bytes no
// page edits, a choice the list does not hold and a longer old password do
// not survive wrongly.
TEST_F(LanSetDlgTest, OkWritesTheCopiesKeepingWhatNoPageEdits) {
    ImageBlocks& b = Doc().Blocks();
    b.ip.SetU8(0x16, 0x42);
    b.mail[0].SetU8(mailsrv::kValue2, 7);
    b.mail[1].SetU8(0, 0x61);
    b.ftp[0].SetU16(ftpdest::kValue1, 45);
    test::DialogScript script;
    bool passwordMasked = false;
    wxString accountUser;
    const bool ok = Run(
        kLanPageFtp,
        [&](CLANSetDlg* dlg) {
            auto* ftp = dynamic_cast<CFTPSetDlg*>(dlg->ShownPage());
            ASSERT_NE(ftp, nullptr);
            accountUser = ftp->AccountUserEdit->GetValue();
            passwordMasked = ftp->AccountPasswordEdit->HasFlag(wxTE_PASSWORD) &&
                             ftp->PasswordEdit->HasFlag(wxTE_PASSWORD);
            EXPECT_EQ(ftp->TimeoutList->GetSelection(), wxNOT_FOUND);
            ftp->AccountPasswordEdit->SetValue("pw");
            PickCategory(dlg, kLanPageMail);
            auto* mail = dynamic_cast<CMailSetDlg*>(dlg->ShownPage());
            ASSERT_NE(mail, nullptr);
            EXPECT_TRUE(mail->PasswordEdit->HasFlag(wxTE_PASSWORD));
            EXPECT_EQ(mail->IntervalList->GetSelection(), wxNOT_FOUND);
            EXPECT_EQ(mail->TimeoutList->GetStringSelection(), "30");
            mail->SmtpByIp->SetValue(true);
            mail->UpdateSmtpServerControls();
            mail->SmtpIp->SetOctets(std::array<uint8_t, 4>{10, 0, 0, 9}.data());
            PickCategory(dlg, kLanPageIp);
            auto* ip = dynamic_cast<CIPSetDlg*>(dlg->ShownPage());
            ASSERT_NE(ip, nullptr);
            ip->Address->SetOctets(std::array<uint8_t, 4>{10, 0, 0, 5}.data());
            Click(dlg, wxID_OK);
        },
        script);
    EXPECT_TRUE(ok);
    EXPECT_EQ(accountUser, "admin");
    EXPECT_TRUE(passwordMasked);
    EXPECT_EQ(b.ip.U8(0), 10);
    EXPECT_EQ(b.ip.U8(3), 5);
    EXPECT_EQ(b.ip.U8(0x16), 0x42);
    EXPECT_EQ(b.mail[0].U8(mailsrv::kSmtpIsIp), 1);
    EXPECT_EQ(b.mail[0].U8(mailsrv::kSmtp + 3), 9);
    EXPECT_EQ(b.mail[0].U8(mailsrv::kValue2), 7);
    EXPECT_EQ(b.mail[1].U8(0), 0x61);
    EXPECT_EQ(b.ftp[0].U16(ftpdest::kValue1), 45);
    EXPECT_EQ(FieldBytes(b.ftpAccount.data() + ftpacct::kPassword, 32), "pw");
    EXPECT_EQ(b.ftpAccount.U8(ftpacct::kPassword + 2), 0) << "nothing of the old password left";
}

// The file editor opens the dialog on the mail-server or the FTP page.
TEST_F(LanSetDlgTest, FileEditorOpensTheMailAndFtpPages) {
    Doc().currentItem = 1;
    CFileSetDlg editor(app.MainFrame(), Doc(), false);
    std::vector<int> opened;
    test::DialogScript script;
    for (int i = 0; i < 2; ++i)
        script.Then([&](wxDialog* d) {
            if (auto* dlg = dynamic_cast<CLANSetDlg*>(d))
                opened.push_back(dlg->CurrentCategory);
            return static_cast<int>(wxID_CANCEL);
        });
    for (wxWindow* button : {static_cast<wxWindow*>(editor.MailServerButton),
                             static_cast<wxWindow*>(editor.FtpButton)}) {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(click);
    }
    EXPECT_EQ(opened, (std::vector<int>{kLanPageMail, kLanPageFtp}));
}

} // namespace
} // namespace qv
