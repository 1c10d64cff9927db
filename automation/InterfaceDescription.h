// The interface description of IQRTEngine as C++ data: the identifiers of
// the type library, coclass, interface and enumeration, and every member in
// vtable order with its DISPID, kind, parameters and help string.
// The data itself (IQRTEngineDescription.h) is generated at build time from
// automation/IQRTEngine.xml by automation/describe_interface.py, so code
// that names members (dispatch tables, bindings, tests) reads the one
// description instead of repeating it. Link qrt_interface_description.
#pragma once

#include <cstdint>

enum class MemberKind { Method, Get, Put };
enum class ParamDirection { In, Retval };

// type is the automation type: "I4", "CY", "DATE", "BSTR", "R8" or
// "QRTEventType". A put's one parameter has the empty name.
struct InterfaceParam {
    const char* name;
    const char* type;
    ParamDirection direction;
};

// A property with get and put is two members with one DISPID, the get first.
struct InterfaceMember {
    int32_t dispId;
    const char* name;
    MemberKind kind;
    int firstParam;  // index into kInterfaceParams
    int paramCount;
    const char* helpString;
};

struct InterfaceEnumValue {
    const char* name;
    int32_t value;
};

struct InterfaceIdentifiers {
    const char* libraryName;  // in-process type library
    const char* libraryId;    // LIBID, braced
    const char* libraryVersion;
    int32_t libraryLcid;
    const char* libraryHelpString;
    const char* serverLibraryName;  // the local server's type library
    const char* serverLibraryHelpString;
    const char* coclassName;
    const char* coclassId;  // CLSID
    const char* coclassHelpString;
    const char* progId;
    const char* versionIndependentProgId;
    const char* threadingModel;
    const char* appId;  // local server only
    const char* appIdName;
    const char* interfaceName;
    const char* interfaceId;  // IID
    const char* interfaceHelpString;
    const char* dbusInterfaceName;
    const char* enumName;
    const char* enumId;
};
