#include "datensatz.h"

#include "params/fixed_text.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace svp::store {

namespace {

// Limits of the amount fields as the window's numeric fields accept them: the pays and the
// first mini-job's wage are never negative; the second mini-job column holds sums that the
// determination may also write below zero.
constexpr std::int64_t HoechsterBetrag = 99999 * Currency::Scale;
constexpr std::int64_t NiedrigsterBetrag = -HoechsterBetrag;

// Option groups: index of the last button.
constexpr std::int64_t LetzterHBStatus = 12;
constexpr std::int64_t LetzterKVStatus = 3;
constexpr std::int64_t LetzteSchuelerArt = 3;
constexpr std::int64_t LetzteKBArt = 2;

constexpr std::int16_t Wahr = -1;

// Second name table: the entry that holds the sample name and is never written after creation.
constexpr std::size_t MusternameEintrag = 4;

// Elements whose default differs from the rest of their field: the first mini-job of the
// default case earns 380 a month with 40 holiday pay and 200 Christmas bonus.
struct Abweichung {
    Feld feld;
    std::size_t index;
    std::int64_t zahl;
};
constexpr std::array<Abweichung, 3> StandardAbweichungen = {{
    {Feld::Monatslohn, 0, detail::euro(380)},
    {Feld::Urlaubsgeld, 0, detail::euro(40)},
    {Feld::Weihnachtsgeld, 0, detail::euro(200)},
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

// The record of a new file with head fields 0: what a missing record reads as and where an
// invalid stored value falls back to.
const Datensatz& leererStandard()
{
    static const Datensatz satz = Datensatz::standard(Datensatz{}, 2008, 0, 0);
    return satz;
}

} // namespace

Datensatz Datensatz::fromBytes(const std::array<std::uint8_t, SatzLaenge>& bytes)
{
    Datensatz satz;
    satz.m_bytes = bytes;
    return satz;
}

std::int64_t Datensatz::zahl(Feld feld, std::size_t i) const
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

void Datensatz::setZahl(Feld feld, std::size_t i, std::int64_t wert)
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(istZahl(f.kodierung) && i < f.anzahl);
    if (!istZahl(f.kodierung) || i >= f.anzahl)
        return;
    schreibeLE(m_bytes.data() + f.offset + i * f.breite, f.breite, static_cast<std::uint64_t>(wert));
}

std::string Datensatz::text(Feld feld, std::size_t i) const
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(f.kodierung == Kodierung::Text && i < f.anzahl);
    if (f.kodierung != Kodierung::Text || i >= f.anzahl)
        return {};
    const auto* anfang = reinterpret_cast<const char*>(m_bytes.data() + f.offset + i * f.breite);
    return params::cp1252ToUtf8(std::string_view(anfang, f.breite));
}

void Datensatz::setText(Feld feld, std::size_t i, std::string_view utf8)
{
    const Feldbeschreibung& f = beschreibung(feld);
    assert(f.kodierung == Kodierung::Text && i < f.anzahl);
    if (f.kodierung != Kodierung::Text || i >= f.anzahl)
        return;
    // Cut by characters first: every character becomes one byte in Windows-1252 ('?' where it
    // has none), so the result is exactly as wide as the field.
    std::string bytes = params::utf8ToCp1252(params::fixedText(utf8, f.breite));
    bytes.resize(f.breite, ' ');
    std::copy(bytes.begin(), bytes.end(),
              m_bytes.begin() + static_cast<std::ptrdiff_t>(f.offset + i * f.breite));
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
    satz.setText(Feld::Namen, MusternameEintrag, "Mustermann");

    // Two reserved values remember the year, month and state for which the record was made.
    const int wert308 = jahr > 2006 ? 5 : (monat < 6 ? 3 : 4);
    satz.setZahl(Feld::Reserviert308, 0, wert308);
    satz.setZahl(Feld::Reserviert312, 0, land == 13 ? 1 : 0);

    // The head (state, month, year) stays as it was in the buffer.
    const std::size_t kopfEnde = beschreibung(Feld::Jahr).offset + beschreibung(Feld::Jahr).breite;
    std::copy_n(kopf.m_bytes.begin(), kopfEnde, satz.m_bytes.begin());
    return satz;
}

std::int16_t Datensatz::land() const
{
    return static_cast<std::int16_t>(zahl(Feld::Land));
}
std::int16_t Datensatz::monat() const
{
    return static_cast<std::int16_t>(zahl(Feld::Monat));
}
std::int16_t Datensatz::jahr() const
{
    return static_cast<std::int16_t>(zahl(Feld::Jahr));
}
void Datensatz::setLand(std::int16_t land)
{
    setZahl(Feld::Land, 0, land);
}
void Datensatz::setMonat(std::int16_t monat)
{
    setZahl(Feld::Monat, 0, monat);
}
void Datensatz::setJahr(std::int16_t jahr)
{
    setZahl(Feld::Jahr, 0, jahr);
}

int Datensatz::gueltigesLand() const
{
    const int wert = land();
    return wert >= 0 && wert <= 15 ? wert : 0;
}

int Datensatz::gueltigerMonat() const
{
    const int wert = monat();
    return wert >= 0 && wert <= 11 ? wert : 0;
}

