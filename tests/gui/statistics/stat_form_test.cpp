#include "gui/statistics/stat_form.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/application.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/main_window/main_commands.h"
#include "gui/statistics/stat_chart.h"
#include "gui/text.h"
#include "results/language.h"
#include "scripted_dialogs.h"
#include "shell/session.h"
#include "support/text.h"
#include "window_test.h"

using namespace gryvel;
using namespace gryvel::gui;
using gryvel::testing::Cp;

namespace {

// The designed object names of the widgets these tests reach.
constexpr char kStatisticCombo[] = "ComboBox1";
constexpr char kChartStyleButton[] = "ToolbarButton972";

// A session showing one new dictionary of `words`.
std::unique_ptr<TSession> SessionOf(const QStringList& words) {
  auto session = std::make_unique<TSession>();
  TKivDictionary& dictionary = *session->Collection.Dictionary(session->Collection.NewDictionary());
  for (const QString& word : words) (void)dictionary.AddWord(*FromQString(word));
  session->Collection.Connect(dictionary);
  return session;
}

std::vector<double> Values(std::initializer_list<double> values) {
  return values;
}

}  // namespace

class TStatFormTest : public QObject {
  Q_OBJECT

 private:
  TScriptedDialogs FDialogs;
  QTemporaryDir FDir;
  std::unique_ptr<TSession> FSession;
  std::unique_ptr<TStatForm> FForm;

  // Opens the window over `words`.
  void Open(const QStringList& words) {
    FForm.reset();
    FSession = SessionOf(words);
    FForm = std::make_unique<TStatForm>(FSession->Source, FSession->Collection);
    FForm->resize(700, 450);
    FForm->show();
    QVERIFY(FForm->isVisible());
  }
  TStatChart& Chart() const { return *FForm->findChild<TStatChart*>(); }
  QComboBox& Combo() const { return *FForm->findChild<QComboBox*>(kStatisticCombo); }
  QAction& Action(const char* name) const { return *FForm->findChild<QAction*>(name); }

 private Q_SLOTS:
  void initTestCase() {
    SetUILanguage(TUILanguage::English);
    FDialogs.DefaultAnswer = TMessageAnswer::Ok;
    SetDialogs(&FDialogs);
    QVERIFY(FDir.isValid());
  }
  void cleanupTestCase() {
    SetDialogs(nullptr);
    SetUILanguage(TUILanguage::NotSet);
  }
  void cleanup() {
    FForm.reset();
    FSession.reset();
    FDialogs.Asked.clear();
  }

  void LengthsArePlacedInOrderFromZero() {
    Open({"ab", "abc", "xyz"});
    QCOMPARE(Combo().currentIndex(), 0);
    QCOMPARE(Chart().Categories(), QStringList({"2", "3"}));
    QCOMPARE(Chart().LineValues(), Values({1, 2}));
    QCOMPARE(Chart().BarValues(), Values({1, 2}));
    QCOMPARE(Chart().ValueAxisMin(), 0.0);
    QTRY_COMPARE(Chart().CategoryLabelsShrink(), 1.0);
    QVERIFY(Chart().ValueAxisMax() >= 2);
    QCOMPARE(FForm->windowTitle(), QString("Statistics :  Length"));
  }

  // Words «aa», «ab», «ba»: which letters count, and how often, for each letter statistic.
  void LetterStatisticsCountEachLetterByItsRule() {
    Open({"aa", "ab", "ba"});
    const struct {
      int Index;
      std::vector<double> Counts;  // of «a» and «b»
      const char* Caption;
    } cases[] = {{1, {2, 1}, "First letters"},
                 {2, {3, 2}, "Unique letters in words"},
                 {3, {4, 2}, "All letters"}};
    for (const auto& c : cases) {
      Combo().setCurrentIndex(c.Index);
      QCOMPARE(Chart().Categories(), QStringList({"a", "b"}));  // no other letter appears
      QCOMPARE(Chart().LineValues(), c.Counts);
      QCOMPARE(FForm->windowTitle(), QString("Statistics :  ") + c.Caption);
    }
  }

