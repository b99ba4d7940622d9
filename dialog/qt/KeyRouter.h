#pragma once
// Enter and Esc inside a dialog go to that dialog's OK and Cancel, never to
// a widget's own idea of them (an editable combo box would add an item, a
// QDialog would close).

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
