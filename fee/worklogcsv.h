#pragma once

#include "worklog.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <variant>

// The log as an Italian spreadsheet saves it: UTF-8 (a leading BOM allowed), ";" between
// fields, fields quoted with '"' where they hold ";", quotes or line breaks, CRLF or LF, and the
// header "Data;Dalle;Alle;Descrizione;In udienza". Dates are dd/MM/yyyy, times hh:mm (24:00 as
// an end), "In udienza" is "sì", "si" or "no" in any case, or empty for no.
namespace fee {

inline constexpr const char *kLogCsvHeader = "Data;Dalle;Alle;Descrizione;In udienza";

struct LogLine {
    Session session;
    int line = 0; // where the record begins in the file; the header is line 1
};

// Every session of the file, or an Italian message naming the line and the field of the first
// fault (an overlap names both lines); a file with any fault gives no session.
std::variant<QList<LogLine>, QString> readLogCsv(QByteArrayView bytes);

// The file that readLogCsv reads back to the same sessions: header, CRLF line ends, no BOM.
QByteArray writeLogCsv(const QList<Session> &sessions);

} // namespace fee
