#ifndef SIMDEVICE_H
#define SIMDEVICE_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A simulated alarm communicator on a pseudo-terminal. The program under
// test opens the pty's slave side (usually through a COM name link) and the
// device answers on the master side from its own thread, as the real one
// does: '!' grants command mode, ESC leaves it, "w" lines store bytes and
// are answered 'O' (or '?' when they cannot be parsed), "r" lines answer
// 16 bytes as hex, "!r03E0" and "!T" are answered outside command mode too.
// Outside command mode it also serves the byte-wise prompt dialogue (CR,
// 'c' answered by a '>' prompt, "*br" + four hex digits + CR answered by a
// line ending in the byte as two hex digits) and the text protocol ('~' and
// the upload command answered by the device's text image).
//
// Everything the device receives is recorded. Faults can be injected for
// the tests, and answers can be paced at a baud rate.
//
// All public functions are thread-safe.
class SimDevice
{
public:
    enum Model { Model800, Model700, Erased };

    static constexpr int MemorySize = 0x400;

    explicit SimDevice(Model model = Model800);
    ~SimDevice();
    SimDevice(const SimDevice &) = delete;
    SimDevice &operator=(const SimDevice &) = delete;

    // Opens the pty and starts serving it. False (with a reason) on failure.
    bool start(QString *error = nullptr);
    // Stops serving and closes the pty.
    void stop();
    // The slave side's path, such as /dev/pts/4, after start().
    QString ptyPath() const;

    // --- memory ---
    QByteArray memory() const;
    void setMemory(const QByteArray &bytes);

    // --- what went over the line ---
    QByteArray received() const;  // every byte the device read, in order
    QByteArray sent() const;      // every byte the device wrote, in order
    void clearRecords();
    // Waits until at least count bytes have been received.
    bool waitForReceived(int count, int timeoutMs) const;
    // Waits until the device has taken in every byte written to the line so
    // far: none is still on its way through the pty or being handled. Once
    // the program under test has closed the port, received() is then all it
    // will ever have sent.
    bool waitForAllReceived(int timeoutMs) const;
    // Item lines accepted with 'O' since the device last granted command mode.
    int itemsAccepted() const;
    // How many received bytes arrived at each line speed that the program
    // under test had set (-1 unknown). ESC is not counted: a program closes
    // the port right after its closing ESC, and the close restores the
    // line's former settings before the device may have read that byte.
    QMap<int, int> receivedSpeeds() const;
    // The same for the line format the program had set: data bits, parity
    // (N, E, O, M or S) and stop bits, such as "8N1" (empty: unknown).
    QMap<QByteArray, int> receivedFormats() const;
    // When the device took its index-th received byte (from 0), taken on its
    // own thread, so that a gap between two bytes measures the program under
    // test and not whoever waits for them.
    std::chrono::steady_clock::time_point receivedAt(int index) const;

    // --- behaviour ---
    // Seconds per byte come from baud (10 bits a byte); 0 = no pacing.
    // Incoming bytes are taken at that rate too, so a request and its answer
    // take as long as on a real line.
    void setBaud(int baud);
    // How long a '!' waits for a query letter ('r' or 'T') before it is
    // answered as a handshake. 0 answers at once; queries then come back
    // with the '!' in front.
    void setQueryWindow(int ms);
    // The text answered to "!T" (CR is added).
    void setStatusLine(const QByteArray &line);
    QByteArray statusLine() const;

    // --- faults ---
    // Answer nothing at all.
    void setSilent(bool silent);
    // The next `times` sendings of item `index` (counted by accepted items
    // since command mode was granted) get `answer` instead of the verdict.
    // The item is stored only when the answer holds an 'O'.
    void answerItem(int index, const QByteArray &answer, int times = 1);
    void rejectItem(int index, int times) { answerItem(index, QByteArrayLiteral("?"), times); }
    // "r" of this address answers these bytes (CR not added) instead of the row.
    void answerRead(quint16 address, const QByteArray &answer);
    void failRead(quint16 address) { answerRead(address, QByteArrayLiteral("-1\r")); }
    // After `count` accepted items, answer nothing any more (-1 = never).
    void setSilentAfterItems(int count);
    // Close the pty when the item line after `count` accepted items has
    // arrived, instead of answering it (-1 = never).
    void setDropAfterItems(int count);
    // Close the pty after sending `bytes` bytes of the answer to "r" of
    // this address (-1 = never).
    void setDropDuringRead(quint16 address, int bytes);
    // After the line `command` (CR not included) send `byte` over and over
    // instead of the answer, until ESC comes or `count` bytes went out (-1:
    // no end; an empty command: never). A byte goes out every `intervalMs`
    // when that is set, else at the line's pace or, unpaced, every
    // millisecond.
    void keepSending(const QByteArray &command, char byte, int count = -1, int intervalMs = 0);
    // Close the pty now.
    void dropLine();
    bool lineDropped() const;
    // When the line was dropped (the clock's zero until then).
    std::chrono::steady_clock::time_point droppedAt() const;

