#pragma once
// A page (or any dialog) in a window of its own, shown and active, with the
// user's ways of touching its controls.

#include "dialog/Dialog.h"
#include "dialog/qt/DialogWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

template <class Page>
class Hosted {
public:
    template <class... Args>
    explicit Hosted(Args&&... args) : page(std::forward<Args>(args)...) {
        page.Create();
        Root()->show();
        Root()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Root()));
    }

    QWidget* Root() const { return page.Window()->Root(); }
    QWidget* Control(int id) const {
        QWidget* control = page.Window()->Control(id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        return control;
    }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(page.Window()->Control(id)); }
    QComboBox* Combo(int id) const { return qobject_cast<QComboBox*>(page.Window()->Control(id)); }
    QAbstractButton* Button(int id) const { return qobject_cast<QAbstractButton*>(Control(id)); }

    QString Text(int id) const {
        if (QComboBox* combo = Combo(id)) return combo->lineEdit()->text();
        return Edit(id)->text();
    }

    // Enters a field as the Tab key does: its whole text selected.
    void Focus(int id) {
        Control(id)->setFocus(Qt::TabFocusReason);
        if (QLineEdit* edit = Edit(id) ? Edit(id) : Combo(id) ? Combo(id)->lineEdit() : nullptr) edit->selectAll();
        ASSERT_EQ(DialogWindow::IdOf(QApplication::focusWidget()), id);
    }
    // Types into whatever holds the focus, one keystroke per character.
    void Type(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton, {}, QPoint(6, Control(id)->height() / 2)); }

    Page page;
};
