#include "common/ui/Fonts.h"

#include <QStringList>

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kArial = QStringLiteral("Arial");

QFont PixelFont(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

void InstallFontSubstitutes() {
    // Liberation Sans shares Arial's metrics, so texts laid out for those faces still fit.
    const QStringList standIns{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                               QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(kSansSerif, standIns);
    QFont::insertSubstitutions(kArial, standIns);
}

QFont SansSerifFont(int pixelSize, bool bold) {
    return PixelFont(kSansSerif, pixelSize, bold);
}

QFont ArialFont(int pixelSize, bool bold) {
    return PixelFont(kArial, pixelSize, bold);
}
