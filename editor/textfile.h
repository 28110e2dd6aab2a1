#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's own text files: .cfg files (varnidex.dll among them) and the
// handshake presets. Both are lines that a line "---" may end, written in the
// program's code page or UTF-8 (BuildProfile::codePage).
namespace TextFile {

enum class Read {
    Missing, // nothing at the path, also a link that leads nowhere
    Refused, // no regular file, unreadable, or too long without a "---" line
    Done,
};

enum class Blanks { Kept, Removed };

// The lines of the file without their line ends (and without blanks, if so
// asked), up to and including a line "---". At least one line is read; only
// the first 64 KiB are looked at.
Read readLines(const QString &path, QStringList *lines, Blanks blanks = Blanks::Kept);

// Replaces the file with the text, or leaves it as it was and returns false.
bool write(const QString &path, const QString &text);

} // namespace TextFile

#endif // TEXTFILE_H
