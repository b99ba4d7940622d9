#include "Application.h"

#include "Resources.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

void ConfigureApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("Lamino"));
    app.setApplicationVersion(QStringLiteral(LAMINO_VERSION));
    app.setDesktopFileName(QStringLiteral(LAMINO_APP_ID));
    // One look everywhere, whatever desktop theme is installed.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const char* face : {"宋体", "SimSun", "NSimSun", "新宋体"})
        QFont::insertSubstitution(QString::fromUtf8(face), QStringLiteral("AR PL UMing CN"));
    app.setWindowIcon(res::Icon(128));
}
