#include "startedwindow.h"

#include <QFrame>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

namespace {

// The model 800's own event codes, their qualifiers and outputs.
const QStringList modelFields = {"panic_code", "panic_code_2", "be1_code", "be2_code", "be3_code", "be1_code_2",
                                 "be2_code_2", "be3_code_2", "p_panic", "p_panic_2", "p_be1", "p_be2", "p_be3",
                                 "p_be1_2", "p_be2_2", "p_be3_2", "ki2_on", "ki3_on", "ki2_off", "ki3_off"};

// Each field's text, in brackets when the field is disabled.
QStringList texts(const StartedWindow &s, const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names) {
        const QLineEdit *edit = s.edit(name.toLatin1());
        texts << (edit->isEnabled() ? edit->text() : '(' + edit->text() + ')');
    }
    return texts;
}

QString tabsEnabled(const StartedWindow &s)
{
    const auto *tabs = s.find<QTabWidget>("tabWidget");
    QString flags;
    for (int i = 0; i < tabs->count(); ++i)
        flags += tabs->isTabEnabled(i) && tabs->widget(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

// Channel state as "gsv" letters, upper case when on, and the frames' own
// state the same way: "GsV/GsV" is GPRS and voice on with their frames
// enabled. The voice frame stays enabled inside a disabled tab.
QString channels(const StartedWindow &s)
{
    QString radios, frames;
    for (const QByteArray name : {"gprs", "sms", "voice"}) {
        const QChar on = QChar(name[0]).toUpper(), off = QChar(name[0]);
        radios += s.find<QRadioButton>((name + "_on").constData())->isChecked() ? on : off;
        frames += s.find<QFrame>((name + "_frame").constData())->testAttribute(Qt::WA_ForceDisabled) ? off : on;
    }
    return radios + '/' + frames;
}

// Puts radios and frames into a state as a loaded file may leave them.
void setChannels(const StartedWindow &s, const QString &state)
{
    int i = 0;
    for (const QByteArray name : {"gprs", "sms", "voice"}) {
        s.find<QRadioButton>((name + (state.at(i).isUpper() ? "_on" : "_off")).constData())->setChecked(true);
        s.find<QFrame>((name + "_frame").constData())->setEnabled(state.at(4 + i++).isUpper());
    }
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT

private slots:
    void model700Then800Then700();
    void unknownModel_data();
    void unknownModel();
    void channelSwitches_data();
    void channelSwitches();
};

void TestDeviceModel::model700Then800Then700()
{
    StartedWindow s; // the default configuration: GPRS and voice on
    MainWindow &w = s.window();
    const QStringList untouched = {"auto_test_code", "p_auto", "start_code", "restart_code", "kezi_test_code",
                                   "p_kezi", "kezi_test_code_2", "ki1_on", "ki1_off", "keszulek_id", "sms_tiltas"};
    const QStringList before = texts(s, untouched);

    w.applyDeviceType(4);
    QCOMPARE(tabsEnabled(s), QStringLiteral("111110"));
    QCOMPARE(texts(s, modelFields), QStringList(modelFields.size(), QStringLiteral("()")));
    QCOMPARE(channels(s), QStringLiteral("Gsv/Gsv"));
    QCOMPARE(texts(s, {"voice1", "voice2"}), QStringList(2, QStringLiteral("()")));
    QCOMPARE(texts(s, untouched), before);

    w.applyDeviceType(8);
    QCOMPARE(tabsEnabled(s), QStringLiteral("111111"));
    QCOMPARE(texts(s, modelFields), (QStringList(8, QString()) << "(1)" << "(3)" << "(1)" << "(1)" << "(1)"
                                     << "(3)" << "(3)" << "(3)" << QStringList(4, QString())));
    QCOMPARE(channels(s), QStringLiteral("Gsv/Gsv")); // the voice channel stays off
    QCOMPARE(texts(s, untouched), before);

    // Values typed for the 800 survive a repeated 8 and go with the next 4.
    s.edit("be1_code")->setText(QStringLiteral("651"));
    s.edit("ki2_on")->setText(QStringLiteral("21"));
    w.applyDeviceType(8);
    QCOMPARE(texts(s, {"be1_code", "ki2_on"}), (QStringList{"651", "21"}));
    w.applyDeviceType(4);
    QCOMPARE(texts(s, {"be1_code", "ki2_on"}), (QStringList{"()", "()"}));
    QCOMPARE(tabsEnabled(s), QStringLiteral("111110"));
    QCOMPARE(s.answerer.summary(), QStringList());
}

void TestDeviceModel::unknownModel_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("0") << 0;
    QTest::newRow("255") << 255;
    QTest::newRow("7") << 7;
}

void TestDeviceModel::unknownModel()
{
    QFETCH(int, type);
    StartedWindow s;
    MainWindow &w = s.window();
    QStringList expected = s.formState().replaceInStrings(QRegularExpression("(?<=^tab \\d enabled=)1$"), "0");

    w.portSettings().deviceType = type;
    w.applyDeviceType(type);

    QCOMPARE(s.answerer.summary(), QStringList{QStringLiteral("Error: Unknown device! (%1)").arg(type)});
    QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(s.formState(), expected); // every tab disabled, nothing else changed

    // A known model unlocks the form again.
    w.applyDeviceType(8);
    QCOMPARE(tabsEnabled(s), QStringLiteral("111111"));
    QCOMPARE(s.answerer.boxes.size(), 1);
}

void TestDeviceModel::channelSwitches_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clicks"); // radio buttons clicked in turn; "700" applies that model
    QTest::addColumn<QString>("after");

    QTest::newRow("voice on takes SMS off, GPRS kept") << "GSv/GSv" << "voice_on" << "GsV/GsV";
    QTest::newRow("voice on with GPRS off") << "gSv/gSv" << "voice_on" << "gsV/gsV";
    QTest::newRow("SMS on takes voice off") << "GsV/GsV" << "sms_on" << "GSv/GSv";
    QTest::newRow("GPRS off with SMS on") << "GSv/GSv" << "gprs_off" << "gSv/gSv";
    QTest::newRow("GPRS off, the last one: SMS on") << "Gsv/Gsv" << "gprs_off" << "gSv/gSv";
    QTest::newRow("GPRS off with voice on") << "GsV/GsV" << "gprs_off" << "gsV/gsV";
    QTest::newRow("GPRS on") << "gSv/gSv" << "gprs_on" << "GSv/GSv";
    QTest::newRow("SMS off with GPRS on") << "GSv/GSv" << "sms_off" << "Gsv/Gsv";
    QTest::newRow("SMS off, the last one: voice on") << "gSv/gSv" << "sms_off" << "gsV/gsV";
    QTest::newRow("voice off with GPRS on") << "GsV/GsV" << "voice_off" << "Gsv/Gsv";
    QTest::newRow("voice off, the last one: SMS on") << "gsV/gsV" << "voice_off" << "gSv/gSv";
    QTest::newRow("all three on, GPRS off") << "GSV/GSV" << "gprs_off" << "gSV/gSV";
    QTest::newRow("all three on, voice off") << "GSV/GSV" << "voice_off" << "GSv/GSv";
    QTest::newRow("frames follow even when out of step") << "GSv/gsV" << "gprs_on" << "GSv/GsV";
    QTest::newRow("700 with voice the last one: SMS on") << "gsV/gsV" << "700" << "gSv/gSv";
    QTest::newRow("700, then SMS off: voice on in its disabled tab") << "GsV/GsV" << "700 gprs_off sms_off"
                                                                     << "gsV/gsV";
}

void TestDeviceModel::channelSwitches()
{
    QFETCH(QString, before);
    QFETCH(QString, clicks);

    StartedWindow s;
    setChannels(s, before);
    for (const QString &click : clicks.split(QLatin1Char(' '))) {
        if (click == QLatin1String("700"))
            s.window().applyDeviceType(4);
        else
            s.find<QRadioButton>(click.toLatin1())->click();
    }
    QTEST(channels(s), "after");
}

QTEST_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
