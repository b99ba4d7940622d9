#include "ProgramScript.h"
#include "dialog/ResourceScript.h"
#include "dialog/Win32Defs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


using namespace win32;

namespace {

const char* const kScript = R"(
// comment
#pragma code_page(65001)
7 ICON "icon/x.ico"
200 DIALOGEX 0, 0, 100, 50
STYLE DS_SETFONT | WS_CHILD
CAPTION "标题"
MENU 9
FONT 10, "宋体", 0, 0, 0x1
BEGIN
    CONTROL "a""b\nc", 10, "Static", WS_CHILD | SS_LEFT | WS_GROUP, 1, 2, 3, 4
    /* a block
       comment */
    CONTROL 7, -1, "Static", SS_ICON, 5, 6, 7, 8, WS_EX_TRANSPARENT
    CONTROL "", 11, "ComboBox", CBS_DROPDOWN | CBS_SORT | WS_TABSTOP, 0, 0, 10, 40
END
9 MENU
BEGIN
    MENUITEM "帮助", 32771
END
STRINGTABLE
BEGIN
    101 "关于(&A)..."
END
)";

TEST(ResourceScript, ReadsDialogsMenusStringsAndFiles) {
    const dlg::ResourceScript script = dlg::ResourceScript::Parse(kScript);
    const dlg::DialogTemplate& d = script.dialog(200);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.rect.width, 100);
    EXPECT_EQ(d.style, DS_SETFONT | WS_CHILD);
    EXPECT_EQ(d.caption, u"标题");
    EXPECT_EQ(d.fontFace, u"宋体");
    EXPECT_EQ(d.fontPoints, 10);
    EXPECT_EQ(d.menuId, 9);
    ASSERT_EQ(d.controls.size(), 3u);
    EXPECT_EQ(d.controls[0].text, u"a\"b\nc");
    EXPECT_EQ(d.controls[0].kind(), dlg::ControlKind::Label);
    EXPECT_TRUE(d.controls[0].has(WS_GROUP));
    EXPECT_EQ(d.controls[1].kind(), dlg::ControlKind::Icon);
    EXPECT_EQ(d.controls[1].imageId, 7);
    EXPECT_EQ(d.controls[1].exStyle, WS_EX_TRANSPARENT);
    EXPECT_EQ(d.controls[2].kind(), dlg::ControlKind::ComboBox);
    EXPECT_EQ(d.controls[2].rect.height, 40);
    EXPECT_EQ(script.menus.at(9).items.at(0).commandId, 32771);
    EXPECT_EQ(script.menus.at(9).items.at(0).text, u"帮助");
    EXPECT_EQ(script.strings.at(101), u"关于(&A)...");
    EXPECT_EQ(script.files.at(7), "icon/x.ico");
}

// Numbers by name, as a resource compiler reads them: from the script's own
// #defines, from a header it includes, and IDOK from the system's.
TEST(ResourceScript, ReadsNumbersByTheNamesThatDefinesGiveThem) {
    const char* const header = "#pragma once\n// ids\n#define IDD_BOX 300\n#define IDC_STATIC -1\n#define IDC_HEX 0x40\n";
    const char* const script = R"(#include "names.h"
#define IDC_FIELD 12
IDD_BOX DIALOG 0, 0, 10, 10
BEGIN
    CONTROL "", IDC_FIELD, "Edit", WS_CHILD, 0, 0, 1, 1
    CONTROL "", IDC_STATIC, "Static", WS_CHILD, 0, 0, 1, 1
    CONTROL "", IDC_HEX, "Button", WS_CHILD, 0, 0, 1, 1
    CONTROL "", IDOK, "Button", WS_CHILD, 0, 0, 1, 1
END
)";
    std::vector<std::string> asked;
    const auto read = [&asked, header](std::string_view name) {
        asked.emplace_back(name);
        return std::string(header);
    };
    const dlg::ResourceScript parsed = dlg::ResourceScript::Parse(script, read);
    const dlg::DialogTemplate& box = parsed.dialog(300);
    EXPECT_EQ(asked, std::vector<std::string>{"names.h"});
    ASSERT_EQ(box.controls.size(), 4u);
    EXPECT_EQ(box.controls[0].id, 12);
    EXPECT_EQ(box.controls[1].id, -1);
    EXPECT_EQ(box.controls[2].id, 0x40);
    EXPECT_EQ(box.controls[3].id, IDOK);

    EXPECT_THROW(dlg::ResourceScript::Parse("#include \"names.h\"\n"), dlg::ParseError);  // nothing to read it with
    EXPECT_THROW(dlg::ResourceScript::Parse("IDD_NOWHERE DIALOG 0, 0, 1, 1\nBEGIN\nEND\n"), dlg::ParseError);
    EXPECT_THROW(dlg::ResourceScript::Parse("#include \"h\"\n", [](std::string_view) { return std::string("1 DIALOG"); }),
                 dlg::ParseError);  // a header holds only preprocessor lines
}

