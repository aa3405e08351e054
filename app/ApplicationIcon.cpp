#include "app/ApplicationIcon.h"

#include "common/ui/SvgPicture.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSvgRenderer>

void InstallApplicationIcon() {
    // Drawn here rather than by QIcon's SVG engine, which would first load every image plugin.
    QSvgRenderer renderer(QStringLiteral(":/assets/Icon.svg"));
    QIcon icon;
    for (const int side : {16, 32, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(RenderSvg(renderer, QSize(side, side), Qt::transparent)));
    }
    QApplication::setWindowIcon(icon);
}
