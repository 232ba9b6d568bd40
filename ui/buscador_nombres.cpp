// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/buscador_nombres.h"

#include <QMetaObject>
#include <algorithm>
#include <exception>
#include <string>

#include "lookup/lists/errores_lectura.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "ui/manejador.h"

namespace {

constexpr int kCaracteresMinimos = 3;

// A missing list's message goes to `fallo`, as an unreadable list's does.
Coincidencias Buscar(const QByteArray& texto, std::string& fallo) {
  // Its own store: a store is never shared between threads.
  AlmacenConfig almacen;
  const Rutas rutas = LeerRutas(almacen);
  return BuscarCoincidencias(
      RutaEnBytes(rutas.nodelist), RutaEnBytes(rutas.pointlist),
      std::string_view(texto.constData(), static_cast<std::size_t>(texto.size())), kFilasPopup,
      [&fallo](const std::string& mensaje) { fallo += (fallo.empty() ? "" : "; ") + mensaje; });
}

}  // namespace

bool PideNombres(const QString& texto) {
  const QString sinBlancos = texto.trimmed();
  if (sinBlancos.size() < kCaracteresMinimos) return false;
  return std::any_of(sinBlancos.begin(), sinBlancos.end(), [](QChar c) { return c.isLetter(); });
}

BuscadorNombres::BuscadorNombres(QObject* parent) : QObject(parent) {
  hilo_.setMaxThreadCount(1);
}

BuscadorNombres::~BuscadorNombres() {
  hilo_.waitForDone();
}

void BuscadorNombres::Pedir(const QString& texto) {
  ++generacion_;
  esperado_ = texto;
  if (ocupado_) {
    pendiente_ = texto;
    return;
  }
  Lanzar(texto);
}

void BuscadorNombres::Olvidar() {
  ++generacion_;
  esperado_.reset();
  pendiente_.reset();
}

void BuscadorNombres::Lanzar(const QString& texto) {
  ocupado_ = true;
  hilo_.start([this, texto, generacion = generacion_] {
    Coincidencias coincidencias;
    std::string fallo;
    std::exception_ptr ajeno;
    try {
      coincidencias = Buscar(texto.toUtf8(), fallo);
    } catch (const ErrorEntradaSalida& error) {
      fallo = error.what();
    } catch (const ErrorAlmacen& error) {
      fallo = error.what();
    } catch (...) {
      // Not a failure of the lists or the store but of the program: the interface thread's
      // event guard reports it.
      ajeno = std::current_exception();
    }
    QMetaObject::invokeMethod(
        this,
        [this, generacion, texto, coincidencias, fallo, ajeno] {
          Recibir(generacion, texto, coincidencias, QString::fromStdString(fallo), ajeno);
        },
        Qt::QueuedConnection);
  });
}

void BuscadorNombres::Recibir(std::uint64_t generacion, const QString& texto,
                              const Coincidencias& coincidencias, const QString& fallo,
                              const std::exception_ptr& ajeno) {
  ocupado_ = false;
  if (generacion == generacion_) {
    esperado_.reset();
    if (ajeno) {
      Manejar([&ajeno] { std::rethrow_exception(ajeno); });
      return;
    }
    emit respuesta(texto, coincidencias, fallo);
    return;
  }
  if (pendiente_) {
    const QString siguiente = *pendiente_;
    pendiente_.reset();
    Lanzar(siguiente);
  }
  if (ajeno) Manejar([&ajeno] { std::rethrow_exception(ajeno); });
}
