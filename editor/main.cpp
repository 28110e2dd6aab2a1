#include "applicationfont.h"
#include "buildprofile.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BuildProfile::installTexts(&app);
    setUpApplicationFont();

    MainWindow window(nullptr);
    window.show();
    return app.exec();
}
