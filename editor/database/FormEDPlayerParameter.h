#pragma once
// "Parameter Progression": the six parameter curves of a hero or class on a copy, drawn as 99 bars
// on a 250-pixel graph. The author draws by hand (the levels between two pointer positions take
// the values between), fills a curve from its end points ("Specify Endpoints") or at random
// ("QuickCurve"). The caller takes the curves after OK.

#include <QDialog>

#include "database/LD_Player.h"

class QLabel;
class QTabBar;

namespace tess {

class TCurveGraph;

class TFormEDPlayerParameter final : public QDialog {
  Q_OBJECT
 public:
  TFormEDPlayerParameter(const uint16_t (&curves)[kCurveElements], int parameter, QWidget* owner = nullptr);

  const uint16_t (&Curves() const)[kCurveElements] { return curves_; }
  int Parameter() const { return parameter_; }
  void SelectParameter(int parameter);
  // What the graph does: the pointer at (x, y) selects its level; with the left button held it
  // draws from the previous position.
  void PointerAt(int x, int y, bool drawing, bool fromPrevious);
  // "Specify Endpoints" and "QuickCurve" on the shown parameter.
  void SpecifyEndpoints(int level1Value, int level99Value, int accelerate);
  void Quick(TQuickCurve grade);
  QString PointerText() const;
  TCurveGraph* Graph() const { return graph_; }

  // The generator quick curves draw from, process-wide; a test fixes it with a seeded one.
  static void SetRandom(TRandom random);

 private:
  void RunEndpoints();
  void Shown();

  uint16_t curves_[kCurveElements];
  int parameter_ = 0;
  int level_ = 1;
  int lastX_ = 0, lastY_ = 0;
  TCurveGraph* graph_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QLabel* pointer_ = nullptr;
  int accelerate_ = 3;
};

// The graph of one curve: 99 bars 5 pixels wide on 250 pixels, the selected level marked.
class TCurveGraph final : public QWidget {
  Q_OBJECT
 public:
  explicit TCurveGraph(TFormEDPlayerParameter& window, QWidget* parent = nullptr);
  void SetLevel(int level) { level_ = level; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  TFormEDPlayerParameter& window_;
  int level_ = 0;
};

}  // namespace tess
