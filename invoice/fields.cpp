#include "fields.h"

#include "fiscalcodes.h"

#include <QRegularExpression>

namespace invoice {

namespace {

// How a text field may be written in the schema.
struct TextField {
    QString *text;
    QString name;
    qsizetype most;
    bool required;
    bool basicLatin = false; // ASCII only, as in the schema's String20Type and String60Type
};

// The text in Latin-1 without control characters, "€" as "EUR" and typographic quotes and
// hyphens as plain ones; or an Italian message naming the field.
QString plain(QString &text, const QString &field, bool basicLatin) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'€')
            out += QStringLiteral("EUR");
        else if (u == u'‘' || u == u'’' || u == u'‚' || u == u'‛' || u == u'′')
            out += u'\'';
        else if (u == u'“' || u == u'”' || u == u'„' || u == u'‟' || u == u'″')
            out += u'"';
        else if (u >= 0x2010 && u <= 0x2015)
            out += u'-';
        else if ((u >= 0x20 && u < 0x7f) || (!basicLatin && u >= 0xa0 && u <= 0xff))
            out += c;
        else
            return QStringLiteral("%1: il carattere «%2» non si può scrivere in una fattura "
                                  "elettronica%3.")
                .arg(field, QString(c),
                     basicLatin ? QStringLiteral(" (solo lettere e cifre senza accenti)")
                                : QString());
    }
    text = out.trimmed();
    return {};
}

