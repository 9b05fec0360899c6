#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace zorvex::test {

// A fresh folder for each test function, and the tag files written into it.
class FixtureFolder {
public:
    // Called from init(): the previous test's files go with their folder.
    bool renew()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        return m_dir->isValid();
    }

    QString path() const { return m_dir->path(); }
    QString filePath(const QString& name) const { return m_dir->filePath(name); }

    QString write(const QByteArray& bytes, const QString& name) const
    {
        const QString path = filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write the fixture");
        return path;
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace zorvex::test
