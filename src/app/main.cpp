#include "ui/app/AppSetup.h"
#include "ui/app/Application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    zorvex::setUpApplication();
    zorvex::Application app;
    return app.run(QApplication::arguments());
}
