#include "startedwindow.h"

#include <QFrame>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

const char *const modelCodes[] = {"panic_code", "panic_code_2", "be1_code", "be2_code",
                                  "be3_code",   "be1_code_2",   "be2_code_2", "be3_code_2"};
const char *const modelQualifiers[] = {"p_panic", "p_panic_2", "p_be1", "p_be2", "p_be3", "p_be1_2", "p_be2_2", "p_be3_2"};
const char *const modelOutputs[] = {"ki2_on", "ki3_on", "ki2_off", "ki3_off"};

QString tabsEnabled(const StartedWindow &s)
{
    const auto *tabs = s.find<QTabWidget>("tabWidget");
    QString flags;
    for (int i = 0; i < tabs->count(); ++i)
        flags += tabs->isTabEnabled(i) && tabs->widget(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

// A frame's own state: the voice frame stays enabled inside a disabled tab.
bool frameEnabled(const StartedWindow &s, const char *name)
{
    return !s.find<QFrame>(name)->testAttribute(Qt::WA_ForceDisabled);
}

// Channel state as "gsv" letters, upper case when on, and the frames the
// same way: "GsV/GsV" is GPRS and voice on with their frames enabled.
QString channels(const StartedWindow &s)
{
    QString state;
    state += s.find<QRadioButton>("gprs_on")->isChecked() ? 'G' : 'g';
    state += s.find<QRadioButton>("sms_on")->isChecked() ? 'S' : 's';
    state += s.find<QRadioButton>("voice_on")->isChecked() ? 'V' : 'v';
    state += '/';
    state += frameEnabled(s, "gprs_frame") ? 'G' : 'g';
    state += frameEnabled(s, "sms_frame") ? 'S' : 's';
    state += frameEnabled(s, "voice_frame") ? 'V' : 'v';
    return state;
}

// Puts radios and frames into a state as a loaded file may leave them.
void setChannels(const StartedWindow &s, const QString &state)
{
    s.find<QRadioButton>(state.at(0) == 'G' ? "gprs_on" : "gprs_off")->setChecked(true);
    s.find<QRadioButton>(state.at(1) == 'S' ? "sms_on" : "sms_off")->setChecked(true);
    s.find<QRadioButton>(state.at(2) == 'V' ? "voice_on" : "voice_off")->setChecked(true);
    s.find<QFrame>("gprs_frame")->setEnabled(state.at(4) == 'G');
    s.find<QFrame>("sms_frame")->setEnabled(state.at(5) == 'S');
    s.find<QFrame>("voice_frame")->setEnabled(state.at(6) == 'V');
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT

private slots:
    void model700();
    void model700SwitchesSmsOnWhenVoiceWasLast();
    void model700Then800();
    void model800OnFreshForm();
    void unknownModel_data();
    void unknownModel();
    void channelSwitches_data();
    void channelSwitches();
    void smsOffOnModel700TurnsVoiceOn();
};

void TestDeviceModel::model700()
{
    StartedWindow s; // the default configuration: GPRS and voice on
    const QStringList untouched = {"auto_test_code", "p_auto", "start_code", "restart_code", "kezi_test_code",
                                   "p_kezi", "kezi_test_code_2", "ki1_on", "ki1_off", "keszulek_id", "sms_tiltas"};
    QStringList before;
    for (const QString &name : untouched)
        before << s.edit(name.toLatin1())->text();

    s.window().applyDeviceType(4);

    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(tabsEnabled(s), QStringLiteral("111110"));
    for (const char *name : modelCodes) {
        QVERIFY2(!s.edit(name)->isEnabled(), name);
        QVERIFY2(s.edit(name)->text().isEmpty(), name);
    }
    for (const char *name : modelQualifiers)
        QVERIFY2(s.edit(name)->text().isEmpty(), name);
    for (const char *name : modelOutputs) {
        QVERIFY2(!s.edit(name)->isEnabled(), name);
        QVERIFY2(s.edit(name)->text().isEmpty(), name);
    }
    QCOMPARE(channels(s), QStringLiteral("Gsv/Gsv"));
    QCOMPARE(s.edit("voice1")->text(), QString());
    QCOMPARE(s.edit("voice2")->text(), QString());

    QStringList after;
    for (const QString &name : untouched)
        after << s.edit(name.toLatin1())->text();
    QCOMPARE(after, before);
    QVERIFY(s.edit("kezi_test_code")->isEnabled());
}

void TestDeviceModel::model700SwitchesSmsOnWhenVoiceWasLast()
{
    StartedWindow s;
    setChannels(s, QStringLiteral("gsV/gsV"));
    s.window().applyDeviceType(4);
    QCOMPARE(channels(s), QStringLiteral("gSv/gSv"));
}

void TestDeviceModel::model700Then800()
{
    StartedWindow s;
    MainWindow &w = s.window();
    w.applyDeviceType(4);
    w.applyDeviceType(8);

    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(tabsEnabled(s), QStringLiteral("111111"));
    for (const char *name : modelCodes) {
        QVERIFY2(s.edit(name)->isEnabled(), name);
        QVERIFY2(s.edit(name)->text().isEmpty(), name);
    }
    QStringList qualifiers;
    for (const char *name : modelQualifiers)
        qualifiers << s.edit(name)->text();
    QCOMPARE(qualifiers, (QStringList{"1", "3", "1", "1", "1", "3", "3", "3"}));
    for (const char *name : modelOutputs) {
        QVERIFY2(s.edit(name)->isEnabled(), name);
        QVERIFY2(s.edit(name)->text().isEmpty(), name);
    }
    // The voice channel stays off and empty.
    QCOMPARE(channels(s), QStringLiteral("Gsv/Gsv"));
    QVERIFY(s.edit("voice1")->text().isEmpty());

    // Values typed for the 800 survive a repeated 8 and go with the next 4.
    s.edit("be1_code")->setText(QStringLiteral("651"));
    s.edit("ki2_on")->setText(QStringLiteral("21"));
    w.applyDeviceType(8);
    QCOMPARE(s.edit("be1_code")->text(), QStringLiteral("651"));
    QCOMPARE(s.edit("ki2_on")->text(), QStringLiteral("21"));
    w.applyDeviceType(4);
    QCOMPARE(s.edit("be1_code")->text(), QString());
    QCOMPARE(s.edit("ki2_on")->text(), QString());
    QCOMPARE(tabsEnabled(s), QStringLiteral("111110"));
}

void TestDeviceModel::model800OnFreshForm()
{
    StartedWindow s(StartedWindow::PresetsOnly);
    for (const char *name : {"panic_code_2", "be1_code_2", "be2_code_2", "be3_code_2"})
        QVERIFY2(!s.edit(name)->isEnabled(), name);
    const QString voiceBefore = channels(s);
    s.edit("panic_code_2")->setText(QStringLiteral("600"));

    s.window().applyDeviceType(8);

    for (const char *name : {"panic_code_2", "be1_code_2", "be2_code_2", "be3_code_2"})
        QVERIFY2(s.edit(name)->isEnabled(), name);
    QCOMPARE(s.edit("panic_code_2")->text(), QStringLiteral("600"));
    QCOMPARE(channels(s), voiceBefore);
    QVERIFY(s.edit("kezi_test_code_2")->isHidden());
    QVERIFY(!s.edit("kezi_test_code_2")->isEnabled());
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
    const QStringList before = s.formState();

    w.portSettings().deviceType = type;
    w.applyDeviceType(type);

    QCOMPARE(s.answerer.summary(), QStringList{QStringLiteral("Error: Unknown device! (%1)").arg(type)});
    QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(tabsEnabled(s), QStringLiteral("000000"));
    QStringList expected = before;
    for (QString &line : expected) {
        if (line.startsWith(QLatin1String("tab ")))
            line.replace(QLatin1String("=1"), QLatin1String("=0"));
    }
    QCOMPARE(s.formState(), expected);

    // A known model unlocks the form again.
    w.portSettings().deviceType = 8;
    w.applyDeviceType(8);
    QCOMPARE(tabsEnabled(s), QStringLiteral("111111"));
    QCOMPARE(s.answerer.boxes.size(), 1);
}

void TestDeviceModel::channelSwitches_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("click");
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
}

void TestDeviceModel::channelSwitches()
{
    QFETCH(QString, before);
    QFETCH(QString, click);

    StartedWindow s;
    setChannels(s, before);
    s.find<QRadioButton>(click.toLatin1())->click();
    QTEST(channels(s), "after");
    QCOMPARE(s.answerer.summary(), QStringList());
}

void TestDeviceModel::smsOffOnModel700TurnsVoiceOn()
{
    StartedWindow s;
    s.window().applyDeviceType(4);
    s.find<QRadioButton>("gprs_off")->click();
    QCOMPARE(channels(s), QStringLiteral("gSv/gSv"));

    s.find<QRadioButton>("sms_off")->click();
    QCOMPARE(channels(s), QStringLiteral("gsV/gsV"));
    QCOMPARE(tabsEnabled(s), QStringLiteral("111110"));
}

QTEST_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
