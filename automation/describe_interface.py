#!/usr/bin/python3
"""Turns the interface description IQRTEngine.xml into IQRTEngineDescription.h
(C++ tables of the members, their parameters and the identifiers; see
InterfaceDescription.h).

Usage: describe_interface.py IQRTEngine.xml OUTPUT.h [CHECK.cpp]

CHECK.cpp, when asked for, holds one static_assert per member that
CQRTEngine has that member with the C++ signature its description gives
(Method -> Name, Get -> get_Name, Put -> put_Name; see CQRTEngine.h), so that
the object cannot drift from its description either.

The description is checked on the way: every member has a DISPID, no DISPID
serves two members (except a property's get and put), the types are known,
and every identifier is present. Any fault stops the build with its place.
"""
import os
import sys
import xml.etree.ElementTree as ElementTree

PREFIX = "com.veltrin.Automation."
DEFAULT_TYPES = {"i": "I4", "x": "CY", "s": "BSTR", "d": "DATE"}
# Automation types an annotation may name, with the D-Bus type they travel as.
NAMED_TYPES = {"R8": "d", "QRTEventType": "i"}
IDENTIFIERS = [
    ("libraryName", "Library"), ("libraryId", "Library.Id"), ("libraryVersion", "Library.Version"),
    ("libraryLcid", "Library.Lcid"), ("libraryHelpString", "Library.HelpString"),
    ("serverLibraryName", "ServerLibrary"), ("serverLibraryHelpString", "ServerLibrary.HelpString"),
    ("coclassName", "CoClass"), ("coclassId", "CoClass.Id"), ("coclassHelpString", "CoClass.HelpString"),
    ("progId", "ProgId"), ("versionIndependentProgId", "VersionIndependentProgId"),
    ("threadingModel", "ThreadingModel"), ("appId", "AppId"), ("appIdName", "AppId.Name"),
]


class DescriptionError(Exception):
    pass


def annotations(element):
    found = {}
    for a in element.findall("annotation"):
        name = a.get("name", "")
        if name.startswith(PREFIX):
            found[name[len(PREFIX):]] = a.get("value", "")
    return found


def required(found, key, place):
    if key not in found:
        raise DescriptionError(f"{place}: missing annotation {PREFIX}{key}")
    return found[key]


def automation_type(element, place):
    dbus_type = element.get("type", "")
    named = annotations(element).get("Type")
    if named is not None:
        if NAMED_TYPES.get(named) != dbus_type:
            raise DescriptionError(f"{place}: type {named} does not travel as D-Bus type '{dbus_type}'")
        return named
    if dbus_type not in DEFAULT_TYPES:
        raise DescriptionError(f"{place}: D-Bus type '{dbus_type}' has no automation type")
    return DEFAULT_TYPES[dbus_type]


def read_members(interface):
    """(dispId, name, kind, [(name, type, direction)], help) in document order."""
    members = []
    for element in interface:
        if element.tag not in ("method", "property"):
            continue
        name = element.get("name", "")
        place = f"{element.tag} {name}"
        found = annotations(element)
        dispid = int(required(found, "DispId", place))
        help_string = required(found, "HelpString", place)
        if element.tag == "method":
            params = []
            for arg in element.findall("arg"):
                direction = "In" if arg.get("direction", "in") == "in" else "Retval"
                params.append((arg.get("name", ""), automation_type(arg, f"{place} argument {arg.get('name')}"),
                               direction))
            kind = found.get("Kind", "Method")
            kind = {"Method": "Method", "get": "Get"}.get(kind)
            if kind is None:
                raise DescriptionError(f"{place}: Kind must be 'get' when given")
            retvals = [p for p in params if p[2] == "Retval"]
            if kind == "Method" and retvals:
                raise DescriptionError(f"{place}: a method returns only its HRESULT")
            if kind == "Get" and (len(retvals) != 1 or params[-1][2] != "Retval"):
                raise DescriptionError(f"{place}: a get has one out argument, the last")
            members.append((dispid, name, kind, params, help_string))
        else:
            access = element.get("access", "")
            value_type = automation_type(element, place)
            if access not in ("read", "readwrite"):
                raise DescriptionError(f"{place}: access must be 'read' or 'readwrite'")
            members.append((dispid, name, "Get", [("pVal", value_type, "Retval")], help_string))
            if access == "readwrite":
                members.append((dispid, name, "Put", [("", value_type, "In")], help_string))
    return members


def check_members(members):
    owner = {}
    for dispid, name, kind, _, _ in members:
        if dispid in owner and owner[dispid] != name:
            raise DescriptionError(f"DISPID {dispid} serves both {owner[dispid]} and {name}")
        owner[dispid] = name
    seen = set()
    for _, name, kind, _, _ in members:
        if (name, kind) in seen:
            raise DescriptionError(f"{name} ({kind}) is described twice")
        seen.add((name, kind))


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


