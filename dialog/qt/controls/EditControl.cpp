#include "EditControl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

EditControl::EditControl(QWidget* parent) : QLineEdit(parent) {
    // Connected first, so the record is settled before the page hears of the edit.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) {
        m_undoText = m_lastText;
        m_lastText = edited;
        ForgetQtHistory();
    });
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_lastText = text; });
}

void EditControl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        const QString previous = m_undoText;
        Edit(previous, static_cast<int>(previous.size()));
        return;
    }
    if (event->matches(QKeySequence::Redo)) return;  // a Windows edit has none
    if (event->matches(QKeySequence::Paste)) {
        ReplaceSelection(QGuiApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Cut) && hasSelectedText()) {
        QGuiApplication::clipboard()->setText(selectedText());
        ReplaceSelection(QString());
        return;
    }
    const bool erase = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (hasSelectedText() && (erase || typing)) {
        ReplaceSelection(erase ? QString() : event->text());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditControl::ReplaceSelection(const QString& with) {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = static_cast<int>(selectedText().size());
    if (with.isEmpty() && length == 0) return;
    Edit(text().left(start) + with + text().mid(start + length), start + static_cast<int>(with.size()));
}

void EditControl::Edit(const QString& newText, int caret) {
    {
        const QSignalBlocker block(this);
        setText(newText);
        setCursorPosition(caret);
    }
    emit textEdited(newText);
}

void EditControl::ForgetQtHistory() {
    if (!isUndoAvailable() && !isRedoAvailable()) return;
    const int cursor = cursorPosition();
    const int start = hasSelectedText() ? selectionStart() : -1;
    const int length = static_cast<int>(selectedText().size());
    const QSignalBlocker block(this);
    setText(text());  // the only way Qt offers to drop a line edit's record
    if (start < 0)
        setCursorPosition(cursor);
    else
        setSelection(cursor == start ? start + length : start, cursor == start ? -length : length);
}
