// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a ten-letter name into the real search window over a real world nodelist, unpacked and
// zipped: the longest the user-interface thread is held up while typing (a keystroke's own
// handling, and any gap in its event loop, watched by a 1 ms timer), and the time from the last
// keystroke to the popup showing the matches of the whole name. Usage:
//   buscarpunto-bench-popup NODELIST [NAME]
// NODELIST is copied to a scratch folder (and zipped there for the second half). Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <sys/resource.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bench/empaquetar.h"
#include "bench/medidas.h"
#include "lookup/entries/por_nombre.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"
#include "tests/comun/carpeta_temporal.h"
#include "ui/unit1.h"

namespace {

constexpr int kCorridas = 15;
constexpr int kPausaMs = 80;  // between keystrokes: a quick typist
constexpr double kMetaParada = 50.0;
constexpr double kMetaRespuesta = 300.0;

void Comprobar(bool bien, const std::string& que) {
  if (!bien) throw std::runtime_error(que);
}

double MsDeHilo() {
  rusage uso{};
  getrusage(RUSAGE_THREAD, &uso);
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  return ms(uso.ru_utime) + ms(uso.ru_stime);
}

// The longest gap between the ticks of a 1 ms timer: how long the event loop was held up. On a
// busy machine the scheduler makes gaps of its own, so the processor time the interface thread
// spent within each gap is kept too: that part is the program's.
class Vigia final {
 public:
  Vigia() {
    reloj_.setTimerType(Qt::PreciseTimer);
    reloj_.setInterval(1);
    QObject::connect(&reloj_, &QTimer::timeout, [this] {
      const auto ahora = Reloj::now();
      const double cpu = MsDeHilo();
      pared_ = std::max(pared_, Ms(ahora - ultimo_));
      ocupado_ = std::max(ocupado_, cpu - ultimoCpu_);
      ultimo_ = ahora;
      ultimoCpu_ = cpu;
    });
  }
  void Empezar() {
    pared_ = ocupado_ = 0;
    ultimo_ = Reloj::now();
    ultimoCpu_ = MsDeHilo();
    reloj_.start();
  }
  // The longest gap, and the most processor time the thread used within one gap.
  std::pair<double, double> Parar() {
    reloj_.stop();
    return {pared_, ocupado_};
  }

 private:
  QTimer reloj_;
  Reloj::time_point ultimo_;
  double ultimoCpu_ = 0;
  double pared_ = 0;
  double ocupado_ = 0;
};

struct Medida {
  const char* nombre;
  double motor = 0;         // BuscarCoincidencias alone, median
  double teclaMediana = 0;  // one keystroke's handling
  double teclaMaxima = 0;
  double paradaMaxima = 0;   // the longest gap in the event loop while typing and answering
  double ocupadoMaximo = 0;  // the most the interface thread ran within one gap
  double respuestaMediana = 0;
  double respuestaMaxima = 0;
};

Medida Medir(const char* nombre, TfrmBuscar& ventana, const std::string& nodelist,
             const std::string& pointlist, const QString& texto) {
  {
    AlmacenConfig almacen;
    GuardarRutas(almacen, QString::fromStdString(nodelist), QString::fromStdString(pointlist));
  }
  const QByteArray bytes = texto.toUtf8();
  std::vector<double> motor;
  std::size_t filas = 0;
  for (int i = 0; i < 5; ++i) {
    const auto inicio = Reloj::now();
    const Coincidencias c = BuscarCoincidencias(
        nodelist, pointlist, bytes.toStdString(), 50,
        [](const std::string& m) { throw std::runtime_error("unexpected: " + m); });
    motor.push_back(Ms(Reloj::now() - inicio));
    filas = c.filas.size();
  }
  Comprobar(filas > 0, "the name matches nothing in the list: choose another one");

  auto* caja = ventana.findChild<QLineEdit*>(QStringLiteral("txtDireccion"));
  auto* popup = ventana.findChild<QAbstractItemView*>(QStringLiteral("lstCoincidencias"));
  Vigia vigia;
  std::vector<double> teclas, paradas, ocupados, respuestas;
  for (int corrida = 0; corrida < kCorridas; ++corrida) {
    caja->setFocus();
    QTest::keyClick(ventana.windowHandle(), Qt::Key_Escape);
    caja->clear();
    QTest::qWait(300);
    QSignalSpy mostradas(&ventana, &TfrmBuscar::coincidenciasMostradas);
    vigia.Empezar();
    Reloj::time_point ultima;
    for (qsizetype i = 0; i < texto.size(); ++i) {
      if (i > 0) QTest::qWait(kPausaMs);
      ultima = Reloj::now();
      QTest::keyClick(ventana.windowHandle(), texto[i].toLatin1());
      teclas.push_back(Ms(Reloj::now() - ultima));
    }
    const auto hecha = [&] {
      return !mostradas.isEmpty() && mostradas.back()[0].toString() == texto;
    };
    QElapsedTimer plazo;
    plazo.start();
    while (!hecha() && plazo.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    respuestas.push_back(Ms(Reloj::now() - ultima));
    QTest::qWait(20);
    const auto [pared, ocupado] = vigia.Parar();
    paradas.push_back(pared);
    ocupados.push_back(ocupado);
    Comprobar(hecha(), "the popup never answered the whole name");
    Comprobar(popup->isVisible() && popup->model()->rowCount() > 0, "the popup is not shown");
  }
  return {nombre,
          Mediana(motor),
          Mediana(teclas),
          *std::max_element(teclas.begin(), teclas.end()),
          *std::max_element(paradas.begin(), paradas.end()),
          *std::max_element(ocupados.begin(), ocupados.end()),
          Mediana(respuestas),
          *std::max_element(respuestas.begin(), respuestas.end())};
}

int Ejecutar(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s NODELIST [NAME]\n", argv[0]);
    return 64;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString texto = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("vince coen");

  const CarpetaTemporal carpeta;
  const std::string config = carpeta.Ruta("config");
  const std::string runtime = carpeta.Ruta("runtime");
  std::filesystem::create_directory(config);
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config));
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
  const std::string nodelist = carpeta.Ruta("NODELIST.003");
  std::filesystem::copy_file(argv[1], nodelist);
  const auto tamano = std::filesystem::file_size(nodelist);
  const std::string pointlist =
      carpeta.Escribir("POINTS.003", "Boss,2:5020/113\r\nPoint,8,Home,Moscow,Somebody,-,9600\r\n");

