// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for the CPU measurement: a window of Tacolina's size whose 5 ms
// precise timer fires and does nothing.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.menuBar()->addMenu(QStringLiteral("Velocitat"));
    auto* client = new QWidget(&window);
    client->setFixedSize(271, 254);
    window.setCentralWidget(client);
    window.show();

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(5);
    return QApplication::exec();
}
