#include "arbeitnehmerliste.h"

#include "arbeitnehmer_dialog.h"
#include "arbeitnehmerangaben.h"
#include "bausteine.h"
#include "folgemonate.h"
#include "mitarbeiter_dialog.h"
#include "monatsliste.h"
#include "store/ablage.h"
#include "store/arbeitnehmerdatei.h"
#include "sv.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>

namespace svp::ui {

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

bool ohneNamen(const store::Arbeitnehmereintrag& e)
{
    return e.daten.daten.Name.empty() && e.daten.daten.Personalnummer.empty();
}

// The root as the employee of a folder that holds no employee yet: the window works in it as
// it always did.
store::Arbeitnehmereintrag wurzeleintrag(const std::filesystem::path& wurzel)
{
    store::Arbeitnehmereintrag e;
    e.ordner = wurzel;
    e.wurzel = true;
    if (const auto kennung = store::ordnerkennung(wurzel))
        e.kennung = *kennung;
    e.daten = store::Arbeitnehmerdatei(wurzel).lesen();
    return e;
}

} // namespace

std::pair<int, int> letzterMonat(const std::filesystem::path& ordner)
{
    const store::Ablage ablage(ordner);
    int jahr = params::Stammjahr;
    auto stamm = ablage.lesen(params::Stammjahr, 1);
    if (const auto* satz = std::get_if<store::Datensatz>(&stamm))
        jahr = satz->gueltigesJahr();
    int monat = 0;
    auto kopf = ablage.lesen(jahr, 1);
    if (const auto* satz = std::get_if<store::Datensatz>(&kopf))
        monat = satz->gueltigerMonat();
    return {jahr, monat};
}

// ---------------------------------------------------------------------------------------------

Arbeitnehmerauswahl::Arbeitnehmerauswahl()
{
    setObjectName(QStringLiteral("Arbeitnehmer"));
    setAccessibleName(QStringLiteral("Arbeitnehmer"));
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setMinimumContentsLength(18);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setToolTip(QStringLiteral("Der Arbeitnehmer, dessen Fall das Fenster zeigt. Tippen Sie einen Namen oder "
                              "eine Personalnummer, um zu ihm zu springen."));
    connect(this, &QComboBox::activated, this, &Arbeitnehmerauswahl::gewaehlt);
}

void Arbeitnehmerauswahl::fuellen(const std::vector<store::Arbeitnehmereintrag>& eintraege, int aktuell)
{
    const QSignalBlocker still(this);
    clear();
    m_formen.clear();
    m_nummern.clear();
    for (const store::Arbeitnehmereintrag& e : eintraege) {
        addItem(Arbeitnehmerwahl::listenname(e));
        m_formen.push_back(store::Arbeitnehmerverzeichnis::suchform(e.anzeigename()));
        m_nummern.push_back(store::Arbeitnehmerverzeichnis::suchform(e.daten.daten.Personalnummer));
    }
    setCurrentIndex(aktuell);
}

