// lamino-drive: plays the commands on standard input against Lamino's main
// window on Qt's offscreen platform (or the one QT_QPA_PLATFORM names).

#include "Driver.h"
#include "dialog/qt/Application.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The offscreen platform says what it cannot do (raise a window, grab the
// keyboard) at every popup; that is not news for a scenario.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << "\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    ConfigureApplication(app);
    std::vector<std::string> lines;
    for (std::string line; std::getline(std::cin, line);) lines.push_back(line);
    Driver driver(std::cout, std::cerr);
    return driver.Run(lines);
}
