# SPDX-License-Identifier: GPL-3.0-or-later
"""The journeys through the real program. Run inside a D-Bus session on an X display with a
window manager (run.sh sets all of that up): recorridos.py BUILD ARTIFACTS."""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import escritorio as esc

RAIZ = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
NODELIST = os.path.join(RAIZ, "samples", "NODELIST.345")
POINTLIST = os.path.join(RAIZ, "samples", "POINTS.345")
FALTA_NODELIST = "No se encuentra el archivo de NodeList"
FALTA_POINTLIST = "No se encuentra el archivo de PointList"
BUSCAR = "Buscar Punto"
CONFIG = "Configuración"
DIRECCION = "Dirección de Punto:"
DIRECCIONES = ["2:5020/52.10", "2:341/14.1"]


def bus_accesible(plazo=15.0):
    """Starts the accessibility bus of this session and waits until it answers."""
    from gi.repository import Gio, GLib
    lanzador = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sesion = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    fin = time.monotonic() + plazo
    while time.monotonic() < fin:
        try:
            direccion = sesion.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                         "GetAddress", None, GLib.VariantType("(s)"),
                                         Gio.DBusCallFlags.NO_AUTO_START, 1000, None)
            if direccion.unpack()[0]:
                return lanzador
        except GLib.Error:
            pass
        if lanzador.poll() is not None:
            break
        time.sleep(0.05)
    lanzador.kill()
    raise SystemExit("e2e: the accessibility bus (at-spi-bus-launcher) did not come up")


class Contexto:
    def __init__(self, build, artefactos):
        self.binario = os.path.join(build, "app", "buscarpunto")
        self.cli = os.path.join(build, "cli", "buscarpunto-cli")
        self.artefactos = artefactos
        self.programas = []
        self.temporales = []
        self.esperado = self._consultar_cli()

    def _consultar_cli(self):
        hecho = subprocess.run([self.cli, "--json", "--nodelist", NODELIST, "--pointlist",
                                POINTLIST, *DIRECCIONES], capture_output=True, text=True,
                               timeout=30, env=dict(os.environ, XDG_CONFIG_HOME=self.temporal()))
        if hecho.returncode != 0:
            raise SystemExit(f"e2e: buscarpunto-cli failed ({hecho.returncode}): {hecho.stderr}")
        lineas = [json.loads(linea) for linea in hecho.stdout.splitlines()]
        return {linea["direccion"]: esc.campos_json(linea) for linea in lineas}

    def temporal(self):
        carpeta = tempfile.mkdtemp(prefix="e2e-")
        self.temporales.append(carpeta)
        return carpeta

    def programa(self, recorrido, configuracion=None, entorno=None):
        p = esc.Programa(self.binario, os.path.join(self.artefactos, f"{recorrido}.log"),
                         configuracion or self.temporal(), entorno)
        self.programas.append(p)
        return p

    def artefacto(self, nombre):
        return os.path.join(self.artefactos, nombre)

    def limpiar(self):
        for p in self.programas:
            p.terminar()
        self.programas.clear()
        for carpeta in self.temporales:
            shutil.rmtree(carpeta, ignore_errors=True)
        self.temporales.clear()


def guardar_config(carpeta, nodelist, pointlist):
    os.makedirs(os.path.join(carpeta, "Tervanik"), exist_ok=True)
    with open(os.path.join(carpeta, "Tervanik", "NodeList.conf"), "w", encoding="utf-8") as f:
        f.write(f"[General]\nNodeList={nodelist}\nPointList={pointlist}\n")


def leer_config(archivo):
    valores = {}
    with open(archivo, encoding="utf-8") as f:
        for linea in f:
            clave, igual, valor = linea.rstrip("\n").partition("=")
            if igual:
                valores[clave] = valor
    return valores


def esperar_igual(leer, esperado, que):
    ultimo = [None]

    def igual():
        ultimo[0] = leer()
        return ultimo[0] == esperado
    try:
        esc.esperar(igual, que)
    except esc.Fallo as fallo:
        leido = ultimo[0]
        if isinstance(leido, dict) and isinstance(esperado, dict):
            distintos = {k: (leido.get(k), v) for k, v in esperado.items() if leido.get(k) != v}
            raise esc.Fallo(f"{fallo}: (read, expected) {distintos!r}") from None
        raise esc.Fallo(f"{fallo}: read {leido!r}, expected {esperado!r}") from None


