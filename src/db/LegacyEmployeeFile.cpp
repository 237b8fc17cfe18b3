// The SQLite side of the conversion: a new employee database made from the
// supplied empty schema, filled in one transaction, and read back.
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/EmployeeFields.h"
#include "db/EmployeeKeys.h"
#include "db/LegacyImport.h"
#include "platform/FileOps.h"

namespace legacy {
namespace {
// The conversion keeps its own connections, so it never disturbs the one the
// windows share.
class OwnConnection {
 public:
  OwnConnection(const QString& name, const QString& path) : name_(name) {
    db_ = QSqlDatabase::addDatabase("QSQLITE", name);
    db_.setDatabaseName(path);
  }
  ~OwnConnection() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
  }
  QSqlDatabase& db() { return db_; }

 private:
  QString name_;
  QSqlDatabase db_;
};

QString quotedFieldList() {
  QStringList quoted;
  for (const QString& f : fields::allFields()) quoted << '"' + f + '"';
  return quoted.join(", ");
}

bool failWith(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}
}  // namespace

QStringList schemaStatements() {
  QFile file(":/schema.sql");
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString text;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
    if (!line.trimmed().startsWith("--")) text += line + '\n';
  QStringList out;
  QString statement;
  for (const QString& part : text.split(';')) {
    statement += statement.isEmpty() ? part.trimmed() : ";" + part;
    // A trigger's statements end with ';' too: it ends at its END.
    if (statement.startsWith("CREATE TRIGGER", Qt::CaseInsensitive) &&
        !statement.trimmed().endsWith("END", Qt::CaseInsensitive))
      continue;
    if (!statement.trimmed().isEmpty()) out << statement.trimmed();
    statement.clear();
  }
  return out;
}

QList<Employee> employeesOf(const jet::Table& table) {
  QHash<QString, int> columnOf;
  for (int c = table.columns.size() - 1; c >= 0; --c) columnOf.insert(table.columns[c].toLower(), c);
  const QStringList names = fields::allFields();
  QList<Employee> out;
  for (const QStringList& row : table.rows) {
    Employee e;
    for (const QString& name : names) {
      const int c = columnOf.value(name.toLower(), -1);
      e << (c >= 0 && c < row.size() ? row[c] : QString(""));
    }
    e[0] = QString::number(out.size() + 1);  // Number: 1..n in table order
    out << e;
  }
  db::giveMissingKeys(out);
  return out;
}

bool writeEmployeeDatabase(const QString& path, const QList<Employee>& employees, QString* error) {
  const QString name = QFileInfo(path).fileName();
  if (fileops::exists(path)) return failWith(error, QString("the file %1 is in the way").arg(name));
  const QStringList schema = schemaStatements();
  if (schema.isEmpty())
    return failWith(error, "the program's own empty database schema is missing");
  // Made private before the engine writes a name into it.
  if (fileops::injectedFault(FileStep::Create, path) || !fileops::createPrivateFile(path))
    return failWith(error, QString("the new file %1 could not be created").arg(name));

  OwnConnection connection("legacy-import-write", path);
  QSqlDatabase& db = connection.db();
  if (!db.open())
    return failWith(error, QString("the new file %1 could not be created (%2)")
                               .arg(name, db.lastError().text()));
  QSqlQuery query(db);
  for (const QString& statement : schema)
    if (!query.exec(statement))
      return failWith(error, QString("the new file %1 could not be set up (%2)")
                                 .arg(name, query.lastError().text()));

  const QString writeFailed = QString("the new file %1 could not be written; the disk may be full").arg(name);
  if (!db.transaction()) return failWith(error, writeFailed);
  const int fieldCount = fields::allFields().size();
  query.prepare(QString("INSERT INTO Employees (%1) VALUES (%2)")
                    .arg(quotedFieldList(), QStringList(fieldCount, "?").join(", ")));
  for (const Employee& e : employees) {
    bool ok = !fileops::injectedFault(FileStep::Write, path);
    if (ok) {
      query.bindValue(0, e[0].toInt());
      for (int i = 1; i < fieldCount; ++i) query.bindValue(i, e[i]);
      ok = query.exec();
    }
    if (!ok) {
      db.rollback();
      return failWith(error, writeFailed);
    }
  }
  if (!db.commit()) {
    db.rollback();
    return failWith(error, writeFailed);
  }
  return true;
}

bool holdsEmployees(const QString& path, const QList<Employee>& employees, QString* error) {
  const QString mismatch = QString("the new file %1 did not read back as written")
                               .arg(QFileInfo(path).fileName());
  OwnConnection connection("legacy-import-check", path);
  if (!connection.db().open()) return failWith(error, mismatch);
  QSqlQuery query(connection.db());
  query.setForwardOnly(true);
  if (!query.exec(QString("SELECT %1 FROM Employees ORDER BY rowid").arg(quotedFieldList())))
    return failWith(error, mismatch);
  const int fieldCount = fields::allFields().size();
  int k = 0;
  for (; query.next(); ++k) {
    if (k >= employees.size() || query.value(0).toInt() != employees[k][0].toInt())
      return failWith(error, mismatch);
    for (int i = 1; i < fieldCount; ++i)
      if (query.value(i).toString() != employees[k][i]) return failWith(error, mismatch);
  }
  if (k != employees.size()) return failWith(error, mismatch);
  return true;
}
}  // namespace legacy