# C++ types of the object's members, by automation type.
CPP_IN = {"I4": "int32_t", "CY": "CY", "DATE": "DATE", "R8": "double", "BSTR": "const std::string&",
          "QRTEventType": "int32_t"}
CPP_OUT = {"I4": "int32_t*", "CY": "CY*", "DATE": "DATE*", "R8": "double*", "BSTR": "std::string*",
           "QRTEventType": "int32_t*"}


def binding_check(members):
    out = ["// Generated from IQRTEngine.xml by describe_interface.py; do not edit.",
           "// Compiles only when CQRTEngine has every described member with its signature.",
           '#include <type_traits>', "", '#include "automation/CQRTEngine.h"', ""]
    for _, name, kind, params, _ in members:
        member = {"Method": name, "Get": "get_" + name, "Put": "put_" + name}[kind]
        types = ", ".join((CPP_IN if d == "In" else CPP_OUT)[t] for _, t, d in params)
        out.append(f"static_assert(std::is_same_v<decltype(&CQRTEngine::{member}), HRESULT (CQRTEngine::*)({types})>,")
        out.append(f'              "CQRTEngine::{member} differs from its description");')
    return "\n".join(out) + "\n"


def read_description(xml_path):
    """(members, [(identifier field, value)], [(enum name, value)]), checked."""
    root = ElementTree.parse(xml_path).getroot()
    node = annotations(root)
    interfaces = root.findall("interface")
    if len(interfaces) != 1:
        raise DescriptionError("the description holds exactly one interface")
    interface = interfaces[0]
    own = annotations(interface)
    members = read_members(interface)
    check_members(members)

    ids = [(field, required(node, key, "node")) for field, key in IDENTIFIERS]
    ids += [("interfaceName", required(own, "Interface", "interface")),
            ("interfaceId", required(own, "Interface.Id", "interface")),
            ("interfaceHelpString", required(own, "Interface.HelpString", "interface")),
            ("dbusInterfaceName", interface.get("name", ""))]
    enum_name = required(node, "Enum", "node")
    ids += [("enumName", enum_name), ("enumId", required(node, f"Enum.{enum_name}.Id", "node"))]
    enum_prefix = f"Enum.{enum_name}."
    enum_values = [(k[len(enum_prefix):], int(v)) for k, v in node.items()
                   if k.startswith(enum_prefix) and k != f"Enum.{enum_name}.Id"]
    # Document order of annotations is kept by the parser; dict order follows it.
    if not enum_values:
        raise DescriptionError(f"enumeration {enum_name} has no values")
    return members, ids, enum_values


def describe(xml_path):
    members, ids, enum_values = read_description(xml_path)

    out = ["// Generated from IQRTEngine.xml by describe_interface.py; do not edit.",
           "#pragma once", "", '#include "automation/InterfaceDescription.h"', ""]
    out.append("inline constexpr InterfaceParam kInterfaceParams[] = {")
    rows = []
    first = 0
    for dispid, name, kind, params, help_string in members:
        for pname, ptype, direction in params:
            out.append(f"    {{{quote(pname)}, {quote(ptype)}, ParamDirection::{direction}}},")
        rows.append(f"    {{{dispid}, {quote(name)}, MemberKind::{kind}, {first}, {len(params)}, "
                    f"{quote(help_string)}}},")
        first += len(params)
    out.append("};")
    out.append(f"inline constexpr int kInterfaceParamCount = {first};")
    out.append("")
    out.append("// Every member of the interface in vtable order.")
    out.append("inline constexpr InterfaceMember kInterfaceMembers[] = {")
    out += rows
    out.append("};")
    out.append(f"inline constexpr int kInterfaceMemberCount = {len(members)};")
    out.append("")
    out.append(f"inline constexpr InterfaceEnumValue kInterfaceEnumValues[] = {{")
    out += [f"    {{{quote(n)}, {v}}}," for n, v in enum_values]
    out.append("};")
    out.append(f"inline constexpr int kInterfaceEnumValueCount = {len(enum_values)};")
    out.append("")
    out.append("inline constexpr InterfaceIdentifiers kInterfaceIdentifiers = {")
    for field, value in ids:
        out.append(f"    {value},  // {field}" if field == "libraryLcid" else f"    {quote(value)},  // {field}")
    out.append("};")
    return "\n".join(out) + "\n", binding_check(members)


def write(path, text):
    with open(path + ".tmp", "w", encoding="utf-8") as out:
        out.write(text)
    os.replace(path + ".tmp", path)


def main():
    if len(sys.argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    try:
        text, check = describe(sys.argv[1])
    except (DescriptionError, ElementTree.ParseError, ValueError) as fault:
        sys.stderr.write(f"{sys.argv[1]}: {fault}\n")
        return 1
    write(sys.argv[2], text)
    if len(sys.argv) == 4:
        write(sys.argv[3], check)
    return 0


if __name__ == "__main__":
    sys.exit(main())
