#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThread;

namespace zorvex {

class DesktopIcons;

// "Zapisz pozycje ikon" and "Przywróć pozycje ikon": the desktop's icon
// places to the `Ikony_` file and back. The desktop is asked on a worker
// thread (its programs and files may take their time); one job at a time.
class IconLayoutService : public QObject {
    Q_OBJECT
public:
    using IconsFactory = std::function<std::unique_ptr<DesktopIcons>()>;

    // The desktop is found on first use, and again while none was found:
    // the desktop's program may start after this one.
    IconLayoutService(const QString& layoutFile, IconsFactory factory, QObject* parent = nullptr);
    ~IconLayoutService() override;

    // Start the job; the reason it cannot, empty when it started.
    QString save();
    QString restore();
    bool busy() const { return m_worker != nullptr; }

    // What the menu entries say where no desktop keeps icon places.
    static QString notAvailableText();

signals:
    // Empty on success (or when there was nothing to do).
    void finished(const QString& error);

private:
    QString start(std::function<QString(DesktopIcons&)> job);

    QString m_file;
    IconsFactory m_factory;
    std::shared_ptr<DesktopIcons> m_icons;
    QThread* m_worker = nullptr;
};

} // namespace zorvex