QString firstError(std::initializer_list<QString> errors) {
    for (const QString &error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString checkText(const TextField &f) {
    if (const QString error = plain(*f.text, f.name, f.basicLatin); !error.isEmpty())
        return error;
    if (f.required && f.text->isEmpty())
        return QStringLiteral("%1: manca.").arg(f.name);
    if (f.text->size() > f.most)
        return QStringLiteral("%1: al massimo %2 caratteri.").arg(f.name).arg(f.most);
    return {};
}

QString checkAddress(Address &a, const QString &whose) {
    for (const TextField &f : {TextField{&a.street, QStringLiteral("Indirizzo ") + whose, 60, true},
                               TextField{&a.town, QStringLiteral("Comune ") + whose, 60, true}}) {
        if (const QString error = checkText(f); !error.isEmpty())
            return error;
    }
    if (QString error = fee::checkPostalCode(a.postalCode, QStringLiteral("CAP ") + whose);
        !error.isEmpty())
        return error;
    return fee::checkProvince(a.province, QStringLiteral("Provincia ") + whose);
}

QString checkExpert(Expert &e) {
    const QString whose = QStringLiteral("del consulente");
    const QList<TextField> texts{
        {&e.name, QStringLiteral("Nome del consulente"), 60, true},
        {&e.surname, QStringLiteral("Cognome del consulente"), 60, true},
        {&e.professionalRegister, QStringLiteral("Albo professionale"), 60, false},
        {&e.registerNumber, QStringLiteral("Numero di iscrizione all'albo"), 60, false, true},
    };
    for (const TextField &f : texts) {
        if (const QString error = checkText(f); !error.isEmpty())
            return error;
    }
    if (QString error = plain(e.title, QStringLiteral("Titolo del consulente"), true);
        !error.isEmpty())
        return error;
    if (!e.title.isEmpty() && (e.title.size() < 2 || e.title.size() > 10))
        return QStringLiteral("Titolo del consulente: da 2 a 10 caratteri.");
    if (!e.registerProvince.isEmpty())
        if (QString error = fee::checkProvince(e.registerProvince, QStringLiteral("Provincia "
                                                                                  "dell'albo"));
            !error.isEmpty())
            return error;
    const QString error =
        firstError({fee::checkTaxCode(e.taxCode, QStringLiteral("Codice fiscale del consulente")),
                    fee::checkVatNumber(e.vatNumber, QStringLiteral("Partita IVA del consulente")),
                    fee::checkIban(e.iban, QStringLiteral("IBAN del consulente"))});
    if (!error.isEmpty())
        return error;
    if (e.fiscal.hasFund() && !fee::fundOf(e.fiscal.fundCode))
        return QStringLiteral("Cassa del consulente: «%1» non è un codice TipoCassa (da TC01 a "
                              "TC22).")
            .arg(e.fiscal.fundCode);
    if (e.fiscal.fundRate < 0 || e.fiscal.fundRate > 10000)
        return QStringLiteral("Aliquota della cassa: da 0 a 100 per cento.");
    return checkAddress(e.address, whose);
}

QString checkBuyer(Buyer &b) {
    const QString whose = QStringLiteral("del destinatario");
    if (QString error =
            checkText({&b.name, QStringLiteral("Denominazione del destinatario"), 80, true});
        !error.isEmpty())
        return error;
    const QString taxCodeName = QStringLiteral("Codice fiscale del destinatario");
    if (b.isOffice()) {
        const QString error =
            firstError({fee::checkIpaCode(b.ipaCode, QStringLiteral("Codice IPA")),
                        fee::checkTaxCode(b.taxCode, taxCodeName)});
        if (!error.isEmpty())
            return error;
        if (!b.recipientCode.isEmpty() || !b.pec.isEmpty() || !b.vatNumber.isEmpty())
            return QStringLiteral("Destinatario: l'ufficio giudiziario si indica con il codice "
                                  "IPA e il codice fiscale soltanto.");
    } else {
        if (QString error =
                fee::checkRecipientCode(b.recipientCode, QStringLiteral("Codice destinatario"));
            !error.isEmpty())
            return error;
        if (b.vatNumber.isEmpty() && b.taxCode.isEmpty())
            return QStringLiteral("Destinatario: serve la partita IVA o il codice fiscale.");
        if (!b.vatNumber.isEmpty())
            if (QString error = fee::checkVatNumber(b.vatNumber,
                                                    QStringLiteral("Partita IVA del destinatario"));
                !error.isEmpty())
                return error;
        if (!b.taxCode.isEmpty())
            if (QString error = fee::checkTaxCode(b.taxCode, taxCodeName); !error.isEmpty())
                return error;
        static const QRegularExpression mail(QStringLiteral("^[!#-'*+/-9=?A-Z^-~]+(\\.[!#-'*+/-"
                                                            "9=?A-Z^-~]+)*@[A-Za-z0-9-]+(\\.["
                                                            "A-Za-z0-9-]+)+$"));
        if (!b.pec.isEmpty() &&
            (b.pec.size() < 7 || b.pec.size() > 256 || !mail.match(b.pec).hasMatch()))
            return QStringLiteral("PEC del destinatario: «%1» non è un indirizzo di posta.")
                .arg(b.pec);
        if (!b.pec.isEmpty() && b.recipientCode != QStringLiteral("0000000"))
            return QStringLiteral("PEC del destinatario: si indica solo con il codice "
                                  "destinatario 0000000.");
    }
    return checkAddress(b.address, whose);
}

} // namespace

QString amountText(fee::Cents cents) {
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

std::variant<Invoice, QString> checkedInvoice(const Invoice &invoice, const QDate &today) {
    Invoice in = invoice;
    if (QString error =
            checkText({&in.number, QStringLiteral("Numero della fattura"), 20, true, true});
        !error.isEmpty())
        return error;
    if (!std::any_of(in.number.begin(), in.number.end(), [](QChar c) { return c.isDigit(); }))
        return QStringLiteral("Numero della fattura: deve contenere almeno una cifra.");
    static const QRegularExpression progressive(QStringLiteral("^[A-Za-z0-9]{1,5}$"));
    if (!progressive.match(in.progressive).hasMatch())
        return QStringLiteral("Progressivo del file: da 1 a 5 lettere o cifre.");
    if (!in.date.isValid())
        return QStringLiteral("Data della fattura: manca.");
    if (in.date > today)
        return QStringLiteral("Data della fattura: il %1 è dopo oggi.")
            .arg(in.date.toString(u"dd/MM/yyyy"));
    if (in.type != QStringLiteral("TD01") && in.type != QStringLiteral("TD06"))
        return QStringLiteral("Tipo di documento: TD01 (fattura) o TD06 (parcella).");
    if (!in.decreeDate.isValid())
        return QStringLiteral("Data del decreto di liquidazione: manca.");
    for (const TextField &f : {TextField{&in.caseNumber, QStringLiteral("Procedimento"), 100, true},
                               TextField{&in.payer, QStringLiteral("Parte pagante"), 80, true},
                               TextField{&in.paymentReference,
                                         QStringLiteral("Riferimento del pagamento"), 60, false}}) {
        if (const QString error = checkText(f); !error.isEmpty())
            return error;
    }
    if (QString error = checkExpert(in.expert); !error.isEmpty())
        return error;
    if (QString error = checkBuyer(in.buyer); !error.isEmpty())
        return error;
    return in;
}

} // namespace invoice
