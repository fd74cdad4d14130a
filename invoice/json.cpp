#include "json.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace invoice {

namespace {

// Reads the fields of one JSON object; the first fault is kept, and every read after it gives
// an empty value.
class Reader {
public:
    Reader(const QJsonObject &object, QString prefix, QString *fault)
        : o(object)
        , path(std::move(prefix))
        , error(fault) {}

    QString name(const QString &key) const { return path + key; }

    bool has(const QString &key) const { return o.contains(key) && !o[key].isNull(); }

    QString text(const QString &key, bool required = true) {
        if (!has(key) && !required)
            return {};
        if (!o[key].isString())
            return fail(key, QStringLiteral("manca o non è un testo"));
        return o[key].toString();
    }

    bool flag(const QString &key) {
        if (!o[key].isBool())
            fail(key, QStringLiteral("deve essere true o false"));
        return o[key].toBool();
    }

    QDate date(const QString &key, bool required = true) {
        const QString value = text(key, required);
        if (value.isEmpty())
            return {};
        const QDate date = QDate::fromString(value, Qt::ISODate);
        if (value.size() != 10 || !date.isValid())
            fail(key, QStringLiteral("deve essere una data come \"2026-12-01\""));
        return date;
    }

    // An amount, or a rate in per cent, with a dot and two decimals: in hundredths.
    qint64 hundredths(const QString &key) {
        static const QRegularExpression amount(QStringLiteral("^([0-9]{1,11})\\.([0-9]{2})$"));
        const QString value = text(key);
        const auto match = amount.match(value);
        if (!match.hasMatch()) {
            if (!value.isNull())
                fail(key, QStringLiteral("deve essere un importo come \"1000.00\""));
            return 0;
        }
        return match.captured(1).toLongLong() * 100 + match.captured(2).toLongLong();
    }

    Reader object(const QString &key, bool required = true) {
        if (!o[key].isObject() && (required || has(key)))
            fail(key, QStringLiteral("manca o non è un oggetto"));
        return Reader(o[key].toObject(), name(key) + u'.', error);
    }

    QString fail(const QString &key, const QString &what) {
        if (error->isEmpty())
            *error = QStringLiteral("Il campo «%1» %2.").arg(name(key), what);
        return {};
    }

private:
    const QJsonObject o;
    QString path;
    QString *error;
};

Address address(Reader &r) {
    return {r.text(QStringLiteral("indirizzo")), r.text(QStringLiteral("cap")),
            r.text(QStringLiteral("comune")), r.text(QStringLiteral("provincia"))};
}

Expert expert(Reader r) {
    Expert e;
    e.name = r.text(QStringLiteral("nome"));
    e.surname = r.text(QStringLiteral("cognome"));
    e.title = r.text(QStringLiteral("titolo"), false);
    e.taxCode = r.text(QStringLiteral("codice_fiscale"));
    e.vatNumber = r.text(QStringLiteral("partita_iva"));
    e.address = address(r);
    e.professionalRegister = r.text(QStringLiteral("albo"), false);
    e.registerProvince = r.text(QStringLiteral("provincia_albo"), false);
    e.registerNumber = r.text(QStringLiteral("numero_albo"), false);
    const QString regime = r.text(QStringLiteral("regime"));
    if (regime == QStringLiteral("forfettario"))
        e.fiscal.regime = fee::Regime::Forfettario;
    else if (regime != QStringLiteral("ordinario"))
        r.fail(QStringLiteral("regime"), QStringLiteral("è \"ordinario\" o \"forfettario\""));
    if (r.has(QStringLiteral("cassa"))) {
        Reader fund = r.object(QStringLiteral("cassa"));
        e.fiscal.fundCode = fund.text(QStringLiteral("tipo"));
        e.fiscal.fundRate = fund.hundredths(QStringLiteral("aliquota"));
    }
    e.iban = r.text(QStringLiteral("iban"));
    return e;
}

Buyer buyer(Reader r) {
    Buyer b;
    b.name = r.text(QStringLiteral("denominazione"));
    b.ipaCode = r.text(QStringLiteral("codice_ipa"), false);
    b.recipientCode = r.text(QStringLiteral("codice_destinatario"), b.ipaCode.isEmpty());
    b.pec = r.text(QStringLiteral("pec"), false);
    b.vatNumber = r.text(QStringLiteral("partita_iva"), false);
    b.taxCode = r.text(QStringLiteral("codice_fiscale"), false);
    b.address = address(r);
    return b;
}

} // namespace

std::variant<Invoice, QString> invoiceFromJson(const QByteArray &json) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return QStringLiteral("Il JSON non si legge al carattere %1: %2.")
            .arg(parse.offset)
            .arg(parse.errorString());
    if (!document.isObject())
        return QStringLiteral("Il JSON deve essere un oggetto.");
    QString fault;
    Reader r(document.object(), {}, &fault);
    Invoice in;
    in.number = r.text(QStringLiteral("numero"));
    in.date = r.date(QStringLiteral("data"));
    if (r.has(QStringLiteral("tipo")))
        in.type = r.text(QStringLiteral("tipo"));
    in.progressive = r.text(QStringLiteral("progressivo"));
    in.expert = expert(r.object(QStringLiteral("consulente")));
    in.buyer = buyer(r.object(QStringLiteral("destinatario")));
    in.caseNumber = r.text(QStringLiteral("procedimento"));
    in.decreeDate = r.date(QStringLiteral("decreto"));
    Reader payer = r.object(QStringLiteral("pagatore"));
    in.payer = payer.text(QStringLiteral("denominazione"));
    in.payerWithholds = payer.flag(QStringLiteral("sostituto_imposta"));
    Reader payment = r.object(QStringLiteral("pagamento"), false);
    in.paymentDate = payment.date(QStringLiteral("data"), false);
    in.paymentReference = payment.text(QStringLiteral("riferimento"), false);
    in.part = {r.hundredths(QStringLiteral("onorario")),
               r.hundredths(QStringLiteral("spese_imponibili")),
               r.hundredths(QStringLiteral("spese_escluse"))};
    if (!fault.isEmpty())
        return fault;
    return in;
}

} // namespace invoice
