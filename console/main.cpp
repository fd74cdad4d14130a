// tolvemar-log: the vacazioni and the fee of a work log saved as CSV by a spreadsheet.
//   tolvemar-log [opzioni] FILE|-
// Prints each day's vacazioni, the sessions left out, the amounts and the request's deadline, or
// with --json one JSON object. A bad file or option: an Italian message on standard error, nothing
// on standard output, status 2.

#include "report.h"
#include "usage.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

namespace {

struct Options {
    fee::Period period;
    fee::Claim claim;
    QString path;
    bool json = false;
};

std::optional<QDate> dateOption(const QString &text) {
    const QDate date = QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
    if (text.size() != 10 || !date.isValid())
        return std::nullopt;
    return date;
}

// A whole number from `least` to `most`, in ASCII digits.
std::optional<int> numberOption(const QString &text, int least, int most) {
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < least || value > most)
        return std::nullopt;
    return value;
}

std::variant<Options, QString> parseOptions(QCommandLineParser &parser, const QStringList &args) {
    const QCommandLineOption tariff(QStringLiteral("tariffa"),
                                    QStringLiteral("Tariffa: 2002 (decreto del 30 maggio 2002, "
                                                   "predefinita) o 2025 (sentenza 16/2025)."),
                                    QStringLiteral("anno"), QStringLiteral("2002"));
    const QCommandLineOption appointment(QStringLiteral("conferimento"),
                                         QStringLiteral("Data del conferimento dell'incarico."),
                                         QStringLiteral("gg/mm/aaaa"));
    const QCommandLineOption deadline(QStringLiteral("termine"),
                                      QStringLiteral("Termine per il deposito."),
                                      QStringLiteral("gg/mm/aaaa"));
    const QCommandLineOption extension(QStringLiteral("proroga"),
                                       QStringLiteral("Termine prorogato; anche più volte."),
                                       QStringLiteral("gg/mm/aaaa"));
    const QCommandLineOption urgency(QStringLiteral("urgenza"),
                                     QStringLiteral("Aumento per urgenza, in per cento."),
                                     QStringLiteral("pct"), QStringLiteral("0"));
    const QCommandLineOption increase(QStringLiteral("maggiorazione"),
                                      QStringLiteral("Maggiorazione dell'art. 52, in per cento."),
                                      QStringLiteral("pct"), QStringLiteral("0"));
    const QCommandLineOption panel(QStringLiteral("collegio"),
                                   QStringLiteral("Componenti del collegio peritale."),
                                   QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Un solo oggetto JSON invece del testo."));
    parser.setApplicationDescription(
        QStringLiteral("Vacazioni e compenso di un registro delle operazioni in CSV (%1).")
            .arg(QLatin1String(fee::kLogCsvHeader)));
    parser.addOptions({tariff, appointment, deadline, extension, urgency, increase, panel, json});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Il registro in CSV, o - per lo standard input."));
    if (const QString error = parseError(parser, args); !error.isEmpty())
        return error;

    Options o;
    o.json = parser.isSet(json);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return QStringLiteral("Serve un solo file del registro (o - per lo standard input).");
    o.path = files.first();

    const QString tariffText = parser.value(tariff);
    if (tariffText == u"2002")
        o.claim.tariff = fee::Tariff::Decree2002;
    else if (tariffText == u"2025")
        o.claim.tariff = fee::Tariff::Ruling2025;
    else
        return QStringLiteral("--tariffa %1: la tariffa è 2002 o 2025.").arg(tariffText);

    const auto date = [&parser](const QCommandLineOption &option, QDate &into) -> QString {
        if (!parser.isSet(option))
            return {};
        const auto value = dateOption(parser.value(option));
        if (!value)
            return QStringLiteral("--%1 %2: non è una data (gg/mm/aaaa).")
                .arg(option.names().first(), parser.value(option));
        into = *value;
        return {};
    };
    if (QString fault = date(appointment, o.period.appointment); !fault.isEmpty())
        return fault;
    if (QString fault = date(deadline, o.period.deadline); !fault.isEmpty())
        return fault;
    for (const QString &text : parser.values(extension)) {
        const auto value = dateOption(text);
        if (!value)
            return QStringLiteral("--proroga %1: non è una data (gg/mm/aaaa).").arg(text);
        o.period.extensions.append(*value);
    }
    const QDate appointed = o.period.appointment;
    QList<QDate> deadlines = o.period.extensions;
    deadlines.prepend(o.period.deadline);
    for (QDate d : deadlines) {
        if (appointed.isValid() && d.isValid() && d < appointed)
            return QStringLiteral("Il termine del %1 viene prima del conferimento del %2.")
                .arg(d.toString(QStringLiteral("dd/MM/yyyy")),
                     appointed.toString(QStringLiteral("dd/MM/yyyy")));
    }

    const auto percent = [&parser](const QCommandLineOption &option, int &into) -> QString {
        const auto value = numberOption(parser.value(option), 0, 100);
        if (!value)
            return QStringLiteral("--%1 %2: la percentuale è un numero intero da 0 a 100.")
                .arg(option.names().first(), parser.value(option));
        into = *value;
        return {};
    };
    if (QString fault = percent(urgency, o.claim.urgencyPercent); !fault.isEmpty())
        return fault;
    if (QString fault = percent(increase, o.claim.increasePercent); !fault.isEmpty())
        return fault;
    // Art. 4, paragraph 3, law 319/1980: the urgency the appointment's time allows.
    const int bound = fee::urgencyBound(o.period);
    if (o.claim.urgencyPercent > bound)
        return QStringLiteral(
                   "--urgenza %1: con questi conferimento e termine l'aumento per "
                   "urgenza può arrivare al massimo a %2 % (art. 4, comma 3, legge 319/1980).")
            .arg(o.claim.urgencyPercent)
            .arg(bound);
    const auto members = numberOption(parser.value(panel), 1, 100);
    if (!members)
        return QStringLiteral("--collegio %1: i componenti del collegio vanno da 1 a 100.")
            .arg(parser.value(panel));
    o.claim.panel = *members;
    return o;
}

std::variant<console::Report, QString> run(const QStringList &args, bool &json) {
    QCommandLineParser parser;
    auto options = parseOptions(parser, args);
    if (const QString *fault = std::get_if<QString>(&options))
        return *fault;
    const Options &o = std::get<Options>(options);
    json = o.json;
    const auto bytes = console::readInput(o.path);
    if (const QString *fault = std::get_if<QString>(&bytes))
        return *fault;
    auto read = fee::readLogCsv(std::get<QByteArray>(bytes));
    if (const QString *fault = std::get_if<QString>(&read))
        return (o.path == u"-" ? QString() : o.path + QStringLiteral(": ")) + *fault;

    console::Report report;
    report.lines = std::get<QList<fee::LogLine>>(std::move(read));
    QList<fee::Session> sessions;
    sessions.reserve(report.lines.size());
    for (const fee::LogLine &line : report.lines)
        sessions.append(line.session);
    report.totals = fee::logTotals(sessions, o.period);
    report.claim = o.claim;
    const auto settlement = fee::settle(report.totals.halves, o.claim);
    if (const QString *fault = std::get_if<QString>(&settlement))
        return *fault;
    report.settlement = std::get<fee::Settlement>(settlement);
    report.requestDeadline = fee::requestDeadline(fee::completionDate(QDate(), sessions));
    return report;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvemar-log"));
    const QStringList args = QCoreApplication::arguments();
    if (asksForHelp(args)) {
        QCommandLineParser parser;
        parseOptions(parser, {args.first()});
        return printHelp(parser, args.first(), app.applicationName());
    }
    bool json = false;
    const auto result = run(args, json);
    if (const QString *fault = std::get_if<QString>(&result))
        return finish(*fault);
    const console::Report &report = std::get<console::Report>(result);
    return finish(json ? console::reportJson(report) : console::reportText(report).toUtf8());
}
