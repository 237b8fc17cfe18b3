#pragma once
// The help engine: our own viewer window showing EMPLOYEE.HLP, an HTML file
// whose topics are anchors named by their context numbers (<a name="700">).
// F1 opens the topic of the focused control, else of its window; "contents"
// opens the first topic. A missing file shows nothing and reports nothing; a
// file that is not our help (the old platform's binary help among them) is
// passed over for the application help file.
#include <QString>

class QObject;
class QWidget;
class QApplication;
class QTextBrowser;

namespace help {
// Classic help commands.
constexpr int Context = 1;
constexpr int Quit = 2;
constexpr int Contents = 3;

void setHelpContext(QObject* widgetOrAction, int context);
int helpContext(const QObject* widgetOrAction);  // 0 when none
// The number F1 uses for a widget: its own, else the nearest parent's.
int contextFor(const QWidget* widget);

// The application help file (a full path) that F1 uses.
void setApplicationHelpFile(const QString& path);
QString applicationHelpFile();

// Opens `file` at a topic (command Context) or at its contents (Contents);
// Quit closes the viewer. Returns false when the file cannot be shown.
bool show(const QString& file, int command, int context = 0);

// Installs the F1 key handling on the whole application.
void installF1Handler(QApplication& app);

// What the viewer shows now (tests): the file, the topic, and the viewer's
// text (nullptr until help was first shown; its window() is the window).
QString shownFile();
int shownTopic();
QTextBrowser* viewer();
}  // namespace help
