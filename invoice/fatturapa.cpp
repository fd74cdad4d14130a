#include "fields.h"
#include "fiscalcodes.h"
#include "invoice.h"

#include <QXmlStreamWriter>

namespace invoice {

namespace {

const QString kOrdinaryVat = QStringLiteral("22.00");
const QString kNoVat = QStringLiteral("0.00");
const QString kExcluded = QStringLiteral("N1");
const QString kNotSubject = QStringLiteral("N2.2");
const QString kExcludedBasis = QStringLiteral("Escluse ex art. 15 del D.P.R. 633/1972");
const QString kFlatRateBasis = QStringLiteral("Operazione effettuata ai sensi dell'articolo 1, "
                                              "commi da 54 a 89, della Legge n. 190/2014");
constexpr qsizetype kCausale = 200;

QString rateText(fee::Rate rate) {
    return QStringLiteral("%1.%2").arg(rate / 100).arg(rate % 100, 2, 10, QLatin1Char('0'));
}

QString dateText(const QDate &date) {
    return date.toString(u"dd/MM/yyyy");
}

// The reason of the payment, cut at spaces into elements of at most 200 characters.
QStringList causale(const Invoice &in) {
    // A name may end with its own full stop, as "S.r.l." does.
    const auto ended = [](const QString &text) { return text.endsWith(u'.') ? text : text + u'.'; };
    QString text = QStringLiteral("Compenso liquidato nel procedimento %1 con decreto del %2. "
                                  "Pagatore: %3")
                       .arg(in.caseNumber, dateText(in.decreeDate), ended(in.payer));
    if (in.buyer.isOffice())
        text += QStringLiteral(" Fattura all'Amministrazione della Giustizia: la solutio avviene "
                               "con denaro fornito dalla parte individuata dal provvedimento "
                               "del Giudice; il pagamento non grava sull'Amministrazione.");
    if (in.paymentDate.isValid() || !in.paymentReference.isEmpty()) {
        QString paid = QStringLiteral(" Pagamento");
        if (in.paymentDate.isValid())
            paid += QStringLiteral(" del %1").arg(dateText(in.paymentDate));
        if (!in.paymentReference.isEmpty())
            paid += QStringLiteral(", riferimento %1").arg(in.paymentReference);
        text += ended(paid);
    }
    QStringList parts;
    while (text.size() > kCausale) {
        qsizetype cut = text.lastIndexOf(u' ', kCausale);
        if (cut <= 0)
            cut = kCausale;
        parts.append(text.left(cut));
        text = text.mid(cut).trimmed();
    }
    parts.append(text);
    return parts;
}

class Writer {
public:
    explicit Writer(QByteArray *out)
        : xml(out) {
        xml.setAutoFormatting(true);
        xml.setAutoFormattingIndent(2);
    }

    void open(const QString &name) { xml.writeStartElement(name); }
    void close() { xml.writeEndElement(); }
    void text(const QString &name, const QString &value) { xml.writeTextElement(name, value); }
    void optional(const QString &name, const QString &value) {
        if (!value.isEmpty())
            text(name, value);
    }

    void address(const Address &a) {
        open(QStringLiteral("Sede"));
        text(QStringLiteral("Indirizzo"), a.street);
        text(QStringLiteral("CAP"), a.postalCode);
        text(QStringLiteral("Comune"), a.town);
        text(QStringLiteral("Provincia"), a.province);
        text(QStringLiteral("Nazione"), QStringLiteral("IT"));
        close();
    }

    void italianId(const QString &name, const QString &code) {
        open(name);
        text(QStringLiteral("IdPaese"), QStringLiteral("IT"));
        text(QStringLiteral("IdCodice"), code);
        close();
    }

