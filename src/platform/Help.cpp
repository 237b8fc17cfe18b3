#include "platform/Help.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

#include "platform/Geometry.h"
#include "platform/Installation.h"

namespace help {
namespace {
constexpr const char* kProperty = "HelpContextID";

struct State {
  QString applicationFile;
  QString shownFile;
  int shownTopic = 0;
  QPointer<QTextBrowser> viewer;
};
State& state() {
  static State s;
  return s;
}

QTextBrowser* ensureViewer() {
  State& s = state();
  if (!s.viewer) {
    s.viewer = new QTextBrowser();
    s.viewer->setObjectName("HelpViewer");
    s.viewer->setAttribute(Qt::WA_DeleteOnClose);
    s.viewer->setWindowTitle("Employee's Rotawise Help");
    s.viewer->setOpenLinks(true);
    s.viewer->resize(twipsToPixels(9000), twipsToPixels(7200));
  }
  return s.viewer;
}

// Our help is an HTML text file. The old platform's help files are binary,
// and anything else would show as garbage, so neither is shown.
bool isOurHelp(const QString& path) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
  QByteArray head = file.read(4096);
  if (head.contains('\0')) return false;
  if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);
  head = head.trimmed().toLower();
  return head.startsWith("<!doctype html") || head.startsWith("<html");
}

// The file help shows for `file` (found in any letter case): that file when
// it is our help; when it is something else, the program's own help file.
QString fileToShow(const QString& file) {
  if (file.isEmpty()) return {};
  const QString found = findInAnyCase(file);
  if (found.isEmpty()) return {};
  if (isOurHelp(found)) return found;
  const QString own = findInAnyCase(state().applicationFile);
  return !own.isEmpty() && isOurHelp(own) ? own : QString();
}

class F1Filter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    int context = 0;
    if (auto* menu = qobject_cast<QMenu*>(target)) {
      if (menu->activeAction()) context = helpContext(menu->activeAction());
      if (!context) context = helpContext(menu->menuAction());
      if (!context) context = contextFor(menu->parentWidget());
    } else if (QWidget* focus = QApplication::focusWidget()) {
      context = contextFor(focus);
    } else if (auto* w = qobject_cast<QWidget*>(target)) {
      context = contextFor(w);
    }
    show(applicationHelpFile(), context ? Context : Contents, context);
    return true;
  }
};
}  // namespace

void setHelpContext(QObject* o, int context) { o->setProperty(kProperty, context); }

int helpContext(const QObject* o) { return o ? o->property(kProperty).toInt() : 0; }

int contextFor(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (int c = helpContext(w)) return c;
  }
  return 0;
}

void setApplicationHelpFile(const QString& path) { state().applicationFile = path; }
QString applicationHelpFile() { return state().applicationFile; }

bool show(const QString& file, int command, int context) {
  State& s = state();
  if (command == Quit) {
    if (s.viewer) s.viewer->close();
    return true;
  }
  const QString shown = fileToShow(file);
  if (shown.isEmpty()) return false;
  const QFileInfo info(shown);
  QTextBrowser* v = ensureViewer();
  const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  if (v->source() != url) v->setSource(url, QTextDocument::HtmlResource);
  s.shownFile = info.absoluteFilePath();
  s.shownTopic = command == Context ? context : 0;
  if (s.shownTopic) {
    v->scrollToAnchor(QString::number(s.shownTopic));
  } else {
    v->moveCursor(QTextCursor::Start);
    v->verticalScrollBar()->setValue(0);
  }
  v->show();
  v->raise();
  v->activateWindow();
  return true;
}

void installF1Handler(QApplication& app) { app.installEventFilter(new F1Filter(&app)); }

QString shownFile() { return state().shownFile; }
int shownTopic() { return state().shownTopic; }
QTextBrowser* viewer() { return state().viewer; }
}  // namespace help
