#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "about.h"
#include "buildprofile.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

// The images are compiled into the static core library, whose resource
// initialiser the linker would otherwise drop.
static void registerImages()
{
    Q_INIT_RESOURCE(images);
}

namespace {

// A widget under a style sheet fills in what its own font leaves open from
// the application font, not from the window, each time its style sheet is
// set again; the widgets the status query restyles would lose the window's
// family so. With the whole font their own, family, size and weight stay.
void keepFontsUnderStyleSheets(QWidget *window)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->styleSheet().isEmpty())
            widget->setFont(widget->font());
    }
}

QIcon resourceIcon(const QString &path)
{
    QIcon icon;
    icon.addPixmap(QPixmap(path), QIcon::Normal, QIcon::Off);
    return icon;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(new Ui_MainWindow),
      settings()
{
    registerImages();
    ui->setupUi(this);
    keepFontsUnderStyleSheets(this);
    ui->label_ip1->resize(BuildProfile::labelIp1Width(), ui->label_ip1->height());
    ui->label_35->resize(BuildProfile::label35Width(), ui->label_35->height());

    setWindowTitle(tr("Varnidex 700/800 downloader software v7.04"));

    switch (settings.checkSize) {
    case 0: ui->action8bit_sum->setChecked(true); break;
    case 1: ui->action16bit_sum->setChecked(true); break;
    case 2: ui->action24bit_sum->setChecked(true); break;
    case 3: ui->action32bit_sum->setChecked(true); break;
    default: ui->actionFix->setChecked(true); break;
    }

    ui->actionNew->setIcon(resourceIcon(QStringLiteral(":/img/img/page_icon.png")));
    ui->actionOpen->setIcon(resourceIcon(QStringLiteral(":/img/img/open.png")));
    ui->actionSave->setIcon(resourceIcon(QStringLiteral(":/img/img/save.png")));
    ui->actionSaveAs->setIcon(resourceIcon(QStringLiteral(":/img/img/save.png")));
    ui->actionExit->setIcon(resourceIcon(QStringLiteral(":/img/img/exit_icon.png")));
    ui->actionAbout->setIcon(resourceIcon(QStringLiteral(":/img/img/info_icon.png")));
    ui->actionReadup->setIcon(resourceIcon(QStringLiteral(":/img/img/up.png")));
    ui->actionDownload->setIcon(resourceIcon(QStringLiteral(":/img/img/down.png")));

    connect(ui->actionNew, &QAction::triggered, this, &MainWindow::newfile);
    connect(ui->actionOpen, &QAction::triggered, this, &MainWindow::openfile);
    connect(ui->actionSave, &QAction::triggered, this, &MainWindow::save);
    connect(ui->actionSaveAs, &QAction::triggered, this, &MainWindow::saveas);
    connect(ui->actionExit, &QAction::triggered, this, &MainWindow::close);
    connect(ui->actionPort, &QAction::triggered, this, &MainWindow::show_port);
    connect(ui->actionDownload, &QAction::triggered, this, &MainWindow::download);
    connect(ui->actionReadup, &QAction::triggered, this, &MainWindow::readup);
    connect(ui->actionFactorydefault, &QAction::triggered, this, &MainWindow::resetFactoryDefaults);
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::nevjegy);
    connect(ui->actionContents, &QAction::triggered, this, &MainWindow::contents);

    connect(ui->button_port, &QPushButton::clicked, this, &MainWindow::show_port);
    connect(ui->button_dl, &QPushButton::clicked, this, &MainWindow::download);
    connect(ui->button_ul, &QPushButton::clicked, this, &MainWindow::readup);
    connect(ui->button_status, &QPushButton::clicked, this, &MainWindow::status);

    connect(ui->sms_off, &QRadioButton::clicked, this, &MainWindow::smsFrameDisable);
    connect(ui->sms_on, &QRadioButton::clicked, this, &MainWindow::smsFrameEnable);
    connect(ui->voice_off, &QRadioButton::clicked, this, &MainWindow::voiceFrameDisable);
    connect(ui->voice_on, &QRadioButton::clicked, this, &MainWindow::voiceFrameEnable);
    connect(ui->gprs_off, &QRadioButton::clicked, this, &MainWindow::gprsFrameDisable);
    connect(ui->gprs_on, &QRadioButton::clicked, this, &MainWindow::gprsFrameEnable);

    const QList<QPair<QWidget *, void (MainWindow::*)()>> validators = {
        {ui->g1, &MainWindow::input_g1}, {ui->g2, &MainWindow::input_g2},
        {ui->g3, &MainWindow::input_g3}, {ui->g4, &MainWindow::input_g4},
        {ui->g5, &MainWindow::input_g5}, {ui->g6, &MainWindow::input_g6},
    };
    for (const auto &group : validators) {
        for (QLineEdit *edit : lineEditsOf(group.first))
            connect(edit, &QLineEdit::editingFinished, this, group.second);
    }

    connect(ui->apnCombo, &QComboBox::currentIndexChanged, this, &MainWindow::apnSelect);
    connect(ui->hs_combo, &QComboBox::currentIndexChanged, this, &MainWindow::hsSelect);

    ui->tabWidget->setCurrentIndex(0);

    ui->w_gomb->hide();
    ui->handshake->hide();
    ui->p_kezi_2->hide();
    ui->kezi_test_code_2->hide();

    loadHandshakeFile();

    ui->hs_combo->clear();
    ui->hs_combo->addItems(settings.handshakeNames);
    if (!settings.handshakeNames.contains(QLatin1String("Default"))
        && !settings.handshakeNames.contains(QLatin1String("default"))) {
        settings.handshakeNames.append(QStringLiteral("Default"));
        settings.handshakeValues.append(QStringLiteral("100,64,100,810"));
        ui->hs_combo->addItem(QStringLiteral("Default"));
    }
    ui->hs_combo->addItem(freeEntryItem());
    hsSelect();

    fileLabel = new QLabel(tr("No file."), this);
    statusBar()->insertWidget(0, fileLabel, 1);
    portLabel = new QLabel(QStringLiteral("%1  Baud: %2").arg(settings.port).arg(settings.baud), this);
    statusBar()->insertWidget(1, portLabel, 1);
    linkLabel = new QLabel(this);
    linkLabel->setOpenExternalLinks(true);
    linkLabel->setText(QStringLiteral("devloader &copy; its developers &ndash; <a href=\"%1\">User's guide</a>")
                           .arg(BuildProfile::helpDocumentUrl().toString(QUrl::FullyEncoded).toHtmlEscaped()));
    statusBar()->insertWidget(2, linkLabel, 0);

    QTimer::singleShot(500, this, &MainWindow::newfile);
}

