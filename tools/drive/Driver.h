#pragma once
// Plays a scenario against the real main window: one command per line, each
// followed by the events it caused, printing what the scenario asks to see.

#include <iosfwd>
#include <string>
#include <vector>

class QWidget;

class Driver {
public:
    Driver(std::ostream& out, std::ostream& err);

    // Also accept "shot FILE": save what the window shows as a PNG.
    void EnableScreenshots() { m_screenshots = true; }

    // Runs the main window with the commands; 0 when all were carried out,
    // 2 at the first that could not be (reported as "line N: REASON").
    int Run(const std::vector<std::string>& lines);

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

    std::ostream& m_out;
    std::ostream& m_err;
    QWidget* m_window = nullptr;
    bool m_closed = false;
    bool m_screenshots = false;
};
