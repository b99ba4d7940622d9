#pragma once
// Plays a scenario against the real main window: one command per line, each
// followed by the events it caused, printing what the scenario asks to see.

#include "InProcessSession.h"

#include <iosfwd>
#include <string>
#include <vector>

class QWidget;

// The scenario commands on the Qt main window, shown.
class DriveSession : public InProcessSession {
public:
    DriveSession(QWidget* window, std::ostream& out);

    // Take list items as the keyboard does in the open list, without waiting
    // out the list's guard against a too early click.
    bool quickChoose = false;

protected:
    void Settle() override;
    void Tab(int index) override;
    void Focus(int id) override;
    void Click(int id) override;
    void Choose(int id, int index) override;
    void Type(const std::string& text) override;
    void Key(const KeyStroke& stroke) override;
    std::string Text(int id) override;
    std::vector<std::pair<int, std::string>> Fields() override;
    std::optional<int> FocusId() override;
    int Checked(int id) override;
    std::pair<int, int> Selection(int id) override;
    Choices List(int id) override;
    Choices TabLabels() override;
    std::string Title() override;
    std::vector<std::pair<std::string, std::string>> AccessibleNames() override;
    BoxContents Help() override;
    BoxContents SystemMenuAbout(std::string& itemText) override;
    void Close() override;
    void Shot(const std::string& path) override;

private:
    QWidget* ShownPage() const;
    QWidget* ShownControl(int id) const;
    QWidget* FocusTarget() const;

    QWidget* m_window;
};
