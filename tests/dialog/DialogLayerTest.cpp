// The Win32 behaviour the dialog layer promises on top of Qt, each through
// the real widgets.

#include "HostedPage.h"

#include <QPalette>

#include <string>
#include <vector>

using namespace win32;

namespace {

// A dialog on the V-cut template that writes down every notification with
// what the control showed at that moment.
class Probe : public CDialog {
public:
    explicit Probe(int templateId = 131) : CDialog(templateId) {}

    std::vector<std::string> log;
    bool insideWrite = false;

    std::string Sel(int id) const {
        int start = 0;
        int end = 0;
        GetSel(id, start, end);
        return std::to_string(start) + "," + std::to_string(end);
    }

protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map = {
            OnNotify(EN_CHANGE, 1021, &Probe::OnEdit),     OnNotify(EN_CHANGE, 1022, &Probe::OnEdit),
            OnNotify(CBN_SELCHANGE, 1020, &Probe::OnList), OnNotify(BN_CLICKED, 1017, &Probe::OnButton),
            OnNotify(BN_CLICKED, 1018, &Probe::OnButton),
        };
        return map;
    }
    void OnOK() override { log.push_back("OnOK"); }
    void OnCancel() override { log.push_back("OnCancel"); }
    bool PaintsWhiteBackground() const override { return true; }

private:
    void OnEdit(int id) {
        const CString text = GetDlgItemText(id);
        log.push_back("EN_CHANGE " + std::to_string(id) + " '" + std::string(text.begin(), text.end()) + "' " +
                      Sel(id) + (insideWrite ? " inside" : ""));
    }
    void OnList(int id) { log.push_back("CBN_SELCHANGE " + std::to_string(id) + " cur=" + std::to_string(GetCurSel(id))); }
    void OnButton(int id) {
        log.push_back("BN_CLICKED " + std::to_string(id) + " focus=" + std::to_string(GetFocusId()) +
                      " mm=" + std::to_string(GetCheck(1017)) + " mil=" + std::to_string(GetCheck(1018)));
    }
};

using Log = std::vector<std::string>;

TEST(ProgramWrite, NotifiesInsideTheCallEvenForAnUnchangedText) {
    Hosted<Probe> dialog;
    dialog.page.insideWrite = true;
    dialog.page.SetDlgItemText(1021, u"5");
    dialog.page.SetDlgItemText(1021, u"5");
    dialog.page.insideWrite = false;
    EXPECT_EQ(dialog.page.log, (Log{"EN_CHANGE 1021 '5' 0,0 inside", "EN_CHANGE 1021 '5' 0,0 inside"}));
}

TEST(ProgramWrite, PutsTheCaretAtTheStartOfAFocusedField) {
    Hosted<Probe> dialog;
    dialog.Focus(1021);
    dialog.Type("123");
    dialog.page.SetDlgItemText(1021, u"456");
    EXPECT_EQ(dialog.page.Sel(1021), "0,0");
    EXPECT_EQ(dialog.Text(1021), "456");
}

TEST(ProgramWrite, ToAMissingControlDoesNothing) {
    Hosted<Probe> dialog;
    dialog.page.SetDlgItemText(4242, u"x");
    EXPECT_TRUE(dialog.page.GetDlgItemText(4242).empty());
    EXPECT_TRUE(dialog.page.log.empty());
}

TEST(UserEdit, NotifiesOnceTheTextAndCaretHaveChanged) {
    Hosted<Probe> dialog;
    dialog.page.SetDlgItemText(1021, u"abc");
    dialog.page.log.clear();
    dialog.Focus(1021);  // all selected, as the Tab key leaves it
    dialog.Type("7");
    dialog.Key(Qt::Key_Backspace);
    EXPECT_EQ(dialog.page.log, (Log{"EN_CHANGE 1021 '7' 1,1", "EN_CHANGE 1021 '' 0,0"}));
}

TEST(UserEdit, ThatChangesNothingDoesNotNotify) {
    Hosted<Probe> dialog;
    dialog.Focus(1021);
    dialog.Key(Qt::Key_Backspace);
    dialog.Key(Qt::Key_Delete);
    EXPECT_TRUE(dialog.page.log.empty());
}

TEST(ComboList, AddingItemsSelectsNothingAndSortsWhereAsked) {
    Hosted<Probe> sorted;
    sorted.page.AddString(1020, u"b");
    sorted.page.AddString(1020, u"a");
    EXPECT_EQ(sorted.page.GetCurSel(1020), -1);
    EXPECT_EQ(sorted.page.GetLBText(1020, 0), u"a");
    EXPECT_EQ(sorted.Text(1020), "");

    Hosted<Probe> unsorted(133);
    unsorted.page.AddString(1037, u"90度");
    unsorted.page.AddString(1037, u"120度");
    EXPECT_EQ(unsorted.page.GetLBText(1037, 0), u"90度");
    EXPECT_EQ(unsorted.page.GetCurSel(1037), -1);
}

