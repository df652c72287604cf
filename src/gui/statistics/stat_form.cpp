#include "gui/statistics/stat_form.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "dictionary/dictionary_collection.h"
#include "gui/dialogs.h"
#include "gui/help_window.h"
#include "gui/icons.h"
#include "gui/statistics/stat_chart.h"
#include "gui/text.h"
#include "results/language.h"
#include "results/result_source.h"

namespace gryvel::gui {

namespace {

constexpr const char* kStatisticKeys[] = {"LengthItem", "FirstLettersItem", "UniqueLettersItem",
                                          "AllLettersItem"};

QString Text(std::string_view key) {
  return ToQString(WindowText(TWindowTexts::Statistics, key));
}

// An icon of the desktop theme, or none, so that the button shows its text.
QIcon ThemeIcon(const char* name) {
  return QIcon::fromTheme(QString::fromLatin1(name));
}

QAction* MakeAction(QObject* owner, const char* object_name, QActionGroup* group = nullptr) {
  auto* action = new QAction(owner);
  action->setObjectName(object_name);
  if (group != nullptr) {
    action->setCheckable(true);
    group->addAction(action);
  }
  return action;
}

}  // namespace

TStatForm::TStatForm(TResultSource& source, TDictionaryCollection& collection, QWidget* parent)
    : QWidget(parent, Qt::Window), FSource(source), FCollection(collection) {
  setObjectName("StatForm");
  BuildActions();
  BuildMenus();
  BuildToolBar();
  BuildLayout();
  ApplyLanguage();
  StatisticCombo->setCurrentIndex(0);
  connect(StatisticCombo, &QComboBox::currentIndexChanged, this, &TStatForm::Recompute);
  FHook = FSource.OnChange.Subscribe([this](TResultSource&) {
    if (isVisible()) Recompute();
  });
  resize(fontMetrics().height() * QSize(56, 30));
  StatisticCombo->setFocus();
  AddHelpKey(*this, [] { return QStringLiteral("statistics"); });
}

TStatForm::~TStatForm() = default;

void TStatForm::BuildActions() {
  auto* orders = new QActionGroup(this);
  tbAlpha = MakeAction(this, "tbAlpha", orders);
  tbDecrease = MakeAction(this, "tbDecrease", orders);
  tbIncrease = MakeAction(this, "tbIncrease", orders);
  tbAlpha->setChecked(true);
  tbAlpha->setIcon(Icon(TIcon::SortAlphabetical));
  tbDecrease->setIcon(Icon(TIcon::SortDescending));
  tbIncrease->setIcon(Icon(TIcon::SortAscending));
  connect(tbAlpha, &QAction::triggered, this, [this] { SetOrder(TStatOrder::ByCategory); });
  connect(tbDecrease, &QAction::triggered, this,
          [this] { SetOrder(TStatOrder::ByValueDescending); });
  connect(tbIncrease, &QAction::triggered, this,
          [this] { SetOrder(TStatOrder::ByValueAscending); });

  auto* styles = new QActionGroup(this);
  GraphPopupMenuLineItem = MakeAction(this, "GraphPopupMenuLineItem", styles);
  GraphPopupMenuColumnItem = MakeAction(this, "GraphPopupMenuColumnItem", styles);
  GraphPopupMenuAllItem = MakeAction(this, "GraphPopupMenuAllItem", styles);
  GraphPopupMenuLineItem->setChecked(true);
  for (QAction* style : styles->actions())
    connect(style, &QAction::triggered, this, &TStatForm::ChartStyleChosen);

  auto* modes = new QActionGroup(this);
  GraphPopupMenuValuesItem = MakeAction(this, "GraphPopupMenuValuesItem", modes);
  GraphPopupMenuPercentItem = MakeAction(this, "GraphPopupMenuPercentItem", modes);
  GraphPopupMenuValuesItem->setChecked(true);
  GraphPopupMenuDataValuesItem = MakeAction(this, "GraphPopupMenuDataValuesItem");
  GraphPopupMenuDataValuesItem->setCheckable(true);
  GraphPopupMenuDataValuesItem->setChecked(true);
  GraphPopupMenuDataValuesItem->setIcon(ThemeIcon("insert-text"));
  for (QAction* marks :
       {GraphPopupMenuValuesItem, GraphPopupMenuPercentItem, GraphPopupMenuDataValuesItem})
    connect(marks, &QAction::triggered, this, &TStatForm::MarksChanged);

  tbMainForm = MakeAction(this, "tbMainForm");
  tbMainForm->setIcon(Icon(TIcon::Application));
  connect(tbMainForm, &QAction::triggered, this, &TStatForm::BackToMainForm);
  FSaveImageItem = MakeAction(this, "SaveImageItem");
  FSaveImageItem->setIcon(ThemeIcon("document-save"));
  FSaveImageItem->setShortcut(QKeySequence::Save);
  FSaveImageItem->setShortcutContext(Qt::WindowShortcut);
  addAction(FSaveImageItem);
  connect(FSaveImageItem, &QAction::triggered, this, &TStatForm::SaveImage);
}

void TStatForm::BuildMenus() {
  ChartStyleMenu = new QMenu(this);
  ChartStyleMenu->setObjectName("PopupMenu1");
  ChartStyleMenu->addAction(GraphPopupMenuLineItem);
  ChartStyleMenu->addAction(GraphPopupMenuColumnItem);
  ChartStyleMenu->addSeparator();
  ChartStyleMenu->addAction(GraphPopupMenuAllItem);
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  PopupMenu2->addAction(GraphPopupMenuValuesItem);
  PopupMenu2->addAction(GraphPopupMenuPercentItem);
  PopupMenu2->addSeparator();
  PopupMenu2->addAction(GraphPopupMenuDataValuesItem);
  PopupMenu2->addSeparator();
  PopupMenu2->addAction(FSaveImageItem);
}

// The buttons take the focus by Tab, so the window works from the keyboard alone.
void TStatForm::BuildToolBar() {
  FToolBar = new QToolBar(this);
  FToolBar->setObjectName("ToolBar1");
  FToolBar->addAction(GraphPopupMenuDataValuesItem);
  ChartStyleButton = new QToolButton(FToolBar);
  ChartStyleButton->setObjectName("ToolbarButton972");
  ChartStyleButton->setMenu(ChartStyleMenu);
  ChartStyleButton->setPopupMode(QToolButton::MenuButtonPopup);
  ChartStyleButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
  connect(ChartStyleButton, &QToolButton::clicked, this, &TStatForm::NextChartStyle);
  FToolBar->addWidget(ChartStyleButton);
  FToolBar->addSeparator();
  FToolBar->addActions({tbAlpha, tbDecrease, tbIncrease});
  FToolBar->addSeparator();
  FToolBar->addActions({FSaveImageItem, tbMainForm});
  const std::pair<QAction*, const char*> names[] = {{GraphPopupMenuDataValuesItem, "tbShowMarks"},
                                                    {tbAlpha, "tbAlphaButton"},
                                                    {tbDecrease, "tbDecreaseButton"},
                                                    {tbIncrease, "tbIncreaseButton"},
                                                    {FSaveImageItem, "tbSaveImage"},
                                                    {tbMainForm, "tbMainFormButton"}};
  for (const auto& [action, name] : names) FToolBar->widgetForAction(action)->setObjectName(name);
  for (QToolButton* button : FToolBar->findChildren<QToolButton*>())
    button->setFocusPolicy(Qt::TabFocus);
}

void TStatForm::BuildLayout() {
  FStatisticLabel = new QLabel(this);
  FStatisticLabel->setObjectName("StatisticLabel");
  StatisticCombo = new QComboBox(this);
  StatisticCombo->setObjectName("ComboBox1");
  StatisticCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  FStatisticLabel->setBuddy(StatisticCombo);
  Chart = new TStatChart(this);
  Chart->setObjectName("Chart1View");
  Chart->setFocusPolicy(Qt::StrongFocus);
  Chart->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Chart, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(Chart->mapToGlobal(at)); });

  auto* top = new QHBoxLayout;
  top->addWidget(FStatisticLabel);
  top->addWidget(StatisticCombo);
  top->addWidget(FToolBar, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addLayout(top);
  column->addWidget(Chart, 1);
  setTabOrder(StatisticCombo, FToolBar);
  setTabOrder(FToolBar, Chart);
}

