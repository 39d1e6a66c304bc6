#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// The worksheet window's number fields: made alike, read alike.
enum class Field { Empty, Number, Bad };

// A typed number: "." or "," as the decimal sign, blanks around it ignored.
Field readNumber(const QLineEdit *edit, double &value);

// A right-aligned field named for tests and for screen readers.
QLineEdit *numberEdit(QWidget *parent, const char *name, const QString &label,
                      const QString &text = QString());

// A label that screen readers read as its text.
QLabel *caption(QWidget *parent, const QString &text);
