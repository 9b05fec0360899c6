// Without libFuzzer: runs every file named (or found in a folder named) on
// the command line through the target once, so the seeds and every input
// that once failed stay regression cases of the ordinary test run.
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int ran = 0;
    auto runFile = [&ran](const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = f.read(4 * 1024 * 1024);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        ++ran;
    };
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                runFile(it.next());
        } else {
            runFile(arg);
        }
    }
    std::printf("%d inputs\n", ran);
    return ran > 0 ? 0 : 1;
}