void Arbeitnehmerauswahl::keyPressEvent(QKeyEvent* ereignis)
{
    const QString zeichen = ereignis->text();
    const qint64 jetzt = QDateTime::currentMSecsSinceEpoch();
    const bool weiter = jetzt - m_zuletzt <= QApplication::keyboardInputInterval();
    // A blank that begins no search opens the list, as in any list.
    if (zeichen.isEmpty() || !zeichen.at(0).isPrint() || (zeichen == QStringLiteral(" ") && !weiter) ||
        (ereignis->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QComboBox::keyPressEvent(ereignis);
        return;
    }
    // What is typed in quick succession is one search, as in a file manager.
    if (!weiter)
        m_getippt.clear();
    m_zuletzt = jetzt;
    m_getippt += zeichen;
    const std::string gesucht = store::Arbeitnehmerverzeichnis::suchform(m_getippt.toStdString());
    for (std::size_t i = 0; i < m_formen.size(); ++i) {
        if (m_formen[i].rfind(gesucht, 0) == 0 ||
            (!m_nummern[i].empty() && m_nummern[i].rfind(gesucht, 0) == 0)) {
            if (static_cast<int>(i) != currentIndex()) {
                setCurrentIndex(static_cast<int>(i));
                emit gewaehlt(static_cast<int>(i));
            }
            break;
        }
    }
    ereignis->accept();
}

// ---------------------------------------------------------------------------------------------

Arbeitnehmerwahl::Arbeitnehmerwahl(std::filesystem::path wurzel) : m_verzeichnis(std::move(wurzel))
{
    m_zeile = new QWidget;
    m_zeile->setObjectName(QStringLiteral("Arbeitnehmerwahl"));
    m_liste = new Arbeitnehmerauswahl;
    m_knopf = new QToolButton;
    m_knopf->setObjectName(QStringLiteral("ArbeitnehmerKnopf"));
    m_knopf->setText(QStringLiteral("Arbeitnehmer…"));
    m_knopf->setAccessibleName(QStringLiteral("Arbeitnehmer…"));
    m_knopf->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_knopf->setPopupMode(QToolButton::InstantPopup);
    // The ellipsis says that a dialog follows; the menu's arrow would cover it.
    m_knopf->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_knopf->setToolTip(QStringLiteral("Einen Arbeitnehmer anlegen, die Daten des gezeigten bearbeiten oder "
                                       "die Angaben zum Betrieb ändern."));
    auto* menue = new QMenu(m_knopf);
    menue->setObjectName(QStringLiteral("ArbeitnehmerMenue"));
    menue->addAction(QStringLiteral("&Neuer Arbeitnehmer…"), this, &Arbeitnehmerwahl::neuOeffnen)
        ->setObjectName(QStringLiteral("Neu"));
    menue->addAction(QStringLiteral("Daten &bearbeiten…"), this, &Arbeitnehmerwahl::bearbeitenOeffnen)
        ->setObjectName(QStringLiteral("Bearbeiten"));
    menue->addSeparator();
    menue->addAction(QStringLiteral("B&etrieb…"), this, &Arbeitnehmerwahl::betriebOeffnen)
        ->setObjectName(QStringLiteral("Betrieb"));
    m_knopf->setMenu(menue);
    auto* zeile = new QHBoxLayout(m_zeile);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(Abstand);
    zeile->addWidget(m_liste);
    zeile->addWidget(m_knopf);
    m_folgemonate = new QPushButton(QStringLiteral("In &Folgemonate übernehmen…"));
    m_folgemonate->setObjectName(QStringLiteral("Folgemonate"));
    m_folgemonate->setAutoDefault(false);
    m_folgemonate->setToolTip(
        QStringLiteral("Speichert den Fall dieses Monats und übernimmt ihn in die folgenden "
                       "Monate des Jahres (Strg+U)."));
    zeile->addWidget(m_folgemonate);
    m_monatslisteKnopf = new QPushButton(QStringLiteral("Monats&liste"));
    m_monatslisteKnopf->setObjectName(QStringLiteral("MonatslisteKnopf"));
    m_monatslisteKnopf->setAutoDefault(false);
    m_monatslisteKnopf->setToolTip(
        QStringLiteral("Alle Arbeitnehmer in einem Monat, mit dem, was zu prüfen ist (Strg+L)."));
    zeile->addWidget(m_monatslisteKnopf);
    connect(m_liste, &Arbeitnehmerauswahl::gewaehlt, this, [this](int index) {
        if (!wechseln(index)) {
            const QSignalBlocker still(m_liste);
            m_liste->setCurrentIndex(m_aktuell);
        }
    });

    auflisten({}, true);
    einstellungenUebernehmen();
    // The root when it holds a case of its own, else the first in the list; a root without
    // any employee is worked in as before.
    m_aktuell = m_eintraege.empty() ? -1 : 0;
    m_steuerung = steuerungFuer(m_eintraege.empty() ? wurzeleintrag(m_verzeichnis.wurzel()) : m_eintraege[0]);
    m_liste->fuellen(m_eintraege, m_aktuell);
}

Arbeitnehmerwahl::~Arbeitnehmerwahl()
{
    delete m_zeile; // unless the window has taken it and gone
}

const store::Arbeitnehmereintrag* Arbeitnehmerwahl::aktuellerEintrag() const
{
    if (m_aktuell < 0 || m_aktuell >= static_cast<int>(m_eintraege.size()))
        return nullptr;
    return &m_eintraege[static_cast<std::size_t>(m_aktuell)];
}

QString Arbeitnehmerwahl::titelname(const store::Arbeitnehmereintrag& e)
{
    if (e.wurzel && ohneNamen(e))
        return {};
    QString name = text(e.anzeigename());
    if (!e.daten.daten.Personalnummer.empty())
        name += QStringLiteral(" (") + text(e.daten.daten.Personalnummer) + QStringLiteral(")");
    return name;
}

QString Arbeitnehmerwahl::listenname(const store::Arbeitnehmereintrag& e)
{
    const QString name = titelname(e);
    return name.isEmpty() ? QString::fromUtf8(store::Arbeitnehmerverzeichnis::OhneNamen) : name;
}

void Arbeitnehmerwahl::auflisten(const std::string& behalten, bool behaltenWurzel)
{
    auto liste = m_verzeichnis.auflisten();
    if (auto* fehler = std::get_if<store::Ordnerfehler>(&liste)) {
        m_listenfehler = fehler->meldung();
        return;
    }
    m_listenfehler.clear();
    m_eintraege = std::move(std::get<std::vector<store::Arbeitnehmereintrag>>(liste));
    m_aktuell = -1;
    for (std::size_t i = 0; i < m_eintraege.size(); ++i)
        if (m_eintraege[i].wurzel == behaltenWurzel && m_eintraege[i].ordnername == behalten)
            m_aktuell = static_cast<int>(i);
}

void Arbeitnehmerwahl::neuAuflisten()
{
    const store::Arbeitnehmereintrag* e = aktuellerEintrag();
    const std::string ordner = e != nullptr ? e->ordnername : std::string();
    const bool wurzel = e == nullptr || e->wurzel;
    auflisten(ordner, wurzel);
    m_liste->fuellen(m_eintraege, m_aktuell);
    titelSetzen();
}

void Arbeitnehmerwahl::einstellungenUebernehmen()
{
    // The Prüfbeleg's question kept name and personnel number under the folder's absolute
    // path; an employee without either in its data file gets them once, and the entry goes.
    QSettings einstellungen;
    bool geaendert = false;
    for (store::Arbeitnehmereintrag& e : m_eintraege) {
        const QString gruppe = einstellungsgruppe(QString::fromStdString(e.ordner.string()));
        einstellungen.beginGroup(gruppe);
        const QString name = einstellungen.value(QStringLiteral("Name")).toString().trimmed();
        const QString nummer = einstellungen.value(QStringLiteral("Personalnummer")).toString().trimmed();
        einstellungen.endGroup();
        if ((name.isEmpty() && nummer.isEmpty()) || !ohneNamen(e) ||
            (e.daten.zustand != store::Dateizustand::Fehlt &&
             e.daten.zustand != store::Dateizustand::Gelesen))
            continue;
        params::Arbeitnehmerdaten daten = e.daten.daten;
        daten.Name = name.left(static_cast<int>(store::Arbeitnehmerdatei::NameHoechstens)).toStdString();
        daten.Personalnummer =
            nummer.left(static_cast<int>(store::Arbeitnehmerdatei::PersonalnummerHoechstens)).toStdString();
        if (m_verzeichnis.pruefen(e) || store::Arbeitnehmerdatei::pruefen(daten))
            continue;
        if (std::holds_alternative<store::Speicherung>(e.datei().speichern(daten))) {
            einstellungen.remove(gruppe);
            geaendert = true;
        }
    }
    if (geaendert)
        auflisten({}, true);
}

std::unique_ptr<engine::Steuerung> Arbeitnehmerwahl::steuerungFuer(const store::Arbeitnehmereintrag& e) const
{
    auto s = std::make_unique<engine::Steuerung>(e.ordner);
    s->setArbeitnehmerdaten(e.daten.daten);
    // Nothing goes into a folder that has been removed or renamed since it was listed, nor
    // into another that has taken its name.
    s->setOrdnerpruefung([verzeichnis = m_verzeichnis, e]() -> std::optional<std::string> {
        if (const auto fehler = verzeichnis.pruefen(e))
            return fehler->meldung() + "; der Fall wird nicht gespeichert.";
        return std::nullopt;
    });
    return s;
}

void Arbeitnehmerwahl::anbinden(SV& fenster)
{
    m_fenster = &fenster;
    fenster.kopfErgaenzen(m_zeile, m_knopf);
    fenster.setAngabenabfrage([this](const QString& ordner) -> std::optional<Belegangaben> {
        const store::Arbeitnehmereintrag* e = aktuellerEintrag();
        const store::Betriebsdaten betrieb = store::Betriebsdatei(m_verzeichnis.wurzel()).lesen().daten;
        Belegangaben angaben =
            belegangabenAus(e != nullptr ? e->daten.daten : params::Arbeitnehmerdaten{}, betrieb);
        // Only the root without a name is asked for, as before there were employees.
        if (e == nullptr || (e->wurzel && ohneNamen(*e))) {
            std::optional<Belegangaben> antwort = belegangabenErfragen(ordner, m_fenster);
            if (!antwort)
                return std::nullopt;
            angaben.name = antwort->name;
            angaben.personalnummer = antwort->personalnummer;
        }
        return angaben;
    });
    const auto folgemonate = [this] { folgemonateUebernehmen(*m_fenster); };
    connect(m_folgemonate, &QPushButton::clicked, this, folgemonate);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_U), &fenster), &QShortcut::activated, this,
            folgemonate);
    connect(m_monatslisteKnopf, &QPushButton::clicked, this, &Arbeitnehmerwahl::monatslisteOeffnen);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), &fenster), &QShortcut::activated, this,
            &Arbeitnehmerwahl::monatslisteOeffnen);
    titelSetzen();
    if (!m_listenfehler.empty())
        meldungZeigen(m_listenfehler);
}

