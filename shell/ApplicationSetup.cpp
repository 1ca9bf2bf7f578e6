#include "shell/ApplicationSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orvanta {

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Орванта"));
    QApplication::setOrganizationName(QStringLiteral("orvanta"));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace orvanta
