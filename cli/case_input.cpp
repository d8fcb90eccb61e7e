#include "case_input.h"

#include "json_line_reader.h"
#include "params/utf8.h"
#include "plain_line_reader.h"

namespace svp::cli {

LineError nulByteError(std::size_t position)
{
    return {LineErrorKind::NulByte,
            "Die Zeile enthält ein NUL-Byte (an Stelle " + std::to_string(position + 1) + ")."};
}

KennungStatus checkKennung(std::string_view text)
{
    const std::optional<std::size_t> characters = params::utf8::zeichenzahl(text);
    if (!characters)
        return KennungStatus::NotUtf8;
    return *characters > KennungMaxLength ? KennungStatus::TooLong : KennungStatus::Ok;
}

std::string kennungFault(KennungStatus status)
{
    if (status == KennungStatus::NotUtf8)
        return "kein Text in UTF-8.";
    return "länger als " + std::to_string(KennungMaxLength) + " Zeichen.";
}

CaseInput defaultInput()
{
    CaseInput input;
    for (const KeyRule& rule : Keys)
        input.set(rule.key, rule.defaults);
    return input;
}

bool parseCaseLine(std::string_view line, CaseInput& input, LineError& error)
{
    return parseCaseLinePlain(line, input) || parseCaseLineGeneral(line, input, error);
}

} // namespace svp::cli
