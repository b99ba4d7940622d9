#pragma once
// A combo box as Win32 has them: a drop-down list, or a list with an edit
// part that adds nothing to the list and completes nothing. The Tab key
// selects the whole text of the edit part, as it does in an edit field (Qt
// does that for line edits only).

#include <QComboBox>

class ComboBoxControl : public QComboBox {
public:
    ComboBoxControl(bool editable, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};
