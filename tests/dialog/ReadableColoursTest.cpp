// Every text of the main window, its four pages and the About box reads on
// what is drawn behind it (a contrast of 4.5:1 or more), whatever palette the
// desktop hands the program, at start or while it runs; the pages keep their
// white face and light fields, and the window looks as it does by default.
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

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Desktop { Default, BreezeDark, HighContrastBlack };
enum class When { AtStart, WhileRunning };

struct Case {
    const char* name;
    Desktop desktop;
    When when;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// Palettes that desktops hand programs: KDE's Breeze Dark, and a black
// high-contrast scheme.
QPalette PaletteOf(Desktop desktop) {
    if (desktop == Desktop::BreezeDark) {
        const QColor face(0x31, 0x36, 0x3b), text(0xfc, 0xfc, 0xfc);
        QPalette p(text, face, face.lighter(150), face.darker(150), face.darker(120), text, Qt::white,
                   QColor(0x1b, 0x1e, 0x20), face);
        p.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
        p.setColor(QPalette::HighlightedText, text);
        p.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
        return p;
    }
    if (desktop == Desktop::HighContrastBlack) {
        QPalette p(Qt::white, Qt::black, Qt::white, Qt::gray, Qt::gray, Qt::white, Qt::yellow, Qt::black, Qt::black);
        p.setColor(QPalette::Highlight, QColor(0x1a, 0xeb, 0xff));
        p.setColor(QPalette::HighlightedText, Qt::black);
        return p;
    }
    return QApplication::palette();
}

// Hands the program a desktop palette application-wide, as a platform theme
// does, and gives the program's own back when it goes.
class DesktopPalette {
public:
    DesktopPalette() : m_saved(QApplication::palette()) {}
    ~DesktopPalette() { QApplication::setPalette(m_saved); }
    void Apply(Desktop desktop) {
        if (desktop != Desktop::Default) QApplication::setPalette(PaletteOf(desktop));
    }

private:
    QPalette m_saved;
};

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

class Colours : public ::testing::TestWithParam<Case> {
protected:
    // A steady caret, so that two pictures of a focused field agree.
    void SetUp() override {
        m_flashTime = QGuiApplication::styleHints()->cursorFlashTime();
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
    void TearDown() override { QGuiApplication::styleHints()->setCursorFlashTime(m_flashTime); }

    // Runs the main window under the case's palette, handed over before the
    // window opens or once it is shown.
    void WithWindowUnderPalette(const std::function<void(CMainDlg&, QWidget*)>& check) {
        if (GetParam().when == When::AtStart) m_desktop.Apply(GetParam().desktop);
        WithMainWindow([&](CMainDlg& dialog, QWidget* window) {
            if (GetParam().when == When::WhileRunning) m_desktop.Apply(GetParam().desktop);
            check(dialog, window);
        });
    }

    DesktopPalette m_desktop;

private:
    int m_flashTime = 0;
};

using ReadableText = Colours;

TEST_P(ReadableText, OnEveryPageAndInTheFrame) {
    WithWindowUnderPalette([](CMainDlg& dialog, QWidget* window) {
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

TEST_P(ReadableText, InTheAboutBox) {
    WithWindowUnderPalette([](CMainDlg&, QWidget* window) {
        WithAboutBox(window, [](QWidget* box) { ExpectEveryTextReads(box, false, "About box"); });
    });
}

TEST_P(ReadableText, InTheDropDownLists) {
    WithWindowUnderPalette([](CMainDlg& dialog, QWidget*) {
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
TEST_P(ReadableText, InASelection) {
    WithWindowUnderPalette([](CMainDlg& dialog, QWidget*) {
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

const Case kCases[] = {
    {"DefaultPalette", Desktop::Default, When::AtStart},
    {"BreezeDarkAtStart", Desktop::BreezeDark, When::AtStart},
    {"BreezeDarkWhileRunning", Desktop::BreezeDark, When::WhileRunning},
    {"HighContrastBlackAtStart", Desktop::HighContrastBlack, When::AtStart},
    {"HighContrastBlackWhileRunning", Desktop::HighContrastBlack, When::WhileRunning},
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Desktops, ReadableText, ::testing::ValuesIn(kCases), CaseName);

// Under any desktop palette the window shows the pixels of the default look:
// the frame, the pages and the About box are drawn for one light palette.
using SameLook = Colours;

std::map<std::string, QImage> PicturesOfTheWindow(CMainDlg& dialog, QWidget* window) {
    std::map<std::string, QImage> pictures;
    for (int tab = 0; tab < 4; ++tab) {
        ShowTab(dialog, tab);
        pictures["tab " + std::to_string(tab + 1)] = window->grab().toImage();
    }
    WithAboutBox(window, [&](QWidget* box) { pictures["About box"] = box->grab().toImage(); });
    ShowTab(dialog, 0);
    return pictures;
}

TEST_P(SameLook, AsUnderTheDefaultPalette) {
    std::map<std::string, QImage> before, after;
    if (GetParam().when == When::AtStart) {
        WithMainWindow([&](CMainDlg& dialog, QWidget* window) { before = PicturesOfTheWindow(dialog, window); });
        m_desktop.Apply(GetParam().desktop);
        WithMainWindow([&](CMainDlg& dialog, QWidget* window) { after = PicturesOfTheWindow(dialog, window); });
    } else {
        WithMainWindow([&](CMainDlg& dialog, QWidget* window) {
            before = PicturesOfTheWindow(dialog, window);
            m_desktop.Apply(GetParam().desktop);
            after = PicturesOfTheWindow(dialog, window);
        });
    }
    ASSERT_EQ(before.size(), 5u);
    for (const auto& [name, picture] : before) EXPECT_TRUE(picture == after[name]) << name << " looks different";
}

INSTANTIATE_TEST_SUITE_P(Desktops, SameLook, ::testing::ValuesIn(std::begin(kCases) + 1, std::end(kCases)), CaseName);

}  // namespace
