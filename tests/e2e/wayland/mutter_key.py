# Presses and releases one key on mutter's seat through its remote-desktop
# D-Bus interface: argv[1] is its evdev key code. Prints "sent T", T the
# monotonic clock (seconds) just before the key went. The session's virtual
# keyboard exists only while this connection holds the session.
import sys
import time

from gi.repository import Gio, GLib

SHIFT = 42
key = int(sys.argv[1])
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(path, interface, method, args=None, reply=None):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, args,
                         reply, Gio.DBusCallFlags.NONE, 5000, None)


def tap(session, code):
    for pressed in (True, False):
        call(session, IFACE, "NotifyKeyboardKeycode", GLib.Variant("(ub)", (code, pressed)))


IFACE = "org.gnome.Mutter.RemoteDesktop.Session"
session = call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
               "CreateSession", None, GLib.VariantType("(o)")).unpack()[0]
call(session, IFACE, "Start")
# mutter tells clients of the session's keyboard only with its first key
# event. A Shift tap brings it: the client binds the keyboard after the
# press, so it hears the press only as a key held on entry, then the release.
tap(session, SHIFT)
time.sleep(0.3)
sent = time.monotonic()
tap(session, key)
print("sent", sent, flush=True)
time.sleep(0.3)
call(session, IFACE, "Stop")
