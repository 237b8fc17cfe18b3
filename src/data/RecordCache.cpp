// The blocks of records a record set reads ahead, and the texts they share.
#include <algorithm>
#include <cstring>

#include "data/RecordSetImpl.h"

using namespace recordset;

const QVariant& RecordSet::Impl::value(int c) {
  if (!hasCurrent()) fail(noCurrentRecord());
  if (cacheGeneration != handle->generation()) {
    clearCache();
    cacheGeneration = handle->generation();
  }
  const int blockNumber = pos / kBlock;
  if (blockNumber != currentBlockNumber || !currentBlock) {
    auto it = cache.find(blockNumber);
    if (it == cache.end()) {
      if (cache.size() >= kCachedBlocks) clearCache();
      it = cache.insert(blockNumber, Block{QVector<std::optional<Column>>(columns.size())});
    }
    currentBlock = &*it;
    currentBlockNumber = blockNumber;
    readWith = blockNumber == lastBlockNumber + 1 ? askedInBlock : askedEver;
    lastBlockNumber = blockNumber;
    askedInBlock.fill(false);
  }
  askedInBlock[c] = true;
  askedEver[c] = true;
  if (fresh.id >= 0 && fresh.id == rowids[pos] && fresh.generation == cacheGeneration)
    return fresh.values[c];
  std::optional<Column>& column = currentBlock->columns[c];
  if (!column) readColumns(blockNumber, *currentBlock, c);
  const int k = pos - blockNumber * kBlock;
  if (column->missing.testBit(k)) fail("This record has been deleted in another window.");
  return column->values[k];
}

// Reads column `c` of the block, and with it the columns chosen for the
// block and those asked of it so far, in one statement.
void RecordSet::Impl::readColumns(int blockNumber, Block& block, int c) {
  QVector<int> read;
  QStringList names;
  for (int k = 0; k < columns.size(); ++k) {
    if ((k == c || askedInBlock[k] || readWith[k]) && !block.columns[k]) {
      read << k;
      names << columns[k];
    }
  }
  const int from = blockNumber * kBlock;
  const int to = std::min(count(), from + kBlock);
  for (int k : read) {
    block.columns[k] = Column{};
    block.columns[k]->values.resize(to - from);
    block.columns[k]->missing.fill(true, to - from);
  }
  struct Sink : db::RowSink {
    Impl& d;
    Block& block;
    const QVector<int>& read;
    int from, to, at = 0;
    Sink(Impl& d, Block& block, const QVector<int>& read, int from, int to)
        : d(d), block(block), read(read), from(from), to(to) {}
    bool row(qint64 id, const db::Cell* cells) override {
      while (at < to - from && d.rowids[from + at] < id) ++at;  // deleted elsewhere: missing
      if (at == to - from) return false;
      if (d.rowids[from + at] != id) return true;
      for (int i = 0; i < read.size(); ++i) {
        Column& column = *block.columns[read[i]];
        column.values[at] = d.valueOf(cells[i], d.sharing[read[i]]);
        column.missing.clearBit(at);
      }
      return true;
    }
  } sink(*this, block, read, from, to);
  engine().read(table, names, rowids[from], rowids[to - 1], sink);
}

QString RecordSet::Impl::shared(const char* utf8, int bytes, Sharing& column) {
  if (!column.worthIt()) return QString::fromUtf8(utf8, bytes);
  if (column.lastBytes.size() == bytes &&
      std::memcmp(column.lastBytes.constData(), utf8, size_t(bytes)) == 0) {
    ++column.repeats;
    return column.last;
  }
  const std::string_view key(utf8, size_t(bytes));
  QString text;
  if (auto it = texts.find(key); it != texts.end()) {
    ++column.repeats;
    text = it->second;
  } else {
    ++column.fresh;
    text = QString::fromUtf8(utf8, bytes);
    if (texts.size() < 100000) texts.emplace(std::string(key), text);
  }
  column.lastBytes.resize(bytes);  // keeps its room: no allocation a record
  std::memcpy(column.lastBytes.data(), utf8, size_t(bytes));
  column.last = text;
  return text;
}

QVariant RecordSet::Impl::valueOf(const db::Cell& cell, Sharing& column) {
  switch (cell.kind) {
    case db::Cell::Kind::Null: return QVariant();
    case db::Cell::Kind::Integer: return QVariant(qlonglong(cell.integer));
    case db::Cell::Kind::Real: return QVariant(cell.real);
    case db::Cell::Kind::Blob: return QVariant(QByteArray(cell.data, cell.bytes));
    case db::Cell::Kind::Variant: return *cell.variant;
    case db::Cell::Kind::Utf8: return QVariant(shared(cell.data, cell.bytes, column));
  }
  return QVariant();
}

QString RecordSet::Impl::textOf(const db::Cell& cell, Sharing& column) {
  if (cell.kind == db::Cell::Kind::Utf8) return shared(cell.data, cell.bytes, column);
  const QVariant v = valueOf(cell, column);
  return v.isNull() ? QString() : v.toString();
}

void RecordSet::Impl::clearCache() {
  cache.clear();
  fresh = Fresh{};
  texts.clear();
  currentBlock = nullptr;
  currentBlockNumber = -1;
}

void RecordSet::Impl::invalidate() {
  clearCache();
  handle->changed();
  cacheGeneration = handle->generation();
}
