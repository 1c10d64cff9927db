"""What the qrtcom tests share: the paths ctest gives them, qrtcalc's answer
for an account, and an account (qrtcalc's JSON form) driven through qrtcom."""
import json
import os
import subprocess
from datetime import date
from decimal import Decimal

import pytest

import qrtcom

SOURCE_DIR = os.environ["QRT_SOURCE_DIR"]
QRTCALC = os.environ["QRTCALC"]
LIBRARY = os.environ["QRTCOM_LIBRARY"]

TOTALS = ["Taxes", "Payments", "Penalties", "DebitInterest", "NormalCreditInterest", "GATTInterest",
          "PenaltyInterest", "Balance"]
FLAGS = ["TableEndWarning", "PaymentPenaltyError", "GattTaxEvent", "ExcessDeposits", "RefundAndPenalty",
         "NonDailyUsed", "HotError", "MotivatedTaxAfter1990", "MotivatedTaxUnder1000", "JurisdictionNotFound",
         "NoEvents", "EventBeforeTableStart", "ComputeDateBeforeEvents", "AccuracyPenalty", "OverRefundError",
         "ComputeBeforeLastEvent", "HotUnder100K", "PenaltyAfterPayment", "NoHotInterestOver100K",
         "GattDoublePayment", "GattAndNotDaily", "FedPensWithNonFedTable", "Penalty6651a3ExceedsTax",
         "Penalties6651a2and3ExceedTax"]


@pytest.fixture(autouse=True)
def private_records(tmp_path, monkeypatch):
    """Every test registers (if at all) into its own XDG_DATA_HOME."""
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "xdg"))


def qrtcalc(account, tmp_path):
    """qrtcalc --json's totals and flags for an account (a dict)."""
    path = tmp_path / "account.json"
    path.write_text(json.dumps(account))
    run = subprocess.run([QRTCALC, "--json", str(path)], capture_output=True, text=True, check=False)
    assert run.returncode in (0, 1), run.stderr
    return json.loads(run.stdout)


def _value(text, kind):
    if text is None:
        return None
    if kind == "DATE":
        return date.fromisoformat(text)
    if kind == "CY":
        return Decimal(str(text))
    if kind == "R8":
        return float(text)
    return int(text)


def drive(engine, account):
    """Puts an account of qrtcalc's JSON form into a QRTEngine and computes it."""
    engine.Jurisdiction = account.get("jurisdiction", "FEDERAL")
    engine.WholeDollarModeEnabled = int(account.get("whole_dollars", False))
    gatt = account.get("gatt", {})
    engine.GattEnabled = int(gatt.get("enabled", False))
    engine.GattThreshold = Decimal(gatt.get("threshold", "10000"))
    lcu = account.get("lcu", {})
    engine.LCUEnabled = int(lcu.get("enabled", False))
    engine.LCU30DayLetterDate = _value(lcu.get("thirty_day_letter"), "DATE")
    engine.LCUApplicableDate = _value(lcu.get("applicable"), "DATE")
    engine.LCURestartEnabled = int(lcu.get("restart_enabled", False))
    engine.LCURestart30DayLetterDate = _value(lcu.get("restart_thirty_day_letter"), "DATE")
    engine.LCURestartApplicableDate = _value(lcu.get("restart_applicable"), "DATE")
    for event in account["events"]:
        args = [getattr(qrtcom, "QRTEventType" + event["type"]), date.fromisoformat(event["date"]),
                Decimal(event["amount"]), Decimal(event.get("gatt_amount", "0"))]
        if event.get("name"):
            engine.AddNamedEvent(*args, event["name"])
        else:
            engine.AddEvent(*args)
    for entry in account.get("penalties", []):
        (method, given), = entry.items()
        # Omitted parameters as qrtcalc takes them: no date, flags and numbers 0.
        args = {name: _value(given.get(name, None if kind == "DATE" else 0), kind)
                for name, kind in qrtcom.parameters(method) if name != "bEnable"}
        getattr(engine, method)(bEnable=1, **args)
    engine.Compute(date.fromisoformat(account["settlement_date"]))
