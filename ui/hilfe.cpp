#include "hilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace svp::ui {

QString hilfeseiteSuchen(const QString& programmVerzeichnis)
{
    const QDir dir(programmVerzeichnis);
    for (const char* relativ : {"hilfe/index.html", "../share/svpflicht/hilfe/index.html"}) {
        const QFileInfo seite(dir.filePath(QString::fromLatin1(relativ)));
        if (seite.isFile())
            return QDir::cleanPath(seite.absoluteFilePath());
    }
    return {};
}

QUrl hilfeseite()
{
    const QString pfad = hilfeseiteSuchen(QCoreApplication::applicationDirPath());
    return pfad.isEmpty() ? QUrl() : QUrl::fromLocalFile(pfad);
}

} // namespace svp::ui
