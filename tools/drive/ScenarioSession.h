#pragma once
// The scenario language of lamino-drive: one command per line, carried out on
// the real main window. This half reads the commands and prints what they
// ask to see; each front end supplies the actions on its own windows.

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct DriveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What the About box showed: its title and its texts in template order.
struct BoxContents {
    std::string title;
    std::vector<std::string> texts;
};

// A key of "key NAME": which key of the keyboard, and the modifiers held.
struct KeyStroke {
    enum Key { Enter, Esc, Tab, Backspace, Delete, Home, End, Left, Right, Up, Down, PageUp, PageDown, A, H };
    Key key = Enter;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// A list of labels and the index of the current one (-1 for none).
struct Choices {
    std::vector<std::string> items;
    int current = -1;
};

class ScenarioSession {
public:
    explicit ScenarioSession(std::ostream& out);
    virtual ~ScenarioSession();
    ScenarioSession(const ScenarioSession&) = delete;
    ScenarioSession& operator=(const ScenarioSession&) = delete;

    // Carries out one command line; throws DriveError when it cannot.
    void Execute(const std::string& line);
    // Carries out the lines in turn, stopping at the first that cannot be
    // carried out: 0, or 2 with "line N: REASON" told to `err`.
    int Play(const std::vector<std::string>& lines, std::ostream& err);
    bool Closed() const { return m_closed; }

    // Also accept "shot FILE": save what the window shows as a PNG.
    bool screenshots = false;

    // The keys "key NAME" knows, by name.
    static const std::vector<std::pair<std::string, KeyStroke>>& Keys();

protected:
    // Lets the events of the last action run to their end.
    virtual void Settle() = 0;

    virtual void Tab(int index) = 0;
    virtual void Focus(int id) = 0;
    virtual void Click(int id) = 0;
    virtual void Choose(int id, int index) = 0;
    virtual void Type(const std::string& text) = 0;
    virtual void Key(const KeyStroke& stroke) = 0;

    virtual std::string Text(int id) = 0;
    // The edit fields of the shown page by id, and the control with the focus.
    virtual std::vector<std::pair<int, std::string>> Fields() = 0;
    virtual std::optional<int> FocusId() = 0;
    virtual int Checked(int id) = 0;
    virtual std::pair<int, int> Selection(int id) = 0;
    virtual Choices List(int id) = 0;
    virtual Choices TabLabels() = 0;
    virtual std::string Title() = 0;
    // What assistive technology calls the shown page's controls, in template
    // order, but for its static texts: by id, or by kind ("picture", "group")
    // for the controls without one.
    virtual std::vector<std::pair<std::string, std::string>> AccessibleNames() = 0;

    // Open the About box from the Help item (or the system menu), read it and close it.
    virtual BoxContents Help() = 0;
    virtual BoxContents SystemMenuAbout(std::string& itemText) = 0;
    virtual void Close() = 0;
    virtual void Shot(const std::string& path) = 0;

    // "trace on": every program write of a field is printed, through PrintWrite.
    virtual void TraceWrites(bool on) = 0;
    void PrintWrite(int id, const std::u16string& text);

    std::ostream& m_out;

private:
    void Execute(const std::string& command, const std::string& argument);
    void PrintBox(const BoxContents& box);

    bool m_closed = false;
};

// Runs the main window with a scenario; each front end plays it on its own.
class Driver {
public:
    Driver(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    void EnableScreenshots() { m_screenshots = true; }

    // 0 when every command was carried out, 2 at the first that could not be
    // (reported as "line N: REASON").
    int Run(const std::vector<std::string>& lines);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_screenshots = false;
};
