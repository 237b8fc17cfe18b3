#include "DbTestHelpers.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "data/Connections.h"
#include "data/PgEngine.h"
#include "data/ServerAddress.h"

namespace dbtest {
// employee.mdb of a data folder that keeps its table on a server stands for
// that table.
void addEmployees(const QString& file, const QStringList& names) {
  if (const auto server = db::serverFor(file)) {
    db::ServerConnection c(*server);
    for (const QString& n : names)
      c.run("INSERT INTO \"Employees\" (\"Number\", \"Fullname\", area) VALUES (0, ?, 'Bar')", {n});
    return;
  }
  db::PrivateConnection c(file);
  QSqlDatabase database = c.database();
  database.transaction();
  QSqlQuery q(database);
  q.prepare("INSERT INTO Employees (Number, Fullname, area) VALUES (0, ?, 'Bar')");
  for (const QString& n : names) {
    q.addBindValue(n);
    if (!q.exec()) ADD_FAILURE() << q.lastError().text().toStdString();
  }
  q = QSqlQuery();
  database.commit();
}

QVector<QPair<int, QString>> numbersAndNames(const QString& file) {
  QVector<QPair<int, QString>> out;
  if (const auto server = db::serverFor(file)) {
    db::ServerConnection c(*server);
    QSqlQuery q = c.run("SELECT \"Number\", \"Fullname\" FROM \"Employees\" ORDER BY row_id");
    while (q.next()) out.append({q.value(0).toInt(), q.value(1).toString()});
    return out;
  }
  db::PrivateConnection c(file, db::Access::ReadOnly);
  QSqlQuery q(c.database());
  q.exec("SELECT Number, Fullname FROM Employees ORDER BY rowid");
  while (q.next()) out.append({q.value(0).toInt(), q.value(1).toString()});
  return out;
}

QStringList names(const QString& file) {
  QStringList out;
  for (const auto& [n, name] : numbersAndNames(file)) out << name;
  return out;
}

int recordCount(const QString& file) { return int(numbersAndNames(file).size()); }

void damage(const QString& file) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  const qint64 size = f.size();
  // Keep the header so the file still claims to be a database.
  f.seek(100);
  f.write(QByteArray(int(size - 100), '\xA5'));
}
}  // namespace dbtest
