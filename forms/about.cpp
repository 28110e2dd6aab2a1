#include "about.h"
#include "ui_about.h"

#include "buildprofile.h"

#include <QEvent>
#include <QUrl>

about::about(QWidget *parent)
    : QDialog(parent),
      ui(new Ui_about)
{
    ui->setupUi(this);
    // The form leaves the link's target open: the document's name differs
    // between the builds.
    const QString target = BuildProfile::helpDocumentUrl().toString(QUrl::FullyEncoded).toHtmlEscaped();
    ui->label_3->setText(ui->label_3->text().arg(target));
    ui->label_v->setText(tr("Varnidex 700/800 downloader software v7.04"));
}

about::~about()
{
    delete ui;
}

void about::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        // The form's own texts are fixed in every build; a re-translation
        // puts the form's version placeholder back, as the form has it.
        ui->retranslateUi(this);
        ui->label_v->setText(QStringLiteral("Version:"));
    }
}
