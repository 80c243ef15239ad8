#pragma once

#include "tests/support/workdir.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

// The live records of a DBF file as dbfread, an independent reader, sees
// them: field name to Python repr ("100000", "12.0", "'01/15/2024'", "None").
QList<QMap<QString, QString>> dbfreadRecords(const QString &file);

// Runs body on the modal window once its exec() has started, then closes
// the window if the body left it open.
void whenModal(std::function<void(QWidget *)> body);

// Replaces a box's text by typing, as the user would.
void typeInto(QLineEdit *box, const QString &text);
