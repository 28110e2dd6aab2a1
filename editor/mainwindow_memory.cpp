#include "mainwindow.h"

QString MainWindow::encodeCodeDigits(const QString &) { return {}; }
QString MainWindow::digitsToAsciiHex(const QString &) { return {}; }
QString MainWindow::hexToText(const QString &) { return {}; }
QString MainWindow::decodeNumber(int, int, int) const { return {}; }
QString MainWindow::decodeIdDigits(int, int, int) const { return {}; }
QString MainWindow::decodeText(int, int, int) const { return {}; }
QString MainWindow::decodeDigit(int, int) const { return {}; }
QString MainWindow::decodeCodeDigits(int, int, int) const { return {}; }
