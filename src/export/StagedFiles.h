#pragma once
// A set of files written into a folder all or nothing: each goes in under a
// temporary name first, and only when all are there are they renamed into
// place, so a full disk or a folder that refuses a file leaves the folder as
// it was. File steps go through platform/FileOps' fault seam.
#include <QDir>
#include <QStringList>

class StagedFiles {
 public:
  explicit StagedFiles(const QString& folder) : folder_(folder) {}
  ~StagedFiles();  // removes the temporary files of a set never committed
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Writes one file under its temporary name. Throws ExportError.
  void add(const QString& name, const QByteArray& bytes);
  // Puts every file in place, replacing older files of the same names.
  // Throws ExportError.
  void commit();

 private:
  QDir folder_;
  QStringList names_;  // added, in order
};
