#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "portsettings.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;
class Ui_MainWindow;

// The configuration editor: owns the form, the live link settings record and
// the status bar. Its parts live in separate files by concern:
//   mainwindow.cpp            start-up, status bar, small slots
//   mainwindow_presets.cpp    handshake and APN presets
//   mainwindow_files.cpp      .cfg files
//   mainwindow_validation.cpp field validators
//   mainwindow_model.cpp      device model and channel switches
//   mainwindow_memory.cpp     device memory encodings
//   mainwindow_download.cpp   the download write list
//   mainwindow_readout.cpp    applying a read-out to the form
//   mainwindow_device.cpp     port dialog, status and model queries
//   mainwindow_factory.cpp    factory images and factory reset
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The APN that the "Vodafone" operator preset puts into the form.
    static QString vodafoneApn();

    // A field's number: decimal, blanks around it ignored; a text that is no
    // whole number counts as 0 (isNumber tells the two apart).
    static qint64 fieldNumber(const QString &text, bool *isNumber = nullptr);

    // Text rules of the field validators.
    static bool isNumeric(const QString &text);
    static bool isPhoneNumber(const QString &text);
    static bool isIpAddress(const QString &text);

    // Code-group data text for the download: "0" becomes "0A", any other c "0c".
    static QString encodeCodeDigits(const QString &digits);

    // Decoders of the read-out rows held in the settings record.
    QString decodeNumber(int row, int pos, int count) const;
    QString decodeIdDigits(int row, int pos, int count) const;
    QString decodeText(int row, int pos, int count) const;
    QString decodeDigit(int row, int pos) const;
    QString decodeCodeDigits(int row, int pos, int count) const;

    void loadConfigFile();
    void loadHandshakeFile();
    void applyDeviceType(int type);
    void writeFactoryImage(int model);

public slots:
    void newfile();
    void openfile();
    void save();
    void saveas();
    void show_port();
    void status();
    void smsFrameEnable();
    void smsFrameDisable();
    void voiceFrameEnable();
    void voiceFrameDisable();
    void gprsFrameEnable();
    void gprsFrameDisable();
    void download();
    void readup();
    void resetFactoryDefaults();
    void nevjegy();
    void contents();
    void input_g1();
    void input_g2();
    void input_g3();
    void input_g4();
    void input_g5();
    void input_g6();
    void apnSelect();
    void hsSelect();

    // Nothing in the program connects or calls what follows.
    void verify_func();  // does nothing
    void show_info();    // the link settings in a message box

public:
    // A text rule like the validators' own: empty, or a base-16 number.
    static bool isHexOrEmpty(const QString &text);
    // Decimal digits as their ASCII codes in hex ("7" gives "37").
    static QString digitsToAsciiHex(const QString &digits);
    // Hex pairs back to characters up to a "00" pair; 0 and FF are dropped.
    static QString hexToText(const QString &hex);
    // The one live link settings record; only the tests reach it this way.
    PortSettings &portSettings() { return settings; }

private:
    // Line edits inside a container, depth first in creation order: the
    // order of the .cfg lines, the validators' walk and the download check.
    static QList<QLineEdit *> lineEditsOf(const QWidget *container);

    // The build's free-entry item of the two preset combo boxes.
    static QString freeEntryItem();
    // The apnCombo item that an APN text stands for (3: free entry).
    static int apnPresetIndex(const QString &apn);

    // Index of the tab page that holds a widget (the download's refusals
    // show the page of the offending field).
    int pageOf(const QWidget *widget) const;

    Ui_MainWindow *ui;
    PortSettings settings;
    QLabel *portLabel;
    QLabel *fileLabel;
    QLabel *linkLabel;
};

#endif // MAINWINDOW_H
