#include "fieldmark.h"

#include <QLabel>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace tolvemar::fieldmark {

void mark(QWidget *field, QLabel *label, const QString &message) {
    field->setProperty("invalid", !message.isEmpty());
    // The style sheet matches on the property only when the widget is polished again.
    field->style()->unpolish(field);
    field->style()->polish(field);
    field->setToolTip(message);
    field->setAccessibleDescription(message);
    label->setText(message);
    label->setAccessibleName(message);
    label->setVisible(!message.isEmpty());
}

QLabel *errorLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("error"));
    label->setWordWrap(true);
    label->hide();
    return label;
}

} // namespace tolvemar::fieldmark
