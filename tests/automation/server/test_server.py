"""QRTComServer on a private session bus, through real clients (python3-dbus,
gdbus, busctl). Run by run_on_private_bus.sh; QRT_IDLE_SECONDS is small."""
import os
import signal
import subprocess
import sys
import threading
import xml.etree.ElementTree as ElementTree

import dbus
import pytest

from server_clients import (BUS_NAME, ENGINE, SERVER, SOURCE_DIR, QRTCALC, Engine, connect, example,
                            live_objects, qrtcalc_totals, register, server_pid, server_running, wait_for)

SERVICE_FILE = os.path.join(os.environ["XDG_DATA_HOME"], "dbus-1", "services", BUS_NAME + ".service")
ACCOUNT = "late-payment.json"


def error_name(call):
    with pytest.raises(dbus.DBusException) as caught:
        call()
    return caught.value.get_dbus_name()


@pytest.fixture
def bus():
    assert register().returncode == 0
    connection = connect()
    yield connection
    connection.close()


def test_activated_server_computes_as_qrtcalc(bus, tmp_path):
    with open(SERVICE_FILE, encoding="utf-8") as f:
        assert f.read() == f"[D-BUS Service]\nName={BUS_NAME}\nExec={SERVER}\n"
    assert not server_running(bus)
    engine = Engine(bus)  # the bus starts the server for this call
    assert engine.get("DefaultDirectory") == os.path.dirname(SERVER) + "/"
    assert engine.compute(example(ACCOUNT)) == qrtcalc_totals(ACCOUNT)
    assert engine.get("ErrorsDetected") == 0
    report = str(engine.get("Report"))
    engine.call("WriteReport", str(tmp_path / "report.txt"), 0)
    assert (tmp_path / "report.txt").read_text(encoding="utf-8") == report
    if "--report" in subprocess.run([QRTCALC, "--help"], capture_output=True, text=True).stdout:
        cli = subprocess.run([QRTCALC, "--report", os.path.join(SOURCE_DIR, "examples", ACCOUNT)],
                             capture_output=True, text=True, check=True)
        assert cli.stdout == report


def test_clients_own_their_objects(bus):
    other = connect()
    mine, theirs = Engine(bus), Engine(other)
    assert mine.path != theirs.path
    theirs.set("Jurisdiction", "THEIRS")
    intruder = Engine(bus)
    intruder.proxy = bus.get_object(BUS_NAME, theirs.path, introspect=False)
    denied = "org.freedesktop.DBus.Error.AccessDenied"
    assert error_name(lambda: intruder.call("Init")) == denied
    assert error_name(lambda: intruder.get("Jurisdiction")) == denied
    assert error_name(lambda: intruder.set("Jurisdiction", "MINE")) == denied
    assert error_name(lambda: intruder.call("Release")) == denied
    busctl = subprocess.run(["busctl", "--user", "call", BUS_NAME, theirs.path, ENGINE, "Init"],
                            capture_output=True, text=True)
    assert busctl.returncode != 0 and "Access denied" in busctl.stderr
    assert theirs.get("Jurisdiction") == "THEIRS" and mine.get("Jurisdiction") == "FEDERAL"
    # GetAll answers everyone: the owner with values (0 where a get fails), others with 0 and "".
    owner_view = theirs.proxy.GetAll(ENGINE, dbus_interface="org.freedesktop.DBus.Properties")
    other_view = intruder.proxy.GetAll(ENGINE, dbus_interface="org.freedesktop.DBus.Properties")
    assert (owner_view["Jurisdiction"], owner_view["Taxes"], owner_view["ObjectVersion"]) == ("THEIRS", 0, 10400)
    assert (other_view["Jurisdiction"], other_view["ObjectVersion"]) == ("", 0) and len(other_view) == 61
    theirs.call("Release")
    assert error_name(lambda: theirs.get("Jurisdiction")) == "org.freedesktop.DBus.Error.UnknownObject"
    other.close()


