#include "invoice.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

using namespace invoice;

namespace {

// The worked example of the invoice to the court's office: Inarcassa 4 %, a withholding agent.
Invoice workedExample() {
    Invoice in;
    in.number = QStringLiteral("12/2026");
    in.date = QDate(2026, 12, 1);
    in.progressive = QStringLiteral("00012");
    in.expert = {QStringLiteral("Mario"),
                 QStringLiteral("Rossi"),
                 QStringLiteral("Ing."),
                 QStringLiteral("RSSMRA80A01H501U"),
                 QStringLiteral("01234567897"),
                 {QStringLiteral("Via Roma 1"), QStringLiteral("13900"), QStringLiteral("Biella"),
                  QStringLiteral("BI")},
                 QStringLiteral("Ingegneri"),
                 QStringLiteral("BI"),
                 QStringLiteral("1234"),
                 {fee::Regime::Ordinario, QStringLiteral("TC04"), 400},
                 QStringLiteral("IT60X0542811101000000123456")};
    in.buyer = {QStringLiteral("Tribunale di Biella"),
                QStringLiteral("WUMV1P"),
                {},
                {},
                {},
                QStringLiteral("81019670025"),
                {QStringLiteral("Via Marconi 28"), QStringLiteral("13900"),
                 QStringLiteral("Biella"), QStringLiteral("BI")}};
    in.caseNumber = QStringLiteral("R.G. 123/2025");
    in.decreeDate = QDate(2026, 11, 10);
    in.payer = QStringLiteral("ALFA S.r.l.");
    in.payerWithholds = true;
    in.paymentDate = QDate(2026, 11, 25);
    in.paymentReference = QStringLiteral("CRO 0123456789");
    in.part = {100000, 0, 15000};
    return in;
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
    QList<Node *> allMutable(const QString &n) {
        QList<Node *> found;
        for (Node &c : children) {
            if (c.name == n)
                found.append(&c);
            found += c.allMutable(n);
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
    bool has(const QString &n) const { return !all(n).isEmpty(); }
    void set(const QString &n, const QString &v) {
        for (Node &c : children) {
            if (c.name == n) {
                c.text = v;
                return;
            }
        }
        children.append({n, v, {}});
    }
    void remove(const QString &n) {
        children.removeIf([&](const Node &c) { return c.name == n; });
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
    const auto lines = doc.all(QStringLiteral("DettaglioLinee"));
    const auto funds = doc.all(QStringLiteral("DatiCassaPrevidenziale"));
    const auto summaries = doc.all(QStringLiteral("DatiRiepilogo"));
    const bool withholding = doc.has(QStringLiteral("DatiRitenuta"));
    const auto key = [](const Node *n) {
        return n->value(QStringLiteral("AliquotaIVA")) + u'|' + n->value(QStringLiteral("Natura"));
    };
    QStringList used, summarised;
    for (const Node *line : lines + funds) {
        const bool zero = cents(line->value(QStringLiteral("AliquotaIVA"))) == 0;
        const bool natura = !line->value(QStringLiteral("Natura")).isEmpty();
        if (line->name == QStringLiteral("DettaglioLinee")) {
            fault("00400", zero && !natura);
            fault("00401", !zero && natura);
            fault("00411",
                  line->value(QStringLiteral("Ritenuta")) == QStringLiteral("SI") && !withholding);
            const qint64 quantity = cents(line->value(QStringLiteral("Quantita")));
            const qint64 expected =
                cents(line->value(QStringLiteral("PrezzoUnitario"))) * quantity / 100;
            fault("00423", qAbs(cents(line->value(QStringLiteral("PrezzoTotale"))) - expected) > 1);
        } else {
            fault("00415",
                  line->value(QStringLiteral("Ritenuta")) == QStringLiteral("SI") && !withholding);
        }
        used.append(key(line));
    }
    for (const Node *s : summaries) {
        const qint64 rate = cents(s->value(QStringLiteral("AliquotaIVA")));
        const qint64 base = cents(s->value(QStringLiteral("ImponibileImporto")));
        const bool natura = !s->value(QStringLiteral("Natura")).isEmpty();
        fault("00421",
              qAbs(cents(s->value(QStringLiteral("Imposta"))) - (base * rate + 5000) / 10000) > 1);
        qint64 sum = 0;
        for (const Node *line : lines)
            sum += key(line) == key(s) ? cents(line->value(QStringLiteral("PrezzoTotale"))) : 0;
        for (const Node *f : funds)
            sum += key(f) == key(s) ? cents(f->value(QStringLiteral("ImportoContributoCassa"))) : 0;
        fault("00422", qAbs(base - sum) > 100);
        fault("00429", rate == 0 && !natura);
        fault("00430", rate != 0 && natura);
        summarised.append(key(s));
    }
    for (const Node *n : lines + funds + summaries) {
        const qint64 rate = cents(n->value(QStringLiteral("AliquotaIVA")));
        fault("00424", rate > 0 && rate < 100);
    }
    for (const QString &k : used) {
        fault("00419", std::none_of(summarised.begin(), summarised.end(), [&](const QString &s) {
                  return s.section(u'|', 0, 0) == k.section(u'|', 0, 0);
              }));
        fault("00443", !summarised.contains(k));
    }
    for (const QString &k : summarised)
        fault("00444", !used.contains(k));
    const QString number = doc.all(QStringLiteral("Numero")).value(0)->text;
    fault("00425", std::none_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }));
    return faults;
}

using Change = std::function<void(Invoice &)>;

} // namespace

class TestInvoice : public QObject {
    Q_OBJECT

private slots:
    void schemaCopies_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("sha256");
        QTest::newRow("invoice") << QStringLiteral("Schema_VFPA12_V1.2.3.xsd")
                                 << QByteArray("1f0f2c04a7dfd9dcf23c7c1c04e5cbbf00984d9b662f4601"
                                               "726bcb92901d87c3");
        QTest::newRow("signature") << QStringLiteral("xmldsig-core-schema.xsd")
                                   << QByteArray("d102ad3df7664c307e0c2c776ba4a90513b1969974d8a9"
                                                 "40bae1a77f9f21e15d");
    }

