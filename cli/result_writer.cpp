#include "result_writer.h"

#include "json_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <vector>

namespace svp::cli {

namespace {

using engine::Ansicht;
using engine::Fall;
using params::Currency;

// A constant piece of the line in a block of fixed size: copied as one block whose size the
// compiler knows, then the place moves on by the piece's own length. The room of a line counts
// the whole block, so the bytes past the piece lie within it and are written over next.
struct Piece {
    static constexpr std::size_t Block = 24;
    std::array<char, Block> bytes{};
    std::size_t size = 0;

    constexpr explicit Piece(std::string_view text) : size(text.size())
    {
        if (text.size() > Block)
            throw "a piece longer than its block"; // stops the compilation of the table
        std::copy(text.begin(), text.end(), bytes.begin());
    }
};

// A number as written, for the same amount when it follows again: the base of a column's
// branches is mostly the same pay.
struct Remembered {
    Currency amount;
    const char* at = nullptr; // where it stands in the line; nullptr: nothing remembered yet
    std::size_t size = 0;
};

// Writes at a place with room enough; the room is reserved once for the whole line.
struct Writer {
    static constexpr bool Counting = false;
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
    void put(const Piece& piece)
    {
        std::memcpy(p, piece.bytes.data(), Piece::Block);
        p += piece.size;
    }
    void text(std::string_view text) { p = writeJsonString(p, text); }
    void amount(Currency amount) { p = writeAmount(p, amount); }
    void integer(std::int64_t value) { p = writeInteger(p, value); }
    void cents(Currency amount) { p = writeCentsNumber(p, amount); }
    // The same, copied from `before` where that is this amount (written a branch or more
    // earlier, so that its bytes are stored by now); else written and remembered. The block
    // copied may reach past the number into what follows it, within the room of the line, and
    // is written over next.
    void cents(Currency amount, Remembered& before)
    {
        if (before.at != nullptr && before.amount == amount) {
            std::array<char, CentsRoom> block;
            std::memcpy(block.data(), before.at, CentsRoom);
            std::memcpy(p, block.data(), CentsRoom);
            p += before.size;
            return;
        }
        char* at = p;
        cents(amount);
        before = {amount, at, static_cast<std::size_t>(p - at)};
    }
};

// The same line counted instead of written: how much room each piece may take at most. The
// line is counted by the code that writes it, so that the room reserved cannot fall behind
// what a change to the line adds.
struct Room {
    // Counts the longest way of writing each piece, whatever the amounts are.
    static constexpr bool Counting = true;
    std::size_t bytes = 0;

