#include "ui/CProgressWnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QSettings>

namespace ostrin::ui {
namespace {

QSettings settings() {
  return QSettings(QString::fromLatin1(ProgressSettingsOrganisation), QString::fromLatin1(ProgressSettingsApplication));
}

TEST(ProgressWindowTest, TitleCarriesThePercentageOnlyWhenItChanges) {
  QDialog owner;
  CProgressWnd progress;
  progress.Create(&owner, "LOGIC ALARM Save", true);
  progress.SetRange(0, 100);
  EXPECT_EQ(progress.TitleText(), "LOGIC ALARM Save");
  progress.SetPos(20);
  EXPECT_EQ(progress.TitleText(), "LOGIC ALARM Save [20%]");
  progress.setWindowTitle("marker");
  progress.SetPos(20);
  EXPECT_EQ(progress.TitleText(), "marker");
  progress.SetPos(21);
  EXPECT_EQ(progress.TitleText(), "LOGIC ALARM Save [21%]");
  EXPECT_EQ(progress.SetPosition(30), 21);
}

TEST(ProgressWindowTest, PercentageRoundsHalfUpAndIsZeroForAnEmptyRange) {
  QDialog owner;
  CProgressWnd progress;
  progress.Create(&owner, "T", false);
  progress.SetRange(0, 8);
  progress.SetPos(1);  // 12.5 %
  EXPECT_EQ(progress.Percent(), 13);
  progress.SetRange(5, 5);
  progress.SetPos(7);
  EXPECT_EQ(progress.Percent(), 0);
}

TEST(ProgressWindowTest, ModalDisablesTheOwnerChainUntilDestroyedOrCancelled) {
  QDialog main;
  QDialog category(&main);
  {
    CProgressWnd progress;
    progress.Create(&category, "TIMERS Save", true);
    progress.GoModal();
    EXPECT_FALSE(main.isEnabled());
    progress.DestroyWindow();
    EXPECT_TRUE(main.isEnabled());
  }
  CProgressWnd progress;
  progress.Create(&category, "TIMERS Save", true);
  progress.GoModal();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&progress, &escape);
  EXPECT_TRUE(progress.Cancelled());
  EXPECT_FALSE(progress.Exists());
  EXPECT_TRUE(main.isEnabled());
  progress.SetText(QStringLiteral("ignored now"));
  EXPECT_EQ(progress.SetPosition(50), 0);
}

TEST(ProgressWindowTest, RestoresItsPositionOnlyWhenOnScreen) {
  QDialog owner;
  owner.setGeometry(100, 100, 400, 300);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  {
    CProgressWnd progress;
    progress.Create(&owner, "A", true);
    progress.move(40, 30);
    progress.DestroyWindow();
  }
  EXPECT_EQ(settings().value("Settings/X").toInt(), 40);
  CProgressWnd restored;
  restored.Create(&owner, "B", true);
  EXPECT_EQ(restored.pos(), QPoint(40, 30));

  for (const QPoint saved : {QPoint(screen.width(), 10), QPoint(-1, 10), QPoint(10, -5)}) {
    settings().setValue("Settings/X", saved.x());
    settings().setValue("Settings/Y", saved.y());
    CProgressWnd centred;
    centred.Create(&owner, "C", true);
    EXPECT_NE(centred.pos(), saved);
    EXPECT_NEAR(centred.frameGeometry().center().x(), owner.frameGeometry().center().x(), 2);
  }
}

}  // namespace
}  // namespace ostrin::ui
