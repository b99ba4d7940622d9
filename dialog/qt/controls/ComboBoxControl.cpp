#include "ComboBoxControl.h"

#include "EditControl.h"

#include <QFocusEvent>
#include <QLineEdit>

ComboBoxControl::ComboBoxControl(bool editable, QWidget* parent) : QComboBox(parent) {
    setEditable(editable);
    if (editable) {
        setLineEdit(new EditControl(this));
        setCompleter(nullptr);
    }
    setFocusPolicy(Qt::StrongFocus);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(30);
}

void ComboBoxControl::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (lineEdit() && (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason))
        lineEdit()->selectAll();
}
