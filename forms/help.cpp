#include "help.h"
#include "ui_help.h"

#include <QEvent>
#include <QFile>
#include <QTextStream>

help::help(QWidget *parent)
    : QDialog(parent),
      ui(new Ui_help)
{
    ui->setupUi(this);
    ui->plainTextEdit->setReadOnly(true);

    QFile file(QStringLiteral("wqv_800.hlp"));
    if (!file.exists()) {
        ui->plainTextEdit->setPlainText(tr("ERROR: cannot open the help file."));
        return;
    }

    // A file that exists but cannot be read shows as one empty line.
    QString text;
    if (file.open(QIODevice::ReadOnly)) {
        QTextStream in(&file);
        in.setEncoding(QStringConverter::System);
        do {
            const QString line = in.readLine();
            text += line + QLatin1Char('\n');
            if (line == QLatin1String("---"))
                break;
        } while (!in.atEnd());
        file.close();
    } else {
        text = QStringLiteral("\n");
    }

    ui->plainTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->plainTextEdit->setPlainText(text);
}

help::~help()
{
    delete ui;
}

void help::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
