// qrtcom.QRTEngine: one object of a loaded component, its members by their
// interface names (methods as callables, properties as attributes), every
// call through the component's dispatch call; a failing HRESULT raises
// qrtcom.Error.
#pragma once

#include <pybind11/pybind11.h>

#include <string>

#include "ComponentApi.h"

class EngineObject {
public:
    // Creates the object through the component's class factory.
    explicit EngineObject(const ComponentApi& api);
    ~EngineObject();
    EngineObject(const EngineObject&) = delete;
    EngineObject& operator=(const EngineObject&) = delete;

    // A property's value, or for a method a callable bound to self (this
    // object's Python handle); AttributeError for another name.
    static pybind11::object GetAttribute(const pybind11::object& self, const std::string& name);
    void SetAttribute(const std::string& name, const pybind11::handle& value);
    // Calls member memberIndex (a method or a get with arguments).
    pybind11::object Call(int memberIndex, const pybind11::args& args, const pybind11::kwargs& kwargs);
    pybind11::list Names() const;

private:
    pybind11::object Invoke(int memberIndex, const pybind11::tuple& args);

    ComponentApi m_api;
    QRTEngine* m_object = nullptr;
};

// Creates the module's qrtcom.Error class (an Exception with hresult,
// member and argument attributes) and remembers it for raising.
void DefineErrorClass(pybind11::module_& module);
// Raises qrtcom.Error (throws pybind11::error_already_set).
[[noreturn]] void RaiseComError(QRTHRESULT hr, const std::string& member, const std::string& argument,
                                const std::string& message);
