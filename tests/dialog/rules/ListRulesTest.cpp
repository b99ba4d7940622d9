// Edit selections (EM_SETSEL, EM_LINELENGTH) and combo box lists (CB_ADDSTRING
// into a sorted list, CB_SETCURSEL, GetLBText).

#include "RulesFixture.h"

#include "dialog/CaseFold.h"

using namespace win32;

namespace rules {
namespace {

struct SelCase {
    const char* name;
    int start, end;   // as the page asks
    const char* sent; // what the front end is asked for
};

class SetSelClamping : public Rules, public testing::WithParamInterface<SelCase> {};

TEST_P(SetSelClamping, GivesTheFrontEndASelectionWithinTheText) {
    Probe probe;
    Open(probe);
    probe.SetDlgItemText(10, u"abcde");
    RecordingDialog::calls.clear();
    probe.SetSel(10, GetParam().start, GetParam().end);
    EXPECT_EQ(RecordingDialog::calls, (Log{std::string("SetSelection 10 ") + GetParam().sent}));
}

INSTANTIATE_TEST_SUITE_P(EmSetSel, SetSelClamping,
    testing::Values(SelCase{"Within", 1, 3, "1,3"},
                    SelCase{"Backwards", 4, 1, "4,1"},
                    SelCase{"EndMinusOneIsTheEnd", 2, -1, "2,5"},
                    SelCase{"EndPastTheTextIsTheEnd", 0, 99, "0,5"},
                    SelCase{"StartPastTheText", 9, 9, "5,5"},
                    SelCase{"StartBelowZero", -5, 2, "0,2"},
                    SelCase{"StartMinusOneDropsTheSelection", -1, 3, "-1,-1"}),
    [](const testing::TestParamInfo<SelCase>& info) { return std::string(info.param.name); });

TEST_F(Rules, SetSelReachesAComboBoxsEditPartAndNoLabel) {
    Probe probe;
    Open(probe);
    probe.SetDlgItemText(14, u"abc");
    RecordingDialog::calls.clear();
    probe.SetSel(14, 0, -1);
    probe.SetSel(12, 0, -1);
    EXPECT_EQ(RecordingDialog::calls, (Log{"SetSelection 14 0,3"}));
}

TEST_F(Rules, LineLengthCountsTheLineOrItsUnselectedCharacters) {
    Probe probe;
    Open(probe);
    probe.SetDlgItemText(10, u"abcde");
    probe.SetSel(10, 4, 1);
    EXPECT_EQ(probe.LineLength(10, -1), 2);
    EXPECT_EQ(probe.LineLength(10, 0), 5);
    probe.SetSel(10, 2, 2);
    EXPECT_EQ(probe.LineLength(10, -1), 5);
    EXPECT_EQ(probe.LineLength(14, -1), 0);  // a combo box has no lines
    EXPECT_EQ(probe.LineLength(4242, -1), 0);
}

TEST_F(Rules, GetSelOfAMissingControlIsZero) {
    Probe probe;
    Open(probe);
    int start = 7, end = 7;
    probe.GetSel(4242, start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
}

// The order a CBS_SORT list gives the items added to it, one after another.
struct SortCase {
    const char* name;
    std::vector<CString> added;
    std::vector<CString> listed;
};

class SortedList : public Rules, public testing::WithParamInterface<SortCase> {};

TEST_P(SortedList, ListsTheItemsCaseFolded) {
    Probe probe;
    Open(probe);
    for (const CString& item : GetParam().added) probe.AddString(13, item);
    std::vector<CString> listed;
    for (int i = 0; i < static_cast<int>(GetParam().added.size()); ++i) listed.push_back(probe.GetLBText(13, i));
    EXPECT_EQ(listed, GetParam().listed);
    EXPECT_EQ(probe.GetCurSel(13), -1);  // adding selects nothing
}

INSTANTIATE_TEST_SUITE_P(CbsSort, SortedList,
    testing::Values(
        SortCase{"Ascii", {u"60degree", u"20degree", u"45degree"}, {u"20degree", u"45degree", u"60degree"}},
        SortCase{"CaseIsFolded", {u"beta", u"Alpha", u"alpha2"}, {u"Alpha", u"alpha2", u"beta"}},
        SortCase{"TheFirstOfEqualsStaysFirst", {u"b", u"B", u"b"}, {u"b", u"B", u"b"}},
        SortCase{"FoldedToLowerCaseBeforePunctuation", {u"a", u"_", u"Z"}, {u"_", u"a", u"Z"}},
        SortCase{"LatinBeyondAscii", {u"Öl", u"öffnen", u"Ähre"}, {u"Ähre", u"öffnen", u"Öl"}},
        SortCase{"Cyrillic", {u"Дом", u"арка", u"Банк"}, {u"арка", u"Банк", u"Дом"}},
        SortCase{"Greek", {u"Ωμέγα", u"άλφα", u"Βήτα", u"Σίγμα", u"σ"}, {u"άλφα", u"Βήτα", u"σ", u"Σίγμα", u"Ωμέγα"}},
        SortCase{"OutsideTheBasicPlane", {u"\U00010428b", u"\U00010400a"}, {u"\U00010400a", u"\U00010428b"}},
        SortCase{"ChineseByCodePoint", {u"45度", u"120度", u"20度"}, {u"120度", u"20度", u"45度"}}),
    [](const testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST_F(Rules, AnUnsortedListKeepsTheOrderOfAdding) {
    Probe probe;
    Open(probe);
    EXPECT_EQ(probe.AddString(14, u"b"), 0);
    EXPECT_EQ(probe.AddString(14, u"a"), 1);
    EXPECT_EQ(probe.GetLBText(14, 1), u"a");
}

TEST_F(Rules, AddStringAnswersTheIndexAndOnlyAComboBoxTakesItems) {
    Probe probe;
    Open(probe);
    EXPECT_EQ(probe.AddString(13, u"b"), 0);
    EXPECT_EQ(probe.AddString(13, u"a"), 0);
    EXPECT_EQ(probe.AddString(13, u"c"), 2);
    EXPECT_EQ(probe.AddString(10, u"x"), -1);
    EXPECT_EQ(probe.AddString(4242, u"x"), -1);
}

TEST_F(Rules, SetCurSelOutsideTheListSelectsNothingAndGetLBTextOutsideItIsEmpty) {
    Probe probe;
    Open(probe);
    probe.AddString(14, u"a");
    probe.SetCurSel(14, 0);
    EXPECT_EQ(probe.GetCurSel(14), 0);
    probe.SetCurSel(14, 5);
    EXPECT_EQ(probe.GetCurSel(14), -1);
    EXPECT_EQ(probe.GetLBText(14, 1), u"");
    EXPECT_EQ(probe.GetLBText(14, -1), u"");
    EXPECT_EQ(probe.GetCurSel(10), -1);
}

TEST(CaseFold, FoldsBySimpleCaseFolding) {
    EXPECT_EQ(dlg::FoldCase(U'A'), U'a');
    EXPECT_EQ(dlg::FoldCase(U'a'), U'a');
    EXPECT_EQ(dlg::FoldCase(U'Ä'), U'ä');
    EXPECT_EQ(dlg::FoldCase(U'Σ'), U'σ');
    EXPECT_EQ(dlg::FoldCase(U'ς'), U'σ');
    EXPECT_EQ(dlg::FoldCase(U'\u1E9E'), U'ß');  // capital sharp s: its simple folding
    EXPECT_EQ(dlg::FoldCase(U'\U00010400'), U'\U00010428');
    EXPECT_EQ(dlg::FoldCase(U'度'), U'度');
    EXPECT_EQ(dlg::CompareFolded(u"ABC", u"abc"), 0);
    EXPECT_LT(dlg::CompareFolded(u"ab", u"ABC"), 0);
    EXPECT_GT(dlg::CompareFolded(u"b", u"A"), 0);
}

}  // namespace
}  // namespace rules
