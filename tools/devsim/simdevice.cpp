#include "simdevice.h"

#include "factoryimage.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// ttyspeed.cpp
int ttyOutputSpeed(int fd);
QByteArray ttyLineFormat(int fd);

namespace {

const char Bang = '!';
const char Esc = 0x1B;
const char CR = 0x0D;
const char Tilde = '~';
const char PromptRequest = 'c';
const char ByteRead = '*';
const int MaxLine = 1024;

bool isHex(const QByteArray &text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// Four hex digits at the start of text, or -1.
int address(const QByteArray &text)
{
    if (text.size() < 4 || !isHex(text.left(4)))
        return -1;
    return text.left(4).toInt(nullptr, 16);
}

// What a default device reports on "!T": after a short header the record
// from the last 'I': inputs 1 and the panic input active, outputs 1 and 3
// on, signal strength 0x0E.
QByteArray defaultStatus()
{
    return QByteArrayLiteral("T:")
           + QByteArrayLiteral("I")        // record start
           + QByteArrayLiteral("0110")     // inputs 1-3, panic ('0' = active)
           + QByteArrayLiteral("00")       // not used
           + QByteArrayLiteral("101")      // outputs 1-3 ('1' = on)
           + QByteArrayLiteral("000000")   // not used
           + QByteArrayLiteral("0E")       // signal strength
           + QByteArrayLiteral("0");
}

} // namespace

SimDevice::SimDevice(Model model)
    : status(defaultStatus())
{
    switch (model) {
    case Model800: mem = factoryImageBytes(8); break;
    case Model700: mem = factoryImageBytes(4); break;
    case Erased: mem = QByteArray(MemorySize, char(0xFF)); break;
    }
    mem.resize(MemorySize, char(0xFF));
}

SimDevice::~SimDevice()
{
    stop();
}

bool SimDevice::start(QString *error)
{
    if (running)
        return true;
    char name[256] = {};
    struct termios raw;
    std::memset(&raw, 0, sizeof raw);
    cfmakeraw(&raw);
    cfsetspeed(&raw, B19200);
    raw.c_cflag |= CLOCAL | CREAD;
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // The slave stays open here as well, so the master never sees a hang-up
    // while the program under test has the port closed.
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error)
            *error = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        closePty();
        return false;
    }
    wakeRead = pipeFds[0];
    wakeWrite = pipeFds[1];
    path = QString::fromLocal8Bit(name);
    inClock = outClock = Clock::now();
    dropped = false;
    dropRequested = false;
    running = true;
    worker = std::thread(&SimDevice::serve, this);
    return true;
}

void SimDevice::stop()
{
    if (running.exchange(false)) {
        const char wake = 0;
        (void)!::write(wakeWrite, &wake, 1);
        worker.join();
    }
    closePty();
    if (wakeRead >= 0)
        ::close(wakeRead);
    if (wakeWrite >= 0)
        ::close(wakeWrite);
    wakeRead = wakeWrite = -1;
}

QString SimDevice::ptyPath() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return path;
}

QByteArray SimDevice::memory() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return mem;
}

void SimDevice::setMemory(const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(mutex);
    mem = bytes.left(MemorySize);
    mem.resize(MemorySize, char(0xFF));
}

QByteArray SimDevice::received() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return in;
}

QByteArray SimDevice::sent() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return out;
}

void SimDevice::clearRecords()
{
    std::lock_guard<std::mutex> lock(mutex);
    in.clear();
    inTimes.clear();
    out.clear();
    inSpeeds.clear();
    inFormats.clear();
}

bool SimDevice::waitForReceived(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex);
    return receivedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [&] { return in.size() >= count; });
}

bool SimDevice::waitForAllReceived(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(mutex);
    const int ticket = ++drainAsked;
    wakeServer();
    return receivedChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [&] { return drainAnswered >= ticket; });
}