  void EqualCountsKeepCodeOrderAndAscendingIsTheExactReverse() {
    Open({"d", "b", "cc", "a", "ccc"});  // all letters: a 1, b 1, c 5, d 1
    Combo().setCurrentIndex(3);
    Action("tbDecrease").trigger();
    QCOMPARE(Chart().Categories(), QStringList({"c", "a", "b", "d"}));
    QCOMPARE(Chart().LineValues(), Values({5, 1, 1, 1}));
    Action("tbIncrease").trigger();
    QCOMPARE(Chart().Categories(), QStringList({"d", "b", "a", "c"}));
    Combo().setCurrentIndex(2);  // the order holds for the next statistic
    QCOMPARE(Chart().Categories(), QStringList({"d", "b", "a", "c"}));
    QCOMPARE(Chart().LineValues(), Values({1, 1, 1, 2}));
    Action("tbAlpha").trigger();
    QCOMPARE(Chart().Categories(), QStringList({"a", "b", "c", "d"}));
  }

  void AnEmptyViewShowsAnEmptyChart() {
    Open({});
    QVERIFY(Chart().Categories().isEmpty());
    QVERIFY(Chart().LineValues().empty());
    QVERIFY(Chart().BarValues().empty());
    QVERIFY(Chart().MarkTexts().isEmpty());
    QCOMPARE(FForm->windowTitle(), QString("Statistics"));
  }

  // A search that finds nothing while the window is open empties the chart and keeps the
  // caption, even when the chart lays itself out (and places its marks) while its series are
  // being emptied, as it may do on a real screen.
  void ASearchThatFindsNothingClearsTheChart() {
    Open({"aa", "ab", "abc"});
    Combo().setCurrentIndex(3);
    QCOMPARE(Chart().MarkTexts().size(), 3);
    for (QAbstractSeries* series : Chart().chart()->series())
      if (auto* line = qobject_cast<QLineSeries*>(series))
        connect(line, &QXYSeries::pointsReplaced, &Chart(), &TStatChart::PlaceMarks);
    FSession->Source.SearchPattern("qqqzzz");
    FSession->Source.SetFilterActive(true);
    QVERIFY(FSession->Source.View().empty());
    QVERIFY(Chart().Categories().isEmpty());
    QVERIFY(Chart().LineValues().empty());
    QVERIFY(Chart().MarkTexts().isEmpty());
    QCOMPARE(FForm->windowTitle(), QString("Statistics :  All letters"));
    FSession->Source.SetFilterActive(false);
    QCOMPARE(Chart().Categories(), QStringList({"a", "b", "c"}));
    QCOMPARE(Chart().MarkTexts(), QStringList({"4", "2", "1"}));
  }

  // With no categories the category axis shows no title, which would stand alone in the
  // chart's corner; the title comes back with the categories.
  void TheCategoryTitleIsShownOnlyWithCategories() {
    Open({"ab"});
    const auto title = [this] { return Chart().chart()->axes(Qt::Horizontal).first()->titleText(); };
    QCOMPARE(title(), QString("length"));
    FSession->Source.SearchPattern("qqqzzz");
    FSession->Source.SetFilterActive(true);
    QCOMPARE(title(), QString());
    FSession->Source.SetFilterActive(false);
    Combo().setCurrentIndex(1);
    QCOMPARE(title(), QString("letter"));
    Open({});
    QCOMPARE(title(), QString());
  }

  // The chart-style button steps through the menu and wraps; the data stays.
  void ChartStylesKeepTheData() {
    Open({"ab", "abc", "xyz", "abcd"});
    auto* button = FForm->findChild<QToolButton*>(kChartStyleButton);
    const struct {
      const char* Checked;
      bool Line;
      bool Bars;
    } steps[] = {{"GraphPopupMenuColumnItem", false, true},
                 {"GraphPopupMenuAllItem", true, true},
                 {"GraphPopupMenuLineItem", true, false}};
    for (const auto& step : steps) {
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
      QVERIFY(Action(step.Checked).isChecked());
      QCOMPARE(button->text(), Action(step.Checked).text());
      QCOMPARE(Chart().LineShown(), step.Line);
      QCOMPARE(Chart().BarsShown(), step.Bars);
      QCOMPARE(Chart().Categories(), QStringList({"2", "3", "4"}));
      QCOMPARE(Chart().LineValues(), Values({1, 2, 1}));
      QCOMPARE(Chart().BarValues(), Values({1, 2, 1}));
    }
  }

