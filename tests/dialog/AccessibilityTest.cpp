// What a screen reader reads of the main window's pages, through Qt's
// accessibility interfaces (AT-SPI carries the same): every field named by
// the label beside it on screen, every radio button by its own text, every
// group box as a group under its title, every diagram after its page.

#include "MainWindowRun.h"
#include "dialog/ControlNames.h"
#include "dialog/qt/Resources.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <QTabBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

struct Page {
    const char* name;
    int tab;
    int templateId;
};

void PrintTo(const Page& page, std::ostream* out) { *out << page.name; }

QAccessibleInterface* Accessible(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(accessible, nullptr);
    return accessible;
}

// On Linux Qt names a combo box by its text; its label is the one it is
// labelled by, as a screen reader takes it.
QString LabelledBy(QWidget* widget) {
    const auto labels = Accessible(widget)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

// Whether `label` stands on `field`'s row, to its left or right, on screen.
bool StandsBeside(const QWidget* label, const QWidget* field) {
    const QRect l = label->geometry(), f = field->geometry();
    const bool sameRow = l.center().y() >= f.top() && l.center().y() <= f.bottom();
    return sameRow && (l.right() < f.left() || l.left() > f.right());
}

class PageNames : public ::testing::TestWithParam<Page> {};

TEST_P(PageNames, ComeFromTheLabelsBesideTheFields) {
    const Page page = GetParam();
    WithMainWindow([&](CMainDlg& dialog, QWidget*) {
        TabControl* tabs = TabsOf(dialog);
        QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(page.tab).center());
        QWidget* root = Pages(tabs).at(static_cast<size_t>(page.tab));
        ASSERT_TRUE(root->isVisible());
        const QString tabLabel = tabs->Bar()->tabText(page.tab);
        EXPECT_EQ(Accessible(root)->text(QAccessible::Name), tabLabel);

        std::map<int, QWidget*> byOrder;  // the controls by their place in the template, from 1
        for (QWidget* w : root->findChildren<QWidget*>())
            if (DialogWindow::IsControl(w)) byOrder[DialogWindow::TemplateOrder(w)] = w;
        const dlg::DialogTemplate& tpl = res::Script().dialog(page.templateId);
        ASSERT_EQ(byOrder.size(), tpl.controls.size());

        int fields = 0;
        for (size_t i = 0; i < tpl.controls.size(); ++i) {
            const dlg::ControlTemplate& c = tpl.controls[i];
            QWidget* control = byOrder.at(static_cast<int>(i) + 1);
            const QString own = QString::fromStdU16String(c.text);
            SCOPED_TRACE("control " + std::to_string(c.id) + " at " + std::to_string(i + 1));
            switch (c.kind()) {
            case dlg::ControlKind::Edit:
            case dlg::ControlKind::ComboBox: {
                ++fields;
                const dlg::ControlTemplate* label = dlg::LabelBeside(tpl, i);
                ASSERT_NE(label, nullptr) << "a field with no label beside it";
                QWidget* labelWidget = byOrder.at(static_cast<int>(label - tpl.controls.data()) + 1);
                EXPECT_TRUE(StandsBeside(labelWidget, control));
                const QString expected = QString::fromStdU16String(label->text);
                if (c.kind() == dlg::ControlKind::Edit)
                    EXPECT_EQ(Accessible(control)->text(QAccessible::Name), expected);
                else
                    EXPECT_EQ(LabelledBy(control), expected);
                break;
            }
            case dlg::ControlKind::RadioButton:
                EXPECT_EQ(Accessible(control)->role(), QAccessible::RadioButton);
                EXPECT_EQ(Accessible(control)->text(QAccessible::Name), own);
                break;
            case dlg::ControlKind::GroupBox:
                EXPECT_EQ(Accessible(control)->role(), QAccessible::Grouping);
                EXPECT_EQ(Accessible(control)->text(QAccessible::Name), own);
                break;
            case dlg::ControlKind::Picture:
                EXPECT_EQ(Accessible(control)->role(), QAccessible::Graphic);
                EXPECT_EQ(Accessible(control)->text(QAccessible::Name), tabLabel + QStringLiteral("图示"));
                break;
            case dlg::ControlKind::Label:
                EXPECT_EQ(Accessible(control)->text(QAccessible::Name), own);
                break;
            default:
                break;
            }
        }
        EXPECT_GT(fields, 0);
    });
}

