#include "validation.h"

#include "deadlines.h"
#include "fiscalcodes.h"
#include "tables.h"

#include <algorithm>

namespace assignments {

const QStringList &feeArticles() {
    static const QStringList articles = [] {
        QStringList ids;
        if (const auto *decrees = std::get_if<QList<fee::Decree>>(&fee::shippedDecrees()))
            for (const fee::Decree &decree : *decrees)
                for (const fee::TableArticle &article : decree.articles)
                    if (!ids.contains(article.id))
                        ids.append(article.id);
        return ids;
    }();
    return articles;
}

QDate Term::last() const {
    QDate last = date;
    for (const QDate &extension : extensions)
        if (extension.isValid() && (!last.isValid() || extension > last))
            last = extension;
    return last;
}

QString termsError(const Assignment &a, const Assignment &stored) {
    const auto error = fee::orderError(termDates(a, {}), termDates(stored, {}));
    return error ? error->message : QString();
}

QString shareText(int hundredths) {
    const int whole = std::abs(hundredths);
    return QStringLiteral("%1%2,%3 %")
        .arg(hundredths < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString feeItemError(const FeeItem &item) {
    if (!feeArticles().contains(item.article))
        return QStringLiteral("La voce «%1» degli onorari fissi e variabili non indica un "
                              "articolo della tabella.")
            .arg(item.description);
    if (item.quantity < 1 || item.quantity > fee::kMaxQuantity)
        return QStringLiteral("La voce «%1» degli onorari fissi e variabili ha una quantità "
                              "fuori da 1-%2.")
            .arg(item.description)
            .arg(fee::kMaxQuantity);
    if (item.value < 0 || item.revenues < 0 || item.amount < 0)
        return QStringLiteral("La voce «%1» degli onorari fissi e variabili ha un importo "
                              "negativo.")
            .arg(item.description);
    return {};
}

QString partyCodesError(const Party &party) {
    // As tolvemar-fattura checks them, each only when given.
    const QString who = QStringLiteral(" di «%1»").arg(party.name);
    const QString &id = party.taxId;
    const QString recipient = party.recipient.contains(u'@') ? QString() : party.recipient;
    for (const QString &error :
         {id.isEmpty()      ? QString()
          : id.size() == 16 ? fee::checkTaxCode(id, QStringLiteral("Codice fiscale") + who)
                            : fee::checkVatNumber(id, QStringLiteral("Partita IVA") + who),
          party.address.postcode.isEmpty()
              ? QString()
              : fee::checkPostalCode(party.address.postcode, QStringLiteral("CAP") + who),
          party.address.province.isEmpty()
              ? QString()
              : fee::checkProvince(party.address.province, QStringLiteral("Provincia") + who),
          recipient.isEmpty()
              ? QString()
              : fee::checkRecipientCode(recipient, QStringLiteral("Codice destinatario") + who)})
        if (!error.isEmpty())
            return error;
    return {};
}

QString partiesError(const QList<Party> &parties) {
    qint64 sum = 0;
    for (const Party &party : parties) {
        if (party.name.trimmed().isEmpty())
            return QStringLiteral("Una delle parti a carico non ha il nome.");
        if (party.shareHundredths < 0 || party.shareHundredths > kWholeShare)
            return QStringLiteral("La quota di «%1» deve essere tra 0 e 100 %.").arg(party.name);
        if (QString error = partyCodesError(party); !error.isEmpty())
            return error;
        sum += party.shareHundredths;
    }
    const bool jointly =
        std::all_of(parties.begin(), parties.end(), [](const Party &p) { return p.jointly; });
    if (parties.isEmpty() || jointly || sum == kWholeShare)
        return {};
    return QStringLiteral("Le quote delle parti a carico fanno %1: devono fare 100 %, salvo che "
                          "le parti siano tutte obbligate in solido.")
        .arg(shareText(int(sum)));
}

QString paymentError(const Payment &payment) {
    if (!payment.date.isValid())
        return QStringLiteral("Un pagamento non ha la data.");
    if (payment.amount <= 0)
        return QStringLiteral("Il pagamento del %1 deve avere un importo maggiore di zero.")
            .arg(payment.date.toString(QStringLiteral("dd/MM/yyyy")));
    return {};
}

QString assignmentError(const Assignment &a) {
    if (a.tableUrgencyPercent < 0 || a.tableUrgencyPercent > 20)
        return QStringLiteral("L'aumento per urgenza degli onorari fissi e variabili va da 0 a "
                              "20 %.");
    if (a.liquidated < 0)
        return QStringLiteral("L'importo liquidato non può essere negativo.");
    if (a.decreeExpenses < 0 || a.decreeAdvanced < 0)
        return QStringLiteral("Le spese del decreto non possono essere negative.");
    if (a.decreeExpenses > a.liquidated - a.decreeAdvanced)
        return QStringLiteral("Le spese del decreto superano l'importo liquidato, che le "
                              "comprende.");
    for (const FeeItem &item : a.feeItems)
        if (QString error = feeItemError(item); !error.isEmpty())
            return error;
    if (QString error = partiesError(a.parties); !error.isEmpty())
        return error;
    for (const Payment &payment : a.payments)
        if (QString error = paymentError(payment); !error.isEmpty())
            return error;
    return {};
}

} // namespace assignments
