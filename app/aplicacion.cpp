// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/aplicacion.h"

#include <cxxabi.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QSpacerItem>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>
#include <typeinfo>

#include "app/dialogo_error.h"
#include "app/reglas.h"
#include "ui/manejador.h"
#include "ui/unit1.h"

namespace {

// The icon and the minimise, maximise and close buttons that a window manager (openbox, say) puts
// beside the caption, even of a dialog that cannot be resized.
constexpr int kBotonesDeTitulo = 4;

// Write end of the signal pipe, for the handler; -1 while no pipe exists. A handler may read only
// this type safely.
volatile std::sig_atomic_t extremoEscrituraSenal = -1;

extern "C" void ManejarSenal(int) {
  const int guardado = errno;
  const char byte = 1;
  // A full pipe already holds a pending request: a lost byte changes nothing.
  [[maybe_unused]] const auto escrito = ::write(extremoEscrituraSenal, &byte, 1);
  errno = guardado;
}

// A caption's room in a window manager's title bar: its text in bold, and beside it the icon and
// the buttons, each about twice the text's height wide.
int AnchoParaTitulo(const QString& titulo) {
  QFont fuente = QApplication::font("QMdiSubWindowTitleBar");
  fuente.setBold(true);
  const QFontMetrics medidor(fuente);
  return medidor.horizontalAdvance(titulo) + kBotonesDeTitulo * 2 * medidor.height();
}

std::string NombreDeTipo(const std::exception& fallo) {
  const char* nombre = typeid(fallo).name();
  int estado = 0;
  const std::unique_ptr<char, decltype(&std::free)> legible(
      abi::__cxa_demangle(nombre, nullptr, nullptr, &estado), &std::free);
  return estado == 0 && legible ? std::string(legible.get()) : std::string(nombre);
}

}  // namespace

class Aplicacion::TuberiaSenales final {
 public:
  TuberiaSenales() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, extremos_.data()) !=
        0) {
      throw std::system_error(errno, std::generic_category(), "socketpair");
    }
  }
  ~TuberiaSenales() {
    for (const int extremo : extremos_)
      ::close(extremo);
  }
  TuberiaSenales(const TuberiaSenales&) = delete;
  TuberiaSenales& operator=(const TuberiaSenales&) = delete;

  [[nodiscard]] int lectura() const noexcept { return extremos_[0]; }
  [[nodiscard]] int escritura() const noexcept { return extremos_[1]; }

 private:
  std::array<int, 2> extremos_{-1, -1};
};

Aplicacion::Aplicacion(int& argc, char** argv)
    : QApplication(argc, argv),
      titulo_(QString::fromUtf8(
          TituloDePrograma(QCoreApplication::applicationFilePath().toUtf8().toStdString()))) {
  // The application's name, not its display name: Qt's X11 platform would append a display name
  // to every window's title.
  setApplicationName(titulo_);
  // Wayland ties the windows to the installed desktop entry (its icon, its name) by this name.
  setDesktopFileName(QStringLiteral(ID_APLICACION));
  setWindowIcon(QIcon(QStringLiteral(":/buscarpunto.xpm")));
  // Only closing the main window ends the program, not closing whatever window was last.
  setQuitOnLastWindowClosed(false);
  // Every text of the program is Spanish, so Qt's own (standard buttons, the file dialog, the
  // text boxes' menus) are too, whatever the locale.
  if (traduccionQt_.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(&traduccionQt_);
  }
  InstalarSenales();
}

Aplicacion::~Aplicacion() {
  ventanaPrincipal_.reset();
  if (tuberia_) {
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGHUP, SIG_DFL);
    extremoEscrituraSenal = -1;
  }
}

Aplicacion* Aplicacion::instancia() {
  return qobject_cast<Aplicacion*>(QCoreApplication::instance());
}

bool Aplicacion::notify(QObject* receptor, QEvent* evento) {
  try {
    return QApplication::notify(receptor, evento);
  } catch (const std::bad_alloc&) {
    ReportarFallo(sinMemoria_);
  } catch (const std::exception& fallo) {
    ReportarFallo(fallo);
  }
  // The event counts as handled: nothing else is to act on it after the failure.
  return true;
}

