// The main window form as other code relies on it: object names, the order in
// which a depth-first walk meets the fields (the .cfg lines and the validators
// follow it), limits, starting states, menus and the device panel's stacking.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "ui_mainwindow.h"

namespace {

template<typename T>
void walk(const QObject *parent, QStringList &names)
{
    for (const QObject *child : parent->children()) {
        if (qobject_cast<const T *>(child))
            names << child->objectName();
        walk<T>(child, names);
    }
}

template<typename T>
QStringList walked(const QObject *parent)
{
    QStringList names;
    walk<T>(parent, names);
    return names;
}

QStringList entries(const QWidget *menuOrBar)
{
    QStringList names;
    for (const QAction *a : menuOrBar->actions())
        names << (a->isSeparator() ? QStringLiteral("-")
                  : a->menu() ? a->menu()->objectName() : a->objectName());
    return names;
}

// Page by page in tab order: the tab widget's own stack does not keep its
// children in page order.
template<typename T>
QStringList walkedPages(const QTabWidget *tabs)
{
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        walk<T>(tabs->widget(i), names);
    return names;
}

} // namespace

class TstMainForm : public QObject
{
    Q_OBJECT

    QMainWindow window;
    Ui_MainWindow ui;

private slots:
    void initTestCase() { ui.setupUi(&window); }

