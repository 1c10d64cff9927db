#!/usr/bin/python3
"""Builds what QRTComServer is generated from, out of the interface
description IQRTEngine.xml and ServerInterfaces.xml (class factory, Release):

- SERVER.xml: one D-Bus introspection document with both, without the
  automation annotations (D-Bus has no use for them), for sdbus-c++-xml2cpp;
- BINDING.h: class EngineMembers, which implements every member of the
  generated IQRTEngine adaptor by calling the CQRTEngine member of the same
  name (Method -> Name, Get -> get_Name, Put -> put_Name) through Invoke,
  where the server checks the caller and turns a failing HRESULT into a
  D-Bus error.

Usage: server_interfaces.py IQRTEngine.xml ServerInterfaces.xml SERVER.xml BINDING.h
"""
import os
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import describe_interface  # noqa: E402  (the description's own reader)

# C++ types of the generated adaptor's arguments, by D-Bus type.
ADAPTOR_TYPES = {"i": "int32_t", "x": "int64_t", "d": "double", "s": "std::string"}
DOCTYPE = ('<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"\n'
           ' "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">\n')


def strip_automation(element):
    for child in list(element):
        if child.tag == "annotation" and child.get("name", "").startswith(describe_interface.PREFIX):
            element.remove(child)
        else:
            strip_automation(child)
    if len(element) == 0:
        element.text = None


def merged_document(description, extra):
    root = ElementTree.parse(description).getroot()
    strip_automation(root)
    interfaces = {i.get("name"): i for i in root.findall("interface")}
    for interface in ElementTree.parse(extra).getroot().findall("interface"):
        target = interfaces.get(interface.get("name"))
        if target is None:
            root.append(interface)
        else:
            target.extend(list(interface))
    ElementTree.indent(root)
    return DOCTYPE + ElementTree.tostring(root, encoding="unicode") + "\n"


def dbus_types(interface):
    """D-Bus type of every (member, argument) of the description."""
    types = {}
    for element in interface:
        if element.tag == "property":
            types[(element.get("name"), "pVal")] = element.get("type")
            types[(element.get("name"), "")] = element.get("type")
        for arg in element.findall("arg"):
            types[(element.get("name"), arg.get("name"))] = arg.get("type")
    return types


def binding(description):
    interface = ElementTree.parse(description).getroot().find("interface")
    members = describe_interface.read_members(interface)
    describe_interface.check_members(members)
    types = dbus_types(interface)
    out = ["// Generated from IQRTEngine.xml by server_interfaces.py; do not edit.",
           "#pragma once", "", "#include <cstdint>", "#include <functional>", "#include <string>", "",
           '#include "automation/CQRTEngine.h"', '#include "QRTComServerAdaptor.h"', "",
           "class EngineMembers : public com::veltrin::IQRTEngine_adaptor {",
           "public:",
           "    using com::veltrin::IQRTEngine_adaptor::IQRTEngine_adaptor;", "",
           "protected:",
           "    // Runs one call of the object's client: checks the caller, then the",
           "    // member; a failing HRESULT leaves as a D-Bus error (throws sdbus::Error).",
           "    virtual void Invoke(const std::function<HRESULT(CQRTEngine&)>& member) = 0;", "",
           "private:"]
    for _, name, kind, params, _ in members:
        ins = [(p, ADAPTOR_TYPES[types[(name, p)]]) for p, _, d in params if d == "In"]
        retval = [ADAPTOR_TYPES[types[(name, p)]] for p, _, d in params if d == "Retval"]
        if kind == "Put":
            ins = [("value", ADAPTOR_TYPES[types[(name, "")]])]
        decl = ", ".join(f"const {t}& {p}" for p, t in ins)
        call = ", ".join(p for p, _ in ins)
        member = {"Method": name, "Get": "get_" + name, "Put": "put_" + name}[kind]
        if retval:
            call = f"{call}, &result" if call else "&result"
            out += [f"    {retval[0]} {name}({decl}) override {{",
                    f"        {retval[0]} result{{}};",
                    f"        Invoke([&](CQRTEngine& e) {{ return e.{member}({call}); }});",
                    "        return result;", "    }"]
        else:
            out += [f"    void {name}({decl}) override {{",
                    f"        Invoke([&](CQRTEngine& e) {{ return e.{member}({call}); }});", "    }"]
    out.append("};")
    return "\n".join(out) + "\n"


def write(path, text):
    with open(path + ".tmp", "w", encoding="utf-8") as out:
        out.write(text)
    os.replace(path + ".tmp", path)


def main():
    if len(sys.argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    try:
        document = merged_document(sys.argv[1], sys.argv[2])
        header = binding(sys.argv[1])
    except (describe_interface.DescriptionError, ElementTree.ParseError, KeyError, ValueError) as fault:
        sys.stderr.write(f"server_interfaces.py: {fault}\n")
        return 1
    write(sys.argv[3], document)
    write(sys.argv[4], header)
    return 0


if __name__ == "__main__":
    sys.exit(main())
