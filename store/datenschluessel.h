#pragma once

// Inside svp_store only (it brings the JSON library): the keys of a data file as a table, and
// the one reader and writer that every data file goes through.

#include "datei.h"
#include "datendatei.h"
#include "params/arbeitnehmer.h"
#include "params/currency.h"

#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace svp::store::daten {

using Objekt = nlohmann::ordered_json;

// A data file as read: its object, and the text of each number among the object's values as it
// stands in the file, so that a percentage is taken from its digits and never through a binary
// fraction.
struct Inhalt {
    Objekt objekt = Objekt::object();
    std::map<std::string, std::string, std::less<>> zahlen;
};

// The kinds of value a key may hold. `feld` is the member of the data that the key fills.
template <typename T> struct Text {
    std::string T::*feld;
    std::size_t hoechstens;                    // characters, not bytes
    Grund (*form)(std::string_view) = nullptr; // a form of its own, e.g. a number's digits
};
template <typename T> struct JaNein {
    std::optional<bool> T::*feld;
};
template <typename T> struct Tag {
    std::optional<params::Datum> T::*feld;
};
template <typename T> struct Prozent {
    std::optional<params::Currency> T::*feld;
    params::Currency von; // smallest allowed
    params::Currency bis; // largest allowed; both with at most two decimals
};
template <typename T> struct Schluessel {
    const char* name;
    std::variant<Text<T>, JaNein<T>, Tag<T>, Prozent<T>> art;
};

// The checks of a value, shared by reading and saving. Each gives the German reason, naming
// the key, e.g. "\"Name\" ist mit 61 Zeichen zu lang (höchstens 60)".
Grund textFehler(std::string_view name, std::string_view text, std::size_t hoechstens,
                 Grund (*form)(std::string_view));
Grund datumFehler(std::string_view name, const params::Datum& datum);
Grund prozentFehler(std::string_view name, params::Currency satz, params::Currency von, params::Currency bis);

// One value of the file (not null) taken into its member, checked.
Grund liesText(std::string_view name, const Objekt& wert, std::size_t hoechstens,
               Grund (*form)(std::string_view), std::string& ziel);
Grund liesJaNein(std::string_view name, const Objekt& wert, std::optional<bool>& ziel);
Grund liesTag(std::string_view name, const Objekt& wert, std::optional<params::Datum>& ziel);
Grund liesProzent(std::string_view name, const Objekt& wert, const std::string* roh, params::Currency von,
                  params::Currency bis, std::optional<params::Currency>& ziel);

// The JSON text of a value as the program writes it.
std::string jsonText(const std::string& text);
std::string jsonText(bool wert);
std::string jsonText(const params::Datum& datum);
std::string jsonText(params::Currency satz);

template <typename... F> struct Faelle : F... {
    using F::operator()...;
};
template <typename... F> Faelle(F...) -> Faelle<F...>; // for compilers without aggregate deduction

// Every key of the table from the file into `daten`; the reason of the first value that is not
// allowed. A key that is missing, or null, leaves the default.
template <typename T> Grund liesWerte(std::span<const Schluessel<T>> tabelle, const Inhalt& inhalt, T& daten)
{
    for (const Schluessel<T>& s : tabelle) {
        const auto it = inhalt.objekt.find(s.name);
        if (it == inhalt.objekt.end() || it->is_null())
            continue;
        const auto zahl = inhalt.zahlen.find(s.name);
        const std::string* roh = zahl == inhalt.zahlen.end() ? nullptr : &zahl->second;
        Grund g = std::visit(Faelle{
                                 [&](const Text<T>& a) {
                                     return liesText(s.name, *it, a.hoechstens, a.form, daten.*(a.feld));
                                 },
                                 [&](const JaNein<T>& a) { return liesJaNein(s.name, *it, daten.*(a.feld)); },
                                 [&](const Tag<T>& a) { return liesTag(s.name, *it, daten.*(a.feld)); },
                                 [&](const Prozent<T>& a) {
                                     return liesProzent(s.name, *it, roh, a.von, a.bis, daten.*(a.feld));
                                 },
                             },
                             s.art);
        if (g)
            return g;
    }
    return std::nullopt;
}

// The reason of the first value of `daten` that the file may not hold.
template <typename T> Grund pruefeWerte(std::span<const Schluessel<T>> tabelle, const T& daten)
{
    for (const Schluessel<T>& s : tabelle) {
        Grund g = std::visit(Faelle{
                                 [&](const Text<T>& a) -> Grund {
                                     const std::string& text = daten.*(a.feld);
                                     return text.empty() ? std::nullopt
                                                         : textFehler(s.name, text, a.hoechstens, a.form);
                                 },
                                 [&](const JaNein<T>&) -> Grund { return std::nullopt; },
                                 [&](const Tag<T>& a) -> Grund {
                                     const auto& datum = daten.*(a.feld);
                                     return datum ? datumFehler(s.name, *datum) : std::nullopt;
                                 },
                                 [&](const Prozent<T>& a) -> Grund {
                                     const auto& satz = daten.*(a.feld);
                                     return satz ? prozentFehler(s.name, *satz, a.von, a.bis) : std::nullopt;
                                 },
                             },
                             s.art);
        if (g)
            return g;
    }
    return std::nullopt;
}

