#include "about.h"
#include "help.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "separators.h"
#include "setack.h"
#include "setfix.h"
#include "setuc.h"
#include "workfolder.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// What a layout holds, in order: object names, "spacer" for a spacer item.
QStringList layoutItems(const QLayout *layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        items << (item->widget() ? item->widget()->objectName() : QStringLiteral("spacer"));
    }
    return items;
}

QStringList childNames(const QObject *parent)
{
    QStringList names;
    for (const QObject *child : parent->children())
        if (child->isWidgetType())
            names << child->objectName();
    return names;
}

QPushButton *okButton(const QDialog &dialog)
{
    return dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok);
}

QLineEdit *edit(const QDialog &dialog, const char *name)
{
    return dialog.findChild<QLineEdit *>(QLatin1String(name));
}

void sendLanguageChange(QWidget *widget)
{
    QEvent event(QEvent::LanguageChange);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxesPileUpAsChildren();
    void aboutForm();
    void helpText_data();
    void helpText();
    void helpWithoutFile();
    void singleCharacterDialogs();
    void separatorsNeedBothFields();
    void settingsActionsOpenNothing();
};

void TestDialogs::aboutBoxesPileUpAsChildren()
{
    WorkFolder folder;
    folder.write(QStringLiteral("handshake.dll"), "Default=100,64,100,810\n");
    ModalAnswerer answerer;
    MainWindow w;
    w.show();
    QAction *action = w.findChild<QAction *>(QStringLiteral("actionAbout"));

    action->trigger();
    action->trigger();
    const QList<about *> boxes = w.findChildren<about *>();
    QCOMPARE(boxes.size(), 2);
    for (about *box : boxes) {
        QCOMPARE(box->parentWidget(), &w);
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("Névjegy"));
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("label_v"))->text(),
                 QStringLiteral("Varnidex 700/800 downloader software v7.04"));
    }
    QVERIFY(w.isEnabled());

    // Close only hides: the box stays a child of the window until it goes.
    QTest::mouseClick(boxes[0]->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close), Qt::LeftButton);
    QVERIFY(!boxes[0]->isVisible());
    QVERIFY(boxes[1]->isVisible());
    action->trigger();
    QCOMPARE(w.findChildren<about *>().size(), 3);
    QVERIFY(answerer.boxes.isEmpty());
}

void TestDialogs::aboutForm()
{
    QWidget parent;
    about box(&parent);
    QCOMPARE(box.objectName(), QStringLiteral("about"));
    QCOMPARE(layoutItems(box.findChild<QLayout *>(QStringLiteral("verticalLayout"))),
             (QStringList{"label", "label_3", "spacer", "label_4", "spacer", "label_v", "buttonBox"}));

    auto *link = box.findChild<QLabel *>(QStringLiteral("label_3"));
    QVERIFY(link->openExternalLinks());
    QVERIFY(link->text().contains(QStringLiteral("<a href=\"https://")));
    QVERIFY(box.findChild<QLabel *>(QStringLiteral("label_4"))->openExternalLinks());
    QCOMPARE(box.findChild<QDialogButtonBox *>()->standardButtons(), QDialogButtonBox::Close);

    // A re-translation puts the form's texts back, placeholder included.
    sendLanguageChange(&box);
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("label_v"))->text(), QStringLiteral("Version:"));
    QCOMPARE(box.windowTitle(), QStringLiteral("Névjegy"));
}

void TestDialogs::helpText_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ends at ---, which is shown") << QByteArray("first\r\n\r\nthird\r\n---\r\nhidden\r\n")
                                                 << QStringLiteral("first\n\nthird\n---\n");
    QTest::newRow("no --- line") << QByteArray("one\ntwo") << QStringLiteral("one\ntwo\n");
    QTest::newRow("--- only as part of a line") << QByteArray("a ---\n---x\n") << QStringLiteral("a ---\n---x\n");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("\n");
}

void TestDialogs::helpText()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    WorkFolder folder;
    folder.write(QStringLiteral("wqv_800.hlp"), file);

    help dialog(nullptr);
    auto *view = dialog.findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit"));
    QCOMPARE(view->toPlainText(), shown);
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(view->isReadOnly());
}