TEST(ComboList, SelectingByProgramShowsTheItemAndDoesNotNotify) {
    Hosted<Probe> dialog;
    dialog.page.AddString(1020, u"20degree");
    dialog.page.AddString(1020, u"30degree");
    dialog.page.SetCurSel(1020, 1);
    EXPECT_EQ(dialog.page.GetCurSel(1020), 1);
    EXPECT_EQ(dialog.Text(1020), "30degree");
    EXPECT_TRUE(dialog.page.log.empty());
    EXPECT_TRUE(dialog.page.GetLBText(1020, -1).empty());
}

TEST(ComboList, ThePickOfTheUserNotifies) {
    Hosted<Probe> dialog;
    dialog.page.AddString(1020, u"20degree");
    dialog.page.AddString(1020, u"30degree");
    dialog.page.SetCurSel(1020, 0);
    dialog.Focus(1020);
    dialog.Key(Qt::Key_Down);
    EXPECT_EQ(dialog.page.log, (Log{"CBN_SELCHANGE 1020 cur=1"}));
}

TEST(ComboList, TypingIntoTheEditPartLeavesNoItemSelectedAndSaysNothing) {
    Hosted<Probe> dialog;
    dialog.page.AddString(1020, u"20degree");
    dialog.page.AddString(1020, u"30degree");
    dialog.page.SetCurSel(1020, 1);
    dialog.Focus(1020);
    EXPECT_EQ(CDialog::GetFocusId(), 1020);  // the edit part answers for its combo box
    dialog.Type("20degree");
    EXPECT_EQ(dialog.page.GetCurSel(1020), -1);
    EXPECT_EQ(dialog.Text(1020), "20degree");
    EXPECT_TRUE(dialog.page.GetLBText(1020, dialog.page.GetCurSel(1020)).empty());
    EXPECT_TRUE(dialog.page.log.empty());
    dialog.Key(Qt::Key_Return);  // no item is added either
    EXPECT_EQ(dialog.Combo(1020)->count(), 2);
}

