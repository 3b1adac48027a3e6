#include "platform/desktop/dialog_window.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/messages.h"

namespace {

// Dialog units are fractions of the dialog font's average character: a quarter of its
// width across and an eighth of its height down, so a layout made for one font keeps
// its texts inside their boxes in another.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    across_ = metrics.horizontalAdvance(alphabet) / alphabet.size() / 4;
    down_ = metrics.height() / 8;
  }
  int X(int units) const { return qRound(units * across_); }
  int Y(int units) const { return qRound(units * down_); }
  // Both edges are rounded, so controls that touch in units touch on screen.
  QRect Rect(int x, int y, int w, int h) const {
    return QRect(X(x), Y(y), X(x + w) - X(x), Y(y + h) - Y(y));
  }

 private:
  double across_, down_;
};

QString Text(const char* text) { return QString::fromUtf8(text ? text : ""); }

// Group boxes show their title, every other control its text.
const char* TextProperty(const QWidget* item) {
  return qobject_cast<const QGroupBox*>(item) ? "title" : "text";
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialog, DialogProc proc, QWidget& owner)
    : QDialog(&owner), proc_(proc), owner_(owner) {
  setWindowTitle(Text(dialog.caption));
  // The layouts were drawn for a small 8-point sans.
  setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  // Group box titles sit on the frame line, as the layouts expect: text placed just under
  // a group box's top edge would otherwise run into the frame.
  setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
  const DialogUnits units(font());
  setFixedSize(units.X(dialog.width), units.Y(dialog.height));
  for (const DialogControl& control : dialog.controls)
    AddControl(control, units.Rect(control.x, control.y, control.w, control.h));
  // A frame drawn round other controls must not sit on top of them and take their clicks.
  for (QGroupBox* frame : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) frame->lower();
}

void DialogWindow::AddControl(const DialogControl& control, QRect where) {
  QWidget* item = nullptr;
  switch (control.kind) {
    case DialogControl::DefaultButton:
    case DialogControl::Button: {
      auto* button = new QPushButton(Text(control.text), this);
      button->setDefault(control.kind == DialogControl::DefaultButton);
      const int id = control.id;
      connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
      item = button;
      break;
    }
    case DialogControl::GroupBox:
      item = new QGroupBox(Text(control.text), this);
      break;
    case DialogControl::Static:
    case DialogControl::Label: {
      auto* label = new QLabel(Text(control.text), this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(control.kind == DialogControl::Static);
      item = label;
      break;
    }
    case DialogControl::Edit:
      item = new QLineEdit(Text(control.text), this);
      break;
  }
  item->setGeometry(where);
  items_.emplace_back(control.id, item);
}

int DialogWindow::Run() {
  proc_(*this, WM_INITDIALOG, 0, 0);
  if (!ended_) exec();
  return result_;
}

void DialogWindow::Command(int id) {
  if (!ended_) proc_(*this, WM_COMMAND, id, 0);
}

QWidget* DialogWindow::Item(int id) const {
  for (const auto& [itemId, item] : items_)
    if (itemId == id) return item;
  return nullptr;
}

std::string DialogWindow::GetItemText(int id) {
  const QWidget* item = Item(id);
  if (!item) return {};
  return item->property(TextProperty(item)).toString().toStdString();
}

void DialogWindow::SetItemText(int id, const std::string& text) {
  QWidget* item = Item(id);
  if (item) item->setProperty(TextProperty(item), QString::fromStdString(text));
}

void DialogWindow::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  done(result);
}

std::string DialogWindow::BrowseForFolder(const char* title) {
  return QFileDialog::getExistingDirectory(&owner_, Text(title)).toStdString();
}

// Escape and the close box only ask; the procedure answers.
void DialogWindow::reject() { Command(IdCancel); }

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Command(IdOk);
    return;
  }
  QDialog::keyPressEvent(event);
}
