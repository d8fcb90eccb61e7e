#include "meldungen.h"

namespace svp::engine::meldung {

const Text Jugendarbeitsschutz = {
    "Jugendarbeitsschutz",
    {
        "Kind i.S.d. Jugendarbeitsschutzgesetzes ist,",
        "wer noch keine 15 Jahre alt ist (früher 14).",
        "Damit wird das Kinderarbeitsverbot ausgeweitet.",
        "Kinder über 13 Jahren dürfen jedoch leichte und ",
        "für sie geeignete Arbeit ausführen, z.B.",
        "- Zeitungen austragen,",
        "- Haushaltsdienstleistungen",
        "- Botengänge,",
        "- Betreuungsleistungen für ältere Menschen,",
        "- Nachhilfe,",
        "- Babysitting.",
        "Die Dauer darf jedoch zwei Stunden pro Tag ",
        "und fünf Tage pro Woche nicht überschreiten. ",
        "Es ist weiterhin verboten, Kinder vor der Schule und",
        "zwischen 18 und 8 Uhr zu beschäftigen.",
    },
};

const Text Lohnsteuerkarte = {
    "Versteuerung über Lohnsteuerkarte?",
    {
        "Wenn Sie keinen Ehegatten mit steuerpflichtigem Einkommen",
        "und kein sonstiges steuerpflichtiges Einkommen haben,",
        "können Sie die 2%-ige Steuerbelastung des Arbeitgebers vermeiden,",
        "indem Sie ihm individuelle Versteuerung über Lohnsteuerkarte anbieten.",
    },
};

const Text Lohnsteuerklasse = {
    "Individuelle Wahl der Lohnsteuerklasse",
    {
        "Die Versteuerung muß individuell über eine Lohnsteuerkarte erfolgen.",
        "Die hier beispielhaft angezeigte Lohnsteuerklasse ist dafür",
        "nicht maßgebend. Bitte prüfen Sie separat, welche Lohnsteuerklasse",
        "bei Ihren personlichen Verhältnissen am günstigsten ist.",
    },
};

const Text NichtRegelmaessig = {
    "Voraussetzung: Nicht regelmäßig",
    {
        "Regelmäßig wird eine Beschäftigung ausgeübt,",
        "wenn sie von vornherein auf ständige Wiederholung gerichtet ist",
        "und über einen längeren Zeitraum (über ein Jahr hinaus)",
        "ausgeübt werden soll.",
        "Eine Regelmäßigkeit liegt auch vor, wenn ein Rahmenarbeitsvertrag",
        "(mit Arbeitseinsätzen bis zu 50 Tagen) für länger als 12 Monate",
        "vereinbart wird oder zwischen zwei einjährigen Rahmenarbeitsverträgen",
        "eine Pause von weniger als zwei Monaten liegt.",
    },
};

const Text NichtBerufsmaessig = {
    "Voraussetzung bei mehr als 400 €: Nicht berufsmäßig",
    {
        "Berufsmäßigkeit in diesem Sinne liegt z.B. vor:",
        "- zwischen Schule und Dauerbeschäftigung,",
        "- zwischen Studiumsabschluß und Eintritt ins Berufsleben,",
        "- während einer gesetzlichen Dienstpflicht,",
        "- während der Elternzeit,",
        "- während eines unbezahlten Urlaubs,",
        "- während des Bezugs von Arbeitslosengeld /-hilfe",
        "- während der Registrierung als Arbeitssuchender.",
        "",
        "Berufsmäßigkeit in diesem Sinne liegt z.B. nicht vor:",
        "- zwischen Schule und Studium,",
        "- zwischen Schule und Wehrdienst,",
        "- neben einer soz.vers.pflichtigen Hauptbeschäftigung",
        "- während des Bezugs von Vorruhestandsgeld.",
        "- nach dem Ausscheiden a.d. Berufsleben (Hausfrau, Rentner).",
    },
};

} // namespace svp::engine::meldung