  void MarksShowValuesOrPercentsAndTurnOff() {
    Open({"ab", "abc", "xyz", "abcd", "a", "b"});  // lengths 1: 2, 2: 1, 3: 2, 4: 1
    QCOMPARE(Chart().MarkTexts(), QStringList({"2", "1", "2", "1"}));
    QCOMPARE(Chart().PlacedMarks(), Chart().MarkTexts());
    Action("GraphPopupMenuPercentItem").trigger();
    QCOMPARE(Chart().MarkTexts(), QStringList({"33.3%", "16.7%", "33.3%", "16.7%"}));
    Combo().setCurrentIndex(3);  // 17 letters in all
    double sum = 0;
    for (QString text : Chart().MarkTexts()) sum += text.remove('%').toDouble();
    QVERIFY2(std::abs(sum - 100) <= 0.05 * Chart().MarkTexts().size(),
             qPrintable(QString::number(sum)));

    auto* show_marks = FForm->findChild<QToolButton*>("tbShowMarks");
    QVERIFY(show_marks->isChecked());
    QTest::mouseClick(show_marks, Qt::LeftButton);
    QVERIFY(!Action("GraphPopupMenuDataValuesItem").isChecked());
    QVERIFY(Chart().PlacedMarks().isEmpty());
    Action("GraphPopupMenuDataValuesItem").trigger();
    QVERIFY(show_marks->isChecked());
    QCOMPARE(Chart().PlacedMarks().size(), Chart().MarkTexts().size());
  }

  // With many categories in a narrow chart, marks that would collide are left out, the
  // largest count's first.
  void ManyCategoriesKeepTheLargestMarksReadable() {
    QStringList words;
    const QString letters =
        QString::fromUtf8("abcdefghijklmnopqrstuvwxyzабвгдежзийклмнопрстуфхцчшщыэюя");
    for (qsizetype i = 0; i < letters.size(); ++i)
      words << QString(static_cast<int>(i % 7 + 1), letters[i]);
    words << QString(30, QChar('q'));  // «q» 3 + 30 times
    Open(words);
    FForm->resize(400, 300);
    Combo().setCurrentIndex(3);
    QVERIFY(Chart().Categories().size() >= 40);
    QTRY_VERIFY(Chart().PlacedMarks().size() < Chart().MarkTexts().size());
    QVERIFY(Chart().PlacedMarks().contains("33"));
    QTRY_VERIFY(Chart().CategoryLabelsShrink() < 1);
  }

  void EscapeClosesTheWindow() {
    Open({"ab"});
    QSignalSpy visibility(FForm.get(), &TStatForm::VisibilityChanged);
    QTest::keyClick(&Combo(), Qt::Key_Escape);
    QVERIFY(!FForm->isVisible());
    QCOMPARE(visibility.size(), 1);
    QCOMPARE(visibility.at(0).at(0).toBool(), false);
  }