  QApplication aplicacion(argc, argv);
  TfrmBuscar ventana([](const std::string& m) { throw std::runtime_error("unexpected: " + m); });
  ventana.FormCreate();
  ventana.show();
  Comprobar(QTest::qWaitForWindowExposed(&ventana), "the window was never exposed");
  ventana.activateWindow();

  std::vector<Medida> medidas;
  medidas.push_back(Medir("unpacked", ventana, nodelist, pointlist, texto));
  Empaquetar(nodelist);
  // By its base name, as a user keeps a weekly list: the newest of the folder, here the ZIP.
  medidas.push_back(Medir("zipped", ventana, carpeta.Ruta("NODELIST"), pointlist, texto));

  std::printf(
      "typing \"%s\" into the search window, %d ms between keystrokes, over a %.1f MB "
      "nodelist; %d runs, platform %s, warm page cache\n",
      qPrintable(texto), kPausaMs, static_cast<double>(tamano) / 1e6, kCorridas,
      qPrintable(QGuiApplication::platformName()));
  std::printf("%-9s %9s %12s %10s %13s %12s %14s %13s\n", "list", "engine ms", "keystroke ms",
              "(longest)", "gap max ms", "busy max ms", "answer med ms", "answer max ms");
  bool cumplidas = true;
  for (const Medida& m : medidas) {
    std::printf("%-9s %9.1f %12.2f %10.2f %13.1f %12.1f %14.1f %13.1f\n", m.nombre, m.motor,
                m.teclaMediana, m.teclaMaxima, m.paradaMaxima, m.ocupadoMaximo, m.respuestaMediana,
                m.respuestaMaxima);
    cumplidas = cumplidas && m.ocupadoMaximo < kMetaParada && m.teclaMaxima < kMetaParada &&
                m.respuestaMaxima < kMetaRespuesta;
  }
  std::printf(
      "engine = the name search alone (BuscarCoincidencias); keystroke = one key's handling on "
      "the\ninterface thread; gap = the longest gap of a 1 ms timer while typing and answering "
      "(the\nscheduler's waits on a busy machine included); busy = the most processor time the "
      "interface\nthread used within one gap; answer = last keystroke to the popup showing the "
      "whole name's matches\n");
  std::printf(
      "goal: the interface thread never busy %.0f ms at a stretch, every answer within "
      "%.0f ms: %s\n",
      kMetaParada, kMetaRespuesta, cumplidas ? "met" : "NOT met");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Ejecutar(argc, argv);
  } catch (const std::exception& fallo) {
    std::fprintf(stderr, "buscarpunto-bench-popup: %s\n", fallo.what());
    return 1;
  }
}