    void schemaCopies() {
        QFETCH(QString, file);
        QFETCH(QByteArray, sha256);
        QFile resource(QStringLiteral(":/fatturapa/") + file);
        QVERIFY(resource.open(QIODevice::ReadOnly));
        QCOMPARE(QCryptographicHash::hash(resource.readAll(), QCryptographicHash::Sha256).toHex(),
                 sha256);
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
        QByteArray xml = std::get<Document>(makeInvoice(workedExample(), today)).xml;
        xml.replace("<TipoDocumento>TD06", "<TipoDocumento>TD99");
        const QString error = writeInvoiceFile(xml, path);
        QVERIFY(error.startsWith(QStringLiteral("La fattura non rispetta lo schema ufficiale")));
        QVERIFY(error.contains(QStringLiteral("TipoDocumento")));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!writeInvoiceFile("<p:FatturaElettronica", path).isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // Hand-computed amounts; each row's invoice must also pass the schema and the SdI's checks,
    // and come out the same twice.
    void documents_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const auto forfettario = [](Invoice &in) {
            in.expert.fiscal = {fee::Regime::Forfettario, {}, 0};
            in.part = {8000, 0, 0};
        };
        QTest::newRow("worked example")
            << Change([](Invoice &) {})
            << QStringList{"DatiTrasmissione/FormatoTrasmissione=FPA12",
                           "DatiTrasmissione/CodiceDestinatario=WUMV1P",
                           "DatiAnagrafici/RegimeFiscale=RF01",
                           "DatiRitenuta/ImportoRitenuta=200.00",
                           "DatiCassaPrevidenziale/TipoCassa=TC04",
                           "DatiCassaPrevidenziale/ImportoContributoCassa=40.00",
                           "DatiGeneraliDocumento/ImportoTotaleDocumento=1418.80",
                           "DettaglioLinee/PrezzoTotale=1000.00",
                           "DettaglioLinee/Ritenuta=SI",
                           "DettaglioLinee/PrezzoTotale=150.00",
                           "DettaglioLinee/Natura=N1",
                           "DatiRiepilogo/ImponibileImporto=1040.00",
                           "DatiRiepilogo/Imposta=228.80",
                           "DatiRiepilogo/EsigibilitaIVA=I",
                           "DatiRiepilogo/Natura=N1",
                           "DatiRiepilogo/ImponibileImporto=150.00",
                           "DettaglioPagamento/ImportoPagamento=1218.80"}
            << QStringList{"DatiBollo/", "DatiCassaPrevidenziale/Ritenuta", "/PECDestinatario",
                           "Descrizione=Spese\n"};
        QTest::newRow("flat rate, 80.00: stamp")
            << Change(forfettario)
            << QStringList{"DatiAnagrafici/RegimeFiscale=RF19",
                           "DatiBollo/BolloVirtuale=SI",
                           "DatiBollo/ImportoBollo=2.00",
                           "DatiGeneraliDocumento/ImportoTotaleDocumento=80.00",
                           "DettaglioLinee/AliquotaIVA=0.00",
                           "DettaglioLinee/Natura=N2.2",
                           "DatiRiepilogo/Natura=N2.2",
                           "DatiRiepilogo/RiferimentoNormativo=Operazione effettuata ai sensi "
                           "dell'articolo 1, commi da 54 a 89, della Legge n. 190/2014",
                           "DettaglioPagamento/ImportoPagamento=80.00"}
            << QStringList{"DatiRitenuta/", "/Ritenuta=SI", "DatiCassaPrevidenziale/",
                           "/EsigibilitaIVA", "Natura=N1"};
        QTest::newRow("flat rate, 77.47: no stamp")
            << Change([&](Invoice &in) {
                   forfettario(in);
                   in.part.fee = 7747;
               })
            << QStringList{"DatiGeneraliDocumento/ImportoTotaleDocumento=77.47",
                           "DettaglioPagamento/ImportoPagamento=77.47"}
            << QStringList{"DatiBollo/"};
        // 1050.00 + 4 % = 1092.00; VAT 240.24; withheld 20 % of 1092.00 = 218.40.
        QTest::newRow("INPS 4 %, withheld with the contribution")
            << Change([](Invoice &in) {
                   in.expert.fiscal.fundCode = QStringLiteral("TC22");
                   in.part = {100000, 5000, 0};
               })
            << QStringList{"DatiRitenuta/ImportoRitenuta=218.40",
                           "DatiCassaPrevidenziale/TipoCassa=TC22",
                           "DatiCassaPrevidenziale/ImportoContributoCassa=42.00",
                           "DatiCassaPrevidenziale/Ritenuta=SI",
                           "DatiGeneraliDocumento/ImportoTotaleDocumento=1332.24",
                           "DettaglioLinee/Descrizione=Spese",
                           "DatiRiepilogo/ImponibileImporto=1092.00",
                           "DatiRiepilogo/Imposta=240.24",
                           "DettaglioPagamento/ImportoPagamento=1113.84"}
            << QStringList{"Natura="};
        QTest::newRow("a party that does not withhold")
            << Change([](Invoice &in) { in.payerWithholds = false; })
            << QStringList{"DatiGeneraliDocumento/ImportoTotaleDocumento=1418.80",
                           "DettaglioPagamento/ImportoPagamento=1418.80"}
            << QStringList{"DatiRitenuta/", "/Ritenuta="};
        QTest::newRow("to the party, 0000000 and a PEC")
            << Change([](Invoice &in) {
                   in.buyer = {QStringLiteral("ALFA S.r.l."),
                               {},
                               QStringLiteral("0000000"),
                               QStringLiteral("alfa@pec.example.it"),
                               QStringLiteral("01234567897"),
                               {},
                               {QStringLiteral("Via Italia 3"), QStringLiteral("10121"),
                                QStringLiteral("Torino"), QStringLiteral("TO")}};
               })
            << QStringList{"DatiTrasmissione/FormatoTrasmissione=FPR12",
                           "DatiTrasmissione/CodiceDestinatario=0000000",
                           "DatiTrasmissione/PECDestinatario=alfa@pec.example.it",
                           "IdFiscaleIVA/IdCodice=01234567897",
                           "Anagrafica/Denominazione=ALFA S.r.l.",
                           "DettaglioPagamento/ImportoPagamento=1218.80"}
            << QStringList{"solutio"};
        QTest::newRow("euro sign and typographic quotes") << Change([](Invoice &in) {
            in.payer = QStringLiteral("“ALFA” S.r.l. – l’unica");
            in.paymentReference = QStringLiteral("assegno 12 €");
        }) << QStringList{"Pagatore: \"ALFA\" S.r.l. - l'unica.", "riferimento assegno 12 EUR."}
                                                          << QStringList{"€", "“", "’", "–"};
        QTest::newRow("a long text in several Causale")
            << Change([](Invoice &in) { in.caseNumber = QString(90, u'X') + QStringLiteral(" 1"); })
            << QStringList{"la solutio avviene con denaro fornito dalla parte individuata dal "
                           "provvedimento del Giudice"}
            << QStringList{};
    }

