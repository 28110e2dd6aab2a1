// The main window form as other code relies on it: the order in which a
// depth-first walk meets the fields (the .cfg lines and the validators follow
// it), limits, starting states, menus and the device panel's stacking.
#include <QtTest>

#include "ui_mainwindow.h"

namespace {

template<typename T>
QList<T *> walk(const QObject *parent)
{
    QList<T *> found;
    for (QObject *child : parent->children()) {
        if (auto *t = qobject_cast<T *>(child))
            found << t;
        found << walk<T>(child);
    }
    return found;
}

} // namespace

class TstMainForm : public QObject
{
    Q_OBJECT

    QMainWindow window;
    Ui_MainWindow ui;

private slots:
    void initTestCase() { ui.setupUi(&window); }

    void pages_data()
    {
        // In tab order, named by the tab titles: each line edit as name/maxLength.
        QTest::addColumn<QWidget *>("container");
        QTest::addColumn<QString>("edits");
        QTest::newRow("General") << (QWidget *)ui.g1
            << "keszulek_id/4 tesztkod_idokoz/3 lead_in/9 comm_format/9 mid/4 end_char/4 gprs_mode/4 bazis_vissza/2 "
               "sms_voice_vissza/2 hscode1/3 hscode2/3 hscode3/3 hscode4/3";
        QTest::newRow("Inputs") << (QWidget *)ui.g2
            << "auto_test_code/3 start_code/3 restart_code/3 csoportszam/2 zonaszam/3 kezi_test_code/3 "
               "kezi_test_code_2/3 panic_code/3 panic_code_2/3 be1_code/3 be1_code_2/3 be2_code/3 be2_code_2/3 "
               "be3_code/3 be3_code_2/3 p_kezi/1 p_panic/1 p_be1/1 p_be2/1 p_be3/1 p_be2_2/1 p_panic_2/1 p_be1_2/1 "
               "p_kezi_2/1 p_be3_2/1 p_start/1 p_restart/1 p_auto/1";
        QTest::newRow("Outputs") << (QWidget *)ui.g3
            << "ki1_on/16 ki1_off/16 ki2_on/16 ki2_off/16 ki3_on/16 ki3_off/16 rele_meghuz/2 rele_be_cseng/2 "
               "rele_ki_cseng/2";
        QTest::newRow("GPRS settings") << (QWidget *)ui.g4 << "apn/31 ip1/15 port1/5 ip2/15 port2/5";
        QTest::newRow("SMS settings") << (QWidget *)ui.g5 << "sms1/16 sms2/16 sms3/16 sms_tiltas/3 sms_max/2";
        QTest::newRow("Voice settings") << (QWidget *)ui.g6 << "voice1/16 voice2/16";
    }

    void pages()
    {
        QFETCH(QWidget *, container);
        QFETCH(QString, edits);
        const int index = ui.tabWidget->indexOf(container->parentWidget());
        QCOMPARE(ui.tabWidget->tabText(index), QString::fromUtf8(QTest::currentDataTag()));

        // The validators walk the container: nothing may sit beside it.
        const QList<QLineEdit *> walked = walk<QLineEdit>(ui.tabWidget->widget(index));
        QCOMPARE(walk<QLineEdit>(container), walked);
        QStringList found;
        for (const QLineEdit *edit : walked)
            found << edit->objectName() + '/' + QString::number(edit->maxLength());
        QCOMPARE(found, edits.split(' '));
    }

    // Size, counts, starting states and the device panel's stacking.
    void wholeForm()
    {
        QCOMPARE(window.minimumSize(), QSize(830, 395));
        QCOMPARE(window.maximumSize(), QSize(830, 395));
        QCOMPARE(ui.tabWidget->count(), 6);

        const QList<QLineEdit *> edits = window.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 62);
        QCOMPARE(window.findChildren<QLineEdit *>(QRegularExpression("^p_")).size(), 13);
        QCOMPARE(window.findChildren<QLineEdit *>(QRegularExpression("^hscode")).size(), 4);
        // Protocol constants, group and zone, the second codes, the channel
        // digits and the APN (until "Other" is chosen) are not typed in.
        const QRegularExpression fixed("^(lead_in|comm_format|mid|end_char|gprs_mode|csoportszam|zonaszam|apn"
                                       "|p_.*|.*_code_2)$");
        for (const QLineEdit *edit : edits)
            QVERIFY2(edit->isEnabledTo(edit->parentWidget()) != fixed.match(edit->objectName()).hasMatch(),
                     qPrintable(edit->objectName()));

