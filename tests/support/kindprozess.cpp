#include "kindprozess.h"

#include <cerrno>
#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace svp::test {

namespace {

constexpr uid_t Niemand = 65534;

} // namespace

std::string imKindprozess(const std::function<std::string()>& aufgabe)
{
    int rohr[2];
    if (::pipe(rohr) != 0)
        return "<pipe>";
    const pid_t pid = ::fork();
    if (pid < 0)
        return "<fork>";
    if (pid == 0) {
        ::close(rohr[0]);
        const std::string text = aufgabe();
        std::size_t geschrieben = 0;
        while (geschrieben < text.size()) {
            const ssize_t n = ::write(rohr[1], text.data() + geschrieben, text.size() - geschrieben);
            if (n <= 0)
                break;
            geschrieben += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(rohr[1]);
    std::string text;
    char puffer[512];
    for (;;) {
        const ssize_t n = ::read(rohr[0], puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(puffer, static_cast<std::size_t>(n));
    }
    ::close(rohr[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<Kindprozess abgebrochen>";
    return text;
}

bool alsGewoehnlicherBenutzer(const std::string& verzeichnis)
{
    if (::geteuid() != 0)
        return true;
    namespace fs = std::filesystem;
    if (::lchown(verzeichnis.c_str(), Niemand, Niemand) != 0)
        return false;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(verzeichnis, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (::lchown(it->path().c_str(), Niemand, Niemand) != 0)
            return false;
    }
    return !ec && ::setgroups(0, nullptr) == 0 && ::setgid(Niemand) == 0 && ::setuid(Niemand) == 0 &&
           ::geteuid() == Niemand;
}

} // namespace svp::test
