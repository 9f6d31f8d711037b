#include "ui/main/ToolIcons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library: they are registered on first use.
static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace pelmar {

QIcon ToolIcon(const char* name) {
    static const bool registered = (initIconResources(), true);
    (void)registered;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    QIcon icon;
    // Drawn at each size the bar and the menus ask for, so no size is a blurred copy.
    for (int size : {16, 20, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace pelmar
