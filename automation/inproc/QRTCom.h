/* QRTCom.h: the C interface of the in-process component libQRTCom.so, which
 * serves the automation object QRTEngine (interface IQRTEngine) to programs in
 * any language that can call C.
 *
 * Two halves, as a dual interface has:
 * - one function per member (QRTEngine_AddEvent, QRTEngine_get_Balance,
 *   QRTEngine_put_Jurisdiction, ...; declared in QRTComInterface.h, which is
 *   generated from the interface description): HRESULT return, out
 *   parameters last, strings UTF-8; a string returned through char** is
 *   malloc'd and freed with QRTCom_FreeString;
 * - QRTEngine_Invoke / QRTEngine_InvokeByName: a member by DISPID or by name
 *   with an array of tagged variant arguments, in the member's parameter
 *   order (first argument first).
 * Types: DATE = double (OLE date, days since 30 December 1899; negative = no
 * date), CY = int64_t (dollars x 10000), I4 = int32_t, R8 = double.
 *
 * Objects come from the class factory (DllGetClassObject) or QRTEngine_Create
 * and live until their last QRTEngine_Release. One object serves one thread
 * at a time (apartment model); distinct objects may be used on distinct
 * threads.
 */
#ifndef QRTCOM_H
#define QRTCOM_H

#include <stdint.h>

#define QRTCOM_API __attribute__((visibility("default")))

typedef int32_t QRTHRESULT;

#define QRT_S_OK ((QRTHRESULT)0)
#define QRT_S_FALSE ((QRTHRESULT)1)
#define QRT_E_INVALIDARG ((QRTHRESULT)0x80070057u)
#define QRT_E_FAIL ((QRTHRESULT)0x80004005u)
#define QRT_E_PENDING ((QRTHRESULT)0x8000000Au)
#define QRT_E_OUTOFMEMORY ((QRTHRESULT)0x8007000Eu)
#define QRT_E_OPEN_FAILED ((QRTHRESULT)0x8007006Eu)       /* WriteReport: file cannot be opened */
#define QRT_DISP_E_MEMBERNOTFOUND ((QRTHRESULT)0x80020003u) /* no such DISPID, or not as get/put/method */
#define QRT_DISP_E_TYPEMISMATCH ((QRTHRESULT)0x80020005u)   /* *argErr = index of the argument */
#define QRT_DISP_E_UNKNOWNNAME ((QRTHRESULT)0x80020006u)
#define QRT_DISP_E_OVERFLOW ((QRTHRESULT)0x8002000Au)
#define QRT_DISP_E_BADPARAMCOUNT ((QRTHRESULT)0x8002000Eu)
#define QRT_CLASS_E_CLASSNOTAVAILABLE ((QRTHRESULT)0x80040111u)
#define QRT_CLASS_E_NOAGGREGATION ((QRTHRESULT)0x80040110u)
#define QRT_SELFREG_E_CLASS ((QRTHRESULT)0x80040201u) /* DllRegisterServer / DllUnregisterServer failed */

typedef struct QRTEngine QRTEngine; /* opaque */

/* Variant tags (the automation VARTYPE numbers). */
enum {
    QRT_VT_EMPTY = 0, /* no value; as a DATE argument: no date */
    QRT_VT_I4 = 3,
    QRT_VT_R8 = 5,
    QRT_VT_CY = 6,
    QRT_VT_DATE = 7,
    QRT_VT_BSTR = 8
};

/* A tagged value. A BSTR result is malloc'd: QRTVariant_Clear frees it. */
typedef struct QRTVariant {
    int32_t vt;
    union {
        int32_t lVal;
        double dblVal;
        int64_t cyVal;
        double date;
        char* bstrVal;
    };
} QRTVariant;

/* What QRTEngine_Invoke is asked for: a method, a property get (a get with
 * arguments, PageStart, is called as either) or a property put. */
enum { QRT_DISPATCH_METHOD = 1, QRT_DISPATCH_PROPERTYGET = 2, QRT_DISPATCH_PROPERTYPUT = 4 };

typedef struct QRTClassFactory QRTClassFactory;
typedef struct QRTClassFactoryVtbl {
    /* A new object with one reference. outer must be NULL (no aggregation
     * across this C interface). */
    QRTHRESULT (*CreateInstance)(QRTClassFactory* self, void* outer, QRTEngine** object);
    uint32_t (*AddRef)(QRTClassFactory* self);
    uint32_t (*Release)(QRTClassFactory* self);
    /* lock != 0 keeps the library loaded (DllCanUnloadNow answers S_FALSE)
     * until the matching LockServer(0). */
    QRTHRESULT (*LockServer)(QRTClassFactory* self, int32_t lock);
} QRTClassFactoryVtbl;
struct QRTClassFactory {
    const QRTClassFactoryVtbl* lpVtbl;
};

#include "QRTComInterface.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The class factory of the coclass clsid (QRTCOM_CLSID_QRTEngine, braces,
 * any letter case), with one reference; QRT_CLASS_E_CLASSNOTAVAILABLE for
 * another CLSID. */
QRTCOM_API QRTHRESULT DllGetClassObject(const char* clsid, QRTClassFactory** factory);
/* QRT_S_OK when no object, factory reference or factory lock is alive. */
QRTCOM_API QRTHRESULT DllCanUnloadNow(void);
/* Writes / removes the registration records (ProgIDs, CLSID, this library's
 * absolute path, type library) under $XDG_DATA_HOME/QRTCom/. */
QRTCOM_API QRTHRESULT DllRegisterServer(void);
QRTCOM_API QRTHRESULT DllUnregisterServer(void);

/* The factory's CreateInstance in one call. */
QRTCOM_API QRTHRESULT QRTEngine_Create(QRTEngine** object);
QRTCOM_API uint32_t QRTEngine_AddRef(QRTEngine* self);
/* Deletes the object at its last reference; returns the references left. */
QRTCOM_API uint32_t QRTEngine_Release(QRTEngine* self);

/* The DISPID of a member name (letter case ignored). */
QRTCOM_API QRTHRESULT QRTEngine_GetDispId(const char* name, int32_t* dispId);
/* Calls the member dispId as flags asks with argCount arguments in parameter
 * order. result (may be NULL) receives the retval, or EMPTY. A failing
 * argument gives QRT_DISP_E_TYPEMISMATCH with *argErr (may be NULL) = its
 * index; a wrong count QRT_DISP_E_BADPARAMCOUNT; then nothing is called.
 * Otherwise the member's own HRESULT. */
QRTCOM_API QRTHRESULT QRTEngine_Invoke(QRTEngine* self, int32_t dispId, int32_t flags, const QRTVariant* args,
                                       int32_t argCount, QRTVariant* result, int32_t* argErr);
QRTCOM_API QRTHRESULT QRTEngine_InvokeByName(QRTEngine* self, const char* name, int32_t flags,
                                             const QRTVariant* args, int32_t argCount, QRTVariant* result,
                                             int32_t* argErr);

/* Frees a BSTR held by the variant and leaves it EMPTY. */
QRTCOM_API void QRTVariant_Clear(QRTVariant* value);
/* Frees a string returned by a QRTEngine_get_... function (NULL is fine). */
QRTCOM_API void QRTCom_FreeString(char* text);

#ifdef __cplusplus
}
#endif

#endif
