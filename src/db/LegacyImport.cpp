#include "db/LegacyImport.h"

#include <QFileInfo>

#include "data/Connections.h"
#include "platform/FileOps.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

namespace legacy {
namespace {
const QString QuestionTitle = "Warning question";
const QString NoticeTitle = "Ok!";
const QString ErrorTitle = "Opps!";
// The new database is made under this name first and takes the real name only
// once it has been read back whole.
const QString WorkName = kConvertingName;

// The data folder may come from Windows, where "EMPLOYEE.MDB" and
// "employee.mdb" are the same file; the record sets find it the same way.
QString employeeDatabaseName(const QDir& folder) {
  const QFileInfo found(db::findFile(folder.filePath("employee.mdb")));
  return found.isFile() ? found.fileName() : QString();
}

QString employeesText(int n) {
  if (n == 0) return "no employees";
  return n == 1 ? QString("1 employee") : QString("%1 employees").arg(n);
}

QString questionText(const QString& name, int count, const QString& kept) {
  return QString(
             "The employee database %1 was made by an earlier installation and is in the old "
             "Access format.  It holds %2.\n\n"
             "Press OK to convert it: the employees are copied into a new %1, and the original "
             "file is kept unchanged beside it as %3.\n\n"
             "Press Cancel to leave everything as it is; the program cannot open the old file.")
      .arg(name, employeesText(count), kept);
}

QString doneText(int count, const QString& kept) {
  const QString brought = count == 0   ? QString("No employees were brought over: the old Access database held none.")
                          : count == 1 ? QString("1 employee was brought over from the old Access database.")
                                       : QString("%1 employees were brought over from the old Access database.").arg(count);
  return brought + QString("  The original is kept beside the new one as %1.").arg(kept);
}

// Writes and checks the new database, then puts it in place of the original,
// which keeps its bytes under `kept`. Returns the message for the user on
// failure, an empty text on success.
QString replaceWithConverted(const QDir& folder, const QString& name, const QString& kept,
                             const QList<Employee>& employees) {
  const QString original = folder.filePath(name);
  const QString work = folder.filePath(WorkName);
  auto discardWork = [&] {
    fileops::remove(work + "-journal");
    fileops::remove(work);
  };
  const QString leftAsItWas = QString("  The original %1 has been left as it was.").arg(name);

  discardWork();  // what an interrupted conversion may have left
  QString why;
  if (!writeEmployeeDatabase(work, employees, &why) || !holdsEmployees(work, employees, &why)) {
    discardWork();
    return "The employees could not be brought over: " + why + "." + leftAsItWas;
  }
  // The original gets its second name before the new file is renamed over
  // it, so employee.mdb is there at every moment, old or new.
  if (!fileops::flush(work) || !fileops::keepAs(original, folder.filePath(kept))) {
    discardWork();
    fileops::remove(folder.filePath(kept));
    return QString("The employees could not be brought over: %1 could not be kept as %2.")
               .arg(name, kept) + leftAsItWas;
  }
  if (!fileops::replace(work, original)) {
    discardWork();
    fileops::remove(folder.filePath(kept));
    return QString("The employees could not be brought over: the new file could not take the "
                   "name %1.").arg(name) + leftAsItWas;
  }
  return {};
}
}  // namespace

QString keptOriginalName(const QDir& folder) {
  QString name = "employee-access.mdb";
  for (int n = 2; folder.exists(name); ++n) name = QString("employee-access-%1.mdb").arg(n);
  return name;
}

Outcome convertOldEmployeeDatabase(const QDir& folder) {
  const QString name = employeeDatabaseName(folder);
  if (name.isEmpty() || jet::formatOf(folder.filePath(name)) == jet::Format::NotJet)
    return Outcome::NothingToDo;

  jet::Table table;
  QString why;
  switch (jet::readTable(folder.filePath(name), "Employees", &table, &why)) {
    case jet::ReadStatus::NoSuchTable:
      msgBox(QString("%1 is an Access database, but it has no Employees table, so there are no "
                     "employees to bring over.  The file has been left as it is.")
                 .arg(name),
             msg::OkOnly + msg::Exclamation, ErrorTitle);
      return Outcome::Refused;
    case jet::ReadStatus::Failed:
      msgBox(QString("The old Access database %1 could not be read: %2.  It has been left as it is.")
                 .arg(name, why),
             msg::OkOnly + msg::Exclamation, ErrorTitle);
      return Outcome::Failed;
    case jet::ReadStatus::Ok:
      break;
  }

  const QList<Employee> employees = employeesOf(table);
  const QString kept = keptOriginalName(folder);
  if (msgBox(questionText(name, employees.size(), kept), msg::OkCancel + msg::Question,
             QuestionTitle) != msg::Ok)
    return Outcome::Cancelled;

  QString failure;
  {
    BusyCursor hourglass;
    failure = replaceWithConverted(folder, name, kept, employees);
  }
  if (!failure.isEmpty()) {
    msgBox(failure, msg::OkOnly + msg::Exclamation, ErrorTitle);
    return Outcome::Failed;
  }
  msgBox(doneText(employees.size(), kept), msg::OkOnly + msg::Exclamation, NoticeTitle);
  return Outcome::Converted;
}
}  // namespace legacy