    template <std::size_t N> void put(const char (&)[N]) { bytes += N - 1; }
    void put(std::string_view text) { bytes += text.size(); }
    void put(char) { ++bytes; }
    void put(const Piece&) { bytes += Piece::Block; }
    void text(std::string_view text) { bytes += jsonStringRoom(text); }
    void amount(Currency) { bytes += AmountRoom; }
    void integer(std::int64_t) { bytes += IntegerRoom; }
    void cents(Currency) { bytes += CentsRoom; }
    void cents(Currency, Remembered&) { bytes += CentsRoom; }
};

template <typename W> void flag(W& w, bool value)
{
    if (value)
        w.put("true");
    else
        w.put("false");
}

// The two entries of an amount of the minor employments: index 1 is the first, 2 the later ones.
template <typename W> void pair(W& w, std::string_view name, const std::array<Currency, 3>& values)
{
    w.put(",\"");
    w.put(name);
    w.put("\":[");
    w.amount(values[1]);
    w.put(',');
    w.amount(values[2]);
    w.put(']');
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

// The result codes and texts of the four columns, as arrays of arrays.
template <typename W> void writeResults(W& w, const Fall& fall, const Ansicht& ansicht)
{
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
    w.put(']');
}

// The amounts of the case after the run, then what the determination shows and how it names it.
template <typename W> void writeValuesAndView(W& w, const Fall& fall, const Ansicht& ansicht)
{
    w.put(",\"Werte\":{\"HBEntgelt\":");
    w.amount(fall.HBEntgelt);
    pair(w, "Monatslohn", fall.Monatslohn);
    pair(w, "Monate", fall.Monate);
    pair(w, "Urlaubsgeld", fall.Urlaubsgeld);
    pair(w, "Weihnachtsgeld", fall.Weihnachtsgeld);
    pair(w, "Lohnsumme", fall.Lohnsumme);
    pair(w, "Jahressumme", fall.Jahressumme);
    pair(w, "Monatsdurchschnitt", fall.Monatsdurchschnitt);

    w.put("},\"Sichtbar\":{");
    for (std::size_t i = 0; i < SichtbarListe.size(); ++i) {
        if (i != 0)
            w.put(',');
        w.put('"');
        w.put(SichtbarListe[i].name);
        w.put("\":");
        flag(w, SichtbarListe[i].visible(ansicht));
    }

    w.put("},\"Beschriftung\":{\"HB1\":");
    w.text(ansicht.HB[1].caption);
    w.put(",\"vielleicht0\":");
    w.text(ansicht.vielleicht[0].caption);
    w.put(",\"vielleicht1\":");
    w.text(ansicht.vielleicht[1].caption);
    w.put(",\"GBCheck1\":");
    w.text(ansicht.GBCheck[1].caption);
    w.put('}');
}

// An amount with two decimals, or null where it is not computed.
template <typename W> [[gnu::always_inline]] inline void betrag(W& w, const engine::Betrag& b)
{
    if (b.berechnet)
        w.cents(b.wert);
    else
        w.put("null");
}

template <typename W>
[[gnu::always_inline]] inline void betrag(W& w, const engine::Betrag& b, Remembered& before)
{
    if (b.berechnet)
        w.cents(b.wert, before);
    else
        w.put("null");
}

template <typename W> [[gnu::always_inline]] inline void summe(W& w, const engine::Summe& s)
{
    w.put("{\"AN\":");
    betrag(w, s.an);
    w.put(",\"AG\":");
    betrag(w, s.ag);
    w.put('}');
}

// The shares of a branch and their base: BE in the sliding zone, the minimum base below it.
// Most branches of a line are either not computed or have nothing to pay (a column without
// pay); those two shapes are written whole, as the same bytes the pieces would give. A base
// equal to that of the column's branch before is copied.
template <typename W>
[[gnu::always_inline]] inline void branch(W& w, const engine::Posten& p, Remembered& base)
{
    if constexpr (!W::Counting) {
        if (!p.an.berechnet && !p.ag.berechnet) {
            w.put("null,\"AG\":null,\"Grundlage\":null}");
            return;
        }
        if (p.an.berechnet && p.ag.berechnet && p.an.wert.raw() == 0 && p.ag.wert.raw() == 0 &&
            p.be.raw() == 0) {
            w.put("0.00,\"AG\":0.00,\"Grundlage\":0.00}");
            return;
        }
    }
    betrag(w, p.an);
    w.put(",\"AG\":");
    betrag(w, p.ag);
    w.put(",\"Grundlage\":");
    betrag(w, {p.be, p.an.berechnet || p.ag.berechnet}, base);
    w.put('}');
}

// Per employment its name with the first branch's, then the other branches, then the levies.
constexpr std::array<Piece, engine::Spalten> Employments = {
    Piece("\"HB\":{\"LSt\":{\"AN\":"), Piece(",\"KB\":{\"LSt\":{\"AN\":"),
    Piece(",\"MJ1\":{\"LSt\":{\"AN\":"), Piece(",\"MJ2\":{\"LSt\":{\"AN\":")};
constexpr std::array<Piece, engine::AnzahlPosten - 1> Branches = {
    Piece(",\"KV\":{\"AN\":"), Piece(",\"PV\":{\"AN\":"), Piece(",\"RV\":{\"AN\":"),
    Piece(",\"AV\":{\"AN\":")};
constexpr std::array<Piece, engine::AnzahlUmlagen> Levies = {
    Piece(",\"Umlagen\":{\"U1\":"), Piece(",\"U2\":"), Piece(",\"Insolvenzgeld\":"), Piece(",\"UV\":")};

// The amounts of one employment, at the place `w` (a copy, so that it can stay in a register:
// the line's own place would be read again after every byte written, as a byte may alias it);
// returns the place after them. One function for the four, called in turn: the line's code
// stays small enough for the processor's instruction cache.
template <typename W> [[gnu::noinline]] W column(W w, int c, const engine::Spalte& spalte)
{
    w.put(Employments[static_cast<std::size_t>(c)]);
    Remembered base;
    branch(w, spalte.posten[0], base);
    for (std::size_t z = 1; z < spalte.posten.size(); ++z) {
        w.put(Branches[z - 1]);
        branch(w, spalte.posten[z], base);
    }
    for (std::size_t u = 0; u < spalte.umlagen.size(); ++u) {
        w.put(Levies[u]);
        betrag(w, spalte.umlagen[u].ag);
    }
    w.put("},\"Summe\":");
    summe(w, spalte.summe);
    w.put('}');
    return w;
}

// The amounts per employment and branch, the levies, the totals and the employer's cost.
template <typename W> void writeBeitraege(W& line, const engine::Beitraege& b)
{
    W w = line;
    w.put(",\"Beitraege\":{");
    for (int c = 0; c < engine::Spalten; ++c)
        w = column(w, c, b.spalte(c));
    w.put(",\"Summe\":");
    summe(w, b.summe);
    w.put(",\"Arbeitgeberkosten\":");
    betrag(w, b.summe.kosten);
    w.put('}');
    line = w;
}

template <typename W>
void writeResult(W& w, const Fall& fall, const Ansicht& ansicht, const std::string* kennung,
                 std::string_view hinweis, const engine::Beitraege* beitraege)
{
    w.put('{');
    if (kennung != nullptr) {
        w.put("\"Kennung\":");
        w.text(*kennung);
        w.put(',');
    }
    writeResults(w, fall, ansicht);
    w.put(",\"Gesamtentgelt\":");
    w.amount(fall.Gesamtentgelt);
    w.put(",\"Gleitfall\":");
    w.integer(fall.Gleitfall);
    w.put(",\"LStHinweis\":");
    w.integer(fall.LStHinweis);
    writeValuesAndView(w, fall, ansicht);
    if (!hinweis.empty()) {
        w.put(",\"Hinweis\":");
        w.text(hinweis);
    }
    if (beitraege != nullptr)
        writeBeitraege(w, *beitraege);
    w.put("}\n");
}

// The most the amounts take: every amount counted at its widest, whatever the case.
std::size_t beitraegeRoom()
{
    static const std::size_t bytes = [] {
        Room room;
        writeBeitraege(room, engine::Beitraege{});
        return room.bytes;
    }();
    return bytes;
}

} // namespace

void appendResult(std::string& out, const Fall& fall, const Ansicht& ansicht, const std::string* kennung,
                  std::string_view hinweis, const engine::Beitraege* beitraege)
{
    // Written to a buffer of the thread first: growing `out` by the room would fill it with zeros.
    thread_local std::vector<char> line;
    Room room;
    writeResult(room, fall, ansicht, kennung, hinweis, nullptr);
    if (beitraege != nullptr)
        room.bytes += beitraegeRoom();
    if (line.size() < room.bytes)
        line.resize(room.bytes);
    Writer w{line.data()};
    writeResult(w, fall, ansicht, kennung, hinweis, beitraege);
    assert(static_cast<std::size_t>(w.p - line.data()) <= room.bytes);
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
