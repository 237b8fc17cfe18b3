#pragma once
// The employee database as the data layer below must know it: the file and
// the table the program keeps its employees in, the rules of that table
// (told to the data layer once at start-up), and the check of a file that
// should hold it.
#include <QString>

class DataControl;

namespace db {

inline const QString kEmployeeFile = "employee.mdb";
inline const QString kEmployeesTable = "Employees";

// Tells the data layer the program's database and the rules of its table:
// Number is a 16-bit record number (so at most 32,767 employees), Fullname
// names an employee in messages. main() and every test program call it
// before any record set opens.
void registerEmployeeDatabase();

// Sets DatabaseName "Employee.MDB" and RecordSource "Employees" on the data
// control, then refreshes it, as every window does before walking the table.
void reopenEmployees(DataControl& data);

// Checks that `path` is a sound employee database: it opens (a transaction
// a crash left unfinished is rolled back first, unless read-only), the
// engine's check finds nothing wrong (the quick one, or the thorough one)
// and it holds the Employees table. Returns the number of employees, or -1
// with `problem` in words for the user.
enum class Check { Quick, Thorough };
int checkedEmployeeCount(const QString& path, Check check, QString* problem,
                         bool readOnly = false);

}  // namespace db
