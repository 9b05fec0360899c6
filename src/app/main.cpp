#include "ui/app/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zorvex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvex"));
    QApplication::setQuitOnLastWindowClosed(false);
    zorvex::Application app;
    return app.run(QApplication::arguments());
}