int Datensatz::gueltigesJahr() const
{
    const int wert = jahr();
    return wert >= 2006 && wert <= 2010 ? wert : 2008;
}

Eintrag Datensatz::eintrag() const
{
    // A stored value that this program never writes reads as the default record's value of
    // that element, so that no index outside its group reaches the determination.
    auto geprueft = [this](Feld feld, std::size_t i, std::int64_t min, std::int64_t max) {
        const std::int64_t wert = zahl(feld, i);
        return wert >= min && wert <= max ? wert : leererStandard().zahl(feld, i);
    };
    auto index = [&](Feld feld, std::int64_t letzter) {
        return static_cast<std::int16_t>(geprueft(feld, 0, 0, letzter));
    };
    auto schalter = [&](Feld feld, std::size_t i) { return geprueft(feld, i, Wahr, 0) == Wahr; };
    auto betrag = [&](Feld feld, std::size_t i, std::int64_t min) {
        return Currency::fromRaw(geprueft(feld, i, min, HoechsterBetrag));
    };

    Eintrag e;
    for (std::size_t i = 0; i < e.Arbeitgeber.size(); ++i)
        e.Arbeitgeber[i] = text(Feld::Arbeitgeber, i);
    e.HBStatus = index(Feld::HBStatus, LetzterHBStatus);
    e.HBKV = index(Feld::HBKV, LetzterKVStatus);
    e.SchuelerArt = index(Feld::SchuelerArt, LetzteSchuelerArt);
    e.HBCheck = schalter(Feld::HBCheck, 0);
    e.HR = schalter(Feld::HR, 0);
    e.HBEntgelt = betrag(Feld::HBEntgelt, 0, 0);
    e.KBArt = index(Feld::KBArt, LetzteKBArt);
    for (std::size_t i = 0; i < e.KBCheck.size(); ++i)
        e.KBCheck[i] = schalter(Feld::KBCheck, i);
    e.GBKV = index(Feld::GBKV, LetzterKVStatus);
    e.GBCheck = schalter(Feld::GBCheck, 0);
    for (std::size_t j = 1; j <= 2; ++j) {
        const std::size_t i = j - 1;
        e.priv[j] = schalter(Feld::Privathaushalt, i);
        e.Monatslohn[j] = betrag(Feld::Monatslohn, i, j == 1 ? 0 : NiedrigsterBetrag);
        // Every 16-bit count lies within the range of the month fields.
        e.Monate[j] = Currency::fromWhole(zahl(Feld::Monate, i));
        e.Urlaubsgeld[j] = betrag(Feld::Urlaubsgeld, i, NiedrigsterBetrag);
        e.Weihnachtsgeld[j] = betrag(Feld::Weihnachtsgeld, i, NiedrigsterBetrag);
    }
    e.Reserviert274 = static_cast<std::int16_t>(zahl(Feld::Reserviert274));
    return e;
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
        setText(Feld::Arbeitgeber, i, e.Arbeitgeber[i]);
    setZahl(Feld::HBStatus, 0, e.HBStatus);
    setZahl(Feld::HBKV, 0, e.HBKV);
    setZahl(Feld::SchuelerArt, 0, e.SchuelerArt);
    setZahl(Feld::HBCheck, 0, schalter(e.HBCheck));
    setZahl(Feld::HR, 0, schalter(e.HR));
    setZahl(Feld::HBEntgelt, 0, e.HBEntgelt.raw());
    setZahl(Feld::KBArt, 0, e.KBArt);
    setZahl(Feld::Reserviert166, 0, 0);
    for (std::size_t i = 0; i < e.KBCheck.size(); ++i)
        setZahl(Feld::KBCheck, i, schalter(e.KBCheck[i]));
    setZahl(Feld::GBKV, 0, e.GBKV);
    setZahl(Feld::GBCheck, 0, schalter(e.GBCheck));
    for (std::size_t j = 1; j <= 2; ++j)
        setZahl(Feld::Privathaushalt, j - 1, schalter(e.priv[j]));
    for (std::size_t i = 0; i < beschreibung(Feld::Reserviert182).anzahl; ++i)
        setZahl(Feld::Reserviert182, i, 0);
    for (std::size_t j = 1; j <= 2; ++j) {
        const std::size_t i = j - 1;
        setZahl(Feld::Monatslohn, i, e.Monatslohn[j].raw());
        setZahl(Feld::Monate, i, ganzeMonate(e.Monate[j]));
        setZahl(Feld::Urlaubsgeld, i, e.Urlaubsgeld[j].raw());
        setZahl(Feld::Weihnachtsgeld, i, e.Weihnachtsgeld[j].raw());
    }
    setZahl(Feld::Reserviert274, 0, e.Reserviert274);
    for (std::size_t i = 0; i < e.Arbeitgeber.size(); ++i)
        setText(Feld::Namen, i, e.Arbeitgeber[i]);
}

std::array<std::int16_t, 16> Datensatz::ergebniscodes() const
{
    std::array<std::int16_t, 16> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = static_cast<std::int16_t>(zahl(Feld::Ergebniscodes, i));
    return codes;
}

void Datensatz::setErgebniscodes(const std::array<std::int16_t, 16>& codes)
{
    for (std::size_t i = 0; i < codes.size(); ++i)
        setZahl(Feld::Ergebniscodes, i, codes[i]);
}

} // namespace svp::store
