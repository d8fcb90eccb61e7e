#pragma once

#include <functional>
#include <optional>

#include <QDialog>
#include <QStringList>

class QComboBox;

namespace svp::ui {

class SV;

// "In Folgemonate übernehmen…": up to which month of the year the shown case is carried.
class FolgemonateDialog : public QDialog
{
    Q_OBJECT

public:
    // `von`: the month shown (0..11), `jahr` its year.
    FolgemonateDialog(int von, int jahr, QWidget* eltern = nullptr);
    int bis() const; // month index
    QComboBox* auswahl() const { return m_bis; }

private:
    int m_von;
    QComboBox* m_bis = nullptr;
};

// What to do with the months already saved with a different case.
enum class Abweichende { Ueberschreiben, Ueberspringen, Abbrechen };

struct Folgemonatsfragen {
    // Up to which month; nothing cancels. By default the dialog above.
    std::function<std::optional<int>(int von, int jahr)> bis;
    // The months saved with a different case, as "JUNI 2008"; by default a message box.
    std::function<Abweichende(const QStringList& monate)> abweichende;
};

// Carries the case that `fenster` shows into the following months: asks up to which month,
// names the months saved with a different case, saves in one go and lets an open year overview
// show the result. False when cancelled or not saved.
bool folgemonateUebernehmen(SV& fenster, const Folgemonatsfragen& fragen = {});

} // namespace svp::ui
