#include "app/gui/manual_pdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace quirovel {
namespace {

constexpr double kPictureWidth = 600;  // points of the document's layout: the text's width

}  // namespace

bool WriteManualPdf(const QString& markdown_path, const QString& pdf_path) {
  QFile in(markdown_path);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QString text = QString::fromUtf8(in.readAll());
  QTextDocument document;
  // Pictures are named relative to the text; they are loaded beforehand, as a
  // plain document does not read files by itself.
  const QDir base = QFileInfo(markdown_path).absoluteDir();
  QHash<QString, double> heights;  // each picture's height at the text's width
  document.setBaseUrl(QUrl::fromLocalFile(base.absolutePath() + "/"));
  static const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
  for (auto it = picture.globalMatch(text); it.hasNext();) {
    const QString name = it.next().captured(1);
    const QImage image(base.absoluteFilePath(name));
    if (image.isNull()) continue;
    // Looked up by the name resolved against the base, as the document does.
    document.addResource(QTextDocument::ImageResource,
                         QUrl::fromLocalFile(QDir::cleanPath(base.absoluteFilePath(name))), image);
    heights[name] = kPictureWidth * image.height() / image.width();
  }
  document.setMarkdown(text);
  // Every picture as wide as the text: the places first, then the formats,
  // so that no fragment changes under the walk.
  struct Place {
    int position, length;
    QTextImageFormat format;
  };
  QList<Place> places;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto f = block.begin(); !f.atEnd(); ++f) {
      const QTextCharFormat format = f.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      QTextImageFormat image = format.toImageFormat();
      if (!heights.contains(image.name())) continue;
      image.setWidth(kPictureWidth);
      image.setHeight(heights[image.name()]);
      places.append({f.fragment().position(), f.fragment().length(), image});
    }
  }
  QTextCursor cursor(&document);
  for (const Place& place : places) {
    cursor.setPosition(place.position);
    cursor.setPosition(place.position + place.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(place.format);
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf_path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
  printer.setDocName(QStringLiteral("Quirovel: manual de uso"));
  // Paginated here, so that printing uses this document and its pictures
  // rather than a copy without them.
  const QSizeF page = printer.pageLayout().paintRectPoints().size();
  document.setPageSize(QSizeF(page.width() * 96 / 72, page.height() * 96 / 72));
  document.print(&printer);
  return QFileInfo(pdf_path).size() > 0;
}

}  // namespace quirovel
