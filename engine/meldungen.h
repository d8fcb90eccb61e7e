#pragma once

#include <string>
#include <vector>

namespace svp::engine {

// What a question about a changed case offers: saving it before it is left ("Speichern",
// "Verwerfen", "Abbrechen"), or only leaving it unsaved ("Verwerfen und beenden", "Abbrechen"),
// when the user has already chosen not to save.
enum class Frageart { SpeichernOderVerwerfen, NurVerwerfen };

// A message box: a title and its lines, shown modal with one OK button and no icon. As a
// question, the buttons of its kind.
struct Meldung {
    std::string titel;
    std::vector<std::string> zeilen;
    Frageart art = Frageart::SpeichernOderVerwerfen;
    friend bool operator==(const Meldung&, const Meldung&) = default;
};

// The answers to the question whether a changed case is to be saved before it is left.
enum class Antwort { Speichern, Verwerfen, Abbrechen };

} // namespace svp::engine

namespace svp::engine::meldung {

// The explanations behind the information icons of the window: a title and its lines.
struct Text {
    const char* titel;
    std::vector<const char*> zeilen;
};

// Icon beside the pupil options: the protection of young workers.
extern const Text Jugendarbeitsschutz;
// Icon LSTinfo with lsthinweis::Lohnsteuerkarte: the flat tax can be avoided with a tax card.
extern const Text Lohnsteuerkarte;
// Icon Lstkurz, and LSTinfo with lsthinweis::Klassenwahl: the tax class must be chosen individually.
extern const Text Lohnsteuerklasse;
// Icons beside "regelmäßig" and "berufsmäßig" of the short-term employment.
extern const Text NichtRegelmaessig;
extern const Text NichtBerufsmaessig;

} // namespace svp::engine::meldung
