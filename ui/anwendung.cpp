#include "anwendung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace svp::ui {

void anwendungBenennen()
{
    QCoreApplication::setOrganizationName(QStringLiteral("svpflicht"));
    QCoreApplication::setApplicationName(QStringLiteral("svpflicht"));
}

bool qtAufDeutsch(QCoreApplication& anwendung)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* uebersetzung = new QTranslator(&anwendung);
    if (!uebersetzung->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzung;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzung);
}

} // namespace svp::ui
