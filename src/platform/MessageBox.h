#pragma once
// Every modal message of the program goes through msgBox(), which takes the
// classic arguments: the text, a code that adds up the buttons (0 OK,
// 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No) and the icon (32 question, 48 exclamation), and the
// title. It returns the classic answer (1 OK, 2 Cancel, 6 Yes, 7 No).
#include <QString>
#include <functional>

// Plain numbers rather than enums, so that buttons and icons add up as the
// classic codes do (OkOnly + Exclamation is 48).
namespace msg {
constexpr int OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4;  // buttons
constexpr int Question = 32, Exclamation = 48;            // icons
constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;        // answers
// Beyond the classic codes: a further button, captioned by the caller, added
// after the classic ones; choosing it answers Other.
constexpr int OtherButton = 0x10000;
constexpr int Other = 8;
}  // namespace msg

int msgBox(const QString& text, int code, const QString& title);
// The same with the further button captioned `otherButton` (code gets OtherButton).
int msgBox(const QString& text, int code, const QString& title, const QString& otherButton);

// Test seam: while a handler is set, it answers every box instead of a real
// dialog. Pass an empty function to go back to real dialogs.
using MessageBoxHandler = std::function<int(const QString& text, int code, const QString& title)>;
void setMessageBoxHandler(MessageBoxHandler handler);
