#pragma once

#include "worklogcsv.h"

#include <QByteArray>
#include <QString>

// What tolvemar-log prints of a log: the vacazioni of each day, the sessions left out, the
// amounts and the request's deadline, as Italian text or as one JSON object.
namespace console {

struct Report {
    QList<fee::LogLine> lines;
    fee::LogTotals totals;
    fee::Claim claim;
    fee::Settlement settlement;
    QDate requestDeadline; // null when the log is empty
};

QString reportText(const Report &report);
QByteArray reportJson(const Report &report);

} // namespace console