    QXmlStreamWriter xml;
};

void header(Writer &w, const Invoice &in) {
    const Expert &e = in.expert;
    const Buyer &b = in.buyer;
    w.open(QStringLiteral("FatturaElettronicaHeader"));
    w.open(QStringLiteral("DatiTrasmissione"));
    // The sender is the expert, named as in the file's name.
    w.italianId(QStringLiteral("IdTrasmittente"), e.vatNumber);
    w.text(QStringLiteral("ProgressivoInvio"), in.progressive);
    w.text(QStringLiteral("FormatoTrasmissione"),
           b.isOffice() ? QStringLiteral("FPA12") : QStringLiteral("FPR12"));
    w.text(QStringLiteral("CodiceDestinatario"), b.isOffice() ? b.ipaCode : b.recipientCode);
    w.optional(QStringLiteral("PECDestinatario"), b.pec);
    w.close();

    w.open(QStringLiteral("CedentePrestatore"));
    w.open(QStringLiteral("DatiAnagrafici"));
    w.italianId(QStringLiteral("IdFiscaleIVA"), e.vatNumber);
    w.text(QStringLiteral("CodiceFiscale"), e.taxCode);
    w.open(QStringLiteral("Anagrafica"));
    w.text(QStringLiteral("Nome"), e.name);
    w.text(QStringLiteral("Cognome"), e.surname);
    w.optional(QStringLiteral("Titolo"), e.title);
    w.close();
    w.optional(QStringLiteral("AlboProfessionale"), e.professionalRegister);
    w.optional(QStringLiteral("ProvinciaAlbo"), e.registerProvince);
    w.optional(QStringLiteral("NumeroIscrizioneAlbo"), e.registerNumber);
    w.text(QStringLiteral("RegimeFiscale"), e.fiscal.regime == fee::Regime::Ordinario
                                                ? QStringLiteral("RF01")
                                                : QStringLiteral("RF19"));
    w.close();
    w.address(e.address);
    w.close();

    w.open(QStringLiteral("CessionarioCommittente"));
    w.open(QStringLiteral("DatiAnagrafici"));
    if (!b.vatNumber.isEmpty())
        w.italianId(QStringLiteral("IdFiscaleIVA"), b.vatNumber);
    w.optional(QStringLiteral("CodiceFiscale"), b.taxCode);
    w.open(QStringLiteral("Anagrafica"));
    w.text(QStringLiteral("Denominazione"), b.name);
    w.close();
    w.close();
    w.address(b.address);
    w.close();
    w.close();
}

// One rate or Natura of the lines and of the contribution, and its summary.
struct Vat {
    QString rate;
    QString natura; // empty when VAT is charged
    fee::Cents base;
    fee::Cents tax;
    QString basis;
};

void generalData(Writer &w, const Invoice &in, const fee::Charges &c, const Vat &taxable) {
    w.open(QStringLiteral("DatiGenerali"));
    w.open(QStringLiteral("DatiGeneraliDocumento"));
    w.text(QStringLiteral("TipoDocumento"), in.type);
    w.text(QStringLiteral("Divisa"), QStringLiteral("EUR"));
    w.text(QStringLiteral("Data"), in.date.toString(Qt::ISODate));
    w.text(QStringLiteral("Numero"), in.number);
    if (c.withholdingBase > 0) {
        w.open(QStringLiteral("DatiRitenuta"));
        w.text(QStringLiteral("TipoRitenuta"), QStringLiteral("RT01"));
        w.text(QStringLiteral("ImportoRitenuta"), amountText(c.withholding));
        w.text(QStringLiteral("AliquotaRitenuta"), rateText(fee::kWithholdingRate));
        w.text(QStringLiteral("CausalePagamento"), QStringLiteral("A"));
        w.close();
    }
    if (c.stamp > 0) {
        w.open(QStringLiteral("DatiBollo"));
        w.text(QStringLiteral("BolloVirtuale"), QStringLiteral("SI"));
        w.text(QStringLiteral("ImportoBollo"), amountText(c.stamp));
        w.close();
    }
    if (c.fund > 0) {
        w.open(QStringLiteral("DatiCassaPrevidenziale"));
        w.text(QStringLiteral("TipoCassa"), in.expert.fiscal.fundCode);
        w.text(QStringLiteral("AlCassa"), rateText(in.expert.fiscal.fundRate));
        w.text(QStringLiteral("ImportoContributoCassa"), amountText(c.fund));
        w.text(QStringLiteral("ImponibileCassa"), amountText(c.fundBase));
        w.text(QStringLiteral("AliquotaIVA"), taxable.rate);
        if (c.fundWithheld && c.withholdingBase > 0)
            w.text(QStringLiteral("Ritenuta"), QStringLiteral("SI"));
        w.optional(QStringLiteral("Natura"), taxable.natura);
        w.close();
    }
    w.text(QStringLiteral("ImportoTotaleDocumento"), amountText(c.total));
    for (const QString &part : causale(in))
        w.text(QStringLiteral("Causale"), part);
    w.close();
    w.close();
}

void goodsAndServices(Writer &w, const Invoice &in, const fee::Charges &c, const Vat &taxable,
                      const Vat &excluded) {
    w.open(QStringLiteral("DatiBeniServizi"));
    int number = 0;
    const auto line = [&](const QString &description, fee::Cents amount, const Vat &vat,
                          bool withheld) {
        if (amount == 0)
            return;
        w.open(QStringLiteral("DettaglioLinee"));
        w.text(QStringLiteral("NumeroLinea"), QString::number(++number));
        w.text(QStringLiteral("Descrizione"), description);
        w.text(QStringLiteral("Quantita"), QStringLiteral("1.00"));
        w.text(QStringLiteral("PrezzoUnitario"), amountText(amount));
        w.text(QStringLiteral("PrezzoTotale"), amountText(amount));
        w.text(QStringLiteral("AliquotaIVA"), vat.rate);
        if (withheld)
            w.text(QStringLiteral("Ritenuta"), QStringLiteral("SI"));
        w.optional(QStringLiteral("Natura"), vat.natura);
        w.close();
    };
    const bool withheld = c.withholdingBase > 0;
    line(QStringLiteral("Onorario"), in.part.fee, taxable, withheld);
    line(QStringLiteral("Spese"), in.part.taxableExpenses, taxable, withheld);
    line(QStringLiteral("Spese anticipate in nome e per conto (art. 15 DPR 633/72)"),
         in.part.excludedExpenses, excluded, false);
    for (const Vat *vat : {&taxable, &excluded}) {
        if (vat->base == 0)
            continue;
        w.open(QStringLiteral("DatiRiepilogo"));
        w.text(QStringLiteral("AliquotaIVA"), vat->rate);
        w.optional(QStringLiteral("Natura"), vat->natura);
        w.text(QStringLiteral("ImponibileImporto"), amountText(vat->base));
        w.text(QStringLiteral("Imposta"), amountText(vat->tax));
        if (vat->natura.isEmpty())
            w.text(QStringLiteral("EsigibilitaIVA"), QStringLiteral("I"));
        w.optional(QStringLiteral("RiferimentoNormativo"), vat->basis);
        w.close();
    }
    w.close();
}

void payment(Writer &w, const Invoice &in, const fee::Charges &c) {
    w.open(QStringLiteral("DatiPagamento"));
    w.text(QStringLiteral("CondizioniPagamento"), QStringLiteral("TP02"));
    w.open(QStringLiteral("DettaglioPagamento"));
    w.text(QStringLiteral("ModalitaPagamento"), QStringLiteral("MP05"));
    w.text(QStringLiteral("ImportoPagamento"), amountText(c.payment));
    w.text(QStringLiteral("IBAN"), in.expert.iban);
    w.close();
    w.close();
}

} // namespace

std::variant<Document, QString> makeInvoice(const Invoice &invoice, const QDate &today) {
    auto checked = checkedInvoice(invoice, today);
    if (const QString *error = std::get_if<QString>(&checked))
        return *error;
    const Invoice &in = std::get<Invoice>(checked);
    const auto charges = fee::chargesOf(in.expert.fiscal, in.part, in.payerWithholds);
    if (!charges)
        return QStringLiteral("Importi: né negativi né oltre %1 euro.").arg(fee::kMaxAmount / 100);
    const fee::Charges &c = *charges;
    if (c.total == 0)
        return QStringLiteral("Importi: la fattura non ha alcun importo.");

    const bool ordinary = in.expert.fiscal.regime == fee::Regime::Ordinario;
    const Vat taxable = ordinary ? Vat{kOrdinaryVat, {}, c.vatBase, c.vat, {}}
                                 : Vat{kNoVat, kNotSubject, c.vatBase, 0, kFlatRateBasis};
    const Vat excluded{kNoVat, kExcluded, in.part.excludedExpenses, 0, kExcludedBasis};

    Document document;
    document.charges = c;
    document.fileName = QStringLiteral("IT%1_%2.xml").arg(in.expert.vatNumber, in.progressive);
    Writer w(&document.xml);
    w.xml.writeStartDocument();
    const QString ns =
        QStringLiteral("http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2");
    w.xml.writeNamespace(ns, QStringLiteral("p"));
    w.xml.writeNamespace(QStringLiteral("http://www.w3.org/2000/09/xmldsig#"),
                         QStringLiteral("ds"));
    w.xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"),
                         QStringLiteral("xsi"));
    w.xml.writeStartElement(ns, QStringLiteral("FatturaElettronica"));
    w.xml.writeAttribute(QStringLiteral("versione"),
                         in.buyer.isOffice() ? QStringLiteral("FPA12") : QStringLiteral("FPR12"));
    header(w, in);
    w.open(QStringLiteral("FatturaElettronicaBody"));
    generalData(w, in, c, taxable);
    goodsAndServices(w, in, c, taxable, excluded);
    payment(w, in, c);
    w.close();
    w.xml.writeEndDocument();

    if (QString error = schemaErrors(document.xml); !error.isEmpty())
        return error;
    return document;
}

} // namespace invoice
