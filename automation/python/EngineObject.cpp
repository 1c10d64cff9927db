#include "EngineObject.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "PythonValues.h"
#include "automation/IQRTEngineDescription.h"

namespace py = pybind11;

namespace {

PyObject* g_errorClass = nullptr;

const char* CodeMeaning(QRTHRESULT hr) {
    switch (hr) {
        case QRT_E_INVALIDARG: return "E_INVALIDARG, an argument is not valid";
        case QRT_E_FAIL: return "E_FAIL, the call failed";
        case QRT_E_PENDING: return "E_PENDING, nothing is computed yet (call Compute)";
        case QRT_E_OUTOFMEMORY: return "E_OUTOFMEMORY";
        case QRT_E_OPEN_FAILED: return "the report file cannot be opened";
        case QRT_DISP_E_MEMBERNOTFOUND: return "DISP_E_MEMBERNOTFOUND";
        case QRT_DISP_E_TYPEMISMATCH: return "DISP_E_TYPEMISMATCH, the argument has the wrong type";
        case QRT_DISP_E_UNKNOWNNAME: return "DISP_E_UNKNOWNNAME";
        case QRT_DISP_E_OVERFLOW: return "DISP_E_OVERFLOW, the value is out of range";
        case QRT_DISP_E_BADPARAMCOUNT: return "DISP_E_BADPARAMCOUNT, wrong number of arguments";
        default: return "failed";
    }
}

std::string Hex(QRTHRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

int FindMember(const std::string& name, bool put) {
    for (int i = 0; i < kInterfaceMemberCount; ++i) {
        const InterfaceMember& m = kInterfaceMembers[i];
        if (name == m.name && (m.kind == MemberKind::Put) == put) return i;
    }
    return -1;
}

std::vector<const InterfaceParam*> InParams(int memberIndex) {
    std::vector<const InterfaceParam*> params;
    const InterfaceMember& m = kInterfaceMembers[memberIndex];
    for (int p = 0; p < m.paramCount; ++p)
        if (kInterfaceParams[m.firstParam + p].direction == ParamDirection::In)
            params.push_back(&kInterfaceParams[m.firstParam + p]);
    return params;
}

std::string ParamLabel(const InterfaceParam& param) {
    return param.name[0] != '\0' ? std::string(param.name) : "value";
}

}  // namespace

void DefineErrorClass(py::module_& module) {
    g_errorClass = PyErr_NewExceptionWithDoc(
        "qrtcom.Error",
        "A failing HRESULT: hresult is the code as an unsigned 32-bit number, member the interface member, "
        "argument the parameter concerned (or None).",
        PyExc_Exception, nullptr);
    module.attr("Error") = py::handle(g_errorClass);
}

void RaiseComError(QRTHRESULT hr, const std::string& member, const std::string& argument,
                   const std::string& message) {
    py::object error = py::reinterpret_borrow<py::object>(g_errorClass)(message);
    error.attr("hresult") = py::int_(static_cast<uint32_t>(hr));
    error.attr("member") = py::str(member);
    error.attr("argument") = argument.empty() ? py::object(py::none()) : py::object(py::str(argument));
    PyErr_SetObject(g_errorClass, error.ptr());
    throw py::error_already_set();
}

EngineObject::EngineObject(const ComponentApi& api) : m_api(api) {
    QRTClassFactory* factory = nullptr;
    QRTHRESULT hr = m_api.getClassObject(QRTCOM_CLSID_QRTEngine, &factory);
    if (hr >= 0) {
        hr = factory->lpVtbl->CreateInstance(factory, nullptr, &m_object);
        factory->lpVtbl->Release(factory);
    }
    if (hr < 0) RaiseComError(hr, "QRTEngine", "", "QRTEngine: cannot create the object: " + Hex(hr));
}

EngineObject::~EngineObject() {
    if (m_object != nullptr) m_api.release(m_object);
}

py::object EngineObject::Invoke(int memberIndex, const py::tuple& args) {
    const InterfaceMember& member = kInterfaceMembers[memberIndex];
    const std::vector<const InterfaceParam*> params = InParams(memberIndex);
    std::vector<OwnedVariant> values(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        std::string why;
        bool overflow = false;
        const char* type = i < params.size() ? params[i]->type : "";
        if (!ToVariant(args[i], type, values[i], &why, &overflow)) {
            const std::string label = i < params.size() ? ParamLabel(*params[i]) : std::to_string(i + 1);
            const QRTHRESULT hr = overflow ? QRT_DISP_E_OVERFLOW : QRT_DISP_E_TYPEMISMATCH;
            RaiseComError(hr, member.name, label,
                          std::string(member.name) + ": argument " + label + " " + why + " (" + Hex(hr) + ")");
        }
    }
    std::vector<QRTVariant> raw;
    for (OwnedVariant& v : values) raw.push_back(v.value);
    const int32_t flags = member.kind == MemberKind::Put      ? QRT_DISPATCH_PROPERTYPUT
                          : member.kind == MemberKind::Method ? QRT_DISPATCH_METHOD
                                                              : QRT_DISPATCH_PROPERTYGET;
    QRTVariant result{};
    int32_t argErr = -1;
    const QRTHRESULT hr = m_api.invoke(m_object, member.dispId, flags, raw.data(), static_cast<int32_t>(raw.size()),
                                       &result, &argErr);
    if (hr < 0) {
        std::string label;
        std::string detail;
        if (hr == QRT_DISP_E_TYPEMISMATCH && argErr >= 0 && static_cast<size_t>(argErr) < params.size()) {
            label = ParamLabel(*params[argErr]);
            detail = "argument " + label + " (" + params[argErr]->type + ") cannot be a " +
                     py::str(args[argErr].get_type().attr("__name__")).cast<std::string>();
        } else if (hr == QRT_DISP_E_BADPARAMCOUNT) {
            detail = "takes " + std::to_string(params.size()) + " arguments, " + std::to_string(args.size()) +
                     " given";
        } else {
            if (params.size() == 1) label = ParamLabel(*params[0]);
            std::string shown;
            for (size_t i = 0; i < params.size() && i < args.size(); ++i)
                shown += (i > 0 ? ", " : "") + ParamLabel(*params[i]) + "=" +
                         py::repr(args[i]).cast<std::string>();
            detail = params.empty() ? "failed" : "refused " + shown;
        }
        RaiseComError(hr, member.name, label,
                      std::string(member.name) + ": " + detail + ": " + CodeMeaning(hr) + " (" + Hex(hr) + ")");
    }
    py::object value = FromVariant(result);
    m_api.clear(&result);
    return value;
}

py::object EngineObject::GetAttribute(const py::object& self, const std::string& name) {
    const int index = FindMember(name, false);
    if (index < 0) throw py::attribute_error("QRTEngine has no member " + name);
    EngineObject& engine = self.cast<EngineObject&>();
    if (kInterfaceMembers[index].kind == MemberKind::Get && InParams(index).empty())
        return engine.Invoke(index, py::tuple());
    return py::cpp_function(
        [self, index](const py::args& args, const py::kwargs& kwargs) {
            return self.cast<EngineObject&>().Call(index, args, kwargs);
        },
        py::name(name.c_str()), py::doc(kInterfaceMembers[index].helpString));
}

void EngineObject::SetAttribute(const std::string& name, const py::handle& value) {
    const int index = FindMember(name, true);
    if (index < 0) {
        throw py::attribute_error(FindMember(name, false) < 0 ? "QRTEngine has no member " + name
                                                               : "QRTEngine." + name + " is read-only");
    }
    Invoke(index, py::make_tuple(value));
}

py::object EngineObject::Call(int memberIndex, const py::args& args, const py::kwargs& kwargs) {
    const std::vector<const InterfaceParam*> params = InParams(memberIndex);
    const char* member = kInterfaceMembers[memberIndex].name;
    if (kwargs.empty()) return Invoke(memberIndex, args);
    // Keyword arguments by the interface's parameter names.
    std::vector<py::object> ordered;
    for (const py::handle item : args) ordered.push_back(py::reinterpret_borrow<py::object>(item));
    ordered.resize(std::max(ordered.size(), params.size()));
    std::vector<bool> given(ordered.size(), false);
    for (size_t i = 0; i < args.size(); ++i) given[i] = true;
    for (const auto& item : kwargs) {
        const std::string key = py::str(item.first).cast<std::string>();
        size_t p = 0;
        while (p < params.size() && key != params[p]->name) ++p;
        if (p == params.size() || given[p])
            RaiseComError(QRT_DISP_E_UNKNOWNNAME, member, key,
                          std::string(member) + ": " + (p == params.size() ? "no parameter " : "parameter given twice: ") +
                              key + " (" + Hex(QRT_DISP_E_UNKNOWNNAME) + ")");
        ordered[p] = py::reinterpret_borrow<py::object>(item.second);
        given[p] = true;
    }
    for (size_t p = 0; p < params.size(); ++p) {
        if (!given[p])
            RaiseComError(static_cast<QRTHRESULT>(0x80020004u), member, params[p]->name,
                          std::string(member) + ": argument " + params[p]->name +
                              " is missing (DISP_E_PARAMNOTFOUND, 0x80020004)");
    }
    py::tuple all(ordered.size());
    for (size_t i = 0; i < ordered.size(); ++i) all[i] = ordered[i];
    return Invoke(memberIndex, all);
}

py::list EngineObject::Names() const {
    py::list names;
    for (const InterfaceMember& m : kInterfaceMembers)
        if (m.kind != MemberKind::Put) names.append(m.name);
    return names;
}
