#include "tabellentext.h"

namespace svp::ui {

QStringList ergebniszeilen(const engine::Ansicht& a, int spalte)
{
    const auto k = static_cast<std::size_t>(spalte);
    const engine::Control& ueberlagerung = a.vielleicht[k];
    const QString meldung = QString::fromStdString(ueberlagerung.caption).simplified();
    // A covered column shows nothing, an overlay with a message shows the message.
    if (ueberlagerung.visible)
        return meldung.isEmpty() ? QStringList() : QStringList{meldung};
    QStringList zeilen;
    for (const std::string& t : a.Ergebnistext[k]) {
        const QString text = QString::fromStdString(t).trimmed();
        if (!text.isEmpty())
            zeilen << text;
    }
    return zeilen;
}

QString csvFeld(QString text)
{
    text = text.trimmed();
    if (text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n')))
        text = QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

} // namespace svp::ui
