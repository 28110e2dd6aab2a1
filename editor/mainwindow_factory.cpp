#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "factoryimage.h"
#include "frwriter.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// The model choice's result when the box is left without a model.
const int NoModel = -1;

// The model box has a reject-role button, which the message box would
// otherwise press for the Escape key and the window's close button; both
// must leave the box without choosing a model.
class NoModelOnEscape : public QObject
{
public:
    explicit NoModelOnEscape(QMessageBox *box)
        : QObject(box),
          box(box)
    {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == box) {
            if (event->type() == QEvent::KeyPress
                && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel)) {
                box->done(NoModel);
                return true;
            }
            // A close that follows a button's click belongs to that click.
            if (event->type() == QEvent::Close && box->isVisible() && !box->clickedButton()) {
                box->done(NoModel);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMessageBox *box;
};

} // namespace

void MainWindow::resetFactoryDefaults()
{
    auto *confirm = new QMessageBox(this);
    confirm->setAttribute(Qt::WA_DeleteOnClose);
    confirm->setIcon(QMessageBox::Warning);
    confirm->setWindowTitle(QStringLiteral("Figyelmeztetés"));
    confirm->setText(tr("Really want to restore to factory defaults?\n"
                        "This operation will overwrite all previously stored data & config on the device!"));
    confirm->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    confirm->setDefaultButton(QMessageBox::Cancel);
    if (confirm->exec() != QMessageBox::Ok)
        return;

    // Whatever the port dialog's outcome, the reset goes on with the port
    // set now.
    show_port();

    auto *choice = new QMessageBox(this);
    choice->setAttribute(Qt::WA_DeleteOnClose);
    choice->setIcon(QMessageBox::Information);
    choice->setWindowTitle(tr("Device"));
    choice->setText(tr("Please choose your device!"));
    choice->setStandardButtons(QMessageBox::NoButton);
    const QAbstractButton *const model800 = choice->addButton(QStringLiteral("Varnidex 800"), QMessageBox::AcceptRole);
    const QAbstractButton *const model700 = choice->addButton(QStringLiteral("Varnidex 700"), QMessageBox::RejectRole);
    choice->setWindowModality(Qt::WindowModal);
    new NoModelOnEscape(choice);
    // exec()'s value for custom buttons differs between Qt releases, and the
    // box deletes itself on closing: the button clicked is taken as it closes.
    int model = 0;
    connect(choice, &QDialog::finished, this, [&] {
        const QAbstractButton *clicked = choice->clickedButton();
        model = clicked == model800 ? 8 : clicked == model700 ? 4 : 0;
    });
    choice->exec();

    if (model != 0) {
        settings.deviceType = model;
        writeFactoryImage(model);
    }
}

void MainWindow::writeFactoryImage(int model)
{
    const FactoryImage image = factoryImage(model);
    frWriter writer(settings, image.rowAddr, image.rowData, this);
    if (writer.writeRows()) {
        applyDeviceType(model);
        QMessageBox::information(this, QStringLiteral("Reset"),
                                 tr("Successfully restored to factory defaults.\n\n"
                                    "Warning: the actual data of the inputs may vary from the factory defaults "
                                    "values so please Read from Device to reload."),
                                 QMessageBox::Ok);
    } else {
        // The form keeps its layout; the chosen model stays recorded.
        QMessageBox::warning(this, QStringLiteral("Reset"), tr("Cannot restore the device. Please try again."),
                             QMessageBox::Ok);
    }
}
