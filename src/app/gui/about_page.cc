#include "app/gui/about_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quirovel {

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
  auto* text = new QLabel(this);
  text->setTextFormat(Qt::RichText);
  text->setWordWrap(true);
  text->setText(QString::fromUtf8(
      "<h2>Quirovel " QUIROVEL_VERSION_TEXT
      "</h2>"
      "<p>Detección de errores del CMBD-A: comprueba cada episodio del fichero de altas "
      "contra el catálogo de 71 errores, y hace los listados, los análisis, la importación "
      "y la exportación.</p>"
      "<p><b>Datos de la instalación de muestra</b></p>"
      "<ul>"
      "<li>Códigos CIE-9-MC y sus listas de atributos: publicaciones de CMS, NCHS y AHRQ "
      "(EE. UU.), de dominio público; las descripciones de diagnósticos, en inglés.</li>"
      "<li>Descripciones en castellano de los procedimientos: CIE-9-MC 9ª edición del "
      "Ministerio de Sanidad (reutilización de información del sector público, Ley "
      "37/2007, citando la fuente).</li>"
      "<li>Códigos postales, provincias y ocupaciones de España: fuentes públicas, con su "
      "origen y licencia junto a cada lista en <tt>data/</tt>.</li>"
      "<li>El fichero CMBD-A de ejemplo es sintético: no describe a ningún paciente.</li>"
      "</ul>"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addStretch();
}

}  // namespace quirovel