        QStringList radios; // page by page: the tab widget's stack does not keep page order
        for (int i = 0; i < ui.tabWidget->count(); ++i)
            for (const QRadioButton *radio : walk<QRadioButton>(ui.tabWidget->widget(i)))
                radios << radio->objectName();
        QCOMPARE(radios, (QStringList{"gprs_off", "gprs_on", "sms_off", "sms_on", "voice_off", "voice_on"}));
        QVERIFY(ui.gprs_on->isChecked() && ui.sms_on->isChecked() && ui.voice_off->isChecked());
        QVERIFY(ui.gprs_frame->isEnabled() && ui.sms_frame->isEnabled() && !ui.voice_frame->isEnabled());

        QStringList stacking;
        for (const QWidget *w : ui.g_eszkoz->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            stacking << w->objectName();
        QCOMPARE(stacking, (QStringList{
            "w_gomb", "button_port", "button_dl", "button_ul", "button_status", "w_ki3", "w_ki2", "label_54",
            "l_service", "terero", "w_ki1", "w_be1", "w_be2", "label_56", "l_terero", "w_be3", "label_58",
            "w_panik", "label_53", "label_55", "label_59"}));
        // The picture covers the empty right half of the pages.
        const QObjectList central = ui.centralWidget->children();
        QVERIFY(central.indexOf(ui.kep) > central.indexOf(ui.tabWidget));
    }

    // A label that overlaps a field would hide it or be hidden by it.
    void labelsClearOfFields()
    {
        const QList<QLabel *> labels = ui.tabWidget->findChildren<QLabel *>();
        QVERIFY(labels.size() > 50);
        for (const QLabel *label : labels) {
            const QWidget *parent = label->parentWidget();
            QVERIFY2(parent->rect().contains(label->geometry()), qPrintable(label->objectName()));
            for (const QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(qobject_cast<const QLabel *>(sibling) || !label->geometry().intersects(sibling->geometry()),
                         qPrintable(label->objectName() + " / " + sibling->objectName()));
        }
    }

    void actionsAndMenus()
    {
        // In creation order; "loose" ones stand in no menu.
        const auto flag = [](bool on, const QString &name) { return on ? ' ' + name : QString(); };
        QStringList actions;
        for (const QAction *a : window.findChildren<QAction *>(Qt::FindDirectChildrenOnly))
            actions << a->objectName() + flag(a->associatedObjects().isEmpty(), "loose")
                           + flag(!a->isVisible(), "hidden") + flag(!a->isEnabled(), "off")
                           + flag(a->isCheckable(), "checkable") + flag(a->isChecked(), "checked")
                           + flag(!a->shortcut().isEmpty(), a->shortcut().toString());
        QCOMPARE(actions, (QStringList{
            "actionNew hidden off Ctrl+N", "actionOpen Ctrl+O", "actionSave Ctrl+S", "actionExit Ctrl+Q",
            "actionPort", "actionBaudrate loose", "action8bit_sum loose checkable", "action16bit_sum loose checkable",
            "actionContent loose", "actionAbout", "actionReadup Ctrl+R", "actionDownload Ctrl+D",
            "action24bit_sum loose checkable", "action32bit_sum loose checkable", "actionFix loose checkable",
            "actionACK loose off", "actionSaveAs hidden off", "actionCheck loose off checkable",
            "actionSeparators loose off", "actionUC loose off", "actionVerify loose off Ctrl+V", "actionContents F1",
            "actionFactorydefault"}));
        QCOMPARE(ui.actionVerify->text(), QString::fromUtf8("Betöltés ellenőrzése"));

        QStringList menus; // in menu-bar order, "-" for a separator
        for (const QAction *m : ui.menuBar->actions()) {
            QString entry = m->menu()->objectName() + ':';
            for (const QAction *a : m->menu()->actions())
                entry += ' ' + (a->isSeparator() ? QStringLiteral("-") : a->objectName());
            menus << entry;
        }
        QCOMPARE(menus, (QStringList{"menuFile: actionNew actionOpen actionSave actionSaveAs - actionExit",
                                     "menuSettings: actionPort",
                                     "menuDevice: actionReadup - actionDownload - actionFactorydefault",
                                     "menuHelp: actionContents actionAbout"}));
    }
};

QTEST_MAIN(TstMainForm)
#include "tst_mainform.moc"
