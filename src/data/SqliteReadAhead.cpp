#include "data/SqliteReadAhead.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <thread>
#include <vector>

namespace db {
namespace {
constexpr int kRowsABatch = 256;
constexpr size_t kBatchesAhead = 8;  // the stepping thread waits beyond these

// Rows copied out of the statement: their ids, their cells, and the bytes of
// their texts (each ended by a zero, as SQLite lends them).
struct Batch {
  std::vector<qint64> ids;
  std::vector<Cell> cells;
  std::vector<char> bytes;
};

bool lent(const Cell& cell) { return cell.kind == Cell::Kind::Utf8 || cell.kind == Cell::Kind::Blob; }

void copyRow(sqlite3_stmt* statement, int cells, Batch& batch) {
  batch.ids.push_back(sqlite3_column_int64(statement, 0));
  for (int c = 1; c <= cells; ++c) {
    Cell cell = sqliteCell(statement, c);
    if (lent(cell)) {
      // The buffer may still move: the place is kept until the batch is full.
      cell.integer = qint64(batch.bytes.size());
      batch.bytes.insert(batch.bytes.end(), cell.data, cell.data + cell.bytes);
      batch.bytes.push_back('\0');
    }
    batch.cells.push_back(cell);
  }
}

void pointIntoBytes(Batch& batch) {
  for (Cell& cell : batch.cells)
    if (lent(cell)) {
      cell.data = batch.bytes.data() + cell.integer;
      cell.integer = 0;
    }
}

// Full batches one way, emptied ones back for the next rows.
class Handover {
 public:
  // A batch to fill; none once the reader has stopped.
  std::unique_ptr<Batch> toFill(int cells) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || full_.size() < kBatchesAhead; });
    if (stopped_) return nullptr;
    if (emptied_.empty()) {
      auto batch = std::make_unique<Batch>();
      batch->ids.reserve(kRowsABatch);
      batch->cells.reserve(size_t(kRowsABatch) * size_t(cells));
      batch->bytes.reserve(size_t(kRowsABatch) * 64);
      return batch;
    }
    std::unique_ptr<Batch> batch = std::move(emptied_.back());
    emptied_.pop_back();
    batch->ids.clear();
    batch->cells.clear();
    batch->bytes.clear();
    return batch;
  }
  void filled(std::unique_ptr<Batch> batch) {
    std::lock_guard lock(mutex_);
    full_.push_back(std::move(batch));
    changed_.notify_all();
  }
  void ended(int step) {
    std::lock_guard lock(mutex_);
    ended_ = true;
    step_ = step;
    changed_.notify_all();
  }

  // The next full batch; none once the walk has ended, with SQLite's last
  // step result in `step`.
  std::unique_ptr<Batch> next(int* step) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ended_ || !full_.empty(); });
    if (full_.empty()) {
      *step = step_;
      return nullptr;
    }
    std::unique_ptr<Batch> batch = std::move(full_.front());
    full_.pop_front();
    changed_.notify_all();
    return batch;
  }
  void emptied(std::unique_ptr<Batch> batch) {
    std::lock_guard lock(mutex_);
    emptied_.push_back(std::move(batch));
  }
  void stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Batch>> full_, emptied_;
  bool stopped_ = false, ended_ = false;
  int step_ = SQLITE_DONE;
};

void stepAhead(sqlite3_stmt* statement, int cells, Handover& handover) {
  int step = SQLITE_ROW;
  while (step == SQLITE_ROW) {
    std::unique_ptr<Batch> batch = handover.toFill(cells);
    if (!batch) break;
    for (int r = 0; r < kRowsABatch && step == SQLITE_ROW; ++r) {
      copyRow(statement, cells, *batch);
      step = sqlite3_step(statement);
    }
    pointIntoBytes(*batch);
    handover.filled(std::move(batch));
  }
  handover.ended(step);
}
}  // namespace

Cell sqliteCell(sqlite3_stmt* statement, int column) {
  Cell cell;
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL: break;
    case SQLITE_INTEGER:
      cell.kind = Cell::Kind::Integer;
      cell.integer = sqlite3_column_int64(statement, column);
      break;
    case SQLITE_FLOAT:
      cell.kind = Cell::Kind::Real;
      cell.real = sqlite3_column_double(statement, column);
      break;
    case SQLITE_BLOB:
      cell.kind = Cell::Kind::Blob;
      cell.data = static_cast<const char*>(sqlite3_column_blob(statement, column));
      cell.bytes = sqlite3_column_bytes(statement, column);
      break;
    default:
      cell.kind = Cell::Kind::Utf8;
      cell.data = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      cell.bytes = sqlite3_column_bytes(statement, column);
  }
  return cell;
}

int readAhead(sqlite3_stmt* statement, int cells, RowSink& sink) {
  Handover handover;
  std::thread stepping(stepAhead, statement, cells, std::ref(handover));
  // However this ends, the other thread lets go of the statement first.
  struct Join {
    Handover& handover;
    std::thread& thread;
    ~Join() {
      handover.stop();
      thread.join();
    }
  } join{handover, stepping};
  int step = SQLITE_DONE;
  while (std::unique_ptr<Batch> batch = handover.next(&step)) {
    for (size_t r = 0; r < batch->ids.size(); ++r)
      if (!sink.row(batch->ids[r], batch->cells.data() + r * size_t(cells))) return SQLITE_DONE;
    handover.emptied(std::move(batch));
  }
  return step;
}
}  // namespace db
