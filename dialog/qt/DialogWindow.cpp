#include "DialogWindow.h"

#include "AccessibleNames.h"
#include "DialogFont.h"
#include "DialogPalette.h"
#include "FocusFirst.h"
#include "KeyRouter.h"
#include "QtText.h"
#include "Resources.h"
#include "TabControl.h"
#include "TabSwitchKeys.h"
#include "dialog/ControlNames.h"
#include "controls/ComboBoxControl.h"
#include "controls/EditControl.h"
#include "controls/GroupBoxControl.h"
#include "controls/LabelControl.h"
#include "controls/PictureControl.h"
#include "controls/TopLevelDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace win32;

namespace {

const char* const kIdProperty = "dlgCtrlId";
const char* const kRootProperty = "dlgRoot";
const char* const kOrderProperty = "dlgOrder";

void MarkControl(QWidget* widget, int id, int order) {
    widget->setProperty(kIdProperty, id);
    widget->setProperty(kOrderProperty, order);
}

void SetEditTextQuietly(QLineEdit* edit, const QString& text) {
    const QSignalBlocker block(edit);
    edit->setText(text);
    edit->setCursorPosition(0);
}

}  // namespace

void DialogWindow::MakeWidgets(QWidget* parent, bool topLevel) {
    CDialog& owner = m_owner;
    const dlg::DialogTemplate& tpl = *m_tpl;
    const QFont font = DialogFont(tpl);
    const dlg::PixelBox box = ToPixels(tpl.rect, BaseUnitsOf(font));
    QWidget* client = nullptr;
    if (topLevel) {
        auto* dialog = new TopLevelDialog(owner, parent);
        Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (tpl.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (tpl.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
        dialog->setWindowFlags(flags);
        dialog->setWindowTitle(ToQString(tpl.caption));
        dialog->setFont(font);
        int menuHeight = 0;
        if (tpl.menuId != 0) {
            auto* menuBar = new QMenuBar(dialog);
            for (const dlg::MenuItem& item : res::Script().menus.at(tpl.menuId).items) {
                QAction* action = menuBar->addAction(ToQString(item.text));
                const int command = item.commandId;
                QObject::connect(action, &QAction::triggered, dialog,
                                 [&owner, command] { owner.OnCommand(command, BN_CLICKED); });
            }
            dialog->SetMenuBar(menuBar);
            menuHeight = menuBar->sizeHint().height();
            menuBar->setGeometry(0, 0, box.width, menuHeight);
        }
        client = new QWidget(dialog);
        client->setGeometry(0, menuHeight, box.width, box.height);
        dialog->setFixedSize(box.width, box.height + menuHeight);
        m_root = dialog;
    } else {
        m_root = new QWidget(parent);
        m_root->setFont(font);
        m_root->setGeometry(box.x, box.y, box.width, box.height);
        m_root->hide();
        client = m_root;
    }
    m_root->setProperty(kRootProperty, true);
    // A complete palette of its own, which the desktop's cannot reach.
    m_root->setPalette(owner.PaintsWhiteBackground() ? PagePalette() : DialogPalette());
    if (owner.PaintsWhiteBackground()) m_root->setAutoFillBackground(true);
    Build(client, font);
}

DialogWindow::~DialogWindow() { delete m_root.data(); }

QDialog* DialogWindow::AsQDialog() const { return qobject_cast<QDialog*>(m_root.data()); }

QWidget* DialogWindow::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

bool DialogWindow::IsControl(const QWidget* widget) { return widget->property(kIdProperty).isValid(); }

int DialogWindow::OwnId(const QWidget* widget) {
    const QVariant id = widget->property(kIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

int DialogWindow::TemplateOrder(const QWidget* widget) { return widget->property(kOrderProperty).toInt(); }

bool DialogWindow::IsDialogRoot(const QWidget* widget) { return widget->property(kRootProperty).toBool(); }

int DialogWindow::IdOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->property(kRootProperty).toBool()) return 0;
        const QVariant id = w->property(kIdProperty);
        if (id.isValid()) return id.toInt();
    }
    return 0;
}

void DialogWindow::Build(QWidget* client, const QFont& font) {
    auto* router = new KeyRouter(m_owner, dlg::DefaultButtonId(*m_tpl), m_root);
    m_root->installEventFilter(router);

    QWidget* previousTabStop = nullptr;
    QButtonGroup* radioGroup = nullptr;
    std::vector<QWidget*>& created = m_inTemplateOrder;
    for (const dlg::ControlTemplate& c : m_tpl->controls) {
        QWidget* widget = CreateControl(c, client, font);
        created.push_back(widget);
        if (c.id != -1 && m_controls.find(c.id) == m_controls.end()) m_controls[c.id] = widget;
        MarkControl(widget, c.id, static_cast<int>(created.size()));
        widget->installEventFilter(router);
        if (widget->focusPolicy() != Qt::NoFocus) RaiseFocusFirst(widget);
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(router);

        if (c.has(WS_GROUP)) radioGroup = nullptr;
        auto* radio = qobject_cast<QRadioButton*>(widget);
        if (radio != nullptr) {
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(m_root);
                m_radioGroups.push_back(radioGroup);
                // As a radio button's BM_SETCHECK does on Windows: the checked
                // button of a group is its tab stop, the others are not.
                QObject::connect(radioGroup, &QButtonGroup::buttonToggled, radioGroup,
                                 [](QAbstractButton* button, bool checked) {
                                     button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
                                 });
            }
            radioGroup->addButton(radio);
        }
    }
    PlaceInGroups();
    for (size_t i = 0; i < created.size(); ++i) {
        const dlg::ControlTemplate& c = m_tpl->controls[i];
        QWidget* widget = created[i];
        // Radio buttons take their place in the tab order, where they count
        // while checked.
        const bool radio = qobject_cast<QRadioButton*>(widget) != nullptr;
        if ((c.has(WS_TABSTOP) || radio) && widget->focusPolicy() != Qt::NoFocus) {
            if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        }
        widget->setVisible((c.style & WS_VISIBLE) != 0);
    }
    // Earlier controls lie above later ones, as in a Win32 dialog; frames,
    // which paint no inside, lie below all.
    for (auto it = created.rbegin(); it != created.rend(); ++it) (*it)->raise();
    for (QWidget* w : created)
        if (dynamic_cast<GroupBoxControl*>(w) != nullptr) w->lower();
    NameControls(*m_tpl, created, ToQString(m_tpl->caption));
}

