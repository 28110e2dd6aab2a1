#include "startedwindow.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTest>

namespace {

const QString onlyNumbers = QStringLiteral("Input Error: Only numbers!");
const QString badPhone = QStringLiteral("Input Error: Please enter a valid telephone number!");
const QString badIp = QStringLiteral("Input Error: Please enter a valid IP address!");
const QString above240 = QStringLiteral("Input Error: Max value: 240");
const QString above255 = QStringLiteral("Input Error: Max value: 255");

using Validator = void (MainWindow::*)();

// Leaving a field: the signal the form connects to the page's validator.
void leave(QLineEdit *edit)
{
    emit edit->editingFinished();
}

} // namespace

Q_DECLARE_METATYPE(Validator)

class TestValidation : public QObject
{
    Q_OBJECT

private slots:
    void textRules_data();
    void textRules();
    void walkOrder_data();
    void walkOrder();
    void failureReport();
    void testIntervalLimit_data();
    void testIntervalLimit();
    void handshakeLimit();
    void codeCopiedToOffColumn_data();
    void codeCopiedToOffColumn();
    void noCopyAfterFailure();
    void groupAndZoneUnchecked();
    void uncheckedTextFields();
};

void TestValidation::textRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");

    QTest::newRow("numeric empty") << "numeric" << "" << true;
    QTest::newRow("numeric digits and blanks") << "numeric" << " 12 3 " << true;
    QTest::newRow("numeric letter") << "numeric" << "12a4" << false;
    QTest::newRow("numeric minus") << "numeric" << "-1" << false;
    QTest::newRow("numeric plus") << "numeric" << "+1" << false;
    QTest::newRow("numeric tab") << "numeric" << "1\t2" << false;
    QTest::newRow("numeric full-width digit") << "numeric" << QString(QChar(0xFF11)) << false;
    QTest::newRow("numeric superscript two") << "numeric" << QString(QChar(0xB2)) << false;
    QTest::newRow("phone empty") << "phone" << "" << true;
    QTest::newRow("phone international") << "phone" << "+36 30 123 4567" << true;
    QTest::newRow("phone plus anywhere") << "phone" << "1+2++" << true;
    QTest::newRow("phone hyphen") << "phone" << "30-1234567" << false;
    QTest::newRow("phone letter") << "phone" << "+36a" << false;
    QTest::newRow("ip empty") << "ip" << "" << true;
    QTest::newRow("ip private") << "ip" << "192.168.1.10" << true;
    QTest::newRow("ip limits") << "ip" << "0.0.255.255" << true;
    QTest::newRow("ip three parts") << "ip" << "192.168.1" << false;
    QTest::newRow("ip five parts") << "ip" << "1.2.3.4.5" << false;
    QTest::newRow("ip empty part") << "ip" << "1..2.3" << false;
    QTest::newRow("ip trailing dot") << "ip" << "1.2.3." << false;
    QTest::newRow("ip 256") << "ip" << "1.2.3.256" << false;
    QTest::newRow("ip negative") << "ip" << "1.2.3.-1" << false;
    QTest::newRow("ip hex part") << "ip" << "1.2.3.a" << false;
    QTest::newRow("hex empty") << "hex" << "" << true;
    QTest::newRow("hex upper and lower") << "hex" << "1aF0" << true;
    QTest::newRow("hex not") << "hex" << "12g" << false;
}

void TestValidation::textRules()
{
    QFETCH(QString, rule);
    QFETCH(QString, text);
    QFETCH(bool, passes);

    bool result = false;
    if (rule == QLatin1String("numeric"))
        result = MainWindow::isNumeric(text);
    else if (rule == QLatin1String("phone"))
        result = MainWindow::isPhoneNumber(text);
    else if (rule == QLatin1String("ip"))
        result = MainWindow::isIpAddress(text);
    else
        result = MainWindow::isHexOrEmpty(text);
    QCOMPARE(result, passes);
}

void TestValidation::walkOrder_data()
{
    QTest::addColumn<Validator>("validator");
    QTest::addColumn<QStringList>("checked"); // field=bad text, in the order they must be reported
    QTest::addColumn<QStringList>("messages");

    const auto repeated = [](const QString &message, int count) {
        QStringList messages;
        for (int i = 0; i < count; ++i)
            messages << message;
        return messages;
    };

    QTest::newRow("General") << &MainWindow::input_g1
                             << QStringList{"keszulek_id=x", "tesztkod_idokoz=x", "bazis_vissza=x",
                                            "sms_voice_vissza=x", "hscode1=x", "hscode2=x", "hscode3=x",
                                            "hscode4=x"}
                             << repeated(onlyNumbers, 8);
    QStringList inputs = {"auto_test_code", "start_code", "restart_code", "kezi_test_code", "kezi_test_code_2",
                          "panic_code", "panic_code_2", "be1_code", "be1_code_2", "be2_code", "be2_code_2",
                          "be3_code", "be3_code_2", "p_kezi", "p_panic", "p_be1", "p_be2", "p_be3", "p_be2_2",
                          "p_panic_2", "p_be1_2", "p_kezi_2", "p_be3_2", "p_start", "p_restart", "p_auto"};
    for (QString &field : inputs)
        field += QStringLiteral("=x");
    QTest::newRow("Inputs") << &MainWindow::input_g2 << inputs << repeated(onlyNumbers, int(inputs.size()));
    QTest::newRow("Outputs") << &MainWindow::input_g3
                             << QStringList{"rele_meghuz=x", "rele_be_cseng=x", "rele_ki_cseng=x"}
                             << repeated(onlyNumbers, 3);
    QTest::newRow("GPRS") << &MainWindow::input_g4 << QStringList{"ip1=1.2.3", "port1=80a", "ip2=1..2.3", "port2=-"}
                          << QStringList{badIp, onlyNumbers, badIp, onlyNumbers};
    QTest::newRow("SMS") << &MainWindow::input_g5
                         << QStringList{"sms1=a", "sms2=30-1", "sms3=x", "sms_tiltas=1x", "sms_max=x"}
                         << QStringList{badPhone, badPhone, badPhone, onlyNumbers, onlyNumbers};
    QTest::newRow("Voice") << &MainWindow::input_g6 << QStringList{"voice1=a", "voice2=1-2"}
                           << repeated(badPhone, 2);
}

