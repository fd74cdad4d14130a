#include "tables.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace fee {

namespace {

// "51645.69" with at most `decimals` decimals, scaled by 10^decimals; nothing for any other text.
std::optional<qint64> scaled(const QJsonValue &value, int decimals) {
    const QString text = value.toString();
    const qsizetype point = text.indexOf(u'.');
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (whole.isEmpty() || whole.size() > 12 || fraction.size() > decimals ||
        (point >= 0 && fraction.isEmpty()))
        return std::nullopt;
    qint64 result = 0;
    for (QChar c : whole + fraction.leftJustified(decimals, u'0')) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        result = result * 10 + (c.unicode() - u'0');
    }
    return result;
}

std::variant<ValueTable, QString> readTable(const QJsonObject &object) {
    ValueTable table{object.value(u"name").toString(), object.value(u"value").toString(), {}};
    const QJsonArray brackets = object.value(u"brackets").toArray();
    if (brackets.isEmpty() || table.value.isEmpty())
        return QStringLiteral("una tabella senza scaglioni o senza il valore su cui si applica");
    for (const QJsonValue &row : brackets) {
        const QJsonArray cells = row.toArray();
        const auto upTo = scaled(cells.at(0), 2);
        const auto low = scaled(cells.at(1), 5), high = scaled(cells.at(2), 5);
        if (cells.size() != 3 || !upTo || !low || !high || *low > *high ||
            *high > 100 * kRateUnitsPerPercent)
            return QStringLiteral("lo scaglione %1 non è un limite con due aliquote")
                .arg(QString::fromUtf8(QJsonDocument(cells).toJson(QJsonDocument::Compact)));
        if (!table.brackets.isEmpty() && *upTo <= table.brackets.last().upTo)
            return QStringLiteral("gli scaglioni non crescono (%1)").arg(euroText(*upTo));
        table.brackets.append({*upTo, *low, *high});
    }
    return table;
}

std::variant<TableArticle, QString> readArticle(const QJsonObject &object) {
    TableArticle a;
    a.id = object.value(u"article").toString();
    a.subject = object.value(u"subject").toString();
    a.shortName = object.value(u"short").toString(a.subject);
    const QString kind = object.value(u"kind").toString();
    if (a.id.isEmpty() || a.subject.isEmpty() || (kind != u"value" && kind != u"fixed"))
        return QStringLiteral("un articolo senza numero, oggetto o tipo («value» o «fixed»)");
    const QString where = QStringLiteral("art. %1: ").arg(a.id);
    const QString status = object.value(u"status").toString();
    if (status != u"confermato" && status != u"fonte unica")
        return where + QStringLiteral("lo stato non è «confermato» né «fonte unica»");
    a.source = status == u"confermato" ? FeeSource::Confirmed : FeeSource::Single;
    for (const QJsonValue &source : object.value(u"sources").toArray())
        a.sources.append(source.toString());
    if (a.sources.isEmpty() || a.sources.contains(QString()))
        return where + QStringLiteral("mancano le fonti");
    if (kind == u"fixed") {
        a.kind = FeeKind::Fixed;
        const QJsonArray range = object.value(u"range").toArray();
        const bool single = object.contains(u"amount");
        const auto low = scaled(single ? object.value(u"amount") : range.at(0), 2);
        const auto high = scaled(single ? object.value(u"amount") : range.at(1), 2);
        if ((single ? !range.isEmpty() : range.size() != 2) || !low || !high || *low > *high)
            return where + QStringLiteral("il compenso fisso non ha un importo, né un minimo e "
                                          "un massimo");
        a.fixedLow = *low;
        a.fixedHigh = *high;
        if (object.contains(u"quantity")) {
            const QJsonObject q = object.value(u"quantity").toObject();
            const QJsonArray unit = q.value(u"unit").toArray();
            const QString further = q.value(u"further").toString();
            a.quantity =
                ItemQuantity{unit.at(0).toString(), unit.at(1).toString(), further == u"half"};
            if (unit.size() != 2 || a.quantity->one.isEmpty() || a.quantity->many.isEmpty() ||
                (further != u"half" && further != u"full"))
                return where + QStringLiteral("la quantità non ha l'unità o il prezzo delle "
                                              "successive («half» o «full»)");
        }
        return a;
    }
    if (object.contains(u"quantity"))
        return where + QStringLiteral("una quantità vale solo per un compenso fisso");
    const auto minimum = scaled(object.value(u"minimum"), 2);
    if (!minimum)
        return where + QStringLiteral("manca il minimo");
    a.minimum = *minimum;
    const QJsonArray tables = object.value(u"tables").toArray();
    if (tables.isEmpty() || tables.size() > 2)
        return where + QStringLiteral("servono una o due tabelle");
    for (const QJsonValue &t : tables) {
        auto table = readTable(t.toObject());
        if (const QString *fault = std::get_if<QString>(&table))
            return where + *fault;
        a.tables.append(std::get<ValueTable>(std::move(table)));
    }
    for (const QJsonValue &r : object.value(u"reductions").toArray()) {
        const QJsonObject o = r.toObject();
        const QJsonArray keep = o.value(u"keep").toArray();
        TableReduction reduction{o.value(u"id").toString(), o.value(u"name").toString(),
                                 keep.at(0).toInt(), keep.at(1).toInt()};
        if (reduction.id.isEmpty() || reduction.name.isEmpty() || keep.size() != 2 ||
            reduction.keepNumerator < 1 || reduction.keepDenominator < reduction.keepNumerator)
            return where + QStringLiteral("una riduzione senza nome o senza la parte che resta");
        a.reductions.append(reduction);
    }
    return a;
}

