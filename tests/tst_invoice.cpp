#include "json.h"
#include "support/invoiceexample.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace invoice;

namespace {

Invoice example(const QByteArray &patch = "{}") {
    return std::get<Invoice>(invoiceFromJson(testsupport::invoiceJson(patch)));
}

const QDate today(2026, 12, 31);

// The invoice read back as a tree of elements, to check it apart from the code that wrote it.
struct Node {
    QString name;
    QString text;
    QList<Node> children;

    QList<const Node *> all(const QString &n) const {
        QList<const Node *> found;
        for (const Node &c : children) {
            if (c.name == n)
                found.append(&c);
            found += c.all(n);
        }
        return found;
    }
    QString value(const QString &n) const {
        for (const Node &c : children) {
            if (c.name == n)
                return c.text;
        }
        return {};
    }
};

Node read(QXmlStreamReader &xml) {
    Node node{xml.name().toString(), {}, {}};
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.atEnd()) {
        if (xml.isStartElement())
            node.children.append(read(xml));
        else if (xml.isCharacters() && !xml.isWhitespace())
            node.text += xml.text();
    }
    return node;
}

Node tree(const QByteArray &bytes) {
    QXmlStreamReader xml(bytes);
    xml.readNextStartElement();
    return read(xml);
}

// "/Parent/Leaf=value" of every leaf, in document order.
QStringList leaves(const Node &node, const QString &parent = {}) {
    if (node.children.isEmpty())
        return {u'/' + parent + u'/' + node.name + u'=' + node.text};
    QStringList list;
    for (const Node &c : node.children)
        list += leaves(c, node.name);
    return list;
}

qint64 cents(const QString &amount) {
    const QStringList parts = amount.split(u'.');
    return parts[0].toLongLong() * 100 + parts.value(1).leftJustified(2, u'0').left(2).toLongLong();
}

// The SdI's checks of the content (its list of rejection codes), each on its own, as the
// exchange system states them.
QStringList sdiFaults(const Node &doc) {
    QStringList faults;
    const auto fault = [&](const char *code, bool broken) {
        if (broken && !faults.contains(QLatin1String(code)))
            faults.append(QLatin1String(code));
    };
    const auto lines = doc.all("DettaglioLinee"), funds = doc.all("DatiCassaPrevidenziale");
    const auto summaries = doc.all("DatiRiepilogo");
    const bool withholding = !doc.all("DatiRitenuta").isEmpty();
    const auto key = [](const Node *n) {
        return n->value("AliquotaIVA") + u'|' + n->value("Natura");
    };
    const auto rate = [](const Node *n) { return cents(n->value("AliquotaIVA")); };
    QStringList used, summarised;
    for (const Node *n : lines + funds) {
        const bool line = n->name == u"DettaglioLinee", natura = !n->value("Natura").isEmpty();
        fault("00400", line && rate(n) == 0 && !natura);
        fault("00401", line && rate(n) != 0 && natura);
        fault(line ? "00411" : "00415", n->value("Ritenuta") == u"SI" && !withholding);
        const qint64 product = cents(n->value("PrezzoUnitario")) * cents(n->value("Quantita"));
        fault("00423", line && qAbs(cents(n->value("PrezzoTotale")) - product / 100) > 1);
        used.append(key(n));
    }
    for (const Node *s : summaries) {
        const qint64 base = cents(s->value("ImponibileImporto"));
        const bool natura = !s->value("Natura").isEmpty();
        fault("00421", qAbs(cents(s->value("Imposta")) - (base * rate(s) + 5000) / 10000) > 1);
        qint64 sum = 0;
        for (const Node *n : lines + funds) {
            if (key(n) == key(s))
                sum += cents(n->value("PrezzoTotale")) + cents(n->value("ImportoContributoCassa"));
        }
        fault("00422", qAbs(base - sum) > 100);
        fault("00429", rate(s) == 0 && !natura);
        fault("00430", rate(s) != 0 && natura);
        summarised.append(key(s));
    }
    for (const Node *n : lines + funds + summaries)
        fault("00424", rate(n) > 0 && rate(n) < 100);
    for (const QString &k : used) {
        const QString alone = k.section(u'|', 0, 0) + u'|';
        fault("00419", std::none_of(summarised.begin(), summarised.end(),
                                    [&](const QString &s) { return s.startsWith(alone); }));
        fault("00443", !summarised.contains(k));
    }
    for (const QString &k : summarised)
        fault("00444", !used.contains(k));
    const QString number = doc.all("Numero").value(0)->text;
    fault("00425", std::none_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }));
    return faults;
}

} // namespace

