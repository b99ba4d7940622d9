#include "KeyRouter.h"

#include "dialog/Dialog.h"

#include <QKeyEvent>

namespace {
bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
}  // namespace

KeyRouter::KeyRouter(CDialog& owner, int defaultId, QObject* parent)
    : QObject(parent), m_owner(owner), m_defaultId(defaultId) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (IsEnterKey(key) || key == Qt::Key_Escape) {
            m_owner.OnCommand(IsEnterKey(key) ? m_defaultId : win32::IDCANCEL, win32::BN_CLICKED);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
