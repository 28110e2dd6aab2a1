// devsim: a simulated device on a pseudo-terminal, for running the program
// without hardware. Example:
//
//   mkdir -p /tmp/ports && devsim --link /tmp/ports/COM1 --model 800 &
//   DEVLOADER_PORTS=/tmp/ports devloader
//
// Prints the pty path on one line when ready; serves until SIGINT or SIGTERM,
// then removes the link.

#include "simdevice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

void usage(FILE *to)
{
    std::fputs("usage: devsim [--link PATH] [--model 800|700|erased] [--baud N]\n"
               "              [--status TEXT] [--query-window MS] [--silent]\n"
               "  --link PATH        make PATH a symbolic link to the pty (removed at exit)\n"
               "  --model M          starting memory: 800 or 700 factory image, or erased (all FF)\n"
               "  --baud N           pace every byte at N baud, 10 bits a byte (0 = no pacing)\n"
               "  --status TEXT      the line answered to \"!T\"\n"
               "  --query-window MS  how long a '!' waits for a query letter (default 40)\n"
               "  --silent           answer nothing\n",
               to);
}

} // namespace

int main(int argc, char **argv)
{
    QString link;
    SimDevice::Model model = SimDevice::Model800;
    int baud = 0;
    int window = -1;
    bool silent = false;
    QByteArray status;

    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else if (arg == "--silent") {
            silent = true;
        } else if (arg == "--link" && hasValue) {
            link = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--model" && hasValue) {
            const QByteArray value = argv[++i];
            if (value == "800") {
                model = SimDevice::Model800;
            } else if (value == "700") {
                model = SimDevice::Model700;
            } else if (value == "erased") {
                model = SimDevice::Erased;
            } else {
                std::fprintf(stderr, "devsim: unknown model %s\n", value.constData());
                return 2;
            }
        } else if (arg == "--baud" && hasValue) {
            bool ok = false;
            baud = QByteArray(argv[++i]).toInt(&ok);
            if (!ok || baud < 0) {
                std::fprintf(stderr, "devsim: bad baud rate\n");
                return 2;
            }
        } else if (arg == "--status" && hasValue) {
            status = argv[++i];
        } else if (arg == "--query-window" && hasValue) {
            bool ok = false;
            window = QByteArray(argv[++i]).toInt(&ok);
            if (!ok || window < 0) {
                std::fprintf(stderr, "devsim: bad query window\n");
                return 2;
            }
        } else {
            usage(stderr);
            return 2;
        }
    }

    // Signals are taken with sigwait below, so block them before any thread starts.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimDevice device(model);
    device.setBaud(baud);
    device.setSilent(silent);
    if (window >= 0)
        device.setQueryWindow(window);
    if (!status.isEmpty())
        device.setStatusLine(status);

    QString error;
    if (!device.start(&error)) {
        std::fprintf(stderr, "devsim: %s\n", qPrintable(error));
        return 1;
    }

    const QByteArray linkPath = link.toLocal8Bit();
    if (!link.isEmpty()) {
        // Replace a link left by an earlier run, but never a real file.
        char target[4096];
        if (::readlink(linkPath.constData(), target, sizeof target) >= 0)
            ::unlink(linkPath.constData());
        if (::symlink(device.ptyPath().toLocal8Bit().constData(), linkPath.constData()) != 0) {
            std::fprintf(stderr, "devsim: cannot create link %s: %s\n", linkPath.constData(),
                         std::strerror(errno));
            return 1;
        }
    }

    std::printf("%s\n", qPrintable(device.ptyPath()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);

    if (!link.isEmpty())
        ::unlink(linkPath.constData());
    device.stop();
    return 0;
}
