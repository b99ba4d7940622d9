#include "Application.h"

#include "DialogPalette.h"
#include "FocusFirst.h"
#include "Resources.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <QStyleHints>

void ConfigureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("Lamino"));
    app.setApplicationVersion(QStringLiteral(LAMINO_VERSION));
    app.setDesktopFileName(QStringLiteral(LAMINO_APP_ID));
    // One look everywhere, whatever desktop theme is installed.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // ... and one palette: menus and lists that open from the dialogs are
    // drawn in it too. Each dialog also keeps its own copy (see DialogWindow),
    // so a desktop that sets its palette on the program later changes nothing.
    app.setPalette(DialogPalette());
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Where the desktop's dark scheme would reach what Qt draws itself (the
    // title bar Qt draws on Wayland, the style's own choices), ask for light.
    app.styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    for (const char* face : {"宋体", "SimSun", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(face), QStringLiteral("AR PL UMing CN"));
    app.setWindowIcon(res::Icon(128));
    TellSelectionsOfFocusOnly();
}
