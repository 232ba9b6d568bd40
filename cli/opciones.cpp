// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/opciones.h"

#include <CLI/CLI.hpp>

#include "lookup/entries/consulta_nombre.h"
#include "settings/almacen_config.h"
#include "settings/rutas.h"

namespace {

constexpr const char* kDescripcion =
    "Busca direcciones de punto FidoNet en una nodelist y en una pointlist\n"
    "y muestra lo que dicen del nodo (BBS, sysop, ciudad) y del punto (nombre, nick,\n"
    "ciudad, teléfono). Con --buscar busca al revés: las entradas de un nombre.\n";

constexpr const char* kPie =
    "Dirección: zona:red/nodo.punto, por ejemplo 2:5020/52.10; la zona puede faltar\n"
    "(5020/52.10: la primera entrada de esa red y nodo, en cualquier zona) y un @dominio\n"
    "detrás (2:5020/52.10@fidonet) no cuenta. Sin \".punto\" solo se busca el nodo y los\n"
    "datos del punto salen como \"?\".\n"
    "\n"
    "Listas: nodelist (FTS-5000) y pointlist en formato Boss o en el formato \"Point\" de\n"
    "FTS-5002, con las secciones en cualquier orden y las claves en mayúsculas o\n"
    "minúsculas; textos en UTF-8, Windows-1252 o CP866. No se leen el formato \"Fake Net\"\n"
    "ni los archivos ARC o ARJ.\n"
    "\n"
    "Salida: por cada dirección, una línea \"Dirección de Punto: ...\" y los siete campos,\n"
    "uno por línea, con los rótulos de la ventana (Datos del nodo: BBS, Sysop, Ciudad;\n"
    "Datos del punto: Nombre, Nick, Ciudad, Teléfono), y una línea en blanco entre\n"
    "direcciones. Un campo que no se encuentra sale como \"?\". Con --json, un objeto por\n"
    "línea y dirección:\n"
    "  {\"direccion\": ..., \"nodo\": {\"bbs\", \"sysop\", \"ciudad\"},\n"
    "   \"punto\": {\"nombre\", \"nick\", \"ciudad\", \"telefono\"},\n"
    "   \"archivos\": {\"nodelist\", \"pointlist\"}}  (los archivos que se leyeron)\n"
    "\n"
    "Con --completo, el objeto \"nodo\" lleva además \"estado\" (la clave de la línea: \"\",\n"
    "\"Zone\", \"Region\", \"Host\", \"Hub\", \"Pvt\", \"Hold\" o \"Down\"), \"telefono\",\n"
    "\"velocidad\", \"flags\" (los demás campos, tal como están escritos) e \"internet\":\n"
    "  [{\"protocolo\": \"binkp\", \"host\": ..., \"puerto\": 24554}, ...]\n"
    "(el host IPv6 sin corchetes) sacado de los flags IBN (binkp, puerto 24554), IFC\n"
    "(ifcico, 60179), ITN (telnet, 23), IVM (vmodem, 3141) e IFT (ftp, 21) según FTS-5001,\n"
    "en mayúsculas o minúsculas. Un flag da IBN, IBN:host, IBN:host:puerto o IBN:puerto;\n"
    "un host es una IPv4, una IPv6 entre corchetes o un nombre con puntos que acaba en\n"
    "dos letras o más; un puerto, cifras de 1 a 65535. Un flag sin host toma cada host de\n"
    "los flags INA, si no hay el primero escrito en otro de esos flags, y si no el nombre\n"
    "del sistema cuando es un host. Otra cosa escrita (+24555, abc, 2001:db8::1) no da\n"
    "dirección; IP:host y los teléfonos 000-... tampoco. Cada dirección sale una vez.\n"
    "El objeto \"punto\" lleva además \"estado\", \"velocidad\" y \"flags\". En texto, un\n"
    "campo por línea, y bajo \"Flags:\" qué significa cada flag, uno por línea (CM: acepta\n"
    "correo a cualquier hora; TiM: en línea de 08:30 a 12:00 UTC); el JSON no lo lleva.\n"
    "\n"
    "Búsqueda por nombre (--buscar TEXTO): todas las entradas de la nodelist y después\n"
    "las de la pointlist cuyo nombre de sistema, lugar o sysop contiene TEXTO, sin\n"
    "distinguir mayúsculas de minúsculas (\"josé\" encuentra \"JOSÉ\") y con \"_\" igual a\n"
    "un blanco (\"vince coen\" encuentra \"Vince_Coen\"), en el orden de las listas. Cada\n"
    "nodo sale con su dirección completa: 2:250/1; la línea Host de la red 250 es 2:250/0,\n"
    "una línea Region 2:25/0 y una Zone 2:2/0; una lista sin línea Zone da red/nodo. Cada\n"
    "punto sale como 2:5020/113.10. En texto, una línea por entrada (la dirección y los\n"
    "campos con sus rótulos, separados por tabuladores; con --completo, un bloque por\n"
    "entrada); con --json, un objeto por línea:\n"
    "  {\"direccion\": \"2:250/1\", \"nodo\": {\"bbs\", \"sysop\", \"ciudad\"}}\n"
    "  {\"direccion\": \"2:5020/113.10\", \"punto\": {\"nombre\", \"nick\", \"ciudad\", "
    "\"telefono\"}}\n"
    "Sin coincidencias no se escribe nada y el código de salida es 0.\n"
    "\n"
    "Los textos de las listas salen en UTF-8: se leen como UTF-8 si lo son y, si no,\n"
    "como Windows-1252. Los avisos y errores van a la salida de errores.\n"
    "\n"
    "Códigos de salida:\n"
    "  0   se hicieron todas las búsquedas\n"
    "  1   falta un archivo de lista (\"No se encuentra el archivo de NodeList\" o de\n"
    "      PointList); esa búsqueda no se hace, las demás direcciones sí se buscan\n"
    "  2   error de entrada/salida al leer una lista, o error al leer la configuración;\n"
    "      se muestra el mensaje y termina la ejecución\n"
    "  64  uso incorrecto: opción desconocida, falta el valor de una opción, no se dio\n"
    "      ninguna dirección ni --buscar, se dieron ambas cosas, o el texto de --buscar\n"
    "      está vacío o solo tiene blancos\n"
    "\n"
    "Configuración: sin --nodelist o --pointlist se usan las rutas guardadas por el\n"
    "programa (valores NodeList y PointList de $XDG_CONFIG_HOME/Tervanik/NodeList.conf,\n"
    "por omisión ~/.config/Tervanik/NodeList.conf).\n"
    "\n"
    "Listas semanales: en lugar de un archivo se puede dar el nombre base de la lista\n"
    "(~/fido/NODELIST) o un patrón (~/fido/NODELIST.*). En cada búsqueda se lee la lista\n"
    "más nueva: la de fecha más reciente en su primera línea, entre los archivos\n"
    "<base>.nnn y <base>.Xnn (en mayúsculas o minúsculas) o los que encajan en el patrón.\n"
    "Una ruta que nombra un archivo existente lee ese archivo.\n"
    "\n"
    "Listas empaquetadas: una lista en un archivo ZIP, 7-Zip, RAR o LHA (NODELIST.Z03), o\n"
    "comprimida sola con gzip o bzip2, se lee sin desempaquetarla: el miembro con el nombre\n"
    "del archivo (NODELIST.003), si no el único, si no el mayor. --json lo nombra como\n"
    "NODELIST.Z03:NODELIST.003. ARC y ARJ no se leen. Un archivo que no se puede leer\n"
    "termina con estado 2 (\"Archive is truncated\", \"Archive is damaged\",\n"
    "\"Archive member is encrypted\", \"Archive holds no list\",\n"
    "\"ARC archives are not supported\", \"ARJ archives are not supported\").\n"
    "\n"
    "Diferencias semanales: con un nombre base o un patrón que acaba en LIST, cuentan\n"
    "también los NODEDIFF de su carpeta (NODELIST -> NODEDIFF.nnn, NODEDIFF.Xnn). Desde la\n"
    "lista completa más nueva se aplican en memoria los que siguen la cadena (la primera\n"
    "línea del diff es la de la lista), comprobando el CRC de cada resultado. --json nombra\n"
    "NODELIST.362+NODEDIFF.003. Un diff que no se puede aplicar se dice en una línea en la\n"
    "salida de errores, la búsqueda usa la última lista buena y el código sigue siendo 0.";

}  // namespace

