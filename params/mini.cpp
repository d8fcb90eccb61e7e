#include "mini.h"

#include "beitragssaetze.h"
#include "fixed_text.h"

#include <utility>

namespace svp::params {

const std::array<const char*, AnzahlLaender> LandNamen = {
    "Baden-Württ.", "Bayern",         "Berlin",           "Brandenburg",      "Bremen",        "Hamburg",
    "Hessen",       "Mecklenb.-Vp.",  "Niedersachsen",    "Nordrhein-Westf.", "Rheinl.-Pfalz", "Saarland",
    "Sachsen",      "Sachsen-Anhalt", "Schleswig-Holst.", "Thüringen",
};

const std::array<const char*, AnzahlMonate> MonatNamen = {
    "JAN.", "FEB.", "MÄRZ", "APRIL", "MAI", "JUNI", "JULI", "AUG.", "SEPT.", "OKT.", "NOV.", "DEZ.",
};

namespace {

// General KV contribution rates by state (rows of the state list) and loader year, in
// hundredths of a percent. 2009 and 2010 share one loader.
enum Ladejahr { J2006, J2007, J2008, J2009, Ladejahre };

constexpr std::array<std::array<std::int16_t, Ladejahre>, AnzahlLaender> KVSaetze = {{
    {1390, 1450, 1450, 1450}, // Baden-Württ.
    {1360, 1450, 1450, 1450}, // Bayern
    {1460, 1580, 1580, 1580}, // Berlin
    {1460, 1580, 1580, 1580}, // Brandenburg
    {1360, 1490, 1490, 1490}, // Bremen
    {1360, 1430, 1430, 1430}, // Hamburg
    {1400, 1430, 1430, 1430}, // Hessen
    {1440, 1490, 1490, 1490}, // Mecklenb.-Vp.
    {1400, 1500, 1580, 1580}, // Niedersachsen (2007: from July see below)
    {1350, 1410, 1410, 1410}, // Nordrhein-Westf.
    {1300, 1380, 1380, 1380}, // Rheinl.-Pfalz
    {1330, 1550, 1550, 1550}, // Saarland (2006: from June see below)
    {1460, 1580, 1580, 1580}, // Sachsen
    {1200, 1290, 1290, 1290}, // Sachsen-Anhalt
    {1350, 1480, 1480, 1480}, // Schleswig-Holst.
    {1440, 1530, 1530, 1530}, // Thüringen
}};

// The rate changes in the middle of a year: from month index `abMonat` on, `satz`.
struct Satzwechsel {
    Ladejahr jahr;
    int zeile;
    int abMonat;
    std::int16_t satz;
};

constexpr std::array<Satzwechsel, 2> Wechsel = {{
    {J2006, 11, 5, 1390}, // Saarland, June 2006
    {J2007, 8, 6, 1580},  // Niedersachsen, July 2007
}};

void jahrLaden(Mini::Tafel& tafel, Ladejahr jahr)
{
    for (int zeile = 0; zeile < AnzahlLaender; ++zeile)
        for (int monat = 0; monat < AnzahlMonate; ++monat)
            tafel[zeile][monat][0] = KVSaetze[zeile][jahr];
    for (const auto& wechsel : Wechsel)
        if (wechsel.jahr == jahr)
            for (int monat = wechsel.abMonat; monat < AnzahlMonate; ++monat)
                tafel[wechsel.zeile][monat][0] = wechsel.satz;
}

// The texts that stay the same in every period, by their codes.
struct CodeText {
    Code code;
    const char* text;
};

constexpr std::array<CodeText, 8> LStTexte = {{
    {lst::KlasseIbisIII, "Lohnsteuer Kl. I - III"},
    {lst::KlasseIV, "Lohnsteuer Kl. IV"},
    {lst::KlasseV, "Lohnsteuer Kl. V"},
    {lst::KlasseVI, "Lohnsteuer Kl. VI"},
    {lst::LautEingabe, "Lohnsteuer lt. Eingabe"},
    {lst::Nichtveranlagung, "Nichtveranlagungsbescheinigung"},
    {lst::Pauschal2, "Pauschalsteuer AG=2%, AN=0%"},
    {lst::Pauschal2AN, "Pauschalsteuer AG=0%, AN=2%"},
}};

// kv::Pauschal is set separately: its text depends on the period.
constexpr std::array<CodeText, 7> KVFesttexte = {{
    {kv::AG10, "KV. AN=0%, AG=10%"},
    {kv::Befreit, "Befreit von der KV-Pflicht"},
    {kv::LautEingabe, "KV-Beitrag laut Eingabe"},
    {kv::ZuschussLautEingabe, "KV-AG-Zuschuß laut Eingabe"},
    {kv::PauschalHaushalt, "KV. AN=0%, AG=5%"},
    {kv::GleitEinzig, "KV-Gleitzone - einzige Beschäftigung"},
    {kv::GleitMehrfach, "KV-Gleitzone lt. bes. Berechnung"},
}};

constexpr std::array<CodeText, 5> PVFesttexte = {{
    {pv::Befreit, "Befreit von der PV-Pflicht"},
    {pv::ZuschussLautEingabe, "Pflegevers.AG-Zusch.lt.Eingabe"},
    {pv::LautEingabe, "Pflegeversicherung lt. Eingabe"},
    {pv::GleitEinzig, "PV-Gleitzone bei einziger Beschäft."},
    {pv::GleitMehrfach, "PV-Gleitzone lt.bes. Berechnung"},
}};

constexpr std::array<CodeText, 7> RVFesttexte = {{
    {rv::Befreit, "Befreit von der RV-Pflicht"},
    {rv::LautEingabe, "Rentenversicherung lt. Eingabe"},
    {rv::GleitEinzigGekuerzt, "RV-Gleitz.-einzige Besch.RV gekürzt"},
    {rv::GleitEinzigVoll, "RV-Gleitz.-einzige Besch.RV voll"},
    {rv::GleitMehrfachGekuerzt, "RV-Gleitz. lt.bes.Ber. RV gekürzt"},
    {rv::GleitMehrfachVoll, "RV-Gleitz. lt.bes.Ber. RV voll"},
    {rv::Haushaltsscheck, "Haushaltsscheckverfahren"},
}};

constexpr std::array<CodeText, 6> AVFesttexte = {{
    {av::LautEingabe, "Arbeitslosenversich. lt.Eingabe"},
    {av::Befreit, "Befreit von der AV-Pflicht"},
    {av::GleitEinzig, "AV-Gleitzone bei einziger Beschäftig."},
    {av::GleitMehrfach, "AV-Gleitzone lt.bes. Berechnung"},
    // The pensioners' lines outside the years of the rates table; within them the year's
    // full and half AV rate (textefuellen).
    {av::RentnerAG, "AV, AN = 0 %, AG = 6,5 %"},
    {av::RentnerAGHalb, "AV, AN = 0 %, AG = 3,25 %§"},
}};

template <std::size_t N, std::size_t M>
void texteSetzen(std::array<std::string, N>& tafel, const std::array<CodeText, M>& texte)
{
    for (const auto& eintrag : texte)
        tafel[static_cast<std::size_t>(eintrag.code)] = fixedText(eintrag.text, TextWidth);
}

template <std::size_t N>
void textSetzen(std::array<std::string, N>& tafel, Code code, const std::string& text)
{
    tafel[static_cast<std::size_t>(code)] = fixedText(text, TextWidth);
}

// The text tables with the texts that are the same in every period (the tables of fixed texts
// and the KV rate lines, whose codes no period text shares); every other entry blank.
struct Festtexte {
    std::array<std::string, lst::Max + 1> LStText;
    std::array<std::string, kv::Max + 1> KVText;
    std::array<std::string, pv::Max + 1> PVText;
    std::array<std::string, rv::Max + 1> RVText;
    std::array<std::string, av::Max + 1> AVText;
    std::array<std::string, hinweis::Max + 1> HinweisText;

