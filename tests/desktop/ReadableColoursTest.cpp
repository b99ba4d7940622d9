// Every text of the main window, its four pages and the About box reads on
// what is drawn behind it (a contrast of 4.5:1 or more), and the window looks
// as it does on a desktop without a theme, pixel for pixel: the pages keep
// their white face and light fields, the frame its light look.
//
// The desktop is the one the test is started under (colours.sh): Qt's GTK 3
// platform theme with a dark GTK theme, qt6ct with a dark scheme, and so on,
// at start, or switched to dark through the desktop portal while the window
// is open by the command in LAMINO_DESKTOP_GOES_DARK. LAMINO_DESKTOP_IS_DARK
// says the desktop must be seen handing the program dark colours, so that a
// theme that failed to load cannot pass for one that was kept out.
//
// Read from the pixels: a text's pixels are those that change when the
// colours its widget draws text in are made transparent, and its contrast is
// that of its strongest pixel against the same pixel without the text.

#include "MainWindowRun.h"
#include "dialog/Contrast.h"
#include "dialog/qt/TabControl.h"
#include "dialog/qt/controls/GroupBoxControl.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QTabBar>

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

QString Setting(const char* name) { return QString::fromLocal8Bit(qgetenv(name)); }

bool IsDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

// The palette the desktop handed the program at start (a platform theme's,
// kept by the test's main before the program set its own).
bool DesktopLooksDark() { return IsDark(qApp->property("desktopPalette").value<QPalette>()); }

// Hears the desktop portal announce a new colour scheme on the session bus:
// the very signal Qt follows. (QtDBus connects by signature strings only.)
class PortalSchemeChange : public QObject {
    Q_OBJECT
public:
    PortalSchemeChange() {
        QDBusConnection::sessionBus().connect(QString(), QStringLiteral("/org/freedesktop/portal/desktop"),
                                              QStringLiteral("org.freedesktop.portal.Settings"),
                                              QStringLiteral("SettingChanged"), this,
                                              SLOT(OnSettingChanged(QString, QString, QDBusVariant)));
    }
    bool heard = false;

private slots:
    void OnSettingChanged(const QString& group, const QString& key, const QDBusVariant&) {
        if (group == QLatin1String("org.freedesktop.appearance") && key == QLatin1String("color-scheme")) heard = true;
    }
};

// Switches the desktop to dark while the program runs, and lets the program
// hear of it.
void DesktopGoesDark() {
    const QString command = Setting("LAMINO_DESKTOP_GOES_DARK");
    PortalSchemeChange change;
    ASSERT_EQ(std::system(command.toLocal8Bit().constData()), 0) << command.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return change.heard; }, 10000)) << "the desktop portal announced no new scheme";
    QTest::qWait(100);  // what Qt does on the same signal, in the same event loop
}

// Makes the colours a widget draws text in transparent while it lives.
class TextHidden {
public:
    explicit TextHidden(QWidget* widget)
        : m_widget(widget), m_palette(widget->palette()), m_own(widget->testAttribute(Qt::WA_SetPalette)) {
        QPalette hidden = m_palette;
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                         QPalette::HighlightedText, QPalette::BrightText, QPalette::PlaceholderText})
            hidden.setColor(role, Qt::transparent);
        widget->setPalette(hidden);
    }
    ~TextHidden() { m_widget->setPalette(m_own ? m_palette : QPalette()); }
    TextHidden(const TextHidden&) = delete;
    TextHidden& operator=(const TextHidden&) = delete;

private:
    QWidget* m_widget;
    QPalette m_palette;
    bool m_own;
};

// Where a text is drawn: by which widget, in which rectangle of it.
struct TextArea {
    QWidget* painter;
    QRect rect;
    QString what;
};

struct Reading {
    int pixels = 0;
    double contrast = 1.0;
    QRgb text = 0;
    QRgb behind = 0;
};

dlg::Rgb RgbOf(QRgb c) {
    return {static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qBlue(c))};
}

