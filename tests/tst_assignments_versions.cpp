#include "tst_assignments.h"

#include "registerprivate.h"

#include <QTest>

using namespace registertest;

Q_DECLARE_METATYPE(assignments::Assignment)

namespace {

// Every table's columns and every index, as SQLite describes them.
QString layoutOf(const QString &path) {
    return rawQuery(path, {QStringLiteral(
                              "SELECT group_concat(c, ' ') FROM (SELECT m.type || ' ' || m.name || "
                              "':' || ifnull(p.cid || p.name || p.type || p.\"notnull\" || "
                              "ifnull(p.dflt_value, '-') || p.pk, '') AS c FROM sqlite_master m "
                              "LEFT JOIN pragma_table_info(m.name) p ON m.type = 'table' "
                              "ORDER BY m.type, m.name, p.cid)")})
        .toString();
}

// The files that earlier versions of the program wrote, with the same assignments in each.
QStringList versionFile(int version) {
    if (version == 1)
        return {
            "CREATE TABLE assignment (id INTEGER PRIMARY KEY, court TEXT NOT NULL DEFAULT '', "
            "case_number TEXT NOT NULL DEFAULT '', judge TEXT NOT NULL DEFAULT '', subject TEXT "
            "NOT NULL DEFAULT '', appointment TEXT, deadline TEXT, extensions TEXT NOT NULL "
            "DEFAULT '', report_filed TEXT, panel INTEGER NOT NULL DEFAULT 1, urgency_percent "
            "INTEGER NOT NULL DEFAULT 0, increase_percent INTEGER NOT NULL DEFAULT 0, "
            "expenses_cents INTEGER NOT NULL DEFAULT 0, advances_cents INTEGER NOT NULL DEFAULT "
            "0, note TEXT NOT NULL DEFAULT '')",
            "CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER NOT NULL "
            "REFERENCES assignment(id) ON DELETE CASCADE, date TEXT NOT NULL, from_minute INTEGER "
            "NOT NULL, to_minute INTEGER NOT NULL, description TEXT NOT NULL DEFAULT '')",
            "INSERT INTO assignment VALUES (7, 'Corte d''Appello', '88/2024', 'Rossi', 'Danni', "
            "'2024-01-15', '2024-03-15', '2024-05-15 2024-04-15', NULL, 2, 100, 0, 9900, 5000, "
            "'nota')",
            "INSERT INTO assignment (id, case_number) VALUES (8, '1/2023')",
            "INSERT INTO session VALUES (1, 7, '2024-02-01', 540, 660, 'Visita')",
            "INSERT INTO session VALUES (2, 7, '2024-02-02', 0, 1440, 'Studio')",
            "PRAGMA user_version = 1"};
    if (version == 2)
        return {
            "CREATE TABLE assignment (id INTEGER PRIMARY KEY, court TEXT NOT NULL DEFAULT '', "
            "case_number TEXT NOT NULL DEFAULT '', judge TEXT NOT NULL DEFAULT '', subject TEXT "
            "NOT NULL DEFAULT '', appointment TEXT, deadline TEXT, report_filed TEXT, panel "
            "INTEGER NOT NULL DEFAULT 1, urgency_percent INTEGER NOT NULL DEFAULT 0, "
            "increase_percent INTEGER NOT NULL DEFAULT 0, advances_cents INTEGER NOT NULL DEFAULT "
            "0, note TEXT NOT NULL DEFAULT '')",
            "CREATE TABLE extension (assignment_id INTEGER NOT NULL REFERENCES assignment(id) ON "
            "DELETE CASCADE, position INTEGER NOT NULL, date TEXT, PRIMARY KEY (assignment_id, "
            "position))",
            "CREATE TABLE expense (assignment_id INTEGER NOT NULL REFERENCES assignment(id) ON "
            "DELETE CASCADE, position INTEGER NOT NULL, description TEXT NOT NULL DEFAULT '', "
            "amount_cents INTEGER NOT NULL, PRIMARY KEY (assignment_id, position))",
            "CREATE TABLE session (id INTEGER PRIMARY KEY, assignment_id INTEGER NOT NULL "
            "REFERENCES assignment(id) ON DELETE CASCADE, date TEXT NOT NULL, from_minute INTEGER "
            "NOT NULL, to_minute INTEGER NOT NULL, description TEXT NOT NULL DEFAULT '', udienza "
            "INTEGER NOT NULL DEFAULT 0)",
            "CREATE INDEX session_by_day ON session (assignment_id, date)",
            "INSERT INTO assignment VALUES (7, 'Corte d''Appello', '88/2024', 'Rossi', 'Danni', "
            "'2024-01-15', '2024-03-15', NULL, 2, 100, 0, 5000, 'nota')",
            "INSERT INTO assignment (id, case_number) VALUES (8, '1/2023')",
            "INSERT INTO extension VALUES (7, 0, '2024-05-15'), (7, 1, '2024-04-15')",
            "INSERT INTO expense VALUES (7, 0, 'Spese', 9900)",
            "INSERT INTO session VALUES (1, 7, '2024-02-01', 540, 660, 'Visita', 0)",
            "INSERT INTO session VALUES (2, 7, '2024-02-02', 0, 1440, 'Studio', 0)",
            "PRAGMA user_version = 2"};
    if (version == 5)
        return versionFile(4) +
               QStringList{
                   "ALTER TABLE assignment ADD COLUMN decree_expenses_cents INTEGER NOT NULL "
                   "DEFAULT 0",
                   "ALTER TABLE assignment ADD COLUMN decree_advanced_cents INTEGER NOT NULL "
                   "DEFAULT 0",
                   "ALTER TABLE party ADD COLUMN tax_id TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN street TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN postcode TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN town TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN province TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN recipient TEXT NOT NULL DEFAULT ''",
                   "ALTER TABLE party ADD COLUMN withholding_agent INTEGER NOT NULL DEFAULT 0",
                   "CREATE TABLE court (name TEXT PRIMARY KEY, ipa_code TEXT NOT NULL DEFAULT '', "
                   "tax_code TEXT NOT NULL DEFAULT '', street TEXT NOT NULL DEFAULT '', "
                   "postcode TEXT NOT NULL DEFAULT '', town TEXT NOT NULL DEFAULT '', "
                   "province TEXT NOT NULL DEFAULT '', invoice_to TEXT NOT NULL DEFAULT "
                   "'ufficio' CHECK (invoice_to IN ('ufficio', 'parte')))",
                   "CREATE TABLE invoice (id INTEGER PRIMARY KEY, assignment_id INTEGER "
                   "REFERENCES assignment(id) ON DELETE SET NULL, year INTEGER NOT NULL, number "
                   "INTEGER NOT NULL CHECK (number > 0), date TEXT NOT NULL, party TEXT NOT NULL, "
                   "fee_cents INTEGER NOT NULL, expenses_cents INTEGER NOT NULL, advanced_cents "
                   "INTEGER NOT NULL, contribution_cents INTEGER NOT NULL, vat_cents INTEGER NOT "
                   "NULL, withholding_cents INTEGER NOT NULL, total_cents INTEGER NOT NULL, "
                   "payment_cents INTEGER NOT NULL, file_name TEXT NOT NULL UNIQUE, xml BLOB NOT "
                   "NULL, UNIQUE (year, number))",
                   "UPDATE party SET tax_id = 'RSSMRA80A01H501U' WHERE assignment_id = 7",
                   "PRAGMA user_version = 5"};
    if (version == 4)
        return versionFile(3) +
               QStringList{
                   "ALTER TABLE assignment ADD COLUMN draft_date TEXT",
                   "ALTER TABLE assignment ADD COLUMN observations_date TEXT",
                   "ALTER TABLE assignment ADD COLUMN decree TEXT",
                   "ALTER TABLE assignment ADD COLUMN liquidated_cents INTEGER NOT NULL DEFAULT 0",
                   "CREATE TABLE term_extension (assignment_id INTEGER NOT NULL REFERENCES "
                   "assignment(id) ON DELETE CASCADE, term TEXT NOT NULL CHECK (term IN ('bozza', "
                   "'osservazioni')), position INTEGER NOT NULL, date TEXT, PRIMARY KEY "
                   "(assignment_id, term, position))",
                   "CREATE TABLE party (assignment_id INTEGER NOT NULL REFERENCES assignment(id) "
                   "ON DELETE CASCADE, position INTEGER NOT NULL, name TEXT NOT NULL, "
                   "share_hundredths INTEGER NOT NULL, jointly INTEGER NOT NULL DEFAULT 0, "
                   "PRIMARY KEY (assignment_id, position))",
                   "CREATE TABLE payment (assignment_id INTEGER NOT NULL REFERENCES "
                   "assignment(id) ON DELETE CASCADE, position INTEGER NOT NULL, date TEXT NOT "
                   "NULL, payer TEXT NOT NULL DEFAULT '', amount_cents INTEGER NOT NULL, note TEXT "
                   "NOT NULL DEFAULT '', PRIMARY KEY (assignment_id, position))",
                   "UPDATE assignment SET decree = '2025-07-01', liquidated_cents = 90000 WHERE "
                   "id = 7",
                   "INSERT INTO term_extension VALUES (7, 'bozza', 0, '2024-06-01')",
                   "INSERT INTO party VALUES (7, 0, 'Rossi', 10000, 1)",
                   "INSERT INTO payment VALUES (7, 0, '2025-07-09', 'Rossi', 100, 'bonifico')",
                   "PRAGMA user_version = 4"};
    return versionFile(2) +
           QStringList{
               "ALTER TABLE assignment ADD COLUMN table_urgency_percent INTEGER NOT NULL DEFAULT 0",
               "CREATE TABLE fee_item (assignment_id INTEGER NOT NULL REFERENCES assignment(id) ON "
               "DELETE CASCADE, position INTEGER NOT NULL, article TEXT NOT NULL, value_cents "
               "INTEGER NOT NULL DEFAULT 0, revenues_cents INTEGER NOT NULL DEFAULT 0, reduction "
               "TEXT NOT NULL DEFAULT '' CHECK (reduction IN ('', 'sommaria', 'giudizio', "
               "'precedente', 'non-commerciale')), asked TEXT NOT NULL DEFAULT 'medio' CHECK "
               "(asked IN ('minimo', 'medio', 'massimo', 'importo')), asked_cents INTEGER NOT NULL "
               "DEFAULT 0, description TEXT NOT NULL DEFAULT '', PRIMARY KEY (assignment_id, "
               "position))",
               "UPDATE assignment SET table_urgency_percent = 15 WHERE id = 7",
               "INSERT INTO fee_item VALUES (7, 0, '4', 100, 200, 'giudizio', 'importo', 300, "
               "'Bilancio'), (7, 1, '21', 400, 0, '', 'massimo', 0, '')",
               "PRAGMA user_version = 3"};
}

} // namespace

