#include "gui/equal_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/text.h"
#include "results/language.h"
#include "support/text.h"

namespace gryvel::gui {

namespace {

using testing::Cp;

}  // namespace

class TEqualFormTest : public QObject {
  Q_OBJECT

 private:
  static QLineEdit* Edit(const TEqualForm& form, const char* name) {
    return form.findChild<QLineEdit*>(name);
  }

 private Q_SLOTS:
  void cleanup() { SetUILanguage(TUILanguage::NotSet); }

  void TheModeNamesTheDialogAndTheFieldsStartFromTheGroup() {
    SetUILanguage(TUILanguage::Russian);
    const TEqualForm add(TEqualForm::kAdd, {});
    QCOMPARE(add.windowTitle(), QString("Добавить эквиваленты"));
    QCOMPARE(add.findChild<QLabel*>("LettersLabel")->text(), QString("Буквы:"));
    QCOMPARE(Edit(add, "LettersEdit")->text(), QString());
    const TEqualForm change(TEqualForm::kChange, {Cp("ЕЁ"), Cp("Е")[0], false});
    QCOMPARE(change.windowTitle(), QString("Изменить эквиваленты"));
    QCOMPARE(Edit(change, "LettersEdit")->text(), QString("ЕЁ"));
    QCOMPARE(Edit(change, "EquivalentEdit")->text(), QString("Е"));
    SetUILanguage(TUILanguage::English);
    const TEqualForm english(TEqualForm::kAdd, {});
    QCOMPARE(english.windowTitle(), QString("Add equal letters"));
    QCOMPARE(english.findChild<QPushButton*>("ButtonCancel")->text(), QString("Cancel"));
  }

  // A window manager shows the title in bold beside an icon and three buttons and does not
  // widen the window for it: at its first size the dialog leaves room for all of them (a
  // window manager's title bar takes about six lines' worth of width beside the title).
  void TheFirstSizeFitsTheTitle() {
    for (TUILanguage language : {TUILanguage::Russian, TUILanguage::English}) {
      SetUILanguage(language);
      for (TEqualForm::TMode mode : {TEqualForm::kAdd, TEqualForm::kChange}) {
        TEqualForm form(mode, {});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QFont bold = form.font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const int needed = metrics.horizontalAdvance(form.windowTitle()) + 6 * metrics.height();
        QVERIFY2(form.width() >= needed,
                 qPrintable(QStringLiteral("%1: %2 < %3")
                                .arg(form.windowTitle())
                                .arg(form.width())
                                .arg(needed)));
      }
    }
  }

  void OkGivesTheActiveGroupOrNothingForAnEmptyField() {
    const struct {
      const char* Letters;
      const char* Equivalent;
      bool Result;
    } cases[] = {{"ЕЁ", "е", true}, {"ЕЁ", "", false}, {"", "е", false}};
    for (const auto& c : cases) {
      TEqualForm form(TEqualForm::kAdd, {});
      form.show();
      Edit(form, "LettersEdit")->insert(QString::fromUtf8(c.Letters));
      Edit(form, "EquivalentEdit")->insert(QString::fromUtf8(c.Equivalent));
      form.findChild<QPushButton*>("ButtonOk")->click();
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Result().has_value(), c.Result);
      if (c.Result) {
        QCOMPARE(*form.Result(), (TEqualLetters{Cp("ЕЁ"), Cp("е")[0], true}));
      }
    }
  }

  void TheEquivalentIsOneCharacterAndTheCodePageHoldsWhatIsTyped() {
    TEqualForm form(TEqualForm::kAdd, {});
    form.show();
    QTest::keyClicks(Edit(form, "EquivalentEdit"), QString("xy"));
    QCOMPARE(Edit(form, "EquivalentEdit")->text(), QString("x"));
    Edit(form, "LettersEdit")->insert(QString::fromUtf8("ёж"));
    Edit(form, "LettersEdit")->insert(QString::fromUtf8("a日b"));  // refused whole
    QCOMPARE(Edit(form, "LettersEdit")->text(), QString("ёж"));
  }

  void EscapeCancels() {
    TEqualForm form(TEqualForm::kChange, {"ab", 'c', true});
    form.show();
    QTest::keyClick(Edit(form, "LettersEdit"), Qt::Key_Escape);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.Result());
  }
};

}  // namespace gryvel::gui

QTEST_MAIN(gryvel::gui::TEqualFormTest)
#include "equal_form_test.moc"
