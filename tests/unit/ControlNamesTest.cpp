#include "ProgramScript.h"
#include "dialog/ControlNames.h"
#include "dialog/Win32Defs.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The name of every control with an id, and of the one picture, by id (0).
std::map<int, std::u16string> NamesById(const dlg::DialogTemplate& tpl, std::u16string_view title) {
    const std::vector<std::u16string> names = dlg::ControlNames(tpl, title);
    std::map<int, std::u16string> byId;
    for (size_t i = 0; i < tpl.controls.size(); ++i) {
        const dlg::ControlTemplate& c = tpl.controls[i];
        if (c.id != -1) byId[c.id] = names[i];
        if (c.kind() == dlg::ControlKind::Picture) byId[0] = names[i];
    }
    return byId;
}

struct PageNames {
    const char* page;
    int templateId;
    const char16_t* title;
    std::map<int, std::u16string> names;  // what a user reads beside each field, and the picture (0)
};

void PrintTo(const PageNames& page, std::ostream* out) { *out << page.page; }

class ProgramPages : public ::testing::TestWithParam<PageNames> {};

// Radio buttons keep their own texts; every field gets the label on its row.
TEST_P(ProgramPages, NameEveryFieldByTheLabelBesideIt) {
    const PageNames& page = GetParam();
    EXPECT_EQ(NamesById(ProgramScript().dialog(page.templateId), page.title), page.names);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, ProgramPages,
    ::testing::Values(
        // Labels to the right of their fields. The square-inch label ends one
        // unit before the square-foot field, whose own label is to its right.
        PageNames{"UnitConverter",
                  130,
                  u"单位换算",
                  {{1001, u"m(米)"},
                   {1002, u"cm(厘米)"},
                   {1003, u"mm(毫米)"},
                   {1004, u"μm(微米)"},
                   {1005, u"μ\"(微英寸)"},
                   {1006, u"mil(密耳)"},
                   {1007, u"inch(英寸)"},
                   {1008, u"kg(千克)"},
                   {1009, u"g(克)"},
                   {1010, u"oz(盎司)"},
                   {1015, u"oz(盎司)"},
                   {1016, u"mil(密耳)"},
                   {1017, u"μm(微米)"},
                   {1011, u"mm^2(平方毫米)"},
                   {1013, u"inch^2(平方英寸))"},
                   {1018, u"m^2(平方米)"},
                   {1019, u"foot^2(平方英尺)"}}},
        // Labels to the left; the angle box is judged by its top line, not by
        // its drop-down list, which reaches past the labels of B to C.
        PageNames{"VCut",
                  131,
                  u"V-CUT削铜",
                  {{1017, u""},
                   {1018, u""},
                   {1020, u"A值:"},
                   {1021, u"B值:"},
                   {1022, u"D值:"},
                   {1023, u"F值:"},
                   {1024, u"C值:"},
                   {0, u"V-CUT削铜图示"}}},
        // The fields come before their labels in template order.
        PageNames{"GoldFinger",
                  132,
                  u"金手指倒角",
                  {{1030, u""}, {1029, u""}, {1024, u"C值"}, {1028, u"A值"}, {1026, u"D值"}, {1027, u"L值"}, {0, u"金手指倒角图示"}}},
        // The preset list stands right of A's narrow field, on A's row.
        PageNames{"Countersink",
                  133,
                  u"沉头孔",
                  {{1031, u""},
                   {1032, u""},
                   {1033, u"H值"},
                   {1034, u"D值"},
                   {1035, u"C值"},
                   {1036, u"B值"},
                   {1037, u"A值"},
                   {1038, u"A值"},
                   {0, u"沉头孔图示"}}}),
    [](const ::testing::TestParamInfo<PageNames>& info) { return std::string(info.param.page); });

dlg::ControlTemplate Control(const char* className, uint32_t style, int id, const char16_t* text, dlg::DluRect rect) {
    dlg::ControlTemplate c;
    c.className = className;
    c.style = style;
    c.id = id;
    c.text = text;
    c.rect = rect;
    return c;
}

dlg::ControlTemplate Edit(int id, dlg::DluRect rect) { return Control("Edit", 0, id, u"", rect); }
dlg::ControlTemplate Label(const char16_t* text, dlg::DluRect rect) { return Control("Static", 0, -1, text, rect); }
dlg::ControlTemplate Frame(const char16_t* text, dlg::DluRect rect) {
    return Control("Button", win32::BS_GROUPBOX, -1, text, rect);
}

