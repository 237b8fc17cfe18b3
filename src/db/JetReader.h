#pragma once
// Reading a table out of an Access (Jet) database file, as earlier
// installations kept employee.mdb. Read-only: the file is never changed.
#include <QList>
#include <QString>
#include <QStringList>

namespace jet {
enum class Format { NotJet, Jet3, Jet4, Ace };

// What the first bytes of the file say it is. A missing or short file is NotJet.
Format formatOf(const QString& path);
QString formatName(Format format);  // "Access 97 (Jet 3)", ...

struct Table {
  QStringList columns;      // as the file spells them, in column order
  QList<QStringList> rows;  // table order; every value as text, a null as empty text
};

enum class ReadStatus { Ok, NoSuchTable, Failed };

// Reads every row of the user table `name` (matched without regard to case).
// Text comes out as Unicode whatever the process's environment asks of the
// library. On Failed, `error` says why in words a user understands.
ReadStatus readTable(const QString& path, const QString& name, Table* out, QString* error);
}  // namespace jet