// Every checked field of a page holds a bad value: each run of the page's
// validator reports and empties exactly the first one still bad.
void TestValidation::walkOrder()
{
    QFETCH(Validator, validator);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, messages);

    StartedWindow s;
    QStringList fields;
    for (const QString &entry : checked) {
        fields << entry.section(QLatin1Char('='), 0, 0);
        s.edit(fields.last().toLatin1())->setText(entry.section(QLatin1Char('='), 1));
    }

    QStringList reported;
    for (int run = 0; run < fields.size(); ++run) {
        (s.window().*validator)();
        QCOMPARE(s.answerer.boxes.size(), run + 1);
        QCOMPARE(s.answerer.boxes.last().icon, QMessageBox::Warning);
        for (const QString &name : fields) {
            if (s.edit(name.toLatin1())->text().isEmpty() && !reported.contains(name))
                reported << name;
        }
        QCOMPARE(reported.size(), run + 1);
    }
    QCOMPARE(reported, fields);
    QCOMPARE(s.answerer.summary(), messages);

    (s.window().*validator)();
    QCOMPARE(s.answerer.boxes.size(), fields.size());
}

void TestValidation::failureReport()
{
    StartedWindow s;
    MainWindow &w = s.window();
    s.edit("keszulek_id")->setText(QStringLiteral("12a4"));
    leave(s.edit("keszulek_id"));
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit("keszulek_id")->text(), QString());
    QCOMPARE(w.focusWidget(), s.edit("keszulek_id"));

    // The whole page is checked: the field left is not the one reported.
    s.answerer.boxes.clear();
    s.edit("keszulek_id")->setText(QStringLiteral("4321"));
    s.edit("sms_voice_vissza")->setText(QStringLiteral("5m"));
    leave(s.edit("keszulek_id"));
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit("keszulek_id")->text(), QStringLiteral("4321"));
    QCOMPARE(s.edit("sms_voice_vissza")->text(), QString());
    QCOMPARE(w.focusWidget(), s.edit("sms_voice_vissza"));

    // A bad address comes before a bad port in form order.
    s.answerer.boxes.clear();
    s.edit("ip1")->setText(QStringLiteral("1.2.3.256"));
    s.edit("port1")->setText(QStringLiteral("80a"));
    leave(s.edit("port1"));
    QCOMPARE(s.answerer.summary(), QStringList{badIp});
    QCOMPARE(s.edit("ip1")->text(), QString());
    QCOMPARE(s.edit("port1")->text(), QStringLiteral("80a"));
    leave(s.edit("port1"));
    QCOMPARE(s.answerer.summary(), (QStringList{badIp, onlyNumbers}));
}

void TestValidation::testIntervalLimit_data()
{
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("hscode2");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("intervalAfter");
    QTest::addColumn<QString>("hscode2After");

    QTest::newRow("240 passes") << "240" << "64" << QStringList() << "240" << "64";
    QTest::newRow("241") << "241" << "64" << QStringList{above240} << "" << "64";
    QTest::newRow("blank inside reads as 0") << "2 4" << "64" << QStringList() << "2 4" << "64";
    QTest::newRow("the walk goes on after 240") << "300" << "300" << QStringList{above240, above255} << ""
                                                << "";
    QTest::newRow("letters stop the walk") << "30x" << "300" << QStringList{onlyNumbers} << "" << "300";
    QTest::newRow("255 passes") << "10" << "255" << QStringList() << "10" << "255";
}

void TestValidation::testIntervalLimit()
{
    QFETCH(QString, interval);
    QFETCH(QString, hscode2);

    StartedWindow s;
    s.edit("tesztkod_idokoz")->setText(interval);
    s.edit("hscode2")->setText(hscode2);
    leave(s.edit("keszulek_id"));

    QTEST(s.answerer.summary(), "boxes");
    QTEST(s.edit("tesztkod_idokoz")->text(), "intervalAfter");
    QTEST(s.edit("hscode2")->text(), "hscode2After");
}

