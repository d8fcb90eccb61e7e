#pragma once

#include <QByteArray>
#include <QString>

namespace svp::ui {

// Why a file of the user (a PDF, a CSV export) could not be read or written, in the German
// words the messages of the record files use ("Zugriff verweigert", "Datenträger voll").

// The reason for the system error number `fehlernummer`; empty for 0.
QString systemgrund(int fehlernummer);

// Why `datei` cannot be written: what the system answers to opening it for writing (a folder
// that does not exist, no permission, a folder in its place, a read-only disk), or else
// `fehlernummer`, the error number just after the write that failed. Empty when neither tells.
// The test changes no file; one that it creates is removed again.
QString schreibgrund(const QString& datei, int fehlernummer = 0);

// "Die Datei „/pfad/x.csv“ kann nicht geschrieben werden: Zugriff verweigert." (without the
// reason when none is known).
QString schreibmeldung(const QString& datei, const QString& grund);

// Where a CSV export is proposed: the folder of the last one while it exists, else the
// documents folder. The year overview and the month list share it.
QString csvOrdner();

// Writes a CSV export whole or not at all (temp file and rename) and remembers its folder.
// Empty on success, else the message of schreibmeldung.
QString csvSchreiben(const QString& datei, const QByteArray& inhalt);

} // namespace svp::ui
