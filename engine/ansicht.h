#pragma once

#include "params/currency.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace svp::engine {

using params::Currency;

// What the window shows, without a toolkit: the visibility, caption and value of every
// control that the logic names. The window draws this state and forwards its events; the
// determination and the handlers change it. A fresh Ansicht is a freshly created window:
// every control visible, the captions of the layout.
struct Control {
    bool visible = true;
    std::string caption;
};

struct CheckBox {
    bool visible = true;
    std::string caption;
    bool checked = false;
};

struct NumberField {
    bool visible = true;
    Currency value;
    // The text the user is typing and has not yet taken (by Enter or by leaving the field); the
    // field shows it as typed. `value` is what it means, or the value the field had when it
    // was entered while the text means no amount.
    std::optional<std::string> eingabe;
    // Why the typed text is not taken (empty when it is): the field shows it as invalid.
    std::string fehler;
};

struct OptionGroup {
    std::vector<std::string> captions;
    int selected = 0;
};

struct ListBox {
    std::vector<std::string> entries;
    int selected = -1;
};

struct Ansicht {
    Ansicht();

    // Lists of the top row.
    ListBox Jahr;
    ListBox Monat;
    ListBox Land;

    // Column panels HB(0..3) with their headings; HB(1) changes its caption.
    std::array<Control, 4> HB;
    std::array<std::string, 4> Arbeitgeber; // employer name of each column

    // Main employment.
    OptionGroup HBOpt;
    Control KVTafel; // frame "Krankenversicherung"
    OptionGroup HBKV;
    Control Schuelertafel; // frame "Arbeitsumfang"
    OptionGroup Schueler;
    CheckBox HR;
    CheckBox HBCheck;
    Control SVEntgelt; // panel with the pay field
    NumberField HBEuro;

    // Short-term employment.
    OptionGroup KBopt;
    std::array<CheckBox, 3> KBCheck;
    std::array<Control, 3> KBCheckB; // information icons 0 and 2 (1 does not exist)

    // Shared health-insurance panel of the minor employments.
    Control GKVtraeger;
    OptionGroup GBKV;
    std::array<CheckBox, 2> GBCheck; // only index 1 exists

    // Minor employments, index 1 and 2.
    std::array<CheckBox, 3> priv;
    std::array<Control, 3> GBGrenze;
    std::array<NumberField, 3> loh;
    std::array<NumberField, 3> Mon;
    std::array<NumberField, 3> Url;
    std::array<NumberField, 3> Wei;
    std::array<NumberField, 3> AllMo;
    std::array<NumberField, 3> Jasum;
    std::array<NumberField, 3> Modurch;
    Control deckel2; // cover over the inputs of the later mini-jobs

    // Result panels.
    std::array<Control, 4> vielleicht; // overlay with a message over each result panel
    Control LSTinfo;
    Control Lstkurz;
    // Result labels SVH, SVK, SV1, SVW: [column][row - 36].
    std::array<std::array<std::string, 6>, 4> Ergebnistext;
};

// Captions of the window that never change.
namespace caption {
inline constexpr const char* Fenster = "Bestimmung der Sozialversicherungspflicht";
inline constexpr const char* Ergebnisse = "E r g e b n i s s e";
inline constexpr const char* Entgeltgeringfuegig = "Entgeltgeringfügige Beschäftigungen";
inline constexpr const char* Zeitgeringfuegig = "Zeitgeringfügige Beschäftigung";
inline constexpr const char* VerzichtRV = "Verzicht auf Befreiung in der RV";
inline constexpr const char* VerzichtBefreiung = "Verzicht auf die Beitrags- Befreiung in der RV";
inline constexpr const char* GleitzoneVoll = "AN zahlt auch in der Gleitzone die vollen RV-Beiträge";
} // namespace caption

} // namespace svp::engine
