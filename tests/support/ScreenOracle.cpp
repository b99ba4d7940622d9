#include "ScreenOracle.h"

#include "dialog/qt/DialogWindow.h"
#include "pages/Geometry.h"
#include "pages/NumberText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace {

double Read(const QString& text) { return ParseNumberText(text.toStdU16String()); }
QString Shown(double value) { return QString::fromStdU16String(FormatValue(value)); }

bool IsFormatted(const QString& text) {
    static const QRegularExpression formatted(QStringLiteral("^-?(\\d+\\.\\d{6}|inf|nan)$"));
    return formatted.match(text).hasMatch();
}

std::string Say(const QString& what) { return what.toStdString(); }

// A handler's writes come to a bounded number per keystroke; a cascade of
// notifications would run past it.
std::string TooMany(const UserEvent& event, const std::vector<Write>& writes, size_t perKeystroke) {
    const size_t keystrokes = event.kind == UserEvent::Type ? std::max<size_t>(1, event.text.toUcs4().size()) : 1;
    if (writes.size() <= perKeystroke * keystrokes) return {};
    return std::to_string(writes.size()) + " writes for " + std::to_string(keystrokes) + " keystrokes";
}

// The converter's groups: each unit's factor to and from the group's hub.
struct Unit {
    int id;
    double toHub;
    double fromHub;
};
const std::vector<std::vector<Unit>>& Groups() {
    static const std::vector<std::vector<Unit>> groups = {
        {{1001, 1000, 0.001}, {1002, 10, 0.1}, {1003, 1, 1}, {1004, 0.001, 1000}, {1005, 2.54e-05, 39370.07874015748},
         {1006, 0.0254, 39.37007874015748}, {1007, 25.4, 0.03937007874015748}},
        {{1008, 1000, 0.001}, {1009, 1, 1}, {1010, 28.349523125, 0.03527396194958}},
        {{1015, 35, 0.02857142857142857}, {1017, 1, 1}, {1016, 25.4, 0.03937007874015748}},
        {{1011, 1, 1}, {1018, 1000000, 1e-06}, {1013, 645.16, 0.0015500031000062},
         {1019, 92903.03999999998, 1.0763910416709725e-05}},
    };
    return groups;
}

std::string JudgeConverter(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                           const std::vector<Write>& writes, int focus) {
    // Enter reaches the page while the focus is on one of its fields.
    if (event.kind == UserEvent::Key && event.text == QLatin1String("Enter") && after.texts.count(focus)) {
        for (const auto& [id, text] : after.texts)
            if (!text.isEmpty()) return "Enter left field " + std::to_string(id) + " holding " + Say(text);
        return {};
    }
    if (std::string many = TooMany(event, writes, 6); !many.empty()) return many;
    for (const std::vector<Unit>& group : Groups()) {
        const auto source = std::find_if(group.begin(), group.end(), [&](const Unit& u) { return u.id == focus; });
        const bool sourceChanged = source != group.end() && before.texts.at(focus) != after.texts.at(focus);
        for (const Unit& unit : group) {
            const bool written = std::any_of(writes.begin(), writes.end(), [&](const Write& w) { return w.id == unit.id; });
            if (written && source == group.end()) return "field " + std::to_string(unit.id) + " written from outside its group";
            if (unit.id == focus) {
                if (written) return "the typed field " + std::to_string(focus) + " was rewritten";
                continue;
            }
            if (sourceChanged || written) {
                const QString expected = Shown(Read(after.texts.at(focus)) * source->toHub * unit.fromHub);
                if (after.texts.at(unit.id) != expected)
                    return "field " + std::to_string(unit.id) + " shows " + Say(after.texts.at(unit.id)) + ", not " +
                           Say(expected) + " from " + std::to_string(focus) + "=" + Say(after.texts.at(focus));
            } else if (before.texts.at(unit.id) != after.texts.at(unit.id)) {
                return "field " + std::to_string(unit.id) + " changed with no conversion";
            }
        }
    }
    return {};
}

std::string JudgeUnits(const UserEvent& event, const PageScreen& before, const PageScreen& after, int mm, int mil,
                       const std::vector<int>& lengths) {
    if (after.checked.at(mm) == after.checked.at(mil)) return "the unit buttons are both checked or both clear";
    if (event.kind != UserEvent::Click || !after.checked.count(event.id)) return {};
    if (!after.checked.at(event.id)) return "the clicked unit " + std::to_string(event.id) + " is not checked";
    const bool switched = before.checked.at(event.id) != after.checked.at(event.id);
    for (int id : lengths) {
        if (switched && !IsFormatted(after.texts.at(id)))
            return "after a unit switch field " + std::to_string(id) + " holds " + Say(after.texts.at(id));
        if (!switched && before.texts.at(id) != after.texts.at(id))
            return "a click on the unit in force changed field " + std::to_string(id);
    }
    return {};
}

bool Wrote(const std::vector<Write>& writes, int id) {
    return std::any_of(writes.begin(), writes.end(), [id](const Write& w) { return w.id == id; });
}

double Angle(const PageScreen& page, int combo) { return Read(page.listItems.at(combo)); }

std::string Expect(const PageScreen& page, int id, const QString& expected, const char* what) {
    if (page.texts.at(id) == expected) return {};
    return std::string(what) + " shows " + Say(page.texts.at(id)) + ", the formula gives " + Say(expected);
}

