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
  ComboBox1->setCurrentIndex(0);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TStatForm::Recompute);
  FHook = FSource.OnChange.Subscribe([this](TResultSource&) {
    if (isVisible()) Recompute();
  });
  resize(fontMetrics().height() * QSize(56, 30));
  ComboBox1->setFocus();
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
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addAction(GraphPopupMenuLineItem);
  PopupMenu1->addAction(GraphPopupMenuColumnItem);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(GraphPopupMenuAllItem);
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
  ToolbarButton972 = new QToolButton(FToolBar);
  ToolbarButton972->setObjectName("ToolbarButton972");
  ToolbarButton972->setMenu(PopupMenu1);
  ToolbarButton972->setPopupMode(QToolButton::MenuButtonPopup);
  ToolbarButton972->setToolButtonStyle(Qt::ToolButtonTextOnly);
  connect(ToolbarButton972, &QToolButton::clicked, this, &TStatForm::NextChartStyle);
  FToolBar->addWidget(ToolbarButton972);
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
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  FStatisticLabel->setBuddy(ComboBox1);
  Chart1 = new TStatChart(this);
  Chart1->setObjectName("Chart1View");
  Chart1->setFocusPolicy(Qt::StrongFocus);
  Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Chart1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(Chart1->mapToGlobal(at)); });

  auto* top = new QHBoxLayout;
  top->addWidget(FStatisticLabel);
  top->addWidget(ComboBox1);
  top->addWidget(FToolBar, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->addLayout(top);
  column->addWidget(Chart1, 1);
  setTabOrder(ComboBox1, FToolBar);
  setTabOrder(FToolBar, Chart1);
}

void TStatForm::ApplyLanguage() {
  {
    const QSignalBlocker block(ComboBox1);
    const int index = std::max(0, ComboBox1->currentIndex());
    ComboBox1->clear();
    for (const char* key : kStatisticKeys) ComboBox1->addItem(Text(key));
    ComboBox1->setCurrentIndex(index);
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
  ToolbarButton972->setToolTip(Text("ChartStyleHint"));
  const QAction* style = PopupMenu1->actions().at(0)->actionGroup()->checkedAction();
  ToolbarButton972->setText(style->text());
  Chart1->SetAxisTitles(Text(FStatistic.IsLength ? "LengthAxisTitle" : "LetterAxisTitle"),
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
    Chart1->Clear();
    return;
  }
  const auto kind = static_cast<TStatisticKind>(std::max(0, ComboBox1->currentIndex()));
  FStatistic = ComputeStatistic(kind, FSource.View(), FCollection.Items());
  ApplyOrder(FStatistic, FOrder);
  Fill();
  ShowCaption();
}

void TStatForm::Fill() {
  Chart1->SetPoints(ChartPoints(FStatistic),
                    Text(FStatistic.IsLength ? "LengthAxisTitle" : "LetterAxisTitle"),
                    Text("ValueAxisTitle"));
}

void TStatForm::ShowCaption() {
  setWindowTitle(Text("Caption") + QStringLiteral(" :  ") + ComboBox1->currentText());
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
  Chart1->SetStyle(style);
  const QAction* checked = GraphPopupMenuLineItem->actionGroup()->checkedAction();
  ToolbarButton972->setText(checked->text());
}

void TStatForm::MarksChanged() {
  Chart1->SetMarkMode(GraphPopupMenuPercentItem->isChecked() ? TMarkMode::Percent
                                                             : TMarkMode::Values);
  Chart1->SetMarksVisible(GraphPopupMenuDataValuesItem->isChecked());
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
    svg.setSize(Chart1->size());
    svg.setViewBox(QRect(QPoint(0, 0), Chart1->size()));
    svg.setTitle(windowTitle());
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      Chart1->render(&painter);
      written = painter.end();
    }
  } else {
    written = Chart1->grab().toImage().save(&file, "PNG");
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
