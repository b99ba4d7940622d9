#pragma once
// The keys a Win32 dialog manager gives their meaning, whatever a widget
// would make of them:
// - Enter and Esc go to the dialog's OK and Cancel (an editable combo box
//   would add an item, a QDialog would close);
// - Alt with a character key is a menu or mnemonic key, never text typed
//   into a field;
// - the arrow keys on a button of an automatic radio group move the focus
//   to the group's next (Down, Right) or previous (Up, Left) button, which
//   is checked and clicked as it takes it.

#include <QObject>

class CDialog;

class KeyRouter : public QObject {
public:
    KeyRouter(CDialog& owner, int defaultId, QObject* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDialog& m_owner;
    int m_defaultId;
};
