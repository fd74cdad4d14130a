#include "feenotice.h"

#include "documentparts.h"

namespace request {

namespace {

QString euro(Cents cents) {
    return fee::euroText(cents);
}

QString percentText(int hundredths) {
    return QStringLiteral("%1,%2 %")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

// The party's part and, once the expert's details are set, what the invoice will add and
// withhold, down to what the party pays.
QList<std::pair<QString, QString>> partRows(const FeeNotice &n) {
    const fee::PartyAccount &a = n.account;
    QList<std::pair<QString, QString>> rows = {{QStringLiteral("Onorario"), euro(a.part.fee)}};
    if (a.part.taxableExpenses)
        rows.append({QStringLiteral("Spese"), euro(a.part.taxableExpenses)});
    if (a.charges) {
        const fee::Charges &c = *a.charges;
        if (c.fund)
            rows.append({QStringLiteral("Contributo previdenziale"), euro(c.fund)});
        if (c.vat)
            rows.append({QStringLiteral("IVA 22 %"), euro(c.vat)});
    }
    if (a.part.excludedExpenses)
        rows.append({QStringLiteral("Spese anticipate in nome e per conto (art. 15 DPR 633/72)"),
                     euro(a.part.excludedExpenses)});
    if (a.charges && a.charges->withholding)
        rows.append({QStringLiteral("Ritenuta d'acconto 20 % (a cura della parte)"),
                     QStringLiteral("-") + euro(a.charges->withholding)});
    rows.append({n.withCharges
                     ? QStringLiteral("Dovuto (%1)").arg(QLatin1String(fee::kChargesIncluded))
                     : QStringLiteral("Dovuto"),
                 euro(a.due)});
    return rows;
}

} // namespace

Document describeNotice(const FeeNotice &n, const QDateTime &madeAt) {
    const fee::PartyAccount &a = n.account;
    Document document;
    document.blocks.append({Block::Title, QStringLiteral("Avviso di parcella"), {}});
    document.blocks.append(
        {Block::Paragraph, QStringLiteral("Il presente avviso non costituisce fattura."), {}});
    document.blocks +=
        parts::detailBlocks({{QStringLiteral("Consulente"), n.expert},
                             {QStringLiteral("Ufficio giudiziario"), n.court},
                             {QStringLiteral("Procedimento n."), n.caseNumber},
                             {QStringLiteral("Giudice"), n.judge},
                             {QStringLiteral("Decreto di liquidazione"), parts::dateText(n.decree)},
                             {QStringLiteral("Parte"), a.party.name}});
    document.blocks.append({Block::Heading, QStringLiteral("Importi liquidati"), {}});
    document.blocks.append(
        {Block::Fields,
         {},
         {{QStringLiteral("Importo liquidato"), euro(n.liquidated)},
          {QStringLiteral("di cui spese"), euro(n.expenses)},
          {QStringLiteral("di cui spese anticipate (art. 15)"), euro(n.advanced)},
          {QStringLiteral("Quota a carico della parte"),
           percentText(a.party.shareHundredths) +
               (a.party.jointly ? QStringLiteral(", in solido") : QString())}}});
    document.blocks.append({Block::Heading, QStringLiteral("Quota della parte"), {}});
    document.blocks.append({Block::Table, {}, partRows(n)});
    document.blocks.append(
        {Block::Table,
         {},
         {{QStringLiteral("Pagato dalla parte"), euro(a.paid)},
          {QStringLiteral("Acconti e pagamenti di terzi, per la quota"), euro(a.others)},
          {QStringLiteral("Resta da pagare"), euro(a.owed)}}});
    document.blocks.append({Block::Heading, QStringLiteral("Pagamento"), {}});
    document.blocks.append({Block::Fields,
                            {},
                            {{QStringLiteral("Bonifico su IBAN"), n.iban},
                             {QStringLiteral("Causale"),
                              QStringLiteral("Proc. n. %1 - decreto del %2 - %3")
                                  .arg(n.caseNumber, parts::dateText(n.decree), a.party.name)}}});
    document.blocks.append(
        {Block::Paragraph,
         QStringLiteral("Ricevuto il pagamento, il consulente emetterà fattura elettronica "
                        "all'Amministrazione della Giustizia, come disposto dal Giudice; la "
                        "fattura indicherà che il pagamento è stato eseguito dalla parte "
                        "individuata dal provvedimento."),
         {}});
    document.footer = parts::footer(madeAt);
    return document;
}

} // namespace request