void TStatForm::ApplyLanguage() {
  {
    const QSignalBlocker block(StatisticCombo);
    const int index = std::max(0, StatisticCombo->currentIndex());
    StatisticCombo->clear();
    for (const char* key : kStatisticKeys) StatisticCombo->addItem(Text(key));
    StatisticCombo->setCurrentIndex(index);
  }
  FStatisticLabel->setText(Text("StatisticLabel"));
  const std::pair<QAction*, const char*> captions[] = {
      {GraphPopupMenuLineItem, "LineItem"},
      {GraphPopupMenuColumnItem, "ColumnItem"},
      {GraphPopupMenuAllItem, "AllItem"},
      {GraphPopupMenuValuesItem, "ValuesItem"},
      {GraphPopupMenuPercentItem, "PercentItem"},
      {GraphPopupMenuDataValuesItem, "DataValuesItem"},
      {tbAlpha, "ByCategoryHint"},
      {tbDecrease, "DescendingHint"},
      {tbIncrease, "AscendingHint"},
      {tbMainForm, "MainFormHint"},
      {FSaveImageItem, "SaveImageItem"}};
  for (const auto& [action, key] : captions) action->setText(Text(key));
  ChartStyleButton->setToolTip(Text("ChartStyleHint"));
  const QAction* style = ChartStyleMenu->actions().at(0)->actionGroup()->checkedAction();
  ChartStyleButton->setText(style->text());
  Chart->SetAxisTitles(Text(FStatistic.IsLength ? "LengthAxisTitle" : "LetterAxisTitle"),
                        Text("ValueAxisTitle"));
  if (FStatistic.Records.empty()) {
    setWindowTitle(Text("Caption"));
  } else {
    ShowCaption();
  }
}