double Luminance(QRgb c) { return dlg::RelativeLuminance(RgbOf(c)); }

Reading Read(const TextArea& area) {
    QWidget* window = area.painter->window();
    const QRect box(area.painter->mapTo(window, area.rect.topLeft()), area.rect.size());
    const QImage shown = window->grab(box).toImage().convertToFormat(QImage::Format_RGB32);
    QImage behind;
    {
        const TextHidden hidden(area.painter);
        behind = window->grab(box).toImage().convertToFormat(QImage::Format_RGB32);
    }
    Reading reading;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb text = shown.pixel(x, y), back = behind.pixel(x, y);
            if (text == back) continue;
            ++reading.pixels;
            const double contrast = dlg::ContrastRatio(RgbOf(text), RgbOf(back));
            if (contrast > reading.contrast) reading = {reading.pixels, contrast, text, back};
        }
    }
    return reading;
}

QRect ButtonTextRect(QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(contents, &option, button);
}

// The texts a control of a dialog shows; a control of a kind not known here
// fails, so that a new kind of control gets a rule of its own.
std::vector<TextArea> TextAreasOf(QWidget* control) {
    if (auto* group = dynamic_cast<GroupBoxControl*>(control)) return {{group, group->rect(), group->Title()}};
    if (auto* tabs = qobject_cast<TabControl*>(control)) {
        std::vector<TextArea> areas;
        for (int i = 0; i < tabs->Bar()->count(); ++i)
            areas.push_back({tabs->Bar(), tabs->Bar()->tabRect(i), tabs->Bar()->tabText(i)});
        return areas;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(control))
        return {{radio, ButtonTextRect(radio, QStyle::SE_RadioButtonContents), radio->text()}};
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return {{check, ButtonTextRect(check, QStyle::SE_CheckBoxContents), check->text()}};
    if (auto* button = qobject_cast<QPushButton*>(control)) return {{button, button->rect(), button->text()}};
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->lineEdit() != nullptr) return {{combo->lineEdit(), combo->lineEdit()->rect(), combo->currentText()}};
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return {{edit, edit->rect(), edit->text()}};
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (!label->pixmap().isNull()) return {};  // an icon or a picture
        return {{label, label->rect(), label->text()}};
    }
    ADD_FAILURE() << "no rule for reading the text of a " << control->metaObject()->className();
    return {};
}

QWidget* DialogRootOf(QWidget* widget) {
    while (widget != nullptr && !DialogWindow::IsDialogRoot(widget)) widget = widget->parentWidget();
    return widget;
}

std::vector<QWidget*> ShownControls(QWidget* dialogRoot) {
    std::vector<QWidget*> controls;
    for (QWidget* w : dialogRoot->findChildren<QWidget*>())
        if (DialogWindow::IsControl(w) && DialogRootOf(w) == dialogRoot && w->isVisible()) controls.push_back(w);
    return controls;
}

// Empty fields get a number, so that there is a text to read in each.
void FillEmptyFields(QWidget* dialogRoot) {
    for (QLineEdit* edit : dialogRoot->findChildren<QLineEdit*>()) {
        if (!edit->text().isEmpty()) continue;
        const QSignalBlocker block(edit);
        edit->setText(QStringLiteral("0.123456"));
    }
}

// Light enough to be the white page or a field on it.
constexpr double kWhiteFace = 0.9;

void ExpectReads(const TextArea& area, bool onWhite, const std::string& where) {
    const Reading reading = Read(area);
    const std::string what = where + " '" + area.what.toStdString() + "'";
    ASSERT_GT(reading.pixels, 0) << what << " shows no text";
    EXPECT_GE(reading.contrast, dlg::kReadableContrast)
        << what << ": text #" << std::hex << (reading.text & 0xffffff) << " on #" << (reading.behind & 0xffffff);
    if (onWhite) {
        EXPECT_GE(Luminance(reading.behind), kWhiteFace)
            << what << " is drawn on #" << std::hex << (reading.behind & 0xffffff) << ", not on the white face";
    }
}