void SimDevice::answerAllReceived()
{
    int ticket = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (drainAnswered == drainAsked)
            return;
        ticket = drainAsked;
    }
    // poll() first moves what the kernel still holds for the pty into its
    // input queue (FIONREAD does not): no POLLIN means nothing is on its way.
    struct pollfd fd = {master, POLLIN, 0};
    if (master >= 0 && ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN))
        return;  // the next turn reads it
    std::lock_guard<std::mutex> lock(mutex);
    drainAnswered = ticket;
    receivedChanged.notify_all();
}

int SimDevice::itemsAccepted() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return accepted;
}

QMap<int, int> SimDevice::receivedSpeeds() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return inSpeeds;
}

QMap<QByteArray, int> SimDevice::receivedFormats() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return inFormats;
}

SimDevice::Clock::time_point SimDevice::receivedAt(int index) const
{
    std::lock_guard<std::mutex> lock(mutex);
    return inTimes.value(index);
}

void SimDevice::setBaud(int rate)
{
    std::lock_guard<std::mutex> lock(mutex);
    baud = qMax(0, rate);
}

void SimDevice::setQueryWindow(int ms)
{
    std::lock_guard<std::mutex> lock(mutex);
    queryWindowMs = qMax(0, ms);
}

void SimDevice::setStatusLine(const QByteArray &line)
{
    std::lock_guard<std::mutex> lock(mutex);
    status = line;
}

QByteArray SimDevice::statusLine() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return status;
}

void SimDevice::setSilent(bool on)
{
    std::lock_guard<std::mutex> lock(mutex);
    silent = on;
}

void SimDevice::answerItem(int index, const QByteArray &answer, int times)
{
    std::lock_guard<std::mutex> lock(mutex);
    for (int i = 0; i < times; ++i)
        itemAnswers[index].append(answer);
}

void SimDevice::answerRead(quint16 address, const QByteArray &answer)
{
    std::lock_guard<std::mutex> lock(mutex);
    readAnswers[address] = answer;
}

void SimDevice::setSilentAfterItems(int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    silentAfter = count;
}

void SimDevice::setDropAfterItems(int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    dropAfter = count;
}

void SimDevice::setDropDuringRead(quint16 address, int bytes)
{
    std::lock_guard<std::mutex> lock(mutex);
    dropReadAddress = bytes < 0 ? -1 : int(address);
    dropReadBytes = bytes;
}

void SimDevice::keepSending(const QByteArray &command, char byte, int count, int intervalMs)
{
    std::lock_guard<std::mutex> lock(mutex);
    streamCommand = command;
    streamByte = byte;
    streamCount = count;
    streamIntervalMs = qMax(0, intervalMs);
}

void SimDevice::dropLine()
{
    dropRequested = true;
    wakeServer();
}

void SimDevice::wakeServer() const
{
    if (wakeWrite >= 0) {
        const char wake = 0;
        (void)!::write(wakeWrite, &wake, 1);
    }
}

bool SimDevice::lineDropped() const
{
    return dropped;
}

SimDevice::Clock::time_point SimDevice::droppedAt() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return dropTime;
}

int SimDevice::lineSpeed() const
{
    std::lock_guard<std::mutex> lock(mutex);
    // Both sides of a pty share one set of line settings.
    return ttyOutputSpeed(slave);
}

void SimDevice::missPrompts(int count, const QByteArray &chatter)
{
    std::lock_guard<std::mutex> lock(mutex);
    promptMisses = qMax(0, count);
    missChatter = chatter;
    missChatter.replace('>', '.');
}

void SimDevice::failByteRead(quint16 address, int times)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (times > 0)
        byteReadErrors[address] += times;
}

void SimDevice::setTextImage(const QByteArray &image)
{
    std::lock_guard<std::mutex> lock(mutex);
    textImage = image;
}

void SimDevice::setUploadCommand(char command)
{
    std::lock_guard<std::mutex> lock(mutex);
    uploadCommand = command;
}

