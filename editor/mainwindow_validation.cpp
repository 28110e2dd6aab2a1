#include "mainwindow.h"
#include "ui_mainwindow.h"

bool MainWindow::isNumeric(const QString &) { return true; }
bool MainWindow::isPhoneNumber(const QString &) { return true; }
bool MainWindow::isIpAddress(const QString &) { return true; }
bool MainWindow::isHexOrEmpty(const QString &) { return true; }

void MainWindow::input_g1() {}
void MainWindow::input_g2() {}
void MainWindow::input_g3() {}
void MainWindow::input_g4() {}
void MainWindow::input_g5() {}
void MainWindow::input_g6() {}
