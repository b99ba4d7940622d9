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
        {{IDC_UNIT_M, 1000, 0.001}, {IDC_UNIT_CM, 10, 0.1}, {IDC_UNIT_MM, 1, 1}, {IDC_UNIT_UM, 0.001, 1000}, {IDC_UNIT_UINCH, 2.54e-05, 39370.07874015748},
         {IDC_UNIT_MIL, 0.0254, 39.37007874015748}, {IDC_UNIT_INCH, 25.4, 0.03937007874015748}},
        {{IDC_UNIT_KG, 1000, 0.001}, {IDC_UNIT_G, 1, 1}, {IDC_UNIT_OZ, 28.349523125, 0.03527396194958}},
        {{IDC_UNIT_FOIL_OZ, 35, 0.02857142857142857}, {IDC_UNIT_FOIL_UM, 1, 1}, {IDC_UNIT_FOIL_MIL, 25.4, 0.03937007874015748}},
        {{IDC_UNIT_MM2, 1, 1}, {IDC_UNIT_M2, 1000000, 1e-06}, {IDC_UNIT_INCH2, 645.16, 0.0015500031000062},
         {IDC_UNIT_FOOT2, 92903.03999999998, 1.0763910416709725e-05}},
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
    if (std::string units = JudgeUnits(event, before, after, IDC_VCUT_MM, IDC_VCUT_MIL, {IDC_VCUT_B, IDC_VCUT_D, IDC_VCUT_F}); !units.empty()) return units;
    const double k = after.checked.at(IDC_VCUT_MM) ? 0.1 : 4;
    const bool inputsChanged = before.texts.at(IDC_VCUT_B) != after.texts.at(IDC_VCUT_B) ||
                               before.texts.at(IDC_VCUT_D) != after.texts.at(IDC_VCUT_D) ||
                               before.texts.at(IDC_VCUT_F) != after.texts.at(IDC_VCUT_F) ||
                               // typing into the box's edit part clears the selection and computes nothing
                               (event.kind == UserEvent::Choose &&
                                before.listSelection.at(IDC_VCUT_ANGLE) != after.listSelection.at(IDC_VCUT_ANGLE)) ||
                               before.checked.at(IDC_VCUT_MM) != after.checked.at(IDC_VCUT_MM);
    if (inputsChanged || Wrote(writes, IDC_VCUT_C))
        return Expect(after, IDC_VCUT_C,
                      Shown(VCutClearance(Angle(after, IDC_VCUT_ANGLE), Read(after.texts.at(IDC_VCUT_B)), Read(after.texts.at(IDC_VCUT_D)),
                                          Read(after.texts.at(IDC_VCUT_F)), k)),
                      "C");
    return {};
}

std::string JudgeGoldFinger(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                            const std::vector<Write>& writes, int focus) {
    if (std::string many = TooMany(event, writes, 3); !many.empty()) return many;
    if (std::string units = JudgeUnits(event, before, after, IDC_GOLD_MM, IDC_GOLD_MIL, {IDC_GOLD_D, IDC_GOLD_L}); !units.empty()) return units;
    const double A = Angle(after, IDC_GOLD_ANGLE);
    const double C = Read(after.texts.at(IDC_GOLD_C));
    const double D = Read(after.texts.at(IDC_GOLD_D));
    const double L = Read(after.texts.at(IDC_GOLD_L));
    const bool typed = event.kind == UserEvent::Type || event.kind == UserEvent::Key || event.kind == UserEvent::Paste;
    const bool userChanged = typed && after.texts.count(focus) && before.texts.at(focus) != after.texts.at(focus);
    if (Wrote(writes, IDC_GOLD_C) || (userChanged && (focus == IDC_GOLD_D || focus == IDC_GOLD_L)))
        if (std::string e = Expect(after, IDC_GOLD_C, Shown(BevelEndFace(D, L, A)), "C"); !e.empty()) return e;
    // L is derived while C has the focus; a unit switch converts it instead.
    const bool derivedL = std::any_of(writes.begin(), writes.end(), [](const Write& w) {
        return w.id == IDC_GOLD_L && w.focusId == IDC_GOLD_C;
    });
    if (derivedL || (userChanged && focus == IDC_GOLD_C))
        if (std::string e = Expect(after, IDC_GOLD_L, Shown(BevelLength(C, D, A)), "L"); !e.empty()) return e;
    return {};
}

std::string JudgeCountersink(const UserEvent& event, const PageScreen& before, const PageScreen& after,
                             const std::vector<Write>& writes) {
    if (std::string many = TooMany(event, writes, 4); !many.empty()) return many;
    if (std::string units = JudgeUnits(event, before, after, IDC_SINK_MM, IDC_SINK_MIL, {IDC_SINK_B, IDC_SINK_C, IDC_SINK_D}); !units.empty())
        return units;
    const bool inputsChanged = before.texts.at(IDC_SINK_A) != after.texts.at(IDC_SINK_A) ||
                               before.texts.at(IDC_SINK_B) != after.texts.at(IDC_SINK_B) ||
                               before.texts.at(IDC_SINK_C) != after.texts.at(IDC_SINK_C);
    if (inputsChanged || Wrote(writes, IDC_SINK_H))
        return Expect(after, IDC_SINK_H,
                      Shown(CountersinkDepth(Read(after.texts.at(IDC_SINK_A)), Read(after.texts.at(IDC_SINK_B)),
                                             Read(after.texts.at(IDC_SINK_C)))),
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