SimDevice::Clock::duration SimDevice::byteTime() const
{
    std::lock_guard<std::mutex> lock(mutex);
    if (baud <= 0)
        return Clock::duration::zero();
    // Start bit, 8 data bits, stop bit.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / baud));
}

void SimDevice::closePty()
{
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
    master = slave = -1;
}

void SimDevice::drop()
{
    closePty();
    std::lock_guard<std::mutex> lock(mutex);
    dropTime = Clock::now();
    dropped = true;
}

void SimDevice::waitUntil(Clock::time_point when)
{
    while (running && !dropRequested) {
        const Clock::time_point now = Clock::now();
        if (now >= when)
            return;
        std::this_thread::sleep_for(std::min<Clock::duration>(when - now, std::chrono::milliseconds(10)));
    }
}

void SimDevice::serve()
{
    char buffer[512];
    while (running) {
        if (dropRequested && master >= 0)
            drop();
        int timeout = -1;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (bangPending) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(bangDeadline - Clock::now());
                timeout = int(qMax<qint64>(0, left.count()) + 1);
            }
            if (streamLeft != 0)
                timeout = 1;
        }
        struct pollfd fds[2] = {{wakeRead, POLLIN, 0}, {master, POLLIN, 0}};
        const int ready = ::poll(fds, master >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN) {
            while (::read(wakeRead, buffer, sizeof buffer) > 0) {
            }
        }
        if (master >= 0 && (fds[1].revents & POLLIN)) {
            const ssize_t count = ::read(master, buffer, sizeof buffer);
            // Bytes that came together were on the line back to back: pace
            // them from one start time so that sleep overshoot does not add up.
            const Clock::time_point batch = Clock::now();
            const Clock::duration perByte = byteTime();
            for (ssize_t i = 0; i < count && running && !dropRequested; ++i) {
                inClock = std::max(inClock, batch) + perByte;
                waitUntil(inClock);
                int dropAt = -1;
                const QByteArray reply = takeByte(buffer[i], &dropAt);
                sendPaced(reply, dropAt);
            }
        } else if (master >= 0 && (fds[1].revents & (POLLHUP | POLLERR))) {
            // Cannot happen while our own slave is open; do not spin if it does.
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const QByteArray late = expireQueryWindow();
        if (!late.isEmpty())
            sendPaced(late, -1);
        sendStream();
        answerAllReceived();
    }
}

void SimDevice::sendStream()
{
    char byte = 0;
    int intervalMs = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (streamLeft == 0 || muted())
            return;
        byte = streamByte;
        intervalMs = streamIntervalMs;
    }
    Clock::duration perByte = intervalMs > 0 ? Clock::duration(std::chrono::milliseconds(intervalMs)) : byteTime();
    if (perByte == Clock::duration::zero())
        perByte = std::chrono::milliseconds(1);
    const Clock::time_point now = Clock::now();
    // Catch up on a late turn, but send no burst after a pause.
    outClock = std::max(outClock, now - std::max<Clock::duration>(perByte, std::chrono::milliseconds(20)));
    while (running && !dropRequested && master >= 0 && outClock + perByte <= now) {
        // A full line (nobody reads) is tried again on the next turn.
        if (::write(master, &byte, 1) != 1)
            return;
        outClock += perByte;
        std::lock_guard<std::mutex> lock(mutex);
        out.append(byte);
        if (streamLeft > 0 && --streamLeft == 0)
            return;
    }
}

