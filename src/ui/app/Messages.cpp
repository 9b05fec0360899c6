#include "ui/app/Messages.h"

#include <QMessageBox>

#include <cstdio>

namespace zorvex {
namespace {

bool g_silent = false;

void log(const QString& caption, const QString& text)
{
    QString line = caption + QLatin1String(": ") + text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

int run(QMessageBox::Icon icon, const QString& caption, const QString& text, QMessageBox::StandardButtons buttons,
        QWidget* parent, bool topMost)
{
    log(caption, text);
    if (g_silent)
        return QMessageBox::No;
    QMessageBox box(icon, caption, text, buttons, parent);
    if (topMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

} // namespace

void setMessageBoxesSilent(bool silent)
{
    g_silent = silent;
}

bool messageBoxesSilent()
{
    return g_silent;
}

void showError(const QString& text, QWidget* parent)
{
    run(QMessageBox::Critical, QString::fromUtf8(kErrorCaption), text, QMessageBox::Ok, parent, false);
}

void showInformation(const QString& caption, const QString& text, QWidget* parent)
{
    run(QMessageBox::Information, caption, text, QMessageBox::Ok, parent, false);
}

bool askYesNo(const QString& caption, const QString& text, QWidget* parent, bool topMost)
{
    return run(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent, topMost)
        == QMessageBox::Yes;
}

} // namespace zorvex
