#include "about.h"
#include "buildprofile.h"
#include "help.h"
#include "workfolder.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

// The Hungarian program's own texts in the about box and the help dialog.
class TestDialogsHu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BuildProfile::installTexts(qApp); }

    void aboutAndHelpTexts()
    {
        QWidget parent;
        about box(&parent);
        QCOMPARE(box.windowTitle(), QStringLiteral("Névjegy"));
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("label_v"))->text(),
                 QStringLiteral("Varnidex 700/800 letöltő szoftver v7.04"));
        QVERIFY(box.findChild<QLabel *>(QStringLiteral("label_3"))->text().contains("/Varnidex-help.pdf\""));

        WorkFolder folder; // without the help file
        help dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Help"));
        QCOMPARE(dialog.findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit"))->toPlainText(),
                 QStringLiteral("HIBA: nem lehet megnyitni a help fájlt."));
    }
};

QTEST_MAIN(TestDialogsHu)
#include "tst_dialogs_hu.moc"
