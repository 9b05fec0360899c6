#include "ui/common/Messages.h"

#include "ui/common/BringToFront.h"

#include <QPointer>

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

QMessageBox* openWindow(QMessageBox::Icon icon, const QString& caption, const QString& text,
                        QMessageBox::StandardButtons buttons, bool topMost)
{
    log(caption, text);
    if (g_silent)
        return nullptr;
    auto* box = new QMessageBox(icon, caption, text, buttons);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    if (topMost)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    bringToFront(box);
    return box;
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

QMessageBox* showMessageWindow(QMessageBox::Icon icon, const QString& caption, const QString& text, bool topMost)
{
    return openWindow(icon, caption, text, QMessageBox::Ok, topMost);
}

QMessageBox* showErrorWindow(const QString& text)
{
    return showMessageWindow(QMessageBox::Critical, QString::fromUtf8(kErrorCaption), text, false);
}

QMessageBox* askYesNoLater(const QString& caption, const QString& text, bool topMost,
                           std::function<void(bool yes)> answered)
{
    QMessageBox* box =
        openWindow(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, topMost);
    if (!box) {
        if (answered)
            answered(false);
        return nullptr;
    }
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
        if (answered)
            answered(box->clickedButton() == box->button(QMessageBox::Yes));
    });
    return box;
}

QMessageBox* showNotAvailableYet()
{
    static QPointer<QMessageBox> notice;
    const QString text = QString::fromUtf8(kNotAvailableYet);
    if (notice) {
        log(notice->windowTitle(), text);
        bringToFront(notice);
        return notice;
    }
    notice = showMessageWindow(QMessageBox::Information, QStringLiteral("Zorvex"), text, false);
    if (notice)
        notice->setObjectName(QStringLiteral("notAvailableNotice"));
    return notice;
}

} // namespace zorvex
