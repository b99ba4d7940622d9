#pragma once
// An edit control with the undo of a Windows edit: one level, where a second
// undo puts back what the first took away. Qt's line edit records every
// character of every edit for its undo, and keeps the room it took for the
// life of the field: a paste of a long text over another held megabytes.
// So edits that replace a selection, and pastes, are made here in one step,
// and Qt's record is dropped after each edit.

#include <QLineEdit>

class EditControl : public QLineEdit {
public:
    explicit EditControl(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReplaceSelection(const QString& with);
    // A user's edit made in one step: the new text, the caret, then the notification.
    void Edit(const QString& newText, int caret);
    void ForgetQtHistory();

    QString m_lastText;
    QString m_undoText;
};
