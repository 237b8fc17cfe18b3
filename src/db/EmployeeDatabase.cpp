#include "db/EmployeeDatabase.h"

#include <QFileInfo>
#include <QSqlQuery>

#include "data/Connections.h"
#include "data/DataControl.h"
#include "data/TableRules.h"
#include "db/EmployeeFields.h"

namespace db {

void registerEmployeeDatabase() {
  setProgramDatabase({"employee.mdb", "employees"});
  TableRules rules;
  rules.table = kEmployeesTable;
  rules.numberField = fields::Number;
  rules.maxNumber = 32767;  // the record number is a 16-bit number
  rules.nameField = fields::Fullname;
  rules.recordNoun = "employee";
  rules.unnamedRecord = "this employee";
  rules.fullMessage =
      "The employee table is full: it holds 32,767 employees, the most the record number can "
      "count. Delete an employee before adding a new one.";
  rules.tooManyToNumber =
      "The employee table holds more than 32,767 records, more than the record number can "
      "count; the records were not renumbered.";
  rules.numberOutOfRange = "%1 is out of range for the record number (at most 32,767).";
  setTableRules(rules);
}

void reopenEmployees(DataControl& data) {
  data.setDatabaseName("Employee.MDB");
  data.setRecordSource(kEmployeesTable);
  data.Refresh();
}

int checkedEmployeeCount(const QString& path, Check check, QString* problem, bool readOnly) {
  const QString name = QFileInfo(path).fileName();
  try {
    PrivateConnection c(path, readOnly ? Access::ReadOnly : Access::ReadWrite);
    QSqlQuery q(c.database());
    if (!q.exec(check == Check::Quick ? "PRAGMA quick_check" : "PRAGMA integrity_check") ||
        !q.next() || q.value(0).toString() != "ok") {
      *problem = QString("%1 is damaged (%2).")
                     .arg(name, q.lastError().isValid() ? errorText(q.lastError())
                                                         : q.value(0).toString());
      return -1;
    }
    if (!q.exec("SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'Employees' "
                "COLLATE NOCASE") ||
        !q.next()) {
      *problem = QString("%1 has no table Employees.").arg(name);
      return -1;
    }
    const QString table = q.value(0).toString();
    if (!q.exec("SELECT count(*) FROM " + quoted(table)) || !q.next()) {
      *problem = QString("%1 cannot be read (%2).").arg(name, errorText(q.lastError()));
      return -1;
    }
    return q.value(0).toInt();
  } catch (const DbError& e) {
    *problem = QString::fromStdString(e.what());
    return -1;
  }
}

}  // namespace db
