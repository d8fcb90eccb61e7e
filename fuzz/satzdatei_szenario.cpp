#include "satzdatei_szenario.h"

#include "engine/steuerung.h"
#include "params/mini.h"
#include "store/ablage.h"

#include <algorithm>
#include <array>

namespace svp::fuzz {

namespace {

namespace fs = std::filesystem;
using engine::Feld;
using engine::Feldart;
using engine::Steuerung;
using params::AuswahlLand;
using params::AuswahlMonat;
using params::Currency;

constexpr int Maerz = 2;
constexpr int Jahr2007 = 1; // index in the year list

void schreiben(store::Dateien& dateien, const fs::path& pfad, std::span<const std::uint8_t> bytes)
{
    dateien.entfernen(pfad);
    store::Dateien::Anlage anlage = store::Dateien::Anlage::Gescheitert;
    (void)dateien.neuSchreiben(pfad, store::Bytes(bytes.begin(), bytes.end()), std::nullopt, anlage);
}

std::uintmax_t laenge(store::Dateien& dateien, const fs::path& pfad)
{
    store::Eigenschaften e;
    return dateien.eigenschaften(pfad, e) ? 0 : e.laenge;
}

// The inputs of the case as saving takes them, to compare a case before saving with the one
// read back.
struct Eingaben {
    std::array<std::string, 4> Arbeitgeber;
    std::int16_t HBStatus, KVStatus, SchuelerArt, KBArt;
    bool HBUeber20, RVVoll;
    Currency HBEntgelt;
    std::array<bool, 3> KBMerker, Privathaushalt;
    std::array<Currency, 3> Monatslohn, Monate, Urlaubsgeld, Weihnachtsgeld;
    std::int16_t Reserviert274;
    friend bool operator==(const Eingaben&, const Eingaben&) = default;
};

Eingaben eingabenVon(const Steuerung& sv)
{
    const auto& f = sv.fall();
    return {sv.ansicht().Arbeitgeber,
            f.HBStatus,
            f.KVStatus,
            f.SchuelerArt,
            f.KBArt,
            f.HBUeber20,
            f.RVVoll,
            f.HBEntgelt,
            f.KBMerker,
            f.Privathaushalt,
            f.Monatslohn,
            f.Monate,
            f.Urlaubsgeld,
            f.Weihnachtsgeld,
            f.Reserviert274};
}

// Checks the window after each step. The words of a step and of a fault are spelled out only
// when a check fails (a text, or a function that gives it): the fuzzer runs the checks far more
// often than they fail.
class Pruefer
{
public:
    explicit Pruefer(std::vector<std::string>& fehler) : m_fehler(fehler) {}

    template <typename Schritt, typename Was>
    void erwarte(bool bedingung, const Schritt& schritt, const Was& was)
    {
        if (!bedingung)
            m_fehler.push_back(text(schritt) + ": " + text(was));
    }

    // Every selection and every option index in range, and no message: the files are
    // ordinary files in a writable directory, whatever bytes they hold.
    template <typename Schritt> void fenster(Steuerung& sv, const Schritt& schritt)
    {
        const auto& m = sv.mini();
        const auto& a = sv.ansicht();
        const auto& f = sv.fall();
        const int jahr = m.AktJahr;
        const int monat = m.Auswahl[AuswahlMonat];
        const int land = m.Auswahl[AuswahlLand];
        auto zahl = [](const char* was, int wert) { return [=] { return was + std::to_string(wert); }; };
        erwarte(jahr >= params::ErstesJahr && jahr <= params::LetztesJahr, schritt, zahl("Jahr ", jahr));
        erwarte(monat >= 0 && monat <= 11, schritt, zahl("Monat ", monat));
        erwarte(land >= 0 && land <= 15, schritt, zahl("Land ", land));
        erwarte(a.Jahr.selected == jahr - params::ErstesJahr, schritt, "Jahresliste zeigt ein anderes Jahr");
        erwarte(a.Monat.selected == monat, schritt, "Monatsliste zeigt einen anderen Monat");
        erwarte(a.Land.selected == land, schritt, "Länderliste zeigt ein anderes Land");
        erwarte(f.HBStatus >= 0 && f.HBStatus <= 12, schritt, zahl("HBStatus ", f.HBStatus));
        erwarte(f.SchuelerArt >= 0 && f.SchuelerArt <= 3, schritt, zahl("SchuelerArt ", f.SchuelerArt));
        erwarte(f.KVStatus >= 0 && f.KVStatus <= 3, schritt, zahl("KVStatus ", f.KVStatus));
        erwarte(f.KBArt >= 0 && f.KBArt <= 2, schritt, zahl("KBArt ", f.KBArt));
        for (const auto* gruppe : {&a.HBOpt, &a.HBKV, &a.GBKV, &a.Schueler, &a.KBopt})
            erwarte(gruppe->selected >= 0 && gruppe->selected < static_cast<int>(gruppe->captions.size()),
                    schritt, zahl("Optionsgruppe mit Index ", gruppe->selected));
        for (const auto& meldung : sv.nimmMeldungen())
            erwarte(false, schritt,
                    "Meldung " + (meldung.zeilen.empty() ? meldung.titel : meldung.zeilen[0]));
    }

private:
    static std::string text(std::string_view t) { return std::string(t); }
    template <typename F> static auto text(const F& f) -> decltype(f()) { return f(); }

