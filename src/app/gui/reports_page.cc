#include "app/gui/reports_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>

#include "app/gui/text_codec.h"
#include "platform/cp1252.h"

namespace quirovel {

const std::vector<ReportEntry>& ReportEntries() {
  static const std::vector<ReportEntry> entries = {
      {"Resumen de errores", "resumen.txt", "resumen.txt",
       "DETECCION de ERRORES del CMBDA: Resumen", 1.0},
      {"Errores por historia", "errores.txt", "errores.txt",
       "DETECCION de ERRORES del CMBDA: Errores por historia", 1.0},
      {"Errores por tipo", "erragr.txt", "erragr.txt",
       "DETECCION de ERRORES del CMBDA: Errores por tipo", 1.0},
      {"Errores por Servicio y tipo", "erragrserv.txt", "erragrserv.txt",
       "DETECCION de ERRORES del CMBDA: Errores por Servicio y tipo", 1.0},
      {"Historias no codificadas", "altnocod.txt", "altnocod.txt",
       "DETECCION de ERRORES del CMBDA: Altas no codificadas", 1.0},
      {"Resumen no codificadas", "altas.txt", "altas.txt",
       "DETECCION de ERRORES del CMBDA: No codificadas", 1.0},
      {"Fuera de Rango", "fuerango.txt", "fuerango.txt",
       "DETECCION de ERRORES del CMBDA: Fuera de rango", 1.0},
      {"Reingresos", "reingr.txt", "reingr.txt", "DETECCION de ERRORES del CMBDA: Reingresos", 1.0},
      {"Reingresos por servicio", "reingrserv.txt", "reingrserv.txt",
       "DETECCION de ERRORES del CMBDA: Reingresos por Servicio", 1.0},
      {"Reingresos no programados", "reingrservnoprog.txt", "reingrservnoprog.txt",
       "DETECCION de ERRORES del CMBDA: Reingresos por Servicio", 1.0},
      {"Resultado Búsqueda"_cp, "busqueda.txt", "busqueda2.txt",
       "DETECCION de ERRORES del CMBDA: Búsqueda de diagnosticos y procedimientos"_cp, 0.7},
  };
  return entries;
}

ReportsPage::ReportsPage(WindowContext& window, QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  int i = 0;
  for (const ReportEntry& entry : ReportEntries()) {
    auto* box = new QGroupBox(ToQString(entry.label), this);
    auto* edit = new QPushButton(QStringLiteral("Editar"), box);
    auto* print = new QPushButton(QStringLiteral("Imprimir"), box);
    auto* row = new QHBoxLayout(box);
    row->addWidget(edit);
    row->addWidget(print);
    const std::string name = entry.edited;
    connect(edit, &QPushButton::clicked, this, [&window, name] { window.edit_report(name); });
    auto print_it = [&window, entry] {
      window.print_report(entry.printed, entry.title, entry.scale);
    };
    connect(print, &QPushButton::clicked, this, print_it);
    if (window.add_print_menu) window.add_print_menu(print, print_it);
    edit_buttons_.push_back(edit);
    print_buttons_.push_back(print);
    grid->addWidget(box, i / 2, i % 2);
    ++i;
  }
  grid->setRowStretch(i / 2 + 1, 1);
}

void ReportsPage::SetBusy(bool busy) {
  for (QPushButton* b : edit_buttons_) b->setEnabled(!busy);
  for (QPushButton* b : print_buttons_) b->setEnabled(!busy);
}

}  // namespace quirovel
