#include "gui/filter_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "gui/text.h"
#include "results/language.h"
#include "search/letter_maps.h"
#include "shell/session.h"

namespace gryvel::gui {

namespace {

// The designed object names of the widgets these tests reach.
constexpr char kPatternEdit[] = "Edit1";
constexpr char kMinLengthEdit[] = "Edit2";
constexpr char kMaxLengthEdit[] = "Edit3";
constexpr char kFilterPanel[] = "Panel1";

}  // namespace

class TFilterFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TSession> FSession;
  std::unique_ptr<TFilterForm> FForm;
  TSubscription FHook;
  int FRefreshes = 0;

  template <typename T>
  T* Find(const char* name) const {
    T* widget = FForm->findChild<T*>(name);
    if (widget == nullptr) qFatal("no %s", name);
    return widget;
  }
  QRadioButton* On() const { return Find<QRadioButton>("rbOn"); }
  QPushButton* ApplyButton() const { return Find<QPushButton>("ButtonApply"); }
  QSpinBox* From() const { return Find<QSpinBox>(kMinLengthEdit); }
  QSpinBox* To() const { return Find<QSpinBox>(kMaxLengthEdit); }
  void Open() {
    FForm = std::make_unique<TFilterForm>(FSession->Source);
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
    FRefreshes = 0;
  }
  QStringList Shown() const {
    QStringList words;
    for (std::int32_t index : FSession->Source.View())
      words << ToQString(FSession->Collection.Item(index)->Word);
    return words;
  }
  // Five-letter words only.
  void SetFiveLetters() {
    On()->click();
    Find<QCheckBox>("cbLength")->setChecked(true);
    To()->setValue(5);
    From()->setValue(5);
  }

 private Q_SLOTS:
  void init() {
    SetUILanguage(TUILanguage::Russian);
    FSession = std::make_unique<TSession>();
    TKivDictionary& words = *FSession->Collection.Dictionary(FSession->Collection.NewDictionary());
    for (const char* word : {"кот", "котёл", "скот", "шалаш", "лампа", "победитель"})
      (void)words.AddWord(*FromQString(QString::fromUtf8(word)));
    FSession->Collection.Connect(words);
    FHook = FSession->Source.OnChange.Subscribe([this](TResultSource&) { ++FRefreshes; });
  }
  void cleanup() {
    FForm.reset();
    FHook = {};
    FSession.reset();
    SetUILanguage(TUILanguage::NotSet);
    ResetLetterMaps();
  }

  void ShowsTheStoredRecordWithApplyDisabled() {
    FSession->Source.SetFilterSettings({true, true, *FromQString("к*"), true, 3, 5});
    Open();
    QCOMPARE(FForm->windowTitle(), QString("Фильтр"));
    QVERIFY(On()->isChecked());
    QVERIFY(Find<QWidget>(kFilterPanel)->isVisible());
    QVERIFY(Find<QCheckBox>("cbPattern")->isChecked());
    QCOMPARE(Find<QLineEdit>(kPatternEdit)->text(), QString("к*"));
    QCOMPARE(From()->value(), 3);
    QCOMPARE(To()->value(), 5);
    QVERIFY(!ApplyButton()->isEnabled());

    // Off: the panel goes, and comes back with the switch.
    Find<QRadioButton>("rbOff")->click();
    QVERIFY(!Find<QWidget>(kFilterPanel)->isVisible());
    QVERIFY(ApplyButton()->isEnabled());
    On()->click();
    QVERIFY(Find<QWidget>(kFilterPanel)->isVisible());
  }

  void TheConditionsSwitchTheirControls() {
    Open();
    On()->click();
    auto* pattern = Find<QCheckBox>("cbPattern");
    QVERIFY(!Find<QLineEdit>(kPatternEdit)->isEnabled());
    pattern->click();
    QVERIFY(Find<QLineEdit>(kPatternEdit)->isEnabled());
    QTRY_VERIFY(Find<QLineEdit>(kPatternEdit)->hasFocus());
    for (const char* name : {"FromLabel", "ToLabel", "LettersLabel", kMinLengthEdit, kMaxLengthEdit})
      QVERIFY2(!Find<QWidget>(name)->isEnabled(), name);
    Find<QCheckBox>("cbLength")->click();
    for (const char* name : {"FromLabel", "ToLabel", "LettersLabel", kMinLengthEdit, kMaxLengthEdit})
      QVERIFY2(Find<QWidget>(name)->isEnabled(), name);
  }

  void TheRangeStaysOrdered() {
    Open();
    QCOMPARE(From()->minimum(), 1);
    QCOMPARE(From()->value(), 1);  // a new source's lengths of 0 show as the least
    To()->setValue(4);
    From()->setValue(7);
    QCOMPARE(To()->value(), 7);
    To()->setValue(2);
    QCOMPARE(From()->value(), 2);
    From()->setValue(200);
    QCOMPARE(From()->value(), 100);
  }

  void ApplyStoresTheRecordAndRefreshesOncePerDistinctRecord() {
    Open();
    SetFiveLetters();
    QVERIFY(ApplyButton()->isEnabled());
    ApplyButton()->click();
    QCOMPARE(FRefreshes, 1);
    QVERIFY(!ApplyButton()->isEnabled());
    QCOMPARE(FSession->Source.FilterSettings(), (TFilterSettings{true, false, "", true, 5, 5}));
    QCOMPARE(Shown(), (QStringList{"котёл", "лампа", "шалаш"}));

    // Switching the pattern on and off again leaves the same record: no second refresh.
    Find<QCheckBox>("cbPattern")->click();
    Find<QCheckBox>("cbPattern")->click();
    QVERIFY(ApplyButton()->isEnabled());
    ApplyButton()->click();
    QCOMPARE(FRefreshes, 1);

    // OK applies what Apply has not, then closes.
    Find<QCheckBox>("cbPattern")->click();
    Find<QLineEdit>(kPatternEdit)->setText("к*");
    Find<QPushButton>("ButtonOk")->click();
    QCOMPARE(FForm->result(), int(QDialog::Accepted));
    QVERIFY(!FForm->isVisible());
    QCOMPARE(FRefreshes, 2);
    QCOMPARE(Shown(), QStringList{"котёл"});
  }

  void OkWithNothingToApplyRefreshesNothing() {
    Open();
    Find<QPushButton>("ButtonOk")->click();
    QCOMPARE(FForm->result(), int(QDialog::Accepted));
    QCOMPARE(FRefreshes, 0);
  }

  void CancelAndEscapeCloseWithoutApplying() {
    for (const bool escape : {false, true}) {
      Open();
      SetFiveLetters();
      if (escape) {
        QTest::keyClick(To(), Qt::Key_Escape);
      } else {
        Find<QPushButton>("ButtonCancel")->click();
      }
      QCOMPARE(FForm->result(), int(QDialog::Rejected));
      QVERIFY(!FForm->isVisible());
      QCOMPARE(FRefreshes, 0);
      QCOMPARE(FSession->Source.FilterSettings(), TFilterSettings());
    }
  }

  void CaptionsFollowTheLanguage() {
    SetUILanguage(TUILanguage::English);
    Open();
    QCOMPARE(FForm->windowTitle(), QString("Filter"));
    QCOMPARE(On()->text(), QString("o&n"));
    QCOMPARE(ApplyButton()->text(), QString("Apply"));
    QCOMPARE(Find<QLabel>("LettersLabel")->text(), QString("characters"));
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TFilterFormTest)
#include "filter_form_test.moc"