    std::vector<std::string>& m_fehler;
};

// Saves the month shown and reads it back through a month switch: the case must come back as
// it was saved.
void speichernUndZuruecklesen(Steuerung& sv, Pruefer& pruefer, store::Dateien& dateien,
                              const fs::path& verzeichnis, std::string_view schritt)
{
    const Eingaben vorher = eingabenVon(sv);
    const int jahr = sv.mini().AktJahr;
    const int monat = sv.mini().Auswahl[AuswahlMonat];
    sv.Speichern_Click();
    pruefer.fenster(sv, schritt);
    for (int j : {jahr, 2008}) {
        const fs::path datei = verzeichnis / store::Ablage::dateiname(j);
        pruefer.erwarte(laenge(dateien, datei) >= store::SatzLaenge * store::SaetzeProDatei, schritt,
                        [&] { return datei.filename().string() + " hat weniger als zwölf Sätze"; });
    }
    sv.Monat_Click(monat);
    pruefer.fenster(sv, [&] { return std::string(schritt) + ", zurückgelesen"; });
    pruefer.erwarte(eingabenVon(sv) == vorher, schritt, "der gespeicherte Fall kommt anders zurück");
}

} // namespace

std::vector<std::string> satzdateiDurchspielen(store::Dateien& dateien, const fs::path& verzeichnis,
                                               std::span<const std::uint8_t> bytes)
{
    std::vector<std::string> fehler;
    Pruefer pruefer(fehler);

    for (const std::string& name : dateien.namen(verzeichnis))
        dateien.entfernen(verzeichnis / name);
    const std::size_t haelfte = bytes.size() / 2;
    schreiben(dateien, verzeichnis / "SV2008.xyz", bytes);
    schreiben(dateien, verzeichnis / "SV2007.xyz", bytes.first(haelfte));
    schreiben(dateien, verzeichnis / "SV2009.xyz", bytes.subspan(haelfte));
    schreiben(dateien, verzeichnis / "SV2010.xyz", {});

    int startJahr = 0;
    int startLand = 0;
    Eingaben startFall{};
    {
        Steuerung sv(verzeichnis, dateien);
        sv.Form_Load();
        pruefer.fenster(sv, "Start");
        startJahr = sv.mini().AktJahr;
        startLand = sv.mini().Auswahl[AuswahlLand];
        startFall = eingabenVon(sv);
        sv.starten();
        pruefer.fenster(sv, "starten");

        // Every year; in the files that hold the bytes each month that they hold and the one
        // after their end (a new file holds twelve default records: its January is enough).
        const std::array<std::size_t, 5> laengen = {0, haelfte, bytes.size(), bytes.size() - haelfte, 0};
        for (int jahr = 0; jahr <= params::LetztesJahr - params::ErstesJahr; ++jahr) {
            sv.Jahr_Click(jahr);
            auto imJahr = [jahr] { return "Jahr " + std::to_string(params::ErstesJahr + jahr); };
            pruefer.fenster(sv, imJahr);
            const auto saetze = laengen[static_cast<std::size_t>(jahr)] / store::SatzLaenge;
            const int monate = static_cast<int>(std::min<std::size_t>(saetze + 1, store::SaetzeProDatei));
            for (int monat = 0; monat < monate; ++monat) {
                sv.Monat_Click(monat);
                pruefer.fenster(sv, [&] { return imJahr() + ", Monat " + std::to_string(monat); });
            }
        }
    }

    {
        // Nothing saved yet: the window opens as before, and saves what it shows unchanged.
        Steuerung sv(verzeichnis, dateien);
        sv.Form_Load();
        pruefer.fenster(sv, "zweiter Start");
        pruefer.erwarte(sv.mini().AktJahr == startJahr && sv.mini().Auswahl[AuswahlLand] == startLand &&
                            eingabenVon(sv) == startFall,
                        "zweiter Start", "zeigt einen anderen Fall als der erste");
        speichernUndZuruecklesen(sv, pruefer, dateien, verzeichnis, "Speichern nach dem Start");

        sv.Jahr_Click(Jahr2007);
        sv.Monat_Click(Maerz);
        sv.fokusSetzen({Feldart::HBEuro, 0});
        sv.eingeben({Feldart::HBEuro, 0}, Currency::fromCents(123456));
        sv.Taste({Feldart::HBEuro, 0}, engine::TasteEnter);
        pruefer.fenster(sv, "Eingabe im März 2007");
        speichernUndZuruecklesen(sv, pruefer, dateien, verzeichnis, "Speichern im März 2007");
    }

    // The next start opens the year saved last.
    Steuerung neu(verzeichnis, dateien);
    neu.Form_Load();
    pruefer.fenster(neu, "dritter Start");
    pruefer.erwarte(neu.mini().AktJahr == 2007, "dritter Start",
                    "öffnet nicht das zuletzt gespeicherte Jahr 2007");
    return fehler;
}

} // namespace svp::fuzz
