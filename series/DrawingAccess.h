#pragma once

class QWidget;

// Screen readers see a drawing's controls, embedded or painted by their
// proxies, as the view's children: each with its role, name (its caption),
// value, state and actions (press, open the list, set the text), in the
// order they are laid over the drawing.
namespace DrawingAccess {

// Installs the accessibility factory once for the program.
void install();
// Before a control becomes live: its interface stays ours.
void reached(QWidget *control);
// Tells assistive tools that what a control shows changed.
void lookChanged(QWidget *control);

} // namespace DrawingAccess
