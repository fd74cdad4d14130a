#include "assignmentrequest.h"
#include "documentparts.h"
#include "fonts.h"
#include "output.h"
#include "pdftext.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace request;

namespace {

using Rows = QList<std::pair<QString, QString>>;

fee::Session session(QDate date, const char *from, const char *to, const char *what,
                     bool udienza = false) {
    return {date, *fee::textToMinutes(QString(from)), *fee::textToMinutes(QString(to)), what,
            udienza};
}

// Appointed on 03/03/2025, due on 30/04/2025, extended to 31/05/2025; the log is kept out of
// order on purpose.
AssignmentRequest realistic() {
    AssignmentRequest r;
    r.expert = "Mario Rossi";
    r.court = "Tribunale di Firenze";
    r.caseNumber = "1234/2025 R.G.";
    r.judge = "dott.ssa Anna Bianchi";
    r.subject = "Vizi dell'immobile di via Roma 12";
    r.period = {{2025, 3, 3}, {2025, 4, 30}, {{2025, 5, 31}}};
    r.reportFiled = {2025, 6, 10};
    r.sessions = {session({2025, 4, 2}, "8:00", "18:00", "Redazione della relazione"),
                  session({2025, 3, 10}, "15:00", "15:45", "Esame dei documenti"),
                  session({2025, 3, 10}, "9:00", "11:30", "Sopralluogo in via Roma"),
                  session({2025, 2, 28}, "10:00", "11:00", "Studio preliminare degli atti"),
                  session({2025, 3, 20}, "9:30", "11:00", "Udienza per chiarimenti", true),
                  session({2025, 5, 15}, "14:00", "17:20", "Risposta alle osservazioni"),
                  session({2025, 6, 5}, "10:00", "12:00", "Integrazione della relazione")};
    r.increasePercent = 20;
    r.panel = 2;
    r.expenses = {{"Trasferta Firenze–Prato", 4500}, {"Copie degli atti", 1250}};
    r.advances = 5000;
    r.note = "Operazioni svolte con il consulente di parte.";
    return r;
}

// realistic() with two fees by value: art. 13 at its maximum and art. 17 at its middle, and an
// urgency of 10 % on them.
AssignmentRequest withItems() {
    AssignmentRequest r = realistic();
    r.tableItems = {{"13", {65000000}, {}, TableFeeItem::Asked::Maximum, 0, "Stima dell'immobile"},
                    {"17", {1000000}, {}, TableFeeItem::Asked::Middle, 0, "Danno al veicolo"}};
    r.tableUrgencyPercent = 10;
    return r;
}

Document describe(const AssignmentRequest &request) {
    return std::get<Document>(request::describe(request, {{2025, 6, 12}, {17, 5}}));
}

const Block &onlyBlock(const Document &document, Block::Kind kind, int skip = 0) {
    for (const Block &block : document.blocks) {
        if (block.kind == kind && skip-- == 0)
            return block;
    }
    qFatal("no such block");
}

// The text of the PDF's pages `first` to `last` (0: to the end), as pdftotext reads it.
// pdftotext ends each page with a form feed.
int pageCount(const QString &path) {
    return int(pdfText(path).count(u'\f'));
}

} // namespace

