"""D-Bus clients of QRTComServer for the tests: python3-dbus connections that
describe an account through the engine object's members, as any script would.
The account is a qrtcalc account file (examples/), so results can be compared
with qrtcalc's."""
import datetime
import decimal
import json
import os
import subprocess
import time
import xml.etree.ElementTree as ElementTree

import dbus

BUS_NAME = "com.veltrin.QRTComServer"
FACTORY_PATH = "/com/veltrin/QRTComServer"
ENGINE = "com.veltrin.IQRTEngine"
PROPS = "org.freedesktop.DBus.Properties"
SERVER = os.environ["QRT_SERVER"]
QRTCALC = os.environ["QRT_QRTCALC"]
SOURCE_DIR = os.environ["QRT_SOURCE_DIR"]
TOTALS = ["Taxes", "Payments", "Penalties", "DebitInterest", "NormalCreditInterest", "GATTInterest",
          "PenaltyInterest", "Balance"]
EVENT_KINDS = {"Tax": 0, "MotivatedTax": 1, "Payment": 2, "Deposit": 3, "UserPenalty": 4,
               "StopInterest": 5, "StartInterest": 6, "IRSCheck": 9}


def ole_date(text):
    """An OLE date (days since 30 December 1899) of "YYYY-MM-DD"; -1 for none."""
    if text is None:
        return -1.0
    return float((datetime.date.fromisoformat(text) - datetime.date(1899, 12, 30)).days)


def currency(text):
    """CY (dollars x 10000) of a dollar string."""
    return int(decimal.Decimal(str(text)) * 10000)


def dollars(cy):
    return f"{decimal.Decimal(int(cy)) / 10000:.2f}"


def example(name):
    with open(os.path.join(SOURCE_DIR, "examples", name), encoding="utf-8") as f:
        return json.load(f)


def connect():
    """A client of its own (a private connection: its own unique name)."""
    return dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])


def register(option="-RegServer"):
    return subprocess.run([SERVER, option], capture_output=True, text=True, timeout=30)


def server_pid(bus):
    daemon = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
    return int(daemon.GetConnectionUnixProcessID(BUS_NAME, dbus_interface="org.freedesktop.DBus"))


def server_running(bus):
    daemon = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
    return bool(daemon.NameHasOwner(BUS_NAME, dbus_interface="org.freedesktop.DBus"))


def wait_for(condition, seconds=10.0):
    """Polls condition until it holds; False when the deadline passes."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.02)
    return condition()


def live_objects(bus):
    """Paths of the engine objects the server serves (its introspection's child nodes)."""
    node = bus.get_object(BUS_NAME, FACTORY_PATH + "/QRTEngine", introspect=False)
    try:
        xml = node.Introspect(dbus_interface="org.freedesktop.DBus.Introspectable")
    except dbus.DBusException:
        return []
    return [n.get("name") for n in ElementTree.fromstring(xml).findall("node")]


class Engine:
    """One engine object created through the class factory by bus."""

    def __init__(self, bus):
        self.bus = bus
        factory = bus.get_object(BUS_NAME, FACTORY_PATH, introspect=False)
        self.path = str(factory.CreateInstance(dbus_interface="com.veltrin.IClassFactory"))
        self.proxy = bus.get_object(BUS_NAME, self.path, introspect=False)
        self.methods = None

    def call(self, member, *args):
        return getattr(self.proxy, member)(*args, dbus_interface=ENGINE)

    def get(self, name):
        return self.proxy.Get(ENGINE, name, dbus_interface=PROPS)

    def set(self, name, value):
        self.proxy.Set(ENGINE, name, value, dbus_interface=PROPS, signature="ssv")

    def arguments(self, method):
        """The in-argument names of method, from the object's introspection."""
        if self.methods is None:
            xml = self.proxy.Introspect(dbus_interface="org.freedesktop.DBus.Introspectable")
            interface = [i for i in ElementTree.fromstring(xml).findall("interface") if i.get("name") == ENGINE][0]
            self.methods = {m.get("name"): [a.get("name") for a in m.findall("arg") if a.get("direction") != "out"]
                            for m in interface.findall("method")}
        return self.methods[method]

    def describe(self, account):
        """Inputs of a qrtcalc account file, member by member."""
        self.call("Init")
        self.set("Jurisdiction", account.get("jurisdiction", "FEDERAL"))
        for event in account["events"]:
            self.call("AddNamedEvent", dbus.Int32(EVENT_KINDS[event["type"]]), ole_date(event["date"]),
                      dbus.Int64(currency(event.get("amount", 0))), dbus.Int64(currency(event.get("gatt_amount", 0))),
                      event.get("name", ""))
        for entry in account.get("penalties", []):
            (method, given), = entry.items()
            args = []
            for name in self.arguments(method):
                value = given.get(name)
                if name == "bEnable":
                    args.append(dbus.Int32(1))
                elif name.startswith("cy"):
                    args.append(dbus.Int64(currency(value)))
                elif name == "dPercent":
                    args.append(float(value))
                elif name.startswith("d"):
                    args.append(ole_date(value))
                else:
                    args.append(dbus.Int32(int(value or 0)))
            self.call(method, *args)

    def compute(self, account):
        self.describe(account)
        self.call("Compute", ole_date(account["settlement_date"]))
        return {name: dollars(self.get(name)) for name in TOTALS}


def qrtcalc_totals(name):
    out = subprocess.run([QRTCALC, "--json", os.path.join(SOURCE_DIR, "examples", name)],
                         capture_output=True, text=True, check=True, timeout=60)
    result = json.loads(out.stdout)
    return {total: result[total] for total in TOTALS}