void SimDevice::sendPaced(const QByteArray &bytes, int dropAt)
{
    const Clock::time_point start = Clock::now();
    const Clock::duration perByte = byteTime();
    for (int i = 0; i <= bytes.size() && master >= 0; ++i) {
        if (i == dropAt) {
            // A hang-up discards unread input: let the bytes sent so far
            // reach the reader first. The kernel hands them to the tty a
            // little later, so wait until the input queue has been seen
            // empty twice in a row (half a second at most).
            for (int wait = 0, empty = 0; i > 0 && wait < 50 && empty < 2; ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                int pending = 0;
                const bool drained = ::ioctl(slave, FIONREAD, &pending) != 0 || pending == 0;
                empty = drained ? empty + 1 : 0;
            }
            dropRequested = true;
            break;
        }
        if (i == bytes.size())
            break;
        // Unpaced, a reply goes out in one piece (up to a drop point), as
        // back-to-back bytes reach a reader together: a doubled answer is
        // then waiting as a whole, not half of it.
        const int count = perByte == Clock::duration::zero() ? (dropAt > i ? dropAt : int(bytes.size())) - i : 1;
        outClock = std::max(outClock, start) + perByte;
        waitUntil(outClock);
        if (!running || dropRequested)
            break;
        for (int done = 0; running && done < count;) {
            const ssize_t n = ::write(master, bytes.constData() + i + done, size_t(count - done));
            if (n > 0) {
                done += int(n);
            } else if (errno == EAGAIN || errno == EINTR) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            } else {
                return;
            }
        }
        std::lock_guard<std::mutex> lock(mutex);
        out.append(bytes.mid(i, count));
        i += count - 1;
    }
    if (dropRequested && master >= 0)
        drop();
}

bool SimDevice::muted() const
{
    return silent || (commandMode && silentAfter >= 0 && accepted >= silentAfter);
}

void SimDevice::grantCommandMode()
{
    if (!commandMode) {
        commandMode = true;
        accepted = 0;
    }
}

QByteArray SimDevice::expireQueryWindow()
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!bangPending || Clock::now() < bangDeadline)
        return QByteArray();
    bangPending = false;
    if (muted())
        return QByteArray();
    grantCommandMode();
    return QByteArray(1, Bang);
}

QByteArray SimDevice::takeByte(char c, int *dropAt)
{
    std::lock_guard<std::mutex> lock(mutex);
    in.append(c);
    inTimes.append(Clock::now());
    if (c != Esc) {
        ++inSpeeds[ttyOutputSpeed(slave)];
        ++inFormats[ttyLineFormat(slave)];
    }
    receivedChanged.notify_all();

    QByteArray reply;
    if (bangPending) {
        bangPending = false;
        if (c == 'r' || c == 'T') {
            pendingLine = QByteArray(1, Bang) + c;
            return reply;
        }
        // Anything else: the '!' was a handshake after all.
        if (!muted()) {
            grantCommandMode();
            reply += Bang;
        }
    }

    if (!commandMode) {
        bool taken = false;
        reply += promptDialogue(c, &taken);
        if (taken)
            return reply;
    }

    switch (c) {
    case Esc:
        commandMode = false;
        pendingLine.clear();
        streamLeft = 0;
        break;
    case Bang:
        if (!pendingLine.isEmpty()) {
            pendingLine += c;
        } else if (queryWindowMs > 0) {
            bangPending = true;
            bangDeadline = inClock + std::chrono::milliseconds(queryWindowMs);
        } else if (!muted()) {
            grantCommandMode();
            reply += Bang;
        }
        break;
    case CR: {
        const QByteArray text = pendingLine;
        pendingLine.clear();
        if (text.isEmpty() || muted())
            break;
        if (text == streamCommand) {
            streamLeft = streamCount;
            break;
        }
        if (text.startsWith(Bang))
            reply += queryLine(text);
        else if (text.startsWith(ByteRead))
            reply += byteReadLine(text);
        else if (commandMode)
            reply += commandLine(text, dropAt);
        break;
    }
    default:
        // Outside command mode the device ignores stray bytes.
        if ((commandMode || pendingLine.startsWith(Bang) || pendingLine.startsWith(ByteRead))
            && pendingLine.size() < MaxLine)
            pendingLine += c;
        break;
    }
    return reply;
}

