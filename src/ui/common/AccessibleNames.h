#pragma once

class QComboBox;
class QString;

// Names a list box for a screen reader, with its drop-down list and, when it is editable,
// its entry field: each is a control of its own to the reader.
void nameComboBox(QComboBox *box, const QString &name);

// Gives the program's own painted controls their roles (the graph a chart, a colour swatch a
// button), so a screen reader says what they are. Once per process; later calls do nothing.
void installAccessibleRoles();
