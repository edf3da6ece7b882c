"""wm_delete.py <window id>: asks the window to close the way a window
manager's close button does, with a WM_PROTOCOLS client message carrying
WM_DELETE_WINDOW (xdotool's windowclose destroys the window instead)."""
import ctypes
import sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]


class ClientMessage(ctypes.Structure):  # XClientMessageEvent, padded to the size of an XEvent
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


display = x11.XOpenDisplay(None)
event = ClientMessage(type=33, window=int(sys.argv[1]), format=32,
                      message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0))
event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
if not display or not x11.XSendEvent(display, event.window, 0, 0, ctypes.byref(event)):
    sys.exit("could not send the close request")
x11.XFlush(ctypes.c_void_p(display))
