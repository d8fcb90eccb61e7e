#pragma once

#include "engine/feld.h"
#include "umbruch_knopf.h"
#include "zahlenfeld.h"

#include <array>
#include <vector>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace svp::ui {

// The controls of the window as building leaves them for binding and drawing, each under its
// name in the rules. They belong to the window's widgets; these are only the handles.

// An option group: its buttons in the order of their indices.
struct Optionsgruppe {
    QButtonGroup* gruppe = nullptr;
    std::vector<UmbruchOption*> knoepfe;
};

// The top row: the lists of year, month and state, and the buttons.
struct Kopfelemente {
    QComboBox* jahr = nullptr;
    QComboBox* monat = nullptr;
    QComboBox* land = nullptr;
    QPushButton* hilfe = nullptr;
    QPushButton* speichern = nullptr;
    QPushButton* schliessen = nullptr;
    QPushButton* drucken = nullptr;
    QPushButton* jahresuebersicht = nullptr;
};

// The four employment columns HB(0) to HB(3) and the health-insurance panel that the two
// mini-job columns share. Arrays of the mini-jobs are indexed 1 and 2 as in the rules.
struct Spaltenelemente {
    std::array<QGroupBox*, 4> hb{};
    std::array<QLineEdit*, 4> arbeitgeber{};

    // Main employment.
    Optionsgruppe hbOpt;
    QGroupBox* kvTafel = nullptr;
    Optionsgruppe hbKV;
    QGroupBox* schuelerTafel = nullptr;
    Optionsgruppe schueler;
    QToolButton* image1 = nullptr;
    UmbruchKasten* hr = nullptr;
    UmbruchKasten* hbCheck = nullptr;
    QFrame* svEntgelt = nullptr;
    Zahlenfeld* hbEuro = nullptr;

    // Short-term employment.
    Optionsgruppe kbOpt;
    std::array<UmbruchKasten*, 3> kbCheck{};
    std::array<QToolButton*, 3> kbCheckB{}; // 0 and 2

    // Shared health-insurance panel of the mini-jobs.
    QGroupBox* ssPanel2 = nullptr;
    QFrame* gkvTraeger = nullptr;
    Optionsgruppe gbKV;
    UmbruchKasten* gbCheck1 = nullptr;

    // Mini-jobs.
    std::array<UmbruchKasten*, 3> priv{};
    std::array<QLabel*, 3> gbGrenze{};
    std::array<Zahlenfeld*, 3> loh{};
    std::array<Zahlenfeld*, 3> mon{};
    std::array<Zahlenfeld*, 3> url{};
    std::array<Zahlenfeld*, 3> wei{};
    std::array<Zahlenfeld*, 3> allMo{};
    std::array<Zahlenfeld*, 3> jasum{};
    std::array<Zahlenfeld*, 3> modurch{};
    QLabel* deckel2 = nullptr;
    QWidget* eingaben3 = nullptr; // the inputs of the later mini-jobs, under deckel2

    // Every numeric field, in the order built.
    std::vector<Zahlenfeld*> felder;

    // The numeric field of `feld`, or null.
    Zahlenfeld* feldwidget(engine::Feld feld) const
    {
        for (Zahlenfeld* f : felder)
            if (f->feld() == feld)
                return f;
        return nullptr;
    }
};

} // namespace svp::ui