// A screen reader walks a page as its frames group it: each control inside
// the innermost group box that frames it, a group before its members, and
// the members of a page or group in template order, as the Tab key meets them.
void ExpectGroupedInTemplateOrder(QAccessibleInterface* parent, const dlg::DialogTemplate& tpl, int frame,
                                  std::vector<int>& met) {
    int previous = 0;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        EXPECT_EQ(parent->indexOfChild(child), i);
        EXPECT_EQ(child->parent()->object(), parent->object());
        auto* control = qobject_cast<QWidget*>(child->object());
        if (!DialogWindow::IsControl(control)) continue;  // a menu bar
        const int order = DialogWindow::TemplateOrder(control);
        EXPECT_EQ(dlg::EnclosingGroup(tpl, static_cast<size_t>(order - 1)), frame) << "control " << order;
        met.push_back(order);
        std::vector<int> inside;
        if (child->role() == QAccessible::Grouping) ExpectGroupedInTemplateOrder(child, tpl, order - 1, inside);
        const int first = inside.empty() ? order : std::min(order, *std::min_element(inside.begin(), inside.end()));
        EXPECT_GT(first, previous) << "control " << order << " out of template order";
        previous = first;
        met.insert(met.end(), inside.begin(), inside.end());
    }
}

TEST(PageAccessibility, ListsTheControlsInTheirGroupsInTemplateOrder) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        const int templates[] = {130, 131, 132, 133};
        int tab = 0;
        for (QWidget* root : Pages(TabsOf(dialog))) {
            const dlg::DialogTemplate& tpl = res::Script().dialog(templates[tab++]);
            std::vector<int> met;
            ExpectGroupedInTemplateOrder(Accessible(root), tpl, -1, met);
            std::sort(met.begin(), met.end());
            EXPECT_EQ(met.size(), tpl.controls.size());
            EXPECT_EQ(std::adjacent_find(met.begin(), met.end()), met.end()) << "a control met twice";
        }
    });
}

// An assistive technology's action on a radio button is a click: the check
// moves, the focus goes to the button and the page converts its lengths.
TEST(PageAccessibility, ClicksARadioButtonThroughItsAction) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        TabControl* tabs = TabsOf(dialog);
        QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(1).center());
        QWidget* page = Pages(tabs)[1];
        QWidget* mil = nullptr;
        QLineEdit* b = nullptr;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (DialogWindow::OwnId(w) == IDC_VCUT_MIL) mil = w;
            if (DialogWindow::OwnId(w) == IDC_VCUT_B) b = qobject_cast<QLineEdit*>(w);
        }
        ASSERT_TRUE(mil != nullptr && b != nullptr);
        QAccessibleActionInterface* actions = Accessible(mil)->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(Accessible(mil)->state().checked);
        EXPECT_EQ(CDialog::GetFocusId(), IDC_VCUT_MIL);
        EXPECT_EQ(b->text(), QStringLiteral("15.748031"));
    });
}

INSTANTIATE_TEST_SUITE_P(MainWindow, PageNames,
                         ::testing::Values(Page{"UnitConverter", 0, 130}, Page{"VCut", 1, 131},
                                           Page{"GoldFinger", 2, 132}, Page{"Countersink", 3, 133}),
                         [](const ::testing::TestParamInfo<Page>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The fields of each page a screen reader describes as computed results.
std::vector<int> Described(QWidget* page) {
    std::vector<int> ids;
    for (QLineEdit* edit : page->findChildren<QLineEdit*>())
        if (DialogWindow::IsControl(edit) && !Accessible(edit)->text(QAccessible::Description).isEmpty()) {
            EXPECT_EQ(Accessible(edit)->text(QAccessible::Description), QStringLiteral("计算结果"));
            ids.push_back(DialogWindow::OwnId(edit));
        }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// A field the program fills while the user works in another (or while a
// page answers another field's change) is a result: the geometry pages'
// results from the start, the converter's fields once a value in their
// group was converted. Defaults and unit switches make none.
TEST(ResultFields, AreDescribedAsTheProgramComputesThem) {
    WithMainWindow([](CMainDlg& dialog, QWidget*) {
        const std::vector<QWidget*> pages = Pages(TabsOf(dialog));
        EXPECT_EQ(Described(pages[0]), std::vector<int>{});
        EXPECT_EQ(Described(pages[1]), std::vector<int>{IDC_VCUT_C});
        EXPECT_EQ(Described(pages[2]), std::vector<int>{IDC_GOLD_C});
        EXPECT_EQ(Described(pages[3]), std::vector<int>{IDC_SINK_H});
        QWidget* inch = ControlOf(pages[0], IDC_UNIT_INCH);
        ASSERT_NE(inch, nullptr);
        inch->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(inch, "1");
        EXPECT_EQ(Described(pages[0]), (std::vector<int>{IDC_UNIT_M, IDC_UNIT_CM, IDC_UNIT_MM, IDC_UNIT_UM, IDC_UNIT_UINCH, IDC_UNIT_MIL}));
    });
}

}  // namespace
