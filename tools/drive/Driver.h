#pragma once
// Plays a scenario against the real main window: one command per line, each
// followed by the events it caused, printing what the scenario asks to see.

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

class QWidget;

struct DriveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The commands of one scenario, carried out on a main window that is shown.
class DriveSession {
public:
    DriveSession(QWidget* window, std::ostream& out);
    ~DriveSession();

    // Carries out one command line; throws DriveError when it cannot.
    void Execute(const std::string& line);
    bool Closed() const { return m_closed; }

    // Also accept "shot FILE": save what the window shows as a PNG.
    bool screenshots = false;
    // Take list items as the keyboard does in the open list, without waiting
    // out the list's guard against a too early click.
    bool quickChoose = false;

private:
    void Execute(const std::string& command, const std::string& argument);
    QWidget* ShownPage() const;
    QWidget* ShownControl(int id) const;
    QWidget* FocusTarget() const;

    void Tab(int index);
    void Focus(int id);
    void Click(int id);
    void Choose(int id, int index);
    void Type(const std::string& text);
    void Key(const std::string& name);
    void Dump();
    void Help();
    void Close();
    void Shot(const std::string& path);

    QWidget* m_window;
    std::ostream& m_out;
    bool m_closed = false;
    bool m_tracing = false;
};

// Runs the main window with a scenario.
class Driver {
public:
    Driver(std::ostream& out, std::ostream& err);

    void EnableScreenshots() { m_screenshots = true; }

    // 0 when every command was carried out, 2 at the first that could not be
    // (reported as "line N: REASON").
    int Run(const std::vector<std::string>& lines);

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_screenshots = false;
};
