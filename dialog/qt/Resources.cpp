#include "Resources.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <map>

namespace res {
namespace {

QString ResourcePath(int id) {
    const auto& files = Script().files;
    const auto it = files.find(id);
    return it == files.end() ? QString() : QStringLiteral(":/") + QString::fromStdString(it->second);
}

}  // namespace

const dlg::ResourceScript& Script() {
    static const dlg::ResourceScript script = [] {
        const auto read = [](std::string_view name) {
            QFile file(QStringLiteral(":/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
            if (!file.open(QIODevice::ReadOnly)) throw dlg::ParseError("resource file missing: " + std::string(name));
            return file.readAll().toStdString();
        };
        return dlg::ResourceScript::Parse(read("lamino.rc"), read);
    }();
    return script;
}

QPixmap Picture(int id, qreal devicePixelRatio) {
    QSvgRenderer renderer(ResourcePath(id));
    if (!renderer.isValid()) return {};
    const QSize logical = renderer.defaultSize();
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(logical.width() * devicePixelRatio)),
                         static_cast<int>(std::ceil(logical.height() * devicePixelRatio))));
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon Icon(int id) {
    static std::map<int, QIcon> loaded;
    const auto it = loaded.find(id);
    if (it != loaded.end()) return it->second;
    // The script names the Windows icon; the same picture comes as PNGs
    // beside it. Windows and dialogs want it at 16 to 64 pixels; the larger
    // sizes are for the desktop's launchers and installed with the program.
    QString stem = ResourcePath(id);
    stem.chop(stem.size() - stem.lastIndexOf(QLatin1Char('.')));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const QString file = stem + QStringLiteral("-%1.png").arg(size);
        if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
    }
    loaded.emplace(id, icon);
    return icon;
}

}  // namespace res
