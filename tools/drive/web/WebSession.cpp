#include "WebSession.h"

#include <ostream>

namespace {

int Number(const std::string& text) { return std::stoi(text); }

Choices ChoicesOf(const std::vector<std::string>& answer) {
    Choices choices;
    choices.current = Number(answer.at(0));
    choices.items.assign(answer.begin() + 1, answer.end());
    return choices;
}

BoxContents BoxOf(const std::vector<std::string>& answer) {
    BoxContents box;
    box.title = answer.at(0);
    box.texts.assign(answer.begin() + 1, answer.end());
    return box;
}

}  // namespace

WebSession::WebSession(BrowserPage& page, std::ostream& out) : ScenarioSession(out), m_page(page) {}

std::vector<std::string> WebSession::Ask(const std::string& op, const std::vector<std::string>& arguments) {
    std::vector<std::string> request{op};
    request.insert(request.end(), arguments.begin(), arguments.end());
    return m_page.Ask(request);
}

// The program's writes that the last action made, printed after it.
void WebSession::Settle() {
    for (const std::string& write : Ask("settle")) m_out << write << "\n";
}

void WebSession::TraceWrites(bool on) { Ask("trace", {on ? "on" : "off"}); }

void WebSession::Tab(int index) { Ask("tab", {std::to_string(index)}); }
void WebSession::Focus(int id) { Ask("focus", {std::to_string(id)}); }
void WebSession::Click(int id) { Ask("click", {std::to_string(id)}); }
void WebSession::Choose(int id, int index) { Ask("choose", {std::to_string(id), std::to_string(index)}); }

// One character at a time, each followed by what it caused, as a typist does.
void WebSession::Type(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        size_t length = 1;
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0) length = 4;
        else if (lead >= 0xE0) length = 3;
        else if (lead >= 0xC0) length = 2;
        Ask("type", {text.substr(i, length)});
        i += length;
        Settle();
    }
}

// As the DevTools protocol and WebDriver name the keys: the modifiers, then the key.
void WebSession::Key(const KeyStroke& stroke) {
    static const char* const names[] = {"Enter", "Escape", "Tab", "Backspace", "Delete", "Home", "End", "ArrowLeft",
                                        "ArrowRight", "ArrowUp", "ArrowDown", "PageUp", "PageDown", "a", "h"};
    std::string chord;
    if (stroke.ctrl) chord += "Control+";
    if (stroke.shift) chord += "Shift+";
    if (stroke.alt) chord += "Alt+";
    Ask("key", {chord + names[stroke.key]});
}

std::string WebSession::Text(int id) { return Ask("text", {std::to_string(id)}).at(0); }

std::vector<std::pair<int, std::string>> WebSession::Fields() {
    const std::vector<std::string> answer = Ask("fields");
    std::vector<std::pair<int, std::string>> fields;
    for (size_t i = 0; i + 1 < answer.size(); i += 2) fields.emplace_back(Number(answer[i]), answer[i + 1]);
    return fields;
}

std::optional<int> WebSession::FocusId() {
    const std::string focus = Ask("focus-id").at(0);
    if (focus.empty()) return std::nullopt;
    return Number(focus);
}

int WebSession::Checked(int id) { return Number(Ask("checked", {std::to_string(id)}).at(0)); }

std::pair<int, int> WebSession::Selection(int id) {
    const std::vector<std::string> answer = Ask("selection", {std::to_string(id)});
    return {Number(answer.at(0)), Number(answer.at(1))};
}

Choices WebSession::List(int id) { return ChoicesOf(Ask("list", {std::to_string(id)})); }
Choices WebSession::TabLabels() { return ChoicesOf(Ask("tabs")); }
std::string WebSession::Title() { return Ask("title").at(0); }

std::vector<std::pair<std::string, std::string>> WebSession::AccessibleNames() {
    const std::vector<std::string> answer = Ask("names");
    std::vector<std::pair<std::string, std::string>> names;
    for (size_t i = 0; i + 1 < answer.size(); i += 2) names.emplace_back(answer[i], answer[i + 1]);
    return names;
}

BoxContents WebSession::Help() { return BoxOf(Ask("help")); }

BoxContents WebSession::SystemMenuAbout(std::string&) {
    throw DriveError("the window menu belongs to the browser here");
}

void WebSession::Close() { Ask("close"); }
void WebSession::Shot(const std::string& path) { Ask("shot", {path}); }
