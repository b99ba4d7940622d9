#include "AccessibleInterfaces.h"

#include "DialogWindow.h"
#include "controls/GroupBoxControl.h"

#include <QAccessibleWidget>
#include <QRadioButton>

#include <algorithm>

namespace {

// Where a control or group comes in template order: a group where its first member does.
int FirstInTemplate(const QWidget* w) {
    int first = DialogWindow::IsControl(w) ? DialogWindow::TemplateOrder(w) : 0;
    if (dynamic_cast<const GroupBoxControl*>(w) == nullptr) return first;
    for (const QWidget* member : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (DialogWindow::IsControl(member)) first = std::min(first, FirstInTemplate(member));
    return first;
}

// A page, the client area of a window, or a group box: its children in
// template order. Anything that is not a control (a menu bar) comes first.
class ControlsInOrderInterface : public QAccessibleWidget {
public:
    explicit ControlsInOrderInterface(QWidget* face, QAccessible::Role role = QAccessible::Client)
        : QAccessibleWidget(face, role) {}

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const std::vector<QWidget*> children = Children();
        if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
        return QAccessible::queryAccessibleInterface(children[static_cast<size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::vector<QWidget*> children = Children();
        const auto it = std::find(children.begin(), children.end(), child != nullptr ? child->object() : nullptr);
        return it == children.end() ? -1 : static_cast<int>(it - children.begin());
    }

private:
    std::vector<QWidget*> Children() const {
        std::vector<QWidget*> children;
        for (QWidget* w : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow()) children.push_back(w);
        std::stable_sort(children.begin(), children.end(),
                         [](const QWidget* a, const QWidget* b) { return FirstInTemplate(a) < FirstInTemplate(b); });
        return children;
    }
};

// A group box is a group under its title, holding the controls it frames.
class GroupBoxInterface : public ControlsInOrderInterface {
public:
    explicit GroupBoxInterface(GroupBoxControl* box) : ControlsInOrderInterface(box, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const GroupBoxControl*>(widget())->Title();
        return ControlsInOrderInterface::text(t);
    }
};

// As a click: the button takes the focus, its group's check moves to it and
// the page hears BN_CLICKED.
class RadioButtonInterface : public QAccessibleWidget {
public:
    explicit RadioButtonInterface(QRadioButton* button) : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? Button()->text() : text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != toggleAction() && action != pressAction()) return QAccessibleWidget::doAction(action);
        if (!Button()->isEnabled()) return;
        Button()->setFocus(Qt::MouseFocusReason);
        Button()->click();
    }

private:
    QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

bool HoldsControls(const QWidget* widget) {
    for (const QWidget* w : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (DialogWindow::IsControl(w)) return true;
    return false;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<GroupBoxControl*>(object)) return new GroupBoxInterface(box);
    if (auto* radio = qobject_cast<QRadioButton*>(object)) return new RadioButtonInterface(radio);
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->metaObject() == &QWidget::staticMetaObject && !DialogWindow::IsControl(widget) &&
        HoldsControls(widget)) {
        // A page is a pane named after its tab, which a screen reader
        // speaks as the focus enters it; a window's client area is nothing
        // of its own.
        const bool page = DialogWindow::IsDialogRoot(widget) && !widget->isWindow();
        return new ControlsInOrderInterface(widget, page ? QAccessible::Pane : QAccessible::Client);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}
