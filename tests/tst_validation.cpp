#include "startedwindow.h"

#include <QTest>

namespace {

const QString onlyNumbers = QStringLiteral("Input Error: Only numbers!");
const QString badPhone = QStringLiteral("Input Error: Please enter a valid telephone number!");
const QString badIp = QStringLiteral("Input Error: Please enter a valid IP address!");
const QString above240 = QStringLiteral("Input Error: Max value: 240");
const QString above255 = QStringLiteral("Input Error: Max value: 255");

using Rule = bool (*)(const QString &);

// Leaving a field: the signal the form connects to the page's validator.
void leave(QLineEdit *edit)
{
    emit edit->editingFinished();
}

} // namespace

Q_DECLARE_METATYPE(Rule)

class TestValidation : public QObject
{
    Q_OBJECT

private slots:
    void textRules_data();
    void textRules();
    void walkOrder_data();
    void walkOrder();
    void testIntervalLimit_data();
    void testIntervalLimit();
    void codeCopiedToOffColumn_data();
    void codeCopiedToOffColumn();
};

void TestValidation::textRules_data()
{
    QTest::addColumn<Rule>("rule");
    QTest::addColumn<QStringList>("good");
    QTest::addColumn<QStringList>("bad");

    QTest::newRow("numeric") << &MainWindow::isNumeric << QStringList{"", " 12 3 "}
                             << QStringList{"12a4", "-1", "+1", "1\t2", QString(QChar(0xFF11)), QString(QChar(0xB2))};
    QTest::newRow("phone") << &MainWindow::isPhoneNumber << QStringList{"", "+36 30 123 4567", "1+2++"}
                           << QStringList{"30-1234567", "+36a"};
    QTest::newRow("ip") << &MainWindow::isIpAddress << QStringList{"", "192.168.1.10", "0.0.255.255"}
                        << QStringList{"192.168.1", "1.2.3.4.5", "1..2.3", "1.2.3.", "1.2.3.256", "1.2.3.-1",
                                       "1.2.3.a"};
    QTest::newRow("hex") << &MainWindow::isHexOrEmpty << QStringList{"", "1aF0"} << QStringList{"12g"};
}

void TestValidation::textRules()
{
    QFETCH(Rule, rule);
    QFETCH(QStringList, good);
    QFETCH(QStringList, bad);
    for (const QString &text : good)
        QVERIFY2(rule(text), qPrintable(text));
    for (const QString &text : bad)
        QVERIFY2(!rule(text), qPrintable(text));
}

void TestValidation::walkOrder_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<QStringList>("messages"); // one per checked field, in form order

    QTest::newRow("General") << "g1" << QStringList{"lead_in", "comm_format", "mid", "end_char", "gprs_mode"}
                             << QStringList(8, onlyNumbers);
    QTest::newRow("Inputs") << "g2" << QStringList{"csoportszam", "zonaszam"} << QStringList(26, onlyNumbers);
    QTest::newRow("Outputs") << "g3" << QStringList{"ki1_on", "ki1_off", "ki2_on", "ki2_off", "ki3_on", "ki3_off"}
                             << QStringList(3, onlyNumbers);
    QTest::newRow("GPRS") << "g4" << QStringList{"apn"} << QStringList{badIp, onlyNumbers, badIp, onlyNumbers};
    QTest::newRow("SMS") << "g5" << QStringList()
                         << QStringList{badPhone, badPhone, badPhone, onlyNumbers, onlyNumbers};
    QTest::newRow("Voice") << "g6" << QStringList() << QStringList(2, badPhone);
}

// Every checked field of a page holds a bad value and leaving the page's last
// one runs its validator: each run reports and empties exactly the first
// field still bad in form order (pinned by the form's own suite), which takes
// the focus; unchecked fields are left alone.
void TestValidation::walkOrder()
{
    QFETCH(QString, page);
    QFETCH(QStringList, unchecked);

    StartedWindow s;
    QStringList fields;
    for (QLineEdit *edit : s.find<QWidget>(page.toLatin1())->findChildren<QLineEdit *>()) {
        const bool checked = !unchecked.contains(edit->objectName());
        edit->setText(checked ? QStringLiteral("x") : QStringLiteral("Ab-1.#"));
        if (checked)
            fields << edit->objectName();
    }

    QStringList reported;
    for (int run = 0; run < fields.size(); ++run) {
        leave(s.edit(fields.last().toLatin1()));
        QCOMPARE(s.answerer.boxes.size(), run + 1);
        QCOMPARE(s.answerer.boxes.last().icon, QMessageBox::Warning);
        for (const QString &name : fields) {
            if (s.edit(name.toLatin1())->text().isEmpty() && !reported.contains(name))
                reported << name;
        }
        QCOMPARE(reported.size(), run + 1);
        QLineEdit *failed = s.edit(reported.last().toLatin1());
        QVERIFY(!failed->isEnabled() || s.window().focusWidget() == failed); // a locked field cannot take it
    }
    QCOMPARE(reported, fields);
    QTEST(s.answerer.summary(), "messages");

    leave(s.edit(fields.last().toLatin1()));
    QCOMPARE(s.answerer.boxes.size(), fields.size());
    for (const QString &name : unchecked)
        QVERIFY2(!s.edit(name.toLatin1())->text().isEmpty(), qPrintable(name));
}