// The keys that `daten` gives, each with its JSON text; an empty text and an absent optional
// are "not given" and are left out.
using Werte = std::vector<std::pair<const char*, std::string>>;
template <typename T> Werte jsonWerte(std::span<const Schluessel<T>> tabelle, const T& daten)
{
    Werte werte;
    for (const Schluessel<T>& s : tabelle) {
        std::optional<std::string> text =
            std::visit(Faelle{
                           [&](const Text<T>& a) -> std::optional<std::string> {
                               const std::string& t = daten.*(a.feld);
                               return t.empty() ? std::nullopt : std::optional(jsonText(t));
                           },
                           [&](const JaNein<T>& a) -> std::optional<std::string> {
                               const auto& w = daten.*(a.feld);
                               return w ? std::optional(jsonText(*w)) : std::nullopt;
                           },
                           [&](const Tag<T>& a) -> std::optional<std::string> {
                               const auto& w = daten.*(a.feld);
                               return w ? std::optional(jsonText(*w)) : std::nullopt;
                           },
                           [&](const Prozent<T>& a) -> std::optional<std::string> {
                               const auto& w = daten.*(a.feld);
                               return w ? std::optional(jsonText(*w)) : std::nullopt;
                           },
                       },
                       s.art);
        if (text)
            werte.emplace_back(s.name, std::move(*text));
    }
    return werte;
}

// The file as it is on disk. Fehlt and Unlesbar leave `inhalt` empty; Beschaedigt here means
// that the bytes are no JSON object (the values are the table's to judge). `stand` gets the
// file's presence, permission bits and owner (its bytes are not kept).
Dateizustand lesen(const std::filesystem::path& pfad, Inhalt& inhalt, std::string& grund, Stand& stand);

// The new text of a file: the keys of `bekannt` with the values of `neu` (one not in `neu` is
// removed), every other key of `alt` as it was, in the order of `alt`; keys new to the file
// follow in the order of `neu`. Two blanks of indentation, a final newline.
std::string dateitext(const Objekt& alt, std::span<const char* const> bekannt, const Werte& neu);

// How a message names the file: "arbeitnehmer.json im Ordner „4711 Meier, Anna“".
std::string anzeigename(const std::filesystem::path& ordner, const char* dateiname);

// Replaces the data file `dateiname` in `ordner` under the folder's lock. `werteFehler` judges
// the values of the file on disk (damaged or not), `neuerText` builds the new text from the
// object on disk (empty when it is missing or no JSON object). A damaged file's bytes are kept as
// <name>.beschaedigt; an unreadable or write-protected one is left as it is, with an error. With
// `kennung`, a folder that is no longer that folder is refused before anything is written.
Ergebnis<Speicherung> speichern(const std::filesystem::path& ordner, const char* dateiname,
                                const std::optional<Ordnerkennung>& kennung,
                                const std::function<Grund(const Inhalt&)>& werteFehler,
                                const std::function<std::string(const Objekt&)>& neuerText);

// The whole reading of a data file for the user: values that are not allowed make the file
// damaged, and then the defaults stand in.
template <typename T>
Gelesen<T> lesenMit(std::span<const Schluessel<T>> tabelle, const std::filesystem::path& ordner,
                    const char* dateiname)
{
    Gelesen<T> gelesen;
    Inhalt inhalt;
    Stand stand;
    std::string grund;
    gelesen.zustand = lesen(ordner / dateiname, inhalt, grund, stand);
    if (gelesen.zustand == Dateizustand::Gelesen) {
        if (Grund g = liesWerte(tabelle, inhalt, gelesen.daten)) {
            gelesen.daten = T{};
            gelesen.zustand = Dateizustand::Beschaedigt;
            grund = *g;
        }
    }
    if (gelesen.zustand == Dateizustand::Beschaedigt || gelesen.zustand == Dateizustand::Unlesbar)
        gelesen.fehler = Fehler{Fehler::Art::Lesen, anzeigename(ordner, dateiname), grund};
    return gelesen;
}

// The whole saving of a data file: `daten` are checked first; a value not allowed saves nothing.
template <typename T>
Ergebnis<Speicherung> speichernMit(std::span<const Schluessel<T>> tabelle,
                                   const std::filesystem::path& ordner, const char* dateiname,
                                   const std::optional<Ordnerkennung>& kennung, const T& daten)
{
    if (Grund g = pruefeWerte(tabelle, daten))
        return Fehler{Fehler::Art::Speichern, anzeigename(ordner, dateiname), *g};
    const Werte neu = jsonWerte(tabelle, daten);
    std::vector<const char*> namen;
    for (const Schluessel<T>& s : tabelle)
        namen.push_back(s.name);
    return speichern(
        ordner, dateiname, kennung,
        [&](const Inhalt& inhalt) {
            T probe;
            return liesWerte(tabelle, inhalt, probe);
        },
        [&](const Objekt& alt) { return dateitext(alt, namen, neu); });
}

} // namespace svp::store::daten
