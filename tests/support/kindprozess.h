#pragma once

#include <functional>
#include <string>

namespace svp::test {

// Runs `aufgabe` in a forked child and returns the text it returned. What the child changes
// about its process (another user, a file-size limit) ends with it. A child that does not come
// back normally gives "<Kindprozess abgebrochen>".
std::string imKindprozess(const std::function<std::string()>& aufgabe);

// In a child process: goes on as an ordinary user who owns `verzeichnis` and everything in it,
// so that permission bits hold even when the tests run as the superuser (who is refused
// nothing by them). The superuser gives the directory to the user "nobody" (65534) and becomes
// that user; anyone else owns the directory already. Returns false when that is not possible.
bool alsGewoehnlicherBenutzer(const std::string& verzeichnis);

} // namespace svp::test
