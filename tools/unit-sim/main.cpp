// hka2-sim: a simulated HK-A2 / HK-A impedance measuring unit on a pseudo-terminal.

#include "ImpedanceSource.h"
#include "SimOptions.h"
#include "UnitSimulator.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int g_stopPipe[2] = {-1, -1};

void onStopSignal(int)
{
    const char c = 's';
    [[maybe_unused]] const ssize_t n = ::write(g_stopPipe[1], &c, 1);
}

bool installSignals()
{
    if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction sa {
    };
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

// Replaces a stale link from an earlier run, but never a real file.
bool makeLink(const std::string &link, const std::string &target)
{
    struct stat st;
    if (::lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "hka2-sim: %s exists and is not a link\n", link.c_str());
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "hka2-sim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link only while it still points at our terminal.
void removeLink(const std::string &link, const std::string &target)
{
    char buffer[4096];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n > 0 && std::string(buffer, std::size_t(n)) == target)
        ::unlink(link.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    SimOptions options;
    std::string error;
    switch (parseSimOptions(argc, argv, options, error)) {
    case ParseResult::Help:
        std::fputs(simUsage(), stdout);
        return 0;
    case ParseResult::Error:
        std::fprintf(stderr, "hka2-sim: %s\n%s", error.c_str(), simUsage());
        return 2;
    case ParseResult::Run:
        break;
    }

    std::unique_ptr<ImpedanceSource> source;
    if (!options.curveFile.empty()) {
        auto table = std::make_unique<CurveTable>();
        if (!table->load(options.curveFile, error)) {
            std::fprintf(stderr, "hka2-sim: %s\n", error.c_str());
            return 1;
        }
        source = std::move(table);
    } else {
        source = std::make_unique<LoudspeakerModel>(options.driver);
    }

    if (!installSignals()) {
        std::perror("hka2-sim: pipe");
        return 1;
    }
    UnitSimulator unit(options, *source);
    if (!unit.open(error)) {
        std::fprintf(stderr, "hka2-sim: %s\n", error.c_str());
        return 1;
    }
    if (!options.link.empty() && !makeLink(options.link, unit.slavePath()))
        return 1;
    std::printf("%s\n", unit.slavePath().c_str());
    std::fflush(stdout);

    unit.run(g_stopPipe[0]);

    if (!options.link.empty())
        removeLink(options.link, unit.slavePath());
    return 0;
}