void ExpectEveryTextReads(QWidget* dialogRoot, bool onWhite, const std::string& where) {
    FillEmptyFields(dialogRoot);
    for (QWidget* control : ShownControls(dialogRoot))
        for (const TextArea& area : TextAreasOf(control)) ExpectReads(area, onWhite, where);
}

void ShowTab(CMainDlg& dialog, int tab) { TabsOf(dialog)->Bar()->setCurrentIndex(tab); }

// Runs the About box from the Help item and calls `check` inside its modal loop.
void WithAboutBox(QWidget* mainWindow, const std::function<void(QWidget*)>& check) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, mainWindow);
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        check(box);
        ran = true;
        for (QPushButton* button : box->findChildren<QPushButton*>()) QTest::mouseClick(button, Qt::LeftButton);
    });
    mainWindow->findChild<QMenuBar*>()->actions().at(0)->trigger();
    EXPECT_TRUE(ran);
}

class Colours : public ::testing::Test {
protected:
    // A steady caret, so that two pictures of a focused field agree.
    void SetUp() override {
        m_flashTime = QGuiApplication::styleHints()->cursorFlashTime();
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    void TearDown() override { QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime); }

    // Runs the main window on the desktop the test was started under, which
    // turns dark while the window is open where the run asks for that.
    static void WithWindowOnTheDesktop(const std::function<void(CMainDlg&, QWidget*)>& check) {
        WithMainWindow([&](CMainDlg& dialog, QWidget* window) {
            if (!Setting("LAMINO_DESKTOP_GOES_DARK").isEmpty()) {
                DesktopGoesDark();
            } else if (!Setting("LAMINO_DESKTOP_IS_DARK").isEmpty()) {
                ASSERT_TRUE(DesktopLooksDark()) << "the desktop under test hands the program no dark colours";
            }
            check(dialog, window);
        });
    }

private:
    int m_flashTime = 0;
};

using ReadableText = Colours;

TEST_F(ReadableText, OnEveryPageAndInTheFrame) {
    WithWindowOnTheDesktop([](CMainDlg& dialog, QWidget* window) {
        const std::vector<QWidget*> pages = Pages(TabsOf(dialog));
        ASSERT_EQ(pages.size(), 4u);
        for (int tab = 0; tab < 4; ++tab) {
            ShowTab(dialog, tab);
            ExpectEveryTextReads(pages[tab], true, "page " + std::to_string(tab + 1));
            ExpectEveryTextReads(window, false, "main window, tab " + std::to_string(tab + 1));
            QMenuBar* menu = window->findChild<QMenuBar*>();
            for (QAction* action : menu->actions())
                ExpectReads({menu, menu->actionGeometry(action), action->text()}, false, "menu item");
        }
    });
}

TEST_F(ReadableText, InTheAboutBox) {
    WithWindowOnTheDesktop([](CMainDlg&, QWidget* window) {
        WithAboutBox(window, [](QWidget* box) { ExpectEveryTextReads(box, false, "About box"); });
    });
}

TEST_F(ReadableText, InTheDropDownLists) {
    WithWindowOnTheDesktop([](CMainDlg& dialog, QWidget*) {
        const std::vector<QWidget*> pages = Pages(TabsOf(dialog));
        for (int tab = 0; tab < 4; ++tab) {
            ShowTab(dialog, tab);
            for (QComboBox* combo : pages[tab]->findChildren<QComboBox*>()) {
                combo->showPopup();
                QAbstractItemView* list = combo->view();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
                for (int row = 0; row < combo->count(); ++row) {
                    const QModelIndex item = list->model()->index(row, 0);
                    const bool current = row == combo->currentIndex();
                    const QRect rowRect = list->visualRect(item).translated(list->viewport()->pos());
                    ExpectReads({list, rowRect, combo->itemText(row)}, !current,
                                "page " + std::to_string(tab + 1) + (current ? " current list item" : " list item"));
                }
                combo->hidePopup();
            }
        }
    });
}

