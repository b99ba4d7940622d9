// The focus a dialog opens with, its default button, buttons and the modal loop.

#include "RulesFixture.h"

using namespace win32;

namespace rules {
namespace {

struct FirstCase {
    const char* name;
    int templateId;
    int firstFocus;
    int defaultButton;
};

class Opening : public testing::TestWithParam<FirstCase> {};

TEST_P(Opening, FocusesTheFirstTabStopAndPressesTheDefaultButton) {
    const dlg::DialogTemplate& tpl = res::Script().dialog(GetParam().templateId);
    EXPECT_EQ(dlg::FirstFocusableId(tpl), GetParam().firstFocus);
    EXPECT_EQ(dlg::DefaultButtonId(tpl), GetParam().defaultButton);
}

INSTANTIATE_TEST_SUITE_P(Templates, Opening,
    testing::Values(FirstCase{"TheFirstTabStop", 100, 10, 18},
                    FirstCase{"FailingThatTheFirstControlThatTakesTheFocus", 101, 20, IDOK},
                    FirstCase{"NoneWhereNoControlTakesIt", 102, 0, IDOK}),
    [](const testing::TestParamInfo<FirstCase>& info) { return std::string(info.param.name); });

TEST_F(Rules, AModalDialogRunsOnInitDialogFocusesFirstThenShowsAndAnswersEndDialog) {
    Probe probe;
    RecordingDialog::whileModal = [](RecordingDialog& window) {
        RecordingDialog::calls.push_back("focus=" + std::to_string(CDialog::GetFocusId()));
        window.Owner().EndDialog(7);
    };
    EXPECT_EQ(probe.DoModal(), 7);
    EXPECT_EQ(RecordingDialog::calls, (Log{"Create 100 modal", "Created 100", "Focus 10", "ShowModal", "Focus 10",
                                           "RunModal", "focus=10", "EndModal 7"}));
    EXPECT_FALSE(probe.IsCreated());
}

TEST_F(Rules, AModalDialogWhoseOnInitDialogSaysNoKeepsItsOwnFocus) {
    Probe probe;
    probe.initFocus = false;
    probe.onInit = [](Probe& p) { p.SetFocus(11); };
    RecordingDialog::whileModal = [](RecordingDialog& window) { window.Owner().EndDialog(IDCANCEL); };
    EXPECT_EQ(probe.DoModal(), IDCANCEL);
    EXPECT_EQ(RecordingDialog::calls,
              (Log{"Create 100 modal", "Focus 11", "Created 100", "ShowModal", "Focus 11", "RunModal", "EndModal 2"}));
}

TEST_F(Rules, EnterAndEscReachOkAndCancelThatEndTheDialog) {
    Probe probe;
    RecordingDialog::whileModal = [](RecordingDialog& window) {
        window.Owner().OnCommand(IDCANCEL, BN_CLICKED);
    };
    EXPECT_EQ(probe.DoModal(), IDCANCEL);
    RecordingDialog::whileModal = [](RecordingDialog& window) { window.Owner().OnCommand(IDOK, BN_CLICKED); };
    EXPECT_EQ(probe.DoModal(), IDOK);
}

TEST_F(Rules, TheFocusOfADialogGoneIsForgotten) {
    {
        Probe probe;
        ASSERT_TRUE(probe.Create());
        probe.SetFocus(10);
        EXPECT_EQ(CDialog::GetFocusId(), 10);
    }
    EXPECT_EQ(CDialog::GetFocusId(), 0);
}

TEST_F(Rules, SetFocusOnAMissingControlChangesNothing) {
    Probe probe;
    Open(probe);
    probe.SetFocus(10);
    probe.SetFocus(4242);
    EXPECT_EQ(CDialog::GetFocusId(), 10);
}

TEST_F(Rules, ChecksAreOnlyThoseOfRadioButtonsAndCheckBoxes) {
    Probe probe;
    Open(probe);
    probe.SetCheck(15, BST_CHECKED);
    probe.SetCheck(10, BST_CHECKED);
    EXPECT_EQ(probe.GetCheck(15), BST_CHECKED);
    EXPECT_EQ(probe.GetCheck(16), BST_UNCHECKED);
    EXPECT_EQ(probe.GetCheck(10), BST_UNCHECKED);
    EXPECT_FALSE(probe.Native().controls.at(10).checked);
}

TEST_F(Rules, ADialogNotMadeAnswersNothing) {
    Probe probe;
    EXPECT_EQ(probe.GetDlgItemText(10), u"");
    probe.SetDlgItemText(10, u"x");
    EXPECT_EQ(probe.GetCurSel(13), -1);
    EXPECT_EQ(probe.AddString(13, u"x"), -1);
    EXPECT_FALSE(probe.IsWindowVisible());
    EXPECT_TRUE(probe.log.empty());
    EXPECT_TRUE(RecordingDialog::calls.empty());
}

}  // namespace
}  // namespace rules