void Arbeitnehmerwahl::titelSetzen()
{
    if (m_fenster == nullptr)
        return;
    const store::Arbeitnehmereintrag* e = aktuellerEintrag();
    m_fenster->titelSetzen(e != nullptr ? titelname(*e) : QString());
}

void Arbeitnehmerwahl::meldungZeigen(const std::string& zeile)
{
    if (m_fenster != nullptr)
        m_fenster->anzeige().zeigen({engine::caption::Fenster, {zeile}}, m_fenster);
}

bool Arbeitnehmerwahl::wechseln(int index)
{
    if (index < 0 || index >= static_cast<int>(m_eintraege.size()))
        return false;
    if (index == m_aktuell)
        return true;
    if (m_fenster != nullptr) {
        bool erlaubt = false;
        m_fenster->handeln([&erlaubt](engine::Steuerung& s) { erlaubt = s.verlassenAnfragen(); });
        if (!erlaubt)
            return false;
    }
    const store::Arbeitnehmereintrag& e = m_eintraege[static_cast<std::size_t>(index)];
    if (const auto fehler = m_verzeichnis.pruefen(e)) {
        // Gone since the list was made: the list is made anew, the case shown stays.
        meldungZeigen(fehler->meldung() + ".");
        neuAuflisten();
        return false;
    }
    std::unique_ptr<engine::Steuerung> neu = steuerungFuer(e);
    neu->Form_Load();
    m_aktuell = index;
    {
        const QSignalBlocker still(m_liste);
        m_liste->setCurrentIndex(index);
    }
    if (m_fenster != nullptr) {
        m_fenster->steuerungWechseln(*neu);
        const auto [jahr, monat] = letzterMonat(e.ordner);
        m_fenster->monatZeigen(jahr, monat);
    }
    m_steuerung = std::move(neu);
    titelSetzen();
    if (e.daten.fehler)
        meldungZeigen(e.daten.fehler->meldung() + ". Bis die Daten gespeichert werden, gelten die Vorgaben.");
    return true;
}