// A group box holds the controls it frames, so that assistive technology
// finds them inside the group, as it finds those of a QGroupBox.
void DialogWindow::PlaceInGroups() {
    const std::vector<QWidget*>& created = m_inTemplateOrder;
    std::vector<QPoint> inClient;
    for (QWidget* w : created) inClient.push_back(w->pos());
    for (size_t i = 0; i < created.size(); ++i) {
        const int group = dlg::EnclosingGroup(*m_tpl, i);
        if (group == -1) continue;
        const auto g = static_cast<size_t>(group);
        created[i]->setParent(created[g]);
        created[i]->move(inClient[i] - inClient[g]);
    }
}

QWidget* DialogWindow::CreateControl(const dlg::ControlTemplate& c, QWidget* client, const QFont& font) {
    const dlg::PixelBox box = ToPixels(c.rect, BaseUnitsOf(font));
    QWidget* widget = nullptr;
    switch (c.kind()) {
    case dlg::ControlKind::Edit: {
        auto* edit = new EditControl(client);
        edit->setFocusPolicy(Qt::StrongFocus);
        WireEdit(edit, c.id);
        widget = edit;
        break;
    }
    case dlg::ControlKind::ComboBox: {
        auto* combo = new ComboBoxControl((c.style & CBS_DROPDOWNLIST) == CBS_DROPDOWN, client);
        WireCombo(combo, c.id);
        // The template's height includes the drop-down list; the box itself is one line high.
        combo->setGeometry(box.x, box.y, box.width, QFontMetrics(font).height() + 8);
        return combo;
    }
    case dlg::ControlKind::Label: {
        const bool oneLine = box.height < 2 * QFontMetrics(font).height();
        auto* label = new LabelControl(ToQString(c.text), oneLine, client);
        label->setAlignment((c.style & SS_TYPEMASK) == SS_CENTER ? Qt::AlignHCenter | Qt::AlignTop
                                                                  : Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case dlg::ControlKind::Icon: {
        auto* label = new QLabel(client);
        label->setPixmap(res::Icon(c.imageId).pixmap(QSize(32, 32)));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = label;
        label->setGeometry(box.x, box.y, 32, 32);  // an icon control takes the icon's size
        return widget;
    }
    case dlg::ControlKind::Picture: {
        auto* picture = new PictureControl(c.imageId, client);
        picture->move(box.x, box.y);
        return picture;
    }
    case dlg::ControlKind::GroupBox: {
        widget = new GroupBoxControl(ToQString(c.text), client);
        break;
    }
    case dlg::ControlKind::RadioButton:
    case dlg::ControlKind::CheckBox: {
        QAbstractButton* button = c.kind() == dlg::ControlKind::RadioButton
                                      ? static_cast<QAbstractButton*>(new QRadioButton(ToQString(c.text), client))
                                      : new QCheckBox(ToQString(c.text), client);
        // Radio buttons go into button groups (Build), which then decide
        // alone; left auto-exclusive, a radio button is still reported to
        // assistive technology as one and not as a check box.
        button->setAutoExclusive(c.kind() == dlg::ControlKind::RadioButton);
        button->setFocusPolicy(c.has(WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        const int id = c.id;
        QObject::connect(button, &QAbstractButton::clicked, [this, id] { m_owner.OnCommand(id, BN_CLICKED); });
        widget = button;
        break;
    }
    case dlg::ControlKind::PushButton: {
        auto* button = new QPushButton(ToQString(c.text), client);
        button->setAutoDefault(false);
        button->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        const int id = c.id;
        QObject::connect(button, &QPushButton::clicked, [this, id] { m_owner.OnCommand(id, BN_CLICKED); });
        widget = button;
        break;
    }
    case dlg::ControlKind::TabControl: {
        auto* tabs = new TabControl(client);
        const int id = c.id;
        QObject::connect(tabs, &TabControl::selectionChanged, [this, id] { m_owner.OnCommand(id, TCN_SELCHANGE); });
        AddTabSwitchKeys(tabs);
        widget = tabs;
        break;
    }
    }
    widget->setGeometry(box.x, box.y, box.width, box.height);
    return widget;
}

void DialogWindow::WireEdit(QLineEdit* edit, int id) {
    edit->setFrame(true);
    // Only the user's edits notify here; the program's writes notify from SetDlgItemText.
    QObject::connect(edit, &QLineEdit::textEdited, [this, id] { m_owner.OnCommand(id, EN_CHANGE); });
}

void DialogWindow::WireCombo(QComboBox* combo, int id) {
    QObject::connect(combo, &QComboBox::activated, [this, id, combo] {
        if (combo->lineEdit() && combo->hasFocus()) combo->lineEdit()->selectAll();  // as Windows shows a pick
        m_owner.OnCommand(id, CBN_SELCHANGE);
    });
    if (QLineEdit* edit = combo->lineEdit()) {
        // Typing into the edit part leaves no list item selected, and says nothing.
        QObject::connect(edit, &QLineEdit::textEdited, combo, [combo, edit] {
            if (combo->currentIndex() == -1) return;
            const QString text = edit->text();
            const int cursor = edit->cursorPosition();
            const QSignalBlocker blockCombo(combo);
            const QSignalBlocker blockEdit(edit);
            combo->setCurrentIndex(-1);
            edit->setText(text);
            edit->setCursorPosition(cursor);
        });
    }
}

QWidget* DialogWindow::FocusWidget() { return QApplication::focusWidget(); }

void DialogWindow::SetText(int id, const CString& text) {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        SetEditTextQuietly(edit, ToQString(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->lineEdit()) SetEditTextQuietly(combo->lineEdit(), ToQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(ToQString(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(ToQString(text));
    } else if (auto* group = dynamic_cast<GroupBoxControl*>(widget)) {
        group->SetTitle(ToQString(text));
    }
}

CString DialogWindow::Text(int id) const {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return FromQString(edit->text());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return FromQString(combo->currentText());
    if (auto* label = qobject_cast<QLabel*>(widget)) return FromQString(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return FromQString(button->text());
    if (auto* group = dynamic_cast<GroupBoxControl*>(widget)) return FromQString(group->Title());
    return {};
}

void DialogWindow::SetTitle(const CString& title) {
    const QString text = ToQString(title);
    m_root->setWindowTitle(text);
    if (!m_root->isWindow()) m_root->setAccessibleName(text);  // a window is named by its title already
    NameControls(*m_tpl, m_inTemplateOrder, text);
}

CString DialogWindow::Title() const { return FromQString(m_root->windowTitle()); }
