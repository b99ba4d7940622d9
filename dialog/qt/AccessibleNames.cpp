#include "AccessibleNames.h"

#include "QtText.h"
#include "dialog/ControlNames.h"

#include <QComboBox>
#include <QLabel>

void NameControls(const dlg::DialogTemplate& tpl, const std::vector<QWidget*>& controls, const QString& dialogTitle) {
    const std::vector<std::u16string> names = dlg::ControlNames(tpl, FromQString(dialogTitle));
    for (size_t i = 0; i < names.size() && i < controls.size(); ++i) {
        if (names[i].empty()) continue;
        controls[i]->setAccessibleName(ToQString(names[i]));
        // On Linux Qt names a combo box by its text and leaves its label to
        // the labelled-by relation, which comes from a label's buddy.
        auto* combo = qobject_cast<QComboBox*>(controls[i]);
        const dlg::ControlTemplate* label = combo != nullptr ? dlg::LabelBeside(tpl, i) : nullptr;
        const size_t labelIndex = label != nullptr ? static_cast<size_t>(label - tpl.controls.data()) : controls.size();
        if (auto* text = labelIndex < controls.size() ? qobject_cast<QLabel*>(controls[labelIndex]) : nullptr)
            text->setBuddy(combo);
    }
}
