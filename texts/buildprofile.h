#ifndef BUILDPROFILE_H
#define BUILDPROFILE_H

#include <QString>

class QCoreApplication;
class QUrl;

// What differs between the English and the Hungarian program besides the
// texts. Each executable links exactly one definition of these.
namespace BuildProfile {

// The help document, relative to the working directory.
QString helpDocument();
// The same document in the working folder as a URL: the target of the
// program's links and of the Contents action.
QUrl helpDocumentUrl();

// The program's Windows 8-bit code page, in which older installs read and
// wrote every file: files are written in it whenever their text fits it, and
// a file that is no valid UTF-8 is read in it.
const char *codePage();

// Widths of the two main-window labels whose captions differ in length.
int labelIp1Width();
int label35Width();

// Installs the build's text set; must run before any window is built.
void installTexts(QCoreApplication *app);

} // namespace BuildProfile

#endif // BUILDPROFILE_H