TEST(RadioButton, AClickTakesTheFocusMovesTheCheckThenNotifies) {
    Hosted<Probe> dialog;
    dialog.page.SetCheck(1017, BST_CHECKED);
    dialog.Focus(1021);
    dialog.Click(1018);
    dialog.Click(1018);
    EXPECT_EQ(dialog.page.log, (Log{"BN_CLICKED 1018 focus=1018 mm=0 mil=1", "BN_CLICKED 1018 focus=1018 mm=0 mil=1"}));
    // The checked button of the pair is its tab stop.
    EXPECT_EQ(dialog.Button(1018)->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(dialog.Button(1017)->focusPolicy(), Qt::ClickFocus);
}

// The arrow keys move the focus within the pair, around its ends, and check
// and click the button they come to; a click reaches the page with the focus
// already there. Keys that lead nowhere new change nothing.
TEST(RadioButton, ArrowKeysMoveTheFocusThenCheckAndClick) {
    Hosted<Probe> dialog;
    dialog.page.SetCheck(1017, BST_CHECKED);
    EXPECT_EQ(dialog.Button(1017)->focusPolicy(), Qt::StrongFocus);  // checked by the program, as BM_SETCHECK does
    dialog.Focus(1017);
    dialog.Key(Qt::Key_Down);
    dialog.Key(Qt::Key_Right);
    dialog.Key(Qt::Key_Left);
    dialog.Key(Qt::Key_Up);
    EXPECT_EQ(dialog.page.log, (Log{"BN_CLICKED 1018 focus=1018 mm=0 mil=1", "BN_CLICKED 1017 focus=1017 mm=1 mil=0",
                                    "BN_CLICKED 1018 focus=1018 mm=0 mil=1", "BN_CLICKED 1017 focus=1017 mm=1 mil=0"}));
    dialog.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(dialog.page.log.size(), 4u);
    EXPECT_EQ(CDialog::GetFocusId(), 1017);
}

// The Tab key reaches the checked button at its place in the template, and
// only that one.
TEST(RadioButton, TheCheckedOneIsATabStop) {
    Hosted<Probe> dialog;
    dialog.page.SetCheck(1018, BST_CHECKED);
    dialog.Focus(1020);
    dialog.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(CDialog::GetFocusId(), 1018);
    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(CDialog::GetFocusId(), 1020);
}

// Alt with a character is a menu key, whatever control has the focus.
TEST(AltKey, TypesNothingIntoAFieldOrAComboBox) {
    Hosted<Probe> dialog;
    for (int id : {1021, 1020}) {
        dialog.Focus(id);
        dialog.Type("1");
        dialog.Key(Qt::Key_H, Qt::AltModifier);
        dialog.Key(Qt::Key_5, Qt::AltModifier);
        EXPECT_EQ(dialog.Text(id), QStringLiteral("1")) << id;
    }
}

TEST(RadioButton, ChecksSetByProgramTouchNoOtherButtonAndDoNotNotify) {
    Hosted<Probe> dialog;
    dialog.page.SetCheck(1017, BST_CHECKED);
    dialog.page.SetCheck(1018, BST_CHECKED);
    EXPECT_EQ(dialog.page.GetCheck(1017), BST_CHECKED);
    EXPECT_EQ(dialog.page.GetCheck(1018), BST_CHECKED);
    dialog.page.SetCheck(1017, BST_UNCHECKED);
    dialog.page.SetCheck(1018, BST_UNCHECKED);
    EXPECT_EQ(dialog.page.GetCheck(1018), BST_UNCHECKED);
    EXPECT_TRUE(dialog.page.log.empty());
}

TEST(Focus, SetByProgramKeepsTheSelectionWhileTheTabKeySelectsAll) {
    Hosted<Probe> dialog;
    dialog.page.SetDlgItemText(1021, u"120");
    dialog.page.SetDlgItemText(1022, u"1.60");
    dialog.Focus(1022);
    dialog.page.SetSel(1021, 3, 3);
    dialog.page.SetFocus(1021);
    EXPECT_EQ(CDialog::GetFocusId(), 1021);
    EXPECT_EQ(dialog.page.Sel(1021), "3,3");
    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(CDialog::GetFocusId(), 1022);
    EXPECT_EQ(dialog.page.Sel(1022), "0,4");
}

TEST(Focus, TheTabKeySelectsAllOfAComboBoxEditPart) {
    Hosted<Probe> dialog;
    dialog.page.AddString(1020, u"30degree");
    dialog.page.SetCurSel(1020, 0);
    dialog.Focus(1021);
    dialog.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(CDialog::GetFocusId(), 1020);
    EXPECT_EQ(dialog.Combo(1020)->lineEdit()->selectedText(), QStringLiteral("30degree"));
}

TEST(Selection, FollowsTheEditMessages) {
    Hosted<Probe> dialog;
    dialog.page.SetDlgItemText(1021, u"12345");
    dialog.Focus(1021);
    dialog.page.SetSel(1021, 4, 1);  // the caret ends at the second position given
    EXPECT_EQ(dialog.page.Sel(1021), "1,4");
    EXPECT_EQ(dialog.Edit(1021)->cursorPosition(), 1);
    EXPECT_EQ(dialog.page.LineLength(1021, -1), 2);  // unselected characters
    dialog.page.SetSel(1021, 0, -1);
    EXPECT_EQ(dialog.page.Sel(1021), "0,5");
    dialog.page.SetSel(1021, 2, 2);
    EXPECT_EQ(dialog.page.LineLength(1021, -1), 5);
}

TEST(Keys, EnterAndEscGoToTheDialogsOkAndCancel) {
    Hosted<Probe> dialog;
    dialog.Focus(1021);
    dialog.Key(Qt::Key_Return);
    dialog.Key(Qt::Key_Escape);
    dialog.Focus(1020);
    dialog.Key(Qt::Key_Enter);
    EXPECT_EQ(dialog.page.log, (Log{"OnOK", "OnCancel", "OnOK"}));
    EXPECT_TRUE(dialog.Root()->isVisible());
}

TEST(Geometry, PlacesControlsByDialogUnitsOfTheTemplateFont) {
    Hosted<Probe> dialog;
    // Ten-point Song face: base units 7 x 13.
    QWidget* b = dialog.Control(1021);
    EXPECT_EQ(QRect(b->mapTo(dialog.Root(), QPoint(0, 0)), b->size()), QRect(354, 91, 89, 20));
    EXPECT_EQ(dialog.Root()->size(), QSize(471, 375));
    EXPECT_EQ(QFontInfo(dialog.Control(1021)->font()).family(), QStringLiteral("AR PL UMing CN"));
}

TEST(Background, IsWhiteOnPages) {
    Hosted<Probe> dialog;
    EXPECT_TRUE(dialog.Root()->autoFillBackground());
    EXPECT_EQ(dialog.Root()->palette().color(QPalette::Window), QColor(Qt::white));
}

}  // namespace
