#include "ui/internet/InternetMessages.h"

#include "platform/internet/InternetCheck.h"
#include "ui/common/Messages.h"

namespace zorvex {

QString serverProblemText(const QString& detail)
{
    QString text = QStringLiteral("Wystąpił problem podczas połączenia z serwerem, spróbuj ponownie później.\n\n"
                                  "Problem ten nie jest spowodowany przez Zorvex.");
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    return text;
}

QMessageBox* ShowServerProblem(Prompts& prompts, const QString& detail)
{
    QMessageBox* box = prompts.window(QMessageBox::Warning, QStringLiteral("Zorvex"), serverProblemText(detail));
    if (box)
        box->setObjectName(QStringLiteral("ServerProblem"));
    return box;
}

bool InternetAvailable(Prompts& prompts, const InterfaceProbe& probe, const QString& targetUrl, bool showMessage)
{
    if (internetReachable(probe, targetUrl))
        return true;
    if (showMessage) {
        if (QMessageBox* box = prompts.window(QMessageBox::Warning, QStringLiteral("Zorvex"),
                                              QString::fromUtf8(kNoInternetText)))
            box->setObjectName(QStringLiteral("NoInternet"));
    }
    return false;
}

} // namespace zorvex
