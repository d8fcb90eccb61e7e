#include "result_writer.h"

#include "json_text.h"

#include <array>

namespace svp::cli {

namespace {

using engine::Ansicht;
using engine::Fall;
using params::Currency;

// The two entries of an amount of the minor employments: index 1 is the first, 2 the later ones.
void appendPair(std::string& out, const char* name, const std::array<Currency, 3>& values)
{
    out += ",\"";
    out += name;
    out += "\":[";
    appendAmount(out, values[1]);
    out += ',';
    appendAmount(out, values[2]);
    out += ']';
}

struct Shown {
    const char* name;
    bool (*visible)(const Ansicht&);
};

// The controls whose visibility the output reports, in the order of the output.
constexpr std::array<Shown, 23> SichtbarListe = {{
    {"KVTafel", [](const Ansicht& a) { return a.KVTafel.visible; }},
    {"Schuelertafel", [](const Ansicht& a) { return a.Schuelertafel.visible; }},
    {"GKVtraeger", [](const Ansicht& a) { return a.GKVtraeger.visible; }},
    {"SVEntgelt", [](const Ansicht& a) { return a.SVEntgelt.visible; }},
    {"HBCheck", [](const Ansicht& a) { return a.HBCheck.visible; }},
    {"HR", [](const Ansicht& a) { return a.HR.visible; }},
    {"deckel2", [](const Ansicht& a) { return a.deckel2.visible; }},
    {"GBCheck1", [](const Ansicht& a) { return a.GBCheck[1].visible; }},
    {"priv1", [](const Ansicht& a) { return a.priv[1].visible; }},
    {"priv2", [](const Ansicht& a) { return a.priv[2].visible; }},
    {"vielleicht0", [](const Ansicht& a) { return a.vielleicht[0].visible; }},
    {"vielleicht1", [](const Ansicht& a) { return a.vielleicht[1].visible; }},
    {"vielleicht2", [](const Ansicht& a) { return a.vielleicht[2].visible; }},
    {"vielleicht3", [](const Ansicht& a) { return a.vielleicht[3].visible; }},
    {"KBCheck0", [](const Ansicht& a) { return a.KBCheck[0].visible; }},
    {"KBCheck1", [](const Ansicht& a) { return a.KBCheck[1].visible; }},
    {"KBCheck2", [](const Ansicht& a) { return a.KBCheck[2].visible; }},
    {"KBCheckB0", [](const Ansicht& a) { return a.KBCheckB[0].visible; }},
    {"KBCheckB2", [](const Ansicht& a) { return a.KBCheckB[2].visible; }},
    {"GBGrenze1", [](const Ansicht& a) { return a.GBGrenze[1].visible; }},
    {"GBGrenze2", [](const Ansicht& a) { return a.GBGrenze[2].visible; }},
    {"LSTinfo", [](const Ansicht& a) { return a.LSTinfo.visible; }},
    {"Lstkurz", [](const Ansicht& a) { return a.Lstkurz.visible; }},
}};

} // namespace

void appendResult(std::string& out, const Fall& fall, const Ansicht& ansicht, const std::string* kennung)
{
    out += '{';
    if (kennung != nullptr) {
        out += "\"Kennung\":";
        appendJsonString(out, *kennung);
        out += ',';
    }
    out += "\"Ergebniscode\":[";
    for (int c = 0; c < engine::Spalten; ++c) {
        out += c == 0 ? "[" : ",[";
        for (int r = engine::ErsteZeile; r <= engine::LetzteZeile; ++r) {
            if (r != engine::ErsteZeile)
                out += ',';
            appendInteger(out, fall.ergebnis(c, r));
        }
        out += ']';
    }
    out += "],\"Ergebnistext\":[";
    for (std::size_t c = 0; c < ansicht.Ergebnistext.size(); ++c) {
        out += c == 0 ? "[" : ",[";
        for (std::size_t r = 0; r < ansicht.Ergebnistext[c].size(); ++r) {
            if (r != 0)
                out += ',';
            appendJsonString(out, ansicht.Ergebnistext[c][r]);
        }
        out += ']';
    }
    out += "],\"Gesamtentgelt\":";
    appendAmount(out, fall.Gesamtentgelt);
    out += ",\"Gleitfall\":";
    appendInteger(out, fall.Gleitfall);
    out += ",\"LStHinweis\":";
    appendInteger(out, fall.LStHinweis);

    out += ",\"Werte\":{\"HBEntgelt\":";
    appendAmount(out, fall.HBEntgelt);
    appendPair(out, "Monatslohn", fall.Monatslohn);
    appendPair(out, "Monate", fall.Monate);
    appendPair(out, "Urlaubsgeld", fall.Urlaubsgeld);
    appendPair(out, "Weihnachtsgeld", fall.Weihnachtsgeld);
    appendPair(out, "Lohnsumme", fall.Lohnsumme);
    appendPair(out, "Jahressumme", fall.Jahressumme);
    appendPair(out, "Monatsdurchschnitt", fall.Monatsdurchschnitt);

    out += "},\"Sichtbar\":{";
    for (std::size_t i = 0; i < SichtbarListe.size(); ++i) {
        out += i == 0 ? "\"" : ",\"";
        out += SichtbarListe[i].name;
        out += "\":";
        appendBool(out, SichtbarListe[i].visible(ansicht));
    }

    out += "},\"Beschriftung\":{\"HB1\":";
    appendJsonString(out, ansicht.HB[1].caption);
    out += ",\"vielleicht0\":";
    appendJsonString(out, ansicht.vielleicht[0].caption);
    out += ",\"vielleicht1\":";
    appendJsonString(out, ansicht.vielleicht[1].caption);
    out += ",\"GBCheck1\":";
    appendJsonString(out, ansicht.GBCheck[1].caption);
    out += "}}\n";
}

void appendError(std::string& out, std::int64_t zeile, std::string_view message, const std::string* kennung)
{
    out += '{';
    if (kennung != nullptr) {
        out += "\"Kennung\":";
        appendJsonString(out, *kennung);
        out += ',';
    }
    out += "\"Zeile\":";
    appendInteger(out, zeile);
    out += ",\"Fehler\":";
    appendJsonString(out, message);
    out += "}\n";
}

} // namespace svp::cli
