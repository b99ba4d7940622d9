#include "ScenarioSession.h"

#include "dialog/Utf8.h"

#include <algorithm>
#include <ostream>

namespace {

int ParseInt(const std::string& text) {
    size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) throw DriveError("not a number: '" + text + "'");
    return value;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) joined += (i == 0 ? "" : "|") + items[i];
    return joined;
}

std::string OneLine(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) text.replace(at, 1, "\\n");
    return text;
}

}  // namespace

ScenarioSession::ScenarioSession(std::ostream& out) : m_out(out) {}

ScenarioSession::~ScenarioSession() = default;

void ScenarioSession::PrintWrite(int id, const std::u16string& text) { m_out << "> " << id << "=" << dlg::Utf16ToUtf8(text) << "\n"; }

const std::vector<std::pair<std::string, KeyStroke>>& ScenarioSession::Keys() {
    using K = KeyStroke;
    static const std::vector<std::pair<std::string, KeyStroke>> keys = {
        {"Enter", {K::Enter}},
        {"Esc", {K::Esc}},
        {"Tab", {K::Tab}},
        {"Backspace", {K::Backspace}},
        {"Delete", {K::Delete}},
        {"Home", {K::Home}},
        {"End", {K::End}},
        {"Left", {K::Left}},
        {"Right", {K::Right}},
        {"Up", {K::Up}},
        {"Down", {K::Down}},
        {"SelectAll", {K::A, true}},
        {"Shift+Tab", {K::Tab, false, true}},
        {"Ctrl+Tab", {K::Tab, true}},
        {"Ctrl+Shift+Tab", {K::Tab, true, true}},
        {"Ctrl+PageDown", {K::PageDown, true}},
        {"Ctrl+PageUp", {K::PageUp, true}},
        {"Alt+H", {K::H, false, false, true}},
    };
    return keys;
}

int ScenarioSession::Play(const std::vector<std::string>& lines, std::ostream& err) {
    for (size_t n = 0; n < lines.size(); ++n) {
        try {
            Execute(lines[n]);
        } catch (const std::exception& error) {
            err << "line " << n + 1 << ": " << error.what() << "\n";
            return 2;
        }
    }
    return 0;
}

void ScenarioSession::Execute(const std::string& line) {
    if (line.empty() || line[0] == '#' || line.find_first_not_of(" \t\r") == std::string::npos) return;
    if (m_closed) throw DriveError("the main window is closed");
    std::string text = line;
    if (text.back() == '\r') text.pop_back();
    const size_t space = text.find(' ');
    Execute(text.substr(0, space), space == std::string::npos ? std::string() : text.substr(space + 1));
    Settle();
}

void ScenarioSession::Execute(const std::string& command, const std::string& argument) {
    const auto id = [&] { return ParseInt(argument.substr(0, argument.find(' '))); };
    if (command == "tab") {
        Tab(ParseInt(argument));
    } else if (command == "focus") {
        Focus(id());
    } else if (command == "click") {
        Click(id());
    } else if (command == "choose") {
        const size_t space = argument.find(' ');
        if (space == std::string::npos) throw DriveError("choose needs a control and an item");
        Choose(ParseInt(argument.substr(0, space)), ParseInt(argument.substr(space + 1)));
    } else if (command == "type") {
        Type(argument);
    } else if (command == "key") {
        const auto known = std::find_if(Keys().begin(), Keys().end(), [&](const auto& key) { return key.first == argument; });
        if (known == Keys().end()) throw DriveError("unknown key '" + argument + "'");
        Key(known->second);
    } else if (command == "get") {
        m_out << id() << "=" << Text(id()) << "\n";
    } else if (command == "dump") {
        for (const auto& [field, text] : Fields()) m_out << field << "=" << text << "\n";
        const std::optional<int> focus = FocusId();
        m_out << "focus=" << (focus ? std::to_string(*focus) : std::string("none")) << "\n";
    } else if (command == "checked") {
        m_out << id() << "=" << Checked(id()) << "\n";
    } else if (command == "sel") {
        const auto [start, end] = Selection(id());
        m_out << id() << "=" << start << "," << end << "\n";
    } else if (command == "list") {
        const Choices list = List(id());
        m_out << id() << "=" << Joined(list.items) << " cur=" << list.current << "\n";
    } else if (command == "trace") {
        if (argument != "on" && argument != "off") throw DriveError("trace takes on or off");
        TraceWrites(argument == "on");
    } else if (command == "tabs") {
        const Choices tabs = TabLabels();
        m_out << Joined(tabs.items) << " cur=" << tabs.current << "\n";
    } else if (command == "title") {
        m_out << Title() << "\n";
    } else if (command == "names") {
        for (const auto& [control, name] : AccessibleNames()) m_out << control << "=" << name << "\n";
    } else if (command == "help") {
        PrintBox(Help());
    } else if (command == "sysmenu") {
        std::string item;
        const BoxContents box = SystemMenuAbout(item);
        m_out << "item=" << item << "\n";
        PrintBox(box);
    } else if (command == "close") {
        Close();
        m_closed = true;
        m_out << "closed\n";
    } else if (command == "shot" && screenshots) {
        Shot(argument);
    } else {
        throw DriveError("unknown command '" + command + "'");
    }
}

void ScenarioSession::PrintBox(const BoxContents& box) {
    m_out << "window=" << box.title << "\n";
    for (const std::string& text : box.texts)
        if (!text.empty()) m_out << "text=" << OneLine(text) << "\n";
    m_out << "closed\n";
}
