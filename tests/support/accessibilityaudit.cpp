#include "accessibilityaudit.h"

#include <QAccessible>
#include <QHash>
#include <QLabel>

namespace {

using enum QAccessible::Role;

// Checked as one control: the toolkit's own parts inside are not the program's.
bool isWhole(const QAccessibleInterface *node) {
    return QList{ComboBox, SpinBox, Table, List, Tree}.contains(node->role()) ||
           node->object()->inherits("QCalendarWidget");
}

bool takesInput(const QAccessibleInterface *node) {
    const QList inputs{PushButton, CheckBox, RadioButton, EditableText, Slider, ButtonMenu};
    return isWhole(node) || inputs.contains(node->role());
}

// "QPushButton Command1", or the class alone.
QString describe(const QAccessibleInterface *node) {
    const QObject *object = node->object();
    return (QLatin1String(object->metaObject()->className()) + u' ' + object->objectName())
        .trimmed();
}

// The name a screen reader gives a control: its own, or else that of the label naming it. Qt on
// Linux gives a combo box's current text as its name, which names nothing: there the box's own
// name (which Qt reports elsewhere) or its label counts.
QString nameOf(QAccessibleInterface *node, const QWidget *widget) {
    QString name =
        node->role() == ComboBox ? widget->accessibleName() : node->text(QAccessible::Name);
    for (const auto &[label, relation] : node->relations(QAccessible::Label))
        name = name.isEmpty() ? label->text(QAccessible::Name) : name;
    return name;
}

// Whether a screen reader can read what a label shows (a mnemonic's '&' is drawn as an
// underline) in its name or its text.
bool exposesText(QAccessibleInterface *node, const QLabel *label) {
    const QString shown = label->buddy() ? QString(label->text()).remove(u'&') : label->text();
    const QAccessibleTextInterface *text = node->textInterface();
    return node->text(QAccessible::Name).contains(shown) ||
           (text && text->text(0, text->characterCount()).contains(shown));
}

struct Audit {
    QStringList failures;
    QHash<QString, QString> named; // a control's name, and the control

    void visit(QAccessibleInterface *node) {
        const auto *widget = qobject_cast<const QWidget *>(node->object());
        if (!widget || !widget->isVisible() || node->role() == MenuBar)
            return;
        if (const auto *label = qobject_cast<const QLabel *>(widget)) {
            if (!exposesText(node, label))
                failures.append(
                    QStringLiteral("%1 shows \"%2\" but a screen reader hears \"%3\"")
                        .arg(describe(node), label->text(), node->text(QAccessible::Name)));
        } else if (takesInput(node)) {
            const QString name = nameOf(node, widget);
            if (name.isEmpty())
                failures.append(describe(node) + QStringLiteral(" has no accessible name"));
            else if (named.contains(name))
                failures.append(QStringLiteral("%1 and %2 share the accessible name \"%3\"")
                                    .arg(named.value(name), describe(node), name));
            named.insert(name, describe(node));
        }
        for (int i = 0; !isWhole(node) && i < node->childCount(); ++i)
            visit(node->child(i));
    }
};

} // namespace

QStringList auditAccessibility(QWidget *window) {
    Audit audit;
    QAccessibleInterface *top = QAccessible::queryAccessibleInterface(window);
    // Announced as a window, by its title, when it comes to the front.
    if (top->role() != QAccessible::Window && top->role() != QAccessible::Dialog)
        audit.failures.append(QStringLiteral("not a window to a screen reader"));
    if (top->text(QAccessible::Name) != window->windowTitle())
        audit.failures.append(
            QStringLiteral("named \"%1\", not by its title").arg(top->text(QAccessible::Name)));
    audit.visit(top);
    if (audit.named.isEmpty())
        audit.failures.append(QStringLiteral("no control found"));
    for (QString &failure : audit.failures)
        failure.prepend(window->windowTitle() + QStringLiteral(": "));
    return audit.failures;
}
