// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lectura_caja.h"

#include <QFile>
#include <QMetaObject>

#include "lookup/entries/entrada_visible.h"
#include "lookup/lists/errores_lectura.h"
#include "lookup/lists/lectura_prevista.h"
#include "settings/rutas.h"
#include "ui/manejador.h"

QString TextoLectura(const LecturaPrevista& prevista) {
  if (!prevista.hayLista) return QStringLiteral("No hay ninguna lista que leer aquí.");
  return QStringLiteral("%1 — %2").arg(QFile::decodeName(prevista.archivos.c_str()),
                                       QString::fromUtf8(TextoFecha(prevista.fecha)));
}

LecturaDeCaja::LecturaDeCaja(QObject* parent) : QObject(parent) {
  hilo_.setMaxThreadCount(1);
}

LecturaDeCaja::~LecturaDeCaja() {
  hilo_.waitForDone();
}

void LecturaDeCaja::Pedir(const QString& ruta) {
  ++generacion_;
  if (ocupado_) {
    pendiente_ = ruta;
    return;
  }
  Lanzar(ruta);
}

void LecturaDeCaja::Lanzar(const QString& ruta) {
  ocupado_ = true;
  hilo_.start([this, bytes = RutaEnBytes(ruta), generacion = generacion_] {
    QString texto;
    std::exception_ptr ajeno;
    try {
      texto = TextoLectura(PreverLectura(bytes));
    } catch (const ErrorEntradaSalida& error) {
      texto = QStringLiteral("No se puede leer: %1").arg(QString::fromUtf8(error.what()));
    } catch (...) {
      // A failure of the program, not of the list: the interface thread's event guard reports it.
      ajeno = std::current_exception();
    }
    QMetaObject::invokeMethod(
        this, [this, generacion, texto, ajeno] { Recibir(generacion, texto, ajeno); },
        Qt::QueuedConnection);
  });
}

void LecturaDeCaja::Recibir(std::uint64_t generacion, const QString& texto,
                            const std::exception_ptr& ajeno) {
  ocupado_ = false;
  if (generacion == generacion_ && !ajeno) emit respuesta(texto);
  if (pendiente_) {
    const QString siguiente = *pendiente_;
    pendiente_.reset();
    Lanzar(siguiente);
  }
  if (ajeno) Manejar([&ajeno] { std::rethrow_exception(ajeno); });
}