TEST(LabelBeside, TakesNoLabelFromAnotherRowOrTheOtherSide) {
    dlg::DialogTemplate tpl;
    tpl.controls = {Label(u"above", {0, 0, 20, 9}), Edit(1, {24, 12, 40, 12}), Label(u"right", {68, 14, 20, 9}),
                    Edit(2, {24, 30, 40, 12}), Label(u"left", {0, 32, 20, 9})};
    // Both fields find a label on the right and the left, one field each.
    EXPECT_EQ(dlg::LabelBeside(tpl, 1), nullptr);
    ASSERT_NE(dlg::LabelBeside(tpl, 3), nullptr);
    EXPECT_EQ(dlg::LabelBeside(tpl, 3)->text, u"left");
    // A label elsewhere in the row, farther off, gives way to the nearer one.
    tpl.controls.push_back(Label(u"far", {0, 14, 10, 9}));
    tpl.controls.push_back(Label(u"near", {12, 14, 10, 9}));
    ASSERT_NE(dlg::LabelBeside(tpl, 1), nullptr);
    EXPECT_EQ(dlg::LabelBeside(tpl, 1)->text, u"near");
    EXPECT_EQ(dlg::LabelBeside(tpl, 0), nullptr);  // a label is no field
}

TEST(LabelBeside, IgnoresEmptyTextsAndLabelsOverlappingTheField) {
    dlg::DialogTemplate tpl;
    tpl.controls = {Edit(1, {20, 0, 40, 12}), Label(u"", {10, 2, 8, 9}), Label(u"under", {30, 2, 8, 9})};
    EXPECT_EQ(dlg::LabelBeside(tpl, 0), nullptr);
    EXPECT_EQ(dlg::ControlNames(tpl, u"")[0], u"");
}

TEST(ControlNames, NameAPictureByTheDialogAndItsInnermostFrame) {
    dlg::DialogTemplate tpl;
    tpl.controls = {Frame(u"outer", {0, 0, 200, 200}), Control("Static", win32::SS_BITMAP, -1, u"", {10, 20, 50, 50}),
                    Frame(u"inner", {5, 10, 60, 70}), Control("Static", win32::SS_BITMAP, -1, u"", {100, 100, 150, 50})};
    const std::vector<std::u16string> names = dlg::ControlNames(tpl, u"Page ");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"", u"Page inner", u"", u"Page "}));
    EXPECT_EQ(dlg::ControlNames(tpl, u"")[1], u"inner");
}

// Group boxes hold what they frame: a nested frame its outer one, a control
// the innermost around it; a control that sticks out of a frame is not in it.
TEST(EnclosingGroup, IsTheInnermostFrameAroundTheWholeControl) {
    dlg::DialogTemplate tpl;
    tpl.controls = {Edit(1, {10, 10, 40, 12}), Frame(u"outer", {0, 0, 200, 200}), Frame(u"inner", {5, 5, 100, 50}),
                    Edit(2, {120, 10, 40, 12}), Edit(3, {90, 30, 40, 12}), Edit(4, {250, 10, 40, 12})};
    const auto frameOf = [&](size_t index) {
        const int frame = dlg::EnclosingGroup(tpl, index);
        return frame != -1 ? tpl.controls[static_cast<size_t>(frame)].text : std::u16string(u"none");
    };
    EXPECT_EQ(frameOf(0), u"inner");
    EXPECT_EQ(frameOf(1), u"none");
    EXPECT_EQ(frameOf(2), u"outer");
    EXPECT_EQ(frameOf(3), u"outer");
    EXPECT_EQ(frameOf(4), u"outer");  // half outside the inner frame
    EXPECT_EQ(frameOf(5), u"none");
}

TEST(EnclosingGroup, FramesTheConverterFieldsByTheirGroups) {
    const dlg::DialogTemplate& tpl = ProgramScript().dialog(130);
    std::map<int, std::u16string> frames;
    for (size_t i = 0; i < tpl.controls.size(); ++i)
        if (tpl.controls[i].id != -1)
            frames[tpl.controls[i].id] = tpl.controls[static_cast<size_t>(dlg::EnclosingGroup(tpl, i))].text;
    EXPECT_EQ(frames[1007], u"长度");
    EXPECT_EQ(frames[1008], u"质量");
    EXPECT_EQ(frames[1015], u"铜箔厚度计算");
    EXPECT_EQ(frames[1019], u"铜箔面积");
}

}  // namespace
