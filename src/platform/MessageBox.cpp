#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
MessageBoxHandler& handler() {
  static MessageBoxHandler h;
  return h;
}
}  // namespace

void setMessageBoxHandler(MessageBoxHandler h) { handler() = std::move(h); }

int msgBox(const QString& text, int code, const QString& title) {
  return msgBox(text, code & ~msg::OtherButton, title, QString());
}

int msgBox(const QString& text, int code, const QString& title, const QString& otherButton) {
  if (!otherButton.isEmpty()) code |= msg::OtherButton;
  if (handler()) return handler()(text, code, title);

  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(title);
  box.setText(text);
  const int icon = code & 0x70;
  box.setIcon(icon == msg::Question      ? QMessageBox::Question
              : icon == msg::Exclamation ? QMessageBox::Warning
              : icon == 16               ? QMessageBox::Critical
              : icon == 64               ? QMessageBox::Information
                                         : QMessageBox::NoIcon);
  switch (code & 0x7) {
    case msg::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case msg::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case msg::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
  }
  QPushButton* other =
      otherButton.isEmpty() ? nullptr : box.addButton(otherButton, QMessageBox::ActionRole);
  const int pressed = box.exec();
  if (other && box.clickedButton() == other) return msg::Other;
  switch (pressed) {
    case QMessageBox::Cancel: return msg::Cancel;
    case QMessageBox::Yes: return msg::Yes;
    case QMessageBox::No: return msg::No;
    default: return msg::Ok;
  }
}
