#include "ResourceScript.h"

#include "Win32Defs.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace dlg {
namespace {

using namespace win32;

// A build without exceptions (the browser's) stops where others throw: the
// script is the program's own, so a fault in it shows at the first start.
[[noreturn]] void RaiseParseError(const std::string& what) {
#if defined(__cpp_exceptions)
    throw ParseError(what);
#else
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
#endif
}

const std::map<std::string_view, uint32_t>& StyleNames() {
    static const std::map<std::string_view, uint32_t> names = {
        {"WS_POPUP", WS_POPUP},
        {"WS_CHILD", WS_CHILD},
        {"WS_VISIBLE", WS_VISIBLE},
        {"WS_DISABLED", WS_DISABLED},
        {"WS_CAPTION", WS_CAPTION},
        {"WS_BORDER", WS_BORDER},
        {"WS_VSCROLL", WS_VSCROLL},
        {"WS_HSCROLL", WS_HSCROLL},
        {"WS_SYSMENU", WS_SYSMENU},
        {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP},
        {"WS_MINIMIZEBOX", WS_MINIMIZEBOX},
        {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
        {"WS_EX_TRANSPARENT", WS_EX_TRANSPARENT},
        {"WS_EX_APPWINDOW", WS_EX_APPWINDOW},
        {"DS_MODALFRAME", DS_MODALFRAME},
        {"DS_SETFONT", DS_SETFONT},
        {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"ES_READONLY", ES_READONLY},
        {"SS_LEFT", SS_LEFT},
        {"SS_CENTER", SS_CENTER},
        {"SS_ICON", SS_ICON},
        {"SS_BITMAP", SS_BITMAP},
        {"SS_NOPREFIX", SS_NOPREFIX},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON},
        {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
        {"BS_GROUPBOX", BS_GROUPBOX},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
        {"CBS_DROPDOWN", CBS_DROPDOWN},
        {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
        {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL},
        {"CBS_SORT", CBS_SORT},
    };
    return names;
}

struct Token {
    enum Kind { Word, Number, String, Punct, End } kind = End;
    std::string text;
    long value = 0;
    int line = 0;
};

// Names that stand for numbers: IDOK and IDCANCEL, which every resource
// compiler knows from the system's headers, and the script's own #defines.
using Symbols = std::map<std::string, long, std::less<>>;

class Lexer {
public:
    Lexer(std::string_view src, const Symbols& symbols) : m_src(src), m_symbols(symbols) { Advance(); }

    const Token& Peek() const { return m_tok; }

    Token Next() {
        Token t = m_tok;
        Advance();
        return t;
    }

    [[noreturn]] void Fail(const std::string& what) const { FailAt(m_tok.line, what); }

    [[noreturn]] static void FailAt(int line, const std::string& what) {
        RaiseParseError("resource script line " + std::to_string(line) + ": " + what);
    }

    std::string Word() {
        if (m_tok.kind != Token::Word) Fail("expected a keyword, found '" + m_tok.text + "'");
        return Next().text;
    }

    bool AtNumber() const { return m_tok.kind == Token::Number || (m_tok.kind == Token::Word && m_symbols.count(m_tok.text)); }

    long Number() {
        if (m_tok.kind == Token::Word) {
            const auto it = m_symbols.find(m_tok.text);
            if (it == m_symbols.end()) Fail("expected a number, found the undefined name '" + m_tok.text + "'");
            Advance();
            return it->second;
        }
        if (m_tok.kind != Token::Number) Fail("expected a number, found '" + m_tok.text + "'");
        return Next().value;
    }


    std::string String() {
        if (m_tok.kind != Token::String) Fail("expected a string, found '" + m_tok.text + "'");
        return Next().text;
    }

    void Expect(char punct) {
        if (m_tok.kind != Token::Punct || m_tok.text[0] != punct)
            Fail(std::string("expected '") + punct + "', found '" + m_tok.text + "'");
        Advance();
    }

    bool Accept(char punct) {
        if (m_tok.kind == Token::Punct && m_tok.text[0] == punct) {
            Advance();
            return true;
        }
        return false;
    }

    bool AtWord(std::string_view w) const { return m_tok.kind == Token::Word && m_tok.text == w; }

    // Skips the rest of the current source line (used for preprocessor lines).
    void SkipLine() {
        while (m_pos < m_src.size() && m_src[m_pos] != '\n') ++m_pos;
        Advance();
    }

private:
    void Advance() {
        SkipSpaceAndComments();
        m_tok = Token{};
        m_tok.line = m_line;
        if (m_pos >= m_src.size()) return;
        const char c = m_src[m_pos];
        if (c == '"') {
            m_tok.kind = Token::String;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_src.size()) Fail("unterminated string");
                const char s = m_src[m_pos++];
                if (s == '"') {
                    if (m_pos < m_src.size() && m_src[m_pos] == '"') {
                        m_tok.text += '"';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                if (s == '\n') Fail("unterminated string");
                if (s == '\\' && m_pos < m_src.size()) {
                    const char e = m_src[m_pos++];
                    m_tok.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    continue;
                }
                m_tok.text += s;
            }
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
            m_tok.kind = Token::Number;
            const size_t start = m_pos++;
            while (m_pos < m_src.size() && std::isalnum(static_cast<unsigned char>(m_src[m_pos]))) ++m_pos;
            m_tok.text = std::string(m_src.substr(start, m_pos - start));
            char* end = nullptr;
            m_tok.value = std::strtol(m_tok.text.c_str(), &end, 0);
            if (*end != '\0') Fail("bad number '" + m_tok.text + "'");
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '#') {
            m_tok.kind = Token::Word;
            const size_t start = m_pos++;
            while (m_pos < m_src.size() &&
                   (std::isalnum(static_cast<unsigned char>(m_src[m_pos])) || m_src[m_pos] == '_'))
                ++m_pos;
            m_tok.text = std::string(m_src.substr(start, m_pos - start));
        } else {
            m_tok.kind = Token::Punct;
            m_tok.text = std::string(1, c);
            ++m_pos;
        }
    }

    void SkipSpaceAndComments() {
        while (m_pos < m_src.size()) {
            const char c = m_src[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (m_src.substr(m_pos, 2) == "//") {
                while (m_pos < m_src.size() && m_src[m_pos] != '\n') ++m_pos;
            } else if (m_src.substr(m_pos, 2) == "/*") {
                const size_t end = m_src.find("*/", m_pos + 2);
                const size_t stop = end == std::string_view::npos ? m_src.size() : end + 2;
                for (size_t i = m_pos; i < stop; ++i)
                    if (m_src[i] == '\n') ++m_line;
                m_pos = stop;
            } else {
                break;
            }
        }
    }

    std::string_view m_src;
    const Symbols& m_symbols;
    size_t m_pos = 0;
    int m_line = 1;
    Token m_tok;
};

uint32_t ParseStyle(Lexer& lex) {
    uint32_t bits = 0;
    do {
        if (lex.AtNumber()) {
            bits |= static_cast<uint32_t>(lex.Number());
        } else {
            const int line = lex.Peek().line;
            const std::string name = lex.Word();
            const auto it = StyleNames().find(name);
            if (it == StyleNames().end()) Lexer::FailAt(line, "unknown style " + name);
            bits |= it->second;
        }
    } while (lex.Accept('|'));
    return bits;
}

DluRect ParseRect(Lexer& lex) {
    DluRect r;
    r.x = static_cast<int>(lex.Number());
    lex.Expect(',');
    r.y = static_cast<int>(lex.Number());
    lex.Expect(',');
    r.width = static_cast<int>(lex.Number());
    lex.Expect(',');
    r.height = static_cast<int>(lex.Number());
    return r;
}

// CONTROL text, id, class, style, x, y, width, height [, exstyle]
ControlTemplate ParseControl(Lexer& lex) {
    ControlTemplate c;
    if (lex.AtNumber())
        c.imageId = static_cast<int>(lex.Number());
    else
        c.text = Utf8ToUtf16(lex.String());
    lex.Expect(',');
    c.id = static_cast<int>(lex.Number());
    lex.Expect(',');
    c.className = lex.String();
    lex.Expect(',');
    c.style = ParseStyle(lex);
    lex.Expect(',');
    c.rect = ParseRect(lex);
    if (lex.Accept(',')) c.exStyle = ParseStyle(lex);
    return c;
}

DialogTemplate ParseDialog(Lexer& lex, int id, bool extended) {
    DialogTemplate d;
    d.id = id;
    d.extended = extended;
    d.rect = ParseRect(lex);
    while (!lex.AtWord("BEGIN")) {
        const int line = lex.Peek().line;
        const std::string option = lex.Word();
        if (option == "STYLE") {
            d.style = ParseStyle(lex);
        } else if (option == "EXSTYLE") {
            d.exStyle = ParseStyle(lex);
        } else if (option == "CAPTION") {
            d.caption = Utf8ToUtf16(lex.String());
        } else if (option == "MENU") {
            d.menuId = static_cast<int>(lex.Number());
        } else if (option == "LANGUAGE") {
            lex.Word();
            lex.Expect(',');
            lex.Word();
        } else if (option == "FONT") {
            d.fontPoints = static_cast<int>(lex.Number());
            lex.Expect(',');
            d.fontFace = Utf8ToUtf16(lex.String());
            while (lex.Accept(',')) lex.Number();  // weight, italic, charset
        } else {
            Lexer::FailAt(line, "unknown dialog option " + option);
        }
    }
    lex.Word();  // BEGIN
    while (!lex.AtWord("END")) {
        const std::string statement = lex.Word();
        if (statement != "CONTROL") lex.Fail("only CONTROL statements are used in dialogs, found " + statement);
        d.controls.push_back(ParseControl(lex));
    }
    lex.Word();  // END
    return d;
}

MenuTemplate ParseMenu(Lexer& lex, int id) {
    MenuTemplate m;
    m.id = id;
    if (lex.Word() != "BEGIN") lex.Fail("expected BEGIN");
    while (!lex.AtWord("END")) {
        if (lex.Word() != "MENUITEM") lex.Fail("only MENUITEM is used in menus");
        MenuItem item;
        item.text = Utf8ToUtf16(lex.String());
        lex.Expect(',');
        item.commandId = static_cast<int>(lex.Number());
        m.items.push_back(item);
    }
    lex.Word();
    return m;
}

void ParseStringTable(Lexer& lex, std::map<int, std::u16string>& strings) {
    if (lex.Word() != "BEGIN") lex.Fail("expected BEGIN");
    while (!lex.AtWord("END")) {
        const int id = static_cast<int>(lex.Number());
        lex.Accept(',');
        strings[id] = Utf8ToUtf16(lex.String());
    }
    lex.Word();
}

}  // namespace

ControlKind ControlTemplate::kind() const {
    if (className == "Edit") return ControlKind::Edit;
    if (className == "ComboBox") return ControlKind::ComboBox;
    if (className == "SysTabControl32") return ControlKind::TabControl;
    if (className == "Static") {
        switch (style & SS_TYPEMASK) {
        case SS_ICON: return ControlKind::Icon;
        case SS_BITMAP: return ControlKind::Picture;
        default: return ControlKind::Label;
        }
    }
    if (className == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_GROUPBOX: return ControlKind::GroupBox;
        case BS_AUTORADIOBUTTON: return ControlKind::RadioButton;
        case BS_AUTOCHECKBOX: return ControlKind::CheckBox;
        default: return ControlKind::PushButton;
        }
    }
    RaiseParseError("unknown control class " + className);
}

const DialogTemplate& ResourceScript::dialog(int id) const {
    const auto it = dialogs.find(id);
    if (it == dialogs.end()) RaiseParseError("no dialog template " + std::to_string(id));
    return it->second;
}

// `#define NAME NUMBER` adds a name; `#include "FILE"` reads the file's
// #defines; other preprocessor lines (#pragma) say nothing to the parser.
void ParsePreprocessorLine(Lexer& lex, Symbols& symbols, const ResourceScript::IncludeReader& include, int depth) {
    const int line = lex.Peek().line;
    const std::string directive = lex.Peek().text;
    if (directive == "#define") {
        lex.Word();
        const std::string name = lex.Word();
        symbols[name] = lex.Number();
    } else if (directive == "#include") {
        lex.Word();
        const std::string name = lex.String();
        if (!include) Lexer::FailAt(line, "cannot include " + name + " here");
        if (depth > 8) Lexer::FailAt(line, "includes nest too deep at " + name);
        const std::string text = include(name);
        Lexer header(text, symbols);
        while (header.Peek().kind != Token::End) {
            if (header.Peek().kind == Token::Word && header.Peek().text[0] == '#')
                ParsePreprocessorLine(header, symbols, include, depth + 1);
            else
                header.Fail("an included file holds only preprocessor lines");
        }
    } else {
        lex.SkipLine();
    }
}

ResourceScript ResourceScript::Parse(std::string_view text, const IncludeReader& include) {
    ResourceScript script;
    Symbols symbols{{"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}};
    Lexer lex(text, symbols);
    while (lex.Peek().kind != Token::End) {
        if (lex.Peek().kind == Token::Word && lex.Peek().text[0] == '#') {
            ParsePreprocessorLine(lex, symbols, include, 0);
            continue;
        }
        if (lex.AtWord("STRINGTABLE")) {
            lex.Word();
            ParseStringTable(lex, script.strings);
            continue;
        }
        const int id = static_cast<int>(lex.Number());
        const std::string type = lex.Word();
        if (type == "DIALOG" || type == "DIALOGEX") {
            script.dialogs[id] = ParseDialog(lex, id, type == "DIALOGEX");
            for (const ControlTemplate& c : script.dialogs[id].controls) c.kind();  // validate classes
        } else if (type == "MENU") {
            script.menus[id] = ParseMenu(lex, id);
        } else if (type == "ICON" || type == "BITMAP") {
            script.files[id] = lex.String();
        } else {
            lex.Fail("unknown resource type " + type);
        }
    }
    return script;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b >> 5) == 0x6 && i + 1 < utf8.size()) {
            cp = ((b & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            len = 2;
        } else if ((b >> 4) == 0xE && i + 2 < utf8.size()) {
            cp = ((b & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            len = 3;
        } else if ((b >> 3) == 0x1E && i + 3 < utf8.size()) {
            cp = ((b & 0x07u) << 18) | ((utf8[i + 1] & 0x3Fu) << 12) | ((utf8[i + 2] & 0x3Fu) << 6) |
                 (utf8[i + 3] & 0x3Fu);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

}  // namespace dlg
