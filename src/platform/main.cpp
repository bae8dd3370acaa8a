#include <QApplication>

#include "form_runtime.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FormRuntime runtime;
    runtime.show();
    return QApplication::exec();
}