QByteArray SimDevice::promptDialogue(char c, bool *taken)
{
    *taken = true;
    if (uploadPending) {
        uploadPending = false;
        if (c == uploadCommand)
            return muted() ? QByteArray() : textImage;
    }
    if (!pendingLine.isEmpty()) {
        *taken = false;
        return QByteArray();
    }
    switch (c) {
    case Tilde:
        uploadPending = true;
        return QByteArray();
    case PromptRequest:
        if (muted())
            return QByteArray();
        if (promptMisses > 0) {
            --promptMisses;
            return missChatter;
        }
        return QByteArrayLiteral("\r\n>");
    case ByteRead:
        pendingLine = QByteArray(1, c);
        return QByteArray();
    default:
        *taken = false;
        return QByteArray();
    }
}

QByteArray SimDevice::byteReadLine(const QByteArray &text)
{
    // "*br" and four hex digits; anything else goes unanswered.
    if (text.size() != 7 || !text.startsWith("*br"))
        return QByteArray();
    const int at = address(text.mid(3));
    if (at < 0 || at >= MemorySize)
        return QByteArray();
    QByteArray answer = text + "\r\n";
    auto error = byteReadErrors.find(quint16(at));
    if (error != byteReadErrors.end()) {
        if (--*error == 0)
            byteReadErrors.erase(error);
        answer += "Err: read failed";
    } else {
        answer += "mem " + text.mid(3) + " value: 0x" + mem.mid(at, 1).toHex().toUpper();
    }
    return answer.leftJustified(ByteAnswerLength, ' ', true);
}

QByteArray SimDevice::row(int start) const
{
    return mem.mid(start, 16).toHex().toUpper();
}

QByteArray SimDevice::queryLine(const QByteArray &text)
{
    if (text == "!T")
        return status + CR;
    if (text.startsWith("!r") && text.size() == 6) {
        const int start = address(text.mid(2));
        if (start >= 0 && start + 16 <= MemorySize)
            return row(start) + CR;
    }
    return QByteArray();
}

QByteArray SimDevice::commandLine(const QByteArray &text, int *dropAt)
{
    switch (text.at(0)) {
    case 'w':
        return writeLine(text, dropAt);
    case 'r':
        return readLine(text, dropAt);
    case 'T':
        // A status query whose '!' was already taken as a handshake.
        return text == "T" ? status + CR : QByteArray();
    default:
        return QByteArray();
    }
}

QByteArray SimDevice::writeLine(const QByteArray &text, int *dropAt)
{
    if (dropAfter >= 0 && accepted >= dropAfter) {
        *dropAt = 0;
        return QByteArray();
    }
    const int start = address(text.mid(1));
    const QByteArray payload = text.mid(5);
    const bool valid = start >= 0 && payload.size() % 2 == 0 && isHex(payload)
                       && start + payload.size() / 2 <= MemorySize;

    QByteArray answer = valid ? QByteArrayLiteral("O") : QByteArrayLiteral("?");
    auto fault = itemAnswers.find(accepted);
    if (fault != itemAnswers.end() && !fault->isEmpty()) {
        answer = fault->takeFirst();
        if (fault->isEmpty())
            itemAnswers.erase(fault);
    }
    if (valid && answer.contains('O')) {
        const QByteArray bytes = QByteArray::fromHex(payload);
        mem.replace(start, bytes.size(), bytes);
        ++accepted;
    }
    return answer;
}

QByteArray SimDevice::readLine(const QByteArray &text, int *dropAt)
{
    const int start = text.size() == 5 ? address(text.mid(1)) : -1;
    QByteArray answer;
    if (start >= 0 && readAnswers.contains(quint16(start)))
        answer = readAnswers.value(quint16(start));
    else if (start >= 0 && start + 16 <= MemorySize)
        answer = row(start) + CR;
    else
        answer = QByteArrayLiteral("-1\r");
    if (start >= 0 && start == dropReadAddress)
        *dropAt = qMin(dropReadBytes, int(answer.size()));
    return answer;
}
