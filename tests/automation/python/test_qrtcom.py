"""qrtcom end to end: accounts against qrtcalc, the report members, refused
arguments and their codes, registration and Dispatch."""
import ctypes
import io
import json
import os
import re
import subprocess
import sys
from contextlib import redirect_stdout
from datetime import date
from decimal import Decimal

import pytest

import qrtcom
from conftest import FLAGS, LIBRARY, SOURCE_DIR, TOTALS, drive, qrtcalc

EXAMPLES = sorted(os.path.join(SOURCE_DIR, "examples", f) for f in os.listdir(os.path.join(SOURCE_DIR, "examples"))
                  if f.endswith(".json"))


def account(settled, events, penalty=None):
    row = {"jurisdiction": "FEDERAL", "settlement_date": settled,
           "events": [{"type": t, "date": d, "amount": a} for t, d, a in events]}
    if penalty:
        row["penalties"] = [penalty]
    return row


MODERN = [("Tax", "2010-04-15", "20000.00"), ("Payment", "2011-06-30", "8000.00")]
OLD = [("Tax", "1986-04-15", "20000.00"), ("Payment", "1987-06-30", "8000.00")]
# One account per penalty family, each with the penalty that family computes.
FAMILIES = {
    "6651a1": account("2012-06-30", MODERN, {"Enable6651A1PenaltyAlt2": {
        "cyAmount": "20000.00", "dReturnDue": "2010-04-15", "dReceivedByIRS": "2010-10-15"}}),
    "6651a2": account("2012-06-30", MODERN, {"Enable6651A2PenaltyAlt1": {
        "cyAmount": "20000.00", "dTaxDue": "2010-04-15"}}),
    "6651a3": account("2012-06-30", MODERN, {"Enable6651A3PenaltyAlt1": {
        "cyAmount": "12000.00", "d1stNotice": "2011-08-01"}}),
    "6653a": account("1988-06-30", OLD, {"Enable6653APenaltyAlt1": {
        "cyAmountSubject": "20000.00", "dTaxDue": "1986-04-15", "dNotice": "1987-01-15"}}),
    "6653b": account("1988-06-30", OLD, {"Enable6653BPenaltyAlt1": {
        "cyAmountSubject": "20000.00", "dTaxDue": "1986-04-15", "dNotice": "1987-01-15"}}),
    "6659": account("1988-06-30", OLD, {"Enable6659PenaltyAlt1": {
        "cyAmountSubject": "20000.00", "dReturnDue": "1986-04-15", "dPercent": 30}}),
    # 6659A applies to tax due from 23 October 1986 on.
    "6659A": account("1989-06-30", [("Tax", "1987-04-15", "20000.00")], {"Enable6659APenalty": {
        "cyAmountSubject": "20000.00", "dNotice": "1988-01-15", "dPercent": 20}}),
    "6660": account("1988-06-30", OLD, {"Enable6660PenaltyAlt1": {
        "cyAmountSubject": "20000.00", "dReturnDue": "1986-04-15", "dPercent": 20}}),
    "6661": account("1988-06-30", OLD, {"Enable6661PenaltyAlt2": {
        "cyAmountSubject": "20000.00", "dReturnDue": "1986-04-15"}}),
    "6662": account("2012-06-30", MODERN, {"Enable6662CPenalty": {
        "cyAmountSubject": "20000.00", "dReturnDue": "2010-04-15"}}),
    "6663": account("2012-06-30", MODERN, {"Enable6663Penalty": {
        "cyAmountSubject": "20000.00", "dReturnDue": "2010-04-15"}}),
}


def assert_same_as_qrtcalc(row, tmp_path):
    expected = qrtcalc(row, tmp_path)
    engine = qrtcom.QRTEngine()
    drive(engine, row)
    for name in TOTALS:
        assert getattr(engine, name) == Decimal(expected[name]), name
    assert bool(engine.ErrorsDetected) == bool(expected["ErrorsDetected"])
    for name in FLAGS:
        assert bool(getattr(engine, name)) == expected["Warnings"][name], name
    return engine


