#pragma once
// The scenario commands on the Win32 main window: input arrives as the
// messages the system would post for it, into the dialog message loop.

#include "InProcessSession.h"
#include "dialog/Dialog.h"
#include "dialog/win32/Windows.h"

#include <iosfwd>
#include <string>
#include <vector>

class DriveSession : public InProcessSession {
public:
    DriveSession(CDialog& mainWindow, std::ostream& out);

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
    HWND ShownPage() const;
    HWND ShownControl(int id) const;
    HWND FocusTarget() const;
    // Sends `command` to the main window and reads the box it opens.
    BoxContents OpenBox(UINT message, WPARAM command);

    CDialog& m_dialog;
    HWND m_window;
};