  void SavesTheChartAsPngOrSvg() {
    Open({"ab", "abc", "xyz"});
    FDialogs.Files = {FDir.filePath("chart")};
    FDialogs.Selected = "SVG image (*.svg)";
    Action("SaveImageItem").trigger();
    QVERIFY(FDialogs.Filters.contains("*.png") && FDialogs.Filters.contains("*.svg"));
    QFile svg(FDir.filePath("chart.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("Statistics"));

    FDialogs.Files = {FDir.filePath("chart.PNG")};
    FDialogs.Selected = "SVG image (*.svg)";  // the name's own suffix wins
    Action("SaveImageItem").trigger();
    const QImage image(FDir.filePath("chart.PNG"), "PNG");
    QVERIFY(!image.isNull());
    QVERIFY(image.width() > 100);
    QVERIFY(FDialogs.Asked.isEmpty());

    FDialogs.Files = {FDir.filePath("no such folder/chart.png")};
    Action("SaveImageItem").trigger();
    QCOMPARE(FDialogs.Asked.size(), 1);
    QVERIFY(FDialogs.Asked.front().contains("could not be saved"));
  }

  void FollowsTheMainWindowWhileVisible();
};

// The real main window: its Options command shows the window, a search there changes the
// chart, and a hidden window catches up when shown again.
void TStatFormTest::FollowsTheMainWindowWhileVisible() {
  InstallPlatformHooks();
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("Dictionaries");
  WriteDictionary(dir.filePath("Dictionaries/dictionary.kiv"),
                  {"кот", "кит", "скот", "дом", "дым", "мост", "лес"});
  auto session = std::make_unique<TSession>(ProgramSettings(PathFromQString(dir.path())));
  auto form = std::make_unique<TKivMainForm>(*session);
  form->show();
  QTRY_VERIFY(session->Collection.Count() == 7 && session->Collection.LoadingCount() == 0);
  TMainCommands& commands = *form->findChild<TMainCommands*>();
  QVERIFY(commands.OptionsStatistics->isEnabled());

  const QRect room = form->screen()->availableGeometry();
  form->move(room.bottomRight() - QPoint(form->width(), form->height()));  // off the corner
  commands.OptionsStatistics->trigger();
  auto* stat = form->findChild<TStatForm*>();
  QVERIFY(stat != nullptr && stat->isVisible());
  QVERIFY(commands.OptionsStatistics->isChecked());
  // Over the middle of the main window, not where a new window would be dropped, unless an
  // edge of the screen stops it.
  const QRect place = stat->frameGeometry();
  const QPoint middle = form->frameGeometry().center();
  QVERIFY(room.contains(place));
  QVERIFY(std::abs(place.left() - std::clamp(middle.x() - place.width() / 2, room.left(),
                                             room.right() - place.width() + 1)) <= 2);
  QVERIFY(std::abs(place.top() - std::clamp(middle.y() - place.height() / 2, room.top(),
                                            room.bottom() - place.height() + 1)) <= 2);
  TStatChart& chart = *stat->findChild<TStatChart*>();
  QCOMPARE(chart.Categories(), QStringList({"3", "4"}));
  QCOMPARE(chart.LineValues(), Values({5, 2}));

  const QString caption = stat->windowTitle();
  auto* edit = form->findChild<QLineEdit*>("FastSearch");
  QTest::keyClicks(edit, "qqqzzz");
  QTest::keyClick(edit, Qt::Key_Return);
  QVERIFY(chart.LineValues().empty());
  QCOMPARE(stat->windowTitle(), caption);
  form->RunCrosswordSearch(Cp("*от*"));
  QCOMPARE(chart.LineValues(), Values({1, 1}));  // кот, скот

  form->ApplyLanguage("RUS");
  QCOMPARE(stat->findChild<QComboBox*>(kStatisticCombo)->currentText(), QString::fromUtf8("Длина"));
  QCOMPARE(stat->windowTitle(), QString::fromUtf8("Статистика :  Длина"));

  commands.OptionsStatistics->trigger();
  QVERIFY(!stat->isVisible());
  QVERIFY(!commands.OptionsStatistics->isChecked());
  form->RunCrosswordSearch(Cp("д?м"));
  QCOMPARE(chart.LineValues(), Values({1, 1}));  // not recomputed while hidden
  commands.OptionsStatistics->trigger();
  QCOMPARE(form->findChild<TStatForm*>(), stat);  // the same window
  QCOMPARE(chart.Categories(), QStringList({"3"}));
  QCOMPARE(chart.LineValues(), Values({2}));

  form->close();
  QVERIFY(!stat->isVisible());
  form.reset();
  session.reset();
  SetUILanguage(TUILanguage::English);
  RemovePlatformHooks();
}

QTEST_MAIN(TStatFormTest)
#include "stat_form_test.moc"
