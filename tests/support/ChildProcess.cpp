#include "support/ChildProcess.h"

#include <QHash>

namespace {
const char* const kVariable = "ROTAWISE_CHILD_ACTION";

QHash<QString, ChildAction>& actions() {
  static QHash<QString, ChildAction> all;
  return all;
}
}  // namespace

bool registerChildAction(const QString& name, ChildAction action) {
  actions().insert(name, std::move(action));
  return true;
}

int runChildActionIfAsked() {
  const QString name = qEnvironmentVariable(kVariable);
  if (name.isEmpty()) return -1;
  const auto it = actions().constFind(name);
  if (it == actions().cend()) {
    qWarning("no child action named %s", qPrintable(name));
    return 2;
  }
  return (*it)();
}

QProcessEnvironment childEnvironment(const QString& action) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kVariable, action);
  return env;
}
