#include "kopfzeile.h"

#include "bausteine.h"

#include <initializer_list>

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace svp::ui {

namespace {

// The buttons of the top row. They ask for no width of their own as the least: the window may
// get narrower than the row, which then puts them under the lists.
class Knopfleiste : public QWidget
{
public:
    QSize minimumSizeHint() const override { return {0, QWidget::minimumSizeHint().height()}; }
};

// A list of the top row. Choosing another month or year replaces the inputs shown, so the
// mouse wheel changes the choice only in the list the user is working in; over any other it
// scrolls the window.
class Liste : public QComboBox
{
public:
    Liste() { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* ereignis) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(ereignis);
        else
            ereignis->ignore();
    }
};

QComboBox* liste(const QString& name, const QString& zugaenglich)
{
    auto* combo = new Liste;
    combo->setObjectName(name);
    combo->setAccessibleName(zugaenglich);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); // an entry is never cut
    return combo;
}

// The captions are the program's own; the letter behind "&" is underlined and chosen with Alt.
QPushButton* knopf(const QString& name, const QString& text, const QIcon& bild, const QString& tipp)
{
    auto* k = new QPushButton(bild, text);
    k->setObjectName(name);
    k->setAccessibleName(QString(text).remove(QLatin1Char('&')).trimmed());
    k->setAutoDefault(false);
    k->setToolTip(tipp);
    return k;
}

} // namespace

Kopfzeile::Kopfzeile()
{
    Kopfelemente& e = m_elemente;
    e.jahr = liste(QStringLiteral("Jahr"), QStringLiteral("Jahr"));
    e.monat = liste(QStringLiteral("Monat"), QStringLiteral("Monat"));
    e.land = liste(QStringLiteral("Land"), QStringLiteral("Bundesland"));

    const QIcon fragezeichen = QIcon::fromTheme(QStringLiteral("help-contents"),
                                                style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    e.hilfe = knopf(QStringLiteral("Hilfe"), QStringLiteral("  &Hilfe  "), fragezeichen,
                    QStringLiteral("Öffnet die Hilfe (F1)."));
    // The button saves and leaves the window open; its caption is the program's own.
    e.speichern =
        knopf(QStringLiteral("Speichern"), QStringLiteral("  &Speichern und schließen  "),
              style()->standardIcon(QStyle::SP_DialogSaveButton),
              QStringLiteral("Speichert den Fall dieses Monats; das Fenster bleibt offen (Strg+S)."));
    e.schliessen = knopf(QStringLiteral("Schliessen"), QStringLiteral("  &Ohne Speicherung abbrechen  "),
                         style()->standardIcon(QStyle::SP_DialogCancelButton),
                         QStringLiteral("Beendet das Programm ohne zu speichern; ist der Fall geändert, "
                                        "wird vorher gefragt."));
    e.drucken = knopf(QStringLiteral("Drucken"), QStringLiteral("  &Drucken  "),
                      style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                      QStringLiteral("Druckt das Ergebnis der Prüfung für die Personalakte (Strg+P)."));
    e.jahresuebersicht = knopf(QStringLiteral("Jahresuebersicht"), QStringLiteral("  &Jahresübersicht  "),
                               style()->standardIcon(QStyle::SP_FileDialogListView),
                               QStringLiteral("Zeigt die zwölf Monate des Jahres auf einen Blick (Strg+J)."));

    m_listen = new QWidget;
    auto* listen = new QHBoxLayout(m_listen);
    listen->setContentsMargins(0, 0, 0, 0);
    listen->setSpacing(Abstand);
    for (QWidget* w : std::initializer_list<QWidget*>{e.jahr, e.monat, e.land})
        listen->addWidget(w);
    m_knoepfe = new Knopfleiste;
    auto* knoepfe = new QHBoxLayout(m_knoepfe);
    knoepfe->setContentsMargins(0, 0, 0, 0);
    knoepfe->setSpacing(Abstand);
    for (QWidget* w :
         std::initializer_list<QWidget*>{e.hilfe, e.speichern, e.schliessen, e.drucken, e.jahresuebersicht})
        knoepfe->addWidget(w);
    // The buttons stand right of the lists, or under them where the window is too narrow for
    // both (umbrechen).
    auto* zeilen = new QVBoxLayout(this);
    zeilen->setSpacing(Abstand);
    zeilen->setContentsMargins(Rand, Rand, Rand, 4);
    for (QHBoxLayout*& zeile : m_zeilen) {
        zeile = new QHBoxLayout;
        zeile->setSpacing(Abstand);
        zeilen->addLayout(zeile);
    }
    anordnen(Anordnung::EineZeile);
}

int Kopfzeile::einzeiligeBreite() const
{
    const QMargins rand = layout()->contentsMargins();
    return rand.left() + m_listen->sizeHint().width() + Abstand + m_knoepfe->sizeHint().width() +
           rand.right();
}

void Kopfzeile::vorneEinfuegen(QWidget* w)
{
    static_cast<QHBoxLayout*>(m_listen->layout())->insertWidget(0, w);
}

void Kopfzeile::leisteAufnehmen(QWidget* leiste)
{
    m_leiste = leiste;
    m_anordnung = Anordnung::Unbestimmt;
    umbrechen(width());
}

void Kopfzeile::umbrechen(int fensterbreite)
{
    Anordnung neu = Anordnung::EineZeile;
    if (fensterbreite < einzeiligeBreite()) {
        const QMargins rand = layout()->contentsMargins();
        const int nebenKnoepfen = rand.left() + m_knoepfe->sizeHint().width() + Abstand +
                                  (m_leiste != nullptr ? m_leiste->sizeHint().width() : 0) + rand.right();
        neu = fensterbreite >= nebenKnoepfen ? Anordnung::LeisteNebenKnoepfen : Anordnung::DreiZeilen;
    }
    anordnen(neu);
}

void Kopfzeile::anordnen(Anordnung anordnung)
{
    if (anordnung == m_anordnung)
        return;
    m_anordnung = anordnung;
    zeilenLeeren(m_zeilen);
    // The lists first; the buttons right of them, or in a line of their own; the notice of a
    // month never saved under them, or right of the buttons where the line has room for it.
    m_zeilen[0]->addWidget(m_listen);
    m_zeilen[0]->addStretch(1);
    const bool eineZeile = anordnung == Anordnung::EineZeile;
    QHBoxLayout* knoepfe = eineZeile ? m_zeilen[0] : m_zeilen[1];
    knoepfe->addWidget(m_knoepfe);
    if (m_leiste != nullptr) {
        if (anordnung == Anordnung::LeisteNebenKnoepfen)
            m_zeilen[1]->addWidget(m_leiste, 1);
        else
            m_zeilen[eineZeile ? 1 : 2]->addWidget(m_leiste);
    }
    if (anordnung == Anordnung::DreiZeilen)
        m_zeilen[1]->addStretch(1);
}

} // namespace svp::ui