void TestValidation::testIntervalLimit_data()
{
    QTest::addColumn<bool>("unknownModel");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("hscode2");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("intervalAfter");
    QTest::addColumn<QString>("hscode2After");

    QTest::newRow("240 passes") << false << "240" << "64" << QStringList() << "240" << "64";
    QTest::newRow("241") << false << "241" << "64" << QStringList{above240} << "" << "64";
    QTest::newRow("blank inside reads as 0") << false << "2 4" << "64" << QStringList() << "2 4" << "64";
    QTest::newRow("the walk goes on after 240") << false << "300" << "300" << QStringList{above240, above255}
                                                << "" << "";
    QTest::newRow("letters stop the walk") << false << "30x" << "300" << QStringList{onlyNumbers} << "" << "300";
    QTest::newRow("255 passes") << false << "10" << "255" << QStringList() << "10" << "255";
    // A disabled General page lifts the hscode2 limit, not the digit check.
    QTest::newRow("unknown model: 300") << true << "10" << "300" << QStringList() << "10" << "300";
    QTest::newRow("unknown model: letters") << true << "10" << "3x" << QStringList{onlyNumbers} << "10" << "";
}

// The handshake panel is hidden (a preset is chosen) and still limited.
void TestValidation::testIntervalLimit()
{
    QFETCH(bool, unknownModel);
    QFETCH(QString, interval);
    QFETCH(QString, hscode2);
    StartedWindow s;
    QVERIFY(s.find<QWidget>("handshake")->isHidden());
    if (unknownModel) {
        s.window().applyDeviceType(0);
        s.answerer.boxes.clear();
    }
    s.edit("tesztkod_idokoz")->setText(interval);
    s.edit("hscode2")->setText(hscode2);
    leave(s.edit("keszulek_id"));

    QTEST(s.answerer.summary(), "boxes");
    QTEST(s.edit("tesztkod_idokoz")->text(), "intervalAfter");
    QTEST(s.edit("hscode2")->text(), "hscode2After");
}

void TestValidation::codeCopiedToOffColumn_data()
{
    QTest::addColumn<QString>("first"); // the "Off" field is the same name with "_2"
    for (const char *first : {"kezi_test_code", "panic_code", "be1_code", "be2_code", "be3_code"})
        QTest::newRow(first) << QString::fromLatin1(first);
}

void TestValidation::codeCopiedToOffColumn()
{
    QFETCH(QString, first);
    const QString second = first + QStringLiteral("_2");
    StartedWindow s;
    const QStringList seconds = {"kezi_test_code_2", "panic_code_2", "be1_code_2", "be2_code_2", "be3_code_2"};
    for (const QString &name : seconds)
        s.edit(name.toLatin1())->setText(QStringLiteral("999"));
    QLineEdit *code = s.edit(first.toLatin1());

    code->setText(QStringLiteral("123"));
    leave(code);
    QCOMPARE(s.answerer.summary(), QStringList());
    for (const QString &name : seconds)
        QCOMPARE(s.edit(name.toLatin1())->text(), name == second ? QStringLiteral("123") : QStringLiteral("999"));

    // Only a field's own signal copies: a direct call or another field does not.
    code->setText(QStringLiteral("456"));
    s.window().input_g2();
    leave(s.edit("start_code"));
    QCOMPARE(s.edit(second.toLatin1())->text(), QStringLiteral("123"));

    // Nor does its own signal once a field earlier in the walk failed.
    s.edit("auto_test_code")->setText(QStringLiteral("ab"));
    leave(code);
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit(second.toLatin1())->text(), QStringLiteral("123"));
}

QTEST_MAIN(TestValidation)
#include "tst_validation.moc"
