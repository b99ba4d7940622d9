#pragma once
// User events played against the real main window, each one expressible as
// a lamino-drive line so that a failing sequence can be replayed by hand.

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class CMainDlg;
class QWidget;

struct UserEvent {
    enum Kind { Tab, Focus, Type, Key, Paste, Click, Choose } kind = Tab;
    int id = 0;     // tab index, control id
    int index = 0;  // list item for Choose
    QString text;   // typed or pasted text, or the key's name

    // The lamino-drive lines that do the same.
    std::vector<std::string> DriveLines() const;
};

// Builds events from a stream of choices (random numbers or fuzzer bytes),
// aimed at the controls of the page that is shown.
class EventMaker {
public:
    // `next(n)` returns a choice in [0, n).
    template <class Next>
    UserEvent Make(Next&& next, int shownTab) const;

    static const std::vector<int>& FieldsOf(int tab);   // edit fields and combo boxes
    static const std::vector<int>& RadiosOf(int tab);
    static const std::vector<int>& CombosOf(int tab);
};

// The main window, shown and active, and the means to play events on it.
class EventPlayer {
public:
    explicit EventPlayer(CMainDlg& dialog);

    void Play(const UserEvent& event);
    int ShownTab() const;
    QWidget* Page(int tab) const;
    QWidget* Control(int tab, int id) const;

private:
    CMainDlg& m_dialog;
};

template <class Next>
UserEvent EventMaker::Make(Next&& next, int shownTab) const {
    static const char* const kTokens[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "-", "+", ".",
                                          "e", "E", "x", "a", ",", " ", "度", "\xF0\x9F\x98\x80", "00", "1.5",
                                          "inf", "nan", "0x1p3", "1e400", "\t"};
    static const char* const kKeys[] = {"Backspace", "Delete", "Home", "End", "Left", "Right", "SelectAll", "Enter",
                                        "Esc", "Tab"};
    UserEvent event;
    const int roll = static_cast<int>(next(100));
    if (roll < 3) {
        event.kind = UserEvent::Tab;
        event.id = static_cast<int>(next(4));
    } else if (roll < 15) {
        event.kind = UserEvent::Focus;
        const auto& fields = FieldsOf(shownTab);
        event.id = fields[next(fields.size())];
    } else if (roll < 62) {
        event.kind = UserEvent::Type;
        const int count = 1 + static_cast<int>(next(3));
        for (int i = 0; i < count; ++i) event.text += QString::fromUtf8(kTokens[next(std::size(kTokens))]);
    } else if (roll < 82) {
        event.kind = UserEvent::Key;
        event.text = QString::fromLatin1(kKeys[next(std::size(kKeys))]);
    } else if (roll < 84) {
        event.kind = UserEvent::Paste;
        const int length = next(10) == 0 ? 1 + static_cast<int>(next(100000)) : 1 + static_cast<int>(next(40));
        const QString digits = QStringLiteral("0123456789.e-");
        for (int i = 0; i < length; ++i) event.text += digits[static_cast<int>(next(digits.size()))];
    } else if (roll < 92 && !RadiosOf(shownTab).empty()) {
        event.kind = UserEvent::Click;
        event.id = RadiosOf(shownTab)[next(RadiosOf(shownTab).size())];
    } else if (!CombosOf(shownTab).empty()) {
        event.kind = UserEvent::Choose;
        event.id = CombosOf(shownTab)[next(CombosOf(shownTab).size())];
        event.index = static_cast<int>(next(shownTab == 1 ? 4 : shownTab == 2 ? 3 : 2));
    } else {
        event.kind = UserEvent::Key;
        event.text = QStringLiteral("Enter");
    }
    return event;
}
