#include "KeyRouter.h"

#include "dialog/Dialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Alt Gr reaches Qt as Ctrl+Alt on Windows and as no modifier on X11: only
// Alt alone marks a menu key.
bool IsAltCharacter(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    return held == Qt::AltModifier && !key.text().isEmpty() && key.text().at(0).isPrint();
}

int ArrowStep(int key) {
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Right: return 1;
    case Qt::Key_Up:
    case Qt::Key_Left: return -1;
    default: return 0;
    }
}

// The radio button the arrow key leads to, the group's buttons taken in
// template order and wrapping around; nullptr when there is none.
QRadioButton* NextInGroup(QRadioButton* from, int step) {
    QButtonGroup* group = from->group();
    if (group == nullptr) return nullptr;
    const QList<QAbstractButton*> buttons = group->buttons();
    const int count = static_cast<int>(buttons.size());
    const int at = static_cast<int>(buttons.indexOf(from));
    for (int n = 1; n < count; ++n) {
        auto* next = qobject_cast<QRadioButton*>(buttons[((at + n * step) % count + count) % count]);
        if (next != nullptr && next->isVisible() && next->isEnabled()) return next;
    }
    return nullptr;
}

}  // namespace

KeyRouter::KeyRouter(CDialog& owner, int defaultId, QObject* parent)
    : QObject(parent), m_owner(owner), m_defaultId(defaultId) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto& press = *static_cast<QKeyEvent*>(event);
    const int key = press.key();
    if (IsEnterKey(key) || key == Qt::Key_Escape) {
        m_owner.OnCommand(IsEnterKey(key) ? m_defaultId : win32::IDCANCEL, win32::BN_CLICKED);
        return true;
    }
    if (IsAltCharacter(press)) return true;
    auto* radio = qobject_cast<QRadioButton*>(watched);
    const int step = ArrowStep(key);
    if (radio != nullptr && step != 0 && (press.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // As the dialog manager does it: the focus first, then the click.
        if (QRadioButton* next = NextInGroup(radio, step)) {
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            if (!next->isChecked()) next->click();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}
