// lamino-rasterize SVG PREFIX PERCENT...: draws a diagram on white at each
// scale, its own size times PERCENT / 100, into PREFIX@PERCENT.png, for the
// resources of the Windows build.

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Only what goes wrong is news in a build log.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Sizes round as Windows' MulDiv does, so the program asks for these very pixels.
int Scaled(int pixels, int percent) { return static_cast<int>(std::lround(pixels * percent / 100.0)); }

bool Draw(QSvgRenderer& svg, int percent, const QString& path) {
    const QSize size(Scaled(svg.defaultSize().width(), percent), Scaled(svg.defaultSize().height(), percent));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter, QRectF(QPointF(0, 0), size));
    painter.end();
    QImageWriter writer(path, "png");
    writer.setCompression(100);  // zlib's best: line art packs to a few kilobytes
    return writer.write(image);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: lamino-rasterize SVG PREFIX PERCENT...\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);  // the diagrams' lettering needs the font database
    QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
    if (!svg.isValid()) {
        std::fprintf(stderr, "lamino-rasterize: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int percent = std::atoi(argv[i]);
        const QString path = QString::fromLocal8Bit(argv[2]) + '@' + QString::number(percent) + ".png";
        if (percent <= 0 || !Draw(svg, percent, path)) {
            std::fprintf(stderr, "lamino-rasterize: cannot draw %s at %s%%\n", argv[1], argv[i]);
            return 1;
        }
    }
    return 0;
}
