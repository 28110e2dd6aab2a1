#include "ttycalls.h"

#include <QByteArray>

#include <atomic>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <termios.h>
#include <unistd.h>

namespace {

std::atomic<bool> watching{false};
std::mutex guard;
std::map<int, QStringList> openPorts;
QList<QStringList> closed;

template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

enum class Step { Opens, Continues, Closes };

void note(int fd, const QString &token, Step step)
{
    if (!watching)
        return;
    const std::lock_guard<std::mutex> lock(guard);
    auto port = openPorts.find(fd);
    if (port == openPorts.end()) {
        if (step != Step::Opens)
            return;  // not a port
        port = openPorts.emplace(fd, QStringList()).first;
    }
    port->second << token;
    if (step == Step::Closes) {
        closed << port->second;
        openPorts.erase(port);
    }
}

} // namespace

TtyCalls::TtyCalls()
{
    const std::lock_guard<std::mutex> lock(guard);
    openPorts.clear();
    closed.clear();
    watching = true;
}

TtyCalls::~TtyCalls()
{
    watching = false;
}

QList<QStringList> TtyCalls::closedPorts() const
{
    const std::lock_guard<std::mutex> lock(guard);
    return closed;
}

extern "C" {

int tcsetattr(int fd, int action, const struct termios *settings) __THROW
{
    static const auto real = next<int (*)(int, int, const struct termios *)>("tcsetattr");
    note(fd, QStringLiteral("set"), Step::Opens);
    return real(fd, action, settings);
}

int tcdrain(int fd)
{
    static const auto real = next<int (*)(int)>("tcdrain");
    const int result = real(fd);
    note(fd, QStringLiteral("drain"), Step::Continues);
    return result;
}

ssize_t write(int fd, const void *bytes, size_t count)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const ssize_t written = real(fd, bytes, count);
    if (written > 0 && watching) {
        const QByteArray sent(static_cast<const char *>(bytes), int(written));
        note(fd, QStringLiteral("write ") + QString::fromLatin1(sent.toHex(' ').toUpper()), Step::Continues);
    }
    return written;
}

int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    note(fd, QStringLiteral("close"), Step::Closes);
    return real(fd);
}

} // extern "C"