void Aplicacion::ReportarFallo(const std::exception& fallo) {
  SoltarRaton();
  const QPointer<QWidget> activaAntes = activeWindow();
  QMessageBox caja(QMessageBox::Critical, titulo_, QString::fromUtf8(ConPuntoFinal(fallo.what())),
                   QMessageBox::Ok, activaAntes.data());
  caja.setTextFormat(Qt::PlainText);
  caja.setWindowModality(Qt::ApplicationModal);
  // The box sizes itself to its text; a short text would leave a window manager room for a couple
  // of the caption's letters. A spacer across its grid keeps it wide enough.
  if (auto* rejilla = qobject_cast<QGridLayout*>(caja.layout()); rejilla != nullptr) {
    rejilla->addItem(new QSpacerItem(AnchoParaTitulo(titulo_), 0, QSizePolicy::Fixed),
                     rejilla->rowCount(), 0, 1, rejilla->columnCount());
  }
  caja.exec();
  if (activaAntes) activaAntes->activateWindow();
}

void Aplicacion::MostrarError(const std::string& mensaje) {
  MostrarDialogoError(QString::fromUtf8(mensaje), anchoOk_);
}

void Aplicacion::CrearVentana() {
  ventanaPrincipal_ = std::make_unique<TfrmBuscar>(
      [this](const std::string& mensaje) { MostrarError(mensaje); }, nullptr);
  ventanaPrincipal_->installEventFilter(this);
  // Run now, so that a failure's report comes before the window is ever shown.
  TfrmBuscar* const ventana = ventanaPrincipal_.get();
  Manejar([ventana] { ventana->FormCreate(); });
}

void Aplicacion::Ejecutar() {
  if (!ventanaPrincipal_) return;
  ventanaPrincipal_->show();
  exec();
  ventanaPrincipal_.reset();
}

void Aplicacion::Terminar() {
  // Queued, so that the event being handled now is finished first.
  QMetaObject::invokeMethod(
      this, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool Aplicacion::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::Close && objeto == ventanaPrincipal_.get()) Terminar();
  return QApplication::eventFilter(objeto, evento);
}

void Aplicacion::InstalarSenales() {
  tuberia_ = std::make_unique<TuberiaSenales>();
  extremoEscrituraSenal = tuberia_->escritura();
  avisoSenal_ = std::make_unique<QSocketNotifier>(tuberia_->lectura(), QSocketNotifier::Read);
  connect(avisoSenal_.get(), &QSocketNotifier::activated, this, &Aplicacion::SenalRecibida);

  struct sigaction accion {};
  accion.sa_handler = ManejarSenal;
  sigemptyset(&accion.sa_mask);
  accion.sa_flags = SA_RESTART;
  for (const int senal : {SIGTERM, SIGHUP}) {
    if (::sigaction(senal, &accion, nullptr) != 0) {
      throw std::system_error(errno, std::generic_category(), "sigaction");
    }
  }
}

void Aplicacion::SenalRecibida() {
  std::array<char, 16> bytes{};
  while (::read(tuberia_->lectura(), bytes.data(), bytes.size()) > 0) {
  }
  // The log-on is ending: leave every event loop, nested ones included, and exit in order.
  QCoreApplication::exit(0);
}

std::string TextoUltimoRecurso(const std::string& tipo, const std::string& modulo,
                               const void* direccion, const std::string& mensaje) {
  std::array<char, 32> direccionTexto{};
  std::snprintf(direccionTexto.data(), direccionTexto.size(), "%p", direccion);
  std::string texto = "Exception " + tipo + " in module " + modulo + " at " +
                      direccionTexto.data() + ".\n" + mensaje;
  if (!mensaje.empty() && mensaje.back() != '.') texto += '.';
  return texto;
}

void ReportarUltimoRecurso(const std::exception& fallo) {
  // The throw site is not recorded; the step that let the failure escape stands for it.
  const void* const direccion = reinterpret_cast<const void*>(&ReportarUltimoRecurso);
  const std::string modulo =
      QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8().toStdString();
  QMessageBox caja(
      QMessageBox::Critical, QStringLiteral("Application Error"),
      QString::fromUtf8(TextoUltimoRecurso(NombreDeTipo(fallo), modulo, direccion, fallo.what())),
      QMessageBox::Ok);
  caja.setTextFormat(Qt::PlainText);
  caja.setWindowModality(Qt::ApplicationModal);
  caja.exec();
}
