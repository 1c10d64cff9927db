// The Python module qrtcom: QRTEngine() (an object of the in-process
// component this module is linked with), Dispatch(progid) (an object of the
// component registered for that ProgID, loaded as a client loads it), Error,
// and the QRTEventType values.
#include <pybind11/pybind11.h>

#include "EngineObject.h"
#include "RegisteredComponent.h"
#include "automation/IQRTEngineDescription.h"

namespace py = pybind11;

PYBIND11_MODULE(qrtcom, module) {
    module.doc() = "The QRTEngine automation object of the in-process component libQRTCom.so";
    DefineErrorClass(module);
    for (const InterfaceEnumValue& value : kInterfaceEnumValues) module.attr(value.name) = value.value;
    module.attr("CLSID") = kInterfaceIdentifiers.coclassId;
    module.attr("PROGID") = kInterfaceIdentifiers.progId;
    module.attr("E_INVALIDARG") = static_cast<uint32_t>(QRT_E_INVALIDARG);
    module.attr("E_FAIL") = static_cast<uint32_t>(QRT_E_FAIL);
    module.attr("E_PENDING") = static_cast<uint32_t>(QRT_E_PENDING);
    module.attr("E_OPEN_FAILED") = static_cast<uint32_t>(QRT_E_OPEN_FAILED);
    module.attr("DISP_E_TYPEMISMATCH") = static_cast<uint32_t>(QRT_DISP_E_TYPEMISMATCH);
    module.attr("DISP_E_OVERFLOW") = static_cast<uint32_t>(QRT_DISP_E_OVERFLOW);
    module.attr("DISP_E_BADPARAMCOUNT") = static_cast<uint32_t>(QRT_DISP_E_BADPARAMCOUNT);
    module.attr("REGDB_E_CLASSNOTREG") = static_cast<uint32_t>(kClassNotRegistered);

    py::class_<EngineObject>(module, "QRTEngine",
                             "A QRTEngine object: the members of IQRTEngine by their names; CY values are "
                             "decimal.Decimal, DATE values datetime.date, BSTR str, I4 int.")
        .def(py::init([] { return new EngineObject(LinkedComponent()); }))
        .def("__getattr__", &EngineObject::GetAttribute)
        .def("__setattr__", &EngineObject::SetAttribute)
        .def("__dir__", &EngineObject::Names);

    module.def(
        "parameters",
        [](const std::string& name) {
            py::list params;
            for (const InterfaceMember& m : kInterfaceMembers) {
                if (name != m.name || m.kind == MemberKind::Put) continue;
                for (int p = 0; p < m.paramCount; ++p) {
                    const InterfaceParam& param = kInterfaceParams[m.firstParam + p];
                    if (param.direction == ParamDirection::In) params.append(py::make_tuple(param.name, param.type));
                }
                return params;
            }
            throw py::key_error("IQRTEngine has no method " + name);
        },
        py::arg("member"),
        "The (name, automation type) of each argument of a method, in order, as the interface describes them.");

    module.def(
        "Dispatch",
        [](const std::string& progId) { return new EngineObject(RegisteredComponent(progId)); },
        py::arg("progid"),
        "An object of the component registered for progid (\"QRTCom.QRTEngine\" or \"QRTCom.QRTEngine.1\") "
        "under $XDG_DATA_HOME/QRTCom/; qrtcom.Error when it is not registered or cannot be loaded.");
}
