#pragma once

#include "druckbeleg.h"

#include <optional>

#include <QDialog>
#include <QString>

class QLineEdit;

namespace svp::ui {

// The question before printing a record: whose case it is. Name and personnel number are
// optional and take any characters up to 60. The dialog opens with what was entered last time
// in the same working folder (remembered in the user's settings under the folder's absolute
// path, never in the record files) and remembers what is accepted.
class MitarbeiterDialog : public QDialog
{
    Q_OBJECT

public:
    MitarbeiterDialog(const QString& ordner, QWidget* eltern = nullptr);

    QString name() const;
    QString personalnummer() const;

    // Accepting remembers the answers for the folder.
    void accept() override;

private:
    QString m_schluessel;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_personalnummer = nullptr;
};

// Asks for the employee; nothing when the user cancels.
std::optional<Belegangaben> belegangabenErfragen(const QString& ordner, QWidget* eltern);

// The group of the program's user settings (QSettings, named by anwendungBenennen) that holds
// what belongs to one working folder.
QString einstellungsgruppe(const QString& ordner);

} // namespace svp::ui
