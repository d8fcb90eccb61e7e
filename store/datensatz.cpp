#include "datensatz.h"

#include "params/eingaben.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace svp::store {

namespace {

using params::LetzteKBArt;
using params::LetzterHBStatus;
using params::LetzterKVStatus;
using params::LetzteSchuelerArt;

constexpr std::int16_t Wahr = -1;

// Second name table: the entry that holds the sample name and is never written after creation.
constexpr std::size_t MusternameEintrag = 4;

// Elements whose default differs from the rest of their field: the first mini-job of the
// default case earns 380 a month with 40 holiday pay and 200 Christmas bonus.
struct Abweichung {
    Satzfeld feld;
    std::size_t index;
    std::int64_t zahl;
};
constexpr std::array<Abweichung, 3> StandardAbweichungen = {{
    {Satzfeld::Monatslohn, 0, detail::euro(380)},
    {Satzfeld::Urlaubsgeld, 0, detail::euro(40)},
    {Satzfeld::Weihnachtsgeld, 0, detail::euro(200)},
}};

std::uint64_t leseLE(const std::uint8_t* p, std::size_t breite)
{
    std::uint64_t wert = 0;
    for (std::size_t k = breite; k > 0; --k)
        wert = (wert << 8) | p[k - 1];
    return wert;
}

void schreibeLE(std::uint8_t* p, std::size_t breite, std::uint64_t wert)
{
    for (std::size_t k = 0; k < breite; ++k) {
        p[k] = static_cast<std::uint8_t>(wert & 0xFF);
        wert >>= 8;
    }
}

bool istZahl(Kodierung k)
{
    return k != Kodierung::Text;
}

} // namespace

const Datensatz& Datensatz::leer()
{
    static const Datensatz satz = standard(Datensatz{}, params::Stammjahr, 0, 0);
    return satz;
}

Datensatz Datensatz::ausBytes(const std::array<std::uint8_t, SatzLaenge>& bytes)
{
    Datensatz satz;
    satz.m_bytes = bytes;
    return satz;
}

std::int64_t Datensatz::zahl(Satzfeld feld, std::size_t i) const
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(istZahl(f.kodierung) && i < f.anzahl);
    if (!istZahl(f.kodierung) || i >= f.anzahl)
        return 0;
    const std::uint64_t roh = leseLE(m_bytes.data() + f.offset + i * f.breite, f.breite);
    if (f.breite == 2)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(roh));
    return static_cast<std::int64_t>(roh);
}

void Datensatz::setZahl(Satzfeld feld, std::size_t i, std::int64_t wert)
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(istZahl(f.kodierung) && i < f.anzahl);
    if (!istZahl(f.kodierung) || i >= f.anzahl)
        return;
    schreibeLE(m_bytes.data() + f.offset + i * f.breite, f.breite, static_cast<std::uint64_t>(wert));
}

std::string Datensatz::text(Satzfeld feld, std::size_t i) const
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(f.kodierung == Kodierung::Text && i < f.anzahl);
    if (f.kodierung != Kodierung::Text || i >= f.anzahl)
        return {};
    const auto* anfang = reinterpret_cast<const char*>(m_bytes.data() + f.offset + i * f.breite);
    return params::cp1252ToUtf8(std::string_view(anfang, f.breite));
}

void Datensatz::setText(Satzfeld feld, std::size_t i, std::string_view utf8)
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(f.kodierung == Kodierung::Text && i < f.anzahl);
    if (f.kodierung != Kodierung::Text || i >= f.anzahl)
        return;
    // Cut by characters: every character becomes one byte in Windows-1252 ('?' where it has
    // none), so the result is exactly as wide as the field.
    params::fixedCp1252(utf8, f.breite, reinterpret_cast<char*>(m_bytes.data() + f.offset + i * f.breite));
}

