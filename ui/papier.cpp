#include "papier.h"

#include "dateigrund.h"

#include <algorithm>
#include <cerrno>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#ifndef SVP_VERSION
#define SVP_VERSION "0"
#endif

namespace svp::ui {

namespace {

const std::array<const char*, 12> Monatsnamen = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};

Druckfehler fehlerVon(const QPrinter& drucker, Druckfehler::Art art, int fehlernummer)
{
    Druckfehler f;
    f.art = art;
    f.pdf = drucker.outputFormat() == QPrinter::PdfFormat;
    f.ziel = f.pdf ? drucker.outputFileName() : drucker.printerName();
    if (f.pdf)
        f.grund = schreibgrund(f.ziel, fehlernummer);
    return f;
}

} // namespace

const std::array<const char*, 6> Zweige = {
    "Lohnsteuer",         "Krankenversicherung",      "Pflegeversicherung",
    "Rentenversicherung", "Arbeitslosenversicherung", "Hinweis"};

QString programmversion()
{
    return QStringLiteral(SVP_VERSION);
}

QString monatsname(int monat)
{
    return monat >= 0 && monat < 12 ? QString::fromUtf8(Monatsnamen[static_cast<std::size_t>(monat)])
                                    : QString();
}

QString belegstil()
{
    return QStringLiteral(
        "body { font-family: sans-serif; font-size: 8.5pt; }"
        "h1 { font-size: 13pt; margin-bottom: 6pt; }"
        "h2 { font-size: 10.5pt; margin-top: 12pt; margin-bottom: 3pt; }"
        "table { border-collapse: collapse; border-style: solid; border-color: #999999; }"
        "th { text-align: left; font-weight: normal; color: #555555; background-color: #eeeeee; }"
        "td.was { color: #444444; }"
        "td.meldung { font-weight: bold; }"
        "span.leer { color: #777777; font-style: italic; }"
        "p.stand { margin-top: 12pt; margin-bottom: 4pt; }"
        "p.keine { margin-top: 8pt; font-style: italic; }");
}

QString belegfuss(int rechenjahr, const QDateTime& z)
{
    return QStringLiteral(
               "<p class='stand'>Erstellt mit svpflicht %1, Rechenstand %2 (Beitragssätze und Texte "
               "des Jahres). Gedruckt am %3 um %4 Uhr.</p>"
               "<table class='unterschrift' width='100%' cellspacing='0' cellpadding='4' border='1'>"
               "<tr><td width='40%' class='was'>Geprüft von</td><td width='20%' class='was'>Datum</td>"
               "<td width='40%' class='was'>Unterschrift</td></tr>"
               "<tr><td>&nbsp;<br>&nbsp;<br>&nbsp;<br>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td></tr></table>")
        .arg(programmversion())
        .arg(rechenjahr)
        .arg(z.toString(QStringLiteral("dd.MM.yyyy")), z.toString(QStringLiteral("HH:mm")));
}

namespace {

// The page laid out for `drucker`: A4 with the program's margins, at the printer's resolution so
// that the point sizes are the printed ones.
void seiteSetzen(QPrinter& drucker, QTextDocument& dokument, const QString& html, bool quer)
{
    drucker.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      quer ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter));
    dokument.documentLayout()->setPaintDevice(&drucker);
    QFont schrift(QStringLiteral("Sans"));
    schrift.setPointSizeF(8.5);
    // Plain letters without ligatures, so that a filed PDF can be searched for "pflicht".
    schrift.setStyleStrategy(QFont::PreferNoShaping);
    dokument.setDefaultFont(schrift);
    dokument.setDocumentMargin(0);
    dokument.setHtml(html);
}

} // namespace

