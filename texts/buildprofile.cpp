#include "buildprofile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>
#include <QUrl>

namespace BuildProfile {

QUrl helpDocumentUrl()
{
    return QUrl::fromLocalFile(QFileInfo(helpDocument()).absoluteFilePath());
}

#ifdef DEVLOADER_HU

QString helpDocument() { return QStringLiteral("Varnidex-help.pdf"); }
const char *codePage() { return "windows-1250"; }
int labelIp1Width() { return 81; }
int label35Width() { return 100; }

void installTexts(QCoreApplication *app)
{
    auto *translator = new QTranslator(app);
    if (translator->load(QStringLiteral(":/i18n/devloader_hu.qm")))
        QCoreApplication::installTranslator(translator);
    else
        qWarning("the Hungarian texts are missing from this build");
}

#else

QString helpDocument() { return QStringLiteral("Varnidex-help-eng.pdf"); }
const char *codePage() { return "windows-1252"; }
int labelIp1Width() { return 91; }
int label35Width() { return 116; }

void installTexts(QCoreApplication *) {}

#endif

} // namespace BuildProfile
