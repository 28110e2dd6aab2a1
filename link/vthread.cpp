#include "vthread.h"

#include "devicelink.h"

#include <QCheckBox>
#include <QDebug>
#include <QLineEdit>
#include <QMap>

namespace {

const int FieldWidth = 16;
const int ComparedLength = 272;
// Enough for a long answer: the bar follows the answer's length.
const int ProgressMaximum = 748;
// The last fields carry the switch groups in front of their text.
const int GroupFields = 8;

bool deviceCharacter(QChar c)
{
    return (c.unicode() >= 0x01 && c.unicode() <= 0x7F) || c.unicode() == 0xA4;
}

} // namespace

vThread::vThread(const PortSettings &settings, QObject *source)
    : settings(settings),
      form(readForm(source))
{
}

vThread::Form vThread::readForm(const QObject *source)
{
    Form form;
    if (!source)
        return form;
    for (const QLineEdit *edit : source->findChildren<QLineEdit *>())
        form.edits.append({edit->objectName(), edit->text()});
    for (const QCheckBox *box : source->findChildren<QCheckBox *>())
        form.boxes.append({box->property("group").toString(), box->isChecked()});
    return form;
}

bool vThread::buildImage(const Form &form, char separator, QString *image)
{
    const QChar sep = QLatin1Char(separator);

    // Switch groups: bit b (from 1) of group g for every ticked box.
    QMap<int, qint64> masks;
    for (const Form::Box &box : form.boxes) {
        const QStringList parts = box.group.split(QLatin1Char('.'));
        bool groupOk = false;
        bool bitOk = false;
        const int group = parts.first().toInt(&groupOk);
        const int bit = parts.last().toInt(&bitOk);
        if (!groupOk || !bitOk) {
            qDebug("toInt error.");
            continue;
        }
        qint64 &mask = masks[group];
        // A bit number below 1 is worth less than one: nothing.
        if (box.checked && bit >= 1 && bit <= 63)
            mask += qint64(1) << (bit - 1);
    }

    const int groupStart = qMax(0, int(form.edits.size()) - GroupFields);
    QString text;
    for (int i = 0; i < groupStart; ++i) {
        QString field = form.edits.at(i).text;
        if (form.edits.at(i).name == QLatin1String("rele_time"))
            field = field.rightJustified(4, QLatin1Char('0'));
        text += field.leftJustified(FieldWidth, QLatin1Char(' ')) + sep;
    }
    *image = text;
    for (const QChar c : text) {
        if (!deviceCharacter(c))
            return false;
    }

    for (int k = 0; groupStart + k < form.edits.size(); ++k) {
        const QString field = QString::number(masks.value(2 * k + 1)) + QString::number(masks.value(2 * k + 2))
                              + form.edits.at(groupStart + k).text;
        text += sep + field.leftJustified(FieldWidth, QLatin1Char(' '));
    }
    *image = text;
    return true;
}

QString vThread::answerText(const QByteArray &answer)
{
    QString text = QString::fromLatin1(answer);
    text.replace(QChar(0xFF), QLatin1Char(' '));
    text.replace(QLatin1String("\r\n"), QLatin1String("|"));
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    text.replace(QLatin1Char('\r'), QLatin1Char('|'));
    return text;
}

bool vThread::matches(const QString &answer, const QString &image)
{
    return answer.left(ComparedLength) == image.left(ComparedLength);
}

void vThread::run()
{
    success = false;
    settings.imageText.clear();
    if (!buildImage(form, settings.downloadSeparator, &settings.imageText))
        return;  // before the port is opened

    emit progressRange(0, ProgressMaximum);

    DeviceLink link;
    if (!link.open(settings.port, LinkSetup::verify(settings.serialTimeout)))
        return;
    link.send(QByteArray("~") + settings.uploadCommand);

    // The device sends its image and falls silent.
    QByteArray answer;
    char c = 0;
    while (link.receive(&c)) {
        answer += c;
        emit progressValue(int(answer.size()));
    }
    link.close();
    if (isInterruptionRequested())
        return;

    success = matches(answerText(answer), settings.imageText);
}