std::string JudgeVCut(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                      const std::vector<Write>& writes) {
    if (std::string many = TooMany(event, writes, 7); !many.empty()) return many;
    if (std::string units = JudgeUnits(event, before, after, 1017, 1018, {1021, 1022, 1023}); !units.empty()) return units;
    const double k = after.checked.at(1017) ? 0.1 : 4;
    const bool inputsChanged = before.texts.at(1021) != after.texts.at(1021) ||
                               before.texts.at(1022) != after.texts.at(1022) ||
                               before.texts.at(1023) != after.texts.at(1023) ||
                               // typing into the box's edit part clears the selection and computes nothing
                               (event.kind == UserEvent::Choose &&
                                before.listSelection.at(1020) != after.listSelection.at(1020)) ||
                               before.checked.at(1017) != after.checked.at(1017);
    if (inputsChanged || Wrote(writes, 1024))
        return Expect(after, 1024,
                      Shown(VCutClearance(Angle(after, 1020), Read(after.texts.at(1021)), Read(after.texts.at(1022)),
                                          Read(after.texts.at(1023)), k)),
                      "C");
    return {};
}

std::string JudgeGoldFinger(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                            const std::vector<Write>& writes, int focus) {
    if (std::string many = TooMany(event, writes, 3); !many.empty()) return many;
    if (std::string units = JudgeUnits(event, before, after, 1030, 1029, {1026, 1027}); !units.empty()) return units;
    const double A = Angle(after, 1028);
    const double C = Read(after.texts.at(1024));
    const double D = Read(after.texts.at(1026));
    const double L = Read(after.texts.at(1027));
    const bool typed = event.kind == UserEvent::Type || event.kind == UserEvent::Key || event.kind == UserEvent::Paste;
    const bool userChanged = typed && after.texts.count(focus) && before.texts.at(focus) != after.texts.at(focus);
    if (Wrote(writes, 1024) || (userChanged && (focus == 1026 || focus == 1027)))
        if (std::string e = Expect(after, 1024, Shown(BevelEndFace(D, L, A)), "C"); !e.empty()) return e;
    // L is derived while C has the focus; a unit switch converts it instead.
    const bool derivedL = std::any_of(writes.begin(), writes.end(), [](const Write& w) {
        return w.id == 1027 && w.focusId == 1024;
    });
    if (derivedL || (userChanged && focus == 1024))
        if (std::string e = Expect(after, 1027, Shown(BevelLength(C, D, A)), "L"); !e.empty()) return e;
    return {};
}

std::string JudgeCountersink(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                             const std::vector<Write>& writes) {
    if (std::string many = TooMany(event, writes, 4); !many.empty()) return many;
    if (std::string units = JudgeUnits(event, before, after, 1031, 1032, {1036, 1035, 1034}); !units.empty())
        return units;
    const bool inputsChanged = before.texts.at(1038) != after.texts.at(1038) ||
                               before.texts.at(1036) != after.texts.at(1036) ||
                               before.texts.at(1035) != after.texts.at(1035);
    if (inputsChanged || Wrote(writes, 1033))
        return Expect(after, 1033,
                      Shown(CountersinkDepth(Read(after.texts.at(1038)), Read(after.texts.at(1036)),
                                             Read(after.texts.at(1035)))),
                      "H");
    return {};
}

}  // namespace

Screen Capture(const EventPlayer& player) {
    Screen screen;
    screen.shownTab = player.ShownTab();
    QWidget* focus = QApplication::focusWidget();
    screen.focusId = focus ? DialogWindow::IdOf(focus) : 0;
    for (int tab = 0; tab < 4; ++tab) {
        PageScreen& page = screen.pages[tab];
        for (int id : EventMaker::FieldsOf(tab)) {
            QWidget* control = player.Control(tab, id);
            if (auto* combo = qobject_cast<QComboBox*>(control)) {
                page.texts[id] = combo->lineEdit()->text();
                page.listSelection[id] = combo->currentIndex();
                page.listItems[id] = combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : QString();
            } else {
                page.texts[id] = static_cast<QLineEdit*>(control)->text();
            }
        }
        for (int id : EventMaker::RadiosOf(tab))
            page.checked[id] = static_cast<QAbstractButton*>(player.Control(tab, id))->isChecked();
    }
    return screen;
}

std::string Judge(const UserEvent& event, const Screen& before, const Screen& after, const std::vector<Write>& writes) {
    const int tab = before.shownTab;
    for (int other = 0; other < 4; ++other)
        if (other != tab && before.pages[other].texts != after.pages[other].texts)
            return "page " + std::to_string(other) + " changed while page " + std::to_string(tab) + " was shown";
    if (event.kind == UserEvent::Tab) return writes.empty() ? std::string() : "a tab switch wrote a field";
    const bool clearing = tab == 0 && event.kind == UserEvent::Key && event.text == QLatin1String("Enter");
    for (const Write& w : writes)
        if (w.id == w.focusId && !clearing) return "the program wrote the focused field " + std::to_string(w.id);
    const PageScreen& b = before.pages[tab];
    const PageScreen& a = after.pages[tab];
    switch (tab) {
    case 0: return JudgeConverter(event, b, a, writes, after.focusId);
    case 1: return JudgeVCut(event, b, a, writes);
    case 2: return JudgeGoldFinger(event, b, a, writes, after.focusId);
    default: return JudgeCountersink(event, b, a, writes);
    }
}
