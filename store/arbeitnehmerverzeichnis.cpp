#include "arbeitnehmerverzeichnis.h"

#include "ablage.h"
#include "datei.h"
#include "params/eingaben.h"
#include "params/utf8.h"

#include <algorithm>
#include <cerrno>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace svp::store {

namespace fs = std::filesystem;

namespace {

using params::Arbeitnehmerdaten;

// The base letter of U+00C0 to U+017F, for comparing names: "Ä" as "a", "Ł" as "l".
constexpr std::string_view Grundbuchstaben = "aaaaaaaceeeeiiiidnooooo*ouuuuyts"  // U+00C0
                                             "aaaaaaaceeeeiiiidnooooo/ouuuuyty"  // U+00E0
                                             "aaaaaaccccccccddddeeeeeeeeeegggg"  // U+0100
                                             "gggghhhhiiiiiiiiiiiijjkkklllllll"  // U+0120
                                             "lllnnnnnnnnnoooooooorrrrrrssssss"  // U+0140
                                             "ssttttttuuuuuuuuuuuuwwyyyzzzzzzs"; // U+0160
constexpr char32_t ErsterMitGrundbuchstabe = 0xC0;
static_assert(Grundbuchstaben.size() == 0x180 - ErsterMitGrundbuchstabe);

// Letters that German spells with two: "ß" as "ss", "Æ" as "ae", "Œ" as "oe".
const char* zweiBuchstaben(char32_t c)
{
    switch (c) {
    case 0xDF:
        return "ss";
    case 0xC6:
    case 0xE6:
        return "ae";
    case 0x152:
    case 0x153:
        return "oe";
    default:
        return nullptr;
    }
}

// Characters that a folder name on this or another system (a shared drive) may not hold.
bool verboten(char32_t c)
{
    return c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|';
}

bool leerzeichen(char32_t c)
{
    return c == ' ' || c == 0xA0 || params::utf8::steuerzeichen(c);
}

// At most `hoechstens` bytes of a well-formed UTF-8 text, cut between two characters, without
// dots or blanks at the end (a folder name ending so is trouble on shared drives).
std::string gekuerzt(std::string_view text, std::size_t hoechstens)
{
    std::size_t ende = 0;
    for (std::size_t stelle = 0; stelle < text.size();) {
        char32_t c = 0;
        if (!params::utf8::naechstesZeichen(text, stelle, c) || stelle > hoechstens)
            break;
        ende = stelle;
    }
    std::string aus(text.substr(0, ende));
    while (!aus.empty() && (aus.back() == ' ' || aus.back() == '.'))
        aus.pop_back();
    return aus;
}

std::string mitZusatz(const std::string& basis, int nummer)
{
    const std::string zusatz = " (" + std::to_string(nummer) + ")";
    return gekuerzt(basis, Arbeitnehmerverzeichnis::OrdnernameHoechstens - zusatz.size()) + zusatz;
}

bool jahresdatei(const std::string& name)
{
    for (int jahr = params::ErstesJahr; jahr <= params::LetztesJahr; ++jahr) {
        if (name == Ablage::dateiname(jahr))
            return true;
    }
    return false;
}

bool vorhanden(const fs::path& pfad)
{
    struct stat st {
    };
    return ::stat(pfad.c_str(), &st) == 0;
}

// The root as a message names it: its whole path, also when the program was started in it.
std::string wurzelname(const fs::path& wurzel)
{
    std::error_code ec;
    const fs::path voll = fs::absolute(wurzel, ec);
    return (ec ? wurzel : voll.lexically_normal()).string();
}

Arbeitnehmereintrag eintragFuer(const fs::path& ordner, std::string ordnername, bool wurzel)
{
    Arbeitnehmereintrag e;
    e.ordner = ordner;
    e.ordnername = std::move(ordnername);
    e.wurzel = wurzel;
    e.kennung = ordnerkennung(ordner).value_or(Ordnerkennung{});
    e.daten = Arbeitnehmerdatei(ordner).lesen();
    return e;
}

} // namespace

