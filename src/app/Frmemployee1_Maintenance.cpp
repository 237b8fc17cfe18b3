// Compact, repair and backup from the "Project &Options" menu.
#include "app/BackupFolderDialog.h"
#include "app/Frmemployee1.h"
#include "data/DataControl.h"
#include "db/Backup.h"
#include "db/Compaction.h"
#include "db/EmployeeDatabase.h"
#include "db/Numbering.h"
#include "db/Repair.h"
#include "platform/DriveMap.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

namespace {
constexpr int kNotice = msg::OkOnly + msg::Exclamation;  // 48
constexpr int kQuestion = msg::OkCancel + msg::Question;  // 33

// Renumbers the new employee.mdb through the main window's data control,
// which is enabled only while it works; it ends on the first record.
void renumberThrough(DataControl& data) {
  data.setEnabled(true);
  try {
    db::reopenEmployees(data);
    RecordSet& records = data.Recordset();
    if (records.RecordCount() > 0) {
      numbering::renumber(records);
      data.MoveFirst();
    }
  } catch (...) {
    data.setEnabled(false);
    throw;
  }
  data.setEnabled(false);
}
}  // namespace

void Frmemployee1::MnuCompact_Click() {
  PointerGuard hourglass(this);
  try {
    const CompactResult compacted = compactEmployeeDatabase();
    if (!compacted.ok) {
      msgBox(compacted.message(), kNotice, "Opps!");
      return;
    }
    try {
      renumberThrough(*Data1);
    } catch (const DbError& e) {
      msgBox(QString("The database has been compacted (the old one is BACKUP.MDB), but the records "
                     "could not be renumbered: %1")
                 .arg(QString::fromStdString(e.what())),
             kNotice, "Opps!");
      return;
    }
    msgBox("Database has been compacted and renumbered.  Old database renamed as BACKUP.MDB",
           kNotice, "Ok!");
  } catch (const std::exception& e) {
    msgBox(QString("The database could not be compacted: %1").arg(e.what()), kNotice, "Opps!");
  }
}

void Frmemployee1::MnuRepair_Click() {
  PointerGuard hourglass(this);
  try {
    const RepairResult repaired = repairEmployeeDatabase();
    if (repaired.checkedOk()) {
      msgBox("Employee Database has been checked for errors.  You should now compact it!", kNotice,
             "Ok!");
    } else {
      msgBox(repaired.message(), kNotice, "Opps!");
    }
  } catch (const std::exception& e) {
    msgBox(QString("Employee Database cannot be repaired: %1").arg(e.what()), kNotice, "Opps!");
  }
}

// Where the computer has no drive A:, the user names the folder that stands
// for it (kept for this data folder); false when the user cancelled.
bool Frmemployee1::chooseBackupFolder() {
  const QString folder = askBackupFolder(this, drive::chosenFolder('A'));
  if (folder.isEmpty()) return false;
  QString error;
  if (!drive::choose('A', folder, &error))
    msgBox("The folder for drive A: is used for now, but it could not be remembered for the "
           "next time.  " + error,
           kNotice, "Opps!");
  return true;
}

void Frmemployee1::Backup_Click() {
  if (!drive::isMapped('A') && !chooseBackupFolder()) {
    setMousePointer(this, pointer::Default);
    return;
  }
  const QString question = "Insert floppy into drive A: and press ok.";
  int answer = drive::isChosenFolder('A')
                   ? msgBox(question, kQuestion, "Warning question", "Choose &Another Folder...")
                   : msgBox(question, kQuestion, "Warning question");
  if (answer == msg::Other && !chooseBackupFolder()) answer = msg::Cancel;
  if (answer == msg::Cancel) {
    setMousePointer(this, pointer::Default);
    return;
  }
  BackupResult saved;
  {
    PointerGuard hourglass(this);
    try {
      // A damaged or foreign file on the disk would take the place of the
      // last good copy there, so it is not copied.
      if (const QString problem = employeeDatabaseProblem(); !problem.isEmpty()) {
        setMousePointer(this, pointer::Default);
        msgBox(problem + "  Nothing was copied, so the copy on the disk is left as it was.  "
                         "Please repair the database first.",
               kNotice, "Opps!");
        return;
      }
      saved = backupEmployeeDatabase();
    } catch (const std::exception& e) {
      saved = {false, true, e.what()};
    }
  }
  if (saved.ok) {
    msgBox("Employee database saved to floppy.", kNotice, "Ok!");
  } else if (saved.diskError) {
    msgBox("There is a disk error.  Please be sure you have a formatted, empty diskette in the "
           "drive and try again.",
           kNotice, "Opps!");
  } else {
    msgBox(saved.reason, kNotice, "Opps!");
  }
}