void TStatForm::Recompute() {
  if (FSource.View().empty()) {
    FStatistic = {};
    Chart->Clear();
    return;
  }
  const auto kind = static_cast<TStatisticKind>(std::max(0, StatisticCombo->currentIndex()));
  FStatistic = ComputeStatistic(kind, FSource.View(), FCollection.Items());
  ApplyOrder(FStatistic, FOrder);
  Fill();
  ShowCaption();
}

void TStatForm::Fill() {
  Chart->SetPoints(ChartPoints(FStatistic),
                    Text(FStatistic.IsLength ? "LengthAxisTitle" : "LetterAxisTitle"),
                    Text("ValueAxisTitle"));
}

void TStatForm::ShowCaption() {
  setWindowTitle(Text("Caption") + QStringLiteral(" :  ") + StatisticCombo->currentText());
}

void TStatForm::SetOrder(TStatOrder order) {
  FOrder = order;
  ApplyOrder(FStatistic, order);
  Fill();
}

// The chart-style button moves on to the next style, wrapping from the last to the first.
void TStatForm::NextChartStyle() {
  const QList<QAction*> styles = {GraphPopupMenuLineItem, GraphPopupMenuColumnItem,
                                  GraphPopupMenuAllItem};
  const qsizetype checked = styles.indexOf(styles.front()->actionGroup()->checkedAction());
  styles[(checked + 1) % styles.size()]->trigger();
}

void TStatForm::ChartStyleChosen() {
  const TChartStyle style = GraphPopupMenuColumnItem->isChecked() ? TChartStyle::Column
                            : GraphPopupMenuAllItem->isChecked()  ? TChartStyle::All
                                                                  : TChartStyle::Line;
  Chart->SetStyle(style);
  const QAction* checked = GraphPopupMenuLineItem->actionGroup()->checkedAction();
  ChartStyleButton->setText(checked->text());
}

void TStatForm::MarksChanged() {
  Chart->SetMarkMode(GraphPopupMenuPercentItem->isChecked() ? TMarkMode::Percent
                                                             : TMarkMode::Values);
  Chart->SetMarksVisible(GraphPopupMenuDataValuesItem->isChecked());
}

void TStatForm::BackToMainForm() {
  Q_EMIT MainFormRequested();
  if (QWidget* owner = parentWidget(); owner != nullptr) {
    owner->window()->raise();
    owner->window()->activateWindow();
  }
}

void TStatForm::SaveImage() {
  QString chosen;
  QString name = Dialogs().SaveFileName(
      this, FSaveImageItem->text().remove(u'&'), QString(),
      QtFileFilter(WindowText(TWindowTexts::Statistics, "ImageFilter")), &chosen);
  if (name.isEmpty()) return;
  if (QFileInfo(name).suffix().isEmpty())
    name += chosen.contains(QLatin1String("svg"), Qt::CaseInsensitive) ? ".svg" : ".png";
  if (SaveImageTo(name)) return;
  TMessage message;
  // A name the code page cannot hold is left out of the message.
  const QString text = Text("SaveImageErrorLabel");
  message.Text = FromQString(QString(text).replace("{file}", name))
                     .value_or(*FromQString(QString(text).replace("{file}", "")));
  message.Kind = TMessageKind::Error;
  Dialogs().Ask(this, message);
}

bool TStatForm::SaveImageTo(const QString& file_name) {
  QSaveFile file(file_name);
  if (!file.open(QIODevice::WriteOnly)) return false;
  bool written = false;
  if (QFileInfo(file_name).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(Chart->size());
    svg.setViewBox(QRect(QPoint(0, 0), Chart->size()));
    svg.setTitle(windowTitle());
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      Chart->render(&painter);
      written = painter.end();
    }
  } else {
    written = Chart->grab().toImage().save(&file, "PNG");
  }
  if (!written) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void TStatForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  Recompute();
  Q_EMIT VisibilityChanged(true);
}

void TStatForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) Q_EMIT VisibilityChanged(false);
}

void TStatForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace gryvel::gui