void DeclararOpciones(CLI::App& app, Opciones& opciones) {
  app.name("buscarpunto-cli");
  app.description(kDescripcion);
  app.footer(kPie);

  const auto formato = app.get_formatter();
  formato->label("Usage", "Uso");
  formato->label("OPTIONS", "OPCIONES");
  formato->label("Positionals", "Argumentos");
  formato->label("REQUIRED", "(obligatorio)");
  formato->column_width(30);

  app.option_defaults()->group("Opciones");
  app.set_help_flag("-h,--help", "Muestra esta ayuda y termina");
  app.add_option("--nodelist", opciones.nodelist,
                 "Archivo de la nodelist (si falta, el guardado en la configuración)")
      ->type_name("ARCHIVO");
  app.add_option(
         "--pointlist", opciones.pointlist,
         "Archivo de la pointlist en formato Boss (si falta, el guardado en la configuración)")
      ->type_name("ARCHIVO");
  app.add_flag("--json", opciones.json, "Un objeto JSON por línea y dirección");
  app.add_option("--buscar", opciones.buscar,
                 "Busca TEXTO en el nombre, el lugar y el sysop de todas las entradas")
      ->type_name("TEXTO");
  app.add_flag("--completo", opciones.completo,
               "Todos los campos de cada entrada, y sus direcciones de internet");
  app.add_option("DIRECCION", opciones.direcciones, "Direcciones de punto, en orden")
      ->type_name("");
  app.callback([&opciones] {
    if (opciones.buscar && ConsultaNombre(*opciones.buscar).Vacia()) {
      throw CLI::ValidationError("--buscar", "el texto está vacío o solo tiene blancos");
    }
    if (opciones.buscar && !opciones.direcciones.empty()) {
      throw CLI::ValidationError("--buscar", "no se usa junto con direcciones");
    }
    if (!opciones.buscar && opciones.direcciones.empty()) {
      throw CLI::ValidationError("DIRECCION", "falta al menos una dirección, o --buscar TEXTO");
    }
  });
}

RutasListas ResolverRutas(const Opciones& opciones) {
  if (opciones.nodelist && opciones.pointlist) return {*opciones.nodelist, *opciones.pointlist};
  // Only read, so a store the user may not write serves as well. A store never written reads as
  // two empty paths, which the search reports as missing.
  AlmacenConfig almacen;
  static_cast<void>(almacen.AbrirParaLeer());
  // A value an option replaces is not read: whatever it holds cannot stop the search.
  const auto ruta = [&almacen](const std::optional<std::string>& opcion, const QString& nombre) {
    return opcion ? *opcion : RutaEnBytes(almacen.LeerCadena(nombre));
  };
  RutasListas rutas;
  rutas.nodelist = ruta(opciones.nodelist, kValorNodeList);
  rutas.pointlist = ruta(opciones.pointlist, kValorPointList);
  return rutas;
}