    // --- prompt dialogue and text protocol ---
    // The next `count` prompt requests ('c') get `chatter` (which holds no
    // '>') instead of the prompt.
    void missPrompts(int count, const QByteArray &chatter = QByteArray());
    // The next `times` "*br" requests of this address get an "Err" line.
    void failByteRead(quint16 address, int times = 1);
    // What '~' followed by the upload command sends back (nothing by default).
    void setTextImage(const QByteArray &image);
    // The upload command character the device answers (default '{').
    void setUploadCommand(char command);
    // The baud rate the program under test has set on the line (-1 unknown).
    int lineSpeed() const;
    // Every "*br" answer is this long, so a reader that stops at this length
    // needs no time-out.
    static constexpr int ByteAnswerLength = 29;

private:
    using Clock = std::chrono::steady_clock;

    void serve();
    // Both take the lock; the reply they return is sent without it. dropAt
    // is set to the number of reply bytes after which the line drops.
    QByteArray takeByte(char c, int *dropAt);
    QByteArray expireQueryWindow();
    // These run with the lock held.
    QByteArray commandLine(const QByteArray &text, int *dropAt);
    QByteArray queryLine(const QByteArray &text);
    QByteArray writeLine(const QByteArray &text, int *dropAt);
    QByteArray readLine(const QByteArray &text, int *dropAt);
    QByteArray promptDialogue(char c, bool *taken);
    QByteArray byteReadLine(const QByteArray &text);
    QByteArray row(int address) const;
    bool muted() const;
    void grantCommandMode();
    void sendPaced(const QByteArray &bytes, int dropAt);
    void sendStream();
    void waitUntil(Clock::time_point when);
    void closePty();
    // Closes the pty as a fault: the line is gone from now on.
    void drop();
    // Makes serve() take another turn.
    void wakeServer() const;
    void answerAllReceived();
    Clock::duration byteTime() const;

    mutable std::mutex mutex;
    mutable std::condition_variable receivedChanged;
    std::thread worker;
    std::atomic<bool> running{false};
    int master = -1;
    int slave = -1;
    int wakeRead = -1;
    int wakeWrite = -1;
    QString path;

    QByteArray mem;
    QByteArray in;
    QList<Clock::time_point> inTimes;  // one per byte of in
    QByteArray out;
    QMap<int, int> inSpeeds;
    QMap<QByteArray, int> inFormats;
    mutable int drainAsked = 0;  // waitForAllReceived() calls so far
    int drainAnswered = 0;       // the last of them that serve() answered
    int baud = 0;
    int queryWindowMs = 40;
    QByteArray status;

    // Line state.
    bool commandMode = false;
    bool bangPending = false;
    Clock::time_point bangDeadline;
    QByteArray pendingLine;
    int accepted = 0;
    Clock::time_point inClock;
    Clock::time_point outClock;

    // Faults.
    bool silent = false;
    QMap<int, QList<QByteArray>> itemAnswers;
    QMap<quint16, QByteArray> readAnswers;
    int silentAfter = -1;
    int dropAfter = -1;
    int dropReadAddress = -1;
    int dropReadBytes = -1;
    std::atomic<bool> dropRequested{false};
    std::atomic<bool> dropped{false};
    Clock::time_point dropTime;
    QByteArray streamCommand;
    char streamByte = 0;
    int streamCount = -1;
    int streamLeft = 0;  // bytes still to stream; -1 until ESC
    int streamIntervalMs = 0;

    // Prompt dialogue and text protocol.
    bool uploadPending = false;
    char uploadCommand = '{';
    QByteArray textImage;
    int promptMisses = 0;
    QByteArray missChatter;
    QMap<quint16, int> byteReadErrors;
};

#endif // SIMDEVICE_H
