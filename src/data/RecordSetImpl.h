#pragma once
// The inside of a record set, shared by its files: RecordSet.cpp (opening,
// moving, reading, finding, renumbering), RecordSetEditing.cpp (edits, the
// versions of server rows, deletes) and RecordCache.cpp (the blocks of
// records read ahead, and the texts they share).
#include <QBitArray>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/Connections.h"
#include "data/RecordSet.h"
#include "data/TableRules.h"

namespace recordset {
constexpr int kBlock = 256;         // records read at a time while walking
constexpr int kCachedBlocks = 128;  // the whole table at its largest

[[noreturn]] inline void fail(const QString& why) { throw DbError(why.toStdString()); }
inline QString noCurrentRecord() { return "No current record."; }
}  // namespace recordset

struct RecordSet::Impl : db::Listener {
  std::unique_ptr<db::Handle> handle;
  QString table;
  QStringList columns;
  QVector<bool> integerColumn;
  QHash<QString, int> columnByLowerName;
  mutable QHash<QString, int> columnBySpelling;  // names as callers spell them, found before
  const db::TableRules* rules = nullptr;  // null: a table without limits
  int numberColumn = -1;                  // the rules' record number

  QVector<qint64> rowids;               // table order
  QVector<qint64> rowidsBeforeReplace;  // the order before the file was last replaced
  int replacements = 0;
  int pos = -1;  // -1 before the first record, rowids.size() after the last
  bool currentDeleted = false;

  enum class Mode { None, Editing, Adding } mode = Mode::None;
  QHash<int, QVariant> pending;  // column -> new value
  int posBeforeAdd = -1;

  // --- the block cache (RecordCache.cpp) ---
  struct Column {
    QVector<QVariant> values;
    QBitArray missing;  // rows deleted in another window since opening
  };
  struct Block {
    QVector<std::optional<Column>> columns;  // by column, read when first asked for
  };
  QHash<int, Block> cache;  // by block number; valid while rowids is unchanged
  quint64 cacheGeneration = 0;
  Block* currentBlock = nullptr;  // the block of the last value read
  int currentBlockNumber = -1;
  // Which columns a block is read with. A walk (block after block) reads the
  // same fields of every record, so the next block is read with the fields
  // asked of the one before: a walk for names after a record was shown whole
  // reads names only. A jump (a find, a move to a record) is read with every
  // field asked so far, as showing a record asks for all of them one by one.
  QVector<bool> askedInBlock;  // while the current block was current
  QVector<bool> askedEver;
  QVector<bool> readWith;    // chosen when the current block became current
  int lastBlockNumber = -1;  // kept when the cache is cleared

  // Texts repeat a lot (areas, times, "No"): one shared copy of each keeps a
  // whole large table in memory for the walks of a print.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view v) const { return std::hash<std::string_view>{}(v); }
  };
  std::unordered_map<std::string, QString, TextHash, std::equal_to<>> texts;
  // A column whose texts do not repeat (the names) is not worth sharing:
  // after a block's worth of texts with more new ones than repeats, its
  // texts are made afresh.
  struct Sharing {
    int repeats = 0;
    int fresh = 0;
    bool worthIt() const { return fresh < 256 || repeats >= fresh; }
    // The column's last text: the next record often has the same (a shift,
    // an area), and comparing it costs less than looking it up.
    QByteArray lastBytes;
    QString last;
  };
  QVector<Sharing> sharing;  // by column

  // --- the versions of rows on a server (RecordSetEditing.cpp) ---
  // The record as it was read for showing, with its version: on a server,
  // other PCs may have changed the cached copy since.
  struct Fresh {
    qint64 id = -1;
    quint64 generation = 0;
    QVector<QVariant> values;
  };
  Fresh fresh;
  QHash<qint64, qint64> versions;  // row id -> version when last read or written here

  db::Engine& engine() const { return handle->engine(); }
  int count() const { return int(rowids.size()); }
  bool hasCurrent() const { return !currentDeleted && pos >= 0 && pos < count(); }
  int column(const QString& name) const;
  QVector<qint64> readRowids() const { return engine().rowIds(table); }
  void readSchema();
  // Keeps the same record current when the row list is read again.
  void adoptRowids(QVector<qint64> fresh);

  // The value of column `c` of the current record, read in blocks of table
  // order, and only the columns asked for.
  const QVariant& value(int c);
  void readColumns(int blockNumber, Block& block, int c);
  QString shared(const char* utf8, int bytes, Sharing& column);
  // The same values the Qt driver gives: whole numbers, texts, null.
  QVariant valueOf(const db::Cell& cell, Sharing& column);
  QString textOf(const db::Cell& cell, Sharing& column);
  void clearCache();
  // After a write: every record set of the file reads again.
  void invalidate();

  // A value as the column stores it; refuses what it cannot hold.
  QVariant converted(int c, const QVariant& value) const;
  // The most records the table may hold; 0: no limit.
  int maxRecords() const { return rules ? rules->maxNumber : 0; }

  void transactionRolledBack() override;
  void databaseReopened() override;
};