void TestAssignments::migration_data() {
    QTest::addColumn<int>("version");
    for (int version = 1; version < kSchemaVersion; ++version)
        QTest::addRow("version %d", version) << version;
}

void TestAssignments::migration() {
    QFETCH(int, version);
    const QString path = fresh("old.sqlite");
    QFile::remove(path);
    rawQuery(path, versionFile(version));
    auto r = openRegister(path);
    QVERIFY(r);
    Assignment expected;
    expected.id = 7;
    expected.court = QStringLiteral("Corte d'Appello");
    expected.caseNumber = QStringLiteral("88/2024");
    expected.judge = QStringLiteral("Rossi");
    expected.subject = QStringLiteral("Danni");
    expected.period = {
        QDate(2024, 1, 15), QDate(2024, 3, 15), {QDate(2024, 5, 15), QDate(2024, 4, 15)}};
    expected.panel = 2;
    expected.urgencyPercent = 100;
    expected.advances = 5000;
    expected.expenses = {{QStringLiteral("Spese"), 9900}};
    expected.note = QStringLiteral("nota");
    if (version >= 4) {
        expected.draftToParties.extensions = {QDate(2024, 6, 1)};
        expected.decree = QDate(2025, 7, 1);
        expected.liquidated = 90000;
        expected.parties = {{"Rossi", 10000, true}};
        if (version == 5)
            expected.parties[0].taxId = QStringLiteral("RSSMRA80A01H501U");
        expected.payments = {{QDate(2025, 7, 9), "Rossi", 100, "bonifico"}};
    }
    if (version >= 3) {
        expected.tableUrgencyPercent = 15;
        expected.feeItems = {
            {"4", 100, 200, FeeReduction::Giudizio, FeeAsked::Amount, 300, "Bilancio"},
            {"21", 400, 0, FeeReduction::None, FeeAsked::Maximum, 0, ""}};
    }
    QCOMPARE(value(r->assignment(7)), expected);
    QCOMPARE(value(r->invoices(7)), QList<Invoice>());
    QCOMPARE(value(r->courtNames()), QStringList{"Corte d'Appello"});
    Assignment bare;
    bare.id = 8;
    bare.caseNumber = QStringLiteral("1/2023");
    QCOMPARE(value(r->assignment(8)), bare);
    QCOMPARE(value(r->sessions(7)),
             (QList<StoredSession>{{1, {QDate(2024, 2, 1), 540, 660, "Visita", false}},
                                   {2, {QDate(2024, 2, 2), 0, 1440, "Studio", false}}}));
    r.reset();
    QCOMPARE(rawQuery(path, {QStringLiteral("PRAGMA user_version")}).toInt(), kSchemaVersion);
    QVERIFY(openRegister(fresh("new.sqlite")));
    QCOMPARE(layoutOf(path), layoutOf(fresh("new.sqlite")));

    // A fee paid per item, in the migrated file, comes back with its quantity.
    r = openRegister(path);
    expected.feeItems.append({"25", 0, 0, FeeReduction::None, FeeAsked::Maximum, 0, "DNA", 7});
    QVERIFY(r->update(expected).isEmpty());
    r.reset();
    QCOMPARE(value(openRegister(path)->assignment(7)), expected);
}

