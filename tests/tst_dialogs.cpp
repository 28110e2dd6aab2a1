#include "about.h"
#include "help.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "separators.h"
#include "setack.h"
#include "setfix.h"
#include "setuc.h"
#include "startedwindow.h"
#include "ui_setcom.h"
#include "waits.h"
#include "workfolder.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

namespace {

void sendLanguageChange(QWidget *widget)
{
    QEvent event(QEvent::LanguageChange);
    QCoreApplication::sendEvent(widget, &event);
}

QString versionLine(const about *box)
{
    return box->findChild<QLabel *>(QStringLiteral("label_v"))->text();
}

// The file that a label's link opens, canonical; empty when it names none.
QString linkedFile(const QLabel *label)
{
    const QRegularExpressionMatch href = QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).match(label->text());
    return label->openExternalLinks() && href.hasMatch()
        ? QFileInfo(QUrl(href.captured(1)).toLocalFile()).canonicalFilePath()
        : QString();
}

using MakeDialog = QDialog *(*)(QWidget *parent);

} // namespace

Q_DECLARE_METATYPE(MakeDialog)

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void fromTheMainWindow()
    {
        // Past its start-up load, which would show a box of its own in the middle of the test.
        StartedWindow started;
        QCOMPARE(started.startupBoxes, QStringList());
        started.folder.copyData(QStringLiteral("Varnidex-help-eng.pdf"));
        const QString document =
            QFileInfo(started.folder.filePath(QStringLiteral("Varnidex-help-eng.pdf"))).canonicalFilePath();
        const ModalAnswerer &answerer = started.answerer;
        MainWindow &w = started.window();
        w.show();
        // The status bar's notice links to the help document.
        QCOMPARE(linkedFile(w.statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).value(2)), document);

        // About twice: two boxes side by side, neither modal.
        QAction *action = w.findChild<QAction *>(QStringLiteral("actionAbout"));
        action->trigger();
        action->trigger();
        const QList<about *> boxes = w.findChildren<about *>();
        QCOMPARE(boxes.size(), 2);
        for (about *box : boxes) {
            QVERIFY(box->parentWidget() == &w && box->isVisible() && !box->isModal());
            QCOMPARE(box->windowTitle(), QStringLiteral("Névjegy"));
            QCOMPARE(versionLine(box), QStringLiteral("Varnidex 700/800 downloader software v7.04"));
        }
        auto *link = boxes[0]->findChild<QLabel *>(QStringLiteral("label_3"));
        QCOMPARE(linkedFile(link), document);

        // A re-translation puts the form's placeholder back in that box only.
        sendLanguageChange(boxes[0]);
        QCOMPARE(versionLine(boxes[0]), QStringLiteral("Version:"));
        QCOMPARE(versionLine(boxes[1]), QStringLiteral("Varnidex 700/800 downloader software v7.04"));

        // Close only hides: the box stays a child of the window until it goes.
        QTest::mouseClick(boxes[0]->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close), Qt::LeftButton);
        QVERIFY(!boxes[0]->isVisible() && boxes[1]->isVisible());
        action->trigger();
        QCOMPARE(w.findChildren<about *>().size(), 3);

        // The settings actions are disabled and lead nowhere even when enabled.
        for (const char *name : {"actionFix", "actionACK", "actionSeparators", "actionUC"}) {
            auto *settings = w.findChild<QAction *>(QLatin1String(name));
            settings->setEnabled(true);
            settings->trigger();
        }
        // Whatever they queued has run once a call queued after it has.
        bool queuedRan = false;
        QMetaObject::invokeMethod(&w, [&queuedRan] { queuedRan = true; }, Qt::QueuedConnection);
        QVERIFY(QTest::qWaitFor([&queuedRan] { return queuedRan; }, MustComeMs));
        QCOMPARE(w.findChildren<QDialog *>().size(), 3);
        QVERIFY(answerer.boxes.isEmpty());
    }

    void portDialogLabelsShowWhole()
    {
        QDialog dialog;
        Ui_setcom form;
        form.setupUi(&dialog);
        for (const QLabel *label : {form.l_com, form.l_baud})
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
    }

    void helpText_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown");

        QTest::newRow("--- ends it, shown") << true << QByteArray("first\r\n\r\nthird\r\n---\r\nhidden\r\n")
                                            << QStringLiteral("first\n\nthird\n---\n");
        QTest::newRow("no --- line") << true << QByteArray("one\ntwo") << QStringLiteral("one\ntwo\n");
        QTest::newRow("--- in a line") << true << QByteArray("a ---\n---x\n") << QStringLiteral("a ---\n---x\n");
        QTest::newRow("empty file") << true << QByteArray() << QStringLiteral("\n");
        QTest::newRow("no file") << false << QByteArray() << QStringLiteral("ERROR: cannot open the help file.");
    }

    void helpText()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, file);
        WorkFolder folder;
        if (present)
            folder.write(QStringLiteral("wqv_800.hlp"), file);

        help dialog(nullptr);
        auto *view = dialog.findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit"));
        QTEST(view->toPlainText(), "shown");
        QVERIFY(view->isReadOnly());
        // The document keeps its lines; the error message wraps.
        QCOMPARE(view->lineWrapMode(), present ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    }

    void okNeedsEveryField_data()
    {
        QTest::addColumn<MakeDialog>("make");
        QTest::addColumn<QStringList>("fields"); // name=starting text

        QTest::newRow("setFix") << MakeDialog([](QWidget *p) -> QDialog * { return new setFix(p); })
                                << QStringList{"i_char="};
        QTest::newRow("setAck") << MakeDialog([](QWidget *p) -> QDialog * { return new setAck(p, 'K'); })
                                << QStringList{"i_char=K"};
        QTest::newRow("setUC") << MakeDialog([](QWidget *p) -> QDialog * { return new setUC(p, 'u'); })
                               << QStringList{"i_char=u"};
        QTest::newRow("separators") << MakeDialog([](QWidget *p) -> QDialog * { return new separators(p, ';', ','); })
                                    << QStringList{"c_ds=;", "c_us=,"};
    }

    void okNeedsEveryField()
    {
        QFETCH(MakeDialog, make);
        QFETCH(QStringList, fields);
        QWidget parent;
        QDialog *dialog = make(&parent);
        QPushButton *ok = dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QList<QLineEdit *> edits;
        for (const QString &field : fields) {
            edits << dialog->findChild<QLineEdit *>(field.section('=', 0, 0));
            QCOMPARE(edits.last()->text(), field.section('=', 1));
        }
        QVERIFY(ok->isEnabled()); // even over an empty field: only edits move Ok

        for (QLineEdit *edit : edits) {
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("xy"));
            QCOMPARE(edit->text(), QStringLiteral("x")); // one character at most
            QTest::keyClick(edit, Qt::Key_Backspace);
            QVERIFY2(!ok->isEnabled(), qPrintable(edit->objectName()));
            QTest::keyClicks(edit, QStringLiteral("#"));
            QVERIFY(ok->isEnabled());
        }

        // The form's re-translation empties the fields, and Ok follows.
        sendLanguageChange(dialog);
        for (QLineEdit *edit : edits)
            QVERIFY(edit->text().isEmpty());
        QVERIFY(!ok->isEnabled());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
