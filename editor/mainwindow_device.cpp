#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::show_port()
{
}

void MainWindow::status()
{
}