bool Arbeitnehmerwahl::zeigen(const std::string& ordnername, int jahr, int monat)
{
    for (std::size_t i = 0; i < m_eintraege.size(); ++i) {
        const store::Arbeitnehmereintrag& e = m_eintraege[i];
        if ((ordnername.empty() ? e.wurzel : e.ordnername == ordnername)) {
            if (!wechseln(static_cast<int>(i)))
                return false;
            if (m_fenster != nullptr)
                m_fenster->monatZeigen(jahr, monat);
            return true;
        }
    }
    return false;
}

std::optional<QString> Arbeitnehmerwahl::anlegen(const params::Arbeitnehmerdaten& daten)
{
    auto angelegt = m_verzeichnis.anlegen(daten);
    if (const auto* fehler = std::get_if<store::Ordnerfehler>(&angelegt))
        return text(fehler->meldung()) + QStringLiteral(".");
    const std::string ordner = std::get<store::Arbeitnehmereintrag>(angelegt).ordnername;
    const store::Arbeitnehmereintrag* e = aktuellerEintrag();
    const std::string bisher = e != nullptr ? e->ordnername : std::string();
    const bool bisherWurzel = e == nullptr || e->wurzel;
    auflisten(bisher, bisherWurzel);
    m_liste->fuellen(m_eintraege, m_aktuell);
    for (std::size_t i = 0; i < m_eintraege.size(); ++i)
        if (!m_eintraege[i].wurzel && m_eintraege[i].ordnername == ordner)
            wechseln(static_cast<int>(i));
    return std::nullopt;
}

