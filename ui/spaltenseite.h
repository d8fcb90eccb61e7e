#pragma once

#include "engine/ansicht.h"
#include "steuerelemente.h"

#include <array>

#include <QWidget>

class QGridLayout;
class QLabel;

namespace svp::ui {

// The page of the four employment columns: the main employment, the short-term employment
// and the two mini-job columns under the health-insurance panel they share. It builds the
// controls with the captions of the view state `vorlage` and lays them out; binding them to
// the controller and drawing its state are the window's.
class Spaltenseite : public QWidget
{
public:
    explicit Spaltenseite(const engine::Ansicht& vorlage);

    const Spaltenelemente& elemente() const { return m_elemente; }

    // A column keeps the width it needs: narrowed, its captions would wrap and it would grow
    // in height. `breite` is what else it must hold (its results); the columns share any
    // room beyond in proportion to their widths.
    void mindestbreitenSetzen(const std::array<int, 4>& breite);

private:
    QGroupBox* hauptbeschaeftigungBauen(const engine::Ansicht& a);
    QLayout* tafelnBauen(const engine::Ansicht& a);
    QFrame* entgeltBauen();
    QGroupBox* kurzfristigeBauen(const engine::Ansicht& a);
    QGroupBox* gemeinsameKVBauen(const engine::Ansicht& a);
    QGroupBox* minijobBauen(const engine::Ansicht& a, int i);
    QLabel* grenzeBauen(const engine::Ansicht& a, int i);
    QWidget* rechenblockBauen(int i);
    QGroupBox* spalteBauen(const engine::Ansicht& a, int spalte);
    QLineEdit* arbeitgeberBauen(int spalte);
    void optionsgruppeBauen(Optionsgruppe& gruppe, const char* name, const engine::OptionGroup& vorlage,
                            QLayout* ziel);
    Zahlenfeld* feldBauen(engine::Feldart art, int index, const Zahlenfeld::Format& format,
                          const QString& name);

    Spaltenelemente m_elemente;
    QGridLayout* m_raster = nullptr;
};

} // namespace svp::ui
