# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a user and a screen reader meet it: X input through xdotool, what is on
screen through AT-SPI, windows found by their captions and values by what names them."""

import os
import signal
import subprocess
import time

import pyatspi

PLAZO = 15.0


class Fallo(Exception):
    pass


class FalloDefinitivo(Fallo):
    """A failure that waiting longer cannot mend."""


def esperar(condicion, que, plazo=PLAZO, paso=0.05):
    """Polls until condicion() gives something true and returns it."""
    fin = time.monotonic() + plazo
    ultimo = None
    while True:
        try:
            valor = condicion()
            if valor:
                return valor
        except FalloDefinitivo:
            raise
        except Exception as error:  # AT-SPI objects go away under us while windows close
            ultimo = error
        if time.monotonic() > fin:
            detalle = f" (last: {ultimo})" if ultimo else ""
            raise Fallo(f"waited {plazo:.0f} s for {que}{detalle}")
        time.sleep(paso)


def xdotool(*argumentos):
    hecho = subprocess.run(["xdotool", *argumentos], capture_output=True, text=True, timeout=PLAZO)
    if hecho.returncode != 0:
        raise Fallo(f"xdotool {' '.join(argumentos)}: {hecho.stderr.strip()}")
    return hecho.stdout


def pulsar(*teclas):
    xdotool("key", "--clearmodifiers", *teclas)


def escribir(texto):
    xdotool("type", "--clearmodifiers", "--delay", "8", texto)


def captura(destino, ventana="root"):
    # -strip: no time stamps, so an unchanged window gives an unchanged file.
    subprocess.run(["import", "-window", str(ventana), "-strip", destino], check=True,
                   timeout=PLAZO, capture_output=True)


def colores_en(imagen, x, y, ancho, alto):
    """The colours of a rectangle of a PNG, as (count, (r, g, b)), most frequent first."""
    salida = subprocess.run(["convert", imagen, "-crop", f"{ancho}x{alto}+{x}+{y}", "+repage",
                             "-format", "%c", "histogram:info:-"], check=True, timeout=PLAZO,
                            capture_output=True, text=True).stdout
    colores = []
    for linea in salida.splitlines():
        cuenta, _, resto = linea.strip().partition(":")
        rgb = resto.strip().split(")")[0].lstrip("(").split(",")[:3]
        colores.append((int(cuenta), tuple(int(float(c)) for c in rgb)))
    return sorted(colores, reverse=True)


def contraste(una, otra):
    """The WCAG 2 contrast ratio of two colours."""
    def luminancia(rgb):
        lineal = [c / 255 / 12.92 if c / 255 <= 0.04045 else ((c / 255 + 0.055) / 1.055) ** 2.4
                  for c in rgb]
        return 0.2126 * lineal[0] + 0.7152 * lineal[1] + 0.0722 * lineal[2]
    a, b = sorted((luminancia(una), luminancia(otra)), reverse=True)
    return (a + 0.05) / (b + 0.05)


def extension(nodo):
    """A control's rectangle on the screen."""
    return nodo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


# --- AT-SPI --------------------------------------------------------------------------------------

def hijos(nodo):
    for i in range(nodo.childCount):
        hijo = nodo.getChildAtIndex(i)
        if hijo is not None:
            yield hijo


def descendientes(nodo):
    for hijo in hijos(nodo):
        yield hijo
        yield from descendientes(hijo)


def visible(nodo):
    estado = nodo.getState()
    return estado.contains(pyatspi.STATE_VISIBLE) and estado.contains(pyatspi.STATE_SHOWING)


def rol(nodo):
    return nodo.getRoleName()


def texto_de(nodo):
    return nodo.queryText().getText(0, -1)


def unico(nodos, que):
    encontrados = list(nodos)
    if len(encontrados) != 1:
        raise Fallo(f"{len(encontrados)} matches for {que}")
    return encontrados[0]