std::optional<QString> Arbeitnehmerwahl::datenSpeichern(const params::Arbeitnehmerdaten& daten)
{
    const store::Arbeitnehmereintrag* e = aktuellerEintrag();
    if (e == nullptr)
        return anlegen(daten);
    if (const auto fehler = m_verzeichnis.pruefen(*e))
        return text(fehler->meldung()) + QStringLiteral("; die Daten werden nicht gespeichert.");
    auto gespeichert = e->datei().speichern(daten);
    if (const auto* fehler = std::get_if<store::Fehler>(&gespeichert))
        return text(fehler->meldung()) + QStringLiteral(".");
    const std::string ordner = e->ordnername;
    const bool wurzel = e->wurzel;
    auflisten(ordner, wurzel);
    m_liste->fuellen(m_eintraege, m_aktuell);
    titelSetzen();
    const params::Arbeitnehmerdaten neu =
        aktuellerEintrag() != nullptr ? aktuellerEintrag()->daten.daten : daten;
    if (m_fenster != nullptr) {
        m_fenster->handeln([neu](engine::Steuerung& s) { s.setArbeitnehmerdaten(neu); });
        // An open year overview shows the amounts of the new data at once.
        m_fenster->uebersichtAktualisieren();
    } else {
        m_steuerung->setArbeitnehmerdaten(neu);
    }
    return std::nullopt;
}

std::optional<QString> Arbeitnehmerwahl::betriebSpeichern(const store::Betriebsdaten& daten)
{
    auto gespeichert = store::Betriebsdatei(m_verzeichnis.wurzel()).speichern(daten);
    if (const auto* fehler = std::get_if<store::Fehler>(&gespeichert))
        return text(fehler->meldung()) + QStringLiteral(".");
    return std::nullopt;
}

Monatsliste* Arbeitnehmerwahl::monatslisteOeffnen()
{
    if (m_fenster == nullptr)
        return nullptr;
    const int jahr = m_fenster->steuerung().mini().AktJahr;
    const int monat = m_fenster->steuerung().mini().Auswahl[params::AuswahlMonat];
    if (m_monatsliste == nullptr) {
        m_monatsliste = new Monatsliste(
            m_verzeichnis, jahr, monat,
            [this](const std::string& ordner, int j, int m) {
                neuAuflisten();
                if (zeigen(ordner, j, m)) {
                    m_fenster->raise();
                    m_fenster->activateWindow();
                }
            },
            m_fenster->anzeige(), m_fenster);
    } else {
        m_monatsliste->zeigen(jahr, monat);
    }
    m_monatsliste->show();
    m_monatsliste->raise();
    m_monatsliste->activateWindow();
    return m_monatsliste;
}

void Arbeitnehmerwahl::neuOeffnen()
{
    ArbeitnehmerDialog dialog(
        {}, true, [this](const params::Arbeitnehmerdaten& d) { return anlegen(d); }, QString(), m_fenster);
    dialog.exec();
}

void Arbeitnehmerwahl::bearbeitenOeffnen()
{
    const store::Arbeitnehmereintrag* e = aktuellerEintrag();
    const store::Arbeitnehmereintrag jetzt = e != nullptr ? *e : wurzeleintrag(m_verzeichnis.wurzel());
    QString hinweis;
    if (jetzt.daten.fehler)
        hinweis = text(jetzt.daten.fehler->meldung()) +
                  QStringLiteral(". Es werden die Vorgaben gezeigt; beim Speichern wird die alte Datei als "
                                 "arbeitnehmer.json.beschaedigt aufbewahrt.");
    ArbeitnehmerDialog dialog(
        jetzt.daten.daten, false, [this](const params::Arbeitnehmerdaten& d) { return datenSpeichern(d); },
        hinweis, m_fenster);
    dialog.exec();
}

void Arbeitnehmerwahl::betriebOeffnen()
{
    const auto gelesen = store::Betriebsdatei(m_verzeichnis.wurzel()).lesen();
    BetriebDialog dialog(
        gelesen.daten, [this](const store::Betriebsdaten& d) { return betriebSpeichern(d); },
        gelesen.fehler ? text(gelesen.fehler->meldung()) + QStringLiteral(".") : QString(), m_fenster);
    dialog.exec();
}

} // namespace svp::ui
