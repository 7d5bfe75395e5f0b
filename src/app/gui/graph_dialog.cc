#include "app/gui/graph_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "app/gui/text_codec.h"

namespace quirovel {
namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 520;

// Draws at the logical size of the view into any page, keeping its shape.
void PaintScaled(QPainter& painter, const GraphFigures& figures, const QRectF& page) {
  const qreal scale = std::min(page.width() / kWidth, page.height() / kHeight);
  painter.save();
  painter.translate(page.topLeft());
  painter.scale(scale, scale);
  PaintGraph(painter, figures, kWidth, kHeight);
  painter.restore();
}

}  // namespace

void PaintGraph(QPainter& p, const GraphFigures& f, int width, int height) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(QRectF(0, 0, width, height), Qt::white);
  const GraphLayout l = LayOutGraph(f, width, height);
  const qreal right = l.left + l.bar_width * static_cast<qreal>(f.bars.size());

  QFont title_font(QStringLiteral("Arial"), 14);
  title_font.setStyleHint(QFont::SansSerif);
  title_font.setPixelSize(18);
  QFont small_font(QStringLiteral("Arial"), 8);
  small_font.setStyleHint(QFont::SansSerif);
  small_font.setPixelSize(11);

  p.setPen(Qt::black);
  p.setFont(title_font);
  p.drawText(QPointF(l.left, 24), ToQString(f.title));
  p.setFont(small_font);
  p.drawText(QPointF(l.left, 44), ToQString(f.range_text));
  p.drawText(QPointF(l.left, 64), ToQString(f.statistics));

  // The scale: a mark and its value every S up to T.
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(l.left, l.baseline), QPointF(right, l.baseline));
  p.drawLine(QPointF(l.left, l.baseline), QPointF(l.left, l.baseline - f.top * l.pixels_per_count));
  QPen grid(QColor(220, 220, 220), 1, Qt::DotLine);
  for (const GraphScaleMark& m : f.scale) {
    const qreal y = l.baseline - m.value * l.pixels_per_count;
    p.setPen(grid);
    p.drawLine(QPointF(l.left, y), QPointF(right, y));
    p.setPen(Qt::black);
    p.drawLine(QPointF(l.left - 4, y), QPointF(l.left, y));
    p.drawText(QRectF(0, y - 8, l.left - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
               ToQString(m.label).trimmed());
  }

  // The bars, each day in its own shade, with the day and month marks under them.
  for (std::size_t i = 0; i < f.bars.size(); ++i) {
    const GraphBar& b = f.bars[i];
    const qreal x = l.left + l.bar_width * static_cast<qreal>(i);
    const qreal h = b.count * l.pixels_per_count;
    if (h > 0)
      p.fillRect(QRectF(x, l.baseline - h, l.bar_width, h), QColor(b.red, b.green, b.blue));
    if (b.mark == GraphMark::kNone) continue;
    const qreal mark = b.mark == GraphMark::kLong ? 14 : 6;
    p.setPen(Qt::black);
    p.drawLine(QPointF(x, l.baseline), QPointF(x, l.baseline + mark));
    if (!b.label.empty())
      p.drawText(QPointF(x + 2, l.baseline + (b.mark == GraphMark::kLong ? 26 : 18)),
                 ToQString(b.label));
  }

  // The five-day moving average.
  if (f.average.size() > 1) {
    QPainterPath line;
    for (std::size_t i = 0; i < f.average.size(); ++i) {
      const GraphPoint& pt = f.average[i];
      const QPointF at(l.left + l.bar_width * (pt.bar + 0.5),
                       l.baseline - pt.count * l.pixels_per_count);
      if (i == 0)
        line.moveTo(at);
      else
        line.lineTo(at);
    }
    p.setPen(QPen(QColor(0xC0, 0x80, 0xC0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
  }
  p.restore();
}

GraphView::GraphView(GraphFigures figures, QWidget* parent)
    : QWidget(parent), figures_(std::move(figures)) {
  setMinimumSize(kWidth / 2, kHeight / 2);
  resize(kWidth, kHeight);
}

void GraphView::paintEvent(QPaintEvent*) {
  // Painted at the widget's logical size: Qt maps it onto the screen's pixels.
  QPainter painter(this);
  PaintGraph(painter, figures_, width(), height());
}

GraphDialog::GraphDialog(GraphFigures figures, QWidget* parent) : QDialog(parent) {
  setWindowTitle(ToQString("Gráfica"_cp));
  view_ = new GraphView(std::move(figures), this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
  auto* print = buttons->addButton(QStringLiteral("&Imprimir"), QDialogButtonBox::ActionRole);
  auto* save = buttons->addButton(QStringLiteral("&Guardar..."), QDialogButtonBox::ActionRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(print, &QPushButton::clicked, this, &GraphDialog::Print);
  connect(save, &QPushButton::clicked, this, &GraphDialog::SaveAs);
  resize(kWidth + 24, kHeight + 60);
}

QString GraphDialog::StatisticsText() const { return ToQString(figures().statistics); }

QImage GraphDialog::Render(qreal scale) const {
  const QSize size = view_->size().isEmpty() ? QSize(kWidth, kHeight) : view_->size();
  QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  QPainter painter(&image);
  PaintGraph(painter, figures(), size.width(), size.height());
  return image;
}

bool GraphDialog::SavePng(const QString& path) const {
  return Render(std::max<qreal>(2, devicePixelRatioF())).save(path, "PNG");
}

bool GraphDialog::SavePdf(const QString& path) const {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(QPageLayout::Landscape);
  writer.setResolution(300);
  writer.setTitle(ToQString(figures().title));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  PaintScaled(painter, figures(), QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height())));
  return painter.end();
}

void GraphDialog::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("No se puede imprimir"));
    return;
  }
  PaintScaled(painter, figures(),
              QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()));
  painter.end();
}

void GraphDialog::SaveAs() {
  QString filter;
  const QString path = QFileDialog::getSaveFileName(
      this, ToQString("Guardar la gráfica"_cp), QStringLiteral("grafica.png"),
      QStringLiteral("Imagen PNG (*.png);;Documento PDF (*.pdf)"), &filter);
  if (path.isEmpty()) return;
  const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ||
                   (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) &&
                    filter.contains(QStringLiteral("pdf")));
  if (!(pdf ? SavePdf(path) : SavePng(path)))
    QMessageBox::warning(this, windowTitle(), QStringLiteral("No se puede guardar ") + path);
}

GraphDialog* ShowGraph(const UncodedHistogram& histogram, const char* title, QWidget* parent) {
  if (histogram.bars == 0) return nullptr;
  auto* dialog = new GraphDialog(ComputeGraphFigures(histogram, title), parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  return dialog;
}

}  // namespace quirovel