class Programa:
    """One run of the program, with a settings folder of its own."""

    def __init__(self, binario, registro, configuracion, entorno_extra=None):
        self.config = configuracion
        entorno = dict(os.environ)
        entorno.update({
            "XDG_CONFIG_HOME": self.config,
            "QT_QPA_PLATFORM": "xcb",
            "QT_ACCESSIBILITY": "1",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        })
        entorno.update(entorno_extra or {})
        self._salida = open(registro, "ab")
        self.proceso = subprocess.Popen([binario], env=entorno, stdout=self._salida,
                                        stderr=subprocess.STDOUT)
        self.pid = self.proceso.pid

    def archivo_config(self):
        return os.path.join(self.config, "Tervanik", "NodeList.conf")

    def vivo(self):
        return self.proceso.poll() is None

    def comprobar_vivo(self):
        if not self.vivo():
            raise FalloDefinitivo(f"the program ended with status {self.proceso.returncode}")

    def aplicacion(self):
        self.comprobar_vivo()
        for app in hijos(pyatspi.Registry.getDesktop(0)):
            try:
                if app.get_process_id() == self.pid:
                    return app
            except Exception:  # an application that has just gone
                continue
        return None

    def ventanas(self, nombre):
        app = self.aplicacion()
        if app is None:
            return []
        return [v for v in hijos(app) if v.name == nombre and visible(v)]

    def ventana(self, nombre, plazo=PLAZO):
        """The one visible top-level window captioned `nombre`."""
        def una():
            encontradas = self.ventanas(nombre)
            if len(encontradas) > 1:
                raise FalloDefinitivo(f"{len(encontradas)} windows captioned {nombre!r} at once")
            return encontradas[0] if encontradas else None
        return esperar(una, f"the window {nombre!r}", plazo)

    def sin_ventana(self, nombre):
        esperar(lambda: not self.ventanas(nombre), f"the window {nombre!r} to close")

    def ventana_x(self, patron):
        """X id of the visible window of this process whose title matches `patron`."""
        def buscar():
            hecho = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                    str(self.pid), "--name", patron],
                                   capture_output=True, text=True, timeout=PLAZO)
            ids = hecho.stdout.split()
            return ids[0] if len(ids) == 1 else None
        return esperar(buscar, f"one X window of the program titled /{patron}/")

    def activar(self, patron, accesible):
        """Gives the window the input focus and waits until the program knows it."""
        xid = self.ventana_x(patron)
        xdotool("windowactivate", "--sync", xid)
        esperar(lambda: accesible.getState().contains(pyatspi.STATE_ACTIVE),
                f"the window {accesible.name!r} to become active")
        return xid

    def terminar(self, plazo=5.0):
        """Ends the run if it is still going; gives its exit status."""
        if self.vivo():
            self.proceso.send_signal(signal.SIGTERM)
            try:
                self.proceso.wait(plazo)
            except subprocess.TimeoutExpired:
                self.proceso.kill()
                self.proceso.wait(plazo)
        self._salida.close()
        return self.proceso.returncode

    def esperar_fin(self, plazo=PLAZO):
        try:
            return self.proceso.wait(plazo)
        except subprocess.TimeoutExpired:
            raise Fallo(f"the program still runs {plazo:.0f} s after the close request") from None


def enfocado(ventana, papel, nombre):
    """Waits for the control of that role and name to hold the focus."""
    def buscar():
        for nodo in descendientes(ventana):
            if rol(nodo) == papel and nodo.name == nombre and \
                    nodo.getState().contains(pyatspi.STATE_FOCUSED):
                return nodo
        return None
    return esperar(buscar, f"the focus in the {papel} {nombre!r}")


def control(ventana, papel, nombre, descripcion=None):
    return unico((n for n in descendientes(ventana)
                  if rol(n) == papel and n.name == nombre and
                  (descripcion is None or n.description == descripcion)),
                 f"the {papel} {nombre!r}" + (f" ({descripcion!r})" if descripcion else ""))


