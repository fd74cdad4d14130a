// The selected assignment's request for payment: to the clipboard, the printer or a PDF.
#include "assignmentform.h"
#include "assignmentrequest.h"
#include "documentoutput.h"
#include "output.h"
#include "registerwindow.h"
#include "sessionmodel.h"
#include "sessiontable.h"
#include "settings.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace tolvemar {

std::optional<request::Document> RegisterWindow::requestDocument() {
    form->savePending();
    QString expert = settings::expert();
    if (expert.trimmed().isEmpty()) {
        // Asked once, then remembered as the fee request remembers it.
        bool given = false;
        expert = QInputDialog::getText(this, QStringLiteral("Consulente"),
                                       QStringLiteral("Nome del consulente per l'istanza:"),
                                       QLineEdit::Normal, QString(), &given);
        if (!given)
            return std::nullopt;
        settings::setExpertAndCourt(expert, settings::court());
    }
    const assignments::Assignment &chosen = form->assignment();
    request::AssignmentRequest fees{expert,
                                    chosen.court,
                                    chosen.caseNumber,
                                    chosen.judge,
                                    chosen.subject,
                                    chosen.period,
                                    chosen.reportFiled,
                                    sessions->model().sessions(),
                                    tariff,
                                    chosen.urgencyPercent,
                                    chosen.increasePercent,
                                    chosen.panel,
                                    {},
                                    chosen.advances,
                                    chosen.note};
    for (const assignments::Expense &expense : chosen.expenses)
        fees.expenses.append({expense.description, expense.amount});
    auto described = request::describe(fees, QDateTime::currentDateTime());
    if (const QString *error = std::get_if<QString>(&described)) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), *error);
        return std::nullopt;
    }
    return std::get<request::Document>(std::move(described));
}

void RegisterWindow::copyRequest() {
    if (const auto document = requestDocument()) {
        QGuiApplication::clipboard()->setMimeData(request::toMimeData(*document));
        showMessage(QStringLiteral("Istanza copiata negli appunti."));
    }
}

void RegisterWindow::printRequest() {
    if (const auto document = requestDocument())
        printDocument(*document, this);
}

void RegisterWindow::exportPdf() {
    const auto document = requestDocument();
    if (!document)
        return;
    QString name = QStringLiteral("Istanza_%1.pdf").arg(form->assignment().caseNumber);
    name.replace(u'/', u'-').replace(u' ', u'-');
    const QString path = exportDocument(*document, name, this);
    if (!path.isEmpty())
        showMessage(QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace tolvemar