@pytest.mark.parametrize("path", EXAMPLES, ids=os.path.basename)
def test_examples_total_as_qrtcalc(path, tmp_path):
    with open(path, encoding="utf-8") as f:
        assert_same_as_qrtcalc(json.load(f), tmp_path)


@pytest.mark.parametrize("family", FAMILIES)
def test_penalty_family_totals_as_qrtcalc(family, tmp_path):
    engine = assert_same_as_qrtcalc(FAMILIES[family], tmp_path)
    assert engine.Penalties > 0


def readme_example():
    readme = open(os.path.join(SOURCE_DIR, "README.md"), encoding="utf-8").read()
    code = re.search(r"<!-- qrtcom example -->\s*```python\n(.*?)```", readme, re.S).group(1)
    assert len(code.strip().splitlines()) == 5
    return code


def test_readme_python_example_runs_as_written(tmp_path):
    out = io.StringIO()
    with redirect_stdout(out):
        exec(readme_example(), {})
    same = account("2022-04-15", [("Tax", "2021-04-15", "5000.00")])
    assert out.getvalue().strip() == qrtcalc(same, tmp_path)["Balance"]


def test_installed_module_finds_library_and_data(tmp_path):
    prefix = tmp_path / "prefix"
    subprocess.run([os.environ["CMAKE"], "--install", os.environ["QRT_BUILD_DIR"], "--prefix", str(prefix)],
                   check=True, capture_output=True)
    assert (prefix / "include" / "QRTCom" / "QRTCom.h").is_file()
    assert (prefix / "include" / "QRTCom" / "QRTComInterface.h").is_file()
    env = {k: v for k, v in os.environ.items() if k not in ("QRT_ENGINE_DIR", "PYTHONPATH")}
    env["PYTHONPATH"] = str(prefix / "lib" / "python3" / "dist-packages")
    code = "import qrtcom\nassert qrtcom.__file__.startswith(%r)\n" % str(prefix) + readme_example()
    run = subprocess.run([sys.executable, "-c", code], env=env, cwd=tmp_path, capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    assert run.stdout.strip() == "5154.38"  # the value the build tree's module gives (test above)


def test_results_and_flags_wait_for_compute():
    engine = qrtcom.QRTEngine()
    for name in TOTALS + FLAGS + ["ErrorsDetected"]:
        with pytest.raises(qrtcom.Error) as raised:
            getattr(engine, name)
        assert raised.value.hresult == qrtcom.E_PENDING == 0x8000000A


def test_report_pages_and_file(tmp_path):
    engine = qrtcom.QRTEngine()
    drive(engine, FAMILIES["6651a2"])
    text = engine.Report
    assert "Balance" in text and text.endswith("\n")
    starts = [engine.PageStart(page) for page in range(engine.NumPages)]
    assert starts[0] == 0 and all(s == 0 or text[s - 1] == "\n" for s in starts)
    target = tmp_path / "report.txt"
    engine.WriteReport(str(target), 0)
    engine.WriteReport(str(target), 1)
    assert target.read_text() == text + text


def bad(member, *args):
    return lambda engine: getattr(engine, member)(*args)


def bad_put(name, value):
    return lambda engine: setattr(engine, name, value)


DAY = date(2021, 4, 15)
# (call, HRESULT, argument named in the error or None)
BAD_ARGUMENTS = [
    (bad("AddEvent", 7, DAY, Decimal(1), Decimal(0)), 0x80070057, None),
    (bad("AddEvent", 0, DAY, Decimal(-1), Decimal(0)), 0x80070057, None),
    (bad("AddEvent", 0, DAY, 1.5, Decimal(0)), 0x80020005, "cyAmount"),
    (bad("AddEvent", 0, "2021-04-15", Decimal(1), Decimal(0)), 0x80020005, "dDate"),
    (bad("AddEvent", 0, DAY, Decimal("0.00001"), Decimal(0)), 0x80020005, "cyAmount"),
    (bad("AddEvent", 0, DAY, Decimal("1e20"), Decimal(0)), 0x8002000A, "cyAmount"),
    # More digits than the decimal context's precision: refused, not rounded to 1.
    (bad("AddEvent", 0, DAY, Decimal("1.00000000000000000000000000001"), Decimal(0)), 0x80020005, "cyAmount"),
    (bad("AddEvent", 0, DAY, Decimal("1e999999"), Decimal(0)), 0x8002000A, "cyAmount"),
    (bad("AddEvent", 0, DAY, Decimal("922337203685477.5808"), Decimal(0)), 0x8002000A, "cyAmount"),
    (bad("AddEvent", 0, DAY, Decimal(1)), 0x8002000E, None),
    (bad("AddNamedEvent", 0, DAY, Decimal(1), Decimal(0), 5), 0x80020005, "bsEventName"),
    (bad("AddNamedEvent", 0, DAY, Decimal(1), Decimal(0), "\ud800"), 0x80020005, "bsEventName"),
    (bad("Compute", date(1953, 12, 31)), 0x80070057, "dSettledate"),
    (bad("Enable6659PenaltyAlt1", 1, Decimal(100), date(1986, 4, 15), 25.0), 0x80070057, None),
    (bad("Enable6659PenaltyAlt1", 1, Decimal(100), date(1990, 1, 1), 20.0), 0x80070057, None),
    (bad("PageStart", -1), 0x80070057, "iPageNum"),
    (bad("WriteReport", "/no/such/folder/report.txt", 0), 0x8007006E, None),
    (bad_put("LCUApplicableDate", date(2200, 1, 1)), 0x80070057, "value"),
    (bad_put("LinesPerPage", 2 ** 31), 0x8002000A, "value"),
    (bad_put("GattThreshold", 10.0), 0x80020005, "value"),
]


@pytest.mark.parametrize("call, hresult, argument", BAD_ARGUMENTS)
def test_bad_arguments_raise_their_code(call, hresult, argument):
    engine = qrtcom.QRTEngine()
    with pytest.raises(qrtcom.Error) as raised:
        call(engine)
    error = raised.value
    assert error.hresult == hresult
    assert error.argument == argument
    assert str(error).startswith(error.member + ":") and f"0x{hresult:08X}" in str(error)
    if argument and argument != "value":
        assert argument in str(error)


def test_names_outside_the_interface_are_attribute_errors():
    engine = qrtcom.QRTEngine()
    with pytest.raises(AttributeError):
        engine.NoSuchMember
    with pytest.raises(AttributeError, match="read-only"):
        engine.Balance = Decimal(1)
    assert "AddEvent" in dir(engine) and qrtcom.QRTEventTypeIRSCheck == 9


def test_register_dispatch_unregister(tmp_path):
    records = tmp_path / "xdg" / "QRTCom"
    library = ctypes.CDLL(LIBRARY)
    with pytest.raises(qrtcom.Error) as raised:
        qrtcom.Dispatch("QRTCom.QRTEngine")
    assert raised.value.hresult == qrtcom.REGDB_E_CLASSNOTREG
    records.mkdir(parents=True)
    (records / "other.txt").write_text("not ours")
    assert library.DllRegisterServer() == 0
    first = sorted(p.name for p in records.rglob("*"))
    assert library.DllRegisterServer() == 0
    assert sorted(p.name for p in records.rglob("*")) == first
    for progid in ("QRTCom.QRTEngine", "QRTCom.QRTEngine.1"):
        engine = qrtcom.Dispatch(progid)
        drive(engine, FAMILIES["6662"])
        direct = qrtcom.QRTEngine()
        drive(direct, FAMILIES["6662"])
        assert engine.Balance == direct.Balance
    assert library.DllUnregisterServer() == 0
    with pytest.raises(qrtcom.Error, match="QRTCom.QRTEngine.*not registered") as raised:
        qrtcom.Dispatch("QRTCom.QRTEngine")
    assert raised.value.hresult == 0x80040154
    assert (records / "other.txt").read_text() == "not ours"
