#include "platform/Help.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextBlock>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Accessible.h"
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

// The help text: closing it closes its window, and the first Tab goes to the
// first link after the topic shown (Qt's own would start at the top of the
// file, at the contents).
class HelpText : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    window()->close();
  }
  bool focusNextPrevChild(bool next) override {
    if (next && !textCursor().hasSelection() && selectLinkAfter(textCursor().position()))
      return true;
    return QTextBrowser::focusNextPrevChild(next);
  }

 private:
  bool selectLinkAfter(int position) {
    for (QTextBlock block = document()->findBlock(position); block.isValid(); block = block.next())
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.position() < position || f.charFormat().anchorHref().isEmpty()) continue;
        QTextCursor link(document());
        link.setPosition(f.position());
        link.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
        setTextCursor(link);
        return true;
      }
    return false;
  }
};

// The viewer is a window of its own holding the help text, so a screen reader
// meets a window with a title; Escape closes it, Tab goes from link to link.
QTextBrowser* ensureViewer() {
  State& s = state();
  if (!s.viewer) {
    auto* window = new QWidget();
    window->setObjectName("HelpWindow");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle("Employee's Rotawise Help");
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    s.viewer = new HelpText(window);
    s.viewer->setObjectName("HelpViewer");
    s.viewer->setOpenLinks(true);
    accessible::setName(s.viewer, "Help text",
                        "Tab and Shift+Tab go from link to link, Enter follows one, Escape "
                        "closes the help.");
    layout->addWidget(s.viewer);
    window->resize(twipsToPixels(9000), twipsToPixels(7200));
    accessible::onEscape(window, [window] { window->close(); });
  }
  return s.viewer;
}

// The text cursor goes to the topic, so the first Tab picks the topic's own
// first link, not the contents' at the top of the file.
void putCursorAtAnchor(QTextBrowser* v, const QString& anchor) {
  for (QTextBlock block = v->document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorNames().contains(anchor)) {
        QTextCursor cursor(v->document());
        cursor.setPosition(it.fragment().position());
        v->setTextCursor(cursor);
        return;
      }
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
    if (s.viewer) s.viewer->window()->close();
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
    putCursorAtAnchor(v, QString::number(s.shownTopic));
    v->scrollToAnchor(QString::number(s.shownTopic));
  } else {
    v->moveCursor(QTextCursor::Start);
    v->verticalScrollBar()->setValue(0);
  }
  QWidget* window = v->window();
  window->show();
  window->raise();
  window->activateWindow();
  v->setFocus(Qt::OtherFocusReason);
  return true;
}

void installF1Handler(QApplication& app) { app.installEventFilter(new F1Filter(&app)); }

QString shownFile() { return state().shownFile; }
int shownTopic() { return state().shownTopic; }
QTextBrowser* viewer() { return state().viewer; }
}  // namespace help