def esperar_cierre(ventana, que):
    def cerrada():
        try:
            return not esc.visible(ventana)
        except Exception:  # the window object is gone already
            return True
    esc.esperar(cerrada, f"{que} to close")


def abrir(p):
    """Waits for the search window and gives it the focus; returns it and its address box."""
    principal = p.ventana(BUSCAR)
    xid = p.activar(esc.patron_titulo(BUSCAR), principal)
    esc.comprobar_titulo(xid, BUSCAR)
    caja = esc.enfocado(principal, "text", DIRECCION)
    return principal, caja, xid


def comprobar_centrado(xid, que):
    """The window's outer rectangle, frame included, is centred on the screen."""
    x, y, ancho, alto, _ = esc.geometria_exterior(xid)
    pantalla_ancho, pantalla_alto = esc.tamano_pantalla()
    esperado = (max(0, (pantalla_ancho - ancho) // 2), max(0, (pantalla_alto - alto) // 2))
    if (x, y) != esperado:
        raise esc.Fallo(f"{que} has its outer corner at {(x, y)}, {ancho}x{alto} centred would "
                        f"be {esperado}")


def buscar(caja, direccion, tecla="Return"):
    esc.pulsar("ctrl+a")
    esc.escribir(direccion)
    esperar_igual(lambda: esc.texto_de(caja), direccion, "the typed address in its box")
    esc.pulsar(tecla)


def primera_vez(c):
    """First run: one search shows the NodeList message, then the PointList one, each in an
    "Error" dialog closed with Enter; nothing else changes."""
    p = c.programa("a")
    principal, caja, _ = abrir(p)
    esc.pulsar("Return")
    for mensaje in (FALTA_NODELIST, FALTA_POINTLIST):
        dialogo = p.ventana("Error")
        esperar_igual(lambda: esc.mensaje_de(dialogo), [mensaje], "the message of the dialog")
        esc.control(dialogo, "push button", "OK")
        xid = p.activar(esc.patron_titulo("Error"), dialogo)
        esc.comprobar_titulo(xid, "Error")
        comprobar_centrado(xid, f"the dialog {mensaje!r}")
        esc.pulsar("Return")
        esperar_cierre(dialogo, f"the dialog {mensaje!r}")
    esc.esperar(lambda: not p.ventanas("Error"), "no dialog left")
    vacios = {campo: "" for campo in c.esperado[DIRECCIONES[0]]}
    esperar_igual(lambda: esc.valores(principal), vacios, "the seven values, still empty")
    esperar_igual(lambda: esc.texto_de(caja), DIRECCIONES[0], "the address box unchanged")
    p.comprobar_vivo()


def configurar_y_buscar(c):
    """ "&Config." (Alt+C), both sample paths typed, "&Aceptar" (Alt+A); then each address typed
    and searched, with Enter and with Alt+Shift+B, shows what buscarpunto-cli --json gives for it.
    """
    p = c.programa("b")
    principal, caja, _ = abrir(p)
    esc.pulsar("alt+c")
    config = p.ventana(CONFIG)
    xid_config = p.activar(esc.patron_titulo(CONFIG), config)
    esc.comprobar_titulo(xid_config, CONFIG)
    caja_nodo = esc.enfocado(config, "text", "Archivo NodeList:")
    esc.escribir(NODELIST)
    esperar_igual(lambda: esc.texto_de(caja_nodo), NODELIST, "the typed nodelist path")
    esc.pulsar("Tab", "Tab")
    caja_punto = esc.enfocado(config, "text", "Archivo PointList:")
    esc.escribir(POINTLIST)
    esperar_igual(lambda: esc.texto_de(caja_punto), POINTLIST, "the typed pointlist path")
    esc.pulsar("alt+a")
    esperar_cierre(config, "the configuration window")
    guardado = leer_config(p.archivo_config())
    if (guardado.get("NodeList"), guardado.get("PointList")) != (NODELIST, POINTLIST):
        raise esc.Fallo(f"stored paths {guardado!r}, typed {NODELIST!r} and {POINTLIST!r}")

    caja = esc.enfocado(principal, "text", DIRECCION)
    for direccion, tecla in zip(DIRECCIONES, ("Return", "alt+shift+b")):
        buscar(caja, direccion, tecla)
        esperar_igual(lambda: esc.valores(principal), c.esperado[direccion],
                      f"the seven values of {direccion} as buscarpunto-cli gives them "
                      f"(searched with {tecla})")
    # An access key is never typed into the box, whatever the case.
    esperar_igual(lambda: esc.texto_de(caja), DIRECCIONES[-1], "the address box after the keys")
    esperar_igual(lambda: esc.estado(principal),
                  "Nodo y punto encontrados en NODELIST.345 y POINTS.345.", "the status line")


def cancelar(c):
    """Alt+C, a path typed over the stored one, Esc: the settings file keeps its bytes, the
    labels and the address box what they showed."""
    carpeta = c.temporal()
    guardar_config(carpeta, NODELIST, POINTLIST)
    p = c.programa("c", carpeta)
    principal, caja, xid = abrir(p)
    esc.pulsar("Return")
    esperado = c.esperado[DIRECCIONES[0]]
    esperar_igual(lambda: esc.valores(principal), esperado, "the values of the first search")
    esc.captura(c.artefacto("ventana-buscar.png"), xid)

    archivo = p.archivo_config()
    antes = (open(archivo, "rb").read(), os.stat(archivo).st_mtime_ns,
             sorted(os.listdir(os.path.dirname(archivo))))
    esc.pulsar("alt+c")
    config = p.ventana(CONFIG)
    xid_config = p.activar(esc.patron_titulo(CONFIG), config)
    caja_nodo = esc.enfocado(config, "text", "Archivo NodeList:")
    esperar_igual(lambda: esc.texto_de(caja_nodo), NODELIST, "the stored nodelist path")
    caja_punto = esc.control(config, "text", "Archivo PointList:")
    esperar_igual(lambda: esc.texto_de(caja_punto), POINTLIST, "the stored pointlist path")
    esc.captura(c.artefacto("ventana-config.png"), xid_config)
    otra = "/srv/otra/NODELIST.999"
    esc.escribir(otra)
    esperar_igual(lambda: esc.texto_de(caja_nodo), otra, "the path typed over the stored one")
    esc.pulsar("Escape")
    esperar_cierre(config, "the configuration window")

    despues = (open(archivo, "rb").read(), os.stat(archivo).st_mtime_ns,
               sorted(os.listdir(os.path.dirname(archivo))))
    if despues != antes:
        raise esc.Fallo(f"the settings folder changed on Esc: {antes!r} -> {despues!r}")
    esperar_igual(lambda: esc.valores(principal), esperado, "the values after Esc")
    esperar_igual(lambda: esc.texto_de(caja), DIRECCIONES[0], "the address box after Esc")
    if p.ventanas(CONFIG):
        raise esc.Fallo("the configuration window is still on screen")


def lista_bloqueada(c):
    """A pointlist that another program holds locked: the failure report, captioned with the
    program's title, says "I/O error 32."; the labels keep the previous results and the next
    search, once the lock is gone, works."""
    carpeta = c.temporal()
    bloqueada = os.path.join(carpeta, "POINTS.345")
    shutil.copyfile(POINTLIST, bloqueada)
    guardar_config(carpeta, NODELIST, bloqueada)
    p = c.programa("d", carpeta)
    principal, caja, _ = abrir(p)
    esc.pulsar("Return")
    primero = c.esperado[DIRECCIONES[0]]
    esperar_igual(lambda: esc.valores(principal), primero, "the values of the first search")

    # --close: the lock goes with flock itself, not with the sleep it starts.
    cerrojo = subprocess.Popen(["flock", "--exclusive", "--close", bloqueada, "sleep", "60"],
                               start_new_session=True)
    try:
        esc.esperar(lambda: subprocess.run(["flock", "--nonblock", "--shared", bloqueada, "true"])
                    .returncode != 0, "the helper to hold the lock")
        buscar(caja, DIRECCIONES[1])
        titulo = "buscarpunto"  # from the program file's name: lower case after the first letter
        informe = p.ventana(titulo)
        if esc.rol(informe) != "alert":
            raise esc.Fallo(f"the report is a {esc.rol(informe)!r}, not an alert")
        esperar_igual(lambda: esc.mensaje_de(informe), ["I/O error 32."], "the report's text")
        # Qt's standard button, in Spanish as everything Qt shows here.
        esc.control(informe, "push button", "Aceptar")
        esc.captura(c.artefacto("d-informe.png"))
        xid = p.activar(esc.patron_titulo(titulo), informe)
        esc.comprobar_titulo(xid, titulo)
        # The caption shows whole: beside it the title bar holds the icon and three buttons, each
        # about as wide as the bar is high.
        _, _, ancho, _, alto_barra = esc.geometria_exterior(xid)
        necesario = esc.ancho_de_texto(titulo) + 4 * alto_barra
        if ancho < necesario:
            raise esc.Fallo(f"the report is {ancho} pixels wide, its caption {titulo!r} needs "
                            f"{necesario}")
        esc.pulsar("Return")
        esperar_cierre(informe, "the failure report")
        esperar_igual(lambda: esc.valores(principal), primero, "the values after the failure")
    finally:
        os.killpg(cerrojo.pid, signal.SIGKILL)
        cerrojo.wait()
    esc.enfocado(principal, "text", DIRECCION)
    esc.pulsar("Return")
    esperar_igual(lambda: esc.valores(principal), c.esperado[DIRECCIONES[1]],
                  "the values of the search once the lock is gone")


def cerrar(c):
    """After a cancelled configuration window, Alt+F4 (the window manager's close request)
    ends the program with exit status 0."""
    p = c.programa("e")
    principal, _, xid = abrir(p)
    esc.pulsar("alt+c")
    config = p.ventana(CONFIG)
    p.activar(esc.patron_titulo(CONFIG), config)
    esc.enfocado(config, "text", "Archivo NodeList:")
    esc.pulsar("Escape")
    esperar_cierre(config, "the configuration window")
    esc.xdotool("windowactivate", "--sync", xid)
    esc.esperar(lambda: principal.getState().contains(esc.pyatspi.STATE_ACTIVE),
                "the search window to become active")
    esc.pulsar("alt+F4")
    estado = p.esperar_fin()
    if estado != 0:
        raise esc.Fallo(f"exit status {estado}, expected 0")


E2E_NODELIST = os.path.join(RAIZ, "tests", "data", "e2e", "nodelist.006")
MOSCU = os.path.join(RAIZ, "tests", "data", "real", "pnt5020.ndl")
SEMANAL = os.path.join(RAIZ, "tests", "data", "listas", "nodelist.003")
ENTRADA = "Entrada completa"


def cli_json(c, *argumentos):
    hecho = subprocess.run([c.cli, "--json", "--nodelist", E2E_NODELIST, "--pointlist", MOSCU,
                            *argumentos], capture_output=True, text=True, timeout=30,
                           env=dict(os.environ, XDG_CONFIG_HOME=c.temporal()))
    if hecho.returncode != 0:
        raise esc.Fallo(f"buscarpunto-cli {argumentos!r} failed: {hecho.stderr}")
    return [json.loads(linea) for linea in hecho.stdout.splitlines()]


def como_etiqueta(campos):
    """The values as a screen reader reads the labels that show them: an "&" is the label's
    accelerator prefix, as the window has always drawn it ("&&" reads "&")."""
    return {clave: re.sub(r"&(.)", r"\1", valor) for clave, valor in campos.items()}


def filas_popup(p):
    """The rows of the name popup as a screen reader reads them; None while it is not shown."""
    app = p.aplicacion()
    if app is None:
        return None
    for nodo in esc.descendientes(app):
        if esc.rol(nodo) == "list" and nodo.name == "Coincidencias" and esc.visible(nodo):
            return [f for f in esc.hijos(nodo) if esc.rol(f) == "list item"]
    return None


def esperar_popup(p, direcciones, que):
    """Waits for the popup to list `direcciones` first, each row starting with its address."""
    def listo():
        filas = filas_popup(p)
        if not filas:
            return None
        leidas = [f.name.split(" — ")[0] for f in filas[:len(direcciones)]]
        return filas if leidas == direcciones else None
    try:
        return esc.esperar(listo, que)
    except esc.Fallo as fallo:
        vistos = [(esc.rol(n), n.name) for n in esc.descendientes(p.aplicacion())]
        raise esc.Fallo(f"{fallo}; on screen: {vistos!r}") from None


def captura_recortada(destino):
    """The screen cut to what is drawn on it: the window and whatever pops up beside it."""
    temporal = destino + ".pantalla.png"
    esc.captura(temporal)
    subprocess.run(["convert", temporal, "-trim", "+repage", "-strip", destino], check=True,
                   timeout=esc.PLAZO, capture_output=True)
    os.remove(temporal)


def por_nombre(c):
    """Part of a name typed on the 6 January 2025 nodelist and the Moscow pointlist: the popup
    lists what --buscar gives; Down and Enter, and a click, pick a row and show its values;
    an address and Enter still search it; Alt+Enter shows its whole entry; a weekly list chosen
    in the file dialog goes in by its base name."""
    carpeta = c.temporal()
    guardar_config(carpeta, E2E_NODELIST, MOSCU)
    p = c.programa("f", carpeta)
    principal, caja, xid = abrir(p)

    coen = [linea["direccion"] for linea in cli_json(c, "--buscar", "vince coen")]
    if len(coen) < 5:
        raise esc.Fallo(f"--buscar 'vince coen' gave {coen!r}")
    esc.pulsar("ctrl+a")
    esc.escribir("vince coen")
    esperar_popup(p, coen[:5], "the popup with the rows of --buscar 'vince coen'")
    captura_recortada(c.artefacto("ventana-popup.png"))
    esc.pulsar("Down", "Return")
    esperar_igual(lambda: esc.texto_de(caja), coen[0], "the picked row's address in the box")
    esperado = esc.campos_json(cli_json(c, coen[0])[0])
    esperar_igual(lambda: esc.valores(principal), como_etiqueta(esperado),
                  f"the values of {coen[0]}")
    if esperado[("nodo", "sysop")] != "Vince Coen":
        raise esc.Fallo(f"{coen[0]} has the sysop {esperado[('nodo', 'sysop')]!r}")

    esc.pulsar("ctrl+a")
    esc.escribir("mezetsky")
    fila = esperar_popup(p, ["2:5020/113.8"], "the popup with Mezetsky's point")[0]
    x, y, ancho, alto = fila.queryComponent().getExtents(esc.pyatspi.DESKTOP_COORDS)
    esc.xdotool("mousemove", str(x + ancho // 2), str(y + alto // 2), "click", "1")
    esperar_igual(lambda: esc.texto_de(caja), "2:5020/113.8", "the clicked row's address")
    esperar_igual(lambda: esc.valores(principal), esc.campos_json(cli_json(c, "2:5020/113.8")[0]),
                  "the values of 2:5020/113.8")
    esc.xdotool("mousemove", "0", "0")

    buscar(caja, "1:1/19")
    completo = cli_json(c, "1:1/19")[0]
    esperar_igual(lambda: esc.valores(principal), esc.campos_json(completo),
                  "the values of 1:1/19")
    if completo["nodo"]["sysop"] != "Andrew Leary":
        raise esc.Fallo(f"1:1/19 has the sysop {completo['nodo']['sysop']!r}")
    if filas_popup(p):
        raise esc.Fallo("an address opened the popup")

    esc.pulsar("alt+Return")
    entrada = p.ventana(ENTRADA)
    xid_entrada = p.activar(esc.patron_titulo(ENTRADA), entrada)
    texto = esc.texto_de(esc.control(entrada, "text", ENTRADA))
    for parte in ("binkp ftsc.bnbbbs.net:24555", "ifcico ftsc.bnbbbs.net:60179",
                  "telnet ftsc.bnbbbs.net:60177", "1-860-446-6118", "/nodelist.006 ",
                  "CM: acepta correo a cualquier hora", "IBN:24555: acepta conexiones binkp"):
        if parte not in texto:
            raise esc.Fallo(f"the whole entry lacks {parte!r}:\n{texto}")
    esc.captura(c.artefacto("ventana-entrada.png"), xid_entrada)
    esc.pulsar("Escape")
    esperar_cierre(entrada, "the whole entry")

    semanal = os.path.join(c.temporal(), "NODELIST.003")
    shutil.copyfile(SEMANAL, semanal)
    esc.enfocado(principal, "text", DIRECCION)
    esc.pulsar("alt+c")
    config = p.ventana(CONFIG)
    p.activar(esc.patron_titulo(CONFIG), config)
    caja_nodo = esc.enfocado(config, "text", "Archivo NodeList:")
    # The dialog starts on the box's file: Open takes it as it is, typing nothing there (the
    # dialog's own name completion would pop up over it).
    esc.pulsar("ctrl+a")
    esc.escribir(semanal)
    esperar_igual(lambda: esc.texto_de(caja_nodo), semanal, "the weekly list typed by hand")
    esc.pulsar("Tab", "Return")
    dialogo = esc.esperar(lambda: next((v for v in esc.hijos(p.aplicacion())
                                        if esc.rol(v) == "dialog" and esc.visible(v) and
                                        v.name not in (CONFIG, BUSCAR)), None),
                          "the file dialog")
    esc.esperar(lambda: any(n.getState().contains(esc.pyatspi.STATE_FOCUSED)
                            for n in esc.descendientes(dialogo) if esc.rol(n) == "text"),
                "the focus in the file dialog's name box")
    esc.pulsar("Return")
    esperar_cierre(dialogo, "the file dialog")
    esperar_igual(lambda: esc.texto_de(caja_nodo), semanal[:-4], "the weekly list's base name")
    cancelar = esc.control(config, "push button", "Cancelar")
    x, y, ancho, alto = cancelar.queryComponent().getExtents(esc.pyatspi.DESKTOP_COORDS)
    esc.xdotool("mousemove", str(x + ancho // 2), str(y + alto // 2), "click", "1")
    esperar_cierre(config, "the configuration window")


def tema_oscuro(c):
    """Under Adwaita-Dark the captions and the values stand out from the background by at least
    4.5:1, measured on the screen: the background is a label's most frequent colour, the ink the
    one of its colours that differs most from it."""
    carpeta = c.temporal()
    guardar_config(carpeta, NODELIST, POINTLIST)
    p = c.programa("g", carpeta, {"QT_STYLE_OVERRIDE": "Adwaita-Dark"})
    principal, _, xid = abrir(p)
    esc.pulsar("Return")
    esperar_igual(lambda: esc.valores(principal), c.esperado[DIRECCIONES[0]],
                  "the values of the first search")
    pantalla = c.artefacto("g-pantalla.png")
    esc.captura(pantalla)
    esc.captura(c.artefacto("ventana-oscura.png"), xid)
    medidas = []
    for que, nodo in (("caption", esc.unico((n for n in esc.descendientes(principal)
                                              if esc.rol(n) == "label" and n.name == "Sysop:"),
                                             "the caption Sysop:")),
                      ("value", esc.unico((n for n in esc.descendientes(principal)
                                            if esc.rol(n) == "label"
                                            and n.description == "Sysop:"), "the Sysop value"))):
        colores = esc.colores_en(pantalla, *esc.extension(nodo))
        fondo = colores[0][1]
        if sum(fondo) > 3 * 128:
            raise esc.Fallo(f"the {que}'s background {fondo} is not dark: no dark theme")
        razon = max(esc.contraste(fondo, rgb) for _, rgb in colores)
        medidas.append(f"{que} {razon:.2f}:1")
        if razon < 4.5:
            raise esc.Fallo(f"the {que} stands out by {razon:.2f}:1 on {fondo}, under 4.5:1")
    with open(c.artefacto("g-contraste.txt"), "w", encoding="utf-8") as f:
        f.write(", ".join(medidas) + "\n")


RECORRIDOS = [
    ("a", "first run", primera_vez),
    ("b", "configure and search", configurar_y_buscar),
    ("c", "configure and cancel", cancelar),
    ("d", "locked list", lista_bloqueada),
    ("e", "close", cerrar),
    ("f", "find by name, whole entry", por_nombre),
    ("g", "dark theme", tema_oscuro),
]


def main():
    build, artefactos = (os.path.abspath(a) for a in sys.argv[1:3])
    # timeout(1) ends the suite with SIGTERM: the programs still running are ended on the way out.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    lanzador = bus_accesible()
    fallidos = []
    comienzo = time.monotonic()
    c = Contexto(build, artefactos)
    try:
        esc.xdotool("mousemove", "0", "0")
        for letra, nombre, recorrido in RECORRIDOS:
            if len(sys.argv) > 3 and letra not in sys.argv[3:]:
                continue
            inicio = time.monotonic()
            try:
                recorrido(c)
                resultado = "ok"
            except Exception as fallo:  # any failure of one journey is reported, the rest run
                resultado = f"FAILED: {fallo}"
                fallidos.append(letra)
            finally:
                try:
                    esc.captura(c.artefacto(f"{letra}-fin.png"))
                except Exception as fallo:
                    print(f"e2e: journey {letra}: no screenshot: {fallo}", file=sys.stderr)
                c.limpiar()
            print(f"e2e: journey {letra} ({nombre}): {resultado} "
                  f"[{time.monotonic() - inicio:.1f} s]", flush=True)
    finally:
        c.limpiar()
        lanzador.terminate()
        lanzador.wait()
    print(f"e2e: {len(fallidos)} of {len(RECORRIDOS)} journeys failed"
          f"{' (' + ', '.join(fallidos) + ')' if fallidos else ''}, "
          f"{time.monotonic() - comienzo:.1f} s; screenshots and logs in {artefactos}")
    return 1 if fallidos else 0


if __name__ == "__main__":
    sys.exit(main())
