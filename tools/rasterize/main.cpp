// lamino-rasterize SVG PREFIX PERCENT...: draws a diagram on white at each
// scale, its own size times PERCENT / 100, into PREFIX@PERCENT.png, for the
// resources of the Windows build.
// lamino-rasterize --icon SVG OUT.png SIZE [MARGIN]: draws the program's icon
// into a white square of SIZE pixels, MARGIN percent of it left free on each
// side, for the web app's home-screen icons (opaque, as iOS wants them).

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Only what goes wrong is news in a build log.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Sizes round as Windows' MulDiv does, so the program asks for these very pixels.
int Scaled(int pixels, int percent) { return static_cast<int>(std::lround(pixels * percent / 100.0)); }

bool Draw(QSvgRenderer& svg, QSize size, QRectF drawn, const QString& path) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter, drawn);
    painter.end();
    QImageWriter writer(path, "png");
    writer.setCompression(100);  // zlib's best: line art packs to a few kilobytes
    return writer.write(image);
}

int DrawIcon(QSvgRenderer& svg, int argc, char* argv[]) {
    const int size = std::atoi(argv[4]);
    const int margin = argc > 5 ? std::atoi(argv[5]) : 0;
    if (size <= 0 || margin < 0 || margin >= 50) {
        std::fprintf(stderr, "lamino-rasterize: no icon of %s pixels with a margin of %s%%\n", argv[4], argc > 5 ? argv[5] : "0");
        return 2;
    }
    const double inset = size * margin / 100.0;
    const QRectF drawn(inset, inset, size - 2 * inset, size - 2 * inset);
    if (!Draw(svg, QSize(size, size), drawn, QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "lamino-rasterize: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool icon = argc > 1 && std::strcmp(argv[1], "--icon") == 0;
    if (argc < 4 || (icon && (argc < 5 || argc > 6))) {
        std::fprintf(stderr, "usage: lamino-rasterize SVG PREFIX PERCENT...\n"
                             "       lamino-rasterize --icon SVG OUT.png SIZE [MARGIN]\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);  // the diagrams' lettering needs the font database
    const char* file = argv[icon ? 2 : 1];
    QSvgRenderer svg{QString::fromLocal8Bit(file)};
    if (!svg.isValid()) {
        std::fprintf(stderr, "lamino-rasterize: cannot read %s\n", file);
        return 1;
    }
    if (icon) return DrawIcon(svg, argc, argv);
    for (int i = 3; i < argc; ++i) {
        const int percent = std::atoi(argv[i]);
        const QString path = QString::fromLocal8Bit(argv[2]) + '@' + QString::number(percent) + ".png";
        const QSize size(Scaled(svg.defaultSize().width(), percent), Scaled(svg.defaultSize().height(), percent));
        if (percent <= 0 || !Draw(svg, size, QRectF(QPointF(0, 0), size), path)) {
            std::fprintf(stderr, "lamino-rasterize: cannot draw %s at %s%%\n", argv[1], argv[i]);
            return 1;
        }
    }
    return 0;
}
