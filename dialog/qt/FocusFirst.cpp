#include "FocusFirst.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QWidget>

namespace {

// The control taking the focus, from its focus-in until Qt announces it.
struct Entering {
    QPointer<QWidget> control;
    bool announced = false;
    QAccessible::UpdateHandler previous = nullptr;
    bool watching = false;
};

Entering& Now() {
    static Entering entering;
    return entering;
}

void Hold(QAccessibleEvent* event);

// Hands an event on as if no one had held it.
void Pass(QAccessibleEvent* event) {
    Entering& now = Now();
    QAccessible::installUpdateHandler(now.previous);
    QAccessible::updateAccessibility(event);
    now.previous = QAccessible::installUpdateHandler(Hold);
}

void Stop() {
    Entering& now = Now();
    if (!now.watching) return;
    QAccessible::installUpdateHandler(now.previous);
    now = Entering();
}

bool SaysWhatItHolds(QAccessible::Event type) {
    switch (type) {
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::ValueChanged:
        return true;
    default:
        return false;
    }
}

void Hold(QAccessibleEvent* event) {
    Entering& now = Now();
    QWidget* control = now.control;
    QObject* source = event->object();
    if (control == nullptr) {
        Pass(event);
        Stop();
        return;
    }
    if (event->type() == QAccessible::Focus && source == control) {
        const bool announced = now.announced;
        Stop();
        if (!announced) QAccessible::updateAccessibility(event);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(source);
    const bool inside = widget != nullptr && (widget == control || control->isAncestorOf(widget));
    if (inside && !now.announced && SaysWhatItHolds(event->type())) {
        QAccessibleEvent focus(control, QAccessible::Focus);
        Pass(&focus);
        now.announced = true;
    }
    Pass(event);
}

// A field the program writes while another control has the focus moves its
// caret too, and Qt says so. Orca, when behind with its events, handles such
// a caret move only once the Tab key has brought the focus to that field,
// takes it for the focus, and again says nothing on the focus event itself.
// Likewise Ctrl+Tab from a field selects the next tab while the focus goes
// into its page; the page's controls are not the tab's children, so Orca 48
// takes the tab's selection, however late, for a move of the focus to the
// tab. As in Win32, where the one caret is the focused field's, carets and
// selections are told only of the control with the focus; the page is still
// named as its first control takes the focus.
QAccessible::UpdateHandler beforeFocusOnly = nullptr;

bool HasFocus(QObject* source) {
    auto* widget = qobject_cast<QWidget*>(source);
    QWidget* focus = QApplication::focusWidget();
    return widget != nullptr && focus != nullptr &&
           (focus == widget || widget->isAncestorOf(focus) || focus->isAncestorOf(widget));
}

// A caret or selection that only the focused control may tell of: any text
// caret, and a tab row's selection (a menu's is told while the focus stays
// in the window's field).
bool TellsOnlyWithFocus(const QAccessibleEvent* event) {
    switch (event->type()) {
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        return true;
    case QAccessible::Selection:
    case QAccessible::SelectionAdd:
    case QAccessible::SelectionRemove:
    case QAccessible::SelectionWithin:
        return qobject_cast<QTabBar*>(event->object()) != nullptr;
    default:
        return false;
    }
}

void SelectionsOfFocusOnly(QAccessibleEvent* event) {
    if (TellsOnlyWithFocus(event) && !HasFocus(event->object())) return;
    QAccessible::installUpdateHandler(beforeFocusOnly);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(SelectionsOfFocusOnly);
}

class FocusInWatch : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
            Stop();
            Entering& now = Now();
            now.control = static_cast<QWidget*>(watched);
            now.watching = true;
            now.previous = QAccessible::installUpdateHandler(Hold);
            // Should Qt not announce this focus (a window not active), stop after this round of events.
            QTimer::singleShot(0, &Stop);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void RaiseFocusFirst(QWidget* control) { control->installEventFilter(new FocusInWatch(control)); }

void TellSelectionsOfFocusOnly() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    beforeFocusOnly = QAccessible::installUpdateHandler(SelectionsOfFocusOnly);
}
