#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include "platform/MessageBox.h"

MessageBoxQueue::MessageBoxQueue() {
  setMessageBoxHandler([this](const QString& text, int code, const QString& title) {
    shown_.push_back({text, code, title});
    if (!answers_.empty()) {
      const int reply = answers_.front();
      answers_.pop_front();
      return reply;
    }
    const int buttons = code & 0x7;
    return buttons == msg::YesNo || buttons == msg::YesNoCancel ? msg::Yes : msg::Ok;
  });
}

MessageBoxQueue::~MessageBoxQueue() { setMessageBoxHandler({}); }

QStringList MessageBoxQueue::texts() const {
  QStringList out;
  for (const ShownBox& b : shown_) out << b.text;
  return out;
}

DataFolder::DataFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }

DataFolder::~DataFolder() {
  QDir::setCurrent(previous_);
  // Make a read-only folder writable again, so it can be removed.
  QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner);
}

QStringList installedFileNames() {
  return {"DAYS.IGH",   "TIMES.IGH",    "AREATIME.IGH", "WEEKDAYS.IGH",
          "EMPLOYEE.HLP", "clouds.bmp", "employee.bmp", "employee.mdb"};
}

void DataFolder::install(const QString& name) {
  const QString source = name == "employee.mdb" ? QString(ROTAWISE_EMPTY_DB)
                                                : QString(ROTAWISE_INSTALL_DIR) + "/" + name;
  QFile::remove(file(name));
  if (!QFile::copy(source, file(name))) qFatal("cannot install %s", qPrintable(name));
  QFile::setPermissions(file(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void DataFolder::installAll() {
  for (const QString& n : installedFileNames()) install(n);
}

void DataFolder::write(const QString& name, const QByteArray& bytes) {
  QFile f(file(name));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(name));
  f.write(bytes);
}

QByteArray DataFolder::read(const QString& name) const {
  QFile f(file(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

bool DataFolder::exists(const QString& name) const { return QFile::exists(file(name)); }

void deleteAllWindows() {
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!w->parentWidget()) windows << w;
  for (const QPointer<QWidget>& w : windows) delete w.data();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void expectEmptyListOpensWideAtTheTop(QComboBox* list) {
  const int designed = list->width();
  list->showPopup();
  QAbstractItemView* view = list->view();
  EXPECT_GE(view->viewport()->width(), widestListEntry(list) + 8);
  EXPECT_LE(view->currentIndex().row(), 0);  // the top entry, or none
  EXPECT_EQ(view->verticalScrollBar()->value(), 0);
  list->hidePopup();
  EXPECT_EQ(list->width(), designed);
}

int widestListEntry(const QComboBox* list) {
  const QFontMetrics metrics(list->view()->font());
  int widest = 0;
  for (int i = 0; i < list->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(list->itemText(i)));
  return widest;
}
