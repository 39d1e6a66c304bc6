#pragma once

class QComboBox;
class QString;

// Names a list box for a screen reader, with its drop-down list and, when it is editable,
// its entry field: each is a control of its own to the reader. The reader hears the name as
// the box's name and the chosen item as its value (Qt's own box on Linux gives the item as
// both). Call it before anything asks for the box's accessible interface.
void nameComboBox(QComboBox *box, const QString &name);

// A caption as a screen reader should hear it: without its mnemonic marks ("&Copy text" ->
// "Copy text", "ファイル(&F)" -> "ファイル"); "&&" stays a plain "&".
QString plainAccessibleName(const QString &caption);

// Gives the program's own painted controls their roles (the graph a chart, a colour swatch a
// button) and its plain-widget windows the role of a window, so a screen reader says what
// they are. Once per process; later calls do nothing.
void installAccessibleRoles();