class TestAssignmentRequest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(loadDocumentFonts(shippedFontsFolder()), QStringList());
    }

    // By hand: 10/03 has 2:30 and 0:45, 3:15 that is 1,5 vacazioni; the udienza of 1:30 is 1;
    // 10 hours on 02/04 are capped at 4; 3:20 on 15/05 are 2. Before the appointment and after
    // the extension nothing is paid.
    void operations() {
        const Document document = describe(realistic());
        const Block &grid = onlyBlock(document, Block::Grid);
        QStringList header;
        for (const GridColumn &column : grid.columns)
            header << column.title;
        QCOMPARE(header.join('|'), "Data|Dalle|Alle|Descrizione|Ore|Udienza|Vacazioni");
        QStringList rows;
        for (const GridRow &row : grid.lines)
            rows << (row.total ? "*" : "") + row.cells.join('|');
        const QStringList expected{
            "28/02/2025|10:00|11:00|Studio preliminare degli atti|1:00|no|prima del conferimento",
            "10/03/2025|09:00|11:30|Sopralluogo in via Roma|2:30|no|",
            "10/03/2025|15:00|15:45|Esame dei documenti|0:45|no|",
            "*|||Totale del giorno|3:15||1,5",
            "20/03/2025|09:30|11:00|Udienza per chiarimenti|1:30|sì|1",
            "02/04/2025|08:00|18:00|Redazione della relazione|10:00|no|",
            "*|||Totale del giorno (limite di 4 vacazioni al giorno)|10:00||4",
            "15/05/2025|14:00|17:20|Risposta alle osservazioni|3:20|no|2",
            "05/06/2025|10:00|12:00|Integrazione della relazione|2:00|no|oltre il termine"};
        QCOMPARE(rows, expected);
    }

    // 17 halves: 14,68 € + 15 × 4,075 € = 14,68 + 61,125, so 75,81 €. 20 % of it is 15,162, so
    // 15,16 €; the panel adds 40 % of 90,97 €, 36,388, so 36,39 €.
    void amounts() {
        const Document document = describe(realistic());
        QCOMPARE(onlyBlock(document, Block::Fields, 1).rows,
                 (Rows{{"Vacazioni riconosciute", "8,5"}, {"di cui in udienza", "1"}}));
        QCOMPARE(onlyBlock(document, Block::Table).rows,
                 (Rows{{"Compenso", "75,81 €"},
                       {"Maggiorazione del 20% (art. 52, comma 1, DPR 115/2002)", "15,16 €"},
                       {"Collegio di 2 consulenti: 40% per ciascuno oltre il primo (art. 53 DPR "
                        "115/2002)",
                        "36,39 €"},
                       {"Totale compenso", "127,36 €"},
                       {"Spese: Trasferta Firenze–Prato", "45,00 €"},
                       {"Spese: Copie degli atti", "12,50 €"},
                       {"Totale spese", "57,50 €"},
                       {"Acconti ricevuti", "-50,00 €"},
                       {"Saldo richiesto", "134,86 €"}}));
    }

    void refused_data() {
        QTest::addColumn<AssignmentRequest>("request");
        QTest::addColumn<QString>("message");
        AssignmentRequest r = realistic();
        r.expenses = {{"a", std::numeric_limits<Cents>::max()}, {"b", 1}};
        QTest::newRow("expenses") << r << "Gli importi superano quanto il programma sa sommare.";
        r = withItems();
        r.tableItems[1].asked = TableFeeItem::Asked::Amount;
        r.tableItems[1].amount = 50000;
        QTest::newRow("asked out of range")
            << r
            << "Voce 2 degli onorari (Art. 17 - infortunistica del traffico e della circolazione): "
               "L'importo richiesto, 500,00 €, è fuori dall'intervallo da 215,84 € a 431,68 €.";
        r = withItems();
        r.tableItems[0].article = "1";
        QTest::newRow("no such article") << r << "Voce 1 degli onorari: L'articolo «1»";
        r.tableItems[0].article = "15";
        QTest::newRow("article not offered")
            << r << "Voce 1 degli onorari: Art. 15 - aerei, navi e imbarcazioni: non disponibile";
        r = withItems();
        r.tableItems[1].quantity = 2;
        QTest::newRow("a quantity to art. 17") << r << "L'art. 17 non si paga a quantità.";
        r = withItems();
        r.tableUrgencyPercent = 21;
        QTest::newRow("urgency") << r << "art. 51, comma 2";
    }

    void refused() {
        QFETCH(AssignmentRequest, request);
        QFETCH(QString, message);
        const auto described = request::describe(request, {});
        QVERIFY(std::holds_alternative<QString>(described));
        QVERIFY2(std::get<QString>(described).contains(message),
                 qPrintable(std::get<QString>(described)));
    }

    void feeItems_data() {
        QTest::addColumn<QDate>("filed");
        QTest::addColumn<Rows>("amounts");
        const Rows vacazioni{
            {"Compenso a vacazione", "75,81 €"},
            {"Maggiorazione del 20% (art. 52, comma 1, DPR 115/2002)", "15,16 €"},
            {"Collegio di 2 consulenti: 40% per ciascuno oltre il primo (art. 53 DPR 115/2002)",
             "36,39 €"},
            {"Totale compenso a vacazione", "127,36 €"},
            {"Onorari fissi e variabili", "2.595,52 €"}};
        const Rows expenses{{"Spese: Trasferta Firenze–Prato", "45,00 €"},
                            {"Spese: Copie degli atti", "12,50 €"},
                            {"Totale spese", "57,50 €"},
                            {"Acconti ricevuti", "-50,00 €"}};
        // Late (10/06, the deadline of Saturday 31/05 ending on Tuesday 03/06): 2.595,52 € less
        // 865,17 € is 1.730,35 €; 10 % is 173,035, so 173,04 €; 20 % is 346,07 €; the panel 40 %
        // of 2.249,46 €, 899,784, so 899,78 €: 3.149,24 €. With the vacazioni 3.276,60 €.
        QTest::newRow("late") << QDate(2025, 6, 10)
                              << vacazioni +
                                     Rows{{"Riduzione di un terzo per la relazione depositata in "
                                           "ritardo (art. 52, comma 2, DPR 115/2002)",
                                           "-865,17 €"},
                                          {"Aumento per urgenza del 10% (art. 51, comma 2, DPR "
                                           "115/2002)",
                                           "173,04 €"},
                                          {"Maggiorazione del 20% (art. 52, comma 1, DPR 115/2002)",
                                           "346,07 €"},
                                          {"Collegio di 2 consulenti: 40% per ciascuno oltre il "
                                           "primo (art. 53 DPR 115/2002)",
                                           "899,78 €"},
                                          {"Totale onorari fissi e variabili", "3.149,24 €"},
                                          {"Totale compenso", "3.276,60 €"}} +
                                     expenses + Rows{{"Saldo richiesto", "3.284,10 €"}};
        // In time: 10 % of 2.595,52 € is 259,552, so 259,55 €; 20 % 519,10 €; the panel 40 % of
        // 3.374,17 €, 1.349,668, so 1.349,67 €: 4.723,84 €.
        QTest::newRow("in time")
            << QDate(2025, 6, 3)
            << vacazioni +
                   Rows{
                       {"Aumento per urgenza del 10% (art. 51, comma 2, DPR 115/2002)", "259,55 €"},
                       {"Maggiorazione del 20% (art. 52, comma 1, DPR 115/2002)", "519,10 €"},
                       {"Collegio di 2 consulenti: 40% per ciascuno oltre il primo (art. 53 DPR "
                        "115/2002)",
                        "1.349,67 €"},
                       {"Totale onorari fissi e variabili", "4.723,84 €"},
                       {"Totale compenso", "4.851,20 €"}} +
                   expenses + Rows{{"Saldo richiesto", "4.858,70 €"}};
    }

    // Art. 13 on 650.000,00 € at the highest rates is the published 2.271,76 €; art. 17 on
    // 10.000,00 € walks 19,41 + 14,56 + 77,63 + 104,24 € at the lowest rates (215,83972666 €)
    // and twice that at the highest (431,67996978 €): the middle is 323,76 €. The PDF shows each
    // item and the late filing; the amounts are the hand-computed ones.
    void feeItems() {
        QFETCH(QDate, filed);
        QFETCH(Rows, amounts);
        AssignmentRequest request = withItems();
        request.reportFiled = filed;
        const Document document = describe(request);
        QCOMPARE(onlyBlock(document, Block::Table, 2).rows, amounts);
        QTemporaryDir folder;
        const QString path = folder.filePath("onorari.pdf");
        QVERIFY(!savePdf(toPdf(document), path));
        const QString text = pdfText(path).simplified();
        const bool late = filed == QDate(2025, 6, 10);
        for (const char *shown :
             {"1. Art. 13 - estimo: Stima dell'immobile", "Importo stimato 650.000,00 €",
              "da 258.228,46 € a 516.456,90 € 258.228,45 € 0,0474 % - 0,0947 % 122,40 € - 244,54 €",
              "Richiesto (massimo) 2.271,76 €",
              "2. Art. 17 - infortunistica del traffico e della circolazione: Danno al veicolo",
              "Danno maggiore 10.000,00 €", "Richiesto (medio) 323,76 €",
              "Secondo le tabelle del DM 30 maggio 2002.",
              "Comprensivo della relazione e della partecipazione alle udienze (art. 29 delle "
              "tabelle)"})
            QVERIFY2(text.contains(QString(shown)), qPrintable(shown + ("\n" + text)));
        const QString lateText =
            "Relazione depositata in ritardo: il 10/06/2025, dopo l'ultimo termine del 31/05/2025 "
            "(scade di fatto il 03/06/2025). Gli onorari fissi e variabili sono ridotti di un "
            "terzo (art. 52, comma 2, DPR 115/2002). Per le vacazioni non è compensato il tempo "
            "successivo alla scadenza del termine.";
        QCOMPARE(text.contains(lateText), late);
        QCOMPARE(text.contains("Deposito della relazione " + parts::dateText(filed) +
                               " (depositata in ritardo)"),
                 late);
        QVERIFY(text.contains(amounts.last().first + " " + amounts.last().second));
    }

    // Three markers of art. 25: the first at 28,92 € to 290,77 €, the two further at half, so
    // twice the range: 57,84 € to 581,54 €, the middle 319,69 €. The request names the count
    // beside the article and leaves the note on the source to the program's own windows.
    void perItem() {
        AssignmentRequest request = realistic();
        request.tableItems = {
            {"25", {}, {}, TableFeeItem::Asked::Middle, 0, "Tracce sul coltello", 3}};
        const Document document = describe(request);
        QTemporaryDir folder;
        const QString path = folder.filePath("reperti.pdf");
        QVERIFY(!savePdf(toPdf(document), path));
        const QString text = pdfText(path).simplified();
        for (const char *shown :
             {"(n. 3 reperti o marcatori): Tracce sul coltello",
              "Compenso fisso da 28,92 € a 290,77 € per reperto o marcatore, i successivi al primo "
              "a metà",
              "Minimo 57,84 €", "Massimo 581,54 €", "Richiesto (medio) 319,69 €"})
            QVERIFY2(text.contains(QString(shown)), qPrintable(shown + ("\n" + text)));
        QVERIFY(!text.contains("fonte"));
    }

    // Two hundred sessions run over several pages; each page of the log repeats its header
    // and no session is lost at a page break.
    void longLog() {
        AssignmentRequest request = realistic();
        request.sessions.clear();
        for (int i = 0; i < 200; ++i)
            request.sessions.append(
                session(QDate(2025, 3, 3).addDays(i / 2), i % 2 ? "14:00" : "9:00",
                        i % 2 ? "16:30" : "12:00",
                        qPrintable(QString("Operazione %1").arg(i, 3, 10, QChar('0')))));
        QTemporaryDir folder;
        const QString path = folder.filePath("lungo.pdf");
        QVERIFY(!savePdf(toPdf(describe(request)), path));
        const int pages = pageCount(path);
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        QString all;
        for (int page = 1; page <= pages; ++page) {
            const QString text = pdfText(path, page, page);
            all += text;
            QVERIFY2(text.contains(QString("pagina %1 di %2").arg(page).arg(pages)),
                     qPrintable(text));
            if (text.contains("Operazione "))
                QVERIFY2(text.contains(QRegularExpression(
                             "Data +Dalle +Alle +Descrizione +Ore +Udienza +Vacazioni")),
                         qPrintable(QString("page %1:\n%2").arg(page).arg(text)));
        }
        for (int i = 0; i < 200; ++i)
            QCOMPARE(all.count(QString("Operazione %1").arg(i, 3, 10, QChar('0'))), 1);
    }
};

QTEST_MAIN(TestAssignmentRequest)
#include "tst_assignmentrequest.moc"