void TestAssignments::refusals_data() {
    QTest::addColumn<Assignment>("changed");
    QTest::addColumn<QString>("message"); // empty: accepted
    const auto with = [](const QList<Party> &parties, const QList<Payment> &payments = {}) {
        Assignment a = fullAssignment();
        a.parties = parties;
        a.payments = payments;
        return a;
    };
    const QString shares = QStringLiteral("fanno 90,00 %: devono fare 100 %");
    QTest::newRow("shares short") << with({{"A", 6000, false}, {"B", 3000, false}}) << shares;
    QTest::newRow("one not jointly") << with({{"A", 6000, true}, {"B", 3000, false}}) << shares;
    QTest::newRow("over 100 %") << with({{"A", 6000, false}, {"B", 4001, false}})
                                << "fanno 100,01 %";
    QTest::newRow("all jointly") << with({{"A", 6000, true}, {"B", 3000, true}}) << "";
    QTest::newRow("thirds") << with({{"A", 3333, false}, {"B", 3333, false}, {"C", 3334, true}})
                            << "";
    QTest::newRow("no name") << with({{" ", 10000, false}}) << "non ha il nome";
    QTest::newRow("share beyond") << with({{"A", 10001, true}}) << "tra 0 e 100 %";
    QTest::newRow("payment undated") << with({}, {{QDate(), "A", 100, ""}}) << "non ha la data";
    QTest::newRow("payment nothing")
        << with({}, {{QDate(2025, 1, 2), "A", 0, ""}}) << "del 02/01/2025 deve avere un importo";
    Assignment a = fullAssignment();
    a.tableUrgencyPercent = 21;
    QTest::newRow("urgency") << a << "da 0 a 20 %";
    a = fullAssignment();
    a.feeItems[1].article = QStringLiteral("7");
    QTest::newRow("article") << a << "non indica un articolo";
    a = fullAssignment();
    a.decreeExpenses = a.liquidated - a.decreeAdvanced + 1;
    QTest::newRow("expenses beyond") << a << "superano l'importo liquidato";
    a = fullAssignment();
    a.feeItems[0].revenues = -1;
    QTest::newRow("negative value") << a << "ha un importo negativo";
    // The draft's last extension is 20/05/2025, the observations' 05/06, the deadline's 10/07.
    a = fullAssignment();
    a.partiesObservations = {QDate(2025, 5, 10), {}};
    QTest::newRow("observations before the draft")
        << a
        << "Le osservazioni delle parti (10/05/2025) non possono precedere l'invio della "
           "bozza alle parti (20/05/2025).";
    a = fullAssignment();
    a.period.extensions.clear();
    QTest::newRow("deadline before the observations")
        << a << "Il termine per il deposito (10/05/2025) non può precedere le osservazioni";
}