# Group caption, caption of the value label, its field in the CLI's JSON.
CAMPOS = [
    ("Datos del nodo:", "BBS:", ("nodo", "bbs")),
    ("Datos del nodo:", "Sysop:", ("nodo", "sysop")),
    ("Datos del nodo:", "Ciudad:", ("nodo", "ciudad")),
    ("Datos del punto:", "Nombre:", ("punto", "nombre")),
    ("Datos del punto:", "Nick:", ("punto", "nick")),
    ("Datos del punto:", "Ciudad:", ("punto", "ciudad")),
    ("Datos del punto:", "Teléfono:", ("punto", "telefono")),
]


def valores(ventana):
    """The seven value labels as a screen reader reads them, keyed by their JSON field."""
    leidos = {}
    for grupo, rotulo, campo in CAMPOS:
        panel = unico((n for n in descendientes(ventana)
                       if rol(n) == "panel" and n.name == grupo), f"the group {grupo!r}")
        etiqueta = unico((n for n in descendientes(panel)
                          if rol(n) == "label" and n.description == rotulo),
                         f"the value described {rotulo!r} in {grupo!r}")
        leidos[campo] = etiqueta.name
    return leidos


def estado(ventana):
    """The search window's status line as a screen reader reads it."""
    return unico((n for n in descendientes(ventana)
                  if rol(n) == "label" and n.description == "Resultado de la búsqueda"),
                 "the status line").name


def campos_json(linea):
    return {(grupo, clave): linea[grupo][clave] for _, _, (grupo, clave) in CAMPOS}


def mensaje_de(ventana):
    """The texts of the labels of a message window."""
    return [n.name for n in descendientes(ventana) if rol(n) == "label" and n.name]


def patron_titulo(titulo):
    # The whole title: captions hold no regex characters.
    return "^" + titulo + "$"


def propiedad_x(xid, nombre):
    """The value of an X property of a window as xprop prints it, or None when it is not set."""
    hecho = subprocess.run(["xprop", "-id", str(xid), nombre], capture_output=True, text=True,
                           timeout=PLAZO)
    _, igual, valor = hecho.stdout.strip().partition(" = ")
    return valor if hecho.returncode == 0 and igual else None


def comprobar_titulo(xid, esperado):
    """The title the window manager shows (_NET_WM_NAME, and the older WM_NAME) is `esperado`."""
    for propiedad in ("_NET_WM_NAME", "WM_NAME"):
        valor = propiedad_x(xid, propiedad)
        titulo = valor[1:-1] if valor and valor.startswith('"') else valor
        if titulo != esperado:
            raise Fallo(f"the title bar reads {titulo!r} ({propiedad}), expected exactly "
                        f"{esperado!r}")


def geometria_exterior(xid):
    """(x, y, width, height) of the window with the frame the window manager put around it."""
    def leer():
        extremos = propiedad_x(xid, "_NET_FRAME_EXTENTS")
        return [int(n) for n in extremos.split(",")] if extremos else None
    izquierda, derecha, arriba, abajo = esperar(leer, "the window manager's frame")
    datos = {}
    for linea in subprocess.run(["xwininfo", "-id", str(xid)], capture_output=True, text=True,
                                timeout=PLAZO, check=True).stdout.splitlines():
        clave, _, valor = linea.strip().partition(":")
        datos[clave] = valor.strip()
    x = int(datos["Absolute upper-left X"]) - izquierda
    y = int(datos["Absolute upper-left Y"]) - arriba
    return (x, y, int(datos["Width"]) + izquierda + derecha,
            int(datos["Height"]) + arriba + abajo, arriba)


def ancho_de_texto(texto, fuente="DejaVu-Sans-Bold", puntos=8):
    """Width in pixels of `texto` in the window manager's title font (openbox: sans bold 8)."""
    hecho = subprocess.run(["convert", "-font", fuente, "-pointsize", str(puntos), "-density", "96",
                            f"label:{texto}", "-format", "%w", "info:"],
                           capture_output=True, text=True, timeout=PLAZO, check=True)
    return int(hecho.stdout)


def tamano_pantalla():
    hecho = xdotool("getdisplaygeometry")
    ancho, alto = hecho.split()
    return int(ancho), int(alto)
