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
    if (kind == u"fixed") {
        a.kind = FeeKind::Fixed;
        const QJsonArray range = object.value(u"range").toArray();
        const auto low = scaled(range.at(0), 2), high = scaled(range.at(1), 2);
        if (range.size() != 2 || !low || !high || *low > *high)
            return where + QStringLiteral("il compenso fisso non ha un minimo e un massimo");
        a.fixedLow = *low;
        a.fixedHigh = *high;
        return a;
    }
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

QString Decree::unknownArticleMessage(const QString &id) const {
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
        d.articles.append(std::move(a));
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
