#include "dateigrund.h"

#include "store/datei.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace svp::ui {

QString systemgrund(int fehlernummer)
{
    return fehlernummer == 0 ? QString() : QString::fromStdString(store::fehlergrund(fehlernummer));
}

QString schreibgrund(const QString& datei, int fehlernummer)
{
    const QByteArray pfad = QFile::encodeName(datei);
    struct stat st {
    };
    const bool vorhanden = ::stat(pfad.constData(), &st) == 0;
    // O_NONBLOCK: a FIFO in the file's place must not hold the window.
    const int fd = ::open(pfad.constData(),
                          O_WRONLY | O_CLOEXEC | O_NONBLOCK | (vorhanden ? 0 : O_CREAT | O_EXCL), 0666);
    if (fd < 0)
        return systemgrund(errno);
    ::close(fd);
    if (!vorhanden)
        ::unlink(pfad.constData());
    return systemgrund(fehlernummer);
}

QString schreibmeldung(const QString& datei, const QString& grund)
{
    QString text = QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden").arg(datei);
    if (!grund.isEmpty())
        text += QStringLiteral(": ") + grund;
    return text + QLatin1Char('.');
}

namespace {
const QString CsvOrdnerSchluessel = QStringLiteral("Jahresuebersicht/CsvOrdner");
}

QString csvOrdner()
{
    const QString ordner = QSettings().value(CsvOrdnerSchluessel).toString();
    if (ordner.isEmpty() || !QDir(ordner).exists())
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return ordner;
}

QString csvSchreiben(const QString& datei, const QByteArray& inhalt)
{
    QSaveFile ziel(datei);
    errno = 0;
    if (!ziel.open(QIODevice::WriteOnly) || ziel.write(inhalt) != inhalt.size() || !ziel.commit())
        return schreibmeldung(datei, schreibgrund(datei, errno));
    QSettings().setValue(CsvOrdnerSchluessel, QFileInfo(datei).absolutePath());
    return QString();
}

} // namespace svp::ui