MainWindow::~MainWindow()
{
    delete ui;
}

QList<QLineEdit *> MainWindow::lineEditsOf(const QWidget *container)
{
    // findChildren walks depth first in child order, which is creation order
    // as long as no page widget is raised or re-parented.
    return container->findChildren<QLineEdit *>();
}

QString MainWindow::freeEntryItem()
{
    return tr("Other");
}

void MainWindow::newfile()
{
    settings.fileName = QStringLiteral("varnidex.dll");
    settings.filePath = QStringLiteral("varnidex.dll");
    loadConfigFile();
}

void MainWindow::openfile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open file"), QStringLiteral("."),
                                                      QStringLiteral("Varnidex Files (*.cfg)"));
    settings.filePath = path;
    if (path.isNull())
        return;
    loadConfigFile();
}

void MainWindow::saveas()
{
}

void MainWindow::nevjegy()
{
    // A new box every time; it stays a hidden child of the window once closed.
    auto *box = new about(this);
    box->show();
}

void MainWindow::contents()
{
    // The desktop handler cannot tell us that a document is missing, so a
    // missing file is reported the same way as a refused one.
    const QUrl document = BuildProfile::helpDocumentUrl();
    if (!QFileInfo::exists(document.toLocalFile()) || !QDesktopServices::openUrl(document)) {
        QMessageBox::critical(this, QStringLiteral("Help"), tr("Error! Cannot open the documentation."),
                              QMessageBox::Ok);
    }
}

// Nothing in the program connects or calls these two slots.
void MainWindow::verify_func()
{
}

void MainWindow::show_info()
{
    QString text;
    if (settings.filePath.isEmpty()) {
        text = QStringLiteral("No opened file.");
    } else {
        static const char *const checksums[] = {"8bit sum", "16bit sum", "24bit sum", "32bit sum"};
        const QString checksum = (settings.checkSize >= 0 && settings.checkSize <= 3)
            ? QString::fromLatin1(checksums[int(settings.checkSize)])
            : QString(QChar::fromLatin1(settings.checkSize));
        text = QStringLiteral("Port: %1\n").arg(settings.port)
            + QStringLiteral("Baudrate: B%1\n").arg(settings.baud)
            + QStringLiteral("Timeout: %1\n").arg(settings.serialTimeout)
            + QStringLiteral("CHKS: %1\n").arg(checksum)
            + QStringLiteral("ACK char: %1\n").arg(QChar::fromLatin1(settings.ackChar))
            + QStringLiteral("Checkvalue: %1\n").arg(settings.checkValue)
            + QStringLiteral("Download Separator: %1\n").arg(QChar::fromLatin1(settings.downloadSeparator))
            + QStringLiteral("Upload Separator: %1\n").arg(QChar::fromLatin1(settings.uploadSeparator))
            + QStringLiteral("Upload Command: %1\n").arg(QChar::fromLatin1(settings.uploadCommand));
    }
    QMessageBox::information(this, QStringLiteral("Information"), text, QMessageBox::Ok);
}