    Festtexte()
    {
        const std::string leer(TextWidth, ' ');
        LStText.fill(leer);
        KVText.fill(leer);
        PVText.fill(leer);
        RVText.fill(leer);
        AVText.fill(leer);
        HinweisText.fill(leer);
        texteSetzen(LStText, LStTexte);
        // Two lines per rate from 10 % to 16 % in steps of 0.1 %.
        for (int i = 0; 2 * i + 1 <= kv::LetzterSatzcode; ++i) {
            const std::string satz = Currency::fromRaw((100 + i) * 1000).formatGeneral();
            textSetzen(KVText, static_cast<Code>(2 * i), "KV-Beitrag           " + satz + " % / 2");
            textSetzen(KVText, static_cast<Code>(2 * i + 1), "KV-AG-Zuschuß " + satz + " % / 2");
        }
        texteSetzen(KVText, KVFesttexte);
        texteSetzen(PVText, PVFesttexte);
        texteSetzen(RVText, RVFesttexte);
        texteSetzen(AVText, AVFesttexte);
        textSetzen(HinweisText, hinweis::Zusatzbeitrag, "ggfl. Zusatzbeitr. zu KV und PV");
    }
};

const Festtexte& festtexte()
{
    static const Festtexte texte;
    return texte;
}

} // namespace

Mini::Mini()
{
    // Room for any text of 35 characters in UTF-8, so that building the texts allocates nothing.
    auto leeren = [](auto& tafel) {
        for (std::string& text : tafel) {
            text.reserve(2 * TextWidth);
            text.assign(TextWidth, ' ');
        }
    };
    leeren(LStText);
    leeren(KVText);
    leeren(PVText);
    leeren(RVText);
    leeren(AVText);
    leeren(HinweisText);
}

void Mini::tafel2006()
{
    jahrLaden(Beitragstafel, J2006);
}
void Mini::tafel2007()
{
    jahrLaden(Beitragstafel, J2007);
}
void Mini::tafel2008()
{
    jahrLaden(Beitragstafel, J2008);
}
void Mini::tafel2009()
{
    jahrLaden(Beitragstafel, J2009);
}

void Mini::beitragstafelLaden()
{
    switch (AktJahr) {
    case 2006:
        tafel2006();
        break;
    case 2007:
        tafel2007();
        break;
    case 2008:
        tafel2008();
        break;
    case 2009:
    case 2010:
        tafel2009();
        break;
    default:
        break;
    }
}

std::int16_t Mini::kvSatz(int zeile) const
{
    const int monat = Auswahl[AuswahlMonat];
    if (zeile < 0 || zeile >= static_cast<int>(Beitragstafel.size()) || monat < 0 || monat >= AnzahlMonate)
        return 0;
    return Beitragstafel[static_cast<std::size_t>(zeile)][static_cast<std::size_t>(monat)][0];
}

void Mini::jahreswerte()
{
    // The halves of the rates the contribution amounts take, so that a line and its amount
    // name the same rate. The law's rates have at most two decimals: their halves are exact.
    const Beitragssaetze* s = beitragssaetze(AktJahr, Auswahl[AuswahlMonat]);
    if (s == nullptr)
        return;
    auto haelfte = [](Currency satz) { return Currency::fromRaw(satz.raw() / 2); };
    PVSatzAN = haelfte(s->pvSatz);
    RVSatzAN = haelfte(s->rvSatz);
    AVSatzAN = haelfte(s->avSatz);
}

void Mini::textefuellen()
{
    // The first half of 2006 had the older flat rates of mini jobs (KV 11 %, RV 12 %).
    const bool vor2006 = AktJahr < ErstesJahr;
    const bool ersteHaelfte2006 = AktJahr == ErstesJahr && Auswahl[AuswahlMonat] < 6;
    const Textgrundlage grundlage{vor2006, ersteHaelfte2006, PVSatzAN, RVSatzAN, AVSatzAN};
    if (m_texteFuer == grundlage)
        return;
    if (!m_texteFuer)
        festeTexteSetzen();
    m_texteFuer = grundlage;
    const Currency zwei = Currency::fromWhole(2);

    if (!vor2006)
        textSetzen(KVText, kv::Pauschal, ersteHaelfte2006 ? "KV. AN=0%, AG=11%" : "KV. AN=0%, AG=13%");

    const std::string p = (zwei * PVSatzAN).formatGeneral();
    textSetzen(PVText, pv::Beitrag, "Pflegevers. " + p + " % / 2");
    textSetzen(PVText, pv::Zuschuss, "Pflegevers.AG-Zusch." + p + " % / 2");
    // § 58 Abs. 3 SGB XI: in Sachsen the employee bears 0,5 more than half, the employer so
    // much less.
    const Beitragssaetze* saetze = beitragssaetze(AktJahr, Auswahl[AuswahlMonat]);
    const Currency verschiebung = saetze != nullptr ? saetze->pvSachsen : Currency::fromCents(50);
    const Currency sachsenAN = PVSatzAN + verschiebung;
    const Currency sachsenAG = zwei * PVSatzAN - sachsenAN;
    textSetzen(PVText, pv::Sachsen, "Pfl.vers.Sachsen " + sachsenAN.formatGeneral() + " % von " + p);
    // A share of three decimals needs the shorter wording to fit the line.
    if (sachsenAG.raw() % 100 == 0)
        textSetzen(PVText, pv::SachsenZuschuss,
                   "Pfl.V. Sachs.AG-Zusch. " + sachsenAG.formatGeneral() + " % von " + p);
    else
        textSetzen(PVText, pv::SachsenZuschuss,
                   "Pfl.V.Sachs.AG-Zus. " + sachsenAG.formatGeneral() + " % v. " + p);

    const Currency q = zwei * RVSatzAN;
    textSetzen(RVText, rv::Beitrag, "Rentenvers. " + q.formatGeneral() + " % / 2");
    if (!vor2006) {
        const Currency pauschal = Currency::fromWhole(ersteHaelfte2006 ? 12 : 15);
        textSetzen(RVText, rv::Pauschal, "RV. AN=0%, AG=" + pauschal.formatGeneral() + "%");
        textSetzen(RVText, rv::Aufstockung,
                   "RV. AN=" + (q - pauschal).formatGeneral() + " %, AG = " + pauschal.formatGeneral() +
                       " %");
        // The household pays 5 % in every period (§ 172 Abs. 3a SGB VI); the employee who
        // waives the exemption pays the rest of the full rate (§ 168 Abs. 1 Nr. 1c SGB VI).
        const Currency haushalt = Currency::fromWhole(5);
        textSetzen(RVText, rv::HaushaltAufstockung,
                   "RV. AN=" + (q - haushalt).formatGeneral() + " %, AG = " + haushalt.formatGeneral() +
                       " %");
    }
    textSetzen(RVText, rv::Zuschuss, "Rentenvers. AG-Zuschuß " + q.formatGeneral() + " % / 2");
    textSetzen(RVText, rv::Rentner, "Rentenvers. AN=0 / AG=" + q.formatGeneral() + " % / 2");

    textSetzen(AVText, av::Beitrag, "Arbeitslosenvers. " + (zwei * AVSatzAN).formatGeneral() + " % / 2");
    if (saetze != nullptr) {
        // § 346 Abs. 3 SGB III: the employer's share for pensioners, the year's full and half rate.
        textSetzen(AVText, av::RentnerAG, "AV, AN = 0 %, AG = " + (zwei * AVSatzAN).formatGeneral() + " %");
        textSetzen(AVText, av::RentnerAGHalb, "AV, AN = 0 %, AG = " + AVSatzAN.formatGeneral() + " %§");
    }
}

void Mini::festeTexteSetzen()
{
    // The same for every window: built once, then copied into the room the tables have.
    const Festtexte& f = festtexte();
    LStText = f.LStText;
    KVText = f.KVText;
    PVText = f.PVText;
    RVText = f.RVText;
    AVText = f.AVText;
    HinweisText = f.HinweisText;
}

void Mini::periodeLaden()
{
    beitragstafelLaden();
    jahreswerte();
    textefuellen();
}

void Mini::monatVorbereiten(int jahr, int monat)
{
    Auswahl[AuswahlSteuer] = lst::KlasseIbisIII;
    Auswahl[AuswahlZeile] = 1;
    AktJahr = static_cast<std::int16_t>(jahr);
    Auswahl[AuswahlMonat] = static_cast<std::int16_t>(monat);
    periodeLaden();
}

namespace kv {

Code beitrag(std::int16_t satz)
{
    return static_cast<Code>(mulDivRoundHalfEven(satz - 1000, 1, 5));
}

} // namespace kv

} // namespace svp::params
