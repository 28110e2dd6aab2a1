#include "textfile.h"

#include "buildprofile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A configuration is a few hundred bytes, a preset file not much more.
// Reading stops this far into a file, so that a wrong file chosen by mistake
// cannot exhaust memory.
constexpr qint64 readLimit = 64 * 1024;

// A byte-order mark names the encoding; valid UTF-8 is UTF-8; anything else
// is the code page, in which older installs wrote every file.
QString decode(const QByteArray &bytes)
{
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    // Only decoding tells whether the bytes are valid UTF-8.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Built only now: setting up a code page loads its conversion tables.
    QStringDecoder codePage(BuildProfile::codePage());
    return codePage.isValid() ? codePage.decode(bytes) : text;
}

// The code page while every character fits it, so that older installs can
// read the file; else UTF-8, which loses nothing.
QByteArray encode(const QString &text)
{
    QStringEncoder codePage(BuildProfile::codePage());
    if (codePage.isValid()) {
        const QByteArray bytes = codePage.encode(text);
        // The encoder may put 0x1A for a missing character without reporting
        // it, and code-page bytes that happen to form UTF-8 would be read as
        // UTF-8: only what reads back as it was fits.
        if (!codePage.hasError() && decode(bytes) == text)
            return bytes;
    }
    // A leading U+FEFF would be taken for a byte-order mark and dropped,
    // unless a mark stands in front of it.
    QStringEncoder utf8(QStringConverter::Utf8, text.startsWith(QChar::ByteOrderMark)
                                                    ? QStringConverter::Flag::WriteBom
                                                    : QStringConverter::Flag::Default);
    return utf8.encode(text);
}

// The check above and the opening are two steps; a pipe put in the file's
// place between them must not block either, so the opening itself does not
// wait and the opened file is checked again.
bool openRegular(QFile *file)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(file->fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    return file->open(QIODevice::ReadOnly);
#endif
}

} // namespace

namespace TextFile {

Read readLines(const QString &path, QStringList *lines, Blanks blanks)
{
    lines->clear();
    const QFileInfo info(path);
    if (!info.exists())
        return Read::Missing;
    // Opening a named pipe blocks until someone writes to it, and a device
    // or a folder is no file of ours: only regular files (also behind links).
    if (!info.isFile())
        return Read::Refused;

    QFile file(path);
    if (!openRegular(&file))
        return Read::Refused;
    QByteArray bytes = file.read(readLimit);
    if (file.error() != QFileDevice::NoError)
        return Read::Refused;
    // Of a longer file only the whole lines read count, and at least one
    // more line follows them.
    const bool cut = !file.atEnd();
    if (cut)
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    file.close();

    QString text = decode(bytes);
    QTextStream in(&text, QIODevice::ReadOnly);
    do {
        lines->append(in.readLine());
        if (blanks == Blanks::Removed)
            lines->last().remove(QLatin1Char(' '));
        if (lines->constLast() == QLatin1String("---"))
            return Read::Done;
    } while (!in.atEnd());
    if (cut) {
        lines->clear();
        return Read::Refused;
    }
    return Read::Done;
}

bool write(const QString &path, const QString &text)
{
    const QByteArray bytes = encode(text);

    // Written beside the old file and renamed over it only when complete.
    // commit() renames even when buffered data could not be written (a full
    // disk, a file size limit), so every step is checked before it.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && file.error() == QFileDevice::NoError && file.commit())
        return true;
    file.cancelWriting();
    return false;
}

} // namespace TextFile