// The user's selection in a field: its text reads on the highlight, and the
// highlight stands out from the field (3:1, as for any part of a control).
TEST_F(ReadableText, InASelection) {
    WithWindowOnTheDesktop([](CMainDlg& dialog, QWidget*) {
        const std::vector<QWidget*> pages = Pages(TabsOf(dialog));
        for (int tab = 0; tab < 4; ++tab) {
            ShowTab(dialog, tab);
            FillEmptyFields(pages[tab]);
            auto* field = pages[tab]->findChild<QLineEdit*>();
            const Reading plain = Read({field, field->rect(), field->text()});
            field->setFocus(Qt::TabFocusReason);
            field->selectAll();
            const Reading selected = Read({field, field->rect(), field->text()});
            const std::string what = "the selection on page " + std::to_string(tab + 1);
            EXPECT_GE(selected.contrast, dlg::kReadableContrast)
                << what << ": #" << std::hex << (selected.text & 0xffffff) << " on #" << (selected.behind & 0xffffff);
            EXPECT_GE(dlg::ContrastRatio(RgbOf(selected.behind), RgbOf(plain.behind)), 3.0)
                << what << ": #" << std::hex << (selected.behind & 0xffffff) << " in a field of #"
                << (plain.behind & 0xffffff);
            field->deselect();
        }
    });
}

// On any desktop the window shows the pixels of the default look: the frame,
// the pages, a drop-down list and the About box are drawn for one light
// palette. LAMINO_SAVE_LOOK names a folder to save the pictures into (the run
// without a theme); LAMINO_DEFAULT_LOOK one to compare them with.
std::map<std::string, QImage> PicturesOfTheWindow(CMainDlg& dialog, QWidget* window) {
    std::map<std::string, QImage> pictures;
    for (int tab = 0; tab < 4; ++tab) {
        ShowTab(dialog, tab);
        pictures["tab" + std::to_string(tab + 1)] = window->grab().toImage();
    }
    ShowTab(dialog, 1);
    QComboBox* combo = Pages(TabsOf(dialog))[1]->findChild<QComboBox*>();
    combo->showPopup();
    if (QTest::qWaitForWindowExposed(combo->view()->window()))
        pictures["angle-list"] = combo->view()->window()->grab().toImage();
    combo->hidePopup();
    WithAboutBox(window, [&](QWidget* box) { pictures["about-box"] = box->grab().toImage(); });
    ShowTab(dialog, 0);
    return pictures;
}

using SameLook = Colours;

TEST_F(SameLook, AsOnADesktopWithoutATheme) {
    const QString save = Setting("LAMINO_SAVE_LOOK"), reference = Setting("LAMINO_DEFAULT_LOOK");
    if (save.isEmpty() && reference.isEmpty()) GTEST_SKIP() << "neither LAMINO_SAVE_LOOK nor LAMINO_DEFAULT_LOOK is set";
    std::map<std::string, QImage> pictures;
    WithWindowOnTheDesktop(
        [&](CMainDlg& dialog, QWidget* window) { pictures = PicturesOfTheWindow(dialog, window); });
    ASSERT_EQ(pictures.size(), 6u);
    for (const auto& [name, picture] : pictures) {
        const QString file = QString::fromStdString(name) + QStringLiteral(".png");
        if (!save.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(save));
            ASSERT_TRUE(picture.save(QDir(save).filePath(file)));
        } else {
            const QImage expected(QDir(reference).filePath(file));
            ASSERT_FALSE(expected.isNull()) << "no default picture " << file.toStdString();
            EXPECT_TRUE(picture.convertToFormat(expected.format()) == expected) << name << " looks different";
        }
    }
}

}  // namespace

#include "ReadableColoursTest.moc"
