#pragma once

#include "arbeitnehmerdatei.h"
#include "datendatei.h"
#include "params/arbeitnehmer.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace svp::store {

// Why an operation on the data root or an employee's folder failed. Errors are values; the
// operation has changed nothing on disk.
struct Ordnerfehler {
    enum class Art {
        Lesen,   // the data root cannot be listed
        Anlegen, // a new employee's folder cannot be created (or its data file not written)
        Fort,    // the employee's folder has been removed or renamed since it was listed
    };
    Art art = Art::Lesen;
    std::string ordner; // the folder's name; for the data root its path
    std::string grund;  // German reason, e.g. "Zugriff verweigert"; empty for Fort

    // The message for the user, e.g.
    // "Der Ordner „/home/anna/svpflicht“ kann nicht gelesen werden: Zugriff verweigert",
    // "Der Ordner „4711 Meier, Anna“ kann nicht angelegt werden: Zugriff verweigert",
    // "Der Ordner „4711 Meier, Anna“ wurde entfernt oder umbenannt".
    std::string meldung() const;
};

template <typename T> using Ordnerergebnis = std::variant<T, Ordnerfehler>;

// One employee of the data root: a folder directly below it that holds arbeitnehmer.json, with
// the record files SV2006.xyz ... in it; or the root itself, when it holds record files of its
// own (the data of the time before there were employee folders).
struct Arbeitnehmereintrag {
    std::filesystem::path ordner; // where its files lie
    std::string ordnername;       // the folder's name below the root; empty for the root
    bool wurzel = false;
    Ordnerkennung kennung; // the folder as listed
    Gelesen<params::Arbeitnehmerdaten> daten;

    // "Meier, Anna"; without a name the folder's name, for the root "Ohne Namen (Arbeitsordner)".
    std::string anzeigename() const;

    // The employee's data file, bound to the folder as listed.
    Arbeitnehmerdatei datei() const { return Arbeitnehmerdatei(ordner, kennung); }
};

// The data root: the folder the program works in, whose employees are the folders below it.
class Arbeitnehmerverzeichnis
{
public:
    static constexpr const char* OhneNamen = "Ohne Namen (Arbeitsordner)";
    static constexpr std::size_t OrdnernameHoechstens = 64; // bytes
    static constexpr const char* OrdnernameErsatz = "Arbeitnehmer";

    explicit Arbeitnehmerverzeichnis(std::filesystem::path wurzel);

    const std::filesystem::path& wurzel() const { return m_wurzel; }

    // Every employee: the root first when it holds record files (or an arbeitnehmer.json) of
    // its own, then by name as suchform() compares them, then by personnel number. Reads each
    // employee's data file and nothing else; a damaged one gives its entry with the error and
    // the defaults. Folders whose name begins with a dot are not looked at. An empty root
    // gives an empty list.
    Ordnerergebnis<std::vector<Arbeitnehmereintrag>> auflisten() const;

    // Creates a new employee: a folder below the root named after personnel number and name
    // (ordnername(), with " (2)", " (3)" ... when that name is taken) holding the data file.
    // Data that the file may not hold, or a root that is not writable, creates nothing.
    Ordnerergebnis<Arbeitnehmereintrag> anlegen(const params::Arbeitnehmerdaten& daten) const;

    // Whether the employee's folder is still the one that was listed. Before anything of the
    // employee is saved: a folder removed or renamed meanwhile gets nothing, and nothing goes
    // into whatever has taken its name.
    std::optional<Ordnerfehler> pruefen(const Arbeitnehmereintrag& eintrag) const;

    // A safe folder name from personnel number and name: "4711 Meier, Anna". No "/" or "\"
    // (they become "-"), no control characters, none of : * ? " < > | (they become "_"), no
    // ".." and no dot or blank at either end, runs of blanks as one, broken UTF-8 as "_", at
    // most 64 bytes cut between characters; "Arbeitnehmer" when nothing is left.
    static std::string ordnername(const params::Arbeitnehmerdaten& daten);

    // The form in which names are compared, in sorting and in searching: lower case, accents
    // and umlauts on their base letter ("Ä" as "a", "ß" as "ss").
    static std::string suchform(std::string_view text);

private:
    std::filesystem::path m_wurzel;
};

} // namespace svp::store
