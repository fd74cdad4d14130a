// tolvemar-onorario: a fee by value or a fixed fee of the tables of the decree of 30 May 2002.
//   tolvemar-onorario --articolo ID [--valore IMPORTO] [--ricavi IMPORTO] [--riduzione R]
//                     [--quantita N] [--json]
//   tolvemar-onorario --elenco [--json]
// A bad option, article, value or reduction: an Italian message on standard error, nothing on
// standard output, status 2.

#include "onorario.h"
#include "tablefeetext.h"
#include "usage.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const QCommandLineOption articleOption(QStringLiteral("articolo"),
                                       QStringLiteral("Articolo delle tabelle: 13, 6.1, ..."),
                                       QStringLiteral("id"));
const QCommandLineOption valueOption(QStringLiteral("valore"),
                                     QStringLiteral("Il valore (per l'art. 4 il totale delle "
                                                    "attività), ad esempio 650.000,00."),
                                     QStringLiteral("importo"));
const QCommandLineOption revenueOption(QStringLiteral("ricavi"),
                                       QStringLiteral("Art. 4: il totale dei ricavi lordi."),
                                       QStringLiteral("importo"));
const QCommandLineOption reductionOption(
    QStringLiteral("riduzione"),
    QStringLiteral("Riduzione dell'articolo: sommaria o giudizio (art. 13), precedente "
                   "(art. 8.3), non-commerciale (art. 4)."),
    QStringLiteral("riduzione"));
const QCommandLineOption quantityOption(
    QStringLiteral("quantita"),
    QStringLiteral("Per gli articoli pagati a reperto, campione o sostanza: quanti, da 1 a 9999 "
                   "(1 se manca)."),
    QStringLiteral("n"));
const QCommandLineOption listOption(QStringLiteral("elenco"),
                                    QStringLiteral("Gli articoli offerti."));
const QCommandLineOption jsonOption(QStringLiteral("json"),
                                    QStringLiteral("Un solo oggetto JSON invece del testo."));

void describe(QCommandLineParser &parser) {
    parser.setApplicationDescription(
        QStringLiteral("Compensi a percentuale e fissi delle tabelle del DM 30 maggio 2002."));
    parser.addOptions({articleOption, valueOption, revenueOption, reductionOption, quantityOption,
                       listOption, jsonOption});
}

std::variant<QByteArray, QString> run(const QStringList &args) {
    QCommandLineParser parser;
    describe(parser);
    if (const QString error = parseError(parser, args); !error.isEmpty())
        return error;
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Argomento inatteso: %1.").arg(parser.positionalArguments().first());
    const auto found = fee::decreeOn(QDate::currentDate());
    if (const QString *fault = std::get_if<QString>(&found))
        return *fault;
    const fee::Decree &decree = *std::get<const fee::Decree *>(found);
    const bool json = parser.isSet(jsonOption);

    if (parser.isSet(listOption)) {
        if (parser.isSet(articleOption) || parser.isSet(valueOption) ||
            parser.isSet(revenueOption) || parser.isSet(reductionOption) ||
            parser.isSet(quantityOption))
            return QStringLiteral("--elenco non va con altre opzioni che --json.");
        if (json)
            return console::articlesJson(decree);
        QString text = QStringLiteral("Articoli delle %1:\n").arg(decree.basis);
        for (const fee::TableArticle &a : decree.articles)
            text += QStringLiteral("  %1 (%2%3, %4)\n")
                        .arg(fee::articleShortTitle(a),
                             a.kind == fee::FeeKind::Fixed ? QStringLiteral("fisso")
                                                           : QStringLiteral("a percentuale"),
                             a.quantity ? QStringLiteral(" per ") + a.quantity->one : QString(),
                             a.source == fee::FeeSource::Single ? QStringLiteral("fonte unica")
                                                                : QStringLiteral("confermato"));
        return text.toUtf8();
    }

    if (!parser.isSet(articleOption))
        return QStringLiteral("Manca --articolo (gli articoli offerti con --elenco).");
    const fee::TableArticle *article = decree.article(parser.value(articleOption));
    if (!article)
        return decree.unknownArticleMessage(parser.value(articleOption));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto amount = [&](const QCommandLineOption &option) -> std::variant<fee::Cents, QString> {
        if (!parser.isSet(option))
            return fee::Cents(0);
        auto cents = fee::parseAmount(parser.value(option), italian);
        if (const QString *fault = std::get_if<QString>(&cents))
            return QStringLiteral("--%1: %2").arg(option.names().first(), *fault);
        return cents;
    };
    QList<fee::Cents> values;
    if (article->kind == fee::FeeKind::Fixed) {
        if (parser.isSet(valueOption) || parser.isSet(revenueOption))
            return QStringLiteral("L'art. %1 è un compenso fisso: non serve un valore.")
                .arg(article->id);
    } else {
        const bool twoTables = article->tables.size() == 2;
        if (!twoTables && parser.isSet(revenueOption))
            return QStringLiteral("--ricavi vale solo per l'art. 4.");
        if (!parser.isSet(valueOption) && !(twoTables && parser.isSet(revenueOption)))
            return QStringLiteral("Manca --valore per l'art. %1.").arg(article->id);
        for (const QCommandLineOption *option : {&valueOption, &revenueOption}) {
            if (values.size() == article->tables.size())
                break;
            const auto cents = amount(*option);
            if (const QString *fault = std::get_if<QString>(&cents))
                return *fault;
            values.append(std::get<fee::Cents>(cents));
        }
    }
    int quantity = 1;
    if (parser.isSet(quantityOption)) {
        bool whole = false;
        const QString typed = parser.value(quantityOption);
        quantity = typed.toInt(&whole);
        if (!article->quantity)
            return fee::quantityError(*article, 0); // refused even at 1
        if (!whole || typed.trimmed() != typed || typed.startsWith(u'+') || quantity < 1 ||
            quantity > fee::kMaxQuantity)
            return QStringLiteral("--quantita: «%1» non è un numero intero da 1 a %2.")
                .arg(typed)
                .arg(fee::kMaxQuantity);
    }
    const auto computed = fee::tableFee(*article, values, parser.value(reductionOption), quantity);
    if (const QString *fault = std::get_if<QString>(&computed))
        return *fault;
    const fee::TableFee &result = std::get<fee::TableFee>(computed);
    return json ? console::tableFeeJson(*article, result)
                : fee::tableFeeText(decree, *article, result).toUtf8();
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvemar-onorario"));
    const QStringList args = QCoreApplication::arguments();
    if (asksForHelp(args)) {
        QCommandLineParser parser;
        describe(parser);
        return printHelp(parser, args.first(), QStringLiteral("tolvemar-onorario"));
    }
    return finish(run(args));
}
