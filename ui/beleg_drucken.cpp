#include "beleg_drucken.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>
#include <QStandardPaths>

namespace svp::ui {

namespace {

QSettings einstellungen()
{
    return QSettings(QStringLiteral("svpflicht"), QStringLiteral("svpflicht"));
}

} // namespace

void druckerVorbereiten(QPrinter& drucker, const Druckbeleg& beleg)
{
    // The job's name in the printer queue, and the name a PDF file gets from the dialog.
    drucker.setDocName(QFileInfo(beleg.dateiname()).completeBaseName());
    QSettings s = einstellungen();
    const QString letzterDrucker = s.value(QStringLiteral("Drucken/Drucker")).toString();
    if (!letzterDrucker.isEmpty() && !QPrinterInfo::printerInfo(letzterDrucker).isNull()) {
        drucker.setPrinterName(letzterDrucker);
        return;
    }
    QString ordner = s.value(QStringLiteral("Drucken/PdfOrdner")).toString();
    if (ordner.isEmpty() || !QFileInfo(ordner).isDir())
        ordner = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (ordner.isEmpty())
        ordner = QDir::homePath();
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QDir(ordner).filePath(beleg.dateiname()));
}

void nachDemDrucken(const QPrinter& drucker, const Druckbeleg& beleg)
{
    QSettings s = einstellungen();
    if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty()) {
        beleg.pdfInfoErgaenzen(drucker.outputFileName());
        s.setValue(QStringLiteral("Drucken/PdfOrdner"), QFileInfo(drucker.outputFileName()).absolutePath());
        s.setValue(QStringLiteral("Drucken/Drucker"), QString());
    } else {
        s.setValue(QStringLiteral("Drucken/Drucker"), drucker.printerName());
    }
}

void belegDrucken(const Druckbeleg& beleg, QWidget* eltern)
{
    QPrinter drucker(QPrinter::HighResolution);
    druckerVorbereiten(drucker, beleg);
    QPrintDialog dialog(&drucker, eltern);
    dialog.setWindowTitle(QStringLiteral("Prüfbeleg drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    beleg.drucken(drucker);
    nachDemDrucken(drucker, beleg);
}

} // namespace svp::ui