std::variant<QList<Decree>, QString> readShipped() {
    QList<Decree> list;
    const QDir folder(QStringLiteral(":/tables"));
    for (const QString &name : folder.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("Non riesco a leggere le tabelle %1.").arg(name);
        auto decree = readDecree(file.readAll());
        if (const QString *fault = std::get_if<QString>(&decree))
            return *fault;
        list.append(std::get<Decree>(std::move(decree)));
    }
    if (list.isEmpty())
        return QStringLiteral("Il programma non ha le tabelle dei compensi a percentuale.");
    std::sort(list.begin(), list.end(),
              [](const Decree &a, const Decree &b) { return a.inForce < b.inForce; });
    return list;
}

} // namespace

QString ItemQuantity::text(int quantity) const {
    return QStringLiteral("n. %1 %2").arg(quantity).arg(quantity == 1 ? one : many);
}

const TableReduction *TableArticle::reduction(QStringView id) const {
    const auto found = std::find_if(reductions.begin(), reductions.end(),
                                    [id](const TableReduction &r) { return r.id == id; });
    return found == reductions.end() ? nullptr : &*found;
}

const TableArticle *Decree::article(QStringView id) const {
    const auto found = std::find_if(articles.begin(), articles.end(),
                                    [id](const TableArticle &a) { return a.id == id; });
    return found == articles.end() ? nullptr : &*found;
}

const UnavailableArticle *Decree::unavailableArticle(QStringView id) const {
    const auto found = std::find_if(unavailable.begin(), unavailable.end(),
                                    [id](const UnavailableArticle &a) { return a.id == id; });
    return found == unavailable.end() ? nullptr : &*found;
}

QString Decree::unknownArticleMessage(const QString &id) const {
    if (const UnavailableArticle *u = unavailableArticle(id))
        return QStringLiteral("Art. %1 - %2: %3.").arg(u->id, u->shortName, u->reason);
    QStringList offered;
    for (const TableArticle &a : articles)
        offered.append(a.id);
    return QStringLiteral("L'articolo «%1» non è tra quelli offerti dalle %2: %3.")
        .arg(id, basis, offered.join(QStringLiteral(", ")));
}

std::variant<Decree, QString> readDecree(const QByteArray &json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    const QString refused = QStringLiteral("Le tabelle non sono valide: %1.");
    if (error.error != QJsonParseError::NoError)
        return refused.arg(error.errorString());
    const QJsonObject root = document.object();
    Decree d{root.value(u"decree").toString(),
             root.value(u"basis").toString(),
             QDate::fromString(root.value(u"in_force").toString(), Qt::ISODate),
             root.value(u"included").toString(),
             root.value(u"single_source_note").toString(),
             {},
             {}};
    if (d.name.isEmpty() || d.basis.isEmpty() || !d.inForce.isValid())
        return refused.arg(QStringLiteral("mancano il decreto, il riferimento o la data"));
    const QJsonArray articles = root.value(u"articles").toArray();
    if (articles.isEmpty())
        return refused.arg(QStringLiteral("nessun articolo"));
    for (const QJsonValue &value : articles) {
        auto article = readArticle(value.toObject());
        if (const QString *fault = std::get_if<QString>(&article))
            return refused.arg(*fault);
        TableArticle &a = std::get<TableArticle>(article);
        if (d.article(a.id))
            return refused.arg(QStringLiteral("l'art. %1 compare due volte").arg(a.id));
        if (a.source == FeeSource::Single && d.singleSourceNote.isEmpty())
            return refused.arg(QStringLiteral("l'art. %1 è di fonte unica e manca la nota che "
                                              "lo dice")
                                   .arg(a.id));
        d.articles.append(std::move(a));
    }
    for (const QJsonValue &value : root.value(u"unavailable").toArray()) {
        const QJsonObject o = value.toObject();
        UnavailableArticle u{o.value(u"article").toString(), o.value(u"subject").toString(),
                             o.value(u"short").toString(), o.value(u"reason").toString()};
        if (u.id.isEmpty() || u.subject.isEmpty() || u.shortName.isEmpty() || u.reason.isEmpty() ||
            d.article(u.id) || d.unavailableArticle(u.id))
            return refused.arg(
                QStringLiteral("un articolo non disponibile senza numero, oggetto o motivo, o "
                               "già elencato («%1»)")
                    .arg(u.id));
        d.unavailable.append(u);
    }
    return d;
}

const std::variant<QList<Decree>, QString> &shippedDecrees() {
    static const std::variant<QList<Decree>, QString> shipped = readShipped();
    return shipped;
}

std::variant<const Decree *, QString> decreeOn(QDate date) {
    const auto &shipped = shippedDecrees();
    if (const QString *fault = std::get_if<QString>(&shipped))
        return *fault;
    const QList<Decree> &list = std::get<QList<Decree>>(shipped);
    const Decree *found = &list.first();
    for (const Decree &d : list) {
        if (d.inForce <= date)
            found = &d;
    }
    return found;
}

QString rateText(RateUnits rate) {
    QString fraction = QStringLiteral("%1").arg(rate % kRateUnitsPerPercent, 5, 10, QChar(u'0'));
    if (fraction.endsWith(u'0'))
        fraction.chop(1);
    return QStringLiteral("%1,%2").arg(rate / kRateUnitsPerPercent).arg(fraction);
}

} // namespace fee
