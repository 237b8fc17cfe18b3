#ifdef ROTAWISE_HAVE_MDBTOOLS
// mdbtools.h includes glib inside its extern "C" block, where glib's C++
// templates cannot live; glib and iconv come in first so that block adds
// nothing. (A build with mdbtools' own stand-in for glib, as on Windows, has
// neither.)
#if __has_include(<glib.h>)
#include <glib.h>
#endif
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif
#include <mdbtools.h>
#endif

#include "db/JetReader.h"

#include <QFile>
#include <vector>

namespace jet {

Format formatOf(const QString& path) {
  // Every Jet file starts with 00 01 00 00, a 16-byte engine name and, at
  // 0x14, the version: 0 for Jet 3 (Access 97), 1 for Jet 4 (Access 2000-2003).
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Format::NotJet;
  const QByteArray head = file.read(0x15);
  if (head.size() < 0x15 || !head.startsWith(QByteArray("\x00\x01\x00\x00", 4)))
    return Format::NotJet;
  const QByteArray engine = head.mid(4, 16);
  if (engine == QByteArray("Standard Jet DB\0", 16))
    return head.at(0x14) == 0 ? Format::Jet3 : Format::Jet4;
  if (engine == QByteArray("Standard ACE DB\0", 16)) return Format::Ace;
  return Format::NotJet;
}

QString formatName(Format format) {
  switch (format) {
    case Format::Jet3: return "Access 97 (Jet 3)";
    case Format::Jet4: return "Access 2000 (Jet 4)";
    case Format::Ace: return "Access 2007 or later";
    case Format::NotJet: break;
  }
  return "not Access";
}

#ifdef ROTAWISE_HAVE_MDBTOOLS
namespace {
struct OpenFile {
  MdbHandle* mdb = nullptr;
  ~OpenFile() {
    if (mdb) mdb_close(mdb);
  }
};
struct OpenTable {
  MdbTableDef* def = nullptr;
  ~OpenTable() {
    if (def) mdb_free_tabledef(def);
  }
};

// The library converts text to whatever charset the MDBICONV variable names
// (UTF-8 when unset), so a user's environment could turn "Nguyễn" into
// question marks. We always want UTF-8: Jet 4 and later keep text as UTF-16,
// Jet 3 in the code page its header names (1252 on Western machines).
void useUnicodeText(MdbHandle* mdb) {
#if !MDBTOOLS_H_HAVE_ICONV_H
  // Built without iconv (on Windows), the library makes UTF-8 itself.
  Q_UNUSED(mdb);
#else
  QByteArray source = "UTF-16LE";
  if (mdb->f->jet_version == MDB_VER_JET3) {
    source = mdb->f->code_page ? "CP" + QByteArray::number(mdb->f->code_page) : "CP1252";
    const iconv_t probe = iconv_open("UTF-8", source.constData());
    if (probe == iconv_t(-1)) source = "CP1252";
    else iconv_close(probe);
  }
  mdb_iconv_close(mdb);
  mdb->iconv_in = iconv_open("UTF-8", source.constData());
  mdb->iconv_out = iconv_open(source.constData(), "UTF-8");
#endif
}

MdbCatalogEntry* findUserTable(MdbHandle* mdb, const QString& name) {
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry) &&
        QString::fromUtf8(entry->object_name).compare(name, Qt::CaseInsensitive) == 0)
      return entry;
  }
  return nullptr;
}

// Pictures and other binary values have no text to give; they read as empty.
bool hasText(int type) { return type != MDB_OLE && type != MDB_BINARY && type != MDB_COMPLEX; }
}  // namespace

ReadStatus readTable(const QString& path, const QString& name, Table* out, QString* error) {
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return ReadStatus::Failed;
  };
  *out = {};
  OpenFile file;
  file.mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
  if (!file.mdb) return fail("the file could not be opened as an Access database");
  useUnicodeText(file.mdb);
  if (!mdb_read_catalog(file.mdb, MDB_TABLE))
    return fail("the list of its tables could not be read");
  MdbCatalogEntry* entry = findUserTable(file.mdb, name);
  if (!entry) return ReadStatus::NoSuchTable;

  OpenTable table;
  table.def = mdb_read_table(entry);
  if (!table.def || !mdb_read_columns(table.def))
    return fail(QString("its table %1 could not be read").arg(name));

  const unsigned columns = table.def->num_cols;
  std::vector<std::vector<char>> values(columns);
  for (unsigned c = 0; c < columns; ++c) {
    auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table.def->columns, c));
    out->columns << QString::fromUtf8(col->name);
    if (!hasText(col->col_type)) continue;
    values[c].assign(file.mdb->bind_size + 1, '\0');
    mdb_bind_column(table.def, int(c + 1), values[c].data(), nullptr);
  }
  mdb_rewind_table(table.def);
  while (mdb_fetch_row(table.def)) {
    QStringList row;
    for (unsigned c = 0; c < columns; ++c)
      row << (values[c].empty() ? QString() : QString::fromUtf8(values[c].data()));
    out->rows << row;
  }
  // The table keeps its own row count; reading fewer means a damaged page,
  // and some employees would be lost without a word.
  if (unsigned(out->rows.size()) < table.def->num_rows)
    return fail(QString("only %1 of the %2 records of its table %3 could be read")
                    .arg(out->rows.size())
                    .arg(table.def->num_rows)
                    .arg(name));
  return ReadStatus::Ok;
}
#else
ReadStatus readTable(const QString&, const QString&, Table* out, QString* error) {
  *out = {};
  if (error) *error = "this copy of the program was built without the Access reader (mdbtools)";
  return ReadStatus::Failed;
}
#endif
}  // namespace jet
