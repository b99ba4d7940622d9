#include "DialogWindow.h"

#include "DialogFont.h"
#include "Resources.h"
#include "TabControl.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QPainter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

using namespace win32;

namespace {

const char* const kIdProperty = "dlgCtrlId";
const char* const kRootProperty = "dlgRoot";
const char* const kOrderProperty = "dlgOrder";

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Enter and Esc inside a dialog go to that dialog's OK and Cancel, never to
// a widget's own idea of them (an editable combo box would add an item, a
// QDialog would close).
class KeyRouter : public QObject {
public:
    KeyRouter(CDialog& owner, int defaultId, QObject* parent)
        : QObject(parent), m_owner(owner), m_defaultId(defaultId) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (IsEnterKey(key) || key == Qt::Key_Escape) {
                m_owner.OnCommand(IsEnterKey(key) ? m_defaultId : IDCANCEL, BN_CLICKED);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CDialog& m_owner;
    int m_defaultId;
};

// The Tab key selects the whole text of the field it enters; Qt does that
// for line edits but not for the edit part of a combo box.
class SelectAllOnTab : public QObject {
public:
    explicit SelectAllOnTab(QComboBox* combo) : QObject(combo) { combo->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* combo = static_cast<QComboBox*>(parent());
        if (event->type() == QEvent::FocusIn && watched == combo && combo->lineEdit()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            combo->event(event);
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) combo->lineEdit()->selectAll();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// An edit control with the undo of a Windows edit: one level, where a second
// undo puts back what the first took away. Qt's line edit records every
// character of every edit for its undo, and keeps the room it took for the
// life of the field: a paste of a long text over another held megabytes.
// So edits that replace a selection, and pastes, are made here in one step,
// and Qt's record is dropped after each edit.
class EditControl : public QLineEdit {
public:
    explicit EditControl(QWidget* parent) : QLineEdit(parent) {
        // Connected first, so the record is settled before the page hears of the edit.
        connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) {
            m_undoText = m_lastText;
            m_lastText = edited;
            ForgetQtHistory();
        });
        connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_lastText = text; });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
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

private:
    void ReplaceSelection(const QString& with) {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int length = static_cast<int>(selectedText().size());
        if (with.isEmpty() && length == 0) return;
        Edit(text().left(start) + with + text().mid(start + length), start + static_cast<int>(with.size()));
    }

    // A user's edit made in one step: the new text, the caret, then the notification.
    void Edit(const QString& newText, int caret) {
        {
            const QSignalBlocker block(this);
            setText(newText);
            setCursorPosition(caret);
        }
        emit textEdited(newText);
    }

