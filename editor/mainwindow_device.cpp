#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::show_port()
{
}

void MainWindow::status()
{
}

void MainWindow::resetFactoryDefaults()
{
}

void MainWindow::writeFactoryImage(int)
{
}

void MainWindow::nevjegy()
{
}
