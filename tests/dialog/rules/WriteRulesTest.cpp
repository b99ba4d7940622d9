// A program's writes: EN_CHANGE inside the call, the write observer, the
// computed-result rule and the focus gate.

#include "RulesFixture.h"

using namespace win32;

namespace rules {
namespace {

TEST_F(Rules, AWriteRaisesEnChangeInsideTheCallEvenForAnUnchangedText) {
    Probe probe;
    Open(probe);
    probe.SetDlgItemText(10, u"5");
    probe.log.push_back("returned");
    probe.SetDlgItemText(10, u"5");
    EXPECT_EQ(probe.log, (Log{"OnInitDialog", "EN_CHANGE 10 '5' focus=0", "returned", "EN_CHANGE 10 '5' focus=0"}));
}

TEST_F(Rules, AFrontEndWhoseEditRaisesItItselfGetsNoSecondEnChange) {
    RecordingDialog::raisesChangeItself = true;
    Probe probe;
    Open(probe);
    probe.SetDlgItemText(10, u"5");
    EXPECT_EQ(probe.log, (Log{"OnInitDialog", "EN_CHANGE 10 '5' focus=0"}));
}

TEST_F(Rules, AWriteOfALabelRaisesNothingAndAMissingIdIsLeftAlone) {
    Probe probe;
    Open(probe);
    RecordingDialog::calls.clear();
    probe.SetDlgItemText(12, u"x");
    probe.SetDlgItemText(4242, u"x");
    probe.SetDlgItemText(-1, u"x");
    EXPECT_EQ(probe.log, (Log{"OnInitDialog"}));
    EXPECT_EQ(RecordingDialog::calls, (Log{"SetText 12 'x'"}));
    EXPECT_EQ(probe.GetDlgItemText(12), u"x");
    EXPECT_EQ(probe.GetDlgItemText(4242), u"");
}

TEST_F(Rules, TheWriteObserverHearsOfEveryEditWriteBeforeTheText) {
    Probe probe;
    Open(probe);
    Log heard;
    CDialog::SetWriteObserver([&](int id, const CString& text) {
        heard.push_back(std::to_string(id) + "=" + Narrow(text) + " was '" + Narrow(probe.GetDlgItemText(id)) + "'");
    });
    probe.SetDlgItemText(10, u"1");
    probe.SetDlgItemText(10, u"1");
    probe.SetDlgItemText(12, u"label");
    EXPECT_EQ(heard, (Log{"10=1 was ''", "10=1 was '1'"}));
}

TEST_F(Rules, AWriteCallsTheNativeTextOnceAndDescribesNothingUnasked) {
    Probe probe;
    Open(probe);
    RecordingDialog::calls.clear();
    probe.SetDlgItemText(10, u"abc");
    EXPECT_EQ(RecordingDialog::calls, (Log{"SetText 10 'abc'"}));
}

// The focus gate: a handler sees which field the user works in.
TEST_F(Rules, AHandlerSeesTheFieldThatHasTheFocus) {
    Probe probe;
    Open(probe);
    probe.SetFocus(11);
    probe.Native().Type(11, u"7");
    probe.SetDlgItemText(10, u"8");
    EXPECT_EQ(probe.log, (Log{"OnInitDialog", "EN_CHANGE 11 '7' focus=11", "EN_CHANGE 10 '8' focus=11"}));
}

// When a write puts a computed result into a field, and so what a screen
// reader adds to it: IDS_RESULT_FIELD.
struct ResultCase {
    const char* name;
    int focus;        // the control the user is in (0: none)
    int changing;     // the field whose EN_CHANGE writes (0: none)
    const char16_t* text;
    bool described;
};

class ComputedResult : public Rules, public testing::WithParamInterface<ResultCase> {};

TEST_P(ComputedResult, IsDescribedAsOne) {
    const ResultCase& c = GetParam();
    Probe probe;
    Open(probe);
    if (c.focus != 0) probe.SetFocus(c.focus);
    if (c.changing != 0) {
        probe.answerId = 10;
        probe.answerText = c.text;
        probe.Native().Type(c.changing, u"1");
    } else {
        probe.SetDlgItemText(10, c.text);
    }
    EXPECT_EQ(probe.Native().controls.at(10).description, c.described ? u"计算结果" : u"");
}

INSTANTIATE_TEST_SUITE_P(Writes, ComputedResult,
    testing::Values(ResultCase{"WhileTheUserIsInAnotherField", 11, 0, u"5", true},
                    ResultCase{"NotWhileTheUserIsInTheFieldItself", 10, 0, u"5", false},
                    ResultCase{"NotWithTheFocusOffTheFields", 18, 0, u"5", false},
                    ResultCase{"NotWithNoFocus", 0, 0, u"5", false},
                    ResultCase{"NotForAnEmptiedField", 11, 0, u"", false},
                    ResultCase{"WhileAnsweringAnotherFieldsChange", 0, 11, u"5", true},
                    ResultCase{"NotEmptiedWhileAnsweringAnotherFieldsChange", 0, 11, u"", false}),
    [](const testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });

// Before its window shows, a dialog's focus is the one SetFocus gave it.
TEST_F(Rules, AFieldFocusedBeforeTheWindowShowsHoldsTheFocusForTheRules) {
    Probe probe;
    ASSERT_TRUE(probe.Create());
    probe.SetFocus(11);
    EXPECT_EQ(CDialog::GetFocusId(), 11);
    probe.SetDlgItemText(10, u"5");
    EXPECT_EQ(probe.Native().controls.at(10).description, u"计算结果");
    probe.ShowWindow(SW_SHOWNORMAL);
    EXPECT_EQ(CDialog::GetFocusId(), 0);  // shown, the window's own focus counts
}

}  // namespace
}  // namespace rules
