#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "textfile.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QTextStream>

namespace {

// Each event code is stored on one line behind its one-character qualifier.
struct CodeQualifier
{
    const char *code;
    const char *qualifier;
};

const CodeQualifier codeQualifiers[] = {
    {"auto_test_code", "p_auto"},     {"start_code", "p_start"},     {"restart_code", "p_restart"},
    {"kezi_test_code", "p_kezi"},     {"kezi_test_code_2", "p_kezi_2"}, {"panic_code", "p_panic"},
    {"panic_code_2", "p_panic_2"},    {"be1_code", "p_be1"},         {"be1_code_2", "p_be1_2"},
    {"be2_code", "p_be2"},            {"be2_code_2", "p_be2_2"},     {"be3_code", "p_be3"},
    {"be3_code_2", "p_be3_2"},
};

QLineEdit *qualifierOf(const QWidget *window, const QLineEdit *code)
{
    const QString name = code->objectName();
    for (const CodeQualifier &pair : codeQualifiers) {
        if (name == QLatin1String(pair.code))
            return window->findChild<QLineEdit *>(QLatin1String(pair.qualifier));
    }
    return nullptr;
}

// Qualifiers travel with their codes and the handshake numbers with their
// preset's name, so neither has a line of its own.
bool hasOwnLine(const QLineEdit *edit)
{
    const QString name = edit->objectName();
    return !name.startsWith(QLatin1String("p_")) && !name.startsWith(QLatin1String("hscode"));
}

// Everything a .cfg file holds, in line order after the preset name.
struct ConfigFields
{
    QList<QLineEdit *> edits;
    QList<QCheckBox *> checkBoxes;
    QList<QRadioButton *> radios;

    int lineCount() const
    {
        int count = 1; // the handshake preset
        for (const QLineEdit *edit : edits)
            count += hasOwnLine(edit) ? 1 : 0;
        return count + int(checkBoxes.size()) + int(radios.size());
    }
};

// Writer and reader derive the line list from the form in the same way.
// Page by page: the tab widget's stack does not keep its pages in creation
// order among its children (it lowers and raises them as they are added and
// shown), so a walk over the whole central widget could meet the voice
// switch before the GPRS switch.
ConfigFields collectFields(const Ui_MainWindow &form, QList<QLineEdit *> (*lineEditsOf)(const QWidget *))
{
    ConfigFields fields;
    for (const QWidget *page : {form.tab, form.tab_2, form.tab_3, form.tab_4, form.tab_5, form.tab_6}) {
        fields.edits += lineEditsOf(page);
        fields.checkBoxes += page->findChildren<QCheckBox *>();
        fields.radios += page->findChildren<QRadioButton *>();
    }
    return fields;
}

// "name.tar.gz" shows as "name.tar.gz", "name" as "name.".
QString shownFileName(const QString &path)
{
    const QFileInfo info(path);
    return info.baseName() + QLatin1Char('.') + info.completeSuffix();
}

} // namespace

void MainWindow::save()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save File"), QStringLiteral("."),
                                                      QStringLiteral("Varnidex Files (*.cfg)"));
    if (path.isEmpty())
        return;

    const ConfigFields fields = collectFields(*ui, &MainWindow::lineEditsOf);

    QString text;
    QTextStream out(&text);
    const QLatin1String lineEnd("\r\n");
    out << ui->hs_combo->currentText() << lineEnd;
    for (const QLineEdit *edit : fields.edits) {
        if (!hasOwnLine(edit))
            continue;
        if (const QLineEdit *qualifier = qualifierOf(this, edit))
            out << qualifier->text();
        out << edit->text() << lineEnd;
    }
    for (const QCheckBox *box : fields.checkBoxes)
        out << (box->isChecked() ? "1" : "0") << lineEnd;
    for (const QRadioButton *radio : fields.radios)
        out << (radio->isChecked() ? "1" : "0") << lineEnd;
    out.flush();

    // A failed save leaves the previous file, the file label and the path as they were.
    if (!TextFile::write(path, text)) {
        QMessageBox::critical(this, tr("File error"),
                              tr("Cannot save the file. Tip: check that the folder can be written."),
                              QMessageBox::Ok);
        return;
    }

    settings.filePath = path;
    settings.fileName = shownFileName(path);
    fileLabel->setText(settings.fileName);
    QMessageBox::information(this, tr("Save"), tr("Save was successful."), QMessageBox::Ok);
}

void MainWindow::loadConfigFile()
{
    // Read everything before touching the form: a rejected file changes nothing.
    QStringList lines;
    const TextFile::Read read = TextFile::readLines(settings.filePath, &lines);
    if (read == TextFile::Read::Missing) {
        QMessageBox::critical(this, tr("File error"), tr("The selected file does not exist."), QMessageBox::Ok);
        return;
    }

    const ConfigFields fields = collectFields(*ui, &MainWindow::lineEditsOf);

    if (read != TextFile::Read::Done || lines.size() != fields.lineCount()) {
        QMessageBox::critical(this, tr("File error"), tr("Cannot open the selected file. Tip: check file syntax."),
                              QMessageBox::Ok);
        return;
    }

    // Without a "Default" item and an unknown name no preset is selected (-1).
    const int preset = ui->hs_combo->findText(lines.at(0), Qt::MatchExactly | Qt::MatchCaseSensitive);
    ui->hs_combo->setCurrentIndex(preset >= 0 ? preset
                                              : ui->hs_combo->findText(QStringLiteral("Default"),
                                                                       Qt::MatchExactly | Qt::MatchCaseSensitive));

    int next = 1;
    for (QLineEdit *edit : fields.edits) {
        if (!hasOwnLine(edit))
            continue;
        const QString &line = lines.at(next++);
        if (QLineEdit *qualifier = qualifierOf(this, edit)) {
            qualifier->setText(line.left(1));
            edit->setText(line.mid(1));
        } else {
            edit->setText(line);
        }
    }
    for (QCheckBox *box : fields.checkBoxes)
        box->setChecked(lines.at(next++) == QLatin1String("1"));
    // An auto-exclusive button cannot be unchecked by setChecked(false): a
    // "0","0" pair keeps its state and "1","1" ends with the second checked.
    for (QRadioButton *radio : fields.radios)
        radio->setChecked(lines.at(next++) == QLatin1String("1"));

    settings.fileName = shownFileName(settings.filePath);
    settings.imageText.clear();
    fileLabel->setText(settings.fileName);

    ui->gprs_frame->setEnabled(ui->gprs_on->isChecked());
    ui->sms_frame->setEnabled(ui->sms_on->isChecked());
    ui->voice_frame->setEnabled(ui->voice_on->isChecked());

    ui->apnCombo->setCurrentIndex(apnPresetIndex(ui->apn->text()));
}