def test_a_client_that_leaves_loses_its_objects(bus):
    # A client process killed while its object lives, and gdbus, which leaves
    # right after its call.
    child = subprocess.Popen([sys.executable, "-c",
                              "import sys, time, server_clients as c\n"
                              "e = c.Engine(c.connect()); e.bus.call_blocking(c.BUS_NAME, c.FACTORY_PATH,"
                              " 'com.veltrin.IClassFactory', 'LockServer', 'b', (True,))\n"
                              "print(e.path, flush=True); time.sleep(60)"],
                             stdout=subprocess.PIPE, text=True, cwd=os.path.dirname(__file__))
    path = child.stdout.readline().strip()
    keeper = Engine(bus)
    assert path in [keeper.path.rsplit("/", 1)[0] + "/" + n for n in live_objects(bus)]
    child.send_signal(signal.SIGKILL)
    child.wait()
    assert wait_for(lambda: live_objects(bus) == [keeper.path.rsplit("/", 1)[1]])
    gdbus = subprocess.run(["gdbus", "call", "--session", "-d", BUS_NAME, "-o", "/com/veltrin/QRTComServer",
                            "-m", "com.veltrin.IClassFactory.CreateInstance"], capture_output=True, text=True)
    assert gdbus.returncode == 0 and "/QRTEngine/" in gdbus.stdout
    assert wait_for(lambda: live_objects(bus) == [keeper.path.rsplit("/", 1)[1]])
    keeper.call("Release")
    # The killed client's server lock went with it: the server goes idle and exits.
    assert wait_for(lambda: not server_running(bus))


def test_idle_exit_only_without_objects_and_reuse_within_the_idle_time():
    idle = float(os.environ["QRT_IDLE_SECONDS"])
    server = subprocess.Popen([SERVER, "-Embedding"])  # an unknown option serves
    bus = connect()
    assert wait_for(lambda: server_running(bus))
    engine = Engine(bus)
    with pytest.raises(subprocess.TimeoutExpired):
        server.wait(timeout=idle * 2)  # an object lives: the server stays
    engine.call("Release")
    again = Engine(bus)  # within the idle time: the same process serves it
    assert server_pid(bus) == server.pid
    again.call("Release")
    assert server.wait(timeout=idle + 10) == 0
    bus.close()


@pytest.mark.parametrize("register_as,unregister_as", [
    ("/regserver", "-UNREGSERVER"),
    ("-RegServer", "/UnRegServer"),
    ("/REGSERVER", "/unregserver"),
])
def test_registration_options_in_any_form(register_as, unregister_as):
    records = os.path.join(os.environ["XDG_DATA_HOME"], "QRTCom", "HKEY_CLASSES_ROOT")
    assert register(register_as).returncode == 0
    assert os.path.isfile(SERVICE_FILE)
    with open(os.path.join(records, "CLSID", "{47EF5C1C-DE75-428C-9DFC-9EBE3117D1EE}.reg"), encoding="utf-8") as f:
        assert f"\\LocalServer32]\n@={SERVER}\n" in f.read()
    assert os.path.isfile(os.path.join(records, "AppID", "QRTComServer.EXE.reg"))
    assert register(unregister_as).returncode == 0
    assert not os.path.exists(SERVICE_FILE)
    assert [files for _, _, files in os.walk(records) if files] == []
    assert register(unregister_as).returncode == 0  # nothing left to remove is no failure


@pytest.mark.parametrize("blocked", ["dbus-1", "QRTCom"])  # the service folder; the records (written second)
def test_failed_registration_reports_and_leaves_no_service_file(tmp_path, blocked):
    (tmp_path / blocked).write_text("a file where a folder belongs")
    run = subprocess.run([SERVER, "-RegServer"], capture_output=True, text=True,
                         env=dict(os.environ, XDG_DATA_HOME=str(tmp_path)))
    assert run.returncode == 1 and "(HRESULT 0x8" in run.stderr
    assert not (tmp_path / "dbus-1" / "services" / (BUS_NAME + ".service")).exists()


