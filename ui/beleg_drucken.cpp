#include "beleg_drucken.h"

#include "dateigrund.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>

namespace svp::ui {

QString pdfOrdnerVorschlagen(const QString& zuletzt, const QString& dokumente, const QString& heim)
{
    if (!zuletzt.isEmpty() && QFileInfo(zuletzt).isDir())
        return zuletzt;
    // On a fresh account the documents folder the desktop names may not exist yet: it is made,
    // so that the dialog does not refuse the file it proposes.
    if (!dokumente.isEmpty() && (QFileInfo(dokumente).isDir() || QDir().mkpath(dokumente)))
        return dokumente;
    return heim;
}

void druckerVorbereiten(QPrinter& drucker, const Druckbeleg& beleg)
{
    // The job's name in the printer queue, and the name a PDF file gets from the dialog.
    drucker.setDocName(QFileInfo(beleg.dateiname()).completeBaseName());
    QSettings s;
    const QString letzterDrucker = s.value(QStringLiteral("Drucken/Drucker")).toString();
    if (!letzterDrucker.isEmpty() && !QPrinterInfo::printerInfo(letzterDrucker).isNull()) {
        drucker.setPrinterName(letzterDrucker);
        return;
    }
    const QString ordner = pdfOrdnerVorschlagen(
        s.value(QStringLiteral("Drucken/PdfOrdner")).toString(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QDir(ordner).filePath(beleg.dateiname()));
}

std::optional<PdfInfoFehler> nachDemDrucken(const QPrinter& drucker, const Druckbeleg& beleg)
{
    QSettings s;
    if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty()) {
        s.setValue(QStringLiteral("Drucken/PdfOrdner"), QFileInfo(drucker.outputFileName()).absolutePath());
        s.setValue(QStringLiteral("Drucken/Drucker"), QString());
        return beleg.pdfInfoErgaenzen(drucker.outputFileName());
    }
    s.setValue(QStringLiteral("Drucken/Drucker"), drucker.printerName());
    return std::nullopt;
}

std::optional<engine::Meldung> belegDrucken(const Druckbeleg& beleg, const Druckerwahl& wahl)
{
    const QString titel = QString::fromUtf8(BelegDruckTitel);
    QPrinter drucker(QPrinter::HighResolution);
    druckerVorbereiten(drucker, beleg);
    if (!wahl(drucker))
        return std::nullopt;
    if (const std::optional<Druckfehler> fehler = beleg.drucken(drucker))
        return druckmeldung(titel, QStringLiteral("Der Prüfbeleg"), *fehler);
    // Qt does not tell when its writes go nowhere: a device in the file's place (/dev/full)
    // takes the page without keeping it.
    if (const QString pdf = drucker.outputFileName();
        drucker.outputFormat() == QPrinter::PdfFormat && !pdf.isEmpty() && !QFileInfo(pdf).isFile())
        return engine::Meldung{
            titel.toStdString(),
            {schreibmeldung(pdf, QStringLiteral("Sie ist keine gewöhnliche Datei")).toStdString(),
             "Bitte wählen Sie eine Datei in einem Ordner."}};
    if (const std::optional<PdfInfoFehler> fehler = nachDemDrucken(drucker, beleg))
        return engine::Meldung{
            titel.toStdString(),
            {QStringLiteral("Der Prüfbeleg steht in der Datei „%1“, aber ohne Titel, Autor und Thema in "
                            "seinen Dokumenteigenschaften.")
                 .arg(drucker.outputFileName())
                 .toStdString(),
             (fehler->meldung() + QLatin1Char('.')).toStdString()}};
    return std::nullopt;
}

} // namespace svp::ui
