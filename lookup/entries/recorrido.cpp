// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/entries/recorrido.h"

#include "lookup/entries/campos.h"
#include "lookup/entries/numero_punto.h"
#include "lookup/lists/lector_lista.h"

namespace {

constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

// kNodo: a plain, Pvt, Hold or Down line, which the Boss format reads as a point too.
enum class Clase { kCabecera, kHub, kNodo, kPunto, kBoss, kOtra };

// The class of a keyword in any letter case; "Zone" is told apart by the caller. Keywords are a
// few bytes long and every line passes here: a switch on the length beats a table of strings.
Clase Clasificar(std::string_view clave, bool& esZona) noexcept {
  esZona = false;
  if (clave.empty()) return Clase::kNodo;
  if (clave.size() > 6) return Clase::kOtra;
  char b[6];
  for (std::size_t i = 0; i < clave.size(); ++i) {
    const char c = clave[i];
    b[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  const std::string_view k(b, clave.size());
  switch (k.size()) {
    case 3:
      if (k == "hub") return Clase::kHub;
      if (k == "pvt") return Clase::kNodo;
      return Clase::kOtra;
    case 4:
      if (k == "zone") {
        esZona = true;
        return Clase::kCabecera;
      }
      if (k == "host") return Clase::kCabecera;
      if (k == "hold" || k == "down") return Clase::kNodo;
      if (k == "boss") return Clase::kBoss;
      return Clase::kOtra;
    case 5:
      return k == "point" ? Clase::kPunto : Clase::kOtra;
    case 6:
      return k == "region" ? Clase::kCabecera : Clase::kOtra;
    default:
      return Clase::kOtra;
  }
}

// The first comma at or after `desde`, or npos. Keywords and numbers are a few bytes long, where
// a plain loop beats a call to memchr.
std::size_t ComaDesde(std::string_view linea, std::size_t desde) noexcept {
  for (std::size_t i = desde; i < linea.size(); ++i)
    if (linea[i] == ',') return i;
  return std::string_view::npos;
}

bool EsDigito(char c) noexcept {
  return c >= '0' && c <= '9';
}

// A zone, net or node number an address can name.
bool NumeroValido(std::string_view numero) noexcept {
  bool digito = false;
  for (const char c : numero) {
    if (c == ':' || c == '/' || c == '.' || c == '@') return false;
    digito = digito || EsDigito(c);
  }
  return digito;
}

// A line cut into its keyword and number fields, and where the fields after them start.
struct Troceada {
  std::string_view clave;
  std::string_view numero;
  std::size_t inicioCampos = 0;
  bool conNumero = false;
};

Troceada Trocear(std::string_view linea) noexcept {
  Troceada t;
  const std::size_t finClave = ComaDesde(linea, 0);
  t.clave = linea.substr(0, finClave);
  if (finClave == std::string_view::npos) {
    t.inicioCampos = linea.size();
    return t;
  }
  t.conNumero = true;
  const std::size_t finNumero = ComaDesde(linea, finClave + 1);
  t.numero = linea.substr(finClave + 1, finNumero - finClave - 1);
  t.inicioCampos = finNumero == std::string_view::npos ? linea.size() : finNumero + 1;
  return t;
}

// Reads the next line that may be an entry: not a comment, not empty. The byte-order mark is
// dropped, the code page counted on every line, and the line decoded when the list is CP866.
bool LeerLineaUtil(LectorLista& lector, std::string& linea, bool& primera, PaginaDeLista& pagina) {
  for (;;) {
    const bool fin = lector.FinDeArchivo();
    ComprobarES();
    if (fin) return false;
    lector.LeerLinea(linea, kLargoUtilLinea);
    if (primera) {
      primera = false;
      if (linea.starts_with(kMarcaUtf8)) linea.erase(0, kMarcaUtf8.size());
    }
    pagina.Contar(linea);
    if (linea.empty() || linea.front() == ';') continue;
    if (pagina.Pagina() == CodigoPagina::kCp866 && !EsUtf8Valido(linea))
      linea = DecodificarCampos(linea, CodigoPagina::kCp866);
    return true;
  }
}

// "[zone:]net/node" at the start of a Boss line's address, each part digits alone.
bool LeerJefe(std::string_view texto, std::string& zona, std::string& red, std::string& nodo) {
  std::size_t fin = 0;
  while (fin < texto.size() && (EsDigito(texto[fin]) || texto[fin] == ':' || texto[fin] == '/'))
    ++fin;
  texto = texto.substr(0, fin);
  const auto dosPuntos = texto.find(':');
  const std::string_view z = dosPuntos == std::string_view::npos ? "" : texto.substr(0, dosPuntos);
  const std::string_view resto =
      dosPuntos == std::string_view::npos ? texto : texto.substr(dosPuntos + 1);
  const auto barra = resto.find('/');
  if (barra == std::string_view::npos) return false;
  const std::string_view r = resto.substr(0, barra);
  const std::string_view n = resto.substr(barra + 1);
  const auto soloDigitos = [](std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if ((dosPuntos != std::string_view::npos && !soloDigitos(z)) || !soloDigitos(r) ||
      !soloDigitos(n))
    return false;
  zona = z;
  red = r;
  nodo = n;
  return true;
}

// A point number: holds a digit, read as a typed one is, above 0.
std::int32_t NumeroPunto(std::string_view numero) noexcept {
  // Nearly every list writes plain digits, which read the same without the lenient conversion.
  if (!numero.empty() && numero.size() <= 9) {
    std::int32_t valor = 0;
    std::size_t i = 0;
    for (; i < numero.size() && EsDigito(numero[i]); ++i)
      valor = valor * 10 + (numero[i] - '0');
    if (i == numero.size()) return valor;
  }
  bool digito = false;
  for (const char c : numero)
    digito = digito || EsDigito(c);
  return digito ? ConvertirNumero(numero).valor : 0;
}

// The remaining fields, each as written.
std::vector<std::string> Resto(std::string_view linea, std::size_t pos) {
  std::vector<std::string> campos;
  while (pos < linea.size()) {
    const auto coma = linea.find(',', pos);
    const auto fin = coma == std::string_view::npos ? linea.size() : coma;
    campos.emplace_back(linea.substr(pos, fin - pos));
    pos = fin + 1;
    if (coma != std::string_view::npos && pos == linea.size()) campos.emplace_back();
  }
  return campos;
}

}  // namespace

EntradaNodo LeerEntradaNodo(std::string_view linea, std::size_t inicioCampos) {
  EntradaNodo entrada;
  entrada.estado = Clave(linea);
  std::size_t pos = inicioCampos;
  entrada.bbs = CortarCampo(linea, pos);
  entrada.ciudad = CortarCampo(linea, pos);
  entrada.sysop = CortarCampo(linea, pos);
  entrada.telefono = CortarCampo(linea, pos);
  entrada.velocidad = CortarCampo(linea, pos);
  entrada.flags = Resto(linea, pos);
  return entrada;
}

EntradaPunto LeerEntradaPunto(std::string_view linea) {
  const Troceada t = Trocear(linea);
  EntradaPunto entrada;
  entrada.estado = t.clave;
  std::size_t pos = t.inicioCampos;
  entrada.nick = CortarCampo(linea, pos);
  entrada.ciudad = CortarCampo(linea, pos);
  entrada.nombre = CortarCampo(linea, pos);
  entrada.telefono = CortarCampo(linea, pos);
  entrada.velocidad = CortarCampo(linea, pos);
  entrada.flags = Resto(linea, pos);
  return entrada;
}

std::string DireccionNodo(const PosicionNodo& posicion) {
  std::string direccion;
  if (!posicion.zona.empty()) (direccion += posicion.zona) += ':';
  ((direccion += posicion.red) += '/') += posicion.nodo;
  return direccion;
}

std::string DireccionPunto(const PosicionPunto& posicion) {
  std::string direccion;
  if (!posicion.zona.empty()) (direccion += posicion.zona) += ':';
  ((direccion += posicion.red) += '/') += posicion.nodo;
  return (direccion += '.') += std::to_string(posicion.punto);
}

bool RecorridoNodelist::Siguiente() {
  while (LeerLineaUtil(lector_, linea_, primera_, pagina_)) {
    const Troceada t = Trocear(linea_);
    bool esZona = false;
    const Clase clase = Clasificar(t.clave, esZona);
    const bool valido = t.conNumero && NumeroValido(t.numero);
    if (clase == Clase::kCabecera) {
      hayRed_ = valido;
      if (!valido) continue;
      if (esZona) zona_ = t.numero;
      red_ = t.numero;
      posicion_ = {zona_, red_, "0", t.inicioCampos};
      return true;
    }
    if ((clase != Clase::kNodo && clase != Clase::kHub) || !hayRed_ || !valido) continue;
    posicion_ = {zona_, red_, t.numero, t.inicioCampos};
    return true;
  }
  return false;
}

void RecorrerNodelist(LectorLista& lector, const VisitaNodo& visita) {
  RecorridoNodelist recorrido(lector);
  while (recorrido.Siguiente())
    visita(recorrido.Posicion(), recorrido.Linea());
}

bool RecorridoPointlist::Siguiente() {
  while (LeerLineaUtil(lector_, linea_, primera_, pagina_)) {
    const Troceada t = Trocear(linea_);
    bool esZona = false;
    const Clase clase = Clasificar(t.clave, esZona);
    // A Boss line also turns a list that began nodelist-shaped into the Boss format.
    if (formato_ == Formato::kSinDecidir || clase == Clase::kBoss)
      formato_ = clase == Clase::kBoss ? Formato::kBoss : Formato::kCombinado;

    if (formato_ == Formato::kBoss) {
      if (clase == Clase::kBoss) {
        hayJefe_ = t.conNumero && LeerJefe(std::string_view(linea_).substr(t.clave.size() + 1),
                                           zona_, red_, nodo_);
        continue;
      }
      if (!hayJefe_ || !t.conNumero || (clase != Clase::kNodo && clase != Clase::kPunto)) continue;
    } else {
      const bool valido = t.conNumero && NumeroValido(t.numero);
      if (clase == Clase::kCabecera) {
        hayRed_ = valido;
        hayJefe_ = valido;
        if (!valido) continue;
        if (esZona) zona_ = t.numero;
        red_ = t.numero;
        nodo_ = "0";
        continue;
      }
      if (clase == Clase::kNodo || clase == Clase::kHub) {
        hayJefe_ = hayRed_ && valido;
        if (hayJefe_) nodo_ = t.numero;
        continue;
      }
      if (clase != Clase::kPunto || !hayJefe_ || !t.conNumero) continue;
    }
    const std::int32_t punto = NumeroPunto(t.numero);
    if (punto <= 0) continue;
    posicion_ = {zona_, red_, nodo_, punto, t.inicioCampos};
    return true;
  }
  return false;
}

void RecorrerPointlist(LectorLista& lector, const VisitaPunto& visita) {
  RecorridoPointlist recorrido(lector);
  while (recorrido.Siguiente())
    visita(recorrido.Posicion(), recorrido.Linea());
}
