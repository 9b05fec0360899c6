#include "ui/app/AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zorvex {

bool loadQtTranslations()
{
    static QTranslator* translator = nullptr;
    if (translator)
        return true;
    auto* t = new QTranslator(qApp);
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    if (!t->load(polish, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("zorvex"));
    // No display name: Qt would append it to every caption.
    QApplication::setQuitOnLastWindowClosed(false);
    loadQtTranslations();
}

} // namespace zorvex