def test_introspection_lists_every_member_of_the_description(bus):
    engine = Engine(bus)
    out = subprocess.run(["busctl", "--user", "introspect", BUS_NAME, engine.path, ENGINE],
                         capture_output=True, text=True, check=True).stdout
    served = {}
    for line in out.splitlines()[1:]:
        name, kind, signature, _value, *flags = line.split(None, 4)
        served[name.lstrip(".")] = (kind, signature, "writable" in " ".join(flags))
    described = {"Release": ("method", "-", False)}
    interface = ElementTree.parse(os.path.join(SOURCE_DIR, "automation", "IQRTEngine.xml")).find("interface")
    for member in interface:
        if member.tag == "method":
            ins = "".join(a.get("type") for a in member.findall("arg") if a.get("direction") != "out")
            described[member.get("name")] = ("method", ins or "-", False)
        elif member.tag == "property":
            described[member.get("name")] = ("property", member.get("type"), member.get("access") == "readwrite")
    served.pop(ENGINE, None)
    assert served == described
    assert len(described) == 32 + 61 + 1


def test_failing_members_give_named_errors(bus, tmp_path):
    engine = Engine(bus)
    prefix = "com.veltrin.QRTEngine.Error."
    with pytest.raises(dbus.DBusException) as caught:
        engine.get("Taxes")
    assert caught.value.get_dbus_name() == prefix + "Pending" and "0x8000000A" in caught.value.get_dbus_message()
    assert error_name(lambda: engine.call("AddEvent", dbus.Int32(7), 44000.0, dbus.Int64(0), dbus.Int64(0))) \
        == prefix + "InvalidArg"
    assert error_name(lambda: engine.call("WriteReport", str(tmp_path / "missing" / "r.txt"), 0)) \
        == prefix + "OpenFailed"
    factory = bus.get_object(BUS_NAME, "/com/veltrin/QRTComServer", introspect=False)
    assert error_name(lambda: factory.LockServer(False, dbus_interface="com.veltrin.IClassFactory")) \
        == prefix + "InvalidArg"


def rss_kib(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as f:
        return int(next(line for line in f if line.startswith("VmRSS:")).split()[1])


def test_hundred_clients_at_once(bus):
    expected = qrtcalc_totals(ACCOUNT)
    account = example(ACCOUNT)
    factory = bus.get_object(BUS_NAME, "/com/veltrin/QRTComServer", introspect=False)
    factory.LockServer(True, dbus_interface="com.veltrin.IClassFactory")  # one process for both rounds
    pid = server_pid(bus)

    def round_of(clients):
        answers, start = [None] * clients, threading.Barrier(clients)

        def client(i):
            connection = connect()
            start.wait()
            engine = Engine(connection)
            answers[i] = engine.compute(account)
            if i % 2 == 0:
                engine.call("Release")
            connection.close()

        threads = [threading.Thread(target=client, args=(i,)) for i in range(clients)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        assert answers == [expected] * clients
        assert wait_for(lambda: live_objects(bus) == [])
        return rss_kib(pid)

    round_of(100)  # warms up: the table cache, the bus's queues, pages of code
    first = round_of(100)
    second = round_of(100)
    print(f"server RSS after round 1: {first} KiB, after round 2: {second} KiB")
    assert server_pid(bus) == pid
    # The heap's high-water marks (the bus's queues at each round's peak) move
    # by up to about 1.7 % (220 KiB); the inputs of one object alone are 57 KiB,
    # so five objects lost per round already show.
    # (AddressSanitizer keeps freed memory in quarantine: there resident size means nothing.)
    assert second <= first * 1.02 or os.environ.get("QRT_SANITIZE")
    factory.LockServer(False, dbus_interface="com.veltrin.IClassFactory")
