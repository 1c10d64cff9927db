#!/usr/bin/python3
"""Generates the in-process component's C ABI and its dispatch table from the
interface description IQRTEngine.xml (read through describe_interface.py, so
the description is checked the same way).

Usage: generate_c_abi.py IQRTEngine.xml QRTComInterface.h QRTComMembers.cpp DispatchTable.cpp

- QRTComInterface.h: the identifiers (CLSID, ProgIDs, IID), the QRTEventType
  values, one QRTCOM_DISPID_<Name> per member and one C prototype per member
  (QRTEngine_<Method>, QRTEngine_get_<Property>, QRTEngine_put_<Property>).
- QRTComMembers.cpp: those functions, each calling the CQRTEngine member.
- DispatchTable.cpp: kDispatchInvokers, one invoker per member in the order
  of kInterfaceMembers, converting tagged variant arguments to the member's
  C++ types (DispatchArgs.h) and the retval back to a variant.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import describe_interface as described  # noqa: E402

C_IN = {"I4": "int32_t", "QRTEventType": "int32_t", "CY": "int64_t", "DATE": "double", "R8": "double",
        "BSTR": "const char*"}
C_OUT = {"I4": "int32_t*", "QRTEventType": "int32_t*", "CY": "int64_t*", "DATE": "double*", "R8": "double*",
         "BSTR": "char**"}
# C++ local that holds a converted argument or a retval, and the helper that fills it.
CPP_LOCAL = {"I4": "int32_t", "QRTEventType": "int32_t", "CY": "CY", "DATE": "DATE", "R8": "double",
             "BSTR": "std::string"}
ARG_READER = {"I4": "ArgI4", "QRTEventType": "ArgI4", "CY": "ArgCy", "DATE": "ArgDate", "R8": "ArgR8",
              "BSTR": "ArgBstr"}
RESULT_WRITER = {"I4": "SetI4", "QRTEventType": "SetI4", "CY": "SetCy", "DATE": "SetDate", "R8": "SetR8",
                 "BSTR": "SetBstr"}
HEADER = "// Generated from IQRTEngine.xml by generate_c_abi.py; do not edit."


def c_name(name, kind):
    return {"Method": name, "Get": "get_" + name, "Put": "put_" + name}[kind]


def param_names(params):
    return [p[0] or "newVal" for p in params]


def interface_header(members, ids, enum_values):
    out = [HEADER, "// Included by QRTCom.h.", "#ifndef QRTCOM_INTERFACE_H", "#define QRTCOM_INTERFACE_H", ""]
    out.append(f'#define QRTCOM_CLSID_QRTEngine "{ids["coclassId"]}"')
    out.append(f'#define QRTCOM_IID_IQRTEngine "{ids["interfaceId"]}"')
    out.append(f'#define QRTCOM_PROGID "{ids["progId"]}"')
    out.append(f'#define QRTCOM_VERSION_INDEPENDENT_PROGID "{ids["versionIndependentProgId"]}"')
    out.append("")
    out.append("/* QRTEventType: the kinds of AddEvent / AddNamedEvent. */")
    out += [f"#define {n} {v}" for n, v in enum_values]
    out.append("")
    seen = set()
    for dispid, name, _, _, _ in members:
        if name not in seen:
            out.append(f"#define QRTCOM_DISPID_{name} {dispid}")
            seen.add(name)
    out.append("")
    out.append("#ifdef __cplusplus")
    out.append('extern "C" {')
    out.append("#endif")
    out.append("")
    for _, name, kind, params, help_string in members:
        args = ["QRTEngine* self"]
        for pname, ptype, direction in zip(param_names(params), [p[1] for p in params], [p[2] for p in params]):
            args.append(f"{(C_IN if direction == 'In' else C_OUT)[ptype]} {pname}")
        out.append(f"/* {help_string} */")
        out.append(f"QRTCOM_API QRTHRESULT QRTEngine_{c_name(name, kind)}({', '.join(args)});")
    out += ["", "#ifdef __cplusplus", "}", "#endif", "", "#endif", ""]
    return "\n".join(out)


def members_source(members):
    out = [HEADER, "// One C function per member of IQRTEngine: null strings in are empty,",
           "// strings out are malloc'd UTF-8 copies (QRTCom_FreeString).",
           '#include "automation/inproc/EngineHandle.h"', ""]
    for _, name, kind, params, _ in members:
        names = param_names(params)
        args = ["QRTEngine* self"]
        call = []
        after = []
        for pname, (_, ptype, direction) in zip(names, params):
            if direction == "In":
                args.append(f"{C_IN[ptype]} {pname}")
                call.append(f"InString({pname})" if ptype == "BSTR" else pname)
            else:
                args.append(f"{C_OUT[ptype]} {pname}")
                if ptype == "BSTR":
                    call.append("&text")
                    after.append(pname)
                else:
                    call.append(pname)
        out.append(f'extern "C" QRTHRESULT QRTEngine_{c_name(name, kind)}({", ".join(args)}) {{')
        member = c_name(name, kind)
        if after:
            out.append(f"    return CallForString(self, {after[0]}, [&](CQRTEngine& o, std::string& text) "
                       f"{{ return o.{member}({', '.join(call)}); }});")
        else:
            out.append(f"    return Call(self, [&](CQRTEngine& o) {{ return o.{member}({', '.join(call)}); }});")
        out.append("}")
    return "\n".join(out) + "\n"


def dispatch_source(members):
    out = [HEADER, "// The dispatch half: one invoker per member, in the order of kInterfaceMembers.",
           '#include "automation/inproc/DispatchTable.h"', "",
           '#include "automation/CQRTEngine.h"', '#include "automation/inproc/DispatchArgs.h"', "",
           "namespace {", ""]
    for index, (_, name, kind, params, _) in enumerate(members):
        out.append(f"// {c_name(name, kind)}")
        out.append(f"HRESULT Invoke{index}(CQRTEngine& o, const QRTVariant* args, QRTVariant* result, "
                   f"int32_t* argErr) {{")
        call = []
        retval = None
        used_args = False
        for position, (_, ptype, direction) in enumerate(params):
            if direction == "In":
                used_args = True
                out.append(f"    {CPP_LOCAL[ptype]} a{position}{{}};")
                out.append(f"    if (!{ARG_READER[ptype]}(args[{position}], a{position})) "
                           f"return Mismatch(argErr, {position});")
                call.append(f"a{position}")
            else:
                retval = ptype
                out.append(f"    {CPP_LOCAL[ptype]} value{{}};")
                call.append("&value")
        if not used_args:
            out.append("    (void)args;")
            out.append("    (void)argErr;")
        out.append(f"    const HRESULT hr = o.{c_name(name, kind)}({', '.join(call)});")
        if retval is not None:
            out.append(f"    if (hr >= 0 && !{RESULT_WRITER[retval]}(result, value)) "
                       f"return static_cast<HRESULT>(QRT_E_OUTOFMEMORY);")
        else:
            out.append("    (void)result;")
        out.append("    return hr;")
        out.append("}")
        out.append("")
    out.append("}  // namespace")
    out.append("")
    out.append("const DispatchInvoker kDispatchInvokers[] = {")
    out += [f"    Invoke{i}," for i in range(len(members))]
    out.append("};")
    out.append(f"static_assert(sizeof kDispatchInvokers / sizeof kDispatchInvokers[0] == {len(members)});")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    try:
        members, ids, enum_values = described.read_description(sys.argv[1])
    except (described.DescriptionError, described.ElementTree.ParseError, ValueError) as fault:
        sys.stderr.write(f"{sys.argv[1]}: {fault}\n")
        return 1
    described.write(sys.argv[2], interface_header(members, dict(ids), enum_values))
    described.write(sys.argv[3], members_source(members))
    described.write(sys.argv[4], dispatch_source(members))
    return 0


if __name__ == "__main__":
    sys.exit(main())
