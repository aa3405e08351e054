#include "common/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <memory>

bool InstallQtGermanTexts(const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"), folder)) {
        return false;
    }
    // Lives as long as the application: Qt looks texts up in it until the end.
    translator->setParent(QCoreApplication::instance());
    return QCoreApplication::installTranslator(translator.release());
}
