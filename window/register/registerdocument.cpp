#include "registerdocument.h"

#include "assignmentrequest.h"
#include "documentoutput.h"
#include "feeitems.h"
#include "output.h"
#include "settings.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tolvemar::registerdocument {

namespace {

request::TableFeeItem::Asked askedOf(assignments::FeeAsked asked) {
    using Asked = request::TableFeeItem::Asked;
    switch (asked) {
    case assignments::FeeAsked::Minimum:
        return Asked::Minimum;
    case assignments::FeeAsked::Middle:
        break;
    case assignments::FeeAsked::Maximum:
        return Asked::Maximum;
    case assignments::FeeAsked::Amount:
        return Asked::Amount;
    }
    return Asked::Middle;
}

// An item whose article is not in the tables keeps its value, and the request names it.
request::TableFeeItem requestItem(const assignments::FeeItem &item, QDate appointment) {
    const auto article = assignments::feeItemArticle(item, appointment);
    const auto *const *found = std::get_if<const fee::TableArticle *>(&article);
    return {item.article,
            found ? assignments::feeItemValues(item, **found) : QList<fee::Cents>{item.value},
            assignments::reductionId(item.reduction),
            askedOf(item.asked),
            item.amount,
            item.description,
            item.quantity};
}

} // namespace

std::optional<request::Document> describe(const Source &source, QWidget *parent) {
    QString expert = settings::expert();
    if (expert.trimmed().isEmpty()) {
        bool given = false;
        expert = QInputDialog::getText(parent, QStringLiteral("Consulente"),
                                       QStringLiteral("Nome del consulente per l'istanza:"),
                                       QLineEdit::Normal, QString(), &given);
        if (!given)
            return std::nullopt;
        settings::setExpertAndCourt(expert, settings::court());
    }
    const assignments::Assignment &chosen = source.assignment;
    request::AssignmentRequest fees{expert,
                                    chosen.court,
                                    chosen.caseNumber,
                                    chosen.judge,
                                    chosen.subject,
                                    chosen.period,
                                    chosen.reportFiled,
                                    source.sessions,
                                    source.tariff,
                                    chosen.urgencyPercent,
                                    chosen.increasePercent,
                                    chosen.panel,
                                    {},
                                    chosen.advances,
                                    chosen.note,
                                    {},
                                    chosen.tableUrgencyPercent};
    for (const assignments::Expense &expense : chosen.expenses)
        fees.expenses.append({expense.description, expense.amount});
    for (const assignments::FeeItem &item : chosen.feeItems)
        fees.tableItems.append(requestItem(item, chosen.period.appointment));
    auto described = request::describe(fees, QDateTime::currentDateTime());
    if (const QString *error = std::get_if<QString>(&described)) {
        QMessageBox::critical(parent, QGuiApplication::applicationDisplayName(), *error);
        return std::nullopt;
    }
    return std::get<request::Document>(std::move(described));
}

QString copy(const Source &source, QWidget *parent) {
    const auto document = describe(source, parent);
    if (!document)
        return {};
    QGuiApplication::clipboard()->setMimeData(request::toMimeData(*document));
    return QStringLiteral("Istanza copiata negli appunti.");
}

void print(const Source &source, QWidget *parent) {
    if (const auto document = describe(source, parent))
        printDocument(*document, parent);
}

QString exportPdf(const Source &source, QWidget *parent) {
    const auto document = describe(source, parent);
    if (!document)
        return {};
    QString name = QStringLiteral("Istanza_%1.pdf").arg(source.assignment.caseNumber);
    name.replace(u'/', u'-').replace(u' ', u'-');
    const QString path = exportDocument(*document, name, parent);
    if (path.isEmpty())
        return {};
    return QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(path));
}

} // namespace tolvemar::registerdocument
