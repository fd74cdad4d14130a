#pragma once

#include <QString>

class QLabel;
class QWidget;

// How a window marks a field that holds a bad value.
namespace tolvemar::fieldmark {

// Marks `field` as holding a bad value, with `message` beside it in `label`, in its tooltip and
// in its accessible description; an empty message clears the mark.
void mark(QWidget *field, QLabel *label, const QString &message);

// A label for messages about a field, hidden while it has none.
QLabel *errorLabel(QWidget *parent);

} // namespace tolvemar::fieldmark
