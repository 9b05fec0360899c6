// zorvex-service-sim: the vendor's web service on loopback, with sample
// data, fault switches and a request log, so every internet feature can be
// tried and tested offline.

#include "lib/ServiceSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

using namespace zorvex::sim;

int fail(const QString& message)
{
    QTextStream(stderr) << QStringLiteral("zorvex-service-sim: ") << message << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorvex-service-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Symulator usługi internetowej Zorvex na 127.0.0.1.\n"
        "Na standardowe wyjście wypisuje jeden wiersz: swój adres bazowy.\n"
        "Adres usługi to adres bazowy + \"serwis.php?l=\", shoutboxa + \"shoutbox.php?w=\",\n"
        "stron dodatków + \"dodatki.php?id=\".\n"
        "W trakcie pracy usterkę zmienia GET /_sim/fault?kind=RODZAJ&endpoint=E (kind=none ją kończy).\n"
        "Rodzaje usterek: ")
        + faultNames().join(QStringLiteral(", ")));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port (0: dowolny wolny)."), QStringLiteral("N"),
                                  QStringLiteral("0"));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("Usterka odpowiedzi."), QStringLiteral("RODZAJ"));
    const QCommandLineOption faultEndpoint(QStringLiteral("fault-endpoint"),
                                           QStringLiteral("Usterka tylko dla tego adresu (np. /listamap.php, pogoda.php, "
                                                          "/dodatki/*); można powtórzyć."),
                                           QStringLiteral("E"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Dziennik żądań, jeden wiersz na żądanie."),
                                 QStringLiteral("PLIK"));
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder danych zamiast wbudowanych."),
                                  QStringLiteral("FOLDER"));
    const QCommandLineOption dripMs(QStringLiteral("drip-ms"), QStringLiteral("Odstęp między bajtami przy usterce drip (ms)."),
                                    QStringLiteral("MS"), QStringLiteral("100"));
    const QCommandLineOption oversize(QStringLiteral("oversize-bytes"),
                                      QStringLiteral("Długość odpowiedzi przy usterce oversized."), QStringLiteral("BAJTY"),
                                      QString::number(SimOptions().oversizeBytes));
    const QCommandLineOption updateNumber(QStringLiteral("update-number"),
                                          QStringLiteral("Numer aktualizacji programu w odpowiedziach."),
                                          QStringLiteral("NUMER"), SimOptions().updateNumber);
    parser.addOptions({port, fault, faultEndpoint, log, data, dripMs, oversize, updateNumber});
    parser.process(app);

    SimOptions options;
    bool ok = false;
    const uint portNumber = parser.value(port).toUInt(&ok);
    if (!ok || portNumber > 65535)
        return fail(QStringLiteral("niepoprawny port: ") + parser.value(port));
    if (parser.isSet(fault)) {
        const auto kind = faultFromName(parser.value(fault));
        if (!kind)
            return fail(QStringLiteral("nieznana usterka: %1 (dostępne: %2)")
                            .arg(parser.value(fault), faultNames().join(QStringLiteral(", "))));
        options.fault.kind = *kind;
        options.fault.endpoints = parser.values(faultEndpoint);
    }
    if (parser.isSet(faultEndpoint) && !parser.isSet(fault))
        return fail(QStringLiteral("--fault-endpoint bez --fault"));
    options.logFile = parser.value(log);
    if (parser.isSet(data))
        options.dataFolder = parser.value(data);
    options.dripMs = parser.value(dripMs).toInt(&ok);
    if (!ok || options.dripMs < 0)
        return fail(QStringLiteral("niepoprawny odstęp: ") + parser.value(dripMs));
    options.oversizeBytes = parser.value(oversize).toLongLong(&ok);
    if (!ok || options.oversizeBytes < 0)
        return fail(QStringLiteral("niepoprawna długość: ") + parser.value(oversize));
    options.updateNumber = parser.value(updateNumber);

    ServiceSimulator simulator(options);
    if (!simulator.listen(quint16(portNumber)))
        return fail(simulator.errorString());

    // The one line on stdout is what a test waits for.
    std::fputs(qPrintable(simulator.baseUrl() + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
    QTextStream(stderr) << QStringLiteral("Adres usługi: ") << simulator.serviceBaseUrl() << '\n'
                        << QStringLiteral("Adres shoutboxa: ") << simulator.shoutboxBaseUrl() << '\n'
                        << QStringLiteral("Adres stron dodatków: ") << simulator.addonsBaseUrl() << Qt::endl;
    return app.exec();
}