class TestInvoice : public QObject {
    Q_OBJECT

private slots:
    // The copies of the schema in the resources are the official ones.
    void schemaCopies() {
        for (const auto &[file, sha256] :
             {std::pair{"Schema_VFPA12_V1.2.3.xsd",
                        "1f0f2c04a7dfd9dcf23c7c1c04e5cbbf00984d9b662f4601726bcb92901d87c3"},
              {"xmldsig-core-schema.xsd",
               "d102ad3df7664c307e0c2c776ba4a90513b1969974d8a940bae1a77f9f21e15d"}}) {
            QFile resource(QStringLiteral(":/fatturapa/") + QLatin1String(file));
            QVERIFY(resource.open(QIODevice::ReadOnly));
            QCOMPARE(
                QCryptographicHash::hash(resource.readAll(), QCryptographicHash::Sha256).toHex(),
                QByteArray(sha256));
        }
    }

    // The Agenzia's published example of an invoice to a public administration, its line ends
    // made LF.
    void agenziaExample() {
        QFile example(QStringLiteral(TOLVEMAR_TEST_DATA "/IT01234567890_FPA01.xml"));
        QVERIFY(example.open(QIODevice::ReadOnly));
        QCOMPARE(schemaErrors(example.readAll()), QString());
    }

    void invalidNeverWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fattura.xml"));
        QByteArray xml = std::get<Document>(makeInvoice(example(), today)).xml;
        xml.replace("<TipoDocumento>TD06", "<TipoDocumento>TD99");
        const QString error = writeInvoiceFile(xml, path);
        QVERIFY(error.startsWith(QStringLiteral("La fattura non rispetta lo schema ufficiale")));
        QVERIFY(error.contains(QStringLiteral("TipoDocumento")));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!writeInvoiceFile("<p:FatturaElettronica", path).isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // Hand-computed amounts, as "Parent/Element=value" in the order written, or text of the
    // Causale; each row's invoice must also pass the schema and the SdI's checks, and come out the
    // same twice.
    void documents_data() {
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("absent");
        const QByteArray flatRate = R"({"consulente": {"regime": "forfettario", "cassa": null},
            "spese_escluse": "0.00", "onorario": )";
        QTest::newRow("worked example")
            << QByteArray("{}")
            << "DatiTrasmissione/FormatoTrasmissione=FPA12|DatiTrasmissione/CodiceDestinatario="
               "WUMV1P|DatiAnagrafici/RegimeFiscale=RF01|DatiRitenuta/ImportoRitenuta=200.00|"
               "DatiCassaPrevidenziale/TipoCassa=TC04|DatiCassaPrevidenziale/"
               "ImportoContributoCassa=40.00|DatiGeneraliDocumento/ImportoTotaleDocumento=1418.80|"
               "DettaglioLinee/PrezzoTotale=1000.00|DettaglioLinee/Ritenuta=SI|DettaglioLinee/"
               "PrezzoTotale=150.00|DettaglioLinee/Natura=N1|DatiRiepilogo/ImponibileImporto="
               "1040.00|DatiRiepilogo/Imposta=228.80|DatiRiepilogo/EsigibilitaIVA=I|"
               "DatiRiepilogo/Natura=N1|DatiRiepilogo/ImponibileImporto=150.00|"
               "DettaglioPagamento/ImportoPagamento=1218.80|la solutio avviene con denaro fornito "
               "dalla parte individuata dal provvedimento del Giudice"
            << "DatiBollo/|DatiCassaPrevidenziale/Ritenuta|/PECDestinatario|Descrizione=Spese\n";
        QTest::newRow("flat rate, 80.00: stamp")
            << flatRate + "\"80.00\"}"
            << "DatiAnagrafici/RegimeFiscale=RF19|DatiBollo/BolloVirtuale=SI|DatiBollo/"
               "ImportoBollo=2.00|DatiGeneraliDocumento/ImportoTotaleDocumento=80.00|"
               "DettaglioLinee/AliquotaIVA=0.00|DettaglioLinee/Natura=N2.2|DatiRiepilogo/Natura="
               "N2.2|DatiRiepilogo/RiferimentoNormativo=Operazione effettuata ai sensi "
               "dell'articolo 1, commi da 54 a 89, della Legge n. 190/2014|DettaglioPagamento/"
               "ImportoPagamento=80.00"
            << "DatiRitenuta/|/Ritenuta=SI|DatiCassaPrevidenziale/|/EsigibilitaIVA|Natura=N1";
        QTest::newRow("flat rate, 77.47: no stamp")
            << flatRate + "\"77.47\"}"
            << "DatiGeneraliDocumento/ImportoTotaleDocumento=77.47|DettaglioPagamento/"
               "ImportoPagamento=77.47"
            << "DatiBollo/";
        // 1050.00 + 4 % = 1092.00; VAT 240.24; withheld 20 % of 1092.00 = 218.40.
        QTest::newRow("INPS 4 %, withheld with the contribution")
            << QByteArray(R"({"consulente": {"cassa": {"tipo": "TC22"}},
                             "spese_imponibili": "50.00", "spese_escluse": "0.00"})")
            << "DatiRitenuta/ImportoRitenuta=218.40|DatiCassaPrevidenziale/TipoCassa=TC22|"
               "DatiCassaPrevidenziale/ImportoContributoCassa=42.00|DatiCassaPrevidenziale/"
               "Ritenuta=SI|DatiGeneraliDocumento/ImportoTotaleDocumento=1332.24|DettaglioLinee/"
               "Descrizione=Spese|DatiRiepilogo/ImponibileImporto=1092.00|DatiRiepilogo/Imposta="
               "240.24|DettaglioPagamento/ImportoPagamento=1113.84"
            << "Natura=";
        QTest::newRow("a party that does not withhold")
            << QByteArray(R"({"pagatore": {"sostituto_imposta": false}})")
            << "DatiGeneraliDocumento/ImportoTotaleDocumento=1418.80|DettaglioPagamento/"
               "ImportoPagamento=1418.80"
            << "DatiRitenuta/|/Ritenuta=";
        QTest::newRow("to the party, 0000000 and a PEC")
            << QByteArray(R"({"destinatario": {"denominazione": "ALFA S.r.l.", "codice_ipa": null,
                "codice_destinatario": "0000000", "pec": "alfa@pec.example.it",
                "partita_iva": "01234567897", "codice_fiscale": null,
                "indirizzo": "Via Italia 3", "cap": "10121", "comune": "Torino",
                "provincia": "TO"}})")
            << "DatiTrasmissione/FormatoTrasmissione=FPR12|DatiTrasmissione/CodiceDestinatario="
               "0000000|DatiTrasmissione/PECDestinatario=alfa@pec.example.it|IdFiscaleIVA/"
               "IdCodice=01234567897|Anagrafica/Denominazione=ALFA S.r.l.|DettaglioPagamento/"
               "ImportoPagamento=1218.80"
            << "solutio";
        QTest::newRow("euro sign and typographic quotes")
            << QByteArray(R"({"pagatore": {"denominazione": "“ALFA” S.r.l. – l’unica"},
                             "pagamento": {"riferimento": "assegno 12 €"}})")
            << "Pagatore: \"ALFA\" S.r.l. - l'unica.|riferimento assegno 12 EUR."
            << "€|“|’|–";
    }

    void documents() {
        QFETCH(QByteArray, patch);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        const Invoice in = example(patch);
        const auto made = makeInvoice(in, today);
        if (const QString *error = std::get_if<QString>(&made))
            QFAIL(qPrintable(*error));
        const Document &document = std::get<Document>(made);
        QCOMPARE(document.fileName, QStringLiteral("IT01234567897_00012.xml"));
        QCOMPARE(schemaErrors(document.xml), QString());
        QCOMPARE(std::get<Document>(makeInvoice(in, today)).xml, document.xml);
        const Node doc = tree(document.xml);
        QCOMPARE(sdiFaults(doc), QStringList());

        const QStringList all = leaves(doc);
        QStringList causale;
        for (const Node *c : doc.all(QStringLiteral("Causale"))) {
            QVERIFY(c->text.size() <= 200);
            causale.append(c->text);
        }
        const QString text = all.join(u'\n') + u'\n' + causale.join(u' ');
        qsizetype from = 0;
        for (const QString &p : present.split(u'|')) {
            const qsizetype at = p.contains(u'=') ? all.indexOf(u'/' + p, from) : -1;
            QVERIFY2(at >= 0 || (!p.contains(u'=') && text.contains(p)), qPrintable(p));
            from = at >= 0 ? at + 1 : from;
        }
        for (const QString &a : absent.split(u'|', Qt::SkipEmptyParts))
            QVERIFY2(!text.contains(a), qPrintable(a));
    }
};

QTEST_GUILESS_MAIN(TestInvoice)
#include "tst_invoice.moc"
