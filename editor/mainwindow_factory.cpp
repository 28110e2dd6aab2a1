#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::resetFactoryDefaults()
{
}

void MainWindow::writeFactoryImage(int)
{
}
