#include "platform/desktop/dialog_window.h"

#include <algorithm>
#include <tuple>

#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

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

// Keeps a field within a number of bytes of UTF-8, as a field with a length limit keeps
// within its characters: a key that would go past the limit types nothing, and a paste
// keeps what fits of its beginning.
class ByteLimit : public QValidator {
 public:
  ByteLimit(int bytes, QObject* parent) : QValidator(parent), bytes_(bytes) {}

  // What was just typed or pasted ends at the cursor, so that is what gives way, a whole
  // character at a time.
  State validate(QString& text, int& cursor) const override {
    qsizetype over = text.toUtf8().size() - bytes_;
    while (over > 0 && cursor > 0) {
      const bool pair =
          cursor >= 2 && text[cursor - 1].isLowSurrogate() && text[cursor - 2].isHighSurrogate();
      const int n = pair ? 2 : 1;
      over -= text.mid(cursor - n, n).toUtf8().size();
      text.remove(cursor - n, n);
      cursor -= n;
    }
    return over > 0 ? Invalid : Acceptable;
  }

 private:
  int bytes_;
};

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
  OrderTabs();
}

// The keyboard starts in the first field, and Tab goes down the fields and then along the
// buttons, top to bottom and left to right: the order the dialog is read in.
void DialogWindow::OrderTabs() {
  std::vector<QWidget*> order;
  for (const auto& [id, item] : items_)
    if (item->focusPolicy() & Qt::TabFocus) order.push_back(item);
  auto place = [](QWidget* w) {
    return std::make_tuple(qobject_cast<QPushButton*>(w) != nullptr, w->y(), w->x());
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](QWidget* a, QWidget* b) { return place(a) < place(b); });
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  if (!order.empty()) order.front()->setFocus();
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
    case DialogControl::Edit: {
      auto* edit = new QLineEdit(Text(control.text), this);
      if (control.password) edit->setEchoMode(QLineEdit::Password);
      item = edit;
      break;
    }
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
  if (ended_) return;
  inProc_ = true;
  proc_(*this, WM_COMMAND, id, 0);
  inProc_ = false;
  TakeWakes();
}

void DialogWindow::NetworkWake() {
  ++wakesWaiting_;
  TakeWakes();
}

// A question box that the procedure opens runs an event loop of its own, in which the
// next wake can arrive: the procedure is never entered twice.
void DialogWindow::TakeWakes() {
  while (wakesWaiting_ > 0 && !ended_ && !inProc_) {
    --wakesWaiting_;
    inProc_ = true;
    proc_(*this, WM_NETEVENT, 0, 0);
    inProc_ = false;
  }
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

void DialogWindow::LimitText(int id, int bytes) {
  if (auto* edit = qobject_cast<QLineEdit*>(Item(id))) edit->setValidator(new ByteLimit(bytes, edit));
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