std::string Ordnerfehler::meldung() const
{
    const std::string name = "Der Ordner „" + ordner + "“";
    switch (art) {
    case Art::Lesen:
        return name + " kann nicht gelesen werden: " + grund;
    case Art::Anlegen:
        return name + " kann nicht angelegt werden: " + grund;
    case Art::Fort:
        return name + " wurde entfernt oder umbenannt";
    }
    return name;
}

std::string Arbeitnehmereintrag::anzeigename() const
{
    if (!daten.daten.Name.empty())
        return daten.daten.Name;
    return wurzel ? Arbeitnehmerverzeichnis::OhneNamen : ordnername;
}

Arbeitnehmerverzeichnis::Arbeitnehmerverzeichnis(fs::path wurzel) : m_wurzel(std::move(wurzel)) {}

Ordnerergebnis<std::vector<Arbeitnehmereintrag>> Arbeitnehmerverzeichnis::auflisten() const
{
    std::vector<Arbeitnehmereintrag> liste;
    bool eigeneSatzdateien = false;
    std::error_code ec;
    fs::directory_iterator it(m_wurzel, ec);
    for (const fs::directory_iterator ende; !ec && it != ende; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code art;
        if (jahresdatei(name)) {
            eigeneSatzdateien = eigeneSatzdateien || it->is_regular_file(art);
            continue;
        }
        if (!it->is_directory(art) || !vorhanden(it->path() / Arbeitnehmerdatei::Dateiname))
            continue;
        liste.push_back(eintragFuer(it->path(), name, false));
    }
    if (ec)
        return Ordnerfehler{Ordnerfehler::Art::Lesen, wurzelname(m_wurzel), fehlergrund(ec.value())};
    if (eigeneSatzdateien || vorhanden(m_wurzel / Arbeitnehmerdatei::Dateiname))
        liste.push_back(eintragFuer(m_wurzel, {}, true));

    // Each name's compared form once, not once per comparison.
    std::vector<std::string> formen;
    formen.reserve(liste.size());
    for (const Arbeitnehmereintrag& e : liste)
        formen.push_back(suchform(e.anzeigename()));
    std::vector<std::size_t> folge(liste.size());
    std::iota(folge.begin(), folge.end(), std::size_t{0});
    std::sort(folge.begin(), folge.end(), [&](std::size_t a, std::size_t b) {
        const Arbeitnehmereintrag& x = liste[a];
        const Arbeitnehmereintrag& y = liste[b];
        if (x.wurzel != y.wurzel)
            return x.wurzel;
        if (formen[a] != formen[b])
            return formen[a] < formen[b];
        const std::string nx = x.anzeigename();
        const std::string ny = y.anzeigename();
        if (nx != ny)
            return nx < ny;
        if (x.daten.daten.Personalnummer != y.daten.daten.Personalnummer)
            return x.daten.daten.Personalnummer < y.daten.daten.Personalnummer;
        return x.ordnername < y.ordnername;
    });
    std::vector<Arbeitnehmereintrag> sortiert;
    sortiert.reserve(liste.size());
    for (std::size_t i : folge)
        sortiert.push_back(std::move(liste[i]));
    return sortiert;
}

