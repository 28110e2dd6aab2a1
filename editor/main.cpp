#include "buildprofile.h"
#include "mainwindow.h"

#include <QApplication>
#include <QFont>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BuildProfile::installTexts(&app);

    // The form asks for Tahoma; where it is missing, a condensed face keeps
    // the longer captions inside their labels.
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"));

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);

    MainWindow window(nullptr);
    window.show();
    return app.exec();
}
