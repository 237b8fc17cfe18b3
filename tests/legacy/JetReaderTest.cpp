// Reading old Access files: recognising them by their header, and reading a
// table's text exactly as mdbtools' own export shows it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "db/JetReader.h"
#include "legacy/LegacyFiles.h"
#include "support/TestSupport.h"

TEST(JetReader, TellsJet3AndJet4FromOtherFiles) {
  EXPECT_EQ(jet::formatOf(legacyFixture("employee-jet4.mdb")), jet::Format::Jet4);
  EXPECT_EQ(jet::formatOf(legacyFixture("tables-jet3.mdb")), jet::Format::Jet3);
  EXPECT_EQ(jet::formatOf(ROTAWISE_EMPTY_DB), jet::Format::NotJet);  // our own SQLite file

  DataFolder folder;
  folder.write("short.mdb", QByteArray("\x00\x01\x00\x00Standard Jet", 16));
  folder.write("text.mdb", "Standard Jet DB, but only as words in a text file\n");
  EXPECT_EQ(jet::formatOf(folder.file("short.mdb")), jet::Format::NotJet);
  EXPECT_EQ(jet::formatOf(folder.file("text.mdb")), jet::Format::NotJet);
  EXPECT_EQ(jet::formatOf(folder.file("missing.mdb")), jet::Format::NotJet);
}

TEST(JetReader, ReadsAnAccess97TableAsMdbExportShowsIt) {
  const QString path = legacyFixture("tables-jet3.mdb");
  const QList<QStringList> expected = mdbExport(path, "Table1");
  ASSERT_EQ(expected.size(), 3) << "mdb-export (package mdbtools) must be installed";

  jet::Table table;
  QString error;
  ASSERT_EQ(jet::readTable(path, "TABLE1", &table, &error), jet::ReadStatus::Ok) << qPrintable(error);
  EXPECT_EQ(table.columns, expected[0]);
  ASSERT_EQ(table.rows.size(), 2);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < expected[0].size(); ++c)
      if (expected[0][c] != "G")  // a date, shown in the exporter's own format
        EXPECT_EQ(table.rows[r][c], expected[r + 1][c]) << "row " << r << " column " << c;

  EXPECT_EQ(jet::readTable(path, "Employees", &table, &error), jet::ReadStatus::NoSuchTable);
  EXPECT_EQ(jet::readTable(path, "MSysObjects", &table, &error), jet::ReadStatus::NoSuchTable)
      << "system tables are not user data";
}

TEST(JetReader, TextStaysUnicodeWhateverCharsetTheEnvironmentNames) {
  // mdbtools converts to the charset in MDBICONV; a Latin-1 setting would turn
  // the Vietnamese letters into question marks.
  const QByteArray before = qgetenv("MDBICONV");
  const bool hadBefore = qEnvironmentVariableIsSet("MDBICONV");
  qputenv("MDBICONV", "ISO-8859-1");
  jet::Table table;
  QString error;
  const jet::ReadStatus status =
      jet::readTable(legacyFixture("employee-jet4.mdb"), "employees", &table, &error);
  if (hadBefore) qputenv("MDBICONV", before);
  else qunsetenv("MDBICONV");

  ASSERT_EQ(status, jet::ReadStatus::Ok) << qPrintable(error);
  ASSERT_EQ(table.rows.size(), 8);
  const int name = table.columns.indexOf("Fullname");
  EXPECT_EQ(table.rows[2][name], QString::fromUtf8("Müller, Jürgen"));
  EXPECT_EQ(table.rows[3][name], QString::fromUtf8("Nguyễn, Văn An"));
}

TEST(JetReader, ANonAccessFileIsAFailureWithAReason) {
  DataFolder folder;
  QByteArray bytes("\x00\x01\x00\x00Standard Jet DB\x00\x01", 21);
  bytes += QByteArray(64, '\x7f');  // a Jet header, then nothing that makes sense
  folder.write("broken.mdb", bytes);
  jet::Table table;
  QString error;
  EXPECT_EQ(jet::readTable(folder.file("broken.mdb"), "Employees", &table, &error),
            jet::ReadStatus::Failed);
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(table.rows.isEmpty());
}
