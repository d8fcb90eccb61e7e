#include "kopfzeile.h"

#include "bausteine.h"

#include <initializer_list>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
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
    m_raster = new QGridLayout(this);
    m_raster->setSpacing(Abstand);
    m_raster->addWidget(m_listen, 0, 0);
    m_raster->setColumnStretch(1, 1);
    m_raster->addWidget(m_knoepfe, 0, 2, Qt::AlignRight);
    m_raster->setContentsMargins(Rand, Rand, Rand, 4);
}

int Kopfzeile::einzeiligeBreite() const
{
    const QMargins rand = m_raster->contentsMargins();
    return rand.left() + m_listen->sizeHint().width() + Abstand + m_knoepfe->sizeHint().width() +
           rand.right();
}

int Kopfzeile::knopfzeilenhoehe() const
{
    return m_knoepfe->sizeHint().height() + Abstand;
}

void Kopfzeile::vorneEinfuegen(QWidget* w)
{
    static_cast<QHBoxLayout*>(m_listen->layout())->insertWidget(0, w);
}

void Kopfzeile::umbrechen(int fensterbreite)
{
    const bool eineZeile = fensterbreite >= einzeiligeBreite();
    if (eineZeile == (m_raster->indexOf(m_knoepfe) >= 0 && m_knoepfeRechts))
        return;
    m_raster->removeWidget(m_knoepfe);
    if (eineZeile)
        m_raster->addWidget(m_knoepfe, 0, 2, Qt::AlignRight);
    else
        m_raster->addWidget(m_knoepfe, 1, 0, 1, 3, Qt::AlignLeft);
    m_knoepfeRechts = eineZeile;
}

} // namespace svp::ui
