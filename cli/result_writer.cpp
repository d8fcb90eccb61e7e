#include "result_writer.h"

#include "json_text.h"

#include <array>
#include <cstring>
#include <vector>

namespace svp::cli {

namespace {

using engine::Ansicht;
using engine::Fall;
using params::Currency;

// Writes at a place with room enough; the room is reserved once for the whole line.
struct Writer {
    char* p;

    template <std::size_t N> void put(const char (&text)[N])
    {
        std::memcpy(p, text, N - 1);
        p += N - 1;
    }
    void put(std::string_view text)
    {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    }
    void put(char c) { *p++ = c; }
    void text(std::string_view text) { p = writeJsonString(p, text); }
    void amount(Currency amount) { p = writeAmount(p, amount); }
    void integer(std::int64_t value) { p = writeInteger(p, value); }
    void flag(bool value)
    {
        if (value)
            put("true");
        else
            put("false");
    }

    // The two entries of an amount of the minor employments: index 1 is the first, 2 the later ones.
    void pair(std::string_view name, const std::array<Currency, 3>& values)
    {
        put(",\"");
        put(name);
        put("\":[");
        amount(values[1]);
        put(',');
        amount(values[2]);
        put(']');
    }
};

// Room for everything of a line but its texts.
constexpr std::size_t FixedRoom = 4096;

std::size_t textRoom(const Ansicht& ansicht, const std::string* kennung)
{
    std::size_t room = kennung != nullptr ? jsonStringRoom(*kennung) : 0;
    for (const auto& spalte : ansicht.Ergebnistext)
        for (const std::string& text : spalte)
            room += jsonStringRoom(text);
    for (const std::string* caption : {&ansicht.HB[1].caption, &ansicht.vielleicht[0].caption,
                                       &ansicht.vielleicht[1].caption, &ansicht.GBCheck[1].caption})
        room += jsonStringRoom(*caption);
    return room;
}

struct Shown {
    std::string_view name;
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

void writeResult(Writer& w, const Fall& fall, const Ansicht& ansicht, const std::string* kennung)
{
    w.put('{');
    if (kennung != nullptr) {
        w.put("\"Kennung\":");
        w.text(*kennung);
        w.put(',');
    }
    w.put("\"Ergebniscode\":[");
    for (int c = 0; c < engine::Spalten; ++c) {
        if (c != 0)
            w.put(',');
        w.put('[');
        for (int r = engine::ErsteZeile; r <= engine::LetzteZeile; ++r) {
            if (r != engine::ErsteZeile)
                w.put(',');
            w.integer(fall.ergebnis(c, r));
        }
        w.put(']');
    }
    w.put("],\"Ergebnistext\":[");
    for (std::size_t c = 0; c < ansicht.Ergebnistext.size(); ++c) {
        if (c != 0)
            w.put(',');
        w.put('[');
        for (std::size_t r = 0; r < ansicht.Ergebnistext[c].size(); ++r) {
            if (r != 0)
                w.put(',');
            w.text(ansicht.Ergebnistext[c][r]);
        }
        w.put(']');
    }
    w.put("],\"Gesamtentgelt\":");
    w.amount(fall.Gesamtentgelt);
    w.put(",\"Gleitfall\":");
    w.integer(fall.Gleitfall);
    w.put(",\"LStHinweis\":");
    w.integer(fall.LStHinweis);

    w.put(",\"Werte\":{\"HBEntgelt\":");
    w.amount(fall.HBEntgelt);
    w.pair("Monatslohn", fall.Monatslohn);
    w.pair("Monate", fall.Monate);
    w.pair("Urlaubsgeld", fall.Urlaubsgeld);
    w.pair("Weihnachtsgeld", fall.Weihnachtsgeld);
    w.pair("Lohnsumme", fall.Lohnsumme);
    w.pair("Jahressumme", fall.Jahressumme);
    w.pair("Monatsdurchschnitt", fall.Monatsdurchschnitt);

    w.put("},\"Sichtbar\":{");
    for (std::size_t i = 0; i < SichtbarListe.size(); ++i) {
        if (i != 0)
            w.put(',');
        w.put('"');
        w.put(SichtbarListe[i].name);
        w.put("\":");
        w.flag(SichtbarListe[i].visible(ansicht));
    }

    w.put("},\"Beschriftung\":{\"HB1\":");
    w.text(ansicht.HB[1].caption);
    w.put(",\"vielleicht0\":");
    w.text(ansicht.vielleicht[0].caption);
    w.put(",\"vielleicht1\":");
    w.text(ansicht.vielleicht[1].caption);
    w.put(",\"GBCheck1\":");
    w.text(ansicht.GBCheck[1].caption);
    w.put("}}\n");
}

} // namespace

void appendResult(std::string& out, const Fall& fall, const Ansicht& ansicht, const std::string* kennung)
{
    // Written to a buffer of the thread first: growing `out` by the room would fill it with zeros.
    thread_local std::vector<char> line;
    const std::size_t room = FixedRoom + textRoom(ansicht, kennung);
    if (line.size() < room)
        line.resize(room);
    Writer w{line.data()};
    writeResult(w, fall, ansicht, kennung);
    out.append(line.data(), w.p);
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
