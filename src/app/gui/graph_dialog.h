// The distribution graph "Gráfica": one bar per day of the period, the
// five-day moving average, the day and month marks, the statistics line, the
// title and the range, drawn from the core's figures. Drawn as lines and
// text, so that it is sharp on any screen, printer or PDF; it can be printed
// and saved as PNG and PDF.
#pragma once

#include <QDialog>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

#include "analyses/distribution_graph_figures.h"

namespace quirovel {

// Paints the graph into a width x height area at the painter's origin.
void PaintGraph(QPainter& painter, const GraphFigures& figures, int width, int height);

class GraphView final : public QWidget {
 public:
  GraphView(GraphFigures figures, QWidget* parent);
  const GraphFigures& figures() const { return figures_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GraphFigures figures_;
};

class GraphDialog final : public QDialog {
  Q_OBJECT

 public:
  GraphDialog(GraphFigures figures, QWidget* parent = nullptr);

  const GraphFigures& figures() const { return view_->figures(); }
  // The statistics line as the dialog shows it.
  QString StatisticsText() const;
  // The graph at the view's size, `scale` times as many pixels.
  QImage Render(qreal scale) const;
  bool SavePng(const QString& path) const;
  bool SavePdf(const QString& path) const;
  void Print();

 private:
  void SaveAs();

  GraphView* view_;
};

// Shows the graph of a histogram (nothing while it has no bars); the dialog
// deletes itself when closed.
GraphDialog* ShowGraph(const UncodedHistogram& histogram, const char* title, QWidget* parent);

}  // namespace quirovel
