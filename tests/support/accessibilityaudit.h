#pragma once

#include <QStringList>

class QWidget;

// What a screen reader finds in a window, walked through QAccessible as an assistive technology
// walks it, visible widgets only. Checks that
// - the window is a window (or a dialog) named by its title, as a screen reader announces it;
// - every control that takes input or a click has a name;
// - every label exposes the text it shows, in its name or its text interface;
// - no two controls share a name.
// A calendar, a combo box, a spin box or an item view is one control: its parts are the toolkit's
// own. Menus are left out. Returns one readable line per failure, after the window's title; none
// when the window passes.
QStringList auditAccessibility(QWidget *window);