Datensatz Datensatz::standard(const Datensatz& kopf, int jahr, int monat, int land)
{
    Datensatz satz;
    for (const Feldbeschreibung& f : Satzaufbau) {
        for (std::size_t i = 0; i < f.anzahl; ++i) {
            if (f.kodierung == Kodierung::Text)
                satz.setText(f.feld, i, f.standardText);
            else
                satz.setZahl(f.feld, i, f.standardZahl);
        }
    }
    for (const Abweichung& a : StandardAbweichungen)
        satz.setZahl(a.feld, a.index, a.zahl);
    satz.setText(Satzfeld::Namen, MusternameEintrag, "Mustermann");

    // Two reserved values remember the year, month and state for which the record was made.
    const int wert308 = jahr > params::ErstesJahr ? 5 : (monat < 6 ? 3 : 4);
    satz.setZahl(Satzfeld::Reserviert308, 0, wert308);
    satz.setZahl(Satzfeld::Reserviert312, 0, land == 13 ? 1 : 0);

    // The head (state, month, year) stays as it was in the buffer.
    const std::size_t kopfEnde = beschreibung(Satzfeld::Jahr).offset + beschreibung(Satzfeld::Jahr).breite;
    std::copy_n(kopf.m_bytes.begin(), kopfEnde, satz.m_bytes.begin());
    return satz;
}

std::int16_t Datensatz::land() const
{
    return static_cast<std::int16_t>(zahl(Satzfeld::Land));
}
std::int16_t Datensatz::monat() const
{
    return static_cast<std::int16_t>(zahl(Satzfeld::Monat));
}
std::int16_t Datensatz::jahr() const
{
    return static_cast<std::int16_t>(zahl(Satzfeld::Jahr));
}
void Datensatz::setLand(std::int16_t land)
{
    setZahl(Satzfeld::Land, 0, land);
}
void Datensatz::setMonat(std::int16_t monat)
{
    setZahl(Satzfeld::Monat, 0, monat);
}
void Datensatz::setJahr(std::int16_t jahr)
{
    setZahl(Satzfeld::Jahr, 0, jahr);
}

int Datensatz::gueltigesLand() const
{
    const int wert = land();
    return wert >= 0 && wert < params::AnzahlLaender ? wert : 0;
}

int Datensatz::gueltigerMonat() const
{
    const int wert = monat();
    return wert >= 0 && wert < params::AnzahlMonate ? wert : 0;
}

int Datensatz::gueltigesJahr() const
{
    const int wert = jahr();
    return wert >= params::ErstesJahr && wert <= params::LetztesJahr ? wert : params::Stammjahr;
}

Eintrag Datensatz::eintrag() const
{
    Eintrag e;
    eintragLesen(e);
    return e;
}

void Datensatz::eintragLesen(Eintrag& e) const
{
    // A stored value that this program never writes reads as the default record's value of
    // that element, so that no index outside its group reaches the determination.
    auto geprueft = [this](Satzfeld feld, std::size_t i, std::int64_t min, std::int64_t max) {
        const std::int64_t wert = zahl(feld, i);
        return wert >= min && wert <= max ? wert : leer().zahl(feld, i);
    };
    auto index = [&](Satzfeld feld, std::int64_t letzter) {
        return static_cast<std::int16_t>(geprueft(feld, 0, 0, letzter));
    };
    auto schalter = [&](Satzfeld feld, std::size_t i) { return geprueft(feld, i, Wahr, 0) == Wahr; };
    auto betrag = [&](Satzfeld feld, std::size_t i, params::Wertebereich bereich) {
        return Currency::fromRaw(geprueft(feld, i, bereich.min.raw(), bereich.max.raw()));
    };

    const Feldbeschreibung& namen = beschreibung(Satzfeld::Arbeitgeber);
    for (std::size_t i = 0; i < e.Arbeitgeber.size(); ++i) {
        const auto* anfang = reinterpret_cast<const char*>(m_bytes.data() + namen.offset + i * namen.breite);
        params::cp1252ToUtf8(std::string_view(anfang, namen.breite), e.Arbeitgeber[i]);
    }
    e.HBStatus = index(Satzfeld::HBStatus, LetzterHBStatus);
    e.HBKV = index(Satzfeld::HBKV, LetzterKVStatus);
    e.SchuelerArt = index(Satzfeld::SchuelerArt, LetzteSchuelerArt);
    e.HBCheck = schalter(Satzfeld::HBCheck, 0);
    e.HR = schalter(Satzfeld::HR, 0);
    e.HBEntgelt = betrag(Satzfeld::HBEntgelt, 0, params::Entgeltbereich);
    e.KBArt = index(Satzfeld::KBArt, LetzteKBArt);
    for (std::size_t i = 0; i < e.KBCheck.size(); ++i)
        e.KBCheck[i] = schalter(Satzfeld::KBCheck, i);
    e.GBKV = index(Satzfeld::GBKV, LetzterKVStatus);
    e.GBCheck = schalter(Satzfeld::GBCheck, 0);
    for (std::size_t j = 1; j <= 2; ++j) {
        const std::size_t i = j - 1;
        e.priv[j] = schalter(Satzfeld::Privathaushalt, i);
        e.Monatslohn[j] =
            betrag(Satzfeld::Monatslohn, i, j == 1 ? params::Entgeltbereich : params::Korrekturbereich);
        // Every 16-bit count lies within the range of the month fields.
        e.Monate[j] = Currency::fromWhole(zahl(Satzfeld::Monate, i));
        e.Urlaubsgeld[j] = betrag(Satzfeld::Urlaubsgeld, i, params::Korrekturbereich);
        e.Weihnachtsgeld[j] = betrag(Satzfeld::Weihnachtsgeld, i, params::Korrekturbereich);
    }
    e.Reserviert274 = static_cast<std::int16_t>(zahl(Satzfeld::Reserviert274));
}