void TestValidation::handshakeLimit()
{
    StartedWindow s;
    auto *panel = s.find<QWidget>("handshake");
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Default"));
    QVERIFY(panel->isHidden());

    // Hidden with a preset, the panel still counts as enabled.
    s.edit("hscode2")->setText(QStringLiteral("300"));
    leave(s.edit("lead_in"));
    QCOMPARE(s.answerer.summary(), QStringList{above255});
    QCOMPARE(s.edit("hscode2")->text(), QString());

    // A disabled General page (unknown model) lifts the limit; digits are still checked.
    s.answerer.boxes.clear();
    s.window().portSettings().deviceType = 0;
    s.window().applyDeviceType(0);
    QVERIFY(!panel->isEnabled());
    s.edit("hscode2")->setText(QStringLiteral("300"));
    s.answerer.boxes.clear();
    s.window().input_g1();
    QCOMPARE(s.answerer.summary(), QStringList());
    s.edit("hscode3")->setText(QStringLiteral("1x"));
    s.window().input_g1();
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit("hscode2")->text(), QStringLiteral("300"));
}

void TestValidation::codeCopiedToOffColumn_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("manual test") << "kezi_test_code" << "kezi_test_code_2";
    QTest::newRow("panic") << "panic_code" << "panic_code_2";
    QTest::newRow("input 1") << "be1_code" << "be1_code_2";
    QTest::newRow("input 2") << "be2_code" << "be2_code_2";
    QTest::newRow("input 3") << "be3_code" << "be3_code_2";
}

void TestValidation::codeCopiedToOffColumn()
{
    QFETCH(QString, first);
    QFETCH(QString, second);

    StartedWindow s;
    const QStringList seconds = {"kezi_test_code_2", "panic_code_2", "be1_code_2", "be2_code_2", "be3_code_2"};
    for (const QString &name : seconds)
        s.edit(name.toLatin1())->setText(QStringLiteral("999"));

    s.edit(first.toLatin1())->setText(QStringLiteral("123"));
    leave(s.edit(first.toLatin1()));
    QCOMPARE(s.answerer.summary(), QStringList());
    for (const QString &name : seconds)
        QCOMPARE(s.edit(name.toLatin1())->text(), name == second ? QStringLiteral("123") : QStringLiteral("999"));

    // Only a field's own signal copies: a direct call or another field does not.
    s.edit(first.toLatin1())->setText(QStringLiteral("456"));
    s.window().input_g2();
    leave(s.edit("start_code"));
    QCOMPARE(s.edit(second.toLatin1())->text(), QStringLiteral("123"));
}

void TestValidation::noCopyAfterFailure()
{
    StartedWindow s;
    s.edit("be1_code")->setText(QStringLiteral("12x"));
    leave(s.edit("be1_code"));
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit("be1_code")->text(), QString());
    QCOMPARE(s.edit("be1_code_2")->text(), QStringLiteral("651"));

    // A bad field earlier in the page stops the walk before the copy.
    s.answerer.boxes.clear();
    s.edit("auto_test_code")->setText(QStringLiteral("ab"));
    s.edit("panic_code")->setText(QStringLiteral("777"));
    leave(s.edit("panic_code"));
    QCOMPARE(s.answerer.summary(), QStringList{onlyNumbers});
    QCOMPARE(s.edit("auto_test_code")->text(), QString());
    QCOMPARE(s.window().focusWidget(), s.edit("auto_test_code"));
    QCOMPARE(s.edit("panic_code")->text(), QStringLiteral("777"));
    QCOMPARE(s.edit("panic_code_2")->text(), QStringLiteral("600"));
}

void TestValidation::groupAndZoneUnchecked()
{
    StartedWindow s;
    s.edit("csoportszam")->setText(QStringLiteral("ab"));
    s.edit("zonaszam")->setText(QStringLiteral("xyz"));
    s.edit("be2_code")->setText(QStringLiteral("321"));
    leave(s.edit("be2_code"));
    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(s.edit("csoportszam")->text(), QStringLiteral("ab"));
    QCOMPARE(s.edit("be2_code_2")->text(), QStringLiteral("321"));
}

void TestValidation::uncheckedTextFields()
{
    StartedWindow s;
    const QList<QPair<const char *, Validator>> free = {
        {"lead_in", &MainWindow::input_g1}, {"comm_format", &MainWindow::input_g1},
        {"mid", &MainWindow::input_g1},     {"end_char", &MainWindow::input_g1},
        {"gprs_mode", &MainWindow::input_g1}, {"ki1_on", &MainWindow::input_g3},
        {"ki3_off", &MainWindow::input_g3}, {"apn", &MainWindow::input_g4},
    };
    for (const auto &field : free) {
        s.edit(field.first)->setText(QStringLiteral("Ab-1.#"));
        const QString kept = s.edit(field.first)->text(); // cut to the field's length
        (s.window().*field.second)();
        QCOMPARE(s.edit(field.first)->text(), kept);
    }
    QCOMPARE(s.answerer.summary(), QStringList());
}

QTEST_MAIN(TestValidation)
#include "tst_validation.moc"
