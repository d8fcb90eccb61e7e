#pragma once

#include <array>

namespace svp::test {

// Cases where the rules follow the statute of 2006-2010 on employed pensioners, working students,
// household mini-jobs and later mini-jobs beside a main employment: the inputs of one month and
// the codes (tax, KV, PV, RV, AV) of the column the case is about, with one result text where
// the point is a text. The determination, the batch and the window's controller all run them.
// Minor employments are entered for one month, so each wage is the monthly average.
struct Gesetzesfall {
    const char* name;
    int jahr, monat, land;
    int status, kvStatus;
    bool ueber20, rvVoll;
    int hbEntgelt;
    std::array<int, 2> minijob;   // monthly wages of the first and the later mini-jobs
    std::array<bool, 2> haushalt; // employment in a private household
    int spalte;                   // 0 main employment, 2 first, 3 later mini-jobs
    std::array<int, 5> codes;     // rows 36 to 40 of the column
    int textZeile;                // 0, or the row (37 KV, 39 RV) whose text is asserted
    const char* text;
};

// clang-format off
inline constexpr std::array<Gesetzesfall, 7> Gesetzesfaelle = {{
    // PV follows KV: the pensioner's PV line goes with his KV line. Before: PV 4.
    {"altersrentner_pv_wie_kv", 2008, 7, 0, 7, 0, false, false, 1000, {0, 0}, {false, false}, 0,
     {1, 90, 0, 6, 5}, 0, nullptr},
    // AV free only from 65: the ordinary AV line below it. Before: PV 4, AV 2.
    {"rentner_unter_65_av_pflichtig", 2008, 7, 0, 8, 0, false, false, 1000, {0, 0}, {false, false}, 0,
     {1, 90, 0, 6, 0}, 0, nullptr},
    // A working student up to 20 hours a week is free of AV. Before: AV 0.
    {"werkstudent_av_frei", 2008, 7, 0, 4, 0, false, false, 1000, {0, 0}, {false, false}, 0,
     {1, 123, 4, 0, 2}, 0, nullptr},
    // The household pays 5 % KV for one insured in statutory KV. Codes as before; the text read
    // "KV. AN=0%, AG=0%".
    {"haushalt_kv_fuenf_prozent", 2008, 7, 0, 0, 0, false, false, 1000, {300, 0}, {true, false}, 2,
     {53, 127, 4, 11, 2}, 37, "KV. AN=0%, AG=5%"},
    // Privately insured: no flat KV, the exemption as before.
    {"haushalt_privat_ohne_kv", 2008, 7, 0, 0, 3, false, false, 1000, {300, 0}, {true, false}, 2,
     {53, 123, 4, 11, 2}, 37, "Befreit von der KV-Pflicht"},
    // The household top-up: the full rate less the household's 5 %. Codes as before; the text
    // was blank.
    {"haushalt_aufstockung_text", 2006, 6, 0, 0, 0, false, true, 1000, {300, 0}, {true, false}, 2,
     {53, 127, 4, 12, 2}, 39, "RV. AN=14,5 %, AG = 5 %"},
    // Beside a main employment the later mini-jobs are added to it in KV, PV and RV, even in a
    // household. Before: {53, 127, 4, 11, 2}, the household mini-job lines.
    {"spaeterer_minijob_zur_hauptbeschaeftigung", 2008, 7, 0, 0, 0, false, false, 1000, {300, 50},
     {false, true}, 3, {48, 90, 0, 0, 2}, 0, nullptr},
}};
// clang-format on

} // namespace svp::test
