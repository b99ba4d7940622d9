#pragma once
// The scenario commands on lamino.html in a browser engine: each action is
// the user's input as the browser receives it (mouse and keys through its
// automation protocol), each question is read from the page, and names from
// the engine's accessibility machinery.

#include "BrowserPage.h"
#include "ScenarioSession.h"

class WebSession : public ScenarioSession {
public:
    WebSession(BrowserPage& page, std::ostream& out);

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
    void TraceWrites(bool on) override;

private:
    std::vector<std::string> Ask(const std::string& op, const std::vector<std::string>& arguments = {});
    BrowserPage& m_page;
};
