#include "app/Application.h"
#include "ui/app/AppSetup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    zorvex::setUpApplication();
    zorvex::Application app;
    return app.run(QApplication::arguments());
}
