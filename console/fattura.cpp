// tolvemar-fattura: the electronic invoice (FatturaPA) of a party's part of a liquidation.
//   tolvemar-fattura [--uscita FILE] [FILE|-]
// Reads one invoice as JSON and writes its XML, checked against the official schema, to standard
// output or whole to FILE. Bad input: an Italian message on standard error, nothing on standard
// output, no file, status 2.

#include "json.h"
#include "usage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

namespace {

const QCommandLineOption outputOption(QStringLiteral("uscita"),
                                      QStringLiteral("Scrive la fattura nel file invece che "
                                                     "sullo standard output."),
                                      QStringLiteral("file"));

void describe(QCommandLineParser &parser) {
    parser.setApplicationDescription(
        QStringLiteral("Fattura elettronica (FatturaPA) della quota di una parte, dal JSON. "
                       "Non firma e non invia il file."));
    parser.addOption(outputOption);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("La fattura in JSON; senza, o con -, lo standard input."));
}

std::variant<QByteArray, QString> run(const QStringList &args) {
    QCommandLineParser parser;
    describe(parser);
    if (const QString error = parseError(parser, args); !error.isEmpty())
        return error;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return QStringLiteral("Argomento inatteso: %1.").arg(positional[1]);
    const QString path = positional.value(0, QStringLiteral("-"));
    QFile file;
    const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                     : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened)
        return QStringLiteral("Non riesco ad aprire %1: %2.").arg(path, file.errorString());
    const auto read = invoice::invoiceFromJson(file.readAll());
    if (const QString *fault = std::get_if<QString>(&read))
        return *fault;
    const auto made = invoice::makeInvoice(std::get<invoice::Invoice>(read), QDate::currentDate());
    if (const QString *fault = std::get_if<QString>(&made))
        return *fault;
    const QByteArray &xml = std::get<invoice::Document>(made).xml;
    if (!parser.isSet(outputOption))
        return xml;
    if (const QString fault = invoice::writeInvoiceFile(xml, parser.value(outputOption));
        !fault.isEmpty())
        return fault;
    return QByteArray();
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvemar-fattura"));
    const QStringList args = QCoreApplication::arguments();
    if (asksForHelp(args)) {
        QCommandLineParser parser;
        describe(parser);
        return printHelp(parser, args.first(), QStringLiteral("tolvemar-fattura"));
    }
    return finish(run(args));
}
