#include "datendatei.h"

#include "datenschluessel.h"
#include "params/betrag_text.h"
#include "params/utf8.h"

#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace svp::store {

namespace fs = std::filesystem;

std::optional<Ordnerkennung> ordnerkennung(const fs::path& ordner)
{
    struct stat st {
    };
    if (::stat(ordner.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return Ordnerkennung{st.st_dev, st.st_ino};
}

namespace daten {

namespace {

using params::Currency;
using params::Datum;

// A rate in the file is a JSON number: a decimal point, no grouping, no exponent.
constexpr params::Schreibweise Dezimalpunkt{".", false, false, false};

constexpr int FruehestesJahr = 1900;
constexpr int SpaetestesJahr = 2099;

// What a JSON value is, in the words of the messages.
enum class Fund { Null, Wahrheitswert, Zahl, Text, Liste, Objekt };

const char* fundName(Fund fund)
{
    switch (fund) {
    case Fund::Null:
        return "null";
    case Fund::Wahrheitswert:
        return "Wahrheitswert";
    case Fund::Zahl:
        return "Zahl";
    case Fund::Text:
        return "Text";
    case Fund::Liste:
        return "Liste";
    case Fund::Objekt:
        return "Objekt";
    }
    return "";
}

// The same with its article, as the object of a sentence: "sondern eine Liste".
const char* fundMitArtikel(Fund fund)
{
    switch (fund) {
    case Fund::Null:
        return "null";
    case Fund::Wahrheitswert:
        return "einen Wahrheitswert";
    case Fund::Zahl:
        return "eine Zahl";
    case Fund::Text:
        return "einen Text";
    case Fund::Liste:
        return "eine Liste";
    case Fund::Objekt:
        return "ein Objekt";
    }
    return "";
}

Fund fundVon(const Objekt& wert)
{
    if (wert.is_boolean())
        return Fund::Wahrheitswert;
    if (wert.is_number())
        return Fund::Zahl;
    if (wert.is_string())
        return Fund::Text;
    if (wert.is_array())
        return Fund::Liste;
    if (wert.is_object())
        return Fund::Objekt;
    return Fund::Null;
}

std::string zitiert(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

std::string falscheArt(std::string_view name, const char* erwartet, const Objekt& wert)
{
    return zitiert(name) + ": " + erwartet + " erwartet, gefunden " + fundName(fundVon(wert));
}

// A byte count as Germans write it: 65.536.
std::string mitPunkten(std::uintmax_t zahl)
{
    std::string ziffern = std::to_string(zahl);
    for (auto stelle = static_cast<std::ptrdiff_t>(ziffern.size()) - 3; stelle > 0; stelle -= 3)
        ziffern.insert(static_cast<std::size_t>(stelle), 1, '.');
    return ziffern;
}

bool schaltjahr(int jahr)
{
    return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
}

int tageImMonat(int jahr, int monat)
{
    static constexpr int Tage[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return monat == 2 && schaltjahr(jahr) ? 29 : Tage[monat - 1];
}

std::string zweistellig(int zahl)
{
    return std::string(1, static_cast<char>('0' + zahl / 10)) + static_cast<char>('0' + zahl % 10);
}

// The one pass of the JSON reader that sees the text: where the text is broken, what the top
// level holds, and the digits of every number in the top-level object.
class Rohleser
{
public:
    explicit Rohleser(std::map<std::string, std::string, std::less<>>& zahlen) : m_zahlen(zahlen) {}

    bool null() { return wert(Fund::Null); }
    bool boolean(bool) { return wert(Fund::Wahrheitswert); }
    bool number_integer(Objekt::number_integer_t zahl) { return nummer(std::to_string(zahl)); }
    bool number_unsigned(Objekt::number_unsigned_t zahl) { return nummer(std::to_string(zahl)); }
    bool number_float(Objekt::number_float_t, const std::string& text) { return nummer(text); }
    bool string(std::string&) { return wert(Fund::Text); }
    bool binary(Objekt::binary_t&) { return wert(Fund::Text); }
    bool start_object(std::size_t)
    {
        wert(Fund::Objekt);
        ++m_tiefe;
        return true;
    }
    bool end_object()
    {
        --m_tiefe;
        return true;
    }
    bool start_array(std::size_t)
    {
        wert(Fund::Liste);
        ++m_tiefe;
        return true;
    }
    bool end_array()
    {
        --m_tiefe;
        return true;
    }
    bool key(std::string& name)
    {
        if (m_tiefe == 1)
            m_schluessel = name;
        return true;
    }
    bool parse_error(std::size_t stelle, const std::string&, const nlohmann::detail::exception& fehler)
    {
        // A number too large for any representation (1e999) is JSON, but no value of ours.
        constexpr int ZahlZuGross = 406;
        if (fehler.id == ZahlZuGross)
            m_grund =
                "Sie enthält an Stelle " + std::to_string(stelle) + " eine Zahl außerhalb jedes Bereichs";
        else if (stelle > m_laenge) // one past the last byte: the text ends too early
            m_grund = "Sie ist kein gültiges JSON (sie endet vorzeitig)";
        else
            m_grund = "Sie ist kein gültiges JSON (Fehler an Stelle " + std::to_string(stelle) + ")";
        return false;
    }

    void setLaenge(std::size_t laenge) { m_laenge = laenge; }
    const std::string& grund() const { return m_grund; }
    Fund oben() const { return m_oben; }

private:
    bool wert(Fund fund)
    {
        if (m_tiefe == 0)
            m_oben = fund;
        return true;
    }
    bool nummer(std::string text)
    {
        if (m_tiefe == 1)
            m_zahlen[m_schluessel] = std::move(text); // a key given twice: the last counts
        return wert(Fund::Zahl);
    }

    std::map<std::string, std::string, std::less<>>& m_zahlen;
    int m_tiefe = 0;
    std::string m_schluessel;
    Fund m_oben = Fund::Null;
    std::size_t m_laenge = 0;
    std::string m_grund;
};

Dateizustand zerlegen(const std::string& text, Inhalt& inhalt, std::string& grund)
{
    if (text.empty()) {
        grund = "Sie ist leer";
        return Dateizustand::Beschaedigt;
    }
    Rohleser roh(inhalt.zahlen);
    roh.setLaenge(text.size());
    if (!Objekt::sax_parse(text, &roh)) {
        inhalt = Inhalt{};
        grund = roh.grund();
        return Dateizustand::Beschaedigt;
    }
    if (roh.oben() != Fund::Objekt) {
        inhalt = Inhalt{};
        grund = std::string("Sie enthält kein JSON-Objekt, sondern ") + fundMitArtikel(roh.oben());
        return Dateizustand::Beschaedigt;
    }
    inhalt.objekt = Objekt::parse(text, nullptr, false);
    if (!inhalt.objekt.is_object()) { // the first pass has found it sound
        inhalt = Inhalt{};
        grund = "Sie ist kein gültiges JSON";
        return Dateizustand::Beschaedigt;
    }
    return Dateizustand::Gelesen;
}

std::string zuGross(std::uintmax_t laenge)
{
    return "Sie ist mit " + mitPunkten(laenge) + " Bytes zu groß für eine Datendatei (höchstens " +
           mitPunkten(GroessteDatendatei) + " Bytes)";
}

// Keeps the bytes of a damaged data file as <name>.beschaedigt before the new file takes its
// name. A second name (a hard link) keeps them without reading or copying the file, and the
// data file keeps its name until the new one replaces it. A file system without hard links has
// the file itself moved aside; `verschoben` then names it, to be moved back should the new file
// fail to take its place.
Grund aufbewahren(const fs::path& ziel, fs::path& verschoben)
{
    const fs::path kopie = ziel.string() + EndungBeschaedigt;
    const fs::path zweitname =
        verzeichnisVon(ziel) / ("." + kopie.filename().string() + "." + std::to_string(::getpid()) + ".tmp");
    ::unlink(zweitname.c_str());
    if (::link(ziel.c_str(), zweitname.c_str()) == 0) {
        if (::rename(zweitname.c_str(), kopie.c_str()) == 0)
            return std::nullopt;
        const int fehler = errno;
        ::unlink(zweitname.c_str());
        return fehlergrund(fehler);
    }
    if (::rename(ziel.c_str(), kopie.c_str()) != 0)
        return fehlergrund(errno);
    verschoben = kopie;
    return std::nullopt;
}

} // namespace

Grund textFehler(std::string_view name, std::string_view text, std::size_t hoechstens,
                 Grund (*form)(std::string_view))
{
    std::size_t zeichen = 0;
    for (std::size_t stelle = 0; stelle < text.size(); ++zeichen) {
        char32_t c = 0;
        if (!params::utf8::naechstesZeichen(text, stelle, c))
            return zitiert(name) + " ist kein gültiger UTF-8-Text";
        if (params::utf8::steuerzeichen(c))
            return zitiert(name) + " enthält ein Steuerzeichen";
    }
    if (zeichen > hoechstens)
        return zitiert(name) + " ist mit " + std::to_string(zeichen) + " Zeichen zu lang (höchstens " +
               std::to_string(hoechstens) + ")";
    if (form) {
        if (Grund g = form(text))
            return zitiert(name) + ": " + *g;
    }
    return std::nullopt;
}

Grund datumFehler(std::string_view name, const Datum& datum)
{
    if (datum.jahr < FruehestesJahr || datum.jahr > SpaetestesJahr)
        return zitiert(name) + ": das Jahr muss zwischen " + std::to_string(FruehestesJahr) + " und " +
               std::to_string(SpaetestesJahr) + " liegen";
    if (datum.monat < 1 || datum.monat > 12 || datum.tag < 1 ||
        datum.tag > tageImMonat(datum.jahr, datum.monat))
        return zitiert(name) + ": " + jsonText(datum) + " ist kein Kalenderdatum";
    return std::nullopt;
}

Grund prozentFehler(std::string_view name, Currency satz, Currency von, Currency bis)
{
    constexpr std::int64_t EinHundertstel = Currency::Scale / 100;
    if (satz.raw() % EinHundertstel != 0)
        return zitiert(name) + ": höchstens zwei Nachkommastellen erlaubt";
    if (satz < von || satz > bis)
        return zitiert(name) + ": der Satz muss zwischen " + von.formatFixed(2) + " und " +
               bis.formatFixed(2) + " liegen";
    return std::nullopt;
}

Grund liesText(std::string_view name, const Objekt& wert, std::size_t hoechstens,
               Grund (*form)(std::string_view), std::string& ziel)
{
    if (!wert.is_string())
        return falscheArt(name, "Text", wert);
    const std::string& text = wert.get_ref<const std::string&>();
    if (Grund g = textFehler(name, text, hoechstens, form))
        return g;
    ziel = text;
    return std::nullopt;
}

Grund liesJaNein(std::string_view name, const Objekt& wert, std::optional<bool>& ziel)
{
    if (!wert.is_boolean())
        return falscheArt(name, "true oder false", wert);
    ziel = wert.get<bool>();
    return std::nullopt;
}

Grund liesTag(std::string_view name, const Objekt& wert, std::optional<Datum>& ziel)
{
    if (!wert.is_string())
        return falscheArt(name, "Text (JJJJ-MM-TT)", wert);
    const std::string& text = wert.get_ref<const std::string&>();
    const auto ziffer = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    const auto zahl = [&](std::size_t von, std::size_t laenge) {
        int z = 0;
        for (std::size_t i = von; i < von + laenge; ++i)
            z = z * 10 + (text[i] - '0');
        return z;
    };
    bool form = text.size() == 10 && text[4] == '-' && text[7] == '-';
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        form = form && ziffer(i);
    if (!form)
        return zitiert(name) + ": ein Datum in der Form JJJJ-MM-TT erwartet";
    const Datum datum{zahl(0, 4), zahl(5, 2), zahl(8, 2)};
    if (Grund g = datumFehler(name, datum))
        return g;
    ziel = datum;
    return std::nullopt;
}

Grund liesProzent(std::string_view name, const Objekt& wert, const std::string* roh, Currency von,
                  Currency bis, std::optional<Currency>& ziel)
{
    if (!wert.is_number() || roh == nullptr)
        return falscheArt(name, "Zahl", wert);
    std::string text = *roh;
    if (text.find_first_of("eE") != std::string::npos)
        return zitiert(name) + ": eine Zahl ohne Exponent erwartet, z. B. 14.5";
    // Zeros at the end of the decimals carry no value: 14.50 is 14.5.
    if (const std::size_t punkt = text.find('.'); punkt != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        if (text.size() > punkt + 3)
            return zitiert(name) + ": höchstens zwei Nachkommastellen erlaubt";
    }
    const params::Lesung satz = params::betragLesen(text, Dezimalpunkt);
    if (!satz.ok())
        return zitiert(name) + ": der Satz muss zwischen " + von.formatFixed(2) + " und " +
               bis.formatFixed(2) + " liegen";
    if (Grund g = prozentFehler(name, satz.wert, von, bis))
        return g;
    ziel = satz.wert;
    return std::nullopt;
}

std::string jsonText(const std::string& text)
{
    return Objekt(text).dump(-1, ' ', false, Objekt::error_handler_t::replace);
}

std::string jsonText(bool wert)
{
    return wert ? "true" : "false";
}

std::string jsonText(const Datum& datum)
{
    std::string jahr = std::to_string(datum.jahr);
    jahr.insert(0, jahr.size() < 4 ? 4 - jahr.size() : 0, '0');
    return "\"" + jahr + "-" + zweistellig(datum.monat) + "-" + zweistellig(datum.tag) + "\"";
}

std::string jsonText(Currency satz)
{
    return params::betragText(satz, params::Zahlformat{'.', 2, 2});
}

Dateizustand lesen(const fs::path& pfad, Inhalt& inhalt, std::string& grund, Stand& stand)
{
    inhalt = Inhalt{};
    stand = Stand{};
    Dateien& dateien = Dateien::system();
    Eigenschaften art;
    if (Grund g = dateien.eigenschaften(pfad, art)) {
        grund = *g;
        return Dateizustand::Unlesbar;
    }
    if (art.art == Eigenschaften::Art::Fehlt)
        return Dateizustand::Fehlt;
    if (art.art != Eigenschaften::Art::Datei) {
        grund = art.art == Eigenschaften::Art::Verzeichnis ? fehlergrund(EISDIR) : GrundKeineDatei;
        return Dateizustand::Unlesbar;
    }
    if (art.laenge > GroessteDatendatei) {
        stand.vorhanden = true;
        stand.bits = art.bits;
        stand.besitzer = art.besitzer;
        grund = zuGross(art.laenge);
        return Dateizustand::Beschaedigt;
    }
    if (Grund g = dateien.liesAlles(pfad, stand)) {
        grund = *g;
        return Dateizustand::Unlesbar;
    }
    if (!stand.vorhanden)
        return Dateizustand::Fehlt;
    // Grown beyond the limit between the look and the reading.
    if (stand.bytes.size() > GroessteDatendatei) {
        grund = zuGross(stand.bytes.size());
        return Dateizustand::Beschaedigt;
    }
    const std::string text(stand.bytes.begin(), stand.bytes.end());
    return zerlegen(text, inhalt, grund);
}

std::string dateitext(const Objekt& alt, std::span<const char* const> bekannt, const Werte& neu)
{
    std::string text = "{";
    bool erster = true;
    const auto eintrag = [&](const std::string& schluessel, const std::string& wert) {
        text += erster ? "\n  " : ",\n  ";
        erster = false;
        text += jsonText(schluessel);
        text += ": ";
        text += wert;
    };
    std::vector<bool> geschrieben(neu.size(), false);
    const auto neuerWert = [&](std::string_view schluessel) -> std::size_t {
        for (std::size_t i = 0; i < neu.size(); ++i) {
            if (schluessel == neu[i].first)
                return i;
        }
        return neu.size();
    };
    for (auto it = alt.begin(); it != alt.end(); ++it) {
        const std::string& schluessel = it.key();
        bool bekannterSchluessel = false;
        for (const char* name : bekannt)
            bekannterSchluessel = bekannterSchluessel || schluessel == name;
        if (!bekannterSchluessel) {
            // A value nested in the object moves in by one level of indentation; a newline
            // inside a JSON text is always written as \n, so every raw newline is the layout's.
            std::string wert = it.value().dump(2, ' ', false, Objekt::error_handler_t::replace);
            for (std::size_t p = wert.find('\n'); p != std::string::npos; p = wert.find('\n', p + 3))
                wert.replace(p, 1, "\n  ");
            eintrag(schluessel, wert);
            continue;
        }
        const std::size_t i = neuerWert(schluessel);
        if (i < neu.size() && !geschrieben[i]) {
            eintrag(schluessel, neu[i].second);
            geschrieben[i] = true;
        }
    }
    for (std::size_t i = 0; i < neu.size(); ++i) {
        if (!geschrieben[i])
            eintrag(neu[i].first, neu[i].second);
    }
    text += erster ? "}\n" : "\n}\n";
    return text;
}

std::string anzeigename(const fs::path& ordner, const char* dateiname)
{
    std::error_code ec;
    fs::path voll = fs::absolute(ordner, ec).lexically_normal();
    if (ec)
        voll = ordner.lexically_normal();
    if (!voll.has_filename())
        voll = voll.parent_path();
    const std::string name = voll.filename().string();
    if (name.empty() || name == "." || name == "..")
        return dateiname;
    return std::string(dateiname) + " im Ordner „" + name + "“";
}

Ergebnis<Speicherung> speichern(const fs::path& ordner, const char* dateiname,
                                const std::optional<Ordnerkennung>& kennung,
                                const std::function<Grund(const Inhalt&)>& werteFehler,
                                const std::function<std::string(const Objekt&)>& neuerText)
{
    const std::string anzeige = anzeigename(ordner, dateiname);
    auto fehler = [&](std::string grund) {
        return Fehler{Fehler::Art::Speichern, anzeige, std::move(grund)};
    };

    // A folder that has gone, or been renamed while it was shown, gets nothing: not even the
    // lock file, which would otherwise be created in whatever now has its name.
    const std::optional<Ordnerkennung> jetzt = ordnerkennung(ordner);
    if (!jetzt || (kennung && *jetzt != *kennung))
        return fehler(GrundOrdnerFort);

    Dateien& dateien = Dateien::system();
    Sperre sperre(dateien);
    if (Grund g = sperre.nehmen(ordner / Ablage::Sperrdatei, Ablage::Sperrfrist))
        return fehler(*g);
    fs::path ziel;
    if (Grund g = dateien.zielpfad(ordner / dateiname, ziel))
        return fehler(*g);

    Inhalt alt;
    Stand stand;
    std::string grund;
    const Dateizustand zustand = lesen(ziel, alt, grund, stand);
    if (zustand == Dateizustand::Unlesbar)
        return fehler(grund);
    // A sound JSON object with a value not allowed is damaged too, but its other keys stay:
    // every key the program knows gets the new value anyway.
    const bool objekt = zustand == Dateizustand::Gelesen;
    const bool beschaedigt = zustand == Dateizustand::Beschaedigt || (objekt && werteFehler(alt));
    if (dateien.schreibgeschuetzt(ziel, stand))
        return Fehler{Fehler::Art::Schreibgeschuetzt, anzeige, {}};

    const std::string text = neuerText(objekt ? alt.objekt : Objekt::object());
    Zwischendatei neu(dateien);
    if (Grund g = neu.schreiben(ziel, Bytes(text.begin(), text.end()), stand.modus()))
        return fehler(*g);
    Speicherung speicherung;
    fs::path verschoben;
    if (beschaedigt) {
        if (Grund g = aufbewahren(ziel, verschoben))
            return fehler(*g);
        speicherung.beschaedigteAufbewahrt = true;
    }
    if (Grund g = neu.ersetzen(ziel)) {
        if (!verschoben.empty())
            (void)::rename(verschoben.c_str(), ziel.c_str());
        return fehler(*g);
    }
    dateien.verzeichnisSichern(verzeichnisVon(ziel));
    return speicherung;
}

} // namespace daten

} // namespace svp::store