    void ForgetQtHistory() {
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

    QString m_lastText;
    QString m_undoText;
};

// A picture control shows its picture at the picture's own size, drawn for
// the screen's pixel ratio when it is first shown: pages that start hidden
// cost nothing at start-up.
class PictureControl : public QLabel {
public:
    PictureControl(int imageId, QWidget* parent) : QLabel(parent), m_imageId(imageId) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void showEvent(QShowEvent* event) override {
        const qreal ratio = devicePixelRatioF();
        if (pixmap().isNull() || pixmap().devicePixelRatio() != ratio) {
            const QPixmap picture = res::Picture(m_imageId, ratio);
            setPixmap(picture);
            resize(picture.deviceIndependentSize().toSize());
        }
        QLabel::showEvent(event);
    }

private:
    int m_imageId;
};

// A static text. One a line high shows its whole line even where this face
// runs a few pixels wider than the one the template was drawn for; it is
// measured when first shown, so hidden pages cost nothing at start-up.
class LabelControl : public QLabel {
public:
    LabelControl(const QString& text, bool oneLine, QWidget* parent) : QLabel(text, parent), m_oneLine(oneLine) {
        setTextFormat(Qt::PlainText);
        setWordWrap(!oneLine);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void showEvent(QShowEvent* event) override {
        if (m_oneLine && !m_measured) {
            m_measured = true;
            if (sizeHint().width() > width()) resize(sizeHint().width(), height());
        }
        QLabel::showEvent(event);
    }

private:
    bool m_oneLine;
    bool m_measured = false;
};

// A group box as Windows draws one: a thin frame with its title set into
// the top line, and nothing painted inside, so the controls it frames show
// through on the page's own background.
class GroupBoxControl : public QWidget {
public:
    GroupBoxControl(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) {
        m_title = title;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        painter.setPen(QColor(0xDC, 0xDC, 0xDC));
        painter.drawRect(QRectF(0.5, top + 0.5, width() - 1, height() - top - 1));
        if (m_title.isEmpty()) return;
        const QRect text(7, 0, metrics.horizontalAdvance(m_title) + 4, metrics.height());
        painter.fillRect(text, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignCenter, m_title);
    }

private:
    QString m_title;
};

class TopLevelDialog : public QDialog {
public:
    TopLevelDialog(CDialog& owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

    void reject() override { m_owner.OnCommand(IDCANCEL, BN_CLICKED); }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();  // the dialog ends through EndDialog, if its OnClose says so
        m_owner.OnClose();
    }

private:
    CDialog& m_owner;
};

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

QString ToQString(const CString& text) { return QString::fromStdU16String(text); }

CString FromQString(const QString& text) { return text.toStdU16String(); }

DialogWindow::DialogWindow(CDialog& owner, const dlg::DialogTemplate& tpl, QWidget* parent, bool topLevel)
    : m_owner(owner), m_tpl(tpl) {
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
    if (owner.PaintsWhiteBackground()) {
        QPalette palette = m_root->palette();
        palette.setColor(QPalette::Window, Qt::white);
        m_root->setPalette(palette);
        m_root->setAutoFillBackground(true);
    }
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

int DialogWindow::FirstFocusableId() const {
    int fallback = 0;
    for (const dlg::ControlTemplate& c : m_tpl.controls) {
        const QWidget* w = Control(c.id);
        if (w == nullptr || w->focusPolicy() == Qt::NoFocus) continue;
        if (c.has(WS_TABSTOP)) return c.id;
        if (fallback == 0) fallback = c.id;
    }
    return fallback;
}

int DialogWindow::IdOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (w->property(kRootProperty).toBool()) return 0;
        const QVariant id = w->property(kIdProperty);
        if (id.isValid()) return id.toInt();
    }
    return 0;
}

void DialogWindow::Build(QWidget* client, const QFont& font) {
    int defaultId = IDOK;
    for (const dlg::ControlTemplate& c : m_tpl.controls)
        if (c.kind() == dlg::ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaultId = c.id;
    auto* router = new KeyRouter(m_owner, defaultId, m_root);
    m_root->installEventFilter(router);

    QWidget* previousTabStop = nullptr;
    QButtonGroup* radioGroup = nullptr;
    std::vector<QWidget*> created;
    for (const dlg::ControlTemplate& c : m_tpl.controls) {
        QWidget* widget = CreateControl(c, client, font);
        created.push_back(widget);
        if (c.id != -1 && m_controls.find(c.id) == m_controls.end()) m_controls[c.id] = widget;
        MarkControl(widget, c.id, static_cast<int>(created.size()));
        widget->installEventFilter(router);
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(router);

        if (c.has(WS_GROUP)) radioGroup = nullptr;
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(m_root);
                m_radioGroups.push_back(radioGroup);
                // Qt makes the checked button of a group a tab stop; here
                // only the template says which controls are.
                QObject::connect(radioGroup, &QButtonGroup::buttonToggled, radioGroup, [radioGroup] {
                    for (QAbstractButton* button : radioGroup->buttons())
                        button->setFocusPolicy(button->property("tabStop").toBool() ? Qt::StrongFocus : Qt::ClickFocus);
                });
            }
            radio->setProperty("tabStop", c.has(WS_TABSTOP));
            radioGroup->addButton(radio);
        }
        if (c.has(WS_TABSTOP) && widget->focusPolicy() != Qt::NoFocus) {
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
        auto* combo = new QComboBox(client);
        WireCombo(combo, c);
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
        button->setAutoExclusive(false);
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

void DialogWindow::WireCombo(QComboBox* combo, const dlg::ControlTemplate& c) {
    combo->setEditable((c.style & CBS_DROPDOWNLIST) == CBS_DROPDOWN);
    if (combo->isEditable()) combo->setLineEdit(new EditControl(combo));
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(30);
    const int id = c.id;
    QObject::connect(combo, &QComboBox::activated, [this, id, combo] {
        if (combo->lineEdit() && combo->hasFocus()) combo->lineEdit()->selectAll();  // as Windows shows a pick
        m_owner.OnCommand(id, CBN_SELCHANGE);
    });
    if (QLineEdit* edit = combo->lineEdit()) {
        combo->setCompleter(nullptr);
        new SelectAllOnTab(combo);
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