void TestAssignments::refusals() {
    QFETCH(Assignment, changed);
    QFETCH(QString, message);
    const QString path = fresh("refusals.sqlite");
    QFile::remove(path);
    auto r = openRegister(path);
    const Assignment stored = value(r->assignment(value(r->create(fullAssignment()))));
    const QByteArray before = hashOf(path) + hashOf(path + QStringLiteral("-wal"));
    const auto created = r->create(changed);
    changed.id = stored.id;
    const QString updated = r->update(changed);
    if (message.isEmpty()) {
        QVERIFY(created.index() == 0 && updated.isEmpty());
        QCOMPARE(value(r->assignment(stored.id)), changed);
        return;
    }
    QVERIFY2(std::get<QString>(created).contains(message), qPrintable(std::get<QString>(created)));
    QVERIFY2(updated.contains(message), qPrintable(updated));
    QCOMPARE(value(r->list(fee::Tariff::Decree2002)).size(), 1);
    QCOMPARE(value(r->assignment(stored.id)), stored);
    QCOMPARE(hashOf(path) + hashOf(path + QStringLiteral("-wal")), before);
}

namespace {

Register::InvoiceWriter fileOf(const QString &party) {
    return [party](int number) -> std::variant<Register::InvoiceFile, QString> {
        return Register::InvoiceFile{
            QStringLiteral("IT01234567897_%1.xml").arg(number),
            QStringLiteral("<n>%1 %2</n>").arg(number).arg(party).toUtf8()};
    };
}

} // namespace

