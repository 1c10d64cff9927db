// The class factory of QRTEngine and the exports around it: the counts that
// DllCanUnloadNow reads (objects, factory references, factory locks), object
// creation and reference counting, and the dispatch entry points.
#include <strings.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "automation/IQRTEngineDescription.h"
#include "automation/inproc/DispatchTable.h"
#include "automation/inproc/EngineHandle.h"
#include "automation/inproc/ShippedData.h"

namespace {

std::atomic<int> g_objects{0};
std::atomic<int> g_factoryReferences{0};
std::atomic<int> g_locks{0};

// Decrements a count that is above 0; returns the new count (0 stays 0).
int DecrementAbove0(std::atomic<int>& count) {
    int now = count.load();
    while (now > 0 && !count.compare_exchange_weak(now, now - 1)) {
    }
    return now > 0 ? now - 1 : 0;
}

QRTHRESULT CreateInstance(QRTClassFactory*, void* outer, QRTEngine** object) {
    if (object == nullptr) return E_INVALIDARG;
    *object = nullptr;
    if (outer != nullptr) return QRT_CLASS_E_NOAGGREGATION;
    return QRTEngine_Create(object);
}

uint32_t FactoryAddRef(QRTClassFactory*) { return static_cast<uint32_t>(++g_factoryReferences); }

uint32_t FactoryRelease(QRTClassFactory*) { return static_cast<uint32_t>(DecrementAbove0(g_factoryReferences)); }

QRTHRESULT LockServer(QRTClassFactory*, int32_t lock) {
    if (lock != 0) ++g_locks;
    else DecrementAbove0(g_locks);
    return S_OK;
}

const QRTClassFactoryVtbl kFactoryVtbl = {CreateInstance, FactoryAddRef, FactoryRelease, LockServer};
// One factory per process, as a cached class object is.
QRTClassFactory g_factory = {&kFactoryVtbl};

}  // namespace

void CountObject(int delta) { g_objects += delta; }

char* CopyOutString(const std::string& text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

extern "C" {

QRTHRESULT DllGetClassObject(const char* clsid, QRTClassFactory** factory) {
    if (factory == nullptr) return E_INVALIDARG;
    *factory = nullptr;
    if (clsid == nullptr || strcasecmp(clsid, kInterfaceIdentifiers.coclassId) != 0)
        return QRT_CLASS_E_CLASSNOTAVAILABLE;
    FactoryAddRef(&g_factory);
    *factory = &g_factory;
    return S_OK;
}

QRTHRESULT DllCanUnloadNow(void) {
    return g_objects.load() == 0 && g_factoryReferences.load() == 0 && g_locks.load() == 0 ? S_OK : QRT_S_FALSE;
}

QRTHRESULT QRTEngine_Create(QRTEngine** object) {
    if (object == nullptr) return E_INVALIDARG;
    *object = nullptr;
    UseShippedDataUnlessSet();
    try {
        *object = new QRTEngine;
    } catch (const std::bad_alloc&) {
        return QRT_E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    CountObject(1);
    return S_OK;
}

uint32_t QRTEngine_AddRef(QRTEngine* self) { return self == nullptr ? 0 : ++self->references; }

uint32_t QRTEngine_Release(QRTEngine* self) {
    if (self == nullptr) return 0;
    const uint32_t left = --self->references;
    if (left == 0) {
        delete self;
        CountObject(-1);
    }
    return left;
}

QRTHRESULT QRTEngine_GetDispId(const char* name, int32_t* dispId) {
    if (dispId == nullptr) return E_INVALIDARG;
    return FindDispId(name, *dispId) ? S_OK : QRT_DISP_E_UNKNOWNNAME;
}

QRTHRESULT QRTEngine_Invoke(QRTEngine* self, int32_t dispId, int32_t flags, const QRTVariant* args, int32_t argCount,
                            QRTVariant* result, int32_t* argErr) {
    return Call(self, [&](CQRTEngine& o) { return InvokeMember(o, dispId, flags, args, argCount, result, argErr); });
}

QRTHRESULT QRTEngine_InvokeByName(QRTEngine* self, const char* name, int32_t flags, const QRTVariant* args,
                                  int32_t argCount, QRTVariant* result, int32_t* argErr) {
    if (result != nullptr) result->vt = QRT_VT_EMPTY;
    int32_t dispId = 0;
    if (!FindDispId(name, dispId)) return QRT_DISP_E_UNKNOWNNAME;
    return QRTEngine_Invoke(self, dispId, flags, args, argCount, result, argErr);
}

void QRTVariant_Clear(QRTVariant* value) {
    if (value == nullptr) return;
    if (value->vt == QRT_VT_BSTR) std::free(value->bstrVal);
    value->vt = QRT_VT_EMPTY;
    value->cyVal = 0;
}

void QRTCom_FreeString(char* text) { std::free(text); }

}  // extern "C"
