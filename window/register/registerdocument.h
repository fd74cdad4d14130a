#pragma once

#include "document.h"
#include "register.h"

#include <QString>

#include <optional>

class QWidget;

// An assignment's request for payment, as the register window offers it: to the clipboard, the
// printer or a PDF. The expert's name is asked once, then remembered as the fee request
// remembers it; a box says why the request cannot be described.
namespace tolvemar::registerdocument {

struct Source {
    const assignments::Assignment &assignment;
    QList<fee::Session> sessions;
    fee::Tariff tariff;
};

// Nothing when the user cancels or the request cannot be described.
std::optional<request::Document> describe(const Source &source, QWidget *parent);

// The message for the window's status line; empty when nothing was done.
QString copy(const Source &source, QWidget *parent);
void print(const Source &source, QWidget *parent);
QString exportPdf(const Source &source, QWidget *parent);

} // namespace tolvemar::registerdocument