Ordnerergebnis<Arbeitnehmereintrag> Arbeitnehmerverzeichnis::anlegen(const Arbeitnehmerdaten& daten) const
{
    const std::string basis = ordnername(daten);
    if (Grund g = Arbeitnehmerdatei::pruefen(daten))
        return Ordnerfehler{Ordnerfehler::Art::Anlegen, basis, *g};

    // mkdir either creates the folder or finds the name taken, also by another window that
    // creates an employee of the same name at this moment, and on a drive that does not tell
    // capitals from small letters.
    constexpr int MeisteVersuche = 1000;
    std::string name;
    for (int nummer = 1;; ++nummer) {
        if (nummer > MeisteVersuche)
            return Ordnerfehler{Ordnerfehler::Art::Anlegen, basis,
                                "Alle Ordnernamen dieses Namens sind vergeben"};
        name = nummer == 1 ? basis : mitZusatz(basis, nummer);
        if (::mkdir((m_wurzel / name).c_str(), 0777) == 0)
            break;
        if (errno != EEXIST)
            return Ordnerfehler{Ordnerfehler::Art::Anlegen, name, fehlergrund(errno)};
    }

    const fs::path ordner = m_wurzel / name;
    const Arbeitnehmerdatei datei(ordner, ordnerkennung(ordner));
    const Ergebnis<Speicherung> gespeichert = datei.speichern(daten);
    if (const Fehler* f = std::get_if<Fehler>(&gespeichert)) {
        // A folder without its data file is no employee; it goes again with the lock file
        // that the save left in it.
        ::unlink((ordner / Ablage::Sperrdatei).c_str());
        ::rmdir(ordner.c_str());
        return Ordnerfehler{Ordnerfehler::Art::Anlegen, name, f->grund.empty() ? f->meldung() : f->grund};
    }
    Arbeitnehmereintrag e;
    e.ordner = ordner;
    e.ordnername = name;
    e.kennung = ordnerkennung(ordner).value_or(Ordnerkennung{});
    e.daten.daten = daten;
    e.daten.zustand = Dateizustand::Gelesen;
    return e;
}

std::optional<Ordnerfehler> Arbeitnehmerverzeichnis::pruefen(const Arbeitnehmereintrag& eintrag) const
{
    const std::optional<Ordnerkennung> jetzt = ordnerkennung(eintrag.ordner);
    if (jetzt && *jetzt == eintrag.kennung)
        return std::nullopt;
    return Ordnerfehler{
        Ordnerfehler::Art::Fort, eintrag.wurzel ? wurzelname(m_wurzel) : eintrag.ordnername, {}};
}

std::string Arbeitnehmerverzeichnis::ordnername(const Arbeitnehmerdaten& daten)
{
    std::string roh = daten.Personalnummer;
    roh += ' ';
    roh += daten.Name;

    std::string name;
    bool blank = false; // a blank is due before the next character
    for (std::size_t stelle = 0; stelle < roh.size();) {
        const std::size_t anfang = stelle;
        char32_t c = 0;
        if (!params::utf8::naechstesZeichen(roh, stelle, c)) {
            ++stelle;
            c = '_';
        }
        if (leerzeichen(c)) {
            blank = true;
            continue;
        }
        if (blank && !name.empty())
            name += ' ';
        blank = false;
        if (c == '/' || c == '\\')
            name += '-';
        else if (c == '_' || verboten(c))
            name += '_';
        else if (c == '.' && !name.empty() && name.back() == '.')
            continue; // ".." never, also not as part of a name
        else
            name.append(roh, anfang, stelle - anfang);
    }
    // A leading dot would hide the folder; a leading blank there is none, runs are one.
    const std::size_t anfang = name.find_first_not_of(". ");
    name.erase(0, anfang == std::string::npos ? name.size() : anfang);
    name = gekuerzt(name, OrdnernameHoechstens);
    return name.empty() ? OrdnernameErsatz : name;
}

std::string Arbeitnehmerverzeichnis::suchform(std::string_view text)
{
    std::string form;
    form.reserve(text.size());
    for (std::size_t stelle = 0; stelle < text.size();) {
        const std::size_t anfang = stelle;
        char32_t c = 0;
        if (!params::utf8::naechstesZeichen(text, stelle, c)) {
            form += text[stelle++];
            continue;
        }
        if (c < 0x80)
            form += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        else if (const char* zwei = zweiBuchstaben(c))
            form += zwei;
        else if (c >= ErsterMitGrundbuchstabe && c - ErsterMitGrundbuchstabe < Grundbuchstaben.size())
            form += Grundbuchstaben[c - ErsterMitGrundbuchstabe];
        else
            form.append(text, anfang, stelle - anfang);
    }
    return form;
}

} // namespace svp::store