void Datensatz::uebernehmen(const Eintrag& e)
{
    auto schalter = [](bool an) -> std::int64_t { return an ? Wahr : 0; };
    // A month count is kept as a whole number; a value beyond the 16-bit field is held at its
    // end rather than wrapped into a different count.
    auto ganzeMonate = [](Currency monate) {
        return std::clamp<std::int64_t>(monate.roundedWhole(), std::numeric_limits<std::int16_t>::min(),
                                        std::numeric_limits<std::int16_t>::max());
    };

    for (std::size_t i = 0; i < e.Arbeitgeber.size(); ++i)
        setText(Satzfeld::Arbeitgeber, i, e.Arbeitgeber[i]);
    setZahl(Satzfeld::HBStatus, 0, e.HBStatus);
    setZahl(Satzfeld::HBKV, 0, e.HBKV);
    setZahl(Satzfeld::SchuelerArt, 0, e.SchuelerArt);
    setZahl(Satzfeld::HBCheck, 0, schalter(e.HBCheck));
    setZahl(Satzfeld::HR, 0, schalter(e.HR));
    setZahl(Satzfeld::HBEntgelt, 0, e.HBEntgelt.raw());
    setZahl(Satzfeld::KBArt, 0, e.KBArt);
    setZahl(Satzfeld::Reserviert166, 0, 0);
    for (std::size_t i = 0; i < e.KBCheck.size(); ++i)
        setZahl(Satzfeld::KBCheck, i, schalter(e.KBCheck[i]));
    setZahl(Satzfeld::GBKV, 0, e.GBKV);
    setZahl(Satzfeld::GBCheck, 0, schalter(e.GBCheck));
    for (std::size_t j = 1; j <= 2; ++j)
        setZahl(Satzfeld::Privathaushalt, j - 1, schalter(e.priv[j]));
    for (std::size_t i = 0; i < beschreibung(Satzfeld::Reserviert182).anzahl; ++i)
        setZahl(Satzfeld::Reserviert182, i, 0);
    for (std::size_t j = 1; j <= 2; ++j) {
        const std::size_t i = j - 1;
        setZahl(Satzfeld::Monatslohn, i, e.Monatslohn[j].raw());
        setZahl(Satzfeld::Monate, i, ganzeMonate(e.Monate[j]));
        setZahl(Satzfeld::Urlaubsgeld, i, e.Urlaubsgeld[j].raw());
        setZahl(Satzfeld::Weihnachtsgeld, i, e.Weihnachtsgeld[j].raw());
    }
    setZahl(Satzfeld::Reserviert274, 0, e.Reserviert274);
    for (std::size_t i = 0; i < e.Arbeitgeber.size(); ++i)
        setText(Satzfeld::Namen, i, e.Arbeitgeber[i]);
}

std::array<std::int16_t, 16> Datensatz::ergebniscodes() const
{
    std::array<std::int16_t, 16> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = static_cast<std::int16_t>(zahl(Satzfeld::Ergebniscodes, i));
    return codes;
}

void Datensatz::setErgebniscodes(const std::array<std::int16_t, 16>& codes)
{
    for (std::size_t i = 0; i < codes.size(); ++i)
        setZahl(Satzfeld::Ergebniscodes, i, codes[i]);
}

} // namespace svp::store
