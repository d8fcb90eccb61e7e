#include "pdf_info.h"

#include "dateigrund.h"

#include <cerrno>

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

namespace svp::ui {

namespace {

// A text string of the PDF: UTF-16BE with byte-order mark, written in hexadecimal, which holds
// any character without escaping.
QByteArray pdfText(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

QByteArray pdfDatum(const QDateTime& zeit)
{
    const int versatz = zeit.offsetFromUtc() / 60;
    const char vorzeichen = versatz < 0 ? '-' : '+';
    const int betrag = versatz < 0 ? -versatz : versatz;
    return "(D:" + zeit.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + vorzeichen +
           QByteArray::number(betrag / 60).rightJustified(2, '0') + "'" +
           QByteArray::number(betrag % 60).rightJustified(2, '0') + "')";
}

PdfInfoFehler fehler(PdfInfoFehler::Art art, int fehlernummer = 0)
{
    return {art, systemgrund(fehlernummer)};
}

// What is appended to the file `inhalt` for the information `info`; empty when the file is not
// laid out with a classic cross-reference table.
QByteArray infoAnhang(const QByteArray& inhalt, const PdfInfo& info)
{
    // The last trailer names the catalogue and the number of objects; startxref the table.
    const qsizetype trailer = inhalt.lastIndexOf("trailer");
    const qsizetype startxref = inhalt.lastIndexOf("startxref");
    if (trailer < 0 || startxref < trailer)
        return {};
    const QString kopf = QString::fromLatin1(inhalt.mid(trailer, startxref - trailer));
    const auto root = QRegularExpression(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)")).match(kopf);
    const auto size = QRegularExpression(QStringLiteral("/Size\\s+(\\d+)")).match(kopf);
    const auto prev = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)"))
                          .match(QString::fromLatin1(inhalt.mid(startxref, 40)));
    const int nummer = size.captured(1).toInt();
    if (!root.hasMatch() || !size.hasMatch() || !prev.hasMatch() || nummer <= 0)
        return {};

    QByteArray anhang;
    if (!inhalt.endsWith('\n'))
        anhang += '\n';
    const qsizetype objekt = inhalt.size() + anhang.size();
    anhang += QByteArray::number(nummer) + " 0 obj\n<<\n";
    anhang += "/Title " + pdfText(info.titel) + "\n";
    anhang += "/Author " + pdfText(info.autor) + "\n";
    anhang += "/Subject " + pdfText(info.thema) + "\n";
    anhang += "/Creator " + pdfText(info.ersteller) + "\n";
    anhang += "/Producer " + pdfText(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())) + "\n";
    if (info.erstellt.isValid())
        anhang += "/CreationDate " + pdfDatum(info.erstellt) + "\n";
    anhang += ">>\nendobj\n";
    const qsizetype tabelle = inhalt.size() + anhang.size();
    // Each entry of the table is 20 bytes: offset, generation, "n", blank and line feed.
    anhang += "xref\n" + QByteArray::number(nummer) + " 1\n" +
              QByteArray::number(objekt).rightJustified(10, '0') + " 00000 n \n";
    anhang += "trailer\n<<\n/Size " + QByteArray::number(nummer + 1) + "\n/Root " +
              root.captured(1).toLatin1() + "\n/Info " + QByteArray::number(nummer) + " 0 R\n/Prev " +
              prev.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(tabelle) + "\n%%EOF\n";
    return anhang;
}

} // namespace

QString PdfInfoFehler::meldung() const
{
    QString text;
    switch (art) {
    case Art::Lesen:
        text = QStringLiteral("Die Datei kann nicht gelesen werden");
        break;
    case Art::Aufbau:
        text = QStringLiteral("Die Datei ist nicht so aufgebaut, wie das Programm sie druckt");
        break;
    case Art::Schreiben:
        text = QStringLiteral("Die Datei kann nicht ergänzt werden");
        break;
    }
    return grund.isEmpty() ? text : text + QStringLiteral(": ") + grund;
}

std::optional<PdfInfoFehler> pdfInfoSetzen(const QString& datei, const PdfInfo& info)
{
    QFile f(datei);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        return fehler(PdfInfoFehler::Art::Lesen, errno);
    errno = 0;
    // Only what the file holds: a device that never ends (a character device such as /dev/full)
    // holds no page to extend, and reading it to its end would never return.
    const QByteArray inhalt = f.isSequential() ? QByteArray() : f.read(f.size());
    if (f.error() != QFileDevice::NoError)
        return fehler(PdfInfoFehler::Art::Lesen, errno);
    f.close();

    const QByteArray anhang = infoAnhang(inhalt, info);
    if (anhang.isEmpty())
        return fehler(PdfInfoFehler::Art::Aufbau);

    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return fehler(PdfInfoFehler::Art::Schreiben, errno);
    errno = 0;
    const bool geschrieben = f.write(anhang) == anhang.size();
    const bool geschlossen = f.flush();
    const int fehlernummer = errno;
    f.close();
    if (!geschrieben || !geschlossen) {
        // Back to the file as Qt wrote it.
        f.resize(inhalt.size());
        return fehler(PdfInfoFehler::Art::Schreiben, fehlernummer);
    }
    return std::nullopt;
}

} // namespace svp::ui
