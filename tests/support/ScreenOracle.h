#pragma once
// What the four pages must show after a user event, judged from the texts on
// screen before and after it and from the program's writes during it.

#include "EventPlayer.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

struct PageScreen {
    std::map<int, QString> texts;  // edit fields and combo boxes' edit parts
    std::map<int, int> listSelection;
    std::map<int, QString> listItems;  // the selected item's text, empty for none
    std::map<int, bool> checked;
};

struct Screen {
    PageScreen pages[4];
    int shownTab = 0;
    int focusId = 0;
};

// A text the program wrote, and the control that held the focus meanwhile.
struct Write {
    int id;
    QString text;
    int focusId;
};

Screen Capture(const EventPlayer& player);

// An empty string when all holds, else what does not.
std::string Judge(const UserEvent& event, const Screen& before, const Screen& after, const std::vector<Write>& writes);
