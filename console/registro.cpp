// tolvemar-registro: the register of assignments, read-only, on the command line.
//   tolvemar-registro scadenze [--entro GIORNI] [--json]
//   tolvemar-registro calendario FILE.ics
//   tolvemar-registro crediti [--json]
// Reads the register the program keeps (or --registro FILE) and never makes or changes it: with
// no register yet the lists are empty. An unreadable register or a bad option: an Italian
// message on standard error, nothing on standard output, status 2.

#include "registro.h"
#include "deadlines.h"
#include "expert.h"
#include "register.h"
#include "usage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kMostDays = 36600;

const QCommandLineOption registerOption(
    QStringLiteral("registro"),
    QStringLiteral("Un altro registro, ad esempio una copia (predefinito: quello del programma)."),
    QStringLiteral("file"));
const QCommandLineOption
    todayOption(QStringLiteral("oggi"),
                QStringLiteral("Il giorno a cui riferire scadenze e crediti (predefinito: oggi)."),
                QStringLiteral("aaaa-mm-gg"));
const QCommandLineOption withinOption(QStringLiteral("entro"),
                                      QStringLiteral("scadenze: solo quelle entro tanti giorni."),
                                      QStringLiteral("giorni"));
const QCommandLineOption jsonOption(QStringLiteral("json"),
                                    QStringLiteral("scadenze, crediti: un elenco JSON invece del "
                                                   "testo."));

const QString kCommands = QStringLiteral("scadenze, calendario FILE.ics o crediti");

void describe(QCommandLineParser &parser) {
    parser.setApplicationDescription(
        QStringLiteral("Le scadenze e i crediti del registro degli incarichi, in sola lettura.\n"
                       "  scadenze     le scadenze da oggi in poi, per data\n"
                       "  calendario   le scadenze in un file iCalendar (.ics)\n"
                       "  crediti      gli importi liquidati ancora da incassare"));
    parser.addOptions({registerOption, todayOption, withinOption, jsonOption});
    parser.addPositionalArgument(QStringLiteral("comando"), kCommands);
}

std::optional<int> daysOption(const QString &text) {
    if (text.isEmpty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const int days = text.toInt();
    if (days > kMostDays)
        return std::nullopt;
    return days;
}

struct Command {
    QString name;
    QString calendar; // calendario's file
    QDate today;
    std::optional<int> within;
    bool json = false;
    QString path;
};

std::variant<Command, QString> parseCommand(const QStringList &args) {
    QCommandLineParser parser;
    describe(parser);
    if (const QString error = parseError(parser, args); !error.isEmpty())
        return error;
    QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return QStringLiteral("Manca il comando: %1.").arg(kCommands);
    Command c;
    c.name = words.takeFirst();
    if (c.name != u"scadenze" && c.name != u"calendario" && c.name != u"crediti")
        return QStringLiteral("Comando sconosciuto: %1 (%2).").arg(c.name, kCommands);
    if (c.name == u"calendario") {
        if (words.isEmpty())
            return QStringLiteral("Manca il file: tolvemar-registro calendario FILE.ics.");
        c.calendar = words.takeFirst();
    }
    if (!words.isEmpty())
        return QStringLiteral("Argomento inatteso: %1.").arg(words.first());
    if (parser.isSet(withinOption) && c.name != u"scadenze")
        return QStringLiteral("--entro vale solo per scadenze.");
    if (parser.isSet(jsonOption) && c.name == u"calendario")
        return QStringLiteral("--json non vale per calendario.");
    c.json = parser.isSet(jsonOption);
    if (parser.isSet(withinOption)) {
        c.within = daysOption(parser.value(withinOption));
        if (!c.within)
            return QStringLiteral("--entro: «%1» non è un numero di giorni da 0 a %2.")
                .arg(parser.value(withinOption))
                .arg(kMostDays);
    }
    c.today = QDate::currentDate();
    if (parser.isSet(todayOption)) {
        const QString text = parser.value(todayOption);
        c.today = QDate::fromString(text, Qt::ISODate);
        if (text.size() != 10 || !c.today.isValid())
            return QStringLiteral("--oggi: «%1» non è una data aaaa-mm-gg.").arg(text);
    }
    c.path = QFileInfo(parser.isSet(registerOption) ? parser.value(registerOption)
                                                    : assignments::Register::defaultPath())
                 .absoluteFilePath();
    return c;
}

std::variant<QByteArray, QString> run(const Command &c) {
    // No register yet is no deadline and no credit: nothing is made to say so.
    std::unique_ptr<assignments::Register> reg;
    if (QFileInfo::exists(c.path)) {
        auto opened = assignments::Register::open(c.path, assignments::Register::Mode::ReadOnly);
        if (QString *fault = std::get_if<QString>(&opened))
            return *fault;
        reg = std::move(std::get<std::unique_ptr<assignments::Register>>(opened));
    }
    if (c.name == u"crediti") {
        QList<assignments::Credit> credits;
        const auto details = assignments::fiscalDetails(assignments::readExpert());
        if (reg) {
            auto read = reg->credits(c.today, details);
            if (QString *fault = std::get_if<QString>(&read))
                return *fault;
            credits = std::get<QList<assignments::Credit>>(read);
        }
        return c.json ? console::creditsJson(credits, details.has_value())
                      : console::creditsText(credits, details.has_value());
    }
    QList<assignments::CalendarCase> cases;
    if (reg) {
        auto read = assignments::deadlineCases(*reg);
        if (QString *fault = std::get_if<QString>(&read))
            return *fault;
        cases = std::get<QList<assignments::CalendarCase>>(read);
    }
    if (c.name == u"calendario") {
        if (auto fault = assignments::writeCalendar(c.calendar, cases, c.path, c.today))
            return *fault;
        return QByteArray();
    }
    const QList<console::Due> due = console::deadlinesAhead(cases, c.today, c.within);
    return c.json ? console::deadlinesJson(due) : console::deadlinesText(due);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The window's names: they place the register, Register::defaultPath.
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvemar"));
    QCoreApplication::setApplicationName(QStringLiteral("CalcoloCT"));
    const QStringList args = QCoreApplication::arguments();
    if (asksForHelp(args)) {
        QCommandLineParser parser;
        describe(parser);
        return printHelp(parser, args.first(), QStringLiteral("tolvemar-registro"));
    }
    const auto command = parseCommand(args);
    if (const QString *fault = std::get_if<QString>(&command))
        return finish(*fault);
    return finish(run(std::get<Command>(command)));
}
