#include "ComponentApi.h"

#include <dlfcn.h>

ComponentApi LinkedComponent() {
    ComponentApi api;
    api.getClassObject = &DllGetClassObject;
    api.invoke = &QRTEngine_Invoke;
    api.release = &QRTEngine_Release;
    api.clear = &QRTVariant_Clear;
    return api;
}

namespace {

template <typename Function>
bool Symbol(void* library, const char* name, Function& out, std::string* error) {
    out = reinterpret_cast<Function>(dlsym(library, name));
    if (out == nullptr) *error = std::string("it has no ") + name;
    return out != nullptr;
}

}  // namespace

bool LoadComponent(const std::string& path, ComponentApi& api, std::string* error) {
    // Never closed: objects of the component may outlive any one Dispatch.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        *error = why != nullptr ? why : "dlopen failed";
        return false;
    }
    return Symbol(library, "DllGetClassObject", api.getClassObject, error) &&
           Symbol(library, "QRTEngine_Invoke", api.invoke, error) &&
           Symbol(library, "QRTEngine_Release", api.release, error) &&
           Symbol(library, "QRTVariant_Clear", api.clear, error);
}
