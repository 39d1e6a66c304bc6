#pragma once

#include <QMap>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QObject;
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

// ---- a window's inputs as values, for the undo history and workspaces ----
// Every named input below form, whichever window part made it: a line edit's text, a list's
// index, a check box's or checkable group's mark and a spin box's value, by object name.
QMap<QString, QString> inputValues(const QWidget *form);
// Sets the inputs values names; inputs it does not name keep theirs.
void setInputValues(QWidget *form, const QMap<QString, QString> &values);
// Calls edited, with context's lifetime, each time the user has changed one of those inputs.
void onInputEdited(QWidget *form, QObject *context, const std::function<void()> &edited);