void TestDialogs::helpWithoutFile()
{
    WorkFolder folder;
    help dialog(nullptr);
    QCOMPARE(childNames(&dialog), (QStringList{"buttonBox", "plainTextEdit"}));
    QCOMPARE(dialog.minimumSize(), QSize(880, 680));
    QCOMPARE(dialog.maximumSize(), QSize(880, 680));

    auto *view = dialog.findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit"));
    QCOMPARE(view->toPlainText(), QStringLiteral("ERROR: cannot open the help file."));
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(view->isReadOnly());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

void TestDialogs::singleCharacterDialogs()
{
    QWidget parent;
    setFix fix(&parent);
    setAck ack(&parent, 'K');
    setUC uc(&parent, 'u');
    struct Case
    {
        QDialog *dialog;
        QString start;
    };
    for (const Case &c : {Case{&fix, QString()}, Case{&ack, QStringLiteral("K")}, Case{&uc, QStringLiteral("u")}}) {
        QDialog &dialog = *c.dialog;
        const QByteArray name = dialog.metaObject()->className();
        QCOMPARE(dialog.objectName(), QString::fromLatin1(name));
        QCOMPARE(childNames(&dialog), (QStringList{"buttonBox", "horizontalLayoutWidget"}));
        QCOMPARE(layoutItems(dialog.findChild<QLayout *>(QStringLiteral("horizontalLayout"))),
                 (QStringList{"label", "spacer", "i_char"}));

        QLineEdit *field = edit(dialog, "i_char");
        QCOMPARE(field->text(), c.start);
        QCOMPARE(field->maxLength(), 1);
        // Ok starts enabled even over an empty field: only edits move it.
        QVERIFY2(okButton(dialog)->isEnabled(), name);

        field->clear();
        QTest::keyClicks(field, QStringLiteral("xy"));
        QCOMPARE(field->text(), QStringLiteral("x"));
        QVERIFY(okButton(dialog)->isEnabled());
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY2(!okButton(dialog)->isEnabled(), name);
        QTest::keyClicks(field, QStringLiteral("#"));
        QVERIFY(okButton(dialog)->isEnabled());

        // The form's re-translation empties the field, and Ok follows.
        sendLanguageChange(&dialog);
        QVERIFY(field->text().isEmpty());
        QVERIFY(!okButton(dialog)->isEnabled());
    }
}

void TestDialogs::separatorsNeedBothFields()
{
    QWidget parent;
    separators dialog(&parent, ';', ',');
    QCOMPARE(childNames(&dialog), (QStringList{"buttonBox", "horizontalLayoutWidget", "horizontalLayoutWidget_2"}));
    QCOMPARE(layoutItems(dialog.findChild<QLayout *>(QStringLiteral("horizontalLayout"))),
             (QStringList{"label", "spacer", "c_ds"}));
    QCOMPARE(layoutItems(dialog.findChild<QLayout *>(QStringLiteral("horizontalLayout_2"))),
             (QStringList{"label_2", "spacer", "c_us"}));

    QLineEdit *down = edit(dialog, "c_ds");
    QLineEdit *up = edit(dialog, "c_us");
    QCOMPARE(down->text(), QStringLiteral(";"));
    QCOMPARE(up->text(), QStringLiteral(","));
    QCOMPARE(down->maxLength(), 1);
    QCOMPARE(up->maxLength(), 1);
    QVERIFY(okButton(dialog)->isEnabled());

    up->clear();
    QVERIFY(!okButton(dialog)->isEnabled());
    QTest::keyClicks(up, QStringLiteral("|"));
    QVERIFY(okButton(dialog)->isEnabled());
    down->clear();
    QVERIFY(!okButton(dialog)->isEnabled());
    QTest::keyClicks(down, QStringLiteral("ab"));
    QCOMPARE(down->text(), QStringLiteral("a"));
    QVERIFY(okButton(dialog)->isEnabled());

    dialog.show();
    okButton(dialog)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(up->text(), QStringLiteral("|"));
}

void TestDialogs::settingsActionsOpenNothing()
{
    WorkFolder folder;
    folder.write(QStringLiteral("handshake.dll"), "Default=100,64,100,810\n");
    ModalAnswerer answerer;
    MainWindow w;
    w.show();
    for (const char *name : {"actionFix", "actionACK", "actionSeparators", "actionUC"}) {
        auto *action = w.findChild<QAction *>(QLatin1String(name));
        action->setEnabled(true);
        action->trigger();
    }
    QTest::qWait(50);
    QVERIFY(w.findChildren<QDialog *>().isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(answerer.boxes.isEmpty());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
