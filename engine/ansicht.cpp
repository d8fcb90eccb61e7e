#include "ansicht.h"

#include "params/eingaben.h"

namespace svp::engine {

Ansicht::Ansicht()
{
    HB[0].caption = "Hauptbeschäftigung";
    HB[1].caption = caption::Zeitgeringfuegig;
    HB[2].caption = "Zuerst aufgenommener Mini-Job";
    HB[3].caption = "Später aufgenommene Mini-Jobs (summiert)";
    Arbeitgeber.fill(params::ArbeitgeberPlatzhalter);

    HBOpt.captions = {"Angestellter oder Arbeiter",
                      "Beamter",
                      "Schüler",
                      "Auszubildender",
                      "Student als Aushilfe",
                      "Student im Vor-/Nachpraktikum",
                      "Student im Zwischenpraktikum",
                      "Altersrentner über 65",
                      "Altersrentner unter 65",
                      "Berufsunfähigkeitsrentner",
                      "Erwerbsunfähigkeitsrentner",
                      "Selbständig",
                      "Keine"};
    KVTafel.caption = "Krankenversicherung";
    HBKV.captions = {"Mitglied in gesetzl. KV", "freiw. in GKV (Firmenzahler)",
                     "freiw. in GKV (Selbstzahler)", "privat oder nicht KV-versich."};
    Schuelertafel.caption = "Arbeitsumfang";
    Schueler.captions = {
        "a)  Nur in den           Sommerferien", "b) Laufend, aber weniger     als 15 Std. pro Woche",
        "c) Schnupperwochen oder        Praktika als Fachschüler", "d) soweit nicht a) bis c)"};
    HR.caption = "AN zahlt auch in der Gleit- zone die vollen RV-Beiträge";
    HBCheck.caption = "über 20 Std. pro Woche an mehr als 26 Wochen (182 T.)";

    KBopt.captions = {"a)  nicht länger als 2 Monate",
                      "b)  nicht länger als 50                   Arbeitstage.", "c)  länger als a) oder b)"};
    KBCheck[0].caption = "regelmäßig";
    KBCheck[1].caption = "über 400 Euro monatlich";
    KBCheck[2].caption = "berufsmäßig";

    GBKV.captions = {"Mitglied in gesetzl. KV", "freiw. in GKV (Firmenzahler)",
                     "freiw. in GKV (Selbstzahler)", "privat oder nicht KV-versichert"};
    GBCheck[1].caption = caption::VerzichtRV;

    priv[1].caption = priv[2].caption = "Beschäftigung im Privathaushalt";
    GBGrenze[1].caption = "Geringfügigkeitsgrenze überschritten";
    GBGrenze[2].caption =
        "Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen die Grenze von 400 €.";
}

} // namespace svp::engine