std::optional<Druckfehler> aufEineSeiteDrucken(QPrinter& drucker, const QString& html, bool quer)
{
    QTextDocument dokument;
    seiteSetzen(drucker, dokument, html, quer);

    const QRectF seite = drucker.pageLayout().paintRectPixels(drucker.resolution());
    qreal massstab = 1.0;
    dokument.setTextWidth(seite.width());
    for (int versuch = 0; versuch < 8 && dokument.size().height() * massstab > seite.height(); ++versuch) {
        massstab *= std::max<qreal>(0.5, seite.height() / (dokument.size().height() * massstab)) * 0.98;
        dokument.setTextWidth(seite.width() / massstab);
    }
    errno = 0;
    QPainter maler(&drucker);
    if (!maler.isActive())
        return fehlerVon(drucker, Druckfehler::Art::NichtBegonnen, errno);
    maler.scale(massstab, massstab);
    dokument.drawContents(&maler);
    errno = 0;
    if (!maler.end() || drucker.printerState() == QPrinter::Error ||
        drucker.printerState() == QPrinter::Aborted)
        return fehlerVon(drucker, Druckfehler::Art::Abgebrochen, errno);
    return std::nullopt;
}

std::optional<Druckfehler> seitenweiseDrucken(QPrinter& drucker, const QString& html, bool quer, int* seiten)
{
    QTextDocument dokument;
    seiteSetzen(drucker, dokument, html, quer);
    const QRectF seite = drucker.pageLayout().paintRectPixels(drucker.resolution());
    // Only a table wider than the sheet is drawn smaller, and never below 8 pt.
    dokument.setTextWidth(seite.width());
    const qreal massstab =
        std::clamp<qreal>(seite.width() / std::max<qreal>(dokument.idealWidth(), 1.0), 8.0 / 8.5, 1.0);
    const QSizeF flaeche(seite.width() / massstab, seite.height() / massstab);
    dokument.setPageSize(flaeche);
    if (seiten != nullptr)
        *seiten = dokument.pageCount();
    errno = 0;
    QPainter maler(&drucker);
    if (!maler.isActive())
        return fehlerVon(drucker, Druckfehler::Art::NichtBegonnen, errno);
    maler.scale(massstab, massstab);
    for (int s = 0; s < dokument.pageCount(); ++s) {
        errno = 0;
        if (s > 0 && !drucker.newPage())
            return fehlerVon(drucker, Druckfehler::Art::Abgebrochen, errno);
        maler.save();
        maler.translate(0, -s * flaeche.height());
        dokument.drawContents(&maler, QRectF(QPointF(0, s * flaeche.height()), flaeche));
        maler.restore();
    }
    errno = 0;
    if (!maler.end() || drucker.printerState() == QPrinter::Error ||
        drucker.printerState() == QPrinter::Aborted)
        return fehlerVon(drucker, Druckfehler::Art::Abgebrochen, errno);
    return std::nullopt;
}

engine::Meldung druckmeldung(const QString& titel, const QString& was, const Druckfehler& fehler)
{
    const bool begonnen = fehler.art == Druckfehler::Art::Abgebrochen;
    const QString grund = fehler.grund.isEmpty() ? QString() : QStringLiteral(": ") + fehler.grund;
    const QString drucker = fehler.ziel.isEmpty() ? QStringLiteral("Der Drucker")
                                                  : QStringLiteral("Der Drucker „%1“").arg(fehler.ziel);
    QString warum;
    if (fehler.pdf && !begonnen)
        warum = schreibmeldung(fehler.ziel, fehler.grund);
    else if (fehler.pdf)
        warum = QStringLiteral("Die Datei „%1“ wurde nicht zu Ende geschrieben%2.").arg(fehler.ziel, grund);
    else if (!begonnen)
        warum = drucker + QStringLiteral(" nimmt keinen Auftrag an. Ist er eingeschaltet und eingerichtet?");
    else
        warum = drucker + QStringLiteral(" hat den Auftrag abgelehnt oder abgebrochen.");
    const QString ergebnis = was + (begonnen ? QStringLiteral(" wurde nicht vollständig gedruckt.")
                                             : QStringLiteral(" wurde nicht gedruckt."));
    return {titel.toStdString(), {ergebnis.toStdString(), warum.toStdString()}};
}

Druckerwahl druckdialog(const QString& titel, QWidget* eltern)
{
    return [titel, eltern](QPrinter& drucker) {
        QPrintDialog dialog(&drucker, eltern);
        dialog.setWindowTitle(titel);
        return dialog.exec() == QDialog::Accepted;
    };
}

} // namespace svp::ui
