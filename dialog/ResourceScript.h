#pragma once
// Dialog templates, menus and strings as the resource script under res/ states
// them. Parsing is plain C++ so that every front end builds its windows from
// the same data.

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dlg {

struct DluRect {
    int x = 0, y = 0, width = 0, height = 0;
};

enum class ControlKind {
    Edit,
    Label,
    Icon,
    Picture,
    GroupBox,
    RadioButton,
    CheckBox,
    PushButton,
    ComboBox,
    TabControl,
};

struct ControlTemplate {
    int id = -1;
    std::string className;
    std::u16string text;
    int imageId = 0;  // the resource an icon or picture control shows
    uint32_t style = 0;
    uint32_t exStyle = 0;
    DluRect rect;

    ControlKind kind() const;
    bool has(uint32_t bits) const { return (style & bits) == bits; }
};

struct DialogTemplate {
    int id = 0;
    bool extended = false;
    DluRect rect;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::u16string caption;
    std::u16string fontFace;
    int fontPoints = 0;
    int menuId = 0;
    std::vector<ControlTemplate> controls;  // template order is tab order
};

struct MenuItem {
    std::u16string text;
    int commandId = 0;
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuItem> items;
};

struct ResourceScript {
    std::map<int, DialogTemplate> dialogs;
    std::map<int, MenuTemplate> menus;
    std::map<int, std::u16string> strings;
    std::map<int, std::string> files;  // ICON and BITMAP resources: id -> file

    const DialogTemplate& dialog(int id) const;

    // The text of a file the script includes (`#include "resource.h"`), by
    // the name the script gives it.
    using IncludeReader = std::function<std::string(std::string_view name)>;

    // Throws ParseError naming the line for anything it does not understand.
    // Numbers may be given by the names that `#define` lines (in the script
    // or in a file it includes) give them, as a resource compiler reads them.
    static ResourceScript Parse(std::string_view text, const IncludeReader& include = nullptr);
};

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace dlg
