#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::applyDeviceType(int) {}
void MainWindow::gprsFrameEnable() {}
void MainWindow::gprsFrameDisable() {}
void MainWindow::smsFrameEnable() {}
void MainWindow::smsFrameDisable() {}
void MainWindow::voiceFrameEnable() {}
void MainWindow::voiceFrameDisable() {}
