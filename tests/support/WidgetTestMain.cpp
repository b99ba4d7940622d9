// Runs GoogleTest inside a QApplication, on the offscreen platform unless
// another one is named.

#include "dialog/qt/Application.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // What the desktop handed the program, before the program sets its own.
    app.setProperty("desktopPalette", QApplication::palette());
    ConfigureApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