void TestAssignments::invoices() {
    auto r = openRegister(fresh("invoices.sqlite"));
    const qint64 id = value(r->create(fullAssignment()));
    Invoice draft;
    draft.assignment = id;
    draft.date = QDate(2026, 12, 1);
    draft.party = QStringLiteral("Rossi S.p.A.");
    draft.amounts = {100000, 0, 15000, 4000, 22880, 20000, 141880, 121880};
    // Asked twice for 12, as when the settings missed the first: 12 and then 13.
    const Invoice first = value(r->addInvoice(draft, 12, fileOf(draft.party)));
    const Invoice second = value(r->addInvoice(draft, 12, fileOf(QStringLiteral("Verdi"))));
    QCOMPARE(first.number, 12);
    QCOMPARE(second.number, 13);
    QCOMPARE(second.numberText(), QStringLiteral("13/2026"));
    QCOMPARE(value(r->addInvoice(draft, 20, fileOf(QStringLiteral("Bianchi")))).number, 20);
    // A file that cannot be made takes no number.
    QCOMPARE(
        std::get<QString>(r->addInvoice(draft, 21,
                                        [](int) -> std::variant<Register::InvoiceFile, QString> {
                                            return QStringLiteral("Partita IVA errata");
                                        })),
        QStringLiteral("Partita IVA errata"));
    QCOMPARE(value(r->lastInvoiceNumber(2026)), 20);
    draft.date = QDate(2027, 1, 4);
    QCOMPARE(value(r->addInvoice(draft, 1, fileOf(QStringLiteral("2027")))).number, 1);

    const QList<Invoice> stored = value(r->invoices(id));
    QCOMPARE(stored.size(), 4);
    QCOMPARE(stored[0], first);
    QCOMPARE(stored[1].xml, QByteArray("<n>13 Verdi</n>"));
    // The number stays taken once the assignment is gone.
    QVERIFY(r->remove(id).isEmpty());
    QCOMPARE(value(r->lastInvoiceNumber(2026)), 20);

    const Court court{"Tribunale di Biella",
                      "WUMV1P",
                      "81019670025",
                      {"Via Marconi 28", "13900", "Biella", "BI"},
                      InvoiceTo::Party};
    QCOMPARE(value(r->court(court.name)).invoiceTo, InvoiceTo::Court);
    QVERIFY(r->saveCourt(court).isEmpty());
    QCOMPARE(value(r->court(court.name)), court);
    QCOMPARE(value(r->courtNames()), QStringList{court.name});
}
