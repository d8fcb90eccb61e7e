#pragma once

#include <csignal>

namespace svp::store {

// Called first thing by every program of the project that writes files. Under a file-size
// limit (ulimit -f, RLIMIT_FSIZE) the system ends a process that writes beyond it with
// SIGXFSZ, and the window would vanish with its unsaved case. Ignored, the signal lets the
// write fail with EFBIG instead, which the save reports ("Datei zu groß") like any other
// failed write, leaving the files as they were. The ignored signal is inherited by programs
// started from here, as the shell's ulimit is.
//
// Inline, so that every program calls it before anything else, without a call into a library.
inline void dateigrenzeAlsFehler()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace svp::store
