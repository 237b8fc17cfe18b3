#include "data/TableRules.h"

#include <QHash>

namespace db {
namespace {
QHash<QString, TableRules>& rulesByTable() {
  static QHash<QString, TableRules> rules;
  return rules;
}

ProgramDatabase& program() {
  static ProgramDatabase database;
  return database;
}
}  // namespace

void setTableRules(const TableRules& rules) { rulesByTable().insert(rules.table.toLower(), rules); }

const TableRules* tableRules(const QString& table) {
  auto it = rulesByTable().constFind(table.toLower());
  return it == rulesByTable().cend() ? nullptr : &*it;
}

QStringList tablesWithRules() {
  QStringList tables;
  for (const TableRules& r : rulesByTable()) tables << r.table;
  return tables;
}

void setProgramDatabase(const ProgramDatabase& database) { program() = database; }
const ProgramDatabase& programDatabase() { return program(); }

}  // namespace db