    void windowFrame()
    {
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window.size(), QSize(830, 395));
        QCOMPARE(window.minimumSize(), QSize(830, 395));
        QCOMPARE(window.maximumSize(), QSize(830, 395));
        QCOMPARE(window.font().family(), QStringLiteral("Tahoma"));
        const QPalette pal = window.palette();
        QCOMPARE(pal.color(QPalette::Active, QPalette::Text), QColor(0, 111, 0));
        QCOMPARE(pal.color(QPalette::Inactive, QPalette::Text), QColor(0, 111, 0));
        QCOMPARE(pal.color(QPalette::Disabled, QPalette::Text), QColor(118, 116, 108));
        QCOMPARE(window.centralWidget(), ui.centralWidget);
        QCOMPARE(ui.tabWidget->count(), 6);
        QCOMPARE(ui.tabWidget->currentIndex(), 0);
        const QStringList titles{"General", "Inputs", "Outputs", "GPRS settings", "SMS settings", "Voice settings"};
        const QList<QWidget *> pages{ui.tab, ui.tab_2, ui.tab_3, ui.tab_4, ui.tab_5, ui.tab_6};
        for (int i = 0; i < titles.size(); ++i) {
            QCOMPARE(ui.tabWidget->widget(i), pages.at(i));
            QCOMPARE(ui.tabWidget->tabText(i), titles.at(i));
        }
        // The picture covers the empty right half of the pages.
        const QObjectList central = ui.centralWidget->children();
        QVERIFY(central.indexOf(ui.kep) > central.indexOf(ui.tabWidget));
        QCOMPARE(ui.kep->geometry(), QRect(295, 40, 300, 300));
    }

    void lineEditOrder_data()
    {
        QTest::addColumn<QWidget *>("page");
        QTest::addColumn<QWidget *>("container");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("tab") << ui.tab << ui.g1 << QStringList{
            "keszulek_id", "tesztkod_idokoz", "lead_in", "comm_format", "mid", "end_char", "gprs_mode",
            "bazis_vissza", "sms_voice_vissza", "hscode1", "hscode2", "hscode3", "hscode4"};
        QTest::newRow("tab_2") << ui.tab_2 << ui.g2 << QStringList{
            "auto_test_code", "start_code", "restart_code", "csoportszam", "zonaszam", "kezi_test_code",
            "kezi_test_code_2", "panic_code", "panic_code_2", "be1_code", "be1_code_2", "be2_code", "be2_code_2",
            "be3_code", "be3_code_2", "p_kezi", "p_panic", "p_be1", "p_be2", "p_be3", "p_be2_2", "p_panic_2",
            "p_be1_2", "p_kezi_2", "p_be3_2", "p_start", "p_restart", "p_auto"};
        QTest::newRow("tab_3") << ui.tab_3 << ui.g3 << QStringList{
            "ki1_on", "ki1_off", "ki2_on", "ki2_off", "ki3_on", "ki3_off", "rele_meghuz", "rele_be_cseng",
            "rele_ki_cseng"};
        QTest::newRow("tab_4") << ui.tab_4 << ui.g4 << QStringList{"apn", "ip1", "port1", "ip2", "port2"};
        QTest::newRow("tab_5") << ui.tab_5 << ui.g5 << QStringList{"sms1", "sms2", "sms3", "sms_tiltas", "sms_max"};
        QTest::newRow("tab_6") << ui.tab_6 << ui.g6 << QStringList{"voice1", "voice2"};
    }

    void lineEditOrder()
    {
        QFETCH(QWidget *, page);
        QFETCH(QWidget *, container);
        QFETCH(QStringList, expected);
        // The container is the page's only content, at 5,5 in a bold font.
        QCOMPARE(page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly), QList<QWidget *>{container});
        QCOMPARE(container->pos(), QPoint(5, 5));
        QVERIFY(container->font().bold());
        QCOMPARE(walked<QLineEdit>(page), expected);
        QCOMPARE(walked<QLineEdit>(container), expected);
    }

    void countsAndChannels()
    {
        const QStringList edits = walkedPages<QLineEdit>(ui.tabWidget);
        QCOMPARE(edits.size(), 62);
        QCOMPARE(edits.filter(QRegularExpression("^p_")).size(), 13);
        QCOMPARE(edits.filter(QRegularExpression("^hscode")).size(), 4);
        QCOMPARE(edits.filter(QRegularExpression("^(?!p_|hscode)")).size(), 45); // the .cfg field lines
        QCOMPARE(walkedPages<QComboBox>(ui.tabWidget), (QStringList{"hs_combo", "apnCombo"}));
        QVERIFY(walked<QCheckBox>(&window).isEmpty());
        QCOMPARE(walkedPages<QRadioButton>(ui.tabWidget),
                 (QStringList{"gprs_off", "gprs_on", "sms_off", "sms_on", "voice_off", "voice_on"}));
        QVERIFY(!ui.gprs_off->isChecked() && ui.gprs_on->isChecked());
        QVERIFY(!ui.sms_off->isChecked() && ui.sms_on->isChecked());
        QVERIFY(ui.voice_off->isChecked() && !ui.voice_on->isChecked());
        QVERIFY(ui.gprs_frame->isEnabled() && ui.sms_frame->isEnabled() && !ui.voice_frame->isEnabled());
        QVERIFY(!ui.voice1->isEnabled() && ui.voice1->isEnabledTo(ui.voice_frame));
        QCOMPARE(ui.sms_frame->frameShape(), QFrame::NoFrame);
        QCOMPARE(ui.voice_frame->frameShadow(), QFrame::Plain);

        QCOMPARE(ui.hs_combo->count(), 1);
        QCOMPARE(ui.hs_combo->itemText(0), QStringLiteral("Default"));
        QCOMPARE(ui.apnCombo->count(), 4);
        QCOMPARE(ui.apnCombo->itemText(0), QStringLiteral("T-Mobile"));
        QCOMPARE(ui.apnCombo->itemText(3), QStringLiteral("Other"));
        QCOMPARE(ui.apnCombo->currentIndex(), 0);
        QCOMPARE(ui.label_5->text(), QStringLiteral("Port 1 "));
    }

    void fieldLimitsAndStates()
    {
        struct Field { QLineEdit *edit; int max; const char *text; bool enabled; };
        const Field fields[] = {
            {ui.keszulek_id, 4, "", true},         {ui.tesztkod_idokoz, 3, "", true},
            {ui.lead_in, 9, "0xC4 0xD7", false},   {ui.comm_format, 9, "0x31 0x38", false},
            {ui.mid, 4, "0x34", false},            {ui.end_char, 4, "0x00", false},
            {ui.gprs_mode, 4, "0x04", false},      {ui.bazis_vissza, 2, "", true},
            {ui.hscode1, 3, "100", true},          {ui.hscode2, 3, "64", true},
            {ui.hscode4, 3, "810", true},          {ui.csoportszam, 2, "00", false},
            {ui.zonaszam, 3, "000", false},        {ui.auto_test_code, 3, "", true},
            {ui.kezi_test_code_2, 3, "", false},   {ui.panic_code_2, 3, "", false},
            {ui.p_auto, 1, "6", false},            {ui.p_kezi, 1, "1", false},
            {ui.p_be3_2, 1, "3", false},           {ui.ki3_off, 16, "", true},
            {ui.rele_ki_cseng, 2, "", true},       {ui.apn, 31, "internet", false},
            {ui.ip1, 15, "", true},                {ui.port2, 5, "", true},
            {ui.sms3, 16, "", true},               {ui.sms_tiltas, 3, "", true},
            {ui.sms_max, 2, "", true},             {ui.voice2, 16, "", true},
        };
        for (const Field &f : fields) {
            const QByteArray name = f.edit->objectName().toLatin1();
            QVERIFY2(f.edit->maxLength() == f.max, name);
            QVERIFY2(f.edit->text() == QLatin1String(f.text), name);
            QVERIFY2(f.edit->isEnabledTo(f.edit->parentWidget()) == f.enabled, name);
            QVERIFY2(!f.edit->isReadOnly() && f.edit->inputMask().isEmpty() && !f.edit->validator(), name);
        }
        for (QLabel *l : {ui.label_9, ui.label_10, ui.label_2, ui.label_12, ui.label_3, ui.label_25, ui.label_26})
            QVERIFY2(!l->isEnabled(), qPrintable(l->objectName()));
        QCOMPARE(ui.label_ip1->geometry(), QRect(10, 120, 91, 16));
        QCOMPARE(ui.label_35->geometry(), QRect(10, 140, 116, 16));

        // Only the page containers are bold; the fields are normal, except
        // apnCombo, which sets no font and so shows its container's bold.
        QVERIFY(!ui.keszulek_id->font().bold());
        QVERIFY(!ui.hs_combo->font().bold());
        QVERIFY(!ui.hscode3->font().bold());
        QVERIFY(!ui.label_ip1->font().bold());
        QVERIFY(!ui.gprs_on->font().bold());
        QVERIFY(ui.apnCombo->font().bold());
        QCOMPARE(ui.ip1->font().family(), QStringLiteral("Tahoma"));
    }

    // A label that overlaps a field would hide it or be hidden by it.
    void labelsClearOfFields()
    {
        const QList<QLabel *> labels = ui.tabWidget->findChildren<QLabel *>();
        QVERIFY(labels.size() > 50);
        for (const QLabel *label : labels) {
            const QWidget *parent = label->parentWidget();
            QVERIFY2(parent->rect().contains(label->geometry()), qPrintable(label->objectName()));
            for (const QWidget *sibling : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<const QLabel *>(sibling))
                    continue;
                QVERIFY2(!label->geometry().intersects(sibling->geometry()),
                         qPrintable(label->objectName() + " / " + sibling->objectName()));
            }
        }
    }

    void actionsAndMenus()
    {
        const QStringList actionOrder{
            "actionNew", "actionOpen", "actionSave", "actionExit", "actionPort", "actionBaudrate",
            "action8bit_sum", "action16bit_sum", "actionContent", "actionAbout", "actionReadup",
            "actionDownload", "action24bit_sum", "action32bit_sum", "actionFix", "actionACK", "actionSaveAs",
            "actionCheck", "actionSeparators", "actionUC", "actionVerify", "actionContents",
            "actionFactorydefault"};
        QStringList created;
        for (const QAction *a : window.findChildren<QAction *>(Qt::FindDirectChildrenOnly))
            created << a->objectName();
        QCOMPARE(created, actionOrder);

        const QSet<QString> hidden{"actionNew", "actionSaveAs"};
        const QSet<QString> disabled{"actionNew", "actionSaveAs", "actionACK", "actionCheck", "actionSeparators",
                                     "actionUC", "actionVerify"};
        const QSet<QString> checkable{"action8bit_sum", "action16bit_sum", "action24bit_sum", "action32bit_sum",
                                      "actionFix", "actionCheck"};
        const QHash<QString, QString> shortcuts{
            {"actionNew", "Ctrl+N"}, {"actionOpen", "Ctrl+O"}, {"actionSave", "Ctrl+S"}, {"actionExit", "Ctrl+Q"},
            {"actionReadup", "Ctrl+R"}, {"actionDownload", "Ctrl+D"}, {"actionVerify", "Ctrl+V"},
            {"actionContents", "F1"}};
        for (const QString &name : actionOrder) {
            const QAction *a = window.findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(a->isVisible() != hidden.contains(name), qPrintable(name));
            QVERIFY2(a->isEnabled() != disabled.contains(name), qPrintable(name));
            QVERIFY2(a->isCheckable() == checkable.contains(name) && !a->isChecked(), qPrintable(name));
            QVERIFY2(a->shortcut() == QKeySequence(shortcuts.value(name)), qPrintable(name));
        }
        QCOMPARE(ui.actionVerify->text(), QString::fromUtf8("Betöltés ellenőrzése"));

        QStringList menus;
        for (const QMenu *m : ui.menuBar->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
            if (m->objectName().startsWith("menu"))
                menus << m->objectName();
        QCOMPARE(menus, (QStringList{"menuFile", "menuSettings", "menuHelp", "menuDevice"}));
        QCOMPARE(window.menuBar(), ui.menuBar);
        QCOMPARE(window.statusBar(), ui.statusBar);
        QCOMPARE(entries(ui.menuBar), (QStringList{"menuFile", "menuSettings", "menuDevice", "menuHelp"}));
        QCOMPARE(ui.menuDevice->title(), QStringLiteral("Device"));
        QCOMPARE(entries(ui.menuFile),
                 (QStringList{"actionNew", "actionOpen", "actionSave", "actionSaveAs", "-", "actionExit"}));
        QCOMPARE(entries(ui.menuSettings), QStringList{"actionPort"});
        QCOMPARE(entries(ui.menuDevice),
                 (QStringList{"actionReadup", "-", "actionDownload", "-", "actionFactorydefault"}));
        QCOMPARE(entries(ui.menuHelp), (QStringList{"actionContents", "actionAbout"}));
        for (QAction *loose : {ui.actionBaudrate, ui.action8bit_sum, ui.actionContent, ui.actionFix, ui.actionACK,
                               ui.actionCheck, ui.actionUC, ui.actionVerify})
            QVERIFY2(loose->associatedObjects().isEmpty(), qPrintable(loose->objectName()));
    }

    void devicePanel()
    {
        QStringList stacking;
        for (const QWidget *w : ui.g_eszkoz->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            stacking << w->objectName();
        QCOMPARE(stacking, (QStringList{
            "w_gomb", "button_port", "button_dl", "button_ul", "button_status", "w_ki3", "w_ki2", "label_54",
            "l_service", "terero", "w_ki1", "w_be1", "w_be2", "label_56", "l_terero", "w_be3", "label_58",
            "w_panik", "label_53", "label_55", "label_59"}));
        QCOMPARE(ui.g_eszkoz->geometry(), QRect(620, 25, 196, 323));
        QCOMPARE(ui.g_eszkoz->title(), QStringLiteral("Device"));

        QCOMPARE(ui.button_port->styleSheet(),
                 QStringLiteral("color: rgb(130, 130, 130);\nbackground-color: rgb(255, 222, 55);"));
        QCOMPARE(ui.button_dl->styleSheet(),
                 QStringLiteral("color: rgb(255, 255, 255); \nbackground-color: rgb(190, 50, 50);"));
        QCOMPARE(ui.button_status->styleSheet(),
                 QStringLiteral("color: rgb(255, 255, 255); \nbackground-color: rgb(0, 106, 159);"));
        for (QPushButton *b : {ui.button_port, ui.button_dl, ui.button_ul, ui.button_status})
            QVERIFY(b->font().bold());
        for (QWidget *lamp : {ui.w_ki1, ui.w_ki2, ui.w_ki3, ui.w_be1, ui.w_be2, ui.w_be3, ui.w_gomb, ui.w_panik}) {
            QCOMPARE(lamp->metaObject(), &QWidget::staticMetaObject);
            QCOMPARE(lamp->size(), QSize(16, 16));
            QCOMPARE(lamp->styleSheet(), QStringLiteral("background-color: rgb(180, 180, 180);"));
        }
        QCOMPARE(ui.terero->minimum(), 0);
        QCOMPARE(ui.terero->maximum(), 25);
        QCOMPARE(ui.terero->value(), 0);
        QCOMPARE(ui.terero->orientation(), Qt::Vertical);
        QVERIFY(!ui.terero->isTextVisible());
        QVERIFY(ui.l_service->text().isEmpty());
        QCOMPARE(ui.l_service->font().pointSize(), 10);
        QVERIFY(ui.l_service->font().bold());
        QCOMPARE(ui.label_59->alignment(), Qt::AlignCenter);
    }
};

QTEST_MAIN(TstMainForm)
#include "tst_mainform.moc"