    void documents() {
        QFETCH(Change, change);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        Invoice in = workedExample();
        change(in);
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
        for (const QString &p : present) {
            const qsizetype at = p.contains(u'=') ? all.indexOf(u'/' + p, from) : -1;
            QVERIFY2(at >= 0 || (!p.contains(u'=') && text.contains(p)), qPrintable(p));
            from = at >= 0 ? at + 1 : from;
        }
        for (const QString &a : absent)
            QVERIFY2(!text.contains(a), qPrintable(a));
    }

    // Each check of the test's own catches the fault it is about, so that a clean result above
    // means something.
    void sdiChecks_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<std::function<void(Node &)>>("spoil");
        using Spoil = std::function<void(Node &)>;
        const auto line = [](Node &d, int i) { return d.allMutable("DettaglioLinee")[i]; };
        const auto summary = [](Node &d, int i) { return d.allMutable("DatiRiepilogo")[i]; };
        const auto general = [](Node &d) { return d.allMutable("DatiGeneraliDocumento")[0]; };
        QTest::newRow("00400") << "00400" << Spoil([=](Node &d) { line(d, 1)->remove("Natura"); });
        QTest::newRow("00401") << "00401"
                               << Spoil([=](Node &d) { line(d, 0)->set("Natura", "N1"); });
        QTest::newRow("00411") << "00411"
                               << Spoil([=](Node &d) { general(d)->remove("DatiRitenuta"); });
        QTest::newRow("00415") << "00415" << Spoil([=](Node &d) {
            general(d)->remove("DatiRitenuta");
            d.allMutable("DatiCassaPrevidenziale")[0]->set("Ritenuta", "SI");
        });
        QTest::newRow("00419") << "00419" << Spoil([=](Node &d) {
            d.allMutable("DatiBeniServizi")[0]->children.removeIf([](const Node &n) {
                return n.name == "DatiRiepilogo" && n.value("AliquotaIVA") == "22.00";
            });
        });
        QTest::newRow("00421") << "00421"
                               << Spoil([=](Node &d) { summary(d, 0)->set("Imposta", "228.90"); });
        QTest::newRow("00422") << "00422" << Spoil([=](Node &d) {
            summary(d, 1)->set("ImponibileImporto", "151.50");
        });
        QTest::newRow("00423") << "00423" << Spoil([=](Node &d) {
            line(d, 0)->set("PrezzoTotale", "999.98");
        });
        QTest::newRow("00424") << "00424" << Spoil([=](Node &d) {
            summary(d, 0)->set("AliquotaIVA", "0.22");
        });
        QTest::newRow("00425") << "00425"
                               << Spoil([=](Node &d) { general(d)->set("Numero", "A/B"); });
        QTest::newRow("00429") << "00429"
                               << Spoil([=](Node &d) { summary(d, 1)->remove("Natura"); });
        QTest::newRow("00430") << "00430"
                               << Spoil([=](Node &d) { summary(d, 0)->set("Natura", "N1"); });
        QTest::newRow("00443") << "00443"
                               << Spoil([=](Node &d) { line(d, 1)->set("Natura", "N2.2"); });
        QTest::newRow("00444") << "00444" << Spoil([=](Node &d) {
            Node extra = *summary(d, 1);
            extra.set("Natura", "N4");
            d.allMutable("DatiBeniServizi")[0]->children.append(extra);
        });
    }

    void sdiChecks() {
        QFETCH(QString, code);
        QFETCH(std::function<void(Node &)>, spoil);
        Node doc = tree(std::get<Document>(makeInvoice(workedExample(), today)).xml);
        spoil(doc);
        QVERIFY2(sdiFaults(doc).contains(code), qPrintable(sdiFaults(doc).join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestInvoice)
#include "tst_invoice.moc"
