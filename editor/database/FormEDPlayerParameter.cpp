#include "editor/database/FormEDPlayerParameter.h"

#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <chrono>
#include <cstring>

#include "database/ActorPageKit.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

const char* const kParameterNames[kParameterCount] = {"Maximum HP", "Maximum MP",   "Attack",
                                                      "Defense",    "Intelligence", "Agility"};
const char* const kGrades[4] = {"Outstanding", "Above Average", "Average", "Below Average"};

TRandom& QuickRandom() {
  static TRandom random =
      SeededRandom(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return random;
}

}  // namespace

void TFormEDPlayerParameter::SetRandom(TRandom random) { QuickRandom() = std::move(random); }

TFormEDPlayerParameter::TFormEDPlayerParameter(const uint16_t (&curves)[kCurveElements], int parameter, QWidget* owner)
    : QDialog(owner) {
  std::memcpy(curves_, curves, sizeof curves_);
  setWindowTitle("Parameter Progression");
  setObjectName("FormEDPlayerParameter");
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabBar(this);
  for (const char* name : kParameterNames) tabs_->addTab(name);
  layout->addWidget(tabs_);
  graph_ = new TCurveGraph(*this, this);
  layout->addWidget(graph_);
  pointer_ = new QLabel(this);
  pointer_->setObjectName("PointerValue");
  layout->addWidget(pointer_);

  auto* tools = new QHBoxLayout;
  auto* endpoints = new QPushButton("Specify Endpoints", this);
  tools->addWidget(endpoints);
  auto* quick = new QGroupBox("QuickCurve", this);
  auto* quickRow = new QHBoxLayout(quick);
  for (int g = 0; g < 4; ++g) {
    auto* button = new QPushButton(kGrades[g], quick);
    quickRow->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, g] { Quick(static_cast<TQuickCurve>(g)); });
  }
  tools->addWidget(quick, 1);
  layout->addLayout(tools);
  layout->addWidget(MakeDialogButtons(this, {}));

  connect(tabs_, &QTabBar::currentChanged, this, [this](int p) { SelectParameter(p); });
  connect(endpoints, &QPushButton::clicked, this, [this] { RunEndpoints(); });
  SelectParameter(parameter);
}

void TFormEDPlayerParameter::SelectParameter(int parameter) {
  parameter_ = std::clamp(parameter, 0, kParameterCount - 1);
  if (tabs_->currentIndex() != parameter_) tabs_->setCurrentIndex(parameter_);
  Shown();
}

void TFormEDPlayerParameter::PointerAt(int x, int y, bool drawing, bool fromPrevious) {
  level_ = CurveLevelAt(x);
  if (drawing) {
    if (fromPrevious)
      DrawCurveStroke(curves_, parameter_, lastX_, lastY_, x, y);
    else
      DrawCurveStroke(curves_, parameter_, x, y, x, y);
  }
  lastX_ = x;
  lastY_ = y;
  Shown();
}

void TFormEDPlayerParameter::SpecifyEndpoints(int level1Value, int level99Value, int accelerate) {
  CurveFromEndpoints(curves_, parameter_, level1Value, level99Value, accelerate);
  Shown();
}

void TFormEDPlayerParameter::Quick(TQuickCurve grade) {
  QuickCurve(curves_, parameter_, grade, QuickRandom());
  Shown();
}

QString TFormEDPlayerParameter::PointerText() const {
  return QString("%1  Level %2 : %3")
      .arg(kParameterNames[parameter_])
      .arg(level_)
      .arg(curves_[parameter_ * kMaxHeroLevel + level_ - 1]);
}

void TFormEDPlayerParameter::Shown() {
  graph_->SetLevel(level_);
  pointer_->setText(PointerText());
  graph_->update();
}

void TFormEDPlayerParameter::RunEndpoints() {
  QDialog dialog(this);
  dialog.setWindowTitle("Specify Endpoints");
  auto* form = new QFormLayout(&dialog);
  const int low = ParameterMinimum(parameter_), high = ParameterMaximum(parameter_);
  auto* first = new QSpinBox(&dialog);
  auto* last = new QSpinBox(&dialog);
  for (auto [box, level] : {std::pair{first, 1}, std::pair{last, kMaxHeroLevel}}) {
    box->setRange(low, high);
    box->setValue(std::clamp<int>(curves_[parameter_ * kMaxHeroLevel + level - 1], low, high));
  }
  form->addRow("Level 1", first);
  form->addRow("Level 99", last);
  auto* growth = new QSlider(Qt::Horizontal, &dialog);
  growth->setRange(-2, 8);
  growth->setValue(accelerate_);
  growth->setTickPosition(QSlider::TicksBelow);
  auto* marks = new QHBoxLayout;
  marks->addWidget(new QLabel("Early", &dialog));
  marks->addStretch(1);
  marks->addWidget(new QLabel("Equal", &dialog));
  marks->addStretch(4);
  marks->addWidget(new QLabel("Late", &dialog));
  form->addRow("Accelerate Growth", growth);
  form->addRow("", marks);
  form->addRow(MakeDialogButtons(&dialog, {}));
  if (dialog.exec() != QDialog::Accepted) return;
  accelerate_ = growth->value();
  SpecifyEndpoints(first->value(), last->value(), accelerate_);
}

TCurveGraph::TCurveGraph(TFormEDPlayerParameter& window, QWidget* parent) : QWidget(parent), window_(window) {
  setObjectName("CurveGraph");
  setFixedSize(kCurveGraphWidth, kCurveGraphHeight);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
}

void TCurveGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  const int parameter = window_.Parameter();
  const uint16_t* row = window_.Curves() + parameter * kMaxHeroLevel;
  for (int level = 1; level <= kMaxHeroLevel; ++level) {
    const int bar = std::min(CurveBarHeight(parameter, row[level - 1]), kCurveGraphHeight);
    const QColor colour = level == level_ ? QColor(255, 255, 128) : QColor(64, 160, 255);
    p.fillRect((level - 1) * kCurveBarWidth, kCurveGraphHeight - bar, kCurveBarWidth - 1, bar, colour);
  }
}

void TCurveGraph::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  window_.PointerAt(at.x(), at.y(), event->button() == Qt::LeftButton, false);
}

void TCurveGraph::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  window_.PointerAt(at.x(), at.y(), event->buttons().testFlag(Qt::LeftButton), true);
}

}  // namespace tess
