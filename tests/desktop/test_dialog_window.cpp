#include <QGroupBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "desktop_test.h"
#include "resources/dialogs.h"

namespace {

// What the procedure under test heard and what it does about it. Procedures are plain
// functions, so the test talks to it through here.
struct Procedure {
  std::vector<std::pair<int, std::intptr_t>> heard;
  std::function<void(DialogContext&, int message, std::intptr_t wParam)> react;
};
Procedure Proc;

std::intptr_t TestProc(DialogContext& dialog, int message, std::intptr_t wParam, std::intptr_t) {
  Proc.heard.emplace_back(message, wParam);
  if (Proc.react) Proc.react(dialog, message, wParam);
  return 1;
}

bool AnyDialogVisible() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<QDialog*>(w) && w->isVisible()) return true;
  return false;
}

QPushButton* DefaultButton(QDialog& dialog) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->isDefault()) return button;
  return nullptr;
}

// The widget that shows a control's text: its caption, title or text.
QWidget* ShowingText(QDialog& dialog, const char* text) {
  const QString wanted = QString::fromUtf8(text);
  for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    auto* box = qobject_cast<QGroupBox*>(w);
    if ((box ? box->title() : w->property("text").toString()) == wanted) return w;
  }
  return nullptr;
}

// Whether the widget needs more room than its box gives it.
bool Overflows(QWidget& w) {
  const QFontMetrics metrics(w.font());
  if (auto* label = qobject_cast<QLabel*>(&w)) {
    if (label->wordWrap()) return label->heightForWidth(label->width()) > label->height();
    return metrics.horizontalAdvance(label->text()) > label->width();
  }
  if (auto* button = qobject_cast<QPushButton*>(&w))
    return metrics.horizontalAdvance(button->text()) + 8 > button->width() ||
           metrics.height() + 4 > button->height();
  if (auto* box = qobject_cast<QGroupBox*>(&w))
    return metrics.horizontalAdvance(box->title()) + 16 > box->width();
  if (auto* edit = qobject_cast<QLineEdit*>(&w)) return metrics.height() + 4 > edit->height();
  return false;
}

class DialogWindowTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    Proc = Procedure{};
  }
};

}  // namespace

TEST_F(DialogWindowTest, EveryTemplateBuildsIntoOneWindowWhoseTextsFitTheirBoxes) {
  for (const DialogTemplate* t : {&OptionsDialog(), &HowToPlayDialog(), &RulesDialog(),
                                  &AboutTumbraDialog(), &AboutQervoDialog()}) {
    SCOPED_TRACE(t->name);
    Proc = Procedure{};
    Proc.react = [](DialogContext& d, int message, std::intptr_t w) {
      if (message == WM_COMMAND && w == 1) d.EndDialog(0);
    };
    WhenShown<QDialog>([t](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle().toStdString(), t->caption);
      EXPECT_EQ(dialog.parentWidget()->window()->windowTitle(), "Tumbra by Qervo Software");
      // Big enough for its texts (below), small enough for the smallest screen we run on.
      EXPECT_LE(dialog.width(), 800);
      EXPECT_LE(dialog.height(), 600);
      for (const DialogControl& c : t->controls) {
        if (c.kind == DialogControl::Edit) continue;
        QWidget* w = ShowingText(dialog, c.text);
        ASSERT_NE(w, nullptr) << c.text;
        EXPECT_TRUE(dialog.rect().contains(w->geometry())) << c.text;
        EXPECT_NEAR(w->x(), c.x * dialog.width() / double(t->width), 1.0) << c.text;
        EXPECT_NEAR(w->y(), c.y * dialog.height() / double(t->height), 1.0) << c.text;
        EXPECT_FALSE(Overflows(*w)) << c.text;
        // Frames lie under what they frame: a click lands on the control, not the frame.
        if (c.kind != DialogControl::GroupBox) {
          QWidget* hit = dialog.childAt(w->geometry().center());
          EXPECT_TRUE(hit == w || w->isAncestorOf(hit)) << c.text;
        }
      }
      for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        EXPECT_FALSE(Overflows(*edit));
        EXPECT_EQ(dialog.childAt(edit->geometry().center()), edit);
      }
      QPushButton* ok = DefaultButton(dialog);
      ASSERT_NE(ok, nullptr);
      EXPECT_EQ(ok->text(), "OK");
      ok->click();
    });
    platform.DialogBox(*t, TestProc);
    EXPECT_EQ(Proc.heard.back(), std::make_pair(int(WM_COMMAND), std::intptr_t(1)));
  }
}

TEST_F(DialogWindowTest, EscapeAndTheCloseBoxOnlyAskTheProcedureWhichAloneEndsTheDialog) {
  Proc.react = [](DialogContext& d, int message, std::intptr_t w) {
    if (message == WM_INITDIALOG) {
      EXPECT_FALSE(AnyDialogVisible());
    }
    if (message == WM_COMMAND && w == 1) d.EndDialog(7);
  };
  WhenShown<QDialog>([](QDialog& dialog) {
    PressKey(dialog, Qt::Key_Escape, "\x1b");
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    QLineEdit* edit = dialog.findChild<QLineEdit*>();
    edit->setFocus();
    PressKey(*edit, Qt::Key_Return, "\r");
  });
  EXPECT_EQ(platform.DialogBox(OptionsDialog(), TestProc), 7);
  using Heard = std::vector<std::pair<int, std::intptr_t>>;
  EXPECT_EQ(Proc.heard, (Heard{{WM_INITDIALOG, 0}, {WM_COMMAND, 2}, {WM_COMMAND, 2}, {WM_COMMAND, 1}}));
  EXPECT_FALSE(AnyDialogVisible());
}
