#include <QApplication>
#include <QIcon>

#include "form_runtime.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("tacolina"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tacolina-64.png")));
    FormRuntime runtime;
    runtime.show();
    return QApplication::exec();
}
