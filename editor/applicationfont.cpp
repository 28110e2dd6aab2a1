#include "applicationfont.h"

#include <QApplication>
#include <QFont>

void setUpApplicationFont()
{
    // The form asks for Tahoma; where it is missing, a condensed face keeps
    // the longer captions inside their labels.
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);
}