// The program's own script and header: every name it uses is defined.
TEST(ResourceScript, ReadsTheProgramsScriptByItsNames) {
    const dlg::ResourceScript& script = ProgramScript();
    EXPECT_EQ(script.dialog(102).controls.at(0).id, 1000);
    EXPECT_EQ(script.menus.at(129).items.at(0).commandId, 32771);
    EXPECT_EQ(script.files.at(139), "diagrams/vcut.svg");
    EXPECT_EQ(script.strings.at(200), u"计算结果");
}

TEST(ResourceScript, NamesTheLineOfWhatItCannotRead) {
    const auto message = [](const char* text) {
        try {
            dlg::ResourceScript::Parse(text);
        } catch (const dlg::ParseError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(message("1 DIALOG 0, 0, 1, 1\nSTYLE WS_BOGUS\nBEGIN\nEND").find("line 2: unknown style WS_BOGUS"),
              std::string::npos);
    EXPECT_NE(message("1 DIALOG 0, 0, 1, 1\nBEGIN\nCONTROL \"\", 1, \"Slider\", 0, 0, 0, 1, 1\nEND")
                  .find("unknown control class Slider"),
              std::string::npos);
    EXPECT_NE(message("1 DIALOG 0, 0, 1, 1\nBEGIN\nCONTROL \"open, 1").find("unterminated string"), std::string::npos);
    EXPECT_THROW(dlg::ResourceScript::Parse("").dialog(5), dlg::ParseError);
}

class ProgramTemplates : public ::testing::Test {
protected:
    static std::vector<int> Ids(int dialog) {
        std::vector<int> ids;
        for (const auto& c : script->dialog(dialog).controls)
            if (c.id != -1) ids.push_back(c.id);
        return ids;
    }

    static inline const dlg::ResourceScript* script = &ProgramScript();
};

TEST_F(ProgramTemplates, HaveTheirControlsInTabOrder) {
    EXPECT_EQ(script->dialog(130).controls.size(), 38u);
    EXPECT_EQ(Ids(130), (std::vector<int>{1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1015, 1016,
                                           1017, 1011, 1013, 1018, 1019}));
    EXPECT_EQ(script->dialog(131).controls.size(), 15u);
    EXPECT_EQ(Ids(131), (std::vector<int>{1017, 1018, 1020, 1021, 1022, 1023, 1024}));
    // The bevel page tabs C, A, D, L while it shows L, C, D, A from the top.
    EXPECT_EQ(Ids(132), (std::vector<int>{1030, 1029, 1024, 1028, 1026, 1027}));
    EXPECT_EQ(Ids(133), (std::vector<int>{1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038}));
}

TEST_F(ProgramTemplates, KeepTheLabelsAsWritten) {
    const auto& controls = script->dialog(130).controls;
    EXPECT_EQ(controls[9].text, u"μ\"(微英寸)");
    EXPECT_EQ(controls[33].text, u"inch^2(平方英寸))");
    EXPECT_EQ(script->dialog(131).controls[10].text, u"A值:");
    EXPECT_EQ(script->dialog(102).caption, u"Lamino");
    EXPECT_EQ(script->strings.at(101), u"关于 Lamino(&A)...");
}

TEST_F(ProgramTemplates, SortOnlyTheListsThatAreSorted) {
    const auto style = [](int dialog, int id) {
        for (const auto& c : script->dialog(dialog).controls)
            if (c.id == id) return c.style;
        return 0u;
    };
    EXPECT_TRUE(style(131, 1020) & CBS_SORT);
    EXPECT_TRUE(style(132, 1028) & CBS_SORT);
    EXPECT_FALSE(style(133, 1037) & CBS_SORT);
    EXPECT_FALSE(style(131, 1017) & WS_TABSTOP);
}

}  // namespace
